#pragma once
// The move an axis makes and the torque it asks of the motor: a trapezoidal
// or triangular speed profile, the motor speed and acceleration through the
// mechanism and the gearbox, the acceleration and load torques, the torque of
// each segment of one cycle (accelerate, constant speed, decelerate, dwell),
// the peak and RMS torque, and the check of all of it against the motor.
//
// SI base units and double precision throughout (see axisfigure.h): m, rad,
// s, N, N·m, rad/s, kg·m². Efficiencies are applied in the driving direction
// in every segment, deceleration included: a conservative simplification
// (a braking load would need less torque than this says).
//
// Signs: a torque is positive in the direction of the move; a negative
// incline moves the load down, so gravity helps the move and the load and
// holding torques turn negative.

#include "axis/axismodel.h"

#include <QPointF>

#include <vector>

// Standard gravity, m/s².
inline constexpr double StandardGravity = 9.80665;

enum class MoveProfile { Trapezoidal, Triangular };

struct MoveInputs
{
    AxisQuantity distance; // m for a linear axis, rad for a rotary one
    AxisQuantity moveTime;
    MoveProfile profile = MoveProfile::Trapezoidal;
    // Trapezoidal: the ramp times, or t/3 each when defaultRamps.
    bool defaultRamps = true;
    AxisQuantity accelTime;
    AxisQuantity decelTime;
    AxisQuantity dwell; // after the move, at rest
    // Linear axes.
    AxisQuantity incline;             // rad: 0 horizontal, π/2 lifting vertically (from -π/2 to π/2)
    double friction = 0;              // coefficient μ
    AxisQuantity thrust;              // an external force against the move
    double mechanismEfficiency = 100; // %
    // Rotary axes: a constant torque at the load against the move, also held at rest.
    AxisQuantity loadTorque;
    double gearboxEfficiency = 100; // %

    bool operator==(const MoveInputs &) const = default;
};

enum class MechanismKind { Rotary, Screw, Belt };

// What drives the load, found from the axis's linear-mass items: a screw of
// one lead, a belt or pinion of one pitch diameter, or none (a rotary axis).
// The linear loads must sit on the load side of the gearbox, where the
// mechanism's efficiency acts.
struct AxisMechanism
{
    MechanismKind kind = MechanismKind::Rotary;
    AxisFigure pitch;      // screw: lead p in m; belt: pitch diameter D in m
    AxisFigure movingMass; // the linear-mass items' mass, quantities included
    QString failure;       // the axis mixes mechanisms or sizes; empty when usable
};
AxisMechanism MechanismOf(const Axis &axis);
// The unit type of the move distance: "Linear distance", or "Angle" for a rotary axis.
const char *DistanceUnitType(MechanismKind kind);

enum class MoveSegmentKind { Accelerate, Constant, Decelerate, Dwell };
inline constexpr int MoveSegmentCount = 4;

struct MoveSegment
{
    MoveSegmentKind kind = MoveSegmentKind::Accelerate;
    double start = 0;     // s from the start of the cycle
    double duration = 0;  // s
    double speedFrom = 0; // motor speed at its start, rad/s
    double speedTo = 0;   // at its end
    AxisFigure torque;    // motor torque through the segment, N·m
};

enum class MotorCheckKind { PeakTorque, RmsTorque, Speed, InertiaRatio };
inline constexpr int MotorCheckCount = 4;

enum class CheckLevel { Passes, Fails, Unknown };

struct MotorCheck
{
    MotorCheckKind kind = MotorCheckKind::PeakTorque;
    AxisFigure value; // what the move needs (N·m, rad/s, or λ)
    AxisFigure limit; // what the motor allows (or the target ratio)
    CheckLevel level = CheckLevel::Unknown;
    AxisFigure margin; // 1 − value / limit, as a fraction; negative when it fails
};

struct MoveResults
{
    AxisMechanism mechanism;
    // The load's profile (m/s and m/s², or rad/s and rad/s²).
    AxisFigure accelTime, constantTime, decelTime;
    AxisFigure peakLoadSpeed, loadAccel, loadDecel;
    // At the motor.
    AxisFigure maxMotorSpeed, motorAccel, motorDecel;
    AxisFigure accelTorque; // T_acc = J α, what the inertia takes to accelerate
    AxisFigure decelTorque; // the same for the deceleration, J α_dec (a size: it brakes)
    AxisFigure loadForce;   // F (linear axes)
    AxisFigure loadTorque;  // T_L
    AxisFigure holdingTorque;
    // What the move took from the mechanism: the lead or pitch diameter (m)
    // and the moving mass (kg) of a linear axis.
    AxisFigure pitch, movingMass;
    std::array<MoveSegment, MoveSegmentCount> segments; // by MoveSegmentKind
    AxisFigure cycleTime;
    AxisFigure peakTorque;                          // the largest |T| of the segments
    AxisFigure rmsTorque;                           // over the whole cycle, dwell included
    std::array<MotorCheck, MotorCheckCount> checks; // by MotorCheckKind
};

// Without a rotor inertia (J_m = 0) the torques are worked out, but the peak
// and RMS checks give no verdict: they say NoRotorReason().
MoveResults ComputeMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move);
QString NoRotorReason();

// A check in words with numbers, values shown in unit (a unit of the check's
// type; ignored for the inertia ratio) with digits significant digits:
// "Peak torque 0.237 N-m of 0.5 N-m: passes, 53 % margin",
// "Maximum speed 9000 rpm of 6000 rpm: fails, 50 % over", or why it cannot be
// checked. Complete without any colour.
QString MotorCheckText(const ConversionTableData &units, const MotorCheck &check, const QString &unit,
                       int digits);
// A check's title, as its words start: "Peak torque", "Maximum speed".
QString MotorCheckTitle(MotorCheckKind kind);

// Motor speed and torque over one cycle for plotting: each segment's start
// and end and samplesPerSegment − 2 points between (at least the two ends),
// the speed a straight line through each ramp, the torque a step at every
// segment boundary (two points at the same time). Empty when a figure failed.
struct MoveCurves
{
    std::vector<QPointF> speed;     // (s, rad/s)
    std::vector<QPointF> torque;    // (s, N·m)
    std::vector<double> boundaries; // segment starts and the cycle's end, s
};
MoveCurves SampleMove(const MoveResults &results, int samplesPerSegment);
