#include "units/convertunits.h"

#include "units/conversiontable.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Rounds a double result once to single precision; anything that does not end
// as a finite float (overflow, NaN, infinity) is a failed step.
std::optional<float> toSingle(double result)
{
    const float single = static_cast<float>(result);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

// The 15-character lookup key of a unit name, built on the stack: this runs for
// every value a window shows, so it avoids a heap allocation per call.
class UnitKey
{
public:
    explicit UnitKey(const QString &name)
    {
        const qsizetype used = std::min<qsizetype>(name.size(), UnitNameWidth);
        std::copy_n(name.constData(), used, m_chars.begin());
        std::fill(m_chars.begin() + used, m_chars.end(), QLatin1Char(' '));
    }
    bool operator==(const UnitKey &other) const { return m_chars == other.m_chars; }
    QStringView view() const { return QStringView(m_chars.data(), UnitNameWidth); }

private:
    std::array<QChar, UnitNameWidth> m_chars;
};

} // namespace

std::optional<float> ToBaseUnit(float value, float xFactor, float plusFactor)
{
    return toSingle(double(value) * double(xFactor) + double(plusFactor));
}

std::optional<float> FromBaseUnit(float base, float xFactor, float plusFactor)
{
    if (xFactor == 0)
        return std::nullopt;
    return toSingle((double(base) - double(plusFactor)) / double(xFactor));
}

namespace {

std::optional<float> convert(const ConversionTableData &table, float value, const QString &fromUnit,
                             const QString &toUnit, std::optional<float> unknownUnit)
{
    const UnitKey fromKey(fromUnit);
    const UnitKey toKey(toUnit);
    if (fromKey == toKey)
        return value;

    const ConversionTableData::NameEntry *source = table.findName(fromKey.view());
    if (!source)
        return unknownUnit;
    const std::optional<float> base = ToBaseUnit(value, source->XFactor, source->PlusFactor);
    if (!base)
        return std::nullopt;

    const ConversionTableData::NameEntry *target = table.findName(toKey.view());
    if (!target)
        return unknownUnit;
    return FromBaseUnit(*base, target->XFactor, target->PlusFactor);
}

} // namespace

std::optional<float> ConvertUnits(const ConversionTableData &table, float value, const QString &fromUnit,
                                  const QString &toUnit)
{
    return convert(table, value, fromUnit, toUnit, 0.0f);
}

std::optional<float> ConvertKnownUnits(const ConversionTableData &table, float value, const QString &fromUnit,
                                       const QString &toUnit)
{
    return convert(table, value, fromUnit, toUnit, std::nullopt);
}
