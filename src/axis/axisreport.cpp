#include "axis/axisreport.h"

#include "axis/axisentry.h"

#include <cmath>

namespace {

// A figure with its unit (a unit list's text, padded or not), or the reason
// it failed.
QString figureIn(const AxisFigure &figure, const QString &shownUnit, const ReportFigures &view)
{
    const QString unit = shownUnit.trimmed();
    if (!figure.ok())
        return figure.reason();
    const QString number = AxisFigureText(view.units, figure, unit, view.digits, view.notation);
    return unit.isEmpty() ? number : number + u' ' + unit;
}

QString figureWithUnit(const AxisFigure &figure, const ReportFigures &view)
{
    return figureIn(figure, view.inertiaUnit, view);
}

// An inertia as entered, in its own unit; one kept in the base unit (no unit
// named) in the result unit, so the page never shows a number without one.
QString inertiaEntered(const AxisQuantity &quantity, const ReportFigures &view)
{
    return quantity.unit.isEmpty() ? figureWithUnit(quantity.value, view)
                                   : FormatQuantity(view.units, quantity, view.digits);
}

// A ratio "i : 1" as entered, with every digit it was given.
QString ratioEntered(double ratio)
{
    return AxisEntryText(ratio) + QStringLiteral(" : 1");
}

// A quantity as its box shows it, to the digits its unit carries, in its
// own unit; one kept without a unit in the base unit.
QString entered(const AxisQuantity &quantity, const char *baseUnit, const ReportFigures &view)
{
    const QString unit = quantity.unit.isEmpty() ? QString::fromUtf8(baseUnit) : quantity.unit;
    const std::optional<double> shown = FromBaseUnits(view.units, quantity.value, unit);
    return (shown && std::isfinite(*shown) ? AxisQuantityText(view.units, quantity.value, unit)
                                           : QStringLiteral("?")) +
           u' ' + unit;
}

// Two columns of facts side by side, as rows of {label, value, label, value}.
ReportBlock factPairs(const QList<QStringList> &left, const QList<QStringList> &right)
{
    QList<QStringList> rows;
    for (qsizetype k = 0; k < std::max(left.size(), right.size()); ++k)
        rows.append(left.value(k, {QString(), QString()}) + right.value(k, {QString(), QString()}));
    return ReportBlock::facts(rows);
}

QString percentEntered(double percent)
{
    return AxisEntryText(percent) + QStringLiteral(" %");
}

// A torque curve as entered: flat, its corner, or its points in the units
// of the maximum speed and the stall torque.
QString curveEntered(const MotorCurveInput &curve, const AxisQuantity &stall, const AxisQuantity &maxSpeed,
                     const ReportFigures &view)
{
    if (curve.form == CurveForm::Flat)
        return QStringLiteral("flat");
    if (curve.form == CurveForm::Corner)
        return QStringLiteral("corner at %1, %2 at the maximum speed")
            .arg(entered(curve.cornerSpeed, "rad/s", view), entered(curve.torqueAtMaxSpeed, "N-m", view));
    QStringList points;
    for (const TorquePoint &point : curve.points.points)
        points.append(QStringLiteral("%1 / %2").arg(entered({point.speed, maxSpeed.unit}, "rad/s", view),
                                                    entered({point.torque, stall.unit}, "N-m", view)));
    return points.isEmpty() ? QStringLiteral("no points") : points.join(QStringLiteral("; "));
}

// The gearbox beside the motor with its ratings, as a catalogue lists them.
ReportSection driveSection(const Axis &axis, const ReportFigures &view)
{
    const AxisMotor &motor = axis.motor;
    return {
        QStringLiteral("Gearbox and motor"),
        {factPairs({{QStringLiteral("Gearbox ratio i"), ratioEntered(axis.gearbox.ratio)},
                    {QStringLiteral("J gearbox (at its input)"), inertiaEntered(axis.gearbox.inertia, view)},
                    {QStringLiteral("Target inertia ratio"), ratioEntered(motor.targetRatio)}},
                   {{QStringLiteral("J rotor"), inertiaEntered(motor.inertia, view)},
                    {QStringLiteral("Rated torque"), entered(motor.ratedTorque, "N-m", view)},
                    {QStringLiteral("Peak torque"), entered(motor.peakTorque, "N-m", view)},
                    {QStringLiteral("Maximum speed"), entered(motor.maxSpeed, "rad/s", view)}}),
         ReportBlock::facts({{QStringLiteral("Peak torque curve"),
                              curveEntered(motor.peak, motor.peakTorque, motor.maxSpeed, view)},
                             {QStringLiteral("Continuous torque curve"),
                              curveEntered(motor.continuous, motor.ratedTorque, motor.maxSpeed, view)},
                             {QStringLiteral("Required margins"),
                              QStringLiteral("peak torque %1, RMS torque %2, speed %3")
                                  .arg(percentEntered(motor.peakMargin), percentEntered(motor.rmsMargin),
                                       percentEntered(motor.speedMargin))}})}};
}

ReportSection itemSection(const Axis &axis, const AxisResults &results, const ReportFigures &view)
{
    if (axis.items.isEmpty())
        return {QStringLiteral("Items"), {ReportBlock::paragraph(QStringLiteral("The axis has no items."))}};
    const QString unit = view.inertiaUnit.trimmed();
    QList<QStringList> rows{{QStringLiteral("#"), QStringLiteral("Kind"), QStringLiteral("Name"),
                             QStringLiteral("n"), QStringLiteral("Inputs"), QStringLiteral("Side"),
                             QStringLiteral("J\n(%1)").arg(unit),
                             QStringLiteral("J at motor\n(%1)").arg(unit), QStringLiteral("Share\n(%)")}};
    for (qsizetype k = 0; k < axis.items.size(); ++k) {
        const AxisItem &item = axis.items.at(k);
        const AxisItemResult result = results.items.value(k);
        const AxisFigure share = result.share;
        rows.append(
            {QString::number(k + 1), QString::fromUtf8(KindInfo(item.kind).title), item.name,
             QString::number(item.quantity), ItemSummary(view.units, item, view.digits), SideTitle(item.side),
             AxisFigureText(view.units, result.inertia, unit, view.digits, view.notation),
             AxisFigureText(view.units, result.atMotor, unit, view.digits, view.notation),
             share.ok() ? AxisNumberText(share.value(), view.digits, view.notation) : share.reason()});
    }
    ReportBlock table = ReportBlock::table(rows, {0, 3, 6, 7, 8}, {1, 5});
    table.wideColumn = 4; // the inputs
    return {QStringLiteral("Items"), {table}};
}

ReportSection resultSection(const AxisResults &results, const ReportFigures &view)
{
    const VerdictTone tone = RatioTone(results.verdict.level);
    QList<QStringList> facts;
    for (const AxisResultRowInfo &row : AxisResultRows) {
        const AxisFigure &figure = results.*row.member;
        QString shown = figureWithUnit(figure, view);
        if (row.ratio)
            shown = figure.ok()
                        ? AxisNumberText(figure.value(), view.digits, view.notation) + QStringLiteral(" : 1")
                        : QStringLiteral("\u2014");
        facts.append({QString::fromUtf8(row.title), shown});
    }
    return {QStringLiteral("Results"),
            {ReportBlock::facts(facts),
             ReportBlock::paragraph(QStringLiteral("Verdict: ") + results.verdict.text, tone)}};
}

} // namespace

ReportDocument AxisReport(const Axis &axis, const AxisResults &results, const ReportFigures &figures,
                          const QString &subject, const QString &date)
{
    return {
        QStringLiteral("Axis sizing report"),
        subject,
        date,
        {driveSection(axis, figures), itemSection(axis, results, figures), resultSection(results, figures)}};
}

namespace {

QString profileText(const CycleMove &move)
{
    switch (move.profile) {
    case MoveProfile::Triangular:
        return QStringLiteral("Triangular");
    case MoveProfile::Limited:
        return QStringLiteral("Set by limits");
    case MoveProfile::SCurve:
        return move.defaultRamps ? QStringLiteral("S-curve, ramps t/3 each")
                                 : QStringLiteral("S-curve, ramps as given");
    case MoveProfile::Trapezoidal:
        break;
    }
    return move.defaultRamps ? QStringLiteral("Trapezoidal, ramps t/3 each")
                             : QStringLiteral("Trapezoidal, ramps as given");
}

// A move figure in the unit shown, with the unit; or why it failed.
QString moveFigureIn(const AxisFigure &figure, MoveUnit of, const MoveReportUnits &shown,
                     const ReportFigures &view)
{
    const QString fixed = MoveFixedUnit(of);
    if (fixed.isEmpty())
        return figureIn(figure, shown.of(of), view);
    return figure.ok()
               ? MoveFigureText(view.units, figure, of, fixed, view.digits, view.notation) + u' ' + fixed
               : figure.reason();
}

// The moves of a cycle as entered, one row each, with the S-curve's raise
// of the peak acceleration each works out to.
ReportBlock movesTable(const MoveInputs &inputs, const MoveResults &results, const ReportFigures &view)
{
    const bool rotary = results.mechanism.kind == MechanismKind::Rotary;
    QList<QStringList> rows{{QStringLiteral("Move"), QStringLiteral("Distance"), QStringLiteral("Profile"),
                             QStringLiteral("Time or limits"), QStringLiteral("Payload"),
                             rotary ? QStringLiteral("Load torque") : QStringLiteral("External force"),
                             QStringLiteral("Dwell"), QStringLiteral("S-curve raise")}};
    for (qsizetype k = 0; k < inputs.moves.size(); ++k) {
        const CycleMove &move = inputs.moves.at(k);
        QString time = entered(move.moveTime, "s", view);
        if (move.profile == MoveProfile::Limited) {
            const char *speed = rotary ? "rad/s" : "m/s";
            const char *accel = rotary ? "rad/s\u00b2" : "m/s\u00b2";
            time = QStringLiteral("%1, %2").arg(entered(move.speedLimit, speed, view),
                                                entered(move.accelLimit, accel, view));
            // The unit table has no angular jerk: a rotary one stands in rad/s³.
            if (move.jerkLimit.value != 0)
                time += QStringLiteral(", ") +
                        (rotary && move.jerkLimit.unit.isEmpty()
                             ? AxisEntryText(move.jerkLimit.value) + QStringLiteral(" rad/s\u00b3")
                             : entered(move.jerkLimit, "m/s\u00b3", view));
        } else if (move.profile == MoveProfile::SCurve) {
            time += move.jerkAsPercent
                        ? QStringLiteral(", rounding %1").arg(percentEntered(move.jerkPercent))
                        : QStringLiteral(", jerk time %1").arg(entered(move.jerkTime, "s", view));
        }
        const AxisFigure factor =
            std::size_t(k) < results.moves.size() ? results.moves[std::size_t(k)].accelFactor : AxisFigure();
        rows.append({QString::number(k + 1), entered(move.distance, rotary ? "rad" : "m", view),
                     profileText(move), time, entered(move.payload, rotary ? "kg-m\u00b2" : "kg", view),
                     rotary ? entered(move.loadTorque, "N-m", view) : entered(move.thrust, "N", view),
                     entered(move.dwell, "s", view) +
                         (move.holdingBrake ? QStringLiteral(", brake holds") : QString()),
                     factor.ok() ? AxisNumberText(factor.value(), view.digits, view.notation) +
                                       QStringLiteral(" \u00d7")
                                 : QStringLiteral("\u2014")});
    }
    return ReportBlock::table(rows, {0, 1, 7}, {0});
}

// A ramp as given, or the one the move works out, in the unit its box shows:
// a worked-out one is a result, shown to the window's digits.
QString rampText(const AxisQuantity &given, const AxisFigure &used, const QString &unit, bool isGiven,
                 const ReportFigures &view)
{
    if (isGiven)
        return entered(given, "s", view);
    return used.ok() ? figureIn(used, unit, view) : QStringLiteral("\u2014");
}

// The move beside the load it works against, as entered.
ReportBlock moveFacts(const MoveInputs &inputs, const MoveResults &results, const MoveReportUnits &shown,
                      const ReportFigures &view)
{
    const CycleMove &move = inputs.moves.first();
    const bool given = move.profile == MoveProfile::Trapezoidal && !move.defaultRamps;
    const QList<QStringList> motion{
        {QStringLiteral("Distance"), entered(move.distance, "rad", view)},
        {QStringLiteral("Move time"), entered(move.moveTime, "s", view)},
        {QStringLiteral("Profile"), profileText(move)},
        {QStringLiteral("Acceleration time"),
         rampText(move.accelTime, results.accelTime, shown.accelTime, given, view)},
        {QStringLiteral("Deceleration time"),
         rampText(move.decelTime, results.decelTime, shown.decelTime, given, view)},
        {QStringLiteral("Dwell"), entered(move.dwell, "s", view)},
    };
    QList<QStringList> load;
    if (results.mechanism.kind == MechanismKind::Rotary) {
        load.append({QStringLiteral("Load torque"), entered(move.loadTorque, "N-m", view)});
    } else {
        load.append({{QStringLiteral("Incline \u03b8"), entered(inputs.incline, "rad", view)},
                     {QStringLiteral("Friction \u03bc"), AxisEntryText(inputs.friction)},
                     {QStringLiteral("External force"), entered(move.thrust, "N", view)},
                     {QStringLiteral("Mechanism efficiency"), percentEntered(inputs.mechanismEfficiency)}});
    }
    load.append({QStringLiteral("Gearbox efficiency"), percentEntered(inputs.gearboxEfficiency)});
    const MechanismKind kind = results.mechanism.kind;
    if (kind != MechanismKind::Rotary) {
        load.append({{QStringLiteral("Back-driving efficiency"),
                      inputs.backDriveAsForward ? QStringLiteral("as forward")
                                                : percentEntered(inputs.backDriveEfficiency)},
                     {QStringLiteral("Static friction \u03bcs"),
                      inputs.staticFriction == 0 ? QStringLiteral("as \u03bc")
                                                 : AxisEntryText(inputs.staticFriction)}});
    }
    if (kind == MechanismKind::Screw) {
        load.append({QStringLiteral("Nut preload"),
                     inputs.preloadFromForce
                         ? QStringLiteral("from Fa0 = %1").arg(entered(inputs.preloadForce, "N", view))
                         : entered(inputs.preloadTorque, "N-m", view)});
    }
    load.append({{QStringLiteral("Bearing and seal torque"), entered(inputs.bearingTorque, "N-m", view)},
                 {QStringLiteral("Gearbox no-load torque"), entered(inputs.gearboxDragTorque, "N-m", view)}});
    if (kind != MechanismKind::Rotary)
        load.append({QStringLiteral("Counterweight"), entered(inputs.counterweight, "kg", view)});
    if (inputs.moves.size() > 1)
        return factPairs({}, load);
    load.append({QStringLiteral("Holding brake"),
                 move.holdingBrake ? QStringLiteral("holds the dwell") : QStringLiteral("none")});
    return factPairs(motion, load);
}

} // namespace

QList<QStringList> MoveSegmentTable(const MoveResults &results, const MoveReportUnits &shown,
                                    const ReportFigures &view)
{
    const auto unit = [&shown](MoveUnit of) { return shown.of(of).trimmed(); };
    const auto number = [&view](double base, const QString &in) {
        return AxisFigureText(view.units, base, in, view.digits, view.notation);
    };
    QList<QStringList> rows{{QStringLiteral("Segment"),
                             QStringLiteral("Duration\n(%1)").arg(unit(MoveUnit::Time)),
                             QStringLiteral("Speed at start\n(%1)").arg(unit(MoveUnit::MotorSpeed)),
                             QStringLiteral("Speed at end\n(%1)").arg(unit(MoveUnit::MotorSpeed)),
                             QStringLiteral("Torque\n(%1)").arg(unit(MoveUnit::Torque))}};
    for (const MoveSegment &segment : results.segments)
        rows.append(
            {SegmentTitle(segment.kind), number(segment.duration, unit(MoveUnit::Time)),
             number(segment.speedFrom, unit(MoveUnit::MotorSpeed)),
             number(segment.speedTo, unit(MoveUnit::MotorSpeed)),
             AxisFigureText(view.units, segment.torque, unit(MoveUnit::Torque), view.digits, view.notation)});
    return rows;
}

QList<QStringList> CycleSegmentTable(const MoveResults &results, const MoveReportUnits &shown,
                                     const ReportFigures &view)
{
    QList<QStringList> rows = MoveSegmentTable(results, shown, view);
    const QString torqueUnit = shown.of(MoveUnit::Torque).trimmed();
    rows[0].prepend(QStringLiteral("Move"));
    rows[0].append(QStringLiteral("Torque at end\n(%1)").arg(torqueUnit));
    for (std::size_t k = 0; k < results.segments.size(); ++k) {
        const MoveSegment &segment = results.segments[k];
        QStringList &row = rows[qsizetype(k) + 1];
        row.prepend(QString::number(segment.move + 1));
        row.append(AxisFigureText(view.units,
                                  segment.torque.ok() ? AxisFigure(segment.torqueEnd) : segment.torque,
                                  torqueUnit, view.digits, view.notation));
    }
    return rows;
}

void AppendMoveReport(ReportDocument &report, const MoveInputs &move, const MoveResults &results,
                      const MoveReportUnits &shown, const ReportFigures &figures)
{
    ReportSection facts{QStringLiteral("Move"), {moveFacts(move, results, shown, figures)}};
    if (move.moves.size() > 1)
        facts.blocks.append(movesTable(move, results, figures));
    report.sections.append(facts);
    ReportSection section{QStringLiteral("Move results"), {}};
    // The motion on the left, the forces and torques on the right.
    QList<QStringList> motion;
    QList<QStringList> torques;
    const MechanismKind kind = results.mechanism.kind;
    for (const MoveFigureRow &row : MoveFigures) {
        if (!MoveFigureApplies(row, kind))
            continue;
        const AxisFigure &figure = results.*row.member;
        // A move that cannot be computed says why, as the Move tab does, and
        // shows no figures, checks or plots.
        if (!figure.ok()) {
            section.blocks.append(ReportBlock::paragraph(figure.reason()));
            report.sections.append(section);
            return;
        }
        const bool torque = row.unit == MoveUnit::Torque || row.unit == MoveUnit::Force;
        (torque ? torques : motion)
            .append({QString::fromUtf8(row.title), moveFigureIn(figure, row.unit, shown, figures)});
    }
    section.blocks.append(factPairs(motion, torques));
    if (results.moves.size() > 1)
        section.blocks.append(
            ReportBlock::table(CycleSegmentTable(results, shown, figures), {0, 2, 3, 4, 5, 6}, {1}));
    else
        section.blocks.append(
            ReportBlock::table(MoveSegmentTable(results, shown, figures), {1, 2, 3, 4}, {0}));
    for (const MotorCheck &check : results.checks) {
        const QString &unit =
            check.kind == MotorCheckKind::Speed ? shown.of(MoveUnit::MotorSpeed) : shown.of(MoveUnit::Torque);
        section.blocks.append(ReportBlock::paragraph(
            MotorCheckText(figures.units, check, unit, figures.digits, shown.of(MoveUnit::MotorSpeed)),
            CheckTone(check.level)));
    }
    section.blocks.append(ReportBlock::paragraph(MoveConventions(kind).join(u' ')));
    section.blocks.append(ReportBlock::plotBlock(
        QLatin1String(MovePlotKey),
        QStringLiteral("Motor speed (%1) and torque (%2) over one cycle, and torque against speed")
            .arg(shown.of(MoveUnit::MotorSpeed).trimmed(), shown.of(MoveUnit::Torque).trimmed()),
        1.0));
    report.sections.append(section);
}

VerdictTone RatioTone(RatioLevel level)
{
    return level == RatioLevel::Within ? VerdictTone::Good
           : level == RatioLevel::Over ? VerdictTone::Bad
                                       : VerdictTone::Plain;
}

VerdictTone CheckTone(CheckLevel level)
{
    return level == CheckLevel::Passes  ? VerdictTone::Good
           : level == CheckLevel::Fails ? VerdictTone::Bad
                                        : VerdictTone::Plain;
}
