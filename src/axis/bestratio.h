#pragma once
// The best gearbox ratio for an axis, its move and its motor. The ratio i is
// the one variable: the axis is computed at each trial ratio exactly as the
// axis window computes it (ComputeAxis, then ComputeMove), so every rule of
// the move's torques and the motor's checks holds here unchanged.
//
// Found: the ratio of least peak torque, the ratio of least RMS torque, the
// same two within the ratios the motor passes at, the inertia-matching ratio
// √(J_L / J_m) as a reference, and the band of ratios where every check that
// can be judged passes.
//
// The search runs over a log scale: from 0.1 : 1 (a belt speeding the load
// up ten times) to 1000 : 1 (a multi-stage or worm box), widened to reach a
// decade either side of the inertia-matching and the axis's own ratio. It
// samples SweepPerDecade ratios a decade, then narrows the best sample's
// bracket by golden sections (and a band's edges by halving) to a relative
// RatioTolerance: six figures, far finer than any catalogue's ratios.

#include "axis/moveprofile.h"

#include <QString>

#include <vector>

class ConversionTableData;

inline constexpr int SweepPerDecade = 20;
inline constexpr double RatioTolerance = 1e-6;

// The move at one ratio.
struct RatioPoint
{
    double ratio = 1;
    AxisFigure peakTorque;    // N·m
    AxisFigure rmsTorque;     // N·m
    AxisFigure maxMotorSpeed; // rad/s
    // Passes when every check judged passes (and one is), Fails when one
    // fails, Unknown when none can be judged.
    CheckLevel level = CheckLevel::Unknown;
};

// Ratios from..to that pass every check judged; open at an end that reaches
// the searched range's end (the band may go on beyond it).
struct RatioBand
{
    double from = 0;
    double to = 0;
    bool openBelow = false;
    bool openAbove = false;
};

// A least torque: where and how much, or why there is none.
struct RatioOptimum
{
    AxisFigure ratio;
    AxisFigure torque; // N·m
};

struct BestRatio
{
    double low = 0.1, high = 1000; // the range searched
    std::vector<RatioPoint> sweep; // log-spaced, low to high, for plotting
    RatioOptimum peak, rms;        // over the whole range
    RatioOptimum feasiblePeak;     // within the feasible band
    RatioOptimum feasibleRms;
    AxisFigure inertiaMatch;          // √(J_L / J_m), a reference only
    std::vector<RatioBand> feasible;  // rising, apart
    bool judged = false;              // some check was judged at some ratio
    std::vector<MotorCheck> unjudged; // checks never judged, with their reasons
};

// The move with the gearbox ratio replaced by ratio.
RatioPoint EvaluateRatio(const Axis &axis, const MoveInputs &move, double ratio);

BestRatio FindBestRatio(const Axis &axis, const MoveInputs &move);

// The findings in words, one sentence a line: the two optima, the band (or
// why there is none, or that it runs on past the range searched), the
// inertia-matching reference and the checks that cannot be judged.
// Torques are shown in torqueUnit with digits significant digits.
QString BestRatioText(const ConversionTableData &units, const BestRatio &best, const QString &torqueUnit,
                      int digits);

// A ratio as "12.5 : 1".
QString RatioLabel(double ratio);
