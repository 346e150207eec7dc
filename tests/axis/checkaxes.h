#pragma once
// The worked ball-screw axis (axisbuild.h) with a move and a motor to check
// it against, as the check tests write it: every check passes with the
// motor's defaults and their required margins (20 %), and each field changed
// fails or leaves out one check.

#include "axis/axisfile.h"
#include "axisbuild.h"

#include <numbers>

namespace AxisBuild {

struct Motor
{
    double peak = 1;       // N·m
    double rated = 0.5;    // N·m
    double maxRpm = 10500; // 8000 rpm needed, 23.8 % to spare
    double rotor = 2e-5;   // kg·m²
    double target = 10;
};

inline AxisDocument ballScrew(const Motor &motor, double moveTime = 0.6)
{
    AxisDocument document;
    document.axis = ballScrewAxis();
    document.axis.motor.inertia = {motor.rotor, {}};
    document.axis.motor.targetRatio = motor.target;
    document.axis.motor.peakTorque = {motor.peak, QStringLiteral("N-m")};
    document.axis.motor.ratedTorque = {motor.rated, QStringLiteral("N-m")};
    document.axis.motor.maxSpeed = {motor.maxRpm * 2 * std::numbers::pi / 60, QStringLiteral("rpm")};
    MoveInputs &move = document.move;
    move.moves[0].distance = {0.2, QStringLiteral("mm")};
    move.moves[0].moveTime = {moveTime, QStringLiteral("s")};
    move.moves[0].dwell = {0.4, QStringLiteral("s")};
    move.friction = 0.05;
    move.mechanismEfficiency = 90;
    move.gearboxEfficiency = 95;
    move.moves[0].defaultRamps = false;
    move.moves[0].accelTime = {0.25, {}};
    move.moves[0].decelTime = {0.05, {}};
    return document;
}

inline QByteArray bytes(const AxisDocument &document)
{
    return AxisFileBytes(document).value();
}

} // namespace AxisBuild
