// One best-ratio search as the window runs it: a screw axis of n items with
// a motor whose every check can be judged, its move, the sweep, both optima,
// the band's ends and the optima within it.
#include "axis/bestratio.h"
#include "largeaxis.h"

#include <benchmark/benchmark.h>

namespace {

void findBestRatio(benchmark::State &state)
{
    Axis axis = largeScrewAxis(int(state.range(0)));
    axis.motor.peakTorque = si(20);
    axis.motor.ratedTorque = si(8);
    axis.motor.maxSpeed = si(600);
    const MoveInputs move = largeScrewMove();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindBestRatio(axis, move));
    state.SetLabel(std::to_string(state.range(0)) + " items");
}
BENCHMARK(findBestRatio)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
