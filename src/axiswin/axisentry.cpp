#include "axiswin/axisentry.h"

#include "core/fixedtext.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"

#include <QLocale>

#include <cmath>

std::optional<double> ReadAxisNumber(const QString &text)
{
    QString plain = text.trimmed();
    const QChar separator = LocaleDecimalSeparator();
    // Only the locale's separator counts: a point where a comma is the
    // separator is a group separator, which is refused.
    if (plain.isEmpty() || (separator != u'.' && plain.contains(u'.')))
        return std::nullopt;
    plain.replace(separator, u'.');
    for (const QChar c : plain)
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            return std::nullopt; // no "inf", "nan" or hex
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<AxisQuantity> ReadAxisQuantity(const ConversionTableData &units, const QString &text,
                                             const QString &unit)
{
    const std::optional<double> shown = ReadAxisNumber(text);
    if (!shown)
        return std::nullopt;
    const QString name = unit.trimmed();
    const std::optional<double> base = ToBaseUnits(units, *shown, name);
    if (!base)
        return std::nullopt;
    return AxisQuantity{*base, name};
}

QString AxisEntryText(double value)
{
    if (!std::isfinite(value))
        return {};
    QString text = QString::number(value, 'g', 15).toUpper();
    text.replace(u'.', LocaleDecimalSeparator());
    return text;
}

QString AxisNumberText(double value, int digits, bool notation)
{
    if (!std::isfinite(value))
        return {};
    if (notation || std::fabs(value) > double(std::numeric_limits<float>::max()))
        return FormatWithPattern(value, ScientificPattern(digits));
    return FormatSignificant(float(value), digits);
}

QString AxisFigureText(const ConversionTableData &units, const AxisFigure &figure, const QString &unit,
                       int digits, bool notation)
{
    if (!figure.ok())
        return figure.reason();
    const std::optional<double> shown = FromBaseUnits(units, figure.value(), unit.trimmed());
    return shown ? AxisNumberText(*shown, digits, notation) : OverflowReason();
}

QString AxisShareText(const AxisFigure &share, int digits, bool notation)
{
    return share.ok() ? AxisNumberText(share.value(), digits, notation) + QStringLiteral(" %")
                      : share.reason();
}

namespace {

// A value as a box shows it, in its own unit or else the base unit.
InertiaEntry entryText(const ConversionTableData &units, const AxisQuantity &quantity, const char *baseUnit)
{
    const QString unit = quantity.unit.isEmpty() ? QString::fromUtf8(baseUnit) : quantity.unit;
    // Too large for its unit: the calculator's box says so rather than 0.
    const std::optional<double> shown = FromBaseUnits(units, quantity.value, unit);
    return {shown ? AxisEntryText(*shown) : QStringLiteral("Overflow"), PadRight(unit, UnitNameWidth)};
}

} // namespace

std::optional<AxisShapePart> ShapePartFromPick(const ConversionTableData &units, const InertiaPick &pick)
{
    AxisShapePart part;
    part.shape = pick.shape;
    part.massMode = pick.massMode;
    part.result = pick.result;
    for (int i = 0; i < InertiaInputCount; ++i) {
        const InertiaEntry &entry = pick.entries[i];
        const std::optional<AxisQuantity> value = ReadAxisQuantity(units, entry.text, entry.unit);
        if (!value && ShapeReads(part, InertiaInput(i)))
            return std::nullopt;
        part.inputs[i] = value.value_or(AxisQuantity{0, entry.unit.trimmed()});
    }
    const std::optional<AxisQuantity> offset = ReadAxisQuantity(units, pick.offset.text, pick.offset.unit);
    if (!offset)
        return std::nullopt;
    part.offset = *offset;
    return part;
}

InertiaPick PickFromShapePart(const ConversionTableData &units, const AxisShapePart &part)
{
    InertiaPick pick;
    pick.shape = part.shape;
    pick.massMode = part.massMode;
    pick.result = part.result;
    for (int i = 0; i < InertiaInputCount; ++i)
        pick.entries[i] = entryText(units, part.inputs[i], InputRow(InertiaInput(i)).baseUnit);
    pick.offset = entryText(units, part.offset, "m");
    return pick;
}
