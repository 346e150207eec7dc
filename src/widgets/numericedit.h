#pragma once
// The number entry box of every calculator. Every way text can enter it is
// read as a number or refused: typed keys and input-method commits pass the
// numeric key filter character by character; a paste (Ctrl+V, Shift+Insert,
// the right-click menu, middle click) is read as a "number unit" text, its
// number replacing the selection and its unit choosing the box's unit where
// it can; drag and drop is refused.

#include <QLineEdit>

#include <functional>

class ConversionTableData;
class QComboBox;
class QMenu;

class NumericEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumericEdit(QWidget *parent = nullptr);

    // The right-click menu: undo, redo, cut, copy, paste, delete and select
    // all. The caller owns it.
    QMenu *createNumericContextMenu();

    // Selects the unit a pasted text names; returns whether it could.
    using UnitChooser = std::function<bool(const QString &unitsText)>;
    void setUnitChooser(UnitChooser chooser) { m_unitChooser = std::move(chooser); }
    // The usual chooser: the pasted unit, matched as the unit table table
    // matches pasted units, selected in list when list holds it. The table
    // must outlive the box.
    void setUnitList(const ConversionTableData &table, QComboBox *list);

    // Pastes text as the keys do: a number replaces the selection (the whole
    // box when nothing is selected) if that leaves a number; anything else
    // leaves the box as it is and says why at the box. Returns whether the
    // number was taken.
    bool pasteNumber(const QString &text);
    // What the last paste said at the box (empty when it was taken without
    // remark).
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

    UnitChooser m_unitChooser;
    QString m_pasteMessage;
};
