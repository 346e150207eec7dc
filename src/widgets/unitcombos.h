#pragma once
// The unit lists of a window, driven by their tags: a drop-down list whose
// tag names a "UnitType" is filled with that type's units and starts on the
// type's default; any control whose tag has a "Default" value takes it.

#include <QComboBox>

class ConversionTableData;
class QAbstractItemView;
class QWidget;
class Settings;

// A unit list with room for `characters` characters and an icon, whatever its
// entries, worked out from the font alone. Qt's own policy for that size
// builds the pop-up when it is chosen (about 15 KB a list, and a window has
// up to thirty), and its default one measures every entry and lays the
// window out again when it is first shown; here the pop-up is built when it
// first opens.
class UnitList : public QComboBox
{
public:
    explicit UnitList(int characters, QWidget *parent = nullptr);

    QSize sizeHint() const override { return minimumSizeHint(); }
    QSize minimumSizeHint() const override;
    void showPopup() override;
    // The pop-up's list once it has been built (the list first opened), else null.
    QAbstractItemView *builtView() const;

protected:
    // Its size does not follow its entries, so the first show has nothing
    // to lay out again.
    void showEvent(QShowEvent *event) override { QWidget::showEvent(event); }
};

// Fills every unit list of the window with the display units of its type in table.
void FillUnitCombos(const ConversionTableData &table, QWidget *window);
// Selects every unit list's default unit: the one stored for its type, else
// the built-in default, else the first entry. A stored or built-in unit the
// list does not hold never fails: the next choice is taken.
void ApplyDefaultUnits(const Settings &settings, QWidget *window);
// Stores every unit list's current unit as the default of its type.
void SaveDefaultUnits(Settings &settings, QWidget *window);
// Puts each control's "Default" tag value into it (text box text, combo box
// text, check box state, label caption, option button choice).
void ApplyDefaultTags(QWidget *window);
