#pragma once
// Pieces the axis window's panes share: value boxes with their unit lists,
// captions that move the focus to their box, and result rows laid out in a
// grid.

#include "axis/axisfigure.h"
#include "axis/mechanismchecks.h"
#include "axis/moveprofile.h"
#include "widgets/resultrow.h"

#include <QSize>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class ConversionTableData;
class NumericEdit;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QWidget;

// A number box: right aligned, in the value font, all selected on entry.
NumericEdit *AxisValueBox(const QString &name, const QString &spoken, QWidget *parent,
                          int minimumWidth = 110);
// A unit list of a unit type of the unit table (filled by FillUnitCombos).
QComboBox *AxisUnitList(const QString &name, const QString &spoken, const QString &unitType, QWidget *parent);
// Empties a unit list and fills it with the display units of another type,
// on its default unit.
void RefillUnitList(const ConversionTableData &table, QComboBox *list, const QString &unitType);
// A caption whose mnemonic moves the focus to its box.
QLabel *BuddyCaption(const QString &text, QWidget *buddy, QWidget *parent);

// Chooses unit in units; an empty unit, or one the list lacks, leaves it as it is.
void SelectAxisUnit(QComboBox *units, const QString &unit);
// A value shown in a unit list's unit: the box text and the list's entry.
// The box holds the value itself while it shows it unchanged, so a value
// that its text rounds (2.5 lb for 2.50000005511557) is read back exactly,
// and one too large for that unit, shown as "Overflow", is never read back
// (nor saved) as 0.
void ShowAxisQuantity(const ConversionTableData &table, NumericEdit *box, QComboBox *units,
                      const AxisQuantity &quantity);
// A box as a quantity: the value it holds while unchanged, else its text;
// nullopt when the text is no number or the unit cannot convert it.
std::optional<AxisQuantity> BoxQuantity(const ConversionTableData &table, const NumericEdit *box,
                                        const QComboBox *units);
// The same for a figure: a box that does not read gives a value no figure
// accepts, so the figures that need it fail with its reason.
AxisQuantity ReadBoxQuantity(const ConversionTableData &table, const NumericEdit *box,
                             const QComboBox *units);
double ReadBoxNumber(const NumericEdit *box);

// A titled group of a pane's inputs, laid out on a grid.
QGroupBox *AxisInputGroup(const QString &title, const QString &name, QWidget *parent);

// A row of a pane's inputs: its caption, box and unit list.
struct AxisInput
{
    QLabel *caption = nullptr;
    NumericEdit *box = nullptr;
    QComboBox *units = nullptr;
    QString what; // its caption in lower case, for the window's Undo
    void setEnabled(bool on) const;
};
// Adds an input row to a grid: caption, box (txt<name>) and, for a unit type,
// a unit list (cmb<name>Units), or a fixed text after the box such as "%".
AxisInput AddAxisInput(const ConversionTableData &table, QGridLayout *grid, const QString &caption,
                       const QString &name, const QString &spoken, const QString &unitType,
                       const QString &after = {});

// A motor check's line: bold, selectable, with room for a second line
// where a reason runs long.
QLabel *AxisCheckLabel(const QString &name, const QString &spoken, QWidget *parent);
// A check's words in its label; the colour only repeats what the words say.
void ShowCheck(QLabel *label, const QString &words, CheckLevel level);

// The mechanism's check lines (<prefix>_criticalSpeed, _dn, _surfaceSpeed),
// added to a grid's new rows across its columns.
using MechanismCheckLabels = std::array<QLabel *, MechanismCheckKindCount>;
MechanismCheckLabels AddMechanismCheckLabels(QGridLayout *grid, const QString &prefix, int columns);
// Shows the checks in words, each in its line; the lines of checks the
// mechanism does not have are hidden.
void ShowMechanismChecks(const MechanismCheckLabels &labels, const std::vector<MechanismCheck> &checks);

// Adds a result row to a grid at gridRow: the two copy keys in columns 0 and 1,
// the caption in 2, the value in 3. The controls are named after key
// (cmdCopyValue_<key>, cmdCopyAll_<key>, lblResult_<key>).
ResultRowControls AddResultRow(QGridLayout *grid, int gridRow, const QString &key, const QString &caption,
                               const QString &spoken);
// Shows a figure in a result row: the number, or a dash whose reason is its
// tooltip and spoken description.
void ShowResult(const ResultRowControls &row, const AxisFigure &figure, const QString &text);
