// Axis sizing as the window will run it: a recompute of a large axis after
// each edit, opening a large axis file, and a full move recompute with the
// curves sampled for plotting.
#include "axis/axisfile.h"
#include "largeaxis.h"

#include <benchmark/benchmark.h>

#include <numbers>

namespace {

MoveInputs typicalMove()
{
    MoveInputs move;
    move.moves[0].distance = si(0.2, "mm");
    move.moves[0].moveTime = si(0.6, "s");
    move.moves[0].dwell = si(0.4, "s");
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
    const QByteArray bytes = AxisFileBytes(document).value_or(QByteArray());
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadAxisFile(bytes));
    state.SetLabel(std::to_string(state.range(0)) + " items, " + std::to_string(bytes.size() / 1024) +
                   " KiB");
}
BENCHMARK(readAxisFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The screw axis recomputed, its move worked out and both curves sampled.
void moveWithCurves(benchmark::State &state)
{
    const Axis axis = largeScrewAxis(int(state.range(0)));
    const MoveInputs move = typicalMove();
    for (auto _ : state) {
        const AxisResults inertia = ComputeAxis(axis);
        const MoveResults results = ComputeMove(axis, inertia, move);
        benchmark::DoNotOptimize(SampleMove(results, 256));
    }
    state.SetLabel(std::to_string(state.range(0)) + " items, 256 samples a segment");
}
BENCHMARK(moveWithCurves)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A duty cycle of n moves worked out and its curves sampled for the plots,
// as the Move tab does after each edit (its target: well within a frame).
void cycleWithCurves(benchmark::State &state)
{
    const Axis axis = largeScrewAxis(10);
    const MoveInputs move = largeScrewCycle(int(state.range(0)));
    for (auto _ : state) {
        const AxisResults inertia = ComputeAxis(axis);
        const MoveResults results = ComputeMove(axis, inertia, move);
        benchmark::DoNotOptimize(SampleMove(results, 64));
    }
    state.SetLabel(std::to_string(state.range(0)) + " moves, 64 samples a segment");
}
BENCHMARK(cycleWithCurves)->Arg(50)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
