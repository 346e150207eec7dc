#include "core/niceticks.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Limit = 1e300;

double bounded(double value)
{
    return std::isfinite(value) ? std::clamp(value, -Limit, Limit) : 0.0;
}

// Decimals that show a multiple of step exactly (2.5 needs one, 0.05 two).
int decimalsOf(double step)
{
    for (int decimals = 0; decimals < 15; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) <= 1e-6 * scaled)
            return decimals;
    }
    return 15;
}

} // namespace

AxisTicks NiceTicks(double low, double high, int maxTicks)
{
    low = bounded(low);
    high = bounded(high);
    if (low > high)
        std::swap(low, high);
    // Three ticks always fit: -step, 0 and step around zero.
    maxTicks = std::max(maxTicks, 3);
    // A range narrower than the doubles can step through is a single value.
    const double size = std::max(std::abs(low), std::abs(high));
    if (high - low <= size * 1e-12) {
        const double pad = size > 0 ? size * 0.1 : 1.0;
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / (maxTicks - 1);
    AxisTicks ticks;
    for (double power = std::pow(10.0, std::floor(std::log10(raw)));; power *= 10) {
        for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            const double step = mantissa * power;
            // A hair of slack, so a bound that is a tick in decimal stays one.
            const double first = std::floor(low / step + 1e-9);
            const double last = std::ceil(high / step - 1e-9);
            if (last - first + 1 > maxTicks)
                continue;
            ticks.step = step;
            for (double k = first; k <= last; ++k)
                ticks.values.push_back(k == 0 ? 0.0 : k * step); // never -0
            return ticks;
        }
    }
}

QString TickText(double value, double step, const QLocale &locale)
{
    step = std::abs(step);
    if (std::abs(value) < step * 1e-9)
        value = 0; // no "-0", nor 1e-17 for a sum that should be 0
    if (step < 1e-4 || std::abs(value) >= 1e7) {
        // Significant digits from the value's leading digit down to the step's last.
        const double top = std::floor(std::log10(std::max(std::abs(value), step)));
        const double stepTop = std::floor(std::log10(step));
        const int digits = int(top - stepTop) + 1 + decimalsOf(step / std::pow(10.0, stepTop));
        return locale.toString(value, 'g', std::clamp(digits, 1, 17));
    }
    QLocale plain = locale;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    return plain.toString(value, 'f', decimalsOf(step));
}
