#pragma once
// "Number unit" texts exchanged with the clipboard: reading a pasted text into
// a number as a number box holds it and a unit text, finding the unit it
// names, and writing the texts the calculators copy.

#include <QChar>
#include <QString>

#include <optional>

class ConversionTableData;

// A clipboard text split into its number and unit parts.
struct ClipboardParts
{
    QString numberText; // as a number box holds it: ASCII digits, the locale's mark, "E"
    QString unitsText;  // as written, trimmed; empty when there is none
    QString separator;  // " " or "\t" when the text had one, else empty
};

// Splits clip at its first space or Tab, whichever comes first, after
// trimming it. The number part is brought into the form a number box holds:
// direction marks dropped, Arabic-Indic and Persian digits as 0-9, the Arabic
// decimal mark and the first foreign mark ("." or ",") as localeSeparator, a
// minus sign as "-", "e" as "E", a leading "+" dropped. Whether it then reads
// as a number is the caller's question (ReadLocaleNumber). nullopt for an
// empty text.
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

// A copied "number unit" text: the number, the separator (a space when none
// is given) and the unit name without its padding.
QString NumberUnitText(const QString &number, const QString &separator, const QString &unitName);
