#include "axis/axisfigure.h"

#include "core/fixedtext.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

AxisFigure checked(double value)
{
    return std::isfinite(value) ? AxisFigure(value) : AxisFigure::failed(OverflowReason());
}

template <typename Op> AxisFigure combine(const AxisFigure &a, const AxisFigure &b, Op op)
{
    if (!a.ok())
        return a;
    if (!b.ok())
        return b;
    return checked(op(a.value(), b.value()));
}

const ConversionTableData::NameEntry *findUnit(const ConversionTableData &units, const QString &unit)
{
    return units.findName(PadRight(unit, UnitNameWidth));
}

// A table factor in double precision: the shortest decimal that reads back as
// the stored single, so 1e-4 and 0.0254 convert as the exact decimals they
// were made from rather than as their nearest singles.
double widen(float factor)
{
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, factor);
    double value = factor;
    std::from_chars(text, written.ptr, value);
    return value;
}

} // namespace

AxisFigure::AxisFigure(double value) : m_value(value)
{
    if (!std::isfinite(value)) {
        m_value = 0;
        m_reason = OverflowReason();
    }
}

AxisFigure AxisFigure::failed(const QString &reason)
{
    AxisFigure figure;
    figure.m_reason = reason.isEmpty() ? OverflowReason() : reason;
    return figure;
}

QString OverflowReason()
{
    return QStringLiteral("The result is too large to compute.");
}

AxisFigure operator+(const AxisFigure &a, const AxisFigure &b)
{
    return combine(a, b, [](double x, double y) { return x + y; });
}

AxisFigure operator-(const AxisFigure &a, const AxisFigure &b)
{
    return combine(a, b, [](double x, double y) { return x - y; });
}

AxisFigure operator*(const AxisFigure &a, const AxisFigure &b)
{
    return combine(a, b, [](double x, double y) { return x * y; });
}

AxisFigure operator/(const AxisFigure &a, const AxisFigure &b)
{
    if (a.ok() && b.ok() && b.value() == 0)
        return AxisFigure::failed(OverflowReason());
    return combine(a, b, [](double x, double y) { return x / y; });
}

AxisFigure Sqrt(const AxisFigure &a)
{
    if (!a.ok())
        return a;
    return a.value() < 0 ? AxisFigure::failed(OverflowReason()) : AxisFigure(std::sqrt(a.value()));
}

AxisFigure NonNegative(double value, const QString &what)
{
    if (!std::isfinite(value))
        return AxisFigure::failed(QStringLiteral("%1 is not a usable number.").arg(what));
    if (value < 0)
        return AxisFigure::failed(QStringLiteral("%1 must not be negative.").arg(what));
    return value;
}

AxisFigure Positive(double value, const QString &what)
{
    if (std::isfinite(value) && value <= 0)
        return AxisFigure::failed(QStringLiteral("%1 must be greater than 0.").arg(what));
    return NonNegative(value, what);
}

std::optional<double> ToBaseUnits(const ConversionTableData &units, double value, const QString &unit)
{
    if (unit.isEmpty())
        return std::isfinite(value) ? std::optional(value) : std::nullopt;
    const ConversionTableData::NameEntry *entry = findUnit(units, unit);
    if (!entry)
        return std::nullopt;
    const double base = value * widen(entry->XFactor) + widen(entry->PlusFactor);
    return std::isfinite(base) ? std::optional(base) : std::nullopt;
}

std::optional<double> FromBaseUnits(const ConversionTableData &units, double base, const QString &unit)
{
    if (unit.isEmpty())
        return std::isfinite(base) ? std::optional(base) : std::nullopt;
    const ConversionTableData::NameEntry *entry = findUnit(units, unit);
    if (!entry || entry->XFactor == 0)
        return std::nullopt;
    const double shown = (base - widen(entry->PlusFactor)) / widen(entry->XFactor);
    return std::isfinite(shown) ? std::optional(shown) : std::nullopt;
}

std::optional<double> ShownValue(const ConversionTableData &units, const AxisQuantity &quantity)
{
    return FromBaseUnits(units, quantity.value, quantity.unit);
}

QString FormatQuantity(const ConversionTableData &units, const AxisQuantity &quantity, int digits)
{
    const std::optional<double> shown = ShownValue(units, quantity);
    // Shown through the single-precision display; a value beyond it shows "?".
    const bool showable = shown && std::fabs(*shown) <= double(std::numeric_limits<float>::max());
    const QString number = showable ? FormatSignificant(float(*shown), digits) : QString();
    const QString text = number.isEmpty() ? QStringLiteral("?") : number;
    return quantity.unit.isEmpty() ? text : text + u' ' + quantity.unit;
}
