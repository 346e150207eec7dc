#include "axis/moveprofile.h"

#include "units/numberformat.h"

#include <algorithm>
#include <cmath>
#include <limits>
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

// The load's profile: ramp and constant-speed times, peak speed and the
// accelerations. Gives the move time, which the cycle needs too.
AxisFigure computeProfile(const CycleMove &move, MoveResults &r)
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

// What the segments' torques are made of at the motor shaft.
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
};

// The drive, the load force and the load, holding, lost and breakaway torques.
Drive computeTorques(const Axis &axis, const AxisResults &inertia, const MoveInputs &move,
                     const AxisFigure &i, MoveResults &r)
{
    const CycleMove &first = move.moves.first();
    const AxisMechanism &mech = r.mechanism;
    const bool rotary = mech.kind == MechanismKind::Rotary;
    Drive d;
    d.i = i;
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

    // Load force, and the lever from it to the screw or pulley shaft.
    const AxisFigure arm = mech.kind == MechanismKind::Screw ? mech.pitch / TwoPi : mech.pitch / 2.0;
    const AxisFigure counterweight =
        NonNegative(move.counterweight.value, QStringLiteral("The counterweight"));
    AxisFigure &loadIdeal = d.loadIdeal;
    AxisFigure holdIdeal, breakawayIdeal;
    if (rotary) {
        const AxisFigure load = anyValue(first.loadTorque.value, QStringLiteral("The load torque"));
        r.loadForce = AxisFigure::failed(QStringLiteral("A rotary axis has a load torque, not a force."));
        d.through = inertia.reflected;
        if (move.counterweight.value != 0)
            d.through = AxisFigure::failed(QStringLiteral("A counterweight needs a screw or belt axis."));
        loadIdeal = holdIdeal = breakawayIdeal = load / i;
    } else {
        const AxisFigure theta = incline(move.incline.value);
        const AxisFigure mu = NonNegative(move.friction, QStringLiteral("The friction coefficient"));
        AxisFigure muStatic = move.staticFriction == 0
                                  ? mu
                                  : NonNegative(move.staticFriction, QStringLiteral("The static friction "
                                                                                    "coefficient"));
        if (muStatic.ok() && mu.ok() && muStatic.value() < mu.value())
            muStatic = AxisFigure::failed(
                QStringLiteral("The static friction coefficient must be at least the friction coefficient."));
        const AxisFigure thrust = anyValue(first.thrust.value, QStringLiteral("The external force"));
        const AxisFigure sinTheta = theta.ok() ? AxisFigure(std::sin(theta.value())) : theta;
        const AxisFigure cosTheta = theta.ok() ? AxisFigure(std::cos(theta.value())) : theta;
        const AxisFigure weight = mech.movingMass * StandardGravity;
        // The counterweight takes its weight off the load along the line.
        const AxisFigure gravity = (mech.movingMass - counterweight) * StandardGravity * sinTheta;
        r.loadForce = mechanismFigure(mech, gravity + mu * weight * cosTheta + thrust);
        const AxisFigure breakawayForce =
            mechanismFigure(mech, gravity + muStatic * weight * cosTheta + thrust);
        d.through = inertia.reflected + counterweight * arm * arm / (i * i);
        loadIdeal = r.loadForce * arm / i;
        breakawayIdeal = breakawayForce * arm / i;
        // At rest friction does not act, and no efficiency: only gravity
        // holds, unless the screw locks itself.
        holdIdeal = mechanismFigure(mech, d.selfLocking ? AxisFigure(0.0) * gravity : gravity * arm / i);
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
    r.lostTorque = d.lostAtLoad / (i * d.etaG) + d.lostAtMotor;

    r.accelTorque = r.motorAccel * d.direct + r.motorAccel * d.through / (d.etaM * d.etaG);
    r.decelTorque = r.motorDecel * d.direct + r.motorDecel * d.through * d.etaBack * d.etaG;
    r.loadTorque = throughStage(throughStage(loadIdeal, d.etaM, d.etaBack), d.etaG, d.etaG);
    r.holdingTorque = holdIdeal;
    r.breakawayTorque = d.torque(breakawayIdeal, r.motorAccel.value(), true);
    for (const AxisFigure *figure : {&r.motorAccel, &d.through})
        if (!figure->ok())
            r.breakawayTorque = *figure;
    return d;
}

// The four segments of the cycle, with the peak and RMS torque over it, the
// operating points, the mean speed and the braking.
void computeCycle(const CycleMove &move, const AxisFigure &t, const Drive &d, MoveResults &r)
{
    const AxisFigure dwell = NonNegative(move.dwell.value, QStringLiteral("The dwell time"));
    r.cycleTime = t + dwell;
    const AxisFigure durations[MoveSegmentCount] = {r.accelTime, r.constantTime, r.decelTime, dwell};
    const AxisFigure alphas[MoveSegmentCount] = {r.motorAccel, 0.0, AxisFigure(0.0) - r.motorDecel, 0.0};
    AxisFigure torques[MoveSegmentCount];
    for (int k = 0; k < 3; ++k)
        torques[k] = alphas[k].ok() ? d.torque(d.loadIdeal, alphas[k].value(), true) : alphas[k];
    torques[3] = move.holdingBrake ? AxisFigure(0.0) * r.holdingTorque : r.holdingTorque;
    const double top = r.maxMotorSpeed.value();
    const double speeds[MoveSegmentCount][2] = {{0, top}, {top, top}, {top, 0}, {0, 0}};
    AxisFigure peak = 0.0;
    AxisFigure squares = 0.0;
    AxisFigure meanSum = 0.0;
    AxisFigure energy = 0.0;
    AxisFigure peakPower = 0.0;
    double start = 0;
    for (int k = 0; k < MoveSegmentCount; ++k) {
        MoveSegment &segment = r.segments.emplace_back();
        segment.kind = MoveSegmentKind(k);
        segment.start = start;
        segment.duration = durations[k].value();
        segment.speedFrom = speeds[k][0];
        segment.speedTo = speeds[k][1];
        segment.torque = durations[k].ok() ? torques[k] : durations[k];
        start += segment.duration;
        squares = squares + segment.torque * segment.torque * durations[k];
        const AxisFigure meanOfSegment = (std::fabs(speeds[k][0]) + std::fabs(speeds[k][1])) / 2;
        meanSum = meanSum + meanOfSegment * durations[k];
        for (int e = 0; e < 2; ++e) {
            OperatingPoint &point = r.points.emplace_back();
            point.segment = segment.kind;
            point.end = e == 1;
            point.used = segment.duration > 0 && segment.torque.ok();
            point.speed = speeds[k][e];
            point.torque = segment.torque.value();
            segment.torqueEnd = point.torque;
        }
        // A segment of no time asks nothing of the motor.
        if (!segment.torque.ok()) {
            peak = segment.torque;
        } else if (peak.ok() && segment.duration > 0) {
            peak = std::max(peak.value(), std::fabs(segment.torque.value()));
            // Power T·ω is linear over a ramp and keeps one sign: the braking
            // energy is its mean times the time, its peak at the top speed.
            const double torque = segment.torque.value();
            if (torque < 0) {
                energy = energy + AxisFigure(-torque) * meanOfSegment * durations[k];
                peakPower = std::max(peakPower.value(), -torque * std::max(speeds[k][0], speeds[k][1]));
            }
        }
    }
    r.peakTorque = peak;
    r.rmsTorque = Sqrt(squares / r.cycleTime);
    r.meanSpeed = r.maxMotorSpeed.ok() ? meanSum / r.cycleTime : r.maxMotorSpeed;
    const AxisFigure &cycleOk = peak.ok() ? r.cycleTime : peak;
    r.brakingEnergy = cycleOk.ok() ? energy : cycleOk;
    r.brakingPower = r.brakingEnergy / r.cycleTime;
    r.peakBrakingPower = cycleOk.ok() ? peakPower : cycleOk;
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
    const bool linear = r.mechanism.kind != MechanismKind::Rotary;
    const QString rotary = QStringLiteral("A rotary axis has no lead, pitch diameter or moving mass.");
    r.pitch = linear ? mechanismFigure(r.mechanism, r.mechanism.pitch) : AxisFigure::failed(rotary);
    r.movingMass = linear ? mechanismFigure(r.mechanism, r.mechanism.movingMass) : AxisFigure::failed(rotary);
    const AxisFigure t = computeProfile(move.moves.first(), r);
    const AxisFigure i = computeMotorMotion(axis, r);
    const Drive drive = computeTorques(axis, inertia, move, i, r);
    computeCycle(move.moves.first(), t, drive, r);
    CycleMoveResults &only = r.moves.emplace_back();
    only.moveTime = t;
    only.dwell = r.cycleTime - t;
    only.peakLoadSpeed = r.peakLoadSpeed;
    only.loadAccel = r.loadAccel;
    only.loadDecel = r.loadDecel;
    only.maxMotorSpeed = r.maxMotorSpeed;
    only.motorAccel = r.motorAccel;
    only.motorDecel = r.motorDecel;
    only.accelFactor = 1.0;
    only.loadForce = r.loadForce;
    only.loadTorque = r.loadTorque;
    only.accelTorque = r.accelTorque;
    only.decelTorque = r.decelTorque;
    only.holdingTorque = r.holdingTorque;
    only.breakawayTorque = r.breakawayTorque;
    only.peakTorque = r.peakTorque;
    r.movingTime = t;
    r.cyclesPerMinute = 60.0 / r.cycleTime;
    r.dutyCycle = t / r.cycleTime;
    r.accelFactor = 1.0;

    const AxisMotor &motor = axis.motor;
    const MotorCurves curves = CurvesOf(motor);
    const AxisFigure peakMargin = requiredMargin(motor.peakMargin, "peak torque");

    // The peak check at the operating point of the smallest margin.
    MotorCheck &peak = r.checks[std::size_t(MotorCheckKind::PeakTorque)];
    const AxisFigure peakCurve =
        curves.peakProblem.isEmpty() ? AxisFigure(0.0) : AxisFigure::failed(curves.peakProblem);
    peak = check(MotorCheckKind::PeakTorque, r.peakTorque, peakCurve, peakMargin);
    for (int k = 0; k < int(r.points.size()) && r.peakTorque.ok() && peakCurve.ok(); ++k) {
        const OperatingPoint &point = r.points[std::size_t(k)];
        if (!point.used)
            continue;
        MotorCheck here = check(MotorCheckKind::PeakTorque, std::fabs(point.torque),
                                TorqueAt(curves.peak, point.speed), peakMargin);
        here.speed = point.speed;
        here.point = k;
        here.at = point;
        here.moveCount = int(r.moves.size());
        if (peak.point < 0 || rank(here) < rank(peak))
            peak = here;
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
    const QString words = QStringLiteral("the %1 of the %2")
                              .arg(point.end ? QStringLiteral("end") : QStringLiteral("start"),
                                   QString::fromLatin1(Segments[std::size_t(point.segment)]));
    return moveCount > 1 ? QStringLiteral("%1 of move %2").arg(words).arg(point.move + 1) : words;
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
