// The density table with 10,000 materials: loading (which sorts), sorting
// alone, building the list lines, and saving through a temporary file.
#include "core/fixedtext.h"
#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include "shippedunits.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int MaterialCount = 10000;

// Unsorted records with names that share prefixes and differ in case, as a
// long hand-kept table would.
const QList<DensityRecord> &syntheticRecords()
{
    static const QList<DensityRecord> records = [] {
        static const QString letters =
            QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ ,-0123456789");
        static const QStringList stems = {"Steel", "Aluminium", "Bronze", "Nylon",
                                          "Oak",   "Stainless", "PTFE"};
        QRandomGenerator rng(42);
        QList<DensityRecord> result;
        for (int i = 0; i < MaterialCount; ++i) {
            QString name = stems.at(rng.bounded(int(stems.size()))) + QLatin1Char(' ');
            while (name.size() < 12 + rng.bounded(9))
                name.append(letters.at(rng.bounded(int(letters.size()))));
            result.append({PadRight(name, MaterialNameWidth), float(100.0 + rng.bounded(19900.0))});
        }
        return result;
    }();
    return records;
}

const QByteArray &syntheticFile()
{
    static const QByteArray bytes = [] {
        QByteArray data;
        for (const DensityRecord &record : syntheticRecords())
            data += EncodeDensityRecord(record);
        return data;
    }();
    return bytes;
}

bool loadUnits()
{
    return ShippedUnits().indexOfName(PadRight(QStringLiteral("lb/in³"), UnitNameWidth)) >= 0;
}

const QString &listUnit()
{
    static const QString unit = PadRight(QStringLiteral("lb/in³"), UnitNameWidth);
    return unit;
}

// What opening the window costs: read the file, sort, build every list line.
void BM_LoadSortList(benchmark::State &state)
{
    if (!loadUnits()) {
        state.SkipWithError("converts.dat has not been built");
        return;
    }
    QByteArray data = syntheticFile();
    for (auto _ : state) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        const DensityFileLoad load = LoadDensityFile(buffer);
        const QStringList lines =
            MaterialListLines(ShippedUnits(), load.records, listUnit(), 6, state.range(0) != 0);
        benchmark::DoNotOptimize(lines.size());
    }
    state.counters["materials"] = MaterialCount;
}
BENCHMARK(BM_LoadSortList)->Arg(0)->Arg(1)->ArgName("notation")->Unit(benchmark::kMillisecond);

void BM_Sort(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        QList<DensityRecord> records = syntheticRecords();
        state.ResumeTiming();
        SortDensityTable(records);
        benchmark::DoNotOptimize(records.constData());
    }
}
BENCHMARK(BM_Sort)->Unit(benchmark::kMillisecond);

void BM_ListLines(benchmark::State &state)
{
    if (!loadUnits()) {
        state.SkipWithError("converts.dat has not been built");
        return;
    }
    const QList<DensityRecord> &records = syntheticRecords();
    for (auto _ : state) {
        const QStringList lines = MaterialListLines(ShippedUnits(), records, listUnit(), 6, false);
        benchmark::DoNotOptimize(lines.size());
    }
}
BENCHMARK(BM_ListLines)->Unit(benchmark::kMillisecond);

// Every save and deletion rewrites the whole file.
void BM_SaveFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("density.dat"));
    for (auto _ : state) {
        const DensitySaveResult result = SaveDensityFile(path, syntheticRecords());
        if (!result.ok()) {
            state.SkipWithError(qPrintable(result.message()));
            return;
        }
    }
}
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
