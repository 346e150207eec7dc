#include "axis/movekinematics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>

namespace {

// How far the ramps may overrun the move, or two rounded corners their ramp,
// and still count as fitting: what sums of times entered in other units lose.
constexpr double Slack = 1e-12;

// One ramp between rest and the peak speed: its time, and how long each of
// its two corners is rounded.
struct Ramp
{
    double time = 0;
    double jerkTime = 0;
};

// A move as the times and the peak speed that make it, before its pieces.
struct Shape
{
    double speed = 0; // peak, a size
    Ramp up;
    double constant = 0;
    Ramp down;
};

MoveKinematics failedMove(const AxisFigure &failure)
{
    MoveKinematics move;
    for (AxisFigure *figure :
         {&move.moveTime, &move.accelTime, &move.constantTime, &move.decelTime, &move.peakSpeed, &move.accel,
          &move.decel, &move.jerkTime, &move.decelJerkTime, &move.accelFactor, &move.decelFactor})
        *figure = failure;
    return move;
}

// The first of the checks that failed; a standing figure when none did.
AxisFigure firstFailure(std::initializer_list<AxisFigure> checks)
{
    for (const AxisFigure &check : checks)
        if (!check.ok())
            return check;
    return 1.0;
}

AxisFigure signedDistance(double distance)
{
    if (!std::isfinite(distance))
        return AxisFigure::failed(QStringLiteral("The move distance is not a usable number."));
    if (distance == 0)
        return AxisFigure::failed(QStringLiteral("The move distance must not be 0."));
    return distance;
}

// Appends the pieces of a ramp that changes the speed by sign·speed at a peak
// acceleration of accel: up to it over a corner, held, and down over another.
void appendRamp(std::vector<KinematicPiece> &pieces, double sign, double accel, const Ramp &ramp)
{
    const double peak = sign * accel;
    const double jerk = ramp.jerkTime > 0 ? peak / ramp.jerkTime : 0;
    const std::array<KinematicPiece, 3> parts = {{{ramp.jerkTime, jerk, {0, 0, 0}},
                                                  {ramp.time - 2 * ramp.jerkTime, 0, {peak, 0, 0}},
                                                  {ramp.jerkTime, -jerk, {peak, 0, 0}}}};
    for (const KinematicPiece &part : parts)
        if (part.duration > 0)
            pieces.push_back(part);
}

// The pieces and figures of a shape, moving in the direction of sign.
MoveKinematics build(const Shape &shape, double sign, double moveTime)
{
    const double accel = shape.speed / (shape.up.time - shape.up.jerkTime);
    const double decel = shape.speed / (shape.down.time - shape.down.jerkTime);
    const double jerks[] = {shape.up.jerkTime > 0 ? accel / shape.up.jerkTime : 0,
                            shape.down.jerkTime > 0 ? decel / shape.down.jerkTime : 0};
    // Extreme inputs can leave a figure beyond double or a speed of 0.
    for (const double value : {moveTime, shape.speed, accel, decel})
        if (!(std::isfinite(value) && value > 0))
            return failedMove(AxisFigure::failed(OverflowReason()));
    if (!std::isfinite(jerks[0]) || !std::isfinite(jerks[1]))
        return failedMove(AxisFigure::failed(OverflowReason()));

    MoveKinematics move;
    move.pieces.reserve(7);
    appendRamp(move.pieces, sign, accel, shape.up);
    if (shape.constant > 0)
        move.pieces.push_back({shape.constant, 0, {}});
    appendRamp(move.pieces, -sign, decel, shape.down);
    // Each piece starts at the speed and place the one before ends at, the
    // first at rest; the acceleration steps where a corner is sharp.
    KinematicState state;
    for (KinematicPiece &piece : move.pieces) {
        piece.start.speed = state.speed;
        piece.start.position = state.position;
        state = EndOf(piece);
    }
    move.moveTime = moveTime;
    move.accelTime = shape.up.time;
    move.constantTime = shape.constant;
    move.decelTime = shape.down.time;
    move.peakSpeed = shape.speed;
    move.accel = accel;
    move.decel = decel;
    move.jerkTime = shape.up.jerkTime;
    move.decelJerkTime = shape.down.jerkTime;
    move.accelFactor = shape.up.time / (shape.up.time - shape.up.jerkTime);
    move.decelFactor = shape.down.time / (shape.down.time - shape.down.jerkTime);
    return move;
}

// A move given its time and ramps, each corner rounded over its jerk time.
MoveKinematics timedMove(double distance, double moveTime, double accelTime, double decelTime,
                         const AxisFigure &jerkUp, const AxisFigure &jerkDown)
{
    const AxisFigure s = signedDistance(distance);
    const AxisFigure t = Positive(moveTime, QStringLiteral("The move time"));
    const AxisFigure ta = Positive(accelTime, QStringLiteral("The acceleration time"));
    const AxisFigure td = Positive(decelTime, QStringLiteral("The deceleration time"));
    const AxisFigure inputs = firstFailure({s, t, ta, td, jerkUp, jerkDown});
    if (!inputs.ok())
        return failedMove(inputs);
    if (accelTime + decelTime > moveTime * (1 + Slack))
        return failedMove(AxisFigure::failed(QStringLiteral("The acceleration and deceleration times "
                                                            "together are longer than the move time.")));
    const double tj = jerkUp.value();
    const double tjd = jerkDown.value();
    if (tj > accelTime / 2 * (1 + Slack) || tjd > decelTime / 2 * (1 + Slack))
        return failedMove(AxisFigure::failed(QStringLiteral("The jerk time must be at most half the "
                                                            "acceleration time and half the deceleration "
                                                            "time: each ramp has two rounded corners.")));
    Shape shape;
    shape.speed = std::fabs(distance) / (moveTime - (accelTime + decelTime) / 2);
    shape.up = {accelTime, std::min(tj, accelTime / 2)};
    shape.down = {decelTime, std::min(tjd, decelTime / 2)};
    shape.constant = std::max(0.0, moveTime - accelTime - decelTime);
    return build(shape, distance < 0 ? -1 : 1, moveTime);
}

// Where v(t) = v0 + a0·t + j·t²/2 changes sign inside (0, T), in order.
std::vector<double> speedZeros(const KinematicPiece &piece)
{
    const double a = piece.jerk / 2, b = piece.start.accel, c = piece.start.speed;
    std::vector<double> roots;
    if (a == 0) {
        if (b != 0)
            roots.push_back(-c / b);
    } else {
        const double discriminant = b * b - 4 * a * c;
        if (discriminant > 0) {
            const double q = -(b + std::copysign(std::sqrt(discriminant), b)) / 2;
            roots.push_back(q / a);
            if (q != 0)
                roots.push_back(c / q);
        }
    }
    std::erase_if(roots, [&](double r) { return !(r > 0 && r < piece.duration); });
    std::sort(roots.begin(), roots.end());
    return roots;
}

} // namespace

KinematicState StateAt(const KinematicPiece &piece, double time)
{
    const KinematicState &s = piece.start;
    const double j = piece.jerk;
    return {s.accel + j * time, s.speed + time * (s.accel + j * time / 2),
            s.position + time * (s.speed + time * (s.accel / 2 + j * time / 6))};
}

KinematicState EndOf(const KinematicPiece &piece)
{
    return StateAt(piece, piece.duration);
}

MoveKinematics TrapezoidalMove(double distance, double moveTime, double accelTime, double decelTime)
{
    return SCurveMove(distance, moveTime, accelTime, decelTime, 0);
}

MoveKinematics TriangularMove(double distance, double moveTime)
{
    return TrapezoidalMove(distance, moveTime, moveTime / 2, moveTime / 2);
}

MoveKinematics SCurveMove(double distance, double moveTime, double accelTime, double decelTime,
                          double jerkTime)
{
    const AxisFigure tj = NonNegative(jerkTime, QStringLiteral("The jerk time"));
    return timedMove(distance, moveTime, accelTime, decelTime, tj, tj);
}

MoveKinematics SCurveMoveByPercent(double distance, double moveTime, double accelTime, double decelTime,
                                   double percent)
{
    const AxisFigure share = percent >= 0 && percent <= 100
                                 ? AxisFigure(percent / 200)
                                 : AxisFigure::failed(QStringLiteral(
                                       "The S-curve share of the ramp must lie between 0 % and 100 %."));
    return timedMove(distance, moveTime, accelTime, decelTime, share * std::fabs(accelTime),
                     share * std::fabs(decelTime));
}

MoveKinematics LimitedMove(double distance, const MoveLimits &limits)
{
    const AxisFigure s = signedDistance(distance);
    const AxisFigure v = Positive(limits.speed, QStringLiteral("The speed limit"));
    const AxisFigure a = Positive(limits.accel, QStringLiteral("The acceleration limit"));
    const AxisFigure j =
        limits.jerk ? Positive(*limits.jerk, QStringLiteral("The jerk limit")) : AxisFigure(0.0);
    const AxisFigure inputs = firstFailure({s, v, a, j});
    if (!inputs.ok())
        return failedMove(inputs);
    const double D = std::fabs(distance), V = limits.speed, A = limits.accel;
    const double J = limits.jerk.value_or(0);

    // The time to round a corner up to the acceleration limit (0 without jerk).
    const double cornerToLimit = J > 0 ? A / J : 0;
    Shape shape;
    // A ramp to the speed limit: with too little jerk for it, the acceleration
    // peaks at √(V·J) below its limit, a ramp of two corners.
    double tj = cornerToLimit;
    double rampToLimit = tj + V / A;
    if (J > 0 && V * J < A * A) {
        tj = std::sqrt(V / J);
        rampToLimit = 2 * tj;
    }
    if (D >= V * rampToLimit) { // each ramp covers V·t_ramp/2
        shape.speed = V;
        shape.up = {rampToLimit, tj};
        shape.constant = D / V - rampToLimit;
    } else {
        // Short of the speed limit: the peak speed v with ramps of
        // cornerToLimit + v/A covering the distance, v²/A + v·cornerToLimit = D.
        const double root = std::sqrt(cornerToLimit * cornerToLimit + 4 * D / A);
        shape.speed = 2 * D / (cornerToLimit + root);
        shape.up = {cornerToLimit + shape.speed / A, cornerToLimit};
        if (J > 0 && shape.speed < A * cornerToLimit) {
            // Too short to reach the acceleration limit: two corners a ramp,
            // D = 2·J·tj³.
            tj = std::cbrt(D / (2 * J));
            shape.speed = J * tj * tj;
            shape.up = {2 * tj, tj};
        }
    }
    shape.down = shape.up;
    return build(shape, distance < 0 ? -1 : 1, 2 * shape.up.time + shape.constant);
}

PieceIntegrals IntegralsOf(const KinematicPiece &piece)
{
    const double T = piece.duration, j = piece.jerk, a0 = piece.start.accel;
    const KinematicState end = EndOf(piece);
    PieceIntegrals result;
    result.accel = end.speed - piece.start.speed;
    result.accelSquared = T * (a0 * a0 + T * (a0 * j + T * j * j / 3));
    result.speed = end.position - piece.start.position;
    double from = piece.start.position;
    for (const double zero : speedZeros(piece)) {
        const double at = StateAt(piece, zero).position;
        result.absSpeed += std::fabs(at - from);
        from = at;
    }
    result.absSpeed += std::fabs(end.position - from);
    return result;
}

double TorqueSquaredIntegral(const KinematicPiece &piece, double k, double other)
{
    const PieceIntegrals integrals = IntegralsOf(piece);
    return k * k * integrals.accelSquared + 2 * k * other * integrals.accel + other * other * piece.duration;
}

void SampleKinematics(const std::vector<KinematicPiece> &pieces, double startTime, int samplesPerPiece,
                      KinematicCurves &curves)
{
    const int curved = std::clamp(samplesPerPiece, 2, 100000);
    double start = startTime;
    for (const KinematicPiece &piece : pieces) {
        const int n = piece.jerk == 0 ? 2 : curved;
        for (int i = 0; i < n; ++i) {
            const double into = piece.duration * i / (n - 1);
            const double time = i == n - 1 ? start + piece.duration : start + into;
            const KinematicState state = StateAt(piece, into);
            // The speed runs on through a boundary: one point there.
            if (i > 0 || curves.speed.empty() || curves.speed.back().x() != time)
                curves.speed.emplace_back(time, state.speed);
            curves.accel.emplace_back(time, state.accel);
        }
        start += piece.duration;
    }
}
