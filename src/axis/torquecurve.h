#pragma once
// A motor's torque against its speed: the peak (intermittent) curve and the
// continuous curve a motor is sized against. A curve is a list of points in
// rising speed, linear between them; it ends at its last point, the highest
// speed the motor may run at. Both directions of turning are alike.
//
// SI base units and double precision: rad/s and N·m.

#include <QString>

#include <vector>

struct TorquePoint
{
    double speed = 0;  // rad/s, from 0
    double torque = 0; // N·m available at that speed
    bool operator==(const TorquePoint &) const = default;
};

struct TorqueCurve
{
    std::vector<TorquePoint> points; // rising speed, the first at 0
    bool operator==(const TorqueCurve &) const = default;
};

// The torque the curve allows at |speed|: linear between points, 0 beyond the
// last point (the motor may not run there) and for an empty curve.
double TorqueAt(const TorqueCurve &curve, double speed);

// The speed the curve ends at (its last point's); 0 for an empty curve.
double CurveEndSpeed(const TorqueCurve &curve);

// A motor known only by one torque and its maximum speed: flat to it.
TorqueCurve FlatCurve(double torque, double maxSpeed);

// The common simple form: the stall torque held up to the corner speed, then
// falling in a straight line to the torque at maximum speed. A corner at or
// above the maximum speed gives a flat curve.
TorqueCurve CornerCurve(double stallTorque, double cornerSpeed, double torqueAtMaxSpeed, double maxSpeed);

// Why a curve cannot be used, as one sentence naming it (what: "The peak
// torque curve"), or empty when it can: at least two points, the first at
// speed 0, speeds strictly rising, every value finite and no torque negative.
QString CurveProblem(const TorqueCurve &curve, const QString &what);
