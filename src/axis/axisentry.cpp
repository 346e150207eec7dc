#include "axis/axisentry.h"

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

namespace {

QString entryText(double value, int digits)
{
    if (!std::isfinite(value))
        return {};
    QString text = QString::number(value, 'g', digits).toUpper();
    text.replace(u'.', LocaleDecimalSeparator());
    return text;
}

} // namespace

QString AxisEntryText(double value)
{
    return entryText(value, 15);
}

QString AxisQuantityText(const ConversionTableData &units, double base, const QString &unit)
{
    const QString name = unit.trimmed();
    const std::optional<double> shown = FromBaseUnits(units, base, name);
    // Too large for its unit: the box says so, never 0.
    if (!shown || !std::isfinite(*shown))
        return std::isnan(base) ? QString() : QStringLiteral("Overflow");
    const bool baseUnit = ToBaseUnits(units, 1, name) == 1.0 && ToBaseUnits(units, 0, name) == 0.0;
    return entryText(*shown, baseUnit ? 15 : 7);
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
InertiaEntry pickEntry(const ConversionTableData &units, const AxisQuantity &quantity, const char *baseUnit)
{
    const QString unit = quantity.unit.isEmpty() ? QString::fromUtf8(baseUnit) : quantity.unit;
    return {AxisQuantityText(units, quantity.value, unit), PadRight(unit, UnitNameWidth)};
}

} // namespace

std::optional<AxisShapePart> ShapePartFromPick(const ConversionTableData &units, const InertiaPick &pick,
                                               const AxisShapePart *shown)
{
    const InertiaPick before = shown ? PickFromShapePart(units, *shown) : InertiaPick();
    // A value still shown as it was is the value itself, not its rounded text.
    const auto read = [&](const InertiaEntry &entry, const InertiaEntry &was,
                          const AxisQuantity &held) -> std::optional<AxisQuantity> {
        if (shown && entry.text == was.text && entry.unit.trimmed() == was.unit.trimmed())
            return held;
        return ReadAxisQuantity(units, entry.text, entry.unit);
    };
    AxisShapePart part;
    part.shape = pick.shape;
    part.massMode = pick.massMode;
    part.result = pick.result;
    for (int i = 0; i < InertiaInputCount; ++i) {
        const InertiaEntry &entry = pick.entries[i];
        const std::optional<AxisQuantity> value =
            read(entry, before.entries[i], shown ? shown->inputs[i] : AxisQuantity());
        if (!value && ShapeReads(part, InertiaInput(i)))
            return std::nullopt;
        part.inputs[i] = value.value_or(AxisQuantity{0, entry.unit.trimmed()});
    }
    const std::optional<AxisQuantity> offset =
        read(pick.offset, before.offset, shown ? shown->offset : AxisQuantity());
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
        pick.entries[i] = pickEntry(units, part.inputs[i], InputRow(InertiaInput(i)).baseUnit);
    pick.offset = pickEntry(units, part.offset, "m");
    return pick;
}
