#include "axiswin/axisreport.h"

#include "axiswin/axisentry.h"

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

ReportSection driveSection(const Axis &axis, const ReportFigures &view)
{
    return {
        QStringLiteral("Gearbox and motor"),
        {ReportBlock::facts({
            {QStringLiteral("Gearbox ratio i"), ratioEntered(axis.gearbox.ratio)},
            {QStringLiteral("Gearbox inertia Jg (at its input)"), inertiaEntered(axis.gearbox.inertia, view)},
            {QStringLiteral("Rotor inertia Jm"), inertiaEntered(axis.motor.inertia, view)},
            {QStringLiteral("Target inertia ratio"), ratioEntered(axis.motor.targetRatio)},
        })}};
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
    return {QStringLiteral("Items"), {ReportBlock::table(rows, {0, 3, 6, 7, 8})}};
}

ReportSection resultSection(const AxisResults &results, const ReportFigures &view)
{
    const AxisFigure &ratio = results.ratio;
    const ReportBlock::Tone tone = results.verdict.level == RatioLevel::Within ? ReportBlock::Tone::Good
                                   : results.verdict.level == RatioLevel::Over ? ReportBlock::Tone::Bad
                                                                               : ReportBlock::Tone::Plain;
    return {
        QStringLiteral("Results"),
        {ReportBlock::facts({
             {QStringLiteral("Load side JL"), figureWithUnit(results.loadSide, view)},
             {QStringLiteral("Reflected to the motor JL / i\u00b2"), figureWithUnit(results.reflected, view)},
             {QStringLiteral("Motor-side items"), figureWithUnit(results.motorSideItems, view)},
             {QStringLiteral("At the motor shaft JM"), figureWithUnit(results.atMotor, view)},
             {QStringLiteral("Inertia ratio \u03bb = JM / Jm"),
              ratio.ok() ? AxisNumberText(ratio.value(), view.digits, view.notation) + QStringLiteral(" : 1")
                         : QStringLiteral("\u2014")},
         }),
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

QString percentEntered(double percent)
{
    return AxisEntryText(percent) + QStringLiteral(" %");
}

QString profileText(const MoveInputs &move)
{
    if (move.profile == MoveProfile::Triangular)
        return QStringLiteral("Triangular");
    return move.defaultRamps ? QStringLiteral("Trapezoidal, ramps t/3 each")
                             : QStringLiteral("Trapezoidal, ramps as given");
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

QList<QStringList> moveFacts(const MoveInputs &move, const AxisMotor &motor, const MoveResults &results,
                             const MoveReportUnits &shown, const ReportFigures &view)
{
    const bool given = move.profile == MoveProfile::Trapezoidal && !move.defaultRamps;
    QList<QStringList> rows{
        {QStringLiteral("Distance"), entered(move.distance, "rad", view)},
        {QStringLiteral("Move time"), entered(move.moveTime, "s", view)},
        {QStringLiteral("Profile"), profileText(move)},
        {QStringLiteral("Acceleration time"),
         rampText(move.accelTime, results.accelTime, shown.accelTime, given, view)},
        {QStringLiteral("Deceleration time"),
         rampText(move.decelTime, results.decelTime, shown.decelTime, given, view)},
        {QStringLiteral("Dwell"), entered(move.dwell, "s", view)},
    };
    if (results.mechanism.kind == MechanismKind::Rotary) {
        rows.append({QStringLiteral("Load torque"), entered(move.loadTorque, "N-m", view)});
    } else {
        rows.append({{QStringLiteral("Incline \u03b8"), entered(move.incline, "rad", view)},
                     {QStringLiteral("Friction \u03bc"), AxisEntryText(move.friction)},
                     {QStringLiteral("External force"), entered(move.thrust, "N", view)},
                     {QStringLiteral("Mechanism efficiency"), percentEntered(move.mechanismEfficiency)}});
    }
    rows.append({{QStringLiteral("Gearbox efficiency"), percentEntered(move.gearboxEfficiency)},
                 {QStringLiteral("Rated torque of the motor"), entered(motor.ratedTorque, "N-m", view)},
                 {QStringLiteral("Peak torque of the motor"), entered(motor.peakTorque, "N-m", view)},
                 {QStringLiteral("Maximum speed of the motor"), entered(motor.maxSpeed, "rad/s", view)}});
    return rows;
}

ReportBlock::Tone checkTone(CheckLevel level)
{
    return level == CheckLevel::Passes  ? ReportBlock::Tone::Good
           : level == CheckLevel::Fails ? ReportBlock::Tone::Bad
                                        : ReportBlock::Tone::Plain;
}

} // namespace

void AppendMoveReport(ReportDocument &report, const MoveInputs &move, const AxisMotor &motor,
                      const MoveResults &results, const MoveReportUnits &shown, const ReportFigures &figures)
{
    report.sections.append(
        {QStringLiteral("Move"), {ReportBlock::facts(moveFacts(move, motor, results, shown, figures))}});
    ReportSection section{QStringLiteral("Move results"), {}};
    const std::pair<const char *, const AxisFigure *> rows[] = {
        {"Peak load speed vmax", &results.peakLoadSpeed},
        {"Load acceleration a", &results.loadAccel},
        {"Maximum motor speed nmax", &results.maxMotorSpeed},
        {"Acceleration torque Tacc", &results.accelTorque},
        {"Load torque at the motor TL", &results.loadTorque},
        {"Holding torque at rest Thold", &results.holdingTorque},
        {"Peak torque Tpeak", &results.peakTorque},
        {"RMS torque TRMS", &results.rmsTorque}};
    // The units of the figures in the order above, as the Move tab shows them.
    const QString units[] = {shown.loadSpeed, shown.loadAccel, shown.motorSpeed, shown.torque,
                             shown.torque,    shown.torque,    shown.torque,     shown.torque};
    QList<QStringList> facts;
    for (std::size_t k = 0; k < std::size(rows); ++k) {
        const AxisFigure &figure = *rows[k].second;
        // A move that cannot be computed says why, as the Move tab does, and
        // shows no figures, checks or plots.
        if (!figure.ok()) {
            section.blocks.append(ReportBlock::paragraph(figure.reason()));
            report.sections.append(section);
            return;
        }
        facts.append({QString::fromUtf8(rows[k].first), figureIn(figure, units[k], figures)});
    }
    section.blocks.append(ReportBlock::facts(facts));
    for (const MotorCheck &check : results.checks) {
        const QString &unit = check.kind == MotorCheckKind::Speed ? shown.motorSpeed : shown.torque;
        section.blocks.append(ReportBlock::paragraph(
            MotorCheckText(figures.units, check, unit, figures.digits), checkTone(check.level)));
    }
    section.blocks.append(
        ReportBlock::plotBlock(QLatin1String(MovePlotKey),
                               QStringLiteral("Motor speed (%1) and torque (%2) over one cycle")
                                   .arg(shown.motorSpeed.trimmed(), shown.torque.trimmed()),
                               0.7));
    report.sections.append(section);
}
