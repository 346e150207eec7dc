#pragma once
// "Number unit" texts exchanged with the clipboard: reading a pasted text into
// a number as a number box holds it and a unit text, finding the unit it
// names, and writing the texts the calculators copy.

#include <QChar>
#include <QString>

#include <functional>
#include <optional>

class ConversionTableData;

// Why a pasted text is not taken.
enum class PasteProblem {
    None,
    Nothing,        // an empty or blank text
    NotANumber,     // the number part is no number (or there is none)
    TwoReadings,    // "1,500": the mark may group thousands or mark decimals
    TwoNumbers,     // another number follows the first
    UnknownUnit,    // the unit part names no unit
    TextAfterUnit,  // "7 mm extra": words follow a unit
    UnitNotOffered, // a unit the box does not list (another type, or no unit list)
};

// A clipboard text split into its number and unit parts.
struct ClipboardParts
{
    QString numberText; // as a number box holds it: ASCII digits, the locale's mark, "E"
    QString unitsText;  // as written, trimmed; empty when there is none
    QString separator;  // " " or "\t" when the text had one, else empty
    // NotANumber or TwoReadings when the number part cannot be taken; then
    // numberText is the number part as written.
    PasteProblem problem = PasteProblem::None;
};

// Splits clip, trimmed, into a number and what follows it after a blank.
// The number is written with digits 0-9, Arabic-Indic or Persian, an
// optional sign and exponent, and decimal and group marks, and comes out in
// the form a number box holds: ASCII digits, localeSeparator, "-", "E", no
// group marks. The Arabic decimal mark U+066B and localeSeparator are
// decimal marks; blanks (space, no-break spaces, thin space) and U+066C
// group thousands. The other of "." and "," (the foreign mark) groups when
// it comes twice or before a decimal mark; alone, it is the decimal mark
// written the other way ("3,5" under a point locale), unless it could just
// as well group thousands ("1,500"): then the text reads two ways and is
// refused. Groups are valid only in the whole part, one kind per number,
// three digits each after a first of one to three. textDecimalMark, when
// known (the program wrote the text), is the decimal mark whichever it is.
// Direction marks are dropped. Whether the number is in range is the
// caller's question (ReadLocaleNumber). nullopt for an empty text.
std::optional<ClipboardParts> ParseClipboardText(const QString &clip, QChar localeSeparator,
                                                 QChar textDecimalMark = QChar());

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

// A paste as a box would take it, or why it would not.
struct PasteReading
{
    PasteProblem problem = PasteProblem::None;
    QString detail; // the part of the text a problem concerns
    ClipboardParts parts;
    std::optional<PastedUnit> unit; // the unit the text names, when taken with one
};

// Whether a box's unit list offers a pasted unit.
using UnitOffered = std::function<bool(const PastedUnit &)>;

// Reads clip as one number with at most one unit that offered accepts
// (no table or no offered: no unit at all). Anything more or else is
// refused with its problem: a number that is none or reads two ways, a
// second number, an unknown unit, words after a unit, a unit not offered.
// A number beyond single precision is taken (the box says so).
PasteReading ReadPastedText(const QString &clip, QChar localeSeparator, const ConversionTableData *table,
                            const UnitOffered &offered, QChar textDecimalMark = QChar());

// A copied "number unit" text: the number, the separator (a space when none
// is given) and the unit name without its padding.
QString NumberUnitText(const QString &number, const QString &separator, const QString &unitName);
