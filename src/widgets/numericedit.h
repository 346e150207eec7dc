#pragma once
// The number entry box of every calculator. Every way text can enter it passes
// the numeric key filter or is refused: typed keys and input-method commits
// are filtered character by character; pasting (Ctrl+V, Shift+Insert, the
// right-click menu, middle click) and drag and drop are refused.

#include <QLineEdit>

class QMenu;

class NumericEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumericEdit(QWidget *parent = nullptr);

    // The right-click menu: undo, redo, copy, delete and select all; nothing
    // that brings text in. The caller owns it.
    QMenu *createNumericContextMenu();

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
};
