#include "axiswin/axisreport.h"

#include "axiswin/axisentry.h"

namespace {

// A figure with its unit, or the reason it failed.
QString figureWithUnit(const AxisFigure &figure, const ReportFigures &view)
{
    const QString unit = view.inertiaUnit.trimmed();
    if (!figure.ok())
        return figure.reason();
    const QString number = AxisFigureText(view.units, figure, unit, view.digits, view.notation);
    return unit.isEmpty() ? number : number + u' ' + unit;
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
