#pragma once
// Round tick values for a plot's axis: steps of 1, 2, 2.5 or 5 times a power
// of ten, the first and last ticks covering the data, and the ticks' labels
// with as many decimals as the step needs.

#include <QLocale>
#include <QString>

#include <vector>

struct AxisTicks
{
    double step = 1;
    std::vector<double> values; // from the first tick (at or below the data) to the last (at or above)
    double low() const { return values.front(); }
    double high() const { return values.back(); }
};

// Ticks over low..high, at least two and at most maxTicks (3 or more). A
// range of no width is widened around its value; a bound that is not finite
// or beyond ±1e300 is taken as 0 or ±1e300.
AxisTicks NiceTicks(double low, double high, int maxTicks = 8);

// A tick's label, exact to the step: "0.25", "1400", "-1.5", never "-0";
// in powers of ten ("2.5e-07") when the step is below 1e-4 or the value 1e7
// or more.
QString TickText(double value, double step, const QLocale &locale = QLocale());
