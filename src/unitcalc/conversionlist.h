#pragma once
// The unit calculator's pure parts: the conversion rows of one value, and the "number, separator, unit"
// clipboard texts.

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ConversionTableData;

// How results are shown: significant digits or scientific notation, and the
// decimal mark forced to "." (US convention) or ",".
struct ConversionDisplay
{
    int digits = 6;
    bool notation = false;
    bool usConvention = true;
};

// One line of the conversion list: the value as displayed and the target
// unit's full 15-character name.
struct ConversionRow
{
    QString value;
    QString unitName;
};

// Why a conversion list is empty when the user needs to know: the value
// (or its step into the base unit, or every step out of it) is beyond
// single precision.
enum class ConversionProblem { None, OutOfRange };

// The value of numberText (locale rules) in unit, converted into every other
// display unit of unitType, in table order. The source is the first record
// named unit whose step into the base unit succeeds; a target whose step out
// fails is left out. nullopt when the number cannot be read or no source
// record yields a base value. problem, when given, is set to OutOfRange when
// the number is too large to read, no source step fits, or every target
// step overflows (the rows are then empty), and to None otherwise.
std::optional<QList<ConversionRow>> ComputeConversionRows(const ConversionTableData &table,
                                                          const QString &unitType, const QString &unit,
                                                          const QString &numberText,
                                                          const ConversionDisplay &display,
                                                          ConversionProblem *problem = nullptr);

// Forces the decimal mark of a displayed number: the first "," becomes "."
// under the US convention, otherwise the first "." becomes ",".
QString ApplyDecimalConvention(QString text, bool usConvention);

// A clipboard text split into its number and unit parts.
struct ClipboardParts
{
    QString numberText; // decimal mark already turned into the locale's
    QString unitsText;  // as written, trimmed; empty when there is none
    QString separator;  // " " or "\t" when the text had one, else empty
};

// Splits clip at its first space or Tab, whichever comes first, after
// trimming it, and turns the number's first foreign decimal mark into
// localeSeparator. nullopt for an empty clipboard text.
std::optional<ClipboardParts> ParseClipboardText(const QString &clip, QChar localeSeparator);

// The case-free lookup form of a pasted unit text: periods removed, the
// Greek mu as the micro sign, lower case.
QString PastedUnitKey(const QString &unitsText);

// Where a pasted unit lands: its type and the listed unit to select (the
// record's own name for a display unit, its SameAs for an alias).
struct PastedUnit
{
    QString unitType;
    QString unitToSelect;
};

// The record a pasted unit text names, first in table order: the trimmed
// name exactly as written; else with periods left out; else without regard
// to letter case, provided every name that matches so lands on the same unit
// (otherwise nullopt). nullopt when nothing matches or unitsText is empty.
std::optional<PastedUnit> FindPastedUnit(const ConversionTableData &table, const QString &unitsText);

// The text "copy value and units" puts on the clipboard: the value, the
// separator (a space when none was pasted) and the padded unit name.
QString CopyValueAndUnitsText(const QString &value, const QString &separator, const QString &unitName);
