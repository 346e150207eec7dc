// Axis sizing as the window will run it: a recompute of a large axis after
// each edit, opening a large axis file, and a full move recompute with the
// curves sampled for plotting.
#include "axis/axisfile.h"

#include <QBuffer>

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

AxisQuantity si(double value, const char *unit = "")
{
    return {value, QString::fromUtf8(unit)};
}

// An axis of n items: every kind in turn, shapes of every kind among them,
// a third on the motor side.
Axis largeAxis(int n)
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

MoveInputs typicalMove()
{
    MoveInputs move;
    move.distance = si(0.2, "mm");
    move.moveTime = si(0.6, "s");
    move.dwell = si(0.4, "s");
    move.incline = si(std::numbers::pi / 6, "deg");
    move.friction = 0.05;
    move.mechanismEfficiency = 90;
    move.gearboxEfficiency = 95;
    return move;
}

void recomputeAxis(benchmark::State &state)
{
    const Axis axis = largeAxis(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeAxis(axis));
    state.SetLabel(std::to_string(state.range(0)) + " items");
}
BENCHMARK(recomputeAxis)->Arg(1000)->Unit(benchmark::kMicrosecond);

void readAxisFile(benchmark::State &state)
{
    AxisDocument document;
    document.axis = largeAxis(int(state.range(0)));
    document.move = typicalMove();
    QByteArray bytes = AxisFileBytes(document).value_or(QByteArray());
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(ReadAxisFile(buffer));
    }
    state.SetLabel(std::to_string(state.range(0)) + " items, " + std::to_string(bytes.size() / 1024) +
                   " KiB");
}
BENCHMARK(readAxisFile)->Arg(1000)->Unit(benchmark::kMillisecond);

// The screw axis recomputed, its move worked out and both curves sampled.
void moveWithCurves(benchmark::State &state)
{
    Axis axis = largeAxis(int(state.range(0)));
    for (AxisItem &item : axis.items) {
        if (item.kind == AxisItemKind::BeltLoad || item.kind == AxisItemKind::ScrewLoad) {
            item.kind = AxisItemKind::ScrewLoad;
            item.side = AxisSide::Load;
        }
    }
    const MoveInputs move = typicalMove();
    for (auto _ : state) {
        const AxisResults inertia = ComputeAxis(axis);
        const MoveResults results = ComputeMove(axis, inertia, move);
        benchmark::DoNotOptimize(SampleMove(results, 256));
    }
    state.SetLabel(std::to_string(state.range(0)) + " items, 256 samples a segment");
}
BENCHMARK(moveWithCurves)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
