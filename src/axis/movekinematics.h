#pragma once
// A move's kinematics on the load side, as a list of pieces of constant jerk:
// over a piece the acceleration is linear in time, the speed quadratic and the
// position cubic, so the torque J·α + T_other is linear in time and every
// integral over a piece (∫a², ∫|v|) is exact in closed form.
//
// Profiles: trapezoidal and triangular given the move time (as the move has
// always been worked out), the S-curve (jerk-limited) for the same move time,
// and the shortest move a controller's speed, acceleration and jerk limits
// allow.
//
// SI base units and double precision: m for a linear axis, rad for a rotary
// one, and s. Every move starts and ends at rest. A negative distance moves
// the other way: the pieces mirrored (jerk, acceleration, speed and position
// negated); the peak figures are sizes either way.

#include "axis/axisfigure.h"

#include <QPointF>

#include <optional>
#include <vector>

struct KinematicState
{
    double accel = 0;    // m/s² or rad/s²
    double speed = 0;    // m/s or rad/s
    double position = 0; // m or rad from the start of the move
};

struct KinematicPiece
{
    double duration = 0; // s
    double jerk = 0;     // m/s³ or rad/s³, constant over the piece
    KinematicState start;
};

// The state time seconds into a piece (time may be any value; the polynomials
// go on).
KinematicState StateAt(const KinematicPiece &piece, double time);
KinematicState EndOf(const KinematicPiece &piece);

// A move's pieces with the figures they give. A move that cannot be made has
// no pieces, and every figure fails with the reason.
struct MoveKinematics
{
    std::vector<KinematicPiece> pieces; // from rest to rest, none of zero duration
    AxisFigure moveTime;                // s
    // Time to peak speed, at it, and back to rest.
    AxisFigure accelTime, constantTime, decelTime;
    AxisFigure peakSpeed;     // size
    AxisFigure accel, decel;  // the peak sizes while speeding up and slowing down
    AxisFigure jerkTime;      // s: the rounding of each corner of the speeding-up ramp, 0 when sharp
    AxisFigure decelJerkTime; // the same for the slowing-down ramp
    // The peak acceleration and deceleration over those of the move's sharp
    // twin: the same distance, move time and ramp times, with corners sharp.
    // A rounded ramp is point-symmetric about its middle, so it covers the
    // same distance as a sharp one and the twin's peak speed is the same: the
    // S-curve raises the acceleration only, by t_ramp / (t_ramp − t_jerk).
    AxisFigure accelFactor, decelFactor;

    bool ok() const { return moveTime.ok(); }
    const QString &reason() const { return moveTime.reason(); }
};

// Trapezoidal: the speed rises for accelTime, holds, and falls for decelTime
// (together at most the move time). The peak speed is s / (t − (ta + td)/2).
MoveKinematics TrapezoidalMove(double distance, double moveTime, double accelTime, double decelTime);
// Triangular: half the move up, half down.
MoveKinematics TriangularMove(double distance, double moveTime);

// The S-curve of the same move time and ramp times: each ramp's corners
// rounded over jerkTime (so at most half the shorter ramp; 0 gives the
// trapezoid). A triangular S-curve is one with both ramps half the move.
MoveKinematics SCurveMove(double distance, double moveTime, double accelTime, double decelTime,
                          double jerkTime);
// The same with the rounding as a percentage of each ramp (its two corners
// together): 0 % is the trapezoid, 100 % a ramp of changing acceleration
// only, which doubles the peak acceleration.
MoveKinematics SCurveMoveByPercent(double distance, double moveTime, double accelTime, double decelTime,
                                   double percent);

// What a controller is set to: the move is the shortest these allow. Alike
// speeding up and slowing down.
struct MoveLimits
{
    double speed = 0;           // m/s or rad/s
    double accel = 0;           // m/s² or rad/s²
    std::optional<double> jerk; // m/s³ or rad/s³; none: the acceleration steps
    bool operator==(const MoveLimits &) const = default;
};

// The speed limit is reached when the distance allows, else the move is
// triangular (rounded under a jerk limit); a jerk limit too low for the
// acceleration limit to be reached in a ramp keeps the acceleration below it.
MoveKinematics LimitedMove(double distance, const MoveLimits &limits);

// Integrals over a piece, exact.
struct PieceIntegrals
{
    double accel = 0;        // ∫a dt: the change of speed
    double accelSquared = 0; // ∫a² dt
    double speed = 0;        // ∫v dt: the distance, signed
    double absSpeed = 0;     // ∫|v| dt: the travel, for a mean speed
};
PieceIntegrals IntegralsOf(const KinematicPiece &piece);

// ∫T² dt over a piece for T = k·a + other: k is the torque per unit of the
// piece's acceleration (the inertia at the motor times the motor's rad per
// load unit), other a torque constant over the piece. Σ of it over a cycle
// divided by the cycle time is the square of the RMS torque.
double TorqueSquaredIntegral(const KinematicPiece &piece, double k, double other);

// Speed and acceleration against time for plotting, appended to curves from
// startTime (s) on: each piece's two ends and, where its acceleration
// changes, samplesPerPiece − 2 points between (at least 2, at most 100,000).
// The acceleration steps where a piece begins with another value (two points
// at the same time).
struct KinematicCurves
{
    std::vector<QPointF> speed; // (s, m/s or rad/s)
    std::vector<QPointF> accel; // (s, m/s² or rad/s²)
};
void SampleKinematics(const std::vector<KinematicPiece> &pieces, double startTime, int samplesPerPiece,
                      KinematicCurves &curves);
