// A motor table at the size limit (10,000 motors, each with two three-point
// curves): reading it strictly and writing it as the window saves it.
#include "drives/drivetables.h"

#include <benchmark/benchmark.h>

namespace {

const QByteArray &fullTable()
{
    static const QByteArray text = [] {
        QByteArray bytes = MotorTableBytes({});
        for (int i = 0; i < MaxDriveTableRows; ++i)
            bytes += "Servo " + QByteArray::number(i) +
                     ",Made-up row,0.35,6000,0:3.8 3000:3.8 6000:2.2,0:1.27 3000:1.27 6000:0.9,230,1.3\r\n";
        return bytes;
    }();
    return text;
}

void readMotorTable(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadMotorTable(fullTable()));
}
BENCHMARK(readMotorTable)->Unit(benchmark::kMillisecond);

void writeMotorTable(benchmark::State &state)
{
    const MotorTableRead read = ReadMotorTable(fullTable());
    for (auto _ : state)
        benchmark::DoNotOptimize(MotorTableBytes(read.records));
}
BENCHMARK(writeMotorTable)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
