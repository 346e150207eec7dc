#include "axis/bestratio.h"

#include "units/numberformat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

constexpr double DefaultLow = 0.1;
constexpr double DefaultHigh = 1000;
// Ratios beyond these are no gearbox anyone builds; the range never leaves them.
constexpr double RangeFloor = 1e-4;
constexpr double RangeCeiling = 1e6;

using TorqueOf = AxisFigure RatioPoint::*;

CheckLevel levelOf(const MoveResults &results)
{
    bool passes = false;
    for (const MotorCheck &check : results.checks) {
        if (check.level == CheckLevel::Fails)
            return CheckLevel::Fails;
        passes = passes || check.level == CheckLevel::Passes;
    }
    return passes ? CheckLevel::Passes : CheckLevel::Unknown;
}

// Minimises f over [a, b] in log ratio by golden sections; f is taken as
// having one least value there, as a sampled bracket does.
double goldenSection(const std::function<double(double)> &f, double a, double b)
{
    const double g = (std::sqrt(5.0) - 1) / 2;
    double x = std::log(a), y = std::log(b);
    double c = y - g * (y - x), d = x + g * (y - x);
    double fc = f(std::exp(c)), fd = f(std::exp(d));
    while (y - x > RatioTolerance) {
        if (fc <= fd) {
            y = d;
            d = c;
            fd = fc;
            c = y - g * (y - x);
            fc = f(std::exp(c));
        } else {
            x = c;
            c = d;
            fc = fd;
            d = x + g * (y - x);
            fd = f(std::exp(d));
        }
    }
    // The ends were never tried themselves: an optimum at the edge of a band
    // is its end.
    const double mid = std::exp((x + y) / 2);
    double best = mid, fBest = f(mid);
    for (double end : {a, b}) {
        if (std::fabs(std::log(end) - std::log(mid)) <= RatioTolerance) {
            const double fEnd = f(end);
            if (fEnd <= fBest) {
                best = end;
                fBest = fEnd;
            }
        }
    }
    return best;
}

class Search
{
public:
    Search(const Axis &axis, const MoveInputs &move) : m_axis(axis), m_move(move) {}

    RatioPoint at(double ratio) const { return EvaluateRatio(m_axis, m_move, ratio); }

    // The least of one torque over samples[first..last] (a run of the sweep),
    // refined between the best sample's neighbours and kept within [lo, hi].
    RatioOptimum least(const std::vector<RatioPoint> &samples, std::size_t first, std::size_t last,
                       TorqueOf torque, double lo, double hi, bool wholeRange) const
    {
        std::size_t best = first;
        double highest = -HUGE_VAL;
        for (std::size_t k = first; k <= last; ++k) {
            const AxisFigure &value = samples[k].*torque;
            if (!value.ok())
                return {value, value};
            if (value.value() < (samples[best].*torque).value())
                best = k;
            highest = std::max(highest, value.value());
        }
        const QString what = torque == &RatioPoint::peakTorque ? QStringLiteral("The peak torque")
                                                               : QStringLiteral("The RMS torque");
        // A torque the ratio does not change (none at all: no rotor and no
        // load) has no least ratio; the search would name an end of the range.
        const AxisFigure &lowest = samples[best].*torque;
        if (wholeRange && highest - lowest.value() <= 1e-12 * std::fabs(highest))
            return {AxisFigure::failed(QStringLiteral("%1 is the same at every ratio searched.").arg(what)),
                    lowest};
        const double a = best > first ? samples[best - 1].ratio : lo;
        const double b = best < last ? samples[best + 1].ratio : hi;
        const auto f = [&](double ratio) {
            const AxisFigure value = at(std::clamp(ratio, lo, hi)).*torque;
            return value.ok() ? value.value() : HUGE_VAL;
        };
        const double ratio = goldenSection(f, std::max(a, lo), std::min(b, hi));
        const RatioPoint point = at(ratio);
        if (wholeRange && (best == first || best == last)) {
            const bool below = best == first;
            const double edge = below ? lo : hi;
            if (std::fabs(std::log(ratio / edge)) <= 10 * RatioTolerance) {
                const QString reason =
                    below ? QStringLiteral("%1 keeps falling below %2, the lowest ratio searched.")
                          : QStringLiteral("%1 keeps falling above %2, the highest ratio searched.");
                return {AxisFigure::failed(reason.arg(what, RatioLabel(edge))), point.*torque};
            }
        }
        return {ratio, point.*torque};
    }

    // The ratio between a (of level Passes) and b (not) where the level
    // changes, by halving in log ratio.
    double edge(double a, double b) const
    {
        double pass = std::log(a), other = std::log(b);
        while (std::fabs(other - pass) > RatioTolerance) {
            const double mid = (pass + other) / 2;
            (at(std::exp(mid)).level == CheckLevel::Passes ? pass : other) = mid;
        }
        return std::exp(pass);
    }

private:
    const Axis &m_axis;
    const MoveInputs &m_move;
};

// The least torque within the bands, or why there is none.
RatioOptimum leastFeasible(const Search &search, const BestRatio &best, TorqueOf torque)
{
    if (best.feasible.empty())
        return {AxisFigure::failed(QStringLiteral("No ratio passes every check.")), {}};
    RatioOptimum result;
    for (const RatioBand &band : best.feasible) {
        // The band's own samples, its ends included.
        std::vector<RatioPoint> samples{search.at(band.from)};
        for (const RatioPoint &point : best.sweep)
            if (point.ratio > band.from && point.ratio < band.to)
                samples.push_back(point);
        samples.push_back(search.at(band.to));
        const RatioOptimum found =
            search.least(samples, 0, samples.size() - 1, torque, band.from, band.to, false);
        if (!found.ratio.ok())
            return found;
        if (&band == &best.feasible.front() || found.torque.value() < result.torque.value())
            result = found;
    }
    return result;
}

QString torqueText(const ConversionTableData &units, const AxisFigure &torque, const QString &unit,
                   int digits)
{
    return FormatQuantity(units, {torque.value(), unit}, digits);
}

} // namespace

RatioPoint EvaluateRatio(const Axis &axis, const MoveInputs &move, double ratio)
{
    Axis trial = axis;
    trial.gearbox.ratio = ratio;
    const MoveResults results = ComputeMove(trial, ComputeAxis(trial), move);
    return {ratio, results.peakTorque, results.rmsTorque, results.maxMotorSpeed, levelOf(results)};
}

BestRatio FindBestRatio(const Axis &axis, const MoveInputs &move)
{
    BestRatio best;
    const AxisResults inertia = ComputeAxis(axis);
    const double rotor = axis.motor.inertia.value;
    if (!(rotor > 0))
        best.inertiaMatch = AxisFigure::failed(QStringLiteral("No rotor inertia is given."));
    else if (inertia.loadSide.ok() && !(inertia.loadSide.value() > 0))
        best.inertiaMatch = AxisFigure::failed(QStringLiteral("No load-side inertia is given."));
    else
        best.inertiaMatch = Sqrt(inertia.loadSide / rotor);

    double low = DefaultLow, high = DefaultHigh;
    for (const AxisFigure &widen : {best.inertiaMatch, AxisFigure(axis.gearbox.ratio)}) {
        if (widen.ok() && widen.value() > 0 && std::isfinite(widen.value())) {
            low = std::min(low, widen.value() / 10);
            high = std::max(high, widen.value() * 10);
        }
    }
    best.low = std::max(low, RangeFloor);
    best.high = std::min(high, RangeCeiling);

    const Search search(axis, move);
    const double logLow = std::log10(best.low), logHigh = std::log10(best.high);
    const int steps = std::max(2, int(std::ceil((logHigh - logLow) * SweepPerDecade)));
    for (int k = 0; k <= steps; ++k)
        best.sweep.push_back(search.at(std::pow(10.0, logLow + (logHigh - logLow) * k / steps)));

    const std::size_t last = best.sweep.size() - 1;
    best.peak = search.least(best.sweep, 0, last, &RatioPoint::peakTorque, best.low, best.high, true);
    best.rms = search.least(best.sweep, 0, last, &RatioPoint::rmsTorque, best.low, best.high, true);

    // Runs of passing samples, their ends found between samples.
    for (std::size_t k = 0; k <= last; ++k) {
        const RatioPoint &point = best.sweep[k];
        best.judged = best.judged || point.level != CheckLevel::Unknown;
        if (point.level != CheckLevel::Passes)
            continue;
        std::size_t end = k;
        while (end < last && best.sweep[end + 1].level == CheckLevel::Passes)
            ++end;
        RatioBand band;
        band.openBelow = k == 0;
        band.openAbove = end == last;
        band.from = band.openBelow ? best.low : search.edge(point.ratio, best.sweep[k - 1].ratio);
        band.to = band.openAbove ? best.high : search.edge(best.sweep[end].ratio, best.sweep[end + 1].ratio);
        best.feasible.push_back(band);
        k = end;
    }
    best.feasiblePeak = leastFeasible(search, best, &RatioPoint::peakTorque);
    best.feasibleRms = leastFeasible(search, best, &RatioPoint::rmsTorque);

    // The checks that cannot be judged, with why, at the inertia-matching
    // ratio (or the middle of the range): a check lacking a motor figure
    // lacks it at every ratio.
    Axis middle = axis;
    middle.gearbox.ratio =
        best.inertiaMatch.ok() ? best.inertiaMatch.value() : std::sqrt(best.low * best.high);
    const MoveResults there = ComputeMove(middle, ComputeAxis(middle), move);
    for (const MotorCheck &check : there.checks)
        if (check.level == CheckLevel::Unknown)
            best.unjudged.push_back(check);
    return best;
}

QString RatioLabel(double ratio)
{
    // Three significant figures, no trailing zeros: "8 : 1", "37.3 : 1", "0.316 : 1".
    if (!(ratio > 0) || ratio >= 1e6)
        return RatioText(ratio, false) + QStringLiteral(" : 1");
    const int decimals = std::max(0, 2 - int(std::floor(std::log10(ratio))));
    const double rounded = std::round(ratio * std::pow(10.0, decimals)) / std::pow(10.0, decimals);
    return FormatWithPattern(rounded, QStringLiteral("0.") + QString(decimals, u'#')) +
           QStringLiteral(" : 1");
}

QString BestRatioText(const ConversionTableData &units, const BestRatio &best, const QString &torqueUnit,
                      int digits)
{
    QStringList lines;
    const auto optimum = [&](const QString &what, const RatioOptimum &o) {
        if (!o.ratio.ok())
            return QStringLiteral("%1: %2").arg(what, o.ratio.reason());
        return QStringLiteral("%1: %2 (%3).")
            .arg(what, RatioLabel(o.ratio.value()), torqueText(units, o.torque, torqueUnit, digits));
    };
    lines << optimum(QStringLiteral("Least peak torque"), best.peak)
          << optimum(QStringLiteral("Least RMS torque"), best.rms);

    const QString range = QStringLiteral("%1 to %2").arg(RatioLabel(best.low), RatioLabel(best.high));
    if (!best.judged) {
        lines << QStringLiteral(
            "No ratio can be judged against this motor: none of its checks has what it needs.");
    } else if (best.feasible.empty()) {
        lines << QStringLiteral("No ratio from %1 passes every check of the motor.").arg(range);
    } else {
        for (const RatioBand &band : best.feasible) {
            if (band.openBelow && band.openAbove)
                lines << QStringLiteral("Every ratio searched, %1, passes the motor's checks.").arg(range);
            else if (band.openBelow)
                lines << QStringLiteral("Feasible up to %1, and below the lowest ratio searched (%2).")
                             .arg(RatioLabel(band.to), RatioLabel(best.low));
            else if (band.openAbove)
                lines << QStringLiteral("Feasible from %1, and above the highest ratio searched (%2).")
                             .arg(RatioLabel(band.from), RatioLabel(best.high));
            else
                lines << QStringLiteral("Feasible from %1 to %2.")
                             .arg(RatioLabel(band.from), RatioLabel(band.to));
        }
        // Said again only where the band moves an optimum.
        const auto moved = [](const RatioOptimum &all, const RatioOptimum &within) {
            return !all.ratio.ok() || !within.ratio.ok() ||
                   std::fabs(std::log(all.ratio.value() / within.ratio.value())) > 10 * RatioTolerance;
        };
        if (moved(best.peak, best.feasiblePeak))
            lines << optimum(QStringLiteral("Least peak torque among the feasible ratios"),
                             best.feasiblePeak);
        if (moved(best.rms, best.feasibleRms))
            lines << optimum(QStringLiteral("Least RMS torque among the feasible ratios"), best.feasibleRms);
    }
    lines << (best.inertiaMatch.ok()
                  ? QStringLiteral("Inertia matching (a reference, not the answer): %1.")
                        .arg(RatioLabel(best.inertiaMatch.value()))
                  : QStringLiteral("Inertia matching: %1").arg(best.inertiaMatch.reason()));
    for (const MotorCheck &check : best.unjudged)
        lines << QStringLiteral("Not judged: %1").arg(MotorCheckText(units, check, torqueUnit, digits));
    return lines.join(u'\n');
}
