#pragma once
// The number entry box of every calculator. Every way text can enter it is
// read as a number or refused: typed keys and input-method commits pass the
// numeric key filter character by character; a paste (Ctrl+V, Shift+Insert,
// the right-click menu, middle click) is read as a "number unit" text, its
// number replacing the selection and its unit choosing the box's unit where
// it can; drag and drop is refused.

#include "units/clipboardtext.h"

#include <QClipboard>
#include <QLineEdit>

#include <functional>

class ConversionTableData;
class QComboBox;
class QMenu;

// Puts a number text the program wrote on the clipboard, with the decimal
// mark it was written with, so that pasting it back never reads it two ways.
void SetNumberClipboardText(const QString &text, QChar decimalMark);
// That decimal mark, when the clipboard's text is one the program wrote;
// else a null QChar.
QChar ClipboardTextDecimalMark(QClipboard::Mode mode = QClipboard::Clipboard);

class NumericEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumericEdit(QWidget *parent = nullptr);

    // The right-click menu: undo, redo, cut, copy, paste, delete and select
    // all. The caller owns it.
    QMenu *createNumericContextMenu();

    // The units a paste may bring: those of table that offered accepts,
    // selected by select once the paste is taken. The table must outlive
    // the box. Without them, a paste with a unit is refused.
    using UnitSelect = std::function<void(const PastedUnit &)>;
    void setPasteUnits(const ConversionTableData &table, UnitOffered offered, UnitSelect select);
    // The usual case: the units list holds (while it is enabled).
    void setUnitList(const ConversionTableData &table, QComboBox *list);

    // Pastes text as the keys do: one number with at most one unit the box
    // offers replaces the selection (the whole box when nothing is selected)
    // if that leaves a number; anything else leaves the box as it is and
    // says why at the box. textDecimalMark is the text's decimal mark when
    // the program wrote it. Returns whether the number was taken.
    bool pasteNumber(const QString &text, QChar textDecimalMark = QChar());
    // What the box last said of a paste or a refused key (empty when the
    // last paste was taken without remark).
    QString pasteMessage() const { return m_pasteMessage; }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Runs one character through the filter and inserts what it accepts.
    void typeCharacter(QChar character);
    void pasteFromClipboard(bool selection);
    void tell(const QString &message);

    const ConversionTableData *m_unitTable = nullptr;
    UnitOffered m_unitOffered;
    UnitSelect m_unitSelect;
    QString m_pasteMessage;
};
