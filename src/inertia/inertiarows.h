#pragma once
// What the inertia calculator window is built from, without the window: its
// input and result rows, reading the boxes into base units, the mass shown in
// density mode, the result texts and the clipboard texts.

#include "inertia/inertiaformulas.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

class ConversionTableData;

// The text shown in place of a result that cannot be computed or shown.
inline constexpr char InertiaFailureText[] = "Overflow";
// The text shown in place of a result whose inputs describe no real body; the
// reason is InertiaProblemText.
inline constexpr char InertiaInvalidText[] = "Invalid input";
// The unit every result is computed in, padded as unit names are.
QString InertiaBaseUnit();

// One input row: caption label, box and unit list. The caption's text is
// string 1200 + captionOffset (plus the language offset).
struct InertiaInputRow
{
    InertiaInput input;
    const char *caption;  // "Label10", "lblRadius", ...
    const char *textBox;  // "txtDensity", ...
    const char *unitList; // "cmbDensityUnits", ...
    int captionOffset;
    const char *unitType; // the unit list's UnitType tag value
    const char *baseUnit; // what the box is converted into, unpadded
};
const InertiaInputRow &InputRow(InertiaInput input);

// The rows a shape shows: its dimensions, and always density and mass.
bool ShowsInputRow(InertiaShape shape, InertiaInput input);

// The order On/C clears the boxes in.
inline constexpr std::array<InertiaInput, InertiaInputCount> InertiaClearOrder = {
    InertiaInput::Density, InertiaInput::Mass,       InertiaInput::Height, InertiaInput::Radius,
    InertiaInput::Length,  InertiaInput::OutsideDia, InertiaInput::Width,  InertiaInput::InsideDia};

// One result row: "I" with its subscript and "=", the value label, and the
// string id of its copy-with-unit hint.
struct InertiaResultRow
{
    InertiaAxis axis;
    const char *valueLabel; // "lblIxx", ..., "lblIyyPrime"
    const char *subscript;  // "xx", ..., "y'y'"
    int copyAllHintId;      // 1963..1967
};
const InertiaResultRow &ResultRow(InertiaAxis axis);

// The shape whose name (as listed, from the string table) is exactly name.
std::optional<InertiaShape> FindShape(const QStringList &shapeNames, const QString &name);

// A box's text read by the locale's rules and converted, through table, from
// unit into the row's base unit. nullopt for a text that is no number (empty, "-", "1E-")
// or a failing conversion, and also when the table lacks unit or the row's
// base unit (a damaged record skipped): never a 0 computed on.
std::optional<float> ReadInertiaInput(const ConversionTableData &table, InertiaInput input,
                                      const QString &text, const QString &unit);

// A box's text restated in another unit of its list, in the general text
// form, so that changing the unit keeps the quantity. The text itself when it
// holds no number, the units are the same, the value does not change, or the
// conversion fails.
QString RestateInUnit(const ConversionTableData &table, const QString &text, const QString &fromUnit,
                      const QString &toUnit);

// The eight boxes as the window holds them: text and unit list text.
struct InertiaEntry
{
    QString text;
    QString unit;
};
using InertiaEntries = std::array<InertiaEntry, InertiaInputCount>; // by InertiaInput

struct InertiaOutcome
{
    std::array<std::optional<float>, InertiaAxisCount> values; // kg-m² by InertiaAxis; nullopt: failed
    // Density mode: the computed mass in the mass box's unit, as written into
    // the box (general form, the locale's decimal separator), or empty when
    // the inputs give no mass. nullopt: leave the box as it is.
    std::optional<QString> massText;
    InertiaProblem problem; // why the inputs give no results, if they do not
};

// One compute of the window: reads the boxes the shape uses, in reading
// order, and gives every result. In density mode the mass is also shown in
// the mass unit; when that conversion fails, the results fail with it and
// the mass box keeps its text.
InertiaOutcome ComputeInertiaEntries(const ConversionTableData &table, InertiaShape shape,
                                     const InertiaEntries &entries, MassMode mode);

// A result as shown: converted from kg-m² into resultUnit, then to digits
// significant digits or, in notation mode, ScientificPattern(digits).
// A missing result shows by its problem: nothing while a box is blank,
// "Invalid input" for inputs that describe no body, otherwise "Overflow"
// (also for a result whose conversion fails).
QString FormatInertiaResult(const ConversionTableData &table, std::optional<float> value,
                            const QString &resultUnit, int digits, bool notation,
                            const InertiaProblem &problem = {});
