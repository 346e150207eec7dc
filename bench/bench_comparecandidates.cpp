// A comparison as the window runs it: 100 motors, each with one gearbox at 5
// ratios, on a screw axis of n items and its move (one move a cycle), and on
// a duty cycle of n moves.
#include "drives/comparecandidates.h"
#include "largeaxis.h"

#include <benchmark/benchmark.h>

namespace {

void compare(benchmark::State &state, const Axis &axis, const MoveInputs &move)
{
    std::vector<MotorRecord> motors;
    for (int k = 0; k < 100; ++k) {
        const double size = 1 + k * 0.1;
        motors.push_back({QStringLiteral("M%1").arg(k),
                          {},
                          1e-4 * size,
                          600,
                          CornerCurve(6 * size, 300, 3 * size, 600),
                          CornerCurve(2 * size, 300, 1 * size, 600),
                          {},
                          {}});
    }
    std::vector<GearboxChoice> gearboxes;
    const GearboxRecord box{QStringLiteral("G"), {}, {3, 5, 7, 10, 15}, 2e-5, 0.95, 200, 100, 600};
    for (double ratio : box.ratios)
        gearboxes.push_back({box, ratio});
    for (auto _ : state)
        benchmark::DoNotOptimize(CompareCandidates(axis, move, motors, gearboxes));
}

void compareCandidates(benchmark::State &state)
{
    compare(state, largeScrewAxis(int(state.range(0))), largeScrewMove());
    state.SetLabel(std::to_string(state.range(0)) + " items, 500 candidates");
}
BENCHMARK(compareCandidates)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

void compareOnCycle(benchmark::State &state)
{
    compare(state, largeScrewAxis(10), largeScrewCycle(int(state.range(0))));
    state.SetLabel(std::to_string(state.range(0)) + " moves, 500 candidates");
}
BENCHMARK(compareOnCycle)->Arg(20)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
