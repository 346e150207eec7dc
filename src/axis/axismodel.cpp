#include "axis/axismodel.h"

#include "core/stringtable.h"
#include "inertia/inertiarows.h"
#include "units/numberformat.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr AxisParamInfo Params[AxisParamCount] = {
    {AxisParam::Mass, "mass", "m", "Mass", "The mass"},
    {AxisParam::Radius, "radius", "r", "Linear distance", "The radius"},
    {AxisParam::Inertia, "inertia", "J", "Inertia", "The inertia"},
    {AxisParam::Lead, "lead", "p", "Linear distance", "The lead"},
    {AxisParam::PitchDiameter, "pitchDiameter", "D", "Linear distance", "The pitch diameter"},
};

constexpr AxisItemKindInfo Kinds[AxisItemKindCount] = {
    {AxisItemKind::Shape, "shape", "Shape", {false, false, false, false, false}},
    {AxisItemKind::PointMass, "pointMass", "Point mass", {true, true, false, false, false}},
    {AxisItemKind::Inertia, "inertia", "Inertia value", {false, false, true, false, false}},
    {AxisItemKind::ScrewLoad, "screwLoad", "Screw load", {true, false, false, true, false}},
    {AxisItemKind::BeltLoad, "beltLoad", "Belt/pinion load", {true, false, false, false, true}},
};

struct ShapeInputInfo
{
    const char *key;
    const char *symbol;
    const char *what;
};
// By InertiaInput; the unit types are the inertia calculator's.
constexpr ShapeInputInfo ShapeInputs[InertiaInputCount] = {
    {"density", "ρ", "The density"},
    {"mass", "m", "The mass"},
    {"radius", "R", "The radius"},
    {"height", "H", "The height"},
    {"length", "L", "The length"},
    {"width", "W", "The width"},
    {"outsideDiameter", "OD", "The outside diameter"},
    {"insideDiameter", "ID", "The inside diameter"},
};

constexpr const char *ShapeKeys[InertiaShapeCount] = {"cylinder", "parallelepiped", "sphericalShell",
                                                      "sphere",   "slenderRod",     "tetrahedron"};
constexpr const char *ResultKeys[InertiaAxisCount] = {"Ixx", "Iyy", "Izz", "IxxEnd", "IyyEnd"};

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// A shape input in single precision for the shape formulas; beyond that
// range the part fails rather than turning into infinity.
AxisFigure singleInput(const AxisQuantity &quantity, const QString &what)
{
    const AxisFigure value = NonNegative(quantity.value, what);
    if (value.ok() && value.value() > double(std::numeric_limits<float>::max()))
        return AxisFigure::failed(QStringLiteral("%1 is too large for the shape formulas.").arg(what));
    return value;
}

struct ShapeEvaluation
{
    AxisFigure result; // the chosen result, one piece
    AxisFigure mass;   // one piece
};

ShapeEvaluation evaluateShape(const AxisShapePart &part)
{
    InertiaInputs inputs;
    for (int i = 0; i < InertiaInputCount; ++i) {
        const auto input = InertiaInput(i);
        if (!ShapeReads(part, input))
            continue;
        const AxisFigure value = singleInput(part[input], text(ShapeInputs[i].what));
        if (!value.ok())
            return {value, value};
        inputs[input] = float(value.value());
    }
    const InertiaFunction function = ShapeInfo(part.shape).results[std::size_t(part.result)];
    if (!function) {
        const AxisFigure none =
            AxisFigure::failed(QStringLiteral("The %1 has no %2 result.")
                                   .arg(ShapeTitle(part.shape).toLower(), ResultTitle(part.result)));
        return {none, none};
    }
    // The inertia formulas refuse a body that cannot exist; say which.
    if (const InertiaProblem problem = CheckInertiaInputs(part.shape, inputs, part.massMode);
        problem.kind != InertiaProblem::None) {
        const AxisFigure impossible =
            AxisFigure::failed(QLatin1String(InertiaProblemText(problem)) + QLatin1Char('.'));
        return {impossible, impossible};
    }
    const std::optional<float> mass = ShapeMass(part.shape, inputs, part.massMode);
    const std::optional<float> result = function(inputs, part.massMode);
    if (!mass || !result)
        return {AxisFigure::failed(OverflowReason()), AxisFigure::failed(OverflowReason())};
    return {double(*result), double(*mass)};
}

AxisFigure quantityOf(const AxisItem &item)
{
    if (item.quantity < 1)
        return AxisFigure::failed(QStringLiteral("The quantity must be at least 1."));
    return double(item.quantity);
}

AxisFigure param(const AxisItem &item, AxisParam which)
{
    return NonNegative(item[which].value, text(ParamInfo(which).what));
}

// A lead or pitch diameter: of no size it would move the load without turning.
AxisFigure pitchParam(const AxisItem &item, AxisParam which)
{
    return Positive(item[which].value, text(ParamInfo(which).what));
}

AxisFigure square(const AxisFigure &x)
{
    return x * x;
}

// Per cent of a total; nothing to share when the total is 0.
AxisFigure shareOf(const AxisFigure &part, const AxisFigure &total)
{
    if (total.ok() && total.value() == 0)
        return AxisFigure::failed(
            QStringLiteral("The inertia at the motor is 0: there is nothing to share."));
    return part / total * 100.0;
}

} // namespace

QString RatioText(double ratio, bool target)
{
    if (target)
        return FormatWithPattern(ratio, QStringLiteral("0.###"));
    if (ratio >= 1e6)
        return FormatWithPattern(ratio, QStringLiteral("0.0E+00"));
    return FormatWithPattern(ratio, ratio >= 0.95 ? QStringLiteral("0.0") : QStringLiteral("0.0##"));
}

namespace {

// A failure of one item, passed on to a total with the item named.
AxisFigure itemFailure(const QList<AxisItem> &items, qsizetype index, const AxisFigure &failure)
{
    const QString name = items.at(index).name.trimmed();
    const QString item = name.isEmpty() ? QStringLiteral("Item %1").arg(index + 1)
                                        : QStringLiteral("Item %1 (%2)").arg(index + 1).arg(name);
    return AxisFigure::failed(QStringLiteral("%1: %2").arg(item, failure.reason()));
}

} // namespace

QString CsvField(QString field)
{
    // A cell that starts like a formula is kept as text by the spreadsheet.
    if (!field.isEmpty() && QStringLiteral("=+-@\t\r").contains(field.front()))
        field.prepend(u'\'');
    if (field.contains(u',') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return field;
}

QString CsvNumber(const ConversionTableData &units, const AxisFigure &figure, const QString &unit)
{
    if (!figure.ok())
        return CsvField(figure.reason());
    const std::optional<double> shown = FromBaseUnits(units, figure.value(), unit);
    if (!shown)
        return CsvField(OverflowReason());
    return QString::number(*shown, 'g', QLocale::FloatingPointShortest);
}

const AxisParamInfo &ParamInfo(AxisParam param)
{
    return Params[std::size_t(param)];
}

const AxisItemKindInfo &KindInfo(AxisItemKind kind)
{
    return Kinds[std::size_t(kind)];
}

const char *ShapeKey(InertiaShape shape)
{
    return ShapeKeys[std::size_t(shape)];
}

QString ShapeTitle(InertiaShape shape)
{
    // In the base language, as every other axis text is.
    return LocalText(ShapeInfo(shape).nameId, 0);
}

const char *ResultKey(InertiaAxis axis)
{
    return ResultKeys[std::size_t(axis)];
}

const char *ShapeInputKey(InertiaInput input)
{
    return ShapeInputs[std::size_t(input)].key;
}

const char *ShapeInputUnitType(InertiaInput input)
{
    return InputRow(input).unitType;
}

bool ShapeReads(const AxisShapePart &part, InertiaInput input)
{
    const InertiaShapeInfo &info = ShapeInfo(part.shape);
    return input == MassInput(part.shape, part.massMode) ||
           std::find(info.dimensions.begin(), info.dimensions.end(), input) != info.dimensions.end();
}

AxisFigure ShapePartMass(const AxisShapePart &part)
{
    return evaluateShape(part).mass;
}

AxisFigure ItemInertia(const AxisItem &item)
{
    const AxisFigure n = quantityOf(item);
    switch (item.kind) {
    case AxisItemKind::Shape: {
        const AxisShapePart &part = item.shape;
        const AxisFigure d = NonNegative(part.offset.value, QStringLiteral("The offset"));
        if (d.ok() && d.value() != 0 && !AllowsOffset(part.shape, part.result))
            return AxisFigure::failed(OffsetRefusal(part.shape, part.result));
        const ShapeEvaluation shape = evaluateShape(part);
        return n * (shape.result + shape.mass * square(d));
    }
    case AxisItemKind::PointMass:
        return n * param(item, AxisParam::Mass) * square(param(item, AxisParam::Radius));
    case AxisItemKind::Inertia:
        return n * param(item, AxisParam::Inertia);
    case AxisItemKind::ScrewLoad:
        return n * param(item, AxisParam::Mass) *
               square(pitchParam(item, AxisParam::Lead) / (2 * std::numbers::pi));
    case AxisItemKind::BeltLoad:
        return n * param(item, AxisParam::Mass) * square(pitchParam(item, AxisParam::PitchDiameter) / 2.0);
    }
    return AxisFigure::failed(QStringLiteral("Unknown item kind."));
}

AxisResults ComputeAxis(const Axis &axis)
{
    AxisResults results;
    const AxisFigure i = Positive(axis.gearbox.ratio, QStringLiteral("The gearbox ratio"));
    const AxisFigure reflection = i.ok() ? AxisFigure(1 / (i.value() * i.value())) : i;
    const AxisFigure gearbox = NonNegative(axis.gearbox.inertia.value, QStringLiteral("The gearbox inertia"));

    AxisFigure loadSide = 0.0;
    AxisFigure motorSide = 0.0;
    results.items.reserve(axis.items.size());
    for (qsizetype k = 0; k < axis.items.size(); ++k) {
        const AxisItem &item = axis.items.at(k);
        AxisItemResult result;
        result.inertia = ItemInertia(item);
        const bool load = item.side == AxisSide::Load;
        result.atMotor = load ? result.inertia * reflection : result.inertia;
        AxisFigure &total = load ? loadSide : motorSide;
        if (total.ok())
            total = result.inertia.ok() ? total + result.inertia : itemFailure(axis.items, k, result.inertia);
        results.items.append(result);
    }
    results.loadSide = loadSide;
    results.reflected = loadSide * reflection;
    results.motorSideItems = motorSide;
    results.atMotor = gearbox + motorSide + results.reflected;
    for (AxisItemResult &item : results.items)
        item.share = shareOf(item.atMotor, results.atMotor);
    results.gearboxShare = shareOf(gearbox, results.atMotor);

    const AxisFigure rotor = NonNegative(axis.motor.inertia.value, QStringLiteral("The rotor inertia"));
    if (rotor.ok() && rotor.value() == 0)
        results.ratio =
            AxisFigure::failed(QStringLiteral("No rotor inertia is given, so there is no ratio."));
    else
        results.ratio = results.atMotor / rotor;
    results.verdict = JudgeRatio(results.ratio, axis.motor.targetRatio);
    return results;
}

RatioVerdict JudgeRatio(const AxisFigure &ratio, double target)
{
    const AxisFigure goal = Positive(target, QStringLiteral("The target ratio"));
    if (!ratio.ok() || !goal.ok())
        return {RatioLevel::Unknown, ratio.ok() ? goal.reason() : ratio.reason()};
    const QString targetText = RatioText(target, true);
    const QString shown = RatioText(ratio.value(), false);
    if (ratio.value() <= target)
        return {RatioLevel::Within,
                QStringLiteral("%1 : 1, within the %2 : 1 target").arg(shown, targetText)};
    const QString times = RatioText(ratio.value() / target, false);
    return {RatioLevel::Over, QStringLiteral("%1 : 1, %2 × the %3 : 1 target").arg(shown, times, targetText)};
}

QString SideTitle(AxisSide side)
{
    return side == AxisSide::Motor ? QStringLiteral("Motor side") : QStringLiteral("Load side");
}

QString ItemSummary(const ConversionTableData &units, const AxisItem &item, int digits)
{
    QStringList parts;
    const auto add = [&](const char *symbol, const AxisQuantity &value) {
        parts.append(QStringLiteral("%1 = %2").arg(text(symbol), FormatQuantity(units, value, digits)));
    };
    if (item.kind != AxisItemKind::Shape) {
        for (const AxisParamInfo &info : Params) {
            if (KindInfo(item.kind).uses[std::size_t(info.param)])
                add(info.symbol, item[info.param]);
        }
        return parts.join(QStringLiteral(", "));
    }
    const AxisShapePart &part = item.shape;
    const InertiaShapeInfo &info = ShapeInfo(part.shape);
    for (const InertiaInput input : info.dimensions)
        add(ShapeInputs[std::size_t(input)].symbol, part[input]);
    const InertiaInput massInput = MassInput(part.shape, part.massMode);
    add(ShapeInputs[std::size_t(massInput)].symbol, part[massInput]);
    QString summary =
        QStringLiteral("%1, %2, %3")
            .arg(ShapeTitle(part.shape), parts.join(QStringLiteral(", ")), ResultTitle(part.result));
    if (part.offset.value != 0)
        summary += QStringLiteral(", d = %1").arg(FormatQuantity(units, part.offset, digits));
    return summary;
}

QString ItemTableCsv(const ConversionTableData &units, const Axis &axis, const AxisResults &results,
                     const QString &inertiaUnit, int digits)
{
    const QString unit = inertiaUnit.trimmed();
    QString csv = QStringLiteral("Kind,Name,Quantity,Side,Inputs,%1,%2,Share (%)\r\n")
                      .arg(CsvField(QStringLiteral("J (%1)").arg(unit)),
                           CsvField(QStringLiteral("J at motor (%1)").arg(unit)));
    for (qsizetype k = 0; k < axis.items.size() && k < results.items.size(); ++k) {
        const AxisItem &item = axis.items.at(k);
        const AxisItemResult &result = results.items.at(k);
        const QStringList row = {CsvField(text(KindInfo(item.kind).title)),
                                 CsvField(item.name),
                                 QString::number(item.quantity),
                                 SideTitle(item.side),
                                 CsvField(ItemSummary(units, item, digits)),
                                 CsvNumber(units, result.inertia, unit),
                                 CsvNumber(units, result.atMotor, unit),
                                 CsvNumber(units, result.share, QString())};
        csv += row.join(u',') + QStringLiteral("\r\n");
    }
    return csv;
}
