#include "drives/comparecandidates.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr const char *GearboxTitles[GearboxCheckCount] = {
    "Gearbox peak output torque", "Gearbox continuous output torque", "Gearbox input speed"};

std::optional<double> slack(const CandidateCell &cell)
{
    if (!cell.margin) // failing with no number: nothing left to run on
        return cell.level == CheckLevel::Fails ? std::optional(-HUGE_VAL) : std::nullopt;
    return *cell.margin - cell.required;
}

double known(const AxisFigure &figure)
{
    return figure.ok() ? figure.value() : std::numeric_limits<double>::quiet_NaN();
}

CandidateCell motorCell(const MotorCheck &check)
{
    CandidateCell cell;
    cell.level = check.level;
    cell.required = check.required;
    if (check.level != CheckLevel::Unknown && check.margin.ok())
        cell.margin = check.margin.value();
    return cell;
}

CandidateCell limitCell(const LimitCheck &check)
{
    CandidateCell cell;
    cell.detail = LimitCheckText(check);
    if (check.known()) {
        cell.level = check.passes() ? CheckLevel::Passes : CheckLevel::Fails;
        cell.margin = check.margin();
    }
    return cell;
}

// The torque at the gearbox's output over the move, peak and RMS: the move run
// again with nothing ahead of the gearbox (no rotor, gearbox or motor-side
// inertia, no gearbox drag) through a lossless gearbox, so each segment's
// motor torque is what the load side asks at the gearbox, by that segment's
// power flow through the mechanism, and times the ratio is the output. A
// brake at the motor holds the load through the gearbox, so the dwell's
// holding torque stays.
struct OutputTorques
{
    double peak = std::numeric_limits<double>::quiet_NaN();
    double rms = std::numeric_limits<double>::quiet_NaN();
};

OutputTorques outputTorques(const Axis &axis, const MoveInputs &move)
{
    Axis bare = axis;
    bare.motor.inertia.value = 0;
    bare.gearbox.inertia.value = 0;
    AxisResults inertia = ComputeAxis(bare);
    inertia.motorSideItems = 0.0;
    MoveInputs lossless = move;
    lossless.gearboxEfficiency = 100;
    lossless.gearboxDragTorque.value = 0;
    // A brake on the motor holds the load through the gearbox.
    for (CycleMove &each : lossless.moves)
        each.holdingBrake = false;
    const MoveResults results = ComputeMove(bare, inertia, lossless);
    const double ratio = bare.gearbox.ratio;
    return {known(results.peakTorque) * ratio, known(results.rmsTorque) * ratio};
}

QString percent(double fraction)
{
    return QStringLiteral("%1 %").arg(std::round(fraction * 100));
}

} // namespace

CandidateCell Candidate::cell(int column) const
{
    if (column >= 0 && column < CandidateCheckCount)
        return cells[std::size_t(column)];
    return worst ? cells[std::size_t(*worst)] : CandidateCell{};
}

Axis CandidateAxis(const Axis &axis, const MotorRecord &motor, const GearboxChoice *gearbox)
{
    Axis trial = axis;
    AxisMotor &m = trial.motor;
    m.inertia.value = motor.rotorInertia;
    m.maxSpeed.value = motor.maxSpeed;
    // The curves as points; the stall torques stand beside them for the
    // Motor tab, in the units it shows them in.
    m.peak = {CurveForm::Points, m.peak.cornerSpeed, m.peak.torqueAtMaxSpeed, motor.peak};
    m.continuous = {CurveForm::Points, m.continuous.cornerSpeed, m.continuous.torqueAtMaxSpeed,
                    motor.continuous};
    m.peakTorque.value = TorqueAt(motor.peak, 0);
    m.ratedTorque.value = TorqueAt(motor.continuous, 0);
    if (gearbox) {
        trial.gearbox.ratio = gearbox->ratio;
        trial.gearbox.inertia.value = gearbox->gearbox.inputInertia;
    }
    return trial;
}

MoveInputs CandidateMove(const MoveInputs &move, const GearboxChoice *gearbox)
{
    MoveInputs trial = move;
    if (gearbox)
        trial.gearboxEfficiency = gearbox->gearbox.efficiency * 100;
    return trial;
}

std::vector<Candidate> CompareCandidates(const Axis &axis, const MoveInputs &move,
                                         const std::vector<MotorRecord> &motors,
                                         const std::vector<GearboxChoice> &gearboxes)
{
    std::vector<Candidate> rows;
    const std::size_t choices = std::max<std::size_t>(1, gearboxes.size());
    rows.reserve(motors.size() * choices);
    // The output torques depend on the gearbox choice, not on the motor.
    std::vector<OutputTorques> outputs;
    for (const GearboxChoice &gearbox : gearboxes)
        outputs.push_back(outputTorques(CandidateAxis(axis, {}, &gearbox), CandidateMove(move, &gearbox)));
    for (std::size_t m = 0; m < motors.size(); ++m) {
        for (std::size_t g = 0; g < choices; ++g) {
            const GearboxChoice *gearbox = gearboxes.empty() ? nullptr : &gearboxes[g];
            const Axis trial = CandidateAxis(axis, motors[m], gearbox);
            Candidate row;
            row.motor = m;
            if (gearbox)
                row.gearbox = g;
            row.ratio = trial.gearbox.ratio;
            row.results = ComputeMove(trial, ComputeAxis(trial), CandidateMove(move, gearbox));
            for (int k = 0; k < MotorCheckCount; ++k)
                row.cells[std::size_t(k)] = motorCell(row.results.checks[std::size_t(k)]);
            if (gearbox) {
                const GearboxRecord &box = gearbox->gearbox;
                const auto checks =
                    GearboxChecks({box.peakOutputTorque, box.continuousOutputTorque, box.maxInputSpeed},
                                  outputs[g].peak, outputs[g].rms, known(row.results.maxMotorSpeed));
                for (int k = 0; k < GearboxCheckCount; ++k)
                    row.cells[std::size_t(MotorCheckCount + k)] = limitCell(checks[std::size_t(k)]);
            }
            for (int k = 0; k < CandidateCheckCount; ++k) {
                const std::optional<double> s = slack(row.cells[std::size_t(k)]);
                if (s && (!row.worst || *s < *slack(row.cells[std::size_t(*row.worst)])))
                    row.worst = k;
            }
            row.level = row.cell(WorstColumn).level;
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

void SortCandidates(std::vector<Candidate> &candidates, int column, bool descending)
{
    std::stable_sort(candidates.begin(), candidates.end(), [&](const Candidate &a, const Candidate &b) {
        const std::optional<double> x = slack(a.cell(column)), y = slack(b.cell(column));
        if (!x || !y)
            return x.has_value() && !y.has_value();
        return descending ? *x > *y : *x < *y;
    });
}

QString CandidateColumnTitle(int column)
{
    if (column >= 0 && column < MotorCheckCount)
        return MotorCheckTitle(MotorCheckKind(column));
    if (column >= MotorCheckCount && column < CandidateCheckCount)
        return QString::fromUtf8(GearboxTitles[column - MotorCheckCount]);
    return QStringLiteral("Deciding check");
}

QString CandidateCellText(const Candidate &candidate, int column)
{
    if (column >= MotorCheckCount && column < CandidateCheckCount && !candidate.gearbox)
        return QStringLiteral("no gearbox");
    const CandidateCell cell = candidate.cell(column);
    if (cell.level == CheckLevel::Unknown)
        return QStringLiteral("not judged");
    if (!cell.margin)
        return QStringLiteral("fails");
    if (cell.level == CheckLevel::Passes)
        return QStringLiteral("passes, %1").arg(percent(*cell.margin));
    if (*cell.margin < 0)
        return QStringLiteral("fails, %1 over").arg(percent(-*cell.margin));
    return QStringLiteral("fails, %1 of %2").arg(percent(*cell.margin), percent(cell.required));
}
