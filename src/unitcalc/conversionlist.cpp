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

std::optional<ClipboardParts> ParseClipboardText(const QString &clip, QChar localeSeparator)
{
    // Line ends and stray blanks around a copied value are trimmed too, so a
    // line copied from a text editor still reads.
    const QString text = clip.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    ClipboardParts parts;
    // Number and unit part at the first space or Tab, whichever comes first:
    // a Tab-separated text with a unit such as "cu. in" must not split inside
    // the unit, or the calculator could not read back its own copies.
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const qsizetype at = (space < 0 || (tab >= 0 && tab < space)) ? tab : space;
    if (at >= 0) {
        parts.separator = text.at(at);
        parts.numberText = text.left(at).trimmed();
        parts.unitsText = text.mid(at + 1).trimmed();
    } else {
        parts.numberText = text;
    }

    // The number may have been written with the other decimal mark.
    if (!localeSeparator.isNull() && localeSeparator != QLatin1Char('.')) {
        const qsizetype point = parts.numberText.indexOf(QLatin1Char('.'));
        if (point >= 0)
            parts.numberText[point] = localeSeparator;
    } else {
        const qsizetype comma = parts.numberText.indexOf(QLatin1Char(','));
        if (comma >= 0)
            parts.numberText[comma] = QLatin1Char('.');
    }
    return parts;
}

QString PastedUnitKey(const QString &unitsText)
{
    return UnitNameCaseFreeKey(unitsText);
}

std::optional<PastedUnit> FindPastedUnit(const ConversionTableData &table, const QString &unitsText)
{
    if (unitsText.isEmpty())
        return std::nullopt;
    const QList<ConversionRecord> &records = table.records();
    auto landing = [&records](int slot) {
        const ConversionRecord &record = records.at(slot);
        return PastedUnit{record.UnitType, record.DisplayUnit ? record.UnitName : record.SameAs};
    };
    // Letter case first: nm and Nm, mW and MW are different units.
    QList<int> found = table.slotsWithNameForm(UnitNameForm::Trimmed, unitsText, 1);
    if (!found.isEmpty())
        return landing(found.first());
    // Periods left out: an abbreviation written with a trailing period
    // matches the name without it.
    const QString spelled = UnitNameSpelling(unitsText);
    found = table.slotsWithNameForm(UnitNameForm::Spelled, spelled, 1);
    if (!found.isEmpty())
        return landing(found.first());
    // Then without regard to case, but only when that cannot pick the wrong
    // unit: "NM" could be nanometres or newton metres, so it finds neither.
    found = table.slotsWithNameForm(UnitNameForm::CaseFree, spelled.toLower());
    if (found.isEmpty())
        return std::nullopt;
    const PastedUnit first = landing(found.first());
    for (const int slot : found) {
        const PastedUnit other = landing(slot);
        if (records.at(slot).UnitName != records.at(found.first()).UnitName &&
            (other.unitType != first.unitType || other.unitToSelect != first.unitToSelect))
            return std::nullopt;
    }
    return first;
}

QString CopyValueAndUnitsText(const QString &value, const QString &separator, const QString &unitName)
{
    return value + (separator.isEmpty() ? QStringLiteral(" ") : separator) + unitName;
}
