#pragma once
// Which units a unit list offers, and which one it starts on. Two rules for
// the entries: the unit calculator lists exactly the (padded) type it shows,
// while a window's list tagged "UnitType=T" matches T trimmed and ignoring
// case. Both run from the type's first slot to the first slot of another
// type, so the table's sort order decides the list's.

#include <QString>
#include <QStringList>

class ConversionTableData;

// Display units of exactly this padded 20-character type.
QStringList UnitsOfExactType(const ConversionTableData &table, const QString &unitType);

// Display units of the type a list's "UnitType" tag names (trimmed, case-free).
QStringList UnitsForListTag(const ConversionTableData &table, const QString &tagUnitType);

// The built-in default of the four types the calculators name ("kg" for
// "Mass", "kg/m³" for "Density", "m" for "Linear distance", "kg-m²" for
// "Inertia"; exact, case-sensitive), padded to 15 characters; empty for any
// other type.
QString BuiltInDefaultUnit(const QString &tagUnitType);

// The entry a list of entries starts on: the stored default (its first 15
// characters, padded) when it is not blank, else the built-in default, else
// the first entry. A stored or built-in name the list does not hold falls
// back to the built-in default, then to the first entry; -1 for no entries.
int DefaultUnitIndex(const QStringList &entries, const QString &tagUnitType, const QString &storedDefault);

// A control's "Default" tag value as the control receives it: "0.0" becomes
// zero with the pattern "0.0"; another number (read with "." as the decimal
// point) is written the short way with the locale's separator; any other
// text stays as it is.
QString DefaultTagText(const QString &value);
