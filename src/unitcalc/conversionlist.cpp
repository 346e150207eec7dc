#include "unitcalc/conversionlist.h"

#include "units/conversiontable.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

#include <algorithm>

std::optional<QList<ConversionRow>>
ComputeConversionRows(const ConversionTableData &table, const QString &unitType, const QString &unit,
                      const QString &numberText, const ConversionDisplay &display, ConversionProblem *problem)
{
    ConversionProblem unused;
    ConversionProblem &outcome = problem ? *problem : unused;
    outcome = ConversionProblem::None;
    const LocaleNumber number = ReadLocaleNumber(numberText);
    if (!number.value) {
        if (number.outOfRange)
            outcome = ConversionProblem::OutOfRange;
        return std::nullopt;
    }
    const float value = *number.value;

    // A source record whose step into the base unit overflows gives way to a
    // later record of the same name.
    const QList<ConversionRecord> &records = table.records();
    std::optional<float> base;
    const QList<int> sources = table.indexesOfName(unit);
    for (int index : sources) {
        const ConversionRecord &source = records.at(index);
        base = ToBaseUnit(value, source.XFactor, source.PlusFactor);
        if (base)
            break;
    }
    if (!base) {
        if (!sources.isEmpty())
            outcome = ConversionProblem::OutOfRange;
        return std::nullopt;
    }

    const QString pattern = display.notation ? ScientificPattern(display.digits) : QString();
    QList<ConversionRow> rows;
    bool anyFailed = false;
    for (const ConversionRecord &target : records) {
        if (!target.DisplayUnit || target.UnitType != unitType || target.UnitName == unit)
            continue;
        const std::optional<float> result = FromBaseUnit(*base, target.XFactor, target.PlusFactor);
        if (!result) {
            anyFailed = true;
            continue;
        }
        const QString text = display.notation ? FormatWithPattern(*result, pattern)
                                              : FormatSignificant(*result, display.digits);
        rows.append({ApplyDecimalConvention(text, display.usConvention), target.UnitName});
    }
    if (rows.isEmpty() && anyFailed)
        outcome = ConversionProblem::OutOfRange;
    return rows;
}

QString ApplyDecimalConvention(QString text, bool usConvention)
{
    const QChar from = usConvention ? QLatin1Char(',') : QLatin1Char('.');
    const qsizetype at = text.indexOf(from);
    if (at >= 0)
        text[at] = usConvention ? QLatin1Char('.') : QLatin1Char(',');
    return text;
}
