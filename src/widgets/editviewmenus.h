#pragma once
// The Edit and View menus of a calculator window, before its Options and Help
// menus. They carry the window's keys, so each key is listed where a user
// looks for it: the window's buttons show the same keys in their hints.
// View's digits and notation entries work on the window's DigitsNotation;
// the window connects the Edit entries (and the decimal marks, where it has
// them) to what they mean there.

#include <QObject>

class DigitsNotation;
class QAction;
class QActionGroup;
class QEvent;
class QMenu;
class QMenuBar;
class QWidget;

class EditViewMenus : public QObject
{
    Q_OBJECT
public:
    EditViewMenus(QMenuBar *menuBar, DigitsNotation &format, QWidget *window);

    QMenu *editMenu() const { return m_editMenu; }
    QMenu *viewMenu() const { return m_viewMenu; }

    // The decimal point and comma entries, a pair; only a window that
    // offers both marks adds them. Shows which is in use.
    void addDecimalMarks();
    void showDecimalPoint(bool point);

    QAction *mnuEditCopyValue = nullptr;
    QAction *mnuEditCopyValueUnit = nullptr;
    QAction *mnuEditPaste = nullptr;
    QAction *mnuViewMoreDigits = nullptr;
    QAction *mnuViewFewerDigits = nullptr;
    QAction *mnuViewNotation = nullptr;
    QAction *mnuViewDecimalPoint = nullptr;
    QAction *mnuViewDecimalComma = nullptr;

protected:
    // The menus' keys win over a focused box's own use of them (Ctrl+E moves
    // to the end of the line on some desktops); Paste stays the box's own.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addEntry(QMenu *menu, const char *name, const QString &caption, const QKeySequence &key);

    QWidget *m_window;
    QMenu *m_editMenu = nullptr;
    QMenu *m_viewMenu = nullptr;
    QActionGroup *m_decimalMarks = nullptr;
};
