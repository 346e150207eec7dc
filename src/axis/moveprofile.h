#pragma once
// The duty cycle an axis runs and the torque it asks of the motor: moves out
// and back, each trapezoidal, triangular, an S-curve or the shortest its
// limits allow, each with its payload, force and dwell; the motor speed and
// acceleration through the mechanism and the gearbox, the acceleration and
// load torques, the torque of every segment of the cycle (the pieces of
// constant jerk of each move, over which the torque is linear, and the
// dwells), the peak and RMS torque over the whole cycle, the throughput, and
// the check of all of it against the motor.
//
// SI base units and double precision throughout (see axisfigure.h): m, rad,
// s, N, N·m, rad/s, kg·m², J, W.
//
// Efficiencies follow the power flow in each segment, not its name: where
// the torque the load side asks of the motor drives the load (positive), the
// motor supplies the losses too and the torque is divided by the efficiency;
// where the load drives the motor (lowering, braking, a pulling force) the
// losses eat into it and the torque is multiplied, by the back-driving
// efficiency at the screw or belt. A back-driving efficiency at or below 0
// is a self-locking screw: it holds the load at rest, and the motor must
// drive the load down (the torque turns positive).
//
// Lost torques (the nut's preload drag and the support bearings at the screw,
// pulley or load shaft, the gearbox's no-load torque at its input) act while
// the axis moves, against the motion; the first two pass through the gearbox
// like the load torque. At rest they do not act.
//
// Signs: speeds and torques are positive in the axis's positive direction,
// that of a positive distance (for a cycle of one such move, the direction of
// the move); a negative incline moves the load down, so gravity helps the
// move and the load and holding torques turn negative. Gravity acts in the
// axis's frame, friction, lost torques and a move's own force against that
// move. Efficiencies follow the power flow in each move's own frame; where it
// turns inside a piece the piece is split there, so that the torque stays
// linear over each segment and every integral over the cycle is exact.

#include "axis/axismodel.h"
#include "axis/movekinematics.h"

#include <QPointF>

#include <optional>
#include <vector>

// Standard gravity, m/s².
inline constexpr double StandardGravity = 9.80665;

// How a move's speed rises and falls: trapezoidal or triangular in a given
// time, the S-curve (jerk-limited) in a given time, or the shortest move a
// controller's speed, acceleration and jerk limits allow.
enum class MoveProfile { Trapezoidal, Triangular, SCurve, Limited };
inline constexpr int MoveProfileCount = 4;

// One move of the cycle and the wait after it. Speeds, accelerations and
// jerks of the limits are on the load side (m/s, m/s², m/s³ for a linear
// axis, rad/s… for a rotary one).
struct CycleMove
{
    AxisQuantity distance; // signed: a negative distance moves back; m or rad
    AxisQuantity moveTime; // every profile but Limited
    MoveProfile profile = MoveProfile::Trapezoidal;
    // Trapezoidal and SCurve: the ramp times, or t/3 each when defaultRamps.
    bool defaultRamps = true;
    AxisQuantity accelTime;
    AxisQuantity decelTime;
    // SCurve: the rounding of each ramp's corners as a percentage of the
    // ramp (both corners together), else each corner's time.
    bool jerkAsPercent = true;
    double jerkPercent = 50;
    AxisQuantity jerkTime;
    // Limited: what the controller is set to; a jerk limit of 0 is none.
    AxisQuantity speedLimit;
    AxisQuantity accelLimit;
    AxisQuantity jerkLimit;
    // Added to the moving mass through the move and its dwell: kg on a
    // linear axis, kg·m² at the load on a rotary one.
    AxisQuantity payload;
    AxisQuantity thrust;     // linear axes: an external force against the move
    AxisQuantity loadTorque; // rotary axes: a torque at the load against the move, held in its dwell too
    AxisQuantity dwell;      // at rest after the move
    // A holding brake holds the axis in the dwell, without motor torque.
    bool holdingBrake = false;

    bool operator==(const CycleMove &) const = default;
};

// The most moves a cycle may hold (a file with more is refused).
inline constexpr int MaxCycleMoves = 10000;

struct MoveInputs
{
    // The moves of one cycle, in order: at least one.
    QList<CycleMove> moves{CycleMove{}};
    // Linear axes.
    AxisQuantity incline;             // rad: 0 horizontal, π/2 lifting vertically (from -π/2 to π/2)
    double friction = 0;              // coefficient μ
    double mechanismEfficiency = 100; // %
    double gearboxEfficiency = 100;   // %
    // Linear axes: the mechanism's efficiency when the load drives it, %,
    // from -100 to 100 (at or below 0 it is self-locking); the forward one
    // when backDriveAsForward.
    bool backDriveAsForward = true;
    double backDriveEfficiency = 100;
    // Breakaway: the static friction coefficient μs, at least μ; 0 takes μ.
    double staticFriction = 0;
    // Lost torques: the ball nut's preload drag, given as its torque or from
    // the preload force Fa0 (by PreloadDragFactor); the support bearings and
    // seals at the screw, pulley or load shaft; the gearbox at its input.
    bool preloadFromForce = false;
    AxisQuantity preloadTorque;
    AxisQuantity preloadForce;
    AxisQuantity bearingTorque;
    AxisQuantity gearboxDragTorque;
    // Linear axes: a counterweight on a rope over a pulley, moving with the
    // load along its line; it adds its inertia and takes its weight's share
    // along the incline off the load force (all of it on a vertical axis).
    AxisQuantity counterweight;

    bool operator==(const MoveInputs &) const = default;
};

// The rule of thumb for a preloaded ball nut's drag torque:
// T = K·Fa0·p/(2π) with K = PreloadDragFactor.
inline constexpr double PreloadDragFactor = 0.2;

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

// One piece of a move of constant jerk, so that the torque is linear over
// it, or a dwell. An S-curve ramp is several Accelerate (or Decelerate) pieces.
struct MoveSegment
{
    int move = 0; // which move of the cycle, from 0
    MoveSegmentKind kind = MoveSegmentKind::Accelerate;
    double start = 0;     // s from the start of the cycle
    double duration = 0;  // s
    double speedFrom = 0; // motor speed at its start, rad/s, signed
    double speedTo = 0;   // at its end
    AxisFigure torque;    // motor torque at its start, N·m, signed
    double torqueEnd = 0; // at its end, linear between; the same as torque at constant acceleration
    // The piece's motion at the motor, signed (rad/s³, rad/s², rad/s; a
    // dwell at rest), for sampling the speed as a curve.
    KinematicPiece motion;
};

// A segment's start or end on the speed–torque plane, or a point inside it.
struct OperatingPoint
{
    int move = 0;
    MoveSegmentKind segment = MoveSegmentKind::Accelerate;
    bool end = false;  // its end, else its start
    bool used = false; // the segment takes time
    double speed = 0;  // rad/s
    double torque = 0; // N·m
    // Between its start and end: the peak check's worst point only.
    bool inside = false;
};

// The checks, each against a motor limit: the peak torque at every operating
// point against the peak curve, the RMS torque against the continuous curve
// at the mean speed, the top speed, the inertia ratio, and the torque to break
// away at the first instant against the peak curve at standstill.
enum class MotorCheckKind { PeakTorque, RmsTorque, Speed, InertiaRatio, Breakaway };
inline constexpr int MotorCheckCount = 5;

enum class CheckLevel { Passes, Fails, Unknown };

struct MotorCheck
{
    MotorCheckKind kind = MotorCheckKind::PeakTorque;
    AxisFigure value; // what the move needs (N·m, rad/s, or λ)
    AxisFigure limit; // what the motor allows (or the target ratio)
    CheckLevel level = CheckLevel::Unknown;
    AxisFigure margin;   // 1 − value / limit, as a fraction; negative when over
    double required = 0; // the margin it needs, as a fraction
    AxisFigure speed;    // where the torque checks look: the point's or the mean speed
    // The peak check's worst operating point, or -1; for a point inside a
    // segment, that segment's start point.
    int point = -1;
    // That point, and the moves of the cycle, for saying where it lies.
    OperatingPoint at;
    int moveCount = 1;
};

// The motor's curves as the check uses them; a failure says why one cannot be.
struct MotorCurves
{
    TorqueCurve peak, continuous;
    QString peakProblem, continuousProblem;
    AxisFigure maxSpeed; // the speed limit: the maximum speed, else the peak curve's end
};
MotorCurves CurvesOf(const AxisMotor &motor);

// One move's own figures within the cycle.
struct CycleMoveResults
{
    MoveKinematics kinematics; // load side, signed
    double start = 0;          // s: where the move starts in the cycle
    AxisFigure moveTime, dwell;
    AxisFigure peakLoadSpeed, loadAccel, loadDecel;   // sizes
    AxisFigure maxMotorSpeed, motorAccel, motorDecel; // sizes
    // The S-curve's raise of the peak acceleration over its trapezoidal twin
    // (the larger of its two ramps'); 1 for sharp ramps.
    AxisFigure accelFactor;
    // Signed in the axis's direction, but accelTorque and decelTorque: sizes.
    AxisFigure loadForce, loadTorque, accelTorque, decelTorque, holdingTorque, breakawayTorque;
    AxisFigure peakTorque; // the largest |T| of its segments
};

// The figures of a whole cycle. Speeds and torques are signed in the axis's
// positive direction (that of a positive distance). The figures of a move
// (peakLoadSpeed to breakawayTorque) are those of the move where each is
// largest in size; the cycle's figures take in every dwell.
struct MoveResults
{
    AxisMechanism mechanism;
    // The first move's ramp and constant-speed times.
    AxisFigure accelTime, constantTime, decelTime;
    // The load's profile (m/s and m/s², or rad/s and rad/s²).
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
    std::vector<CycleMoveResults> moves; // by move
    std::vector<MoveSegment> segments;   // the whole cycle in time order
    AxisFigure cycleTime;                // every move and dwell
    AxisFigure peakTorque;               // the largest |T| of the segments
    AxisFigure rmsTorque;                // over the whole cycle, every dwell included
    AxisFigure lostTorque;               // the lost torques at the motor while moving, driving
    AxisFigure breakawayTorque;          // at the first instant of a move, with static friction: the worst
    AxisFigure meanSpeed;                // ∫|n| dt / the cycle time
    // What the motor returns while braking, for sizing a braking resistor:
    // the energy per cycle (the negative motor power integrated; the
    // mechanical losses are out of it already, the winding losses are not,
    // so it errs on the resistor's side), its average over the cycle and its peak.
    AxisFigure brakingEnergy, brakingPower, peakBrakingPower;
    AxisFigure movingTime;                          // Σ move times, s
    AxisFigure cyclesPerMinute;                     // 60 / the cycle time
    AxisFigure dutyCycle;                           // the moving time over the cycle time, a fraction
    AxisFigure accelFactor;                         // the largest S-curve raise of the moves
    std::vector<OperatingPoint> points;             // each segment's start then end
    std::array<MotorCheck, MotorCheckCount> checks; // by MotorCheckKind; the peak's point indexes points
};

// Without a rotor inertia (J_m = 0) the torques are worked out, but the peak
// and RMS checks give no verdict: they say NoRotorReason().
MoveResults ComputeMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move);
QString NoRotorReason();

// A check in words with numbers, values shown in unit (a unit of the check's
// type; ignored for the inertia ratio) and speeds in speedUnit, with digits
// significant digits: "Peak torque 0.237 N-m of 0.5 N-m at 0 rpm (the start
// of the acceleration): passes, 53 % margin (20 % required)", "Maximum speed
// 9000 rpm of 6000 rpm: fails, 50 % over", "...: fails, 12 % margin of 20 %
// required", or why it cannot be checked. Complete without any colour.
QString MotorCheckText(const ConversionTableData &units, const MotorCheck &check, const QString &unit,
                       int digits, const QString &speedUnit = QStringLiteral("rpm"));
// A check's title, as its words start: "Peak torque", "Maximum speed".
QString MotorCheckTitle(MotorCheckKind kind);

// Where an operating point lies in the cycle: "the end of the acceleration"
// in a cycle of one move, "the end of the acceleration of move 2" otherwise;
// "inside the acceleration" for a point between a segment's ends.
QString PointWords(const OperatingPoint &point, int moveCount);

// The peak check's worst point inside a segment, where the torque needed is
// a larger share of the peak curve's torque than at either end; none when an
// end is the worst. The torque is linear over a segment and the speed
// quadratic (linear at constant acceleration), and the curve linear between
// its points, so the worst point is found exactly among a few instants: where
// |speed| passes a point of the curve, where the speed, the acceleration or
// the torque is 0, and where the share's slope is 0 between those.
struct PeakPoint
{
    double speed = 0;  // rad/s, signed
    double torque = 0; // N·m, signed
};
std::optional<PeakPoint> WorstPeakInside(const MoveSegment &segment, const TorqueCurve &peak);

// Motor speed and torque over one cycle for plotting: each segment's start
// and end and samplesPerSegment − 2 points between (at least the two ends),
// the speed a straight line through a ramp of constant acceleration and a
// curve through an S-curve's rounding, the torque linear over each segment
// and a step at every segment boundary (two points at the same time). Empty
// when a figure failed.
struct MoveCurves
{
    std::vector<QPointF> speed;     // (s, rad/s)
    std::vector<QPointF> torque;    // (s, N·m)
    std::vector<double> boundaries; // segment starts and the cycle's end, s
    std::vector<double> moveStarts; // each move's start, s
};
MoveCurves SampleMove(const MoveResults &results, int samplesPerSegment);
