#include "axis/moveprofile.h"

#include "units/numberformat.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// Two pitches the user entered alike are the same mechanism.
bool samePitch(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

AxisFigure efficiency(double percent, const QString &what)
{
    if (!(percent > 0 && percent <= 100))
        return AxisFigure::failed(QStringLiteral("%1 must be more than 0 % and at most 100 %.").arg(what));
    return percent / 100;
}

AxisFigure anyValue(double value, const QString &what)
{
    return std::isfinite(value) ? AxisFigure(value)
                                : AxisFigure::failed(QStringLiteral("%1 is not a usable number.").arg(what));
}

AxisFigure incline(double radians)
{
    const double limit = std::numbers::pi / 2 * (1 + 1e-9);
    if (std::isfinite(radians) && std::fabs(radians) > limit)
        return AxisFigure::failed(QStringLiteral("The incline must lie between -90° and 90°."));
    return anyValue(radians, QStringLiteral("The incline"));
}

// A failure for every figure of the move that needs the mechanism.
AxisFigure mechanismFigure(const AxisMechanism &mechanism, const AxisFigure &figure)
{
    return mechanism.failure.isEmpty() ? figure : AxisFigure::failed(mechanism.failure);
}

const QString NoTorqueReason = QStringLiteral("the motor gives no torque there");

// Orders checks by their margin, one that fails without a number first.
double rank(const MotorCheck &check)
{
    if (check.margin.ok())
        return check.margin.value();
    return check.level == CheckLevel::Fails ? -std::numeric_limits<double>::infinity()
                                            : std::numeric_limits<double>::quiet_NaN();
}

const char *checkTitle(MotorCheckKind kind)
{
    static const char *const Titles[MotorCheckCount] = {"Peak torque", "RMS torque", "Maximum speed",
                                                        "Inertia ratio", "Breakaway torque"};
    return Titles[std::size_t(kind)];
}

// A check of value against limit, needing a margin of required (a fraction).
MotorCheck check(MotorCheckKind kind, const AxisFigure &value, const AxisFigure &limit,
                 const AxisFigure &requiredMargin)
{
    MotorCheck result;
    result.kind = kind;
    result.value = value;
    result.limit = limit;
    result.required = requiredMargin.value();
    const double required = result.required;
    for (const AxisFigure *figure : {&value, &limit, &requiredMargin}) {
        if (!figure->ok()) {
            result.margin = *figure;
            return result;
        }
    }
    if (limit.value() <= 0) {
        // Nothing asked of a limit of nothing passes; anything else cannot,
        // by no margin there is a number for.
        result.margin = value.value() <= 0 ? AxisFigure(1.0) : AxisFigure::failed(NoTorqueReason);
        result.level = value.value() <= 0 ? CheckLevel::Passes : CheckLevel::Fails;
        return result;
    }
    result.margin = 1 - value.value() / limit.value();
    result.level = result.margin.value() >= required - 1e-12 ? CheckLevel::Passes : CheckLevel::Fails;
    return result;
}

// A motor limit as its box gives it: missing says why when it is not given.
AxisFigure motorLimit(const AxisQuantity &limit, const char *limitName, const char *missing)
{
    return limit.value == 0 ? AxisFigure::failed(QString::fromUtf8(missing))
                            : Positive(limit.value, QString::fromUtf8(limitName));
}

// A required margin in %, as a fraction.
AxisFigure requiredMargin(double percent, const char *what)
{
    if (!(percent >= 0 && percent < 100))
        return AxisFigure::failed(
            QStringLiteral("The required %1 margin must be at least 0 % and below 100 %.")
                .arg(QString::fromUtf8(what)));
    return percent / 100;
}

QString shown(const ConversionTableData &units, const AxisFigure &figure, const QString &unit, int digits)
{
    return FormatQuantity(units, {figure.value(), unit}, digits);
}

} // namespace

AxisMechanism MechanismOf(const Axis &axis)
{
    AxisMechanism mechanism;
    mechanism.movingMass = 0.0;
    bool found = false;
    for (const AxisItem &item : axis.items) {
        if (item.kind != AxisItemKind::ScrewLoad && item.kind != AxisItemKind::BeltLoad)
            continue;
        const bool screw = item.kind == AxisItemKind::ScrewLoad;
        const AxisParam pitchParam = screw ? AxisParam::Lead : AxisParam::PitchDiameter;
        const AxisFigure pitch =
            Positive(item[pitchParam].value, QString::fromUtf8(ParamInfo(pitchParam).what));
        const MechanismKind kind = screw ? MechanismKind::Screw : MechanismKind::Belt;
        if (!found) {
            mechanism.kind = kind;
            mechanism.pitch = pitch;
            found = true;
        } else if (kind != mechanism.kind) {
            mechanism.failure = QStringLiteral("The axis has both screw and belt or pinion loads; a move "
                                               "needs one mechanism.");
        } else if (pitch.ok() && mechanism.pitch.ok() && !samePitch(pitch.value(), mechanism.pitch.value())) {
            mechanism.failure =
                screw ? QStringLiteral("The screw loads have different leads; a move needs one.")
                      : QStringLiteral("The belt or pinion loads have different pitch "
                                       "diameters; a move needs one.");
        } else if (!pitch.ok()) {
            mechanism.pitch = pitch;
        }
        // The mechanism's efficiency acts on the load side only; with no gearbox
        // (ratio 1) the load side gives the same inertia.
        if (item.side == AxisSide::Motor)
            mechanism.failure =
                QStringLiteral("A screw or belt load is on the motor side of the gearbox; the "
                               "move takes the mechanism on its load side.");
        const AxisFigure n = item.quantity < 1 ? AxisFigure::failed(QStringLiteral("The quantity must be at "
                                                                                   "least 1."))
                                               : AxisFigure(double(item.quantity));
        mechanism.movingMass =
            mechanism.movingMass + n * NonNegative(item[AxisParam::Mass].value, QStringLiteral("The mass"));
    }
    return mechanism;
}

const char *DistanceUnitType(MechanismKind kind)
{
    return kind == MechanismKind::Rotary ? "Angle" : "Linear distance";
}

namespace {

// A move's kinematics that failed for reason, every figure saying so.
MoveKinematics failedKinematics(const QString &reason)
{
    const AxisFigure failure = AxisFigure::failed(reason);
    MoveKinematics move;
    for (AxisFigure *figure :
         {&move.moveTime, &move.accelTime, &move.constantTime, &move.decelTime, &move.peakSpeed, &move.accel,
          &move.decel, &move.jerkTime, &move.decelJerkTime, &move.accelFactor, &move.decelFactor})
        *figure = failure;
    return move;
}

// The load's profile of one move, signed, from its inputs.
MoveKinematics kinematicsOf(const CycleMove &move)
{
    const double s = move.distance.value;
    // A move of no distance would charge the load torque with nothing moving.
    if (s == 0)
        return failedKinematics(QStringLiteral("The move distance must be greater than 0 in size (a negative "
                                               "distance moves back)."));
    const double t = move.moveTime.value;
    if (move.profile == MoveProfile::Triangular)
        return TriangularMove(s, t);
    if (move.profile == MoveProfile::Limited) {
        MoveLimits limits{move.speedLimit.value, move.accelLimit.value, {}};
        if (move.jerkLimit.value != 0)
            limits.jerk = move.jerkLimit.value;
        return LimitedMove(s, limits);
    }
    const double ta = move.defaultRamps ? t / 3.0 : move.accelTime.value;
    const double td = move.defaultRamps ? t / 3.0 : move.decelTime.value;
    if (move.profile == MoveProfile::Trapezoidal)
        return TrapezoidalMove(s, t, ta, td);
    return move.jerkAsPercent ? SCurveMoveByPercent(s, t, ta, td, move.jerkPercent)
                              : SCurveMove(s, t, ta, td, move.jerkTime.value);
}

// A torque through a stage of the drive by its power flow: divided by the
// efficiency while it drives the load, multiplied by the back-driving one
// while the load drives the motor.
AxisFigure throughStage(const AxisFigure &torque, const AxisFigure &forward, const AxisFigure &back)
{
    for (const AxisFigure *figure : {&torque, &forward, &back}) {
        if (!figure->ok())
            return *figure;
    }
    return torque.value() >= 0 ? torque / forward : torque * back;
}

// What the segments' torques are made of at the motor shaft, in the frame of
// one move (positive in its direction).
struct Drive
{
    AxisFigure direct;        // inertia at the motor shaft itself (rotor, gearbox, motor-side items)
    AxisFigure through;       // inertia behind the gearbox and mechanism, at the motor shaft
    AxisFigure etaM, etaBack; // the mechanism forward and back (1 for a rotary axis)
    AxisFigure etaG;
    AxisFigure lostAtLoad;  // at the screw, pulley or load shaft, while moving
    AxisFigure lostAtMotor; // at the gearbox input, while moving
    AxisFigure i;
    AxisFigure loadIdeal; // the load's torque while moving, at the motor shaft, lossless
    bool selfLocking = false;

    // The motor torque for a load-side torque at the motor shaft taken as
    // lossless (loadIdeal), an acceleration alpha at the motor, moving or not.
    AxisFigure torque(const AxisFigure &loadIdeal, double alpha, bool moving) const
    {
        AxisFigure side = throughStage(through * alpha + loadIdeal, etaM, etaBack);
        if (moving)
            side = side + lostAtLoad / i;
        AxisFigure motor = throughStage(side, etaG, etaG);
        if (moving)
            motor = motor + lostAtMotor;
        return motor + direct * alpha;
    }

    // The accelerations at which a stage's power flow turns, where the
    // torque bends: the mechanism's input and the gearbox's at 0.
    std::array<double, 2> bends() const
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        if (!through.ok() || through.value() == 0 || !loadIdeal.ok() || !lostAtLoad.ok() || !i.ok() ||
            !etaBack.ok())
            return {nan, nan};
        const double mechanism = -loadIdeal.value() / through.value();
        // The gearbox's input is 0 where the mechanism's output, driven by
        // the load, cancels the lost torque at the load.
        const double lost = lostAtLoad.value() / i.value();
        const double back = etaBack.value();
        const double gearbox =
            lost > 0 && back > 0 ? (-lost / back - loadIdeal.value()) / through.value() : nan;
        return {mechanism, gearbox};
    }
};

// What every move of the axis shares: the drive's efficiencies, inertias and
// lost torques, and the load's incline and friction.
struct AxisDrive
{
    Drive base;         // without the load and the inertia behind the gearbox
    AxisFigure perLoad; // motor rad/s per load unit/s
    AxisFigure reflected, arm, counterweight;
    AxisFigure mu, muStatic, sinTheta, cosTheta;
};

AxisDrive axisDrive(const Axis &axis, const AxisResults &inertia, const MoveInputs &move,
                    const AxisMechanism &mech, MoveResults &r)
{
    const bool rotary = mech.kind == MechanismKind::Rotary;
    AxisDrive a;
    Drive &d = a.base;
    // Motor rad/s per load unit/s.
    d.i = Positive(axis.gearbox.ratio, QStringLiteral("The gearbox ratio"));
    a.perLoad = d.i;
    if (mech.kind == MechanismKind::Screw)
        a.perLoad = d.i * TwoPi / mech.pitch;
    else if (mech.kind == MechanismKind::Belt)
        a.perLoad = d.i / (mech.pitch / 2.0);
    a.perLoad = mechanismFigure(mech, a.perLoad);

    d.etaG = efficiency(move.gearboxEfficiency, QStringLiteral("The gearbox efficiency"));
    d.etaM = rotary ? AxisFigure(1.0)
                    : efficiency(move.mechanismEfficiency, QStringLiteral("The mechanism efficiency"));
    d.etaBack = d.etaM;
    if (!rotary && !move.backDriveAsForward) {
        const double back = move.backDriveEfficiency;
        d.etaBack = back >= -100 && back <= 100
                        ? AxisFigure(back / 100)
                        : AxisFigure::failed(QStringLiteral("The back-driving efficiency must lie between "
                                                            "-100 % and 100 %."));
        d.selfLocking = back <= 0;
    }
    const AxisFigure rotor = NonNegative(axis.motor.inertia.value, QStringLiteral("The rotor inertia"));
    const AxisFigure gearbox = NonNegative(axis.gearbox.inertia.value, QStringLiteral("The gearbox inertia"));
    d.direct = rotor + gearbox + inertia.motorSideItems;
    a.reflected = inertia.reflected;

    // The lever from the load force to the screw or pulley shaft.
    a.arm = mech.kind == MechanismKind::Screw ? mech.pitch / TwoPi : mech.pitch / 2.0;
    a.counterweight = NonNegative(move.counterweight.value, QStringLiteral("The counterweight"));
    if (rotary) {
        if (move.counterweight.value != 0)
            a.reflected = AxisFigure::failed(QStringLiteral("A counterweight needs a screw or belt axis."));
    } else {
        const AxisFigure theta = incline(move.incline.value);
        a.mu = NonNegative(move.friction, QStringLiteral("The friction coefficient"));
        a.muStatic =
            move.staticFriction == 0
                ? a.mu
                : NonNegative(move.staticFriction, QStringLiteral("The static friction coefficient"));
        if (a.muStatic.ok() && a.mu.ok() && a.muStatic.value() < a.mu.value())
            a.muStatic = AxisFigure::failed(
                QStringLiteral("The static friction coefficient must be at least the friction coefficient."));
        a.sinTheta = theta.ok() ? AxisFigure(std::sin(theta.value())) : theta;
        a.cosTheta = theta.ok() ? AxisFigure(std::cos(theta.value())) : theta;
    }

    // The lost torques, against the motion while moving.
    const AxisFigure bearing =
        NonNegative(move.bearingTorque.value, QStringLiteral("The bearing and seal torque"));
    AxisFigure preload = 0.0;
    const bool preloadGiven =
        move.preloadFromForce ? move.preloadForce.value != 0 : move.preloadTorque.value != 0;
    if (preloadGiven && mech.kind != MechanismKind::Screw)
        preload = AxisFigure::failed(QStringLiteral("A nut preload needs a screw axis."));
    else if (preloadGiven && move.preloadFromForce)
        preload = NonNegative(move.preloadForce.value, QStringLiteral("The preload force")) *
                  PreloadDragFactor * mech.pitch / TwoPi;
    else if (preloadGiven)
        preload = NonNegative(move.preloadTorque.value, QStringLiteral("The preload drag torque"));
    d.lostAtLoad = bearing + preload;
    d.lostAtMotor = NonNegative(move.gearboxDragTorque.value, QStringLiteral("The gearbox no-load torque"));
    r.lostTorque = d.lostAtLoad / (d.i * d.etaG) + d.lostAtMotor;
    return a;
}

// One move's drive: the axis's with the move's payload, force and
// direction, and the torques it holds and breaks away with.
struct MoveDrive
{
    Drive drive;               // in the move's frame
    AxisFigure holdIdeal;      // at rest after it, in the axis's frame, lossless
    AxisFigure breakawayIdeal; // at its first instant, in its frame, lossless
};

MoveDrive moveDrive(const AxisDrive &a, const AxisMechanism &mech, const CycleMove &move, double dir,
                    CycleMoveResults &m)
{
    MoveDrive result;
    Drive &d = result.drive;
    d = a.base;
    const AxisFigure &i = d.i;
    const AxisFigure payload = NonNegative(move.payload.value, QStringLiteral("The payload"));
    if (mech.kind == MechanismKind::Rotary) {
        // Against the move while moving, and held after it.
        const AxisFigure load = anyValue(move.loadTorque.value, QStringLiteral("The load torque"));
        m.loadForce = AxisFigure::failed(QStringLiteral("A rotary axis has a load torque, not a force."));
        d.through = a.reflected + payload / (i * i);
        d.loadIdeal = result.breakawayIdeal = load / i;
        result.holdIdeal = load * dir / i;
        return result;
    }
    const AxisFigure thrust = anyValue(move.thrust.value, QStringLiteral("The external force"));
    const AxisFigure mass = mech.movingMass + payload;
    const AxisFigure weight = mass * StandardGravity;
    // Along the axis's positive direction; the counterweight takes its weight
    // off the load along the line.
    const AxisFigure gravity = (mass - a.counterweight) * StandardGravity * a.sinTheta;
    const AxisFigure loadForce = mechanismFigure(mech, gravity * dir + a.mu * weight * a.cosTheta + thrust);
    const AxisFigure breakawayForce =
        mechanismFigure(mech, gravity * dir + a.muStatic * weight * a.cosTheta + thrust);
    m.loadForce = loadForce * dir;
    d.through = a.reflected + a.counterweight * a.arm * a.arm / (i * i) + payload * a.arm * a.arm / (i * i);
    d.loadIdeal = loadForce * a.arm / i;
    result.breakawayIdeal = breakawayForce * a.arm / i;
    // At rest friction does not act, and no efficiency: only gravity holds,
    // unless the screw locks itself.
    result.holdIdeal = mechanismFigure(mech, d.selfLocking ? AxisFigure(0.0) * gravity : gravity * a.arm / i);
    return result;
}

// A speed within rounding of the peak or of rest is that exactly: the ramps
// reach them.
double snapped(double speed, double peak)
{
    const double slack = 1e-12 * peak;
    if (std::fabs(speed) <= slack)
        return 0;
    if (std::fabs(std::fabs(speed) - peak) <= slack)
        return std::copysign(peak, speed);
    return speed;
}

// ∫ T·ω dt and the largest −T·ω over [from, to] where the torque is linear,
// T = t0 + slope·t, and ω = w0 + a·t + j·t²/2 (the move's frame): the braking
// energy and peak braking power of a piece where T ≤ 0.
struct Braking
{
    double energy = 0;
    double peak = 0;
};
Braking brakingOver(double t0, double slope, double w0, double a, double j, double from, double to)
{
    // T·ω = c0 + c1·t + c2·t² + c3·t³.
    const double c[4] = {t0 * w0, t0 * a + slope * w0, t0 * j / 2 + slope * a, slope * j / 2};
    const auto integral = [&](double t) {
        return t * (c[0] + t * (c[1] / 2 + t * (c[2] / 3 + t * c[3] / 4)));
    };
    const auto power = [&](double t) { return c[0] + t * (c[1] + t * (c[2] + t * c[3])); };
    Braking result;
    result.energy = -(integral(to) - integral(from));
    result.peak = std::max(-power(from), -power(to));
    // Where the power's slope c1 + 2c2·t + 3c3·t² is 0 inside.
    const double qa = 3 * c[3], qb = 2 * c[2], qc = c[1];
    std::array<double, 2> turns{-1, -1};
    if (qa == 0) {
        if (qb != 0)
            turns[0] = -qc / qb;
    } else if (const double disc = qb * qb - 4 * qa * qc; disc >= 0) {
        turns = {(-qb + std::sqrt(disc)) / (2 * qa), (-qb - std::sqrt(disc)) / (2 * qa)};
    }
    for (const double t : turns)
        if (t > from && t < to)
            result.peak = std::max(result.peak, -power(t));
    return result;
}

// What the segments add up to over the cycle.
struct CycleSums
{
    AxisFigure squares = 0.0; // ∫T² dt
    AxisFigure travel = 0.0;  // ∫|n| dt
    AxisFigure energy = 0.0;  // braking
    AxisFigure peakPower = 0.0;
    AxisFigure peak = 0.0; // the largest |T|
};

// A segment of the cycle, its two operating points, and its share of the sums.
void addSegment(MoveResults &r, CycleSums &sums, const MoveSegment &segment)
{
    r.segments.push_back(segment);
    for (const bool end : {false, true}) {
        OperatingPoint &point = r.points.emplace_back();
        point.move = segment.move;
        point.segment = segment.kind;
        point.end = end;
        point.used = segment.duration > 0 && segment.torque.ok();
        point.speed = end ? segment.speedTo : segment.speedFrom;
        point.torque = end ? segment.torqueEnd : segment.torque.value();
    }
    // A segment of no time asks nothing of the motor.
    if (!segment.torque.ok()) {
        sums.peak = segment.torque;
    } else if (sums.peak.ok() && segment.duration > 0) {
        sums.peak =
            std::max({sums.peak.value(), std::fabs(segment.torque.value()), std::fabs(segment.torqueEnd)});
    }
}

// The segments of one move (its pieces, split where the torque bends, and a
// constant-speed segment of no time where it has none) and of its dwell.
void addMove(MoveResults &r, CycleSums &sums, int index, double start, const MoveKinematics &kinematics,
             const Drive &d, double dir, const AxisFigure &perLoad, const AxisFigure &dwell,
             const AxisFigure &dwellTorque)
{
    const double peakSpeed = kinematics.peakSpeed.value();
    const double accelEnd = kinematics.accelTime.value();
    const double constantEnd = accelEnd + kinematics.constantTime.value();
    const AxisFigure &failure = !kinematics.ok() ? kinematics.moveTime : perLoad;
    const double toMotor = perLoad.value();
    const std::array<double, 2> bends = d.bends();
    MoveSegment segment;
    segment.move = index;
    segment.start = start;
    bool constantSeen = false;
    const auto add = [&](MoveSegmentKind kind, const KinematicPiece &piece) {
        if (kind == MoveSegmentKind::Decelerate && !constantSeen) {
            // The peak held for no time: triangular, or no constant speed.
            const double top = dir * peakSpeed * toMotor;
            MoveSegment held = segment;
            held.kind = MoveSegmentKind::Constant;
            held.duration = 0;
            held.speedFrom = held.speedTo = failure.ok() ? top : 0;
            held.torque = failure.ok() ? d.torque(d.loadIdeal, 0.0, true) * dir : failure;
            held.torqueEnd = held.torque.value();
            held.motion = {0, 0, {0, held.speedFrom, 0}};
            addSegment(r, sums, held);
            constantSeen = true;
        }
        constantSeen = constantSeen || kind == MoveSegmentKind::Constant;
        segment.kind = kind;
        segment.duration = piece.duration;
        if (!failure.ok()) {
            segment.speedFrom = segment.speedTo = 0;
            segment.torque = failure;
            segment.torqueEnd = 0;
            sums.squares = sums.squares + failure;
            addSegment(r, sums, segment);
            return;
        }
        const KinematicState end = EndOf(piece);
        const double v0 = snapped(piece.start.speed, peakSpeed), v1 = snapped(end.speed, peakSpeed);
        segment.speedFrom = toMotor * v0;
        segment.speedTo = toMotor * v1;
        segment.motion = {piece.duration,
                          toMotor * piece.jerk,
                          {toMotor * piece.start.accel, segment.speedFrom, toMotor * piece.start.position}};
        // In the move's frame, where the torque's sign is its power's.
        const double alpha0 = dir * toMotor * piece.start.accel;
        const double alpha1 = dir * toMotor * end.accel;
        const AxisFigure t0 = d.torque(d.loadIdeal, alpha0, true);
        const AxisFigure t1 = piece.jerk == 0 ? t0 : d.torque(d.loadIdeal, alpha1, true);
        segment.torque = t0 * dir;
        segment.torqueEnd = t1.value() * dir;
        const AxisFigure duration = piece.duration;
        if (piece.jerk == 0) {
            sums.squares = sums.squares + t0 * t0 * duration;
            const double w0 = std::fabs(segment.speedFrom), w1 = std::fabs(segment.speedTo);
            const AxisFigure mean = (w0 + w1) / 2;
            sums.travel = sums.travel + mean * duration;
            // Power T·ω is linear over a ramp and keeps one sign: the braking
            // energy is its mean times the time, its peak at the top speed.
            if (t0.ok() && t0.value() < 0) {
                sums.energy = sums.energy + AxisFigure(-t0.value()) * mean * duration;
                sums.peakPower = std::max(sums.peakPower.value(), -t0.value() * std::max(w0, w1));
            }
        } else {
            // Linear torque: ∫T² = t·(T0² + T0·T1 + T1²)/3.
            sums.squares = sums.squares + (t0 * t0 + t0 * t1 + t1 * t1) * duration / 3.0;
            sums.travel = sums.travel + AxisFigure(std::fabs(toMotor) * IntegralsOf(piece).absSpeed);
            if (t0.ok() && t1.ok()) {
                const double slope = (t1.value() - t0.value()) / piece.duration;
                const double w = dir * toMotor;
                // Braking only where T < 0: up to, or from, its root.
                double from = 0, to = piece.duration;
                if (t0.value() >= 0 && t1.value() >= 0)
                    to = from;
                else if (t0.value() >= 0)
                    from = -t0.value() / slope;
                else if (t1.value() > 0)
                    to = -t0.value() / slope;
                if (to > from) {
                    const Braking braking = brakingOver(t0.value(), slope, w * piece.start.speed,
                                                        w * piece.start.accel, w * piece.jerk, from, to);
                    sums.energy = sums.energy + braking.energy;
                    sums.peakPower = std::max(sums.peakPower.value(), braking.peak);
                }
            }
        }
        addSegment(r, sums, segment);
        segment.start += piece.duration;
    };

    if (!kinematics.ok()) {
        for (const MoveSegmentKind kind :
             {MoveSegmentKind::Accelerate, MoveSegmentKind::Constant, MoveSegmentKind::Decelerate})
            add(kind, KinematicPiece{});
    } else {
        double into = 0;
        for (const KinematicPiece &piece : kinematics.pieces) {
            const double middle = into + piece.duration / 2;
            into += piece.duration;
            const MoveSegmentKind kind = middle < accelEnd      ? MoveSegmentKind::Accelerate
                                         : middle < constantEnd ? MoveSegmentKind::Constant
                                                                : MoveSegmentKind::Decelerate;
            // Split where the acceleration passes a bend of the torque, so the
            // torque is linear over each part.
            std::array<double, 2> cuts{};
            std::size_t count = 0;
            if (piece.jerk != 0 && perLoad.ok()) {
                for (const double bend : bends) {
                    // dir·toMotor·(a0 + j·t) = bend
                    const double t = (bend / (dir * toMotor) - piece.start.accel) / piece.jerk;
                    if (t > 1e-12 * piece.duration && t < piece.duration * (1 - 1e-12))
                        cuts[count++] = t;
                }
                if (count == 2 && cuts[1] < cuts[0])
                    std::swap(cuts[0], cuts[1]);
            }
            double from = 0;
            for (std::size_t k = 0; k <= count; ++k) {
                const double to = k < count ? cuts[k] : piece.duration;
                if (to <= from)
                    continue;
                KinematicPiece part = piece;
                part.start = StateAt(piece, from);
                part.duration = to - from;
                add(kind, part);
                from = to;
            }
        }
    }
    segment.kind = MoveSegmentKind::Dwell;
    segment.duration = dwell.value();
    segment.speedFrom = segment.speedTo = 0;
    segment.torque = dwell.ok() ? dwellTorque : dwell;
    segment.torqueEnd = segment.torque.value();
    segment.motion = {segment.duration, 0, {}};
    sums.squares = sums.squares + segment.torque * segment.torque * dwell;
    addSegment(r, sums, segment);
}

// The cycle's figures that are the largest of its moves'.
constexpr std::pair<AxisFigure MoveResults::*, AxisFigure CycleMoveResults::*> LargestOfMoves[] = {
    {&MoveResults::peakLoadSpeed, &CycleMoveResults::peakLoadSpeed},
    {&MoveResults::loadAccel, &CycleMoveResults::loadAccel},
    {&MoveResults::loadDecel, &CycleMoveResults::loadDecel},
    {&MoveResults::maxMotorSpeed, &CycleMoveResults::maxMotorSpeed},
    {&MoveResults::motorAccel, &CycleMoveResults::motorAccel},
    {&MoveResults::motorDecel, &CycleMoveResults::motorDecel},
    {&MoveResults::accelTorque, &CycleMoveResults::accelTorque},
    {&MoveResults::decelTorque, &CycleMoveResults::decelTorque},
    {&MoveResults::loadForce, &CycleMoveResults::loadForce},
    {&MoveResults::loadTorque, &CycleMoveResults::loadTorque},
    {&MoveResults::holdingTorque, &CycleMoveResults::holdingTorque},
    {&MoveResults::breakawayTorque, &CycleMoveResults::breakawayTorque}};

// The largest of the moves' figures in size, signed as it is; a failure
// when one fails.
void keepLargest(AxisFigure &largest, const AxisFigure &figure, bool first)
{
    if (first || (largest.ok() && (!figure.ok() || std::fabs(figure.value()) > std::fabs(largest.value()))))
        largest = figure;
}

} // namespace
namespace {

// A curve from its input: flat or the corner form from the stall torque and
// the maximum speed, or the points as they are.
TorqueCurve curveOf(const MotorCurveInput &input, const AxisQuantity &stall, const AxisQuantity &maxSpeed,
                    const char *stallName, const char *missing, QString &problem, const QString &what)
{
    TorqueCurve curve;
    if (input.form == CurveForm::Points) {
        curve = input.points;
        if (curve.points.empty())
            problem = QStringLiteral("No %1 is given for the motor.").arg(what.mid(4));
    } else if (stall.value == 0) {
        problem = QString::fromUtf8(missing);
    } else if (const AxisFigure given = Positive(stall.value, QString::fromUtf8(stallName)); !given.ok()) {
        problem = given.reason();
    } else if (input.form == CurveForm::Corner && maxSpeed.value == 0) {
        problem = QStringLiteral("%1 in the corner form needs the maximum speed.").arg(what);
    } else if (input.form == CurveForm::Corner) {
        curve =
            CornerCurve(stall.value, input.cornerSpeed.value, input.torqueAtMaxSpeed.value, maxSpeed.value);
        if (!(input.cornerSpeed.value > 0 && input.cornerSpeed.value <= maxSpeed.value))
            problem =
                QStringLiteral("%1's corner speed must be above 0 and at most the maximum speed.").arg(what);
    } else {
        // Without a maximum speed a flat curve holds at every speed; the speed
        // check says the maximum is missing.
        curve =
            FlatCurve(stall.value, maxSpeed.value == 0 ? std::numeric_limits<double>::max() : maxSpeed.value);
    }
    if (problem.isEmpty())
        problem = CurveProblem(curve, what);
    return curve;
}

} // namespace

MotorCurves CurvesOf(const AxisMotor &motor)
{
    MotorCurves c;
    c.peak = curveOf(motor.peak, motor.peakTorque, motor.maxSpeed, "The peak torque of the motor",
                     "No peak torque is given for the motor.", c.peakProblem,
                     QStringLiteral("The peak torque curve"));
    c.continuous = curveOf(motor.continuous, motor.ratedTorque, motor.maxSpeed,
                           "The rated torque of the motor", "No rated torque is given for the motor.",
                           c.continuousProblem, QStringLiteral("The continuous torque curve"));
    if (motor.maxSpeed.value != 0 || motor.peak.form != CurveForm::Points)
        c.maxSpeed = motorLimit(motor.maxSpeed, "The maximum speed of the motor",
                                "No maximum speed is given for the motor.");
    else
        c.maxSpeed =
            c.peakProblem.isEmpty() ? AxisFigure(CurveEndSpeed(c.peak)) : AxisFigure::failed(c.peakProblem);
    return c;
}

MoveResults ComputeMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move)
{
    MoveResults r;
    r.mechanism = MechanismOf(axis);
    const AxisMechanism &mech = r.mechanism;
    const bool linear = mech.kind != MechanismKind::Rotary;
    const QString rotary = QStringLiteral("A rotary axis has no lead, pitch diameter or moving mass.");
    r.pitch = linear ? mechanismFigure(mech, mech.pitch) : AxisFigure::failed(rotary);
    r.movingMass = linear ? mechanismFigure(mech, mech.movingMass) : AxisFigure::failed(rotary);
    const AxisDrive drive = axisDrive(axis, inertia, move, mech, r);
    const AxisFigure &perLoad = drive.perLoad;

    const qsizetype moveCount = move.moves.size();
    r.moves.resize(std::size_t(moveCount));
    r.segments.reserve(std::size_t(moveCount) * 8);
    r.points.reserve(std::size_t(moveCount) * 16);
    CycleSums sums;
    AxisFigure cycleTime = 0.0;
    AxisFigure movingTime = 0.0;
    AxisFigure accelFactor = 1.0;
    for (qsizetype k = 0; k < moveCount; ++k) {
        const CycleMove &input = move.moves.at(k);
        CycleMoveResults &m = r.moves[std::size_t(k)];
        m.kinematics = kinematicsOf(input);
        const MoveKinematics &kin = m.kinematics;
        m.start = cycleTime.value();
        m.moveTime = kin.moveTime;
        m.dwell = NonNegative(input.dwell.value, QStringLiteral("The dwell time"));
        m.peakLoadSpeed = kin.peakSpeed;
        m.loadAccel = kin.accel;
        m.loadDecel = kin.decel;
        m.maxMotorSpeed = perLoad * m.peakLoadSpeed;
        m.motorAccel = perLoad * m.loadAccel;
        m.motorDecel = perLoad * m.loadDecel;
        m.accelFactor = kin.ok() ? AxisFigure(std::max(kin.accelFactor.value(), kin.decelFactor.value()))
                                 : kin.accelFactor;
        const double dir = input.distance.value < 0 ? -1.0 : 1.0;
        const MoveDrive moving = moveDrive(drive, mech, input, dir, m);
        const Drive &d = moving.drive;
        m.accelTorque = m.motorAccel * d.direct + m.motorAccel * d.through / (d.etaM * d.etaG);
        m.decelTorque = m.motorDecel * d.direct + m.motorDecel * d.through * d.etaBack * d.etaG;
        m.loadTorque = throughStage(throughStage(d.loadIdeal, d.etaM, d.etaBack), d.etaG, d.etaG) * dir;
        m.holdingTorque = moving.holdIdeal;
        // At the first instant, with the acceleration the move starts with
        // (none at the start of an S-curve).
        const AxisFigure startAccel =
            kin.ok() ? perLoad * std::fabs(kin.pieces.front().start.accel) : AxisFigure(kin.moveTime);
        m.breakawayTorque = d.torque(moving.breakawayIdeal, startAccel.value(), true) * dir;
        for (const AxisFigure *figure : {&startAccel, &d.through})
            if (!figure->ok())
                m.breakawayTorque = *figure;

        const AxisFigure dwellTorque =
            input.holdingBrake ? AxisFigure(0.0) * m.holdingTorque : m.holdingTorque;
        const std::size_t first = r.segments.size();
        addMove(r, sums, int(k), m.start, kin, d, dir, perLoad, m.dwell, dwellTorque);
        AxisFigure peak = 0.0;
        for (std::size_t s = first; s < r.segments.size(); ++s) {
            const MoveSegment &segment = r.segments[s];
            if (!segment.torque.ok())
                peak = segment.torque;
            else if (peak.ok() && segment.duration > 0)
                peak =
                    std::max({peak.value(), std::fabs(segment.torque.value()), std::fabs(segment.torqueEnd)});
        }
        m.peakTorque = peak;

        cycleTime = cycleTime + (m.moveTime + m.dwell);
        movingTime = movingTime + m.moveTime;
        accelFactor = !accelFactor.ok() || !m.accelFactor.ok()
                          ? (accelFactor.ok() ? m.accelFactor : accelFactor)
                          : AxisFigure(std::max(accelFactor.value(), m.accelFactor.value()));
        for (const auto &[cycle, own] : LargestOfMoves)
            keepLargest(r.*cycle, m.*own, k == 0);
    }
    if (moveCount == 0) {
        const AxisFigure none = AxisFigure::failed(QStringLiteral("The cycle has no move."));
        for (const auto &[cycle, own] : LargestOfMoves)
            r.*cycle = none;
        for (AxisFigure *figure : {&r.accelTime, &r.constantTime, &r.decelTime, &sums.peak, &cycleTime})
            *figure = none;
    } else {
        // A timed move's ramps do not hang on its distance: they show even
        // while the distance is missing.
        CycleMove timing = move.moves.first();
        timing.distance.value = 1;
        const MoveKinematics first = r.moves.front().kinematics.ok() || timing.profile == MoveProfile::Limited
                                         ? r.moves.front().kinematics
                                         : kinematicsOf(timing);
        r.accelTime = first.accelTime;
        r.constantTime = first.constantTime;
        r.decelTime = first.decelTime;
    }
    r.cycleTime = cycleTime;
    r.movingTime = movingTime;
    r.cyclesPerMinute = 60.0 / cycleTime;
    r.dutyCycle = movingTime / cycleTime;
    r.accelFactor = accelFactor;
    r.peakTorque = sums.peak;
    r.rmsTorque = Sqrt(sums.squares / cycleTime);
    r.meanSpeed = r.maxMotorSpeed.ok() ? sums.travel / cycleTime : r.maxMotorSpeed;
    const AxisFigure &cycleOk = sums.peak.ok() ? cycleTime : sums.peak;
    r.brakingEnergy = cycleOk.ok() ? sums.energy : cycleOk;
    r.brakingPower = r.brakingEnergy / cycleTime;
    r.peakBrakingPower = cycleOk.ok() ? sums.peakPower : cycleOk;

    const AxisMotor &motor = axis.motor;
    const MotorCurves curves = CurvesOf(motor);
    const AxisFigure peakMargin = requiredMargin(motor.peakMargin, "peak torque");

    // The peak check at the operating point of the smallest margin: each
    // segment's ends, and the worst point inside it where that is worse still.
    MotorCheck &peak = r.checks[std::size_t(MotorCheckKind::PeakTorque)];
    const AxisFigure peakCurve =
        curves.peakProblem.isEmpty() ? AxisFigure(0.0) : AxisFigure::failed(curves.peakProblem);
    peak = check(MotorCheckKind::PeakTorque, r.peakTorque, peakCurve, peakMargin);
    peak.moveCount = int(moveCount);
    const auto judge = [&](const OperatingPoint &point, int index, double worseBy) {
        MotorCheck here = check(MotorCheckKind::PeakTorque, std::fabs(point.torque),
                                TorqueAt(curves.peak, std::fabs(point.speed)), peakMargin);
        here.speed = point.speed;
        here.point = index;
        here.at = point;
        here.moveCount = int(moveCount);
        if (peak.point < 0 || rank(here) < rank(peak) - worseBy)
            peak = here;
    };
    for (std::size_t s = 0; s < r.segments.size() && r.peakTorque.ok() && peakCurve.ok(); ++s) {
        const int start = int(2 * s);
        for (const int k : {start, start + 1})
            if (r.points[std::size_t(k)].used)
                judge(r.points[std::size_t(k)], k, 0);
        if (const std::optional<PeakPoint> inside = WorstPeakInside(r.segments[s], curves.peak)) {
            OperatingPoint point = r.points[std::size_t(start)];
            point.inside = true;
            point.speed = inside->speed;
            point.torque = inside->torque;
            // A point as bad as one found before, but for rounding, leaves it named.
            judge(point, start, 1e-12);
        }
    }
    // Heat: the RMS torque against the continuous curve at the mean speed.
    const AxisFigure continuous =
        !curves.continuousProblem.isEmpty() ? AxisFigure::failed(curves.continuousProblem)
        : r.meanSpeed.ok()                  ? AxisFigure(TorqueAt(curves.continuous, r.meanSpeed.value()))
                                            : r.meanSpeed;
    r.checks[std::size_t(MotorCheckKind::RmsTorque)] = check(
        MotorCheckKind::RmsTorque, r.rmsTorque, continuous, requiredMargin(motor.rmsMargin, "RMS torque"));
    r.checks[std::size_t(MotorCheckKind::RmsTorque)].speed = r.meanSpeed;
    r.checks[std::size_t(MotorCheckKind::Speed)] = check(
        MotorCheckKind::Speed, r.maxMotorSpeed, curves.maxSpeed, requiredMargin(motor.speedMargin, "speed"));
    r.checks[std::size_t(MotorCheckKind::InertiaRatio)] =
        check(MotorCheckKind::InertiaRatio, inertia.ratio,
              motorLimit({motor.targetRatio, {}}, "The target ratio", "No target ratio is given."), 0.0);
    MotorCheck &breakaway = r.checks[std::size_t(MotorCheckKind::Breakaway)];
    breakaway =
        check(MotorCheckKind::Breakaway,
              r.breakawayTorque.ok() ? AxisFigure(std::fabs(r.breakawayTorque.value())) : r.breakawayTorque,
              peakCurve.ok() ? AxisFigure(TorqueAt(curves.peak, 0)) : peakCurve, peakMargin);
    breakaway.speed = 0.0;
    // Without the rotor the torques leave out its own acceleration: too low
    // to pass a motor on, however they compare.
    if (axis.motor.inertia.value == 0) {
        for (MotorCheckKind kind :
             {MotorCheckKind::PeakTorque, MotorCheckKind::RmsTorque, MotorCheckKind::Breakaway}) {
            MotorCheck &torque = r.checks[std::size_t(kind)];
            torque.level = CheckLevel::Unknown;
            torque.margin = AxisFigure::failed(NoRotorReason());
        }
    }
    return r;
}

QString PointWords(const OperatingPoint &point, int moveCount)
{
    static const char *const Segments[MoveSegmentCount] = {"acceleration", "constant speed", "deceleration",
                                                           "dwell"};
    const QString segment = QString::fromLatin1(Segments[std::size_t(point.segment)]);
    const QString words =
        point.inside ? QStringLiteral("inside the %1").arg(segment)
                     : QStringLiteral("the %1 of the %2")
                           .arg(point.end ? QStringLiteral("end") : QStringLiteral("start"), segment);
    return moveCount > 1 ? QStringLiteral("%1 of move %2").arg(words).arg(point.move + 1) : words;
}

namespace {

// The share of the curve's torque at a speed that a torque takes: infinite
// where the curve gives none and the torque is not 0.
double peakShare(const TorqueCurve &curve, double speed, double torque)
{
    const double available = TorqueAt(curve, speed);
    const double needed = std::fabs(torque);
    if (available > 0)
        return needed / available;
    return needed > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

// The roots of c2·t² + c1·t + c0 strictly between from and to.
template <typename Add> void rootsBetween(double c2, double c1, double c0, double from, double to, Add add)
{
    std::array<double, 2> roots{};
    int count = 0;
    if (c2 == 0) {
        if (c1 != 0)
            roots[count++] = -c0 / c1;
    } else if (const double disc = c1 * c1 - 4 * c2 * c0; disc >= 0) {
        // The form that loses no digits when c1² outweighs 4·c2·c0.
        const double q = -(c1 + std::copysign(std::sqrt(disc), c1)) / 2;
        roots[count++] = q / c2;
        if (q != 0)
            roots[count++] = c0 / q;
    }
    for (int k = 0; k < count; ++k)
        if (roots[std::size_t(k)] > from && roots[std::size_t(k)] < to)
            add(roots[std::size_t(k)]);
}

} // namespace

std::optional<PeakPoint> WorstPeakInside(const MoveSegment &segment, const TorqueCurve &peak)
{
    const double d = segment.duration;
    const double w0 = segment.speedFrom;
    const double a = segment.motion.start.accel;
    const double j = segment.motion.jerk;
    const std::vector<TorquePoint> &curve = peak.points;
    // At constant speed the torque is constant too: its ends say it all.
    if (!(d > 0) || !segment.torque.ok() || curve.size() < 2 || (a == 0 && j == 0))
        return std::nullopt;
    const double t0 = segment.torque.value();
    const double slope = (segment.torqueEnd - t0) / d;
    const auto speedAt = [&](double t) { return w0 + t * (a + t * j / 2); };

    // The instants where the share of the curve may bend: |ω| at a point of
    // the curve (its speed then exact), ω at 0 (where |ω| turns), |ω| at its
    // extreme. Where the torque passes 0 the share is 0, never the worst.
    struct Instant
    {
        double time;
        double speed; // NaN: from the motion
    };
    // Kept from call to call: a cycle's thousands of segments allocate once.
    thread_local std::vector<Instant> instants;
    instants.assign({{0, w0}, {d, segment.speedTo}});
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto add = [&](double speed) { return [&, speed](double t) { instants.push_back({t, speed}); }; };
    rootsBetween(j / 2, a, w0, 0, d, add(0.0));
    const bool turns = instants.size() > 2;
    double low = turns ? 0.0 : std::min(std::fabs(w0), std::fabs(segment.speedTo));
    double high = std::max(std::fabs(w0), std::fabs(segment.speedTo));
    if (j != 0 && -a / j > 0 && -a / j < d) {
        instants.push_back({-a / j, nan});
        high = std::max(high, std::fabs(speedAt(-a / j)));
    }
    const auto first = std::upper_bound(curve.begin(), curve.end(), low,
                                        [](double s, const TorquePoint &point) { return s < point.speed; });
    for (auto point = first; point != curve.end() && point->speed < high; ++point)
        for (const double sign : {1.0, -1.0})
            rootsBetween(j / 2, a, w0 - sign * point->speed, 0, d, add(sign * point->speed));
    std::sort(instants.begin(), instants.end(),
              [](const Instant &x, const Instant &y) { return x.time < y.time; });

    // Between those instants the share |T|/C is smooth, C = c + m·(|ω| − s)
    // on one line of the curve: it turns where T'·C − T·C' = 0, a quadratic
    // in time (T = t0 + q·t, |ω| = σ·(w0 + a·t + j·t²/2)). At constant
    // acceleration the torque is constant and C linear in time: no turn.
    const std::size_t bends = instants.size();
    for (std::size_t k = 1; k < bends && j != 0; ++k) {
        const double from = instants[k - 1].time, to = instants[k].time;
        const double middle = speedAt((from + to) / 2);
        const double n = std::fabs(middle);
        const auto above =
            std::upper_bound(curve.begin(), curve.end(), n,
                             [](double s, const TorquePoint &point) { return s < point.speed; });
        if (!(to > from) || middle == 0 || above == curve.begin() || above == curve.end())
            continue;
        const TorquePoint &lo = *(above - 1);
        const double m = (above->torque - lo.torque) / (above->speed - lo.speed);
        const double sigma = middle > 0 ? 1.0 : -1.0;
        const double c = lo.torque + m * (sigma * w0 - lo.speed);
        rootsBetween(-slope * m * sigma * j / 2, -t0 * m * sigma * j, slope * c - t0 * m * sigma * a, from,
                     to, add(nan));
    }

    // The worst of them inside, kept where it is worse than both ends (an
    // instant at an end to rounding is that end).
    const double share0 = peakShare(peak, w0, t0);
    const double share1 = peakShare(peak, segment.speedTo, segment.torqueEnd);
    const double ends = std::max(share0, share1);
    std::optional<PeakPoint> worst;
    double worstShare = ends;
    for (const Instant &instant : instants) {
        if (!(instant.time > 1e-9 * d && instant.time < d * (1 - 1e-9)))
            continue;
        const double speed = std::isnan(instant.speed) ? speedAt(instant.time) : instant.speed;
        const double torque = t0 + slope * instant.time;
        const double share = peakShare(peak, speed, torque);
        if (share > worstShare && share > ends * (1 + 1e-9)) {
            worstShare = share;
            worst = PeakPoint{speed, torque};
        }
    }
    return worst;
}

QString MotorCheckText(const ConversionTableData &units, const MotorCheck &check, const QString &unit,
                       int digits, const QString &speedUnit)
{
    const QString title = MotorCheckTitle(check.kind);
    if (check.level == CheckLevel::Unknown)
        return QStringLiteral("%1: %2").arg(title, check.margin.reason());
    QString value;
    QString limit;
    if (check.kind == MotorCheckKind::InertiaRatio) {
        value = RatioText(check.value.value(), false) + QStringLiteral(" : 1");
        limit = RatioText(check.limit.value(), true) + QStringLiteral(" : 1");
    } else {
        value = shown(units, check.value, unit.trimmed(), digits);
        limit = shown(units, check.limit, unit.trimmed(), digits);
    }
    QString where;
    const QString speed =
        check.speed.ok() ? shown(units, check.speed, speedUnit.trimmed(), digits) : QString();
    if (check.kind == MotorCheckKind::RmsTorque)
        where = QStringLiteral(" continuous at the mean speed %1").arg(speed);
    else if (check.kind == MotorCheckKind::Breakaway)
        where = QStringLiteral(" at standstill");
    else if (check.kind == MotorCheckKind::PeakTorque && check.point >= 0)
        where = QStringLiteral(" at %1 (%2)").arg(speed, PointWords(check.at, check.moveCount));
    const auto percent = [](double fraction) {
        // Whole per cent, with a tenth below 10 % where it matters.
        const double p = std::fabs(fraction) * 100;
        return FormatWithPattern(p, p < 10 ? QStringLiteral("0.#") : QStringLiteral("0"));
    };
    const QString stated = QStringLiteral("%1 %2 of %3%4").arg(title, value, limit, where);
    const double margin = check.margin.value();
    if (!check.margin.ok())
        return QStringLiteral("%1: fails, %2").arg(stated, check.margin.reason());
    const QString required =
        check.required > 0 ? QStringLiteral(" (%1 % required)").arg(percent(check.required)) : QString();
    if (check.level == CheckLevel::Passes)
        return QStringLiteral("%1: passes, %2 % margin%3").arg(stated, percent(margin), required);
    if (margin < 0)
        return QStringLiteral("%1: fails, %2 % over%3").arg(stated, percent(margin), required);
    return QStringLiteral("%1: fails, %2 % margin of %3 % required")
        .arg(stated, percent(margin), percent(check.required));
}

QString MotorCheckTitle(MotorCheckKind kind)
{
    return QString::fromUtf8(checkTitle(kind));
}

QString NoRotorReason()
{
    return QStringLiteral("No rotor inertia is given; the torques leave it out.");
}

MoveCurves SampleMove(const MoveResults &results, int samplesPerSegment)
{
    MoveCurves curves;
    if (!results.peakTorque.ok() || !results.maxMotorSpeed.ok() || !results.cycleTime.ok())
        return curves;
    const int n = std::clamp(samplesPerSegment, 2, 100000);
    curves.speed.reserve(std::size_t(n) * results.segments.size());
    curves.torque.reserve(std::size_t(n) * results.segments.size());
    curves.boundaries.reserve(results.segments.size() + 1);
    for (const CycleMoveResults &move : results.moves)
        curves.moveStarts.push_back(move.start);
    for (const MoveSegment &segment : results.segments) {
        curves.boundaries.push_back(segment.start);
        if (segment.duration <= 0)
            continue;
        const double rise = segment.speedTo - segment.speedFrom;
        const double torque = segment.torque.value();
        const double torqueRise = segment.torqueEnd - torque;
        for (int j = 0; j < n; ++j) {
            const double f = double(j) / (n - 1);
            const double time = segment.start + segment.duration * f;
            // A rounded corner's speed is a parabola; a ramp's a straight line.
            const double speed = segment.motion.jerk == 0 || j == n - 1
                                     ? segment.speedFrom + rise * f
                                     : StateAt(segment.motion, segment.duration * f).speed;
            curves.speed.emplace_back(time, speed);
            curves.torque.emplace_back(time, torque + torqueRise * f);
        }
    }
    curves.boundaries.push_back(results.cycleTime.value());
    return curves;
}
