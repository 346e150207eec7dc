// Move kinematics for a duty cycle of 50 moves: every profile worked out into
// its pieces, then the same with the integrals an RMS torque and a mean speed
// need and both curves sampled for plotting.
#include "axis/movekinematics.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int Moves = 50;

// Out and back in turn, through every kind of profile.
MoveKinematics cycleMove(int k)
{
    const double s = (k % 2 ? -1 : 1) * (0.05 + 0.01 * k);
    switch (k % 5) {
    case 0:
        return TrapezoidalMove(s, 0.6, 0.2, 0.1);
    case 1:
        return TriangularMove(s, 0.4);
    case 2:
        return SCurveMoveByPercent(s, 0.6, 0.2, 0.2, 40);
    case 3:
        return LimitedMove(s, {1, 5, {}});
    default:
        return LimitedMove(s, {1, 5, 20});
    }
}

void computeCycleMoves(benchmark::State &state)
{
    for (auto _ : state) {
        for (int k = 0; k < Moves; ++k)
            benchmark::DoNotOptimize(cycleMove(k));
    }
    state.SetLabel("50 moves");
}
BENCHMARK(computeCycleMoves)->Unit(benchmark::kMicrosecond);

void cycleMovesIntegratedAndSampled(benchmark::State &state)
{
    for (auto _ : state) {
        KinematicCurves curves;
        double squares = 0, travel = 0, start = 0;
        for (int k = 0; k < Moves; ++k) {
            const MoveKinematics move = cycleMove(k);
            for (const KinematicPiece &piece : move.pieces) {
                squares += TorqueSquaredIntegral(piece, 0.06, 0.05);
                travel += IntegralsOf(piece).absSpeed;
            }
            SampleKinematics(move.pieces, start, 256, curves);
            start += move.moveTime.value() + 0.2;
        }
        benchmark::DoNotOptimize(std::sqrt(squares / start) + travel);
        benchmark::DoNotOptimize(curves);
    }
    state.SetLabel("50 moves, 256 samples a curved piece");
}
BENCHMARK(cycleMovesIntegratedAndSampled)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
