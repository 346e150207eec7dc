#include "axis/moveprofile.h"

#include "units/numberformat.h"

#include <algorithm>
#include <cmath>
#include <numbers>

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

const char *checkTitle(MotorCheckKind kind)
{
    static const char *const Titles[MotorCheckCount] = {"Peak torque", "RMS torque", "Maximum speed",
                                                        "Inertia ratio"};
    return Titles[std::size_t(kind)];
}

// A check of value against the motor's limit, named as its box is ("The
// rated torque of the motor"); missing says why when no limit is given.
MotorCheck check(MotorCheckKind kind, const AxisFigure &value, const AxisQuantity &limit,
                 const char *limitName, const char *missing)
{
    MotorCheck result;
    result.kind = kind;
    result.value = value;
    result.limit = limit.value == 0 ? AxisFigure::failed(QString::fromUtf8(missing))
                                    : Positive(limit.value, QString::fromUtf8(limitName));
    result.margin = AxisFigure(1.0) - value / result.limit;
    if (!result.value.ok() || !result.limit.ok())
        result.margin = AxisFigure::failed(result.value.ok() ? result.limit.reason() : result.value.reason());
    if (result.margin.ok())
        result.level = value.value() <= result.limit.value() ? CheckLevel::Passes : CheckLevel::Fails;
    return result;
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

// The load's profile: ramp and constant-speed times, peak speed and the
// accelerations. Gives the move time, which the cycle needs too.
AxisFigure computeProfile(const MoveInputs &move, MoveResults &r)
{
    // A move of no distance would charge the load torque with nothing moving.
    const AxisFigure s = Positive(move.distance.value, QStringLiteral("The move distance"));
    const AxisFigure t = Positive(move.moveTime.value, QStringLiteral("The move time"));
    if (move.profile == MoveProfile::Triangular) {
        r.accelTime = r.decelTime = t / 2.0;
    } else if (move.defaultRamps) {
        r.accelTime = r.decelTime = t / 3.0;
    } else {
        r.accelTime = Positive(move.accelTime.value, QStringLiteral("The acceleration time"));
        r.decelTime = Positive(move.decelTime.value, QStringLiteral("The deceleration time"));
    }
    r.constantTime = t - r.accelTime - r.decelTime;
    if (r.constantTime.ok() && r.constantTime.value() < -1e-12 * t.value())
        r.constantTime = AxisFigure::failed(QStringLiteral("The acceleration and deceleration times together "
                                                           "are longer than the move time."));
    else if (r.constantTime.ok())
        r.constantTime = std::max(0.0, r.constantTime.value());
    const AxisFigure rampsOk = r.constantTime.ok() ? AxisFigure(1.0) : r.constantTime;
    r.peakLoadSpeed = rampsOk * s / (t - (r.accelTime + r.decelTime) / 2.0);
    r.loadAccel = r.peakLoadSpeed / r.accelTime;
    r.loadDecel = r.peakLoadSpeed / r.decelTime;

    return t;
}

// Through the mechanism and the gearbox to the motor's speed and
// accelerations. Gives the gearbox ratio, which the torques need too.
AxisFigure computeMotorMotion(const Axis &axis, MoveResults &r)
{
    const AxisMechanism &mech = r.mechanism;
    // Motor rad/s per load unit/s.
    const AxisFigure i = Positive(axis.gearbox.ratio, QStringLiteral("The gearbox ratio"));
    AxisFigure perLoad = i;
    if (mech.kind == MechanismKind::Screw)
        perLoad = i * TwoPi / mech.pitch;
    else if (mech.kind == MechanismKind::Belt)
        perLoad = i / (mech.pitch / 2.0);
    perLoad = mechanismFigure(mech, perLoad);
    r.maxMotorSpeed = perLoad * r.peakLoadSpeed;
    r.motorAccel = perLoad * r.loadAccel;
    r.motorDecel = perLoad * r.loadDecel;

    return i;
}

// Acceleration torques, the load force and the torques it takes at the motor.
void computeTorques(const Axis &axis, const AxisResults &inertia, const MoveInputs &move, const AxisFigure &i,
                    MoveResults &r)
{
    const AxisMechanism &mech = r.mechanism;
    const bool rotary = mech.kind == MechanismKind::Rotary;
    const AxisFigure etaG = efficiency(move.gearboxEfficiency, QStringLiteral("The gearbox efficiency"));
    const AxisFigure etaM =
        rotary ? AxisFigure(1.0)
               : efficiency(move.mechanismEfficiency, QStringLiteral("The mechanism efficiency"));
    const AxisFigure rotor = NonNegative(axis.motor.inertia.value, QStringLiteral("The rotor inertia"));
    const AxisFigure gearbox = NonNegative(axis.gearbox.inertia.value, QStringLiteral("The gearbox inertia"));
    const AxisFigure direct = rotor + gearbox + inertia.motorSideItems;
    const AxisFigure throughDrive = inertia.reflected / (etaM * etaG);
    r.accelTorque = r.motorAccel * direct + r.motorAccel * throughDrive;
    r.decelTorque = r.motorDecel * direct + r.motorDecel * throughDrive;

    // Load force, and the torque it takes at the motor.
    const AxisFigure arm = mech.kind == MechanismKind::Screw ? mech.pitch / TwoPi : mech.pitch / 2.0;
    if (rotary) {
        const AxisFigure load = anyValue(move.loadTorque.value, QStringLiteral("The load torque"));
        r.loadForce = AxisFigure::failed(QStringLiteral("A rotary axis has a load torque, not a force."));
        r.loadTorque = load / (i * etaG);
        r.holdingTorque = load / i;
    } else {
        const AxisFigure theta = incline(move.incline.value);
        const AxisFigure mu = NonNegative(move.friction, QStringLiteral("The friction coefficient"));
        const AxisFigure thrust = anyValue(move.thrust.value, QStringLiteral("The external force"));
        const double sinTheta = std::sin(theta.value());
        const AxisFigure weight = mech.movingMass * StandardGravity;
        r.loadForce =
            mechanismFigure(mech, weight * (AxisFigure(sinTheta) + mu * std::cos(theta.value())) + thrust);
        if (!theta.ok())
            r.loadForce = theta;
        r.loadTorque = r.loadForce * arm / (etaM * i * etaG);
        // At rest friction does not act, and no efficiency: only gravity holds.
        r.holdingTorque = mechanismFigure(mech, theta.ok() ? weight * sinTheta * arm / i : theta);
    }
}

// The four segments of the cycle, with the peak and RMS torque over it.
void computeCycle(const MoveInputs &move, const AxisFigure &t, MoveResults &r)
{
    const AxisFigure dwell = NonNegative(move.dwell.value, QStringLiteral("The dwell time"));
    r.cycleTime = t + dwell;
    const AxisFigure durations[MoveSegmentCount] = {r.accelTime, r.constantTime, r.decelTime, dwell};
    const AxisFigure torques[MoveSegmentCount] = {r.loadTorque + r.accelTorque, r.loadTorque,
                                                  r.loadTorque - r.decelTorque, r.holdingTorque};
    const double top = r.maxMotorSpeed.value();
    const double speeds[MoveSegmentCount][2] = {{0, top}, {top, top}, {top, 0}, {0, 0}};
    AxisFigure peak = 0.0;
    AxisFigure squares = 0.0;
    double start = 0;
    for (int k = 0; k < MoveSegmentCount; ++k) {
        MoveSegment &segment = r.segments[std::size_t(k)];
        segment.kind = MoveSegmentKind(k);
        segment.start = start;
        segment.duration = durations[k].value();
        segment.speedFrom = speeds[k][0];
        segment.speedTo = speeds[k][1];
        segment.torque = durations[k].ok() ? torques[k] : durations[k];
        start += segment.duration;
        squares = squares + segment.torque * segment.torque * durations[k];
        // A segment of no time asks nothing of the motor.
        if (!segment.torque.ok())
            peak = segment.torque;
        else if (peak.ok() && segment.duration > 0)
            peak = std::max(peak.value(), std::fabs(segment.torque.value()));
    }
    r.peakTorque = peak;
    r.rmsTorque = Sqrt(squares / r.cycleTime);
}

} // namespace

MoveResults ComputeMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move)
{
    MoveResults r;
    r.mechanism = MechanismOf(axis);
    const bool linear = r.mechanism.kind != MechanismKind::Rotary;
    const QString rotary = QStringLiteral("A rotary axis has no lead, pitch diameter or moving mass.");
    r.pitch = linear ? mechanismFigure(r.mechanism, r.mechanism.pitch) : AxisFigure::failed(rotary);
    r.movingMass = linear ? mechanismFigure(r.mechanism, r.mechanism.movingMass) : AxisFigure::failed(rotary);
    const AxisFigure t = computeProfile(move, r);
    const AxisFigure i = computeMotorMotion(axis, r);
    computeTorques(axis, inertia, move, i, r);
    computeCycle(move, t, r);

    const AxisMotor &motor = axis.motor;
    r.checks = {check(MotorCheckKind::PeakTorque, r.peakTorque, motor.peakTorque,
                      "The peak torque of the motor", "No peak torque is given for the motor."),
                check(MotorCheckKind::RmsTorque, r.rmsTorque, motor.ratedTorque,
                      "The rated torque of the motor", "No rated torque is given for the motor."),
                check(MotorCheckKind::Speed, r.maxMotorSpeed, motor.maxSpeed,
                      "The maximum speed of the motor", "No maximum speed is given for the motor."),
                check(MotorCheckKind::InertiaRatio, inertia.ratio, {motor.targetRatio, {}},
                      "The target ratio", "No target ratio is given.")};
    // Without the rotor the torques leave out its own acceleration: too low
    // to pass a motor on, however they compare.
    if (axis.motor.inertia.value == 0) {
        for (MotorCheck *torque : {&r.checks[0], &r.checks[1]}) {
            torque->level = CheckLevel::Unknown;
            torque->margin = AxisFigure::failed(NoRotorReason());
        }
    }
    return r;
}

QString MotorCheckText(const ConversionTableData &units, const MotorCheck &check, const QString &unit,
                       int digits)
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
    // Whole per cent, with a tenth below 10 % where it matters.
    const double percent = std::fabs(check.margin.value()) * 100;
    const QString margin =
        FormatWithPattern(percent, percent < 10 ? QStringLiteral("0.#") : QStringLiteral("0"));
    if (check.level == CheckLevel::Passes)
        return QStringLiteral("%1 %2 of %3: passes, %4 % margin").arg(title, value, limit, margin);
    return QStringLiteral("%1 %2 of %3: fails, %4 % over").arg(title, value, limit, margin);
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
    curves.speed.reserve(std::size_t(n) * MoveSegmentCount);
    curves.torque.reserve(std::size_t(n) * MoveSegmentCount);
    for (const MoveSegment &segment : results.segments) {
        curves.boundaries.push_back(segment.start);
        if (segment.duration <= 0)
            continue;
        for (int j = 0; j < n; ++j) {
            const double f = double(j) / (n - 1);
            const double time = segment.start + segment.duration * f;
            curves.speed.emplace_back(time, segment.speedFrom + (segment.speedTo - segment.speedFrom) * f);
            curves.torque.emplace_back(time, segment.torque.value());
        }
    }
    curves.boundaries.push_back(results.cycleTime.value());
    return curves;
}
