#include "axis/torquecurve.h"

#include <algorithm>
#include <cmath>

double TorqueAt(const TorqueCurve &curve, double speed)
{
    const double n = std::abs(speed);
    const auto &p = curve.points;
    if (p.empty() || !(n <= p.back().speed))
        return 0;
    // The first point at or above n; the one before it starts the line.
    const auto hi = std::lower_bound(p.begin(), p.end(), n,
                                     [](const TorquePoint &point, double s) { return point.speed < s; });
    if (hi == p.begin())
        return hi->torque;
    const auto lo = hi - 1;
    const double span = hi->speed - lo->speed;
    return lo->torque + (hi->torque - lo->torque) * (n - lo->speed) / span;
}

double CurveEndSpeed(const TorqueCurve &curve)
{
    return curve.points.empty() ? 0 : curve.points.back().speed;
}

TorqueCurve FlatCurve(double torque, double maxSpeed)
{
    return {{{0, torque}, {maxSpeed, torque}}};
}

TorqueCurve CornerCurve(double stallTorque, double cornerSpeed, double torqueAtMaxSpeed, double maxSpeed)
{
    if (!(cornerSpeed > 0) || !(cornerSpeed < maxSpeed))
        return FlatCurve(stallTorque, maxSpeed);
    return {{{0, stallTorque}, {cornerSpeed, stallTorque}, {maxSpeed, torqueAtMaxSpeed}}};
}

QString CurveProblem(const TorqueCurve &curve, const QString &what)
{
    const auto &p = curve.points;
    if (p.size() < 2)
        return QStringLiteral("%1 needs at least two points.").arg(what);
    if (p.front().speed != 0)
        return QStringLiteral("%1 must start at speed 0.").arg(what);
    for (std::size_t i = 0; i < p.size(); ++i) {
        if (!std::isfinite(p[i].speed) || !std::isfinite(p[i].torque))
            return QStringLiteral("%1 has a value that is not a number.").arg(what);
        if (p[i].torque < 0)
            return QStringLiteral("%1 has a negative torque.").arg(what);
        if (i > 0 && !(p[i].speed > p[i - 1].speed))
            return QStringLiteral("%1 must have its speeds rising from point to point.").arg(what);
    }
    return {};
}
