#pragma once
// The unit lists of a window, driven by their tags: a drop-down list whose
// tag names a "UnitType" is filled with that type's units and starts on the
// type's default; any control whose tag has a "Default" value takes it.

class ConversionTableData;
class QWidget;
class Settings;

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
