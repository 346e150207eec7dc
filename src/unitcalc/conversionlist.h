#pragma once
// The unit calculator's pure parts: the conversion rows of one value; the
// "number, separator, unit" clipboard texts it exchanges are units/clipboardtext.h.

#include "units/clipboardtext.h"

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
