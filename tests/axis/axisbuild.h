#pragma once
// Axes for the axis tests, in SI units unless a unit is named, and the
// worked ball-screw axis: a 40 kg table on a 10 mm lead, a solid steel screw
// Ø20 × 500 mm, a 1.2e-5 kg·m² coupling, all on the load side of a 3 : 1
// gearbox of 5e-6 kg·m², and a motor of 2e-5 kg·m².

#include "axis/moveprofile.h"

#include "testsupport.h"

#include <QMetaType>

#include <initializer_list>
#include <utility>

Q_DECLARE_METATYPE(AxisItem)
Q_DECLARE_METATYPE(Axis)
Q_DECLARE_METATYPE(MoveInputs)
Q_DECLARE_METATYPE(RatioLevel)
Q_DECLARE_METATYPE(MotorCheckKind)
Q_DECLARE_METATYPE(CheckLevel)

namespace AxisBuild {

// The test environment, with the shipped unit table in units for values in other units.
inline void initAxisTest(QTemporaryDir &settingsDir, ConversionTableData &units)
{
    TestSupport::initTestEnvironment(settingsDir);
    TestSupport::loadShippedUnits(units);
}

inline AxisItem item(AxisItemKind kind, std::initializer_list<std::pair<AxisParam, double>> values, int n = 1,
                     AxisSide side = AxisSide::Load, const QString &name = {})
{
    AxisItem item;
    item.kind = kind;
    item.quantity = n;
    item.side = side;
    item.name = name;
    for (const auto &[param, value] : values)
        item[param] = {value, {}};
    return item;
}

inline AxisItem screwLoad(double mass, double lead, int n = 1)
{
    return item(AxisItemKind::ScrewLoad, {{AxisParam::Mass, mass}, {AxisParam::Lead, lead}}, n);
}
inline AxisItem beltLoad(double mass, double diameter)
{
    return item(AxisItemKind::BeltLoad, {{AxisParam::Mass, mass}, {AxisParam::PitchDiameter, diameter}});
}
inline AxisItem inertiaValue(double j, int n = 1, AxisSide side = AxisSide::Load, const QString &name = {})
{
    return item(AxisItemKind::Inertia, {{AxisParam::Inertia, j}}, n, side, name);
}

inline AxisItem shapePart(InertiaShape shape, MassMode mode, InertiaAxis result,
                          std::initializer_list<std::pair<InertiaInput, double>> inputs, double offset = 0,
                          int n = 1)
{
    AxisItem item;
    item.kind = AxisItemKind::Shape;
    item.quantity = n;
    item.shape.shape = shape;
    item.shape.massMode = mode;
    item.shape.result = result;
    item.shape.offset = {offset, {}};
    for (const auto &[input, value] : inputs)
        item.shape[input] = {value, {}};
    return item;
}

inline Axis axis(const QList<AxisItem> &items, double ratio, double gearboxJ, double rotorJ,
                 double target = 10)
{
    Axis axis;
    axis.items = items;
    axis.gearbox.ratio = ratio;
    axis.gearbox.inertia = {gearboxJ, {}};
    axis.motor.inertia = {rotorJ, {}};
    axis.motor.targetRatio = target;
    return axis;
}

inline AxisItem steelScrew()
{
    return shapePart(InertiaShape::Cylinder, MassMode::Density, InertiaAxis::Izz,
                     {{InertiaInput::Length, 0.5},
                      {InertiaInput::OutsideDia, 0.02},
                      {InertiaInput::InsideDia, 0},
                      {InertiaInput::Density, 7850}});
}

inline Axis ballScrewAxis()
{
    return axis({screwLoad(40, 0.01), steelScrew(), inertiaValue(1.2e-5)}, 3, 5e-6, 2e-5);
}

// Relative closeness; a NaN expected value stands for a failed figure.
inline bool matches(const AxisFigure &figure, double expected, double relTol = 1e-6)
{
    if (std::isnan(expected))
        return !figure.ok();
    if (!figure.ok())
        return false;
    const double scale = std::max(std::fabs(expected), 1e-300);
    return std::fabs(figure.value() - expected) <= relTol * scale;
}

inline QString describe(const AxisFigure &figure)
{
    return figure.ok() ? QString::number(figure.value(), 'g', 10) : figure.reason();
}

} // namespace AxisBuild
