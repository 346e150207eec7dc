#pragma once
// The large axis the axis benchmarks work on.

#include "axis/moveprofile.h"

inline AxisQuantity si(double value, const char *unit = "")
{
    return {value, QString::fromUtf8(unit)};
}

// An axis of n items: every kind in turn, shapes of every kind among them,
// a third on the motor side.
inline Axis largeAxis(int n)
{
    Axis axis;
    axis.gearbox = {5, si(2e-5, "kg-cm\u00b2")};
    axis.motor.inertia = si(3e-4, "kg-cm\u00b2");
    axis.items.reserve(n);
    for (int k = 0; k < n; ++k) {
        AxisItem item;
        item.kind = AxisItemKind(k % AxisItemKindCount);
        item.name = QStringLiteral("Part %1").arg(k + 1);
        item.quantity = 1 + k % 3;
        item.side = k % 3 == 0 ? AxisSide::Motor : AxisSide::Load;
        item[AxisParam::Mass] = si(0.5 + k % 7, "kg");
        item[AxisParam::Radius] = si(0.01 * (1 + k % 5), "mm");
        item[AxisParam::Inertia] = si(1e-6 * (1 + k % 11), "kg-cm\u00b2");
        item[AxisParam::Lead] = si(0.01, "mm");
        item[AxisParam::PitchDiameter] = si(0.05, "mm");
        AxisShapePart &part = item.shape;
        part.shape = InertiaShape(k % InertiaShapeCount);
        part.massMode = k % 2 ? MassMode::Density : MassMode::Mass;
        part.result = AllowsOffset(part.shape, InertiaAxis::Ixx) ? InertiaAxis::Ixx : InertiaAxis::Izz;
        for (int i = 0; i < InertiaInputCount; ++i)
            part.inputs[std::size_t(i)] = si(0.02 + 0.001 * i, "mm");
        part[InertiaInput::Mass] = si(1.5, "kg");
        part[InertiaInput::Density] = si(7850, "kg/m\u00b3");
        part.offset = si(AllowsOffset(part.shape, part.result) ? 0.03 : 0, "mm");
        axis.items.append(item);
    }
    return axis;
}

// The same with every linear load on one screw, behind the gearbox: an axis
// a move can be worked out for.
inline Axis largeScrewAxis(int n)
{
    Axis axis = largeAxis(n);
    for (AxisItem &item : axis.items) {
        if (item.kind == AxisItemKind::BeltLoad || item.kind == AxisItemKind::ScrewLoad) {
            item.kind = AxisItemKind::ScrewLoad;
            item.side = AxisSide::Load;
        }
    }
    return axis;
}

// A move for the screw axis: 0.2 m in 0.6 s, a 0.4 s dwell, some friction and losses.
inline MoveInputs largeScrewMove()
{
    MoveInputs move;
    move.moves[0].distance = si(0.2);
    move.moves[0].moveTime = si(0.6);
    move.moves[0].dwell = si(0.4);
    move.friction = 0.05;
    move.mechanismEfficiency = 90;
    move.gearboxEfficiency = 95;
    return move;
}

// A duty cycle of n moves on the screw axis, out and back in turn with a part
// carried out: trapezoidal, S-curve and set by limits by turns.
inline MoveInputs largeScrewCycle(int n)
{
    MoveInputs move = largeScrewMove();
    move.incline = si(0.3);
    move.moves.clear();
    for (int k = 0; k < n; ++k) {
        CycleMove step;
        step.distance = si(k % 2 == 0 ? 0.2 : -0.2);
        step.moveTime = si(0.5 + 0.01 * (k % 7));
        step.profile = k % 3 == 0   ? MoveProfile::Trapezoidal
                       : k % 3 == 1 ? MoveProfile::SCurve
                                    : MoveProfile::Limited;
        step.speedLimit = si(0.6);
        step.accelLimit = si(4);
        step.jerkLimit = si(k % 2 == 0 ? 60 : 0);
        step.payload = si(k % 2 == 0 ? 5 : 0);
        step.dwell = si(0.2);
        move.moves.append(step);
    }
    return move;
}
