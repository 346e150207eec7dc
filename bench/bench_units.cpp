// Loading the unit table and converting single values.
#include "core/fixedtext.h"
#include "unitcalc/conversionlist.h"
#include "units/conversiontable.h"
#include "units/convertunits.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

namespace {

QString randomText(QRandomGenerator &rng, int maxLength)
{
    static const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-/²³");
    QString text;
    const int length = rng.bounded(1, maxLength + 1);
    for (int i = 0; i < length; ++i)
        text.append(letters.at(rng.bounded(int(letters.size()))));
    return text;
}

// A full-size table: 32,767 records spread over a few hundred unit types.
const QByteArray &syntheticTable()
{
    static const QByteArray bytes = [] {
        QRandomGenerator rng(7);
        QStringList types;
        for (int i = 0; i < 300; ++i)
            types.append(randomText(rng, UnitTypeWidth));
        QByteArray data;
        data.reserve(qsizetype(MaxConversionRecords) * ConversionRecordSize);
        for (int i = 0; i < MaxConversionRecords; ++i) {
            ConversionRecord r;
            r.UnitName = PadRight(randomText(rng, UnitNameWidth), UnitNameWidth);
            r.XFactor = float(rng.bounded(1000.0) + 0.001);
            r.PlusFactor = i % 10 == 0 ? float(rng.bounded(100.0)) : 0.0f;
            r.UnitType = PadRight(types.at(rng.bounded(int(types.size()))), UnitTypeWidth);
            r.DisplayUnit = rng.bounded(2) == 1;
            r.SameAs = PadRight(QString(), UnitNameWidth);
            data += EncodeConversionRecord(r);
        }
        return data;
    }();
    return bytes;
}

ConversionTableData loadSyntheticTable()
{
    QByteArray data = syntheticTable();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    ConversionTableData table;
    table.load(buffer);
    return table;
}

void BM_LoadSyntheticTable(benchmark::State &state)
{
    QByteArray data = syntheticTable();
    ConversionTableData table;
    for (auto _ : state) {
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        table.load(buffer);
        benchmark::DoNotOptimize(table.records().size());
    }
    state.counters["records"] = double(table.records().size());
}
BENCHMARK(BM_LoadSyntheticTable)->Unit(benchmark::kMillisecond);

void BM_LoadShippedTable(benchmark::State &state)
{
    const QString path = QStringLiteral(TORVANE_CONVERTS_DAT);
    if (!QFile::exists(path)) {
        state.SkipWithError("converts.dat has not been built");
        return;
    }
    ConversionTableData table;
    for (auto _ : state) {
        table.load(path);
        benchmark::DoNotOptimize(table.records().size());
    }
    state.counters["records"] = double(table.records().size());
}
BENCHMARK(BM_LoadShippedTable)->Unit(benchmark::kMicrosecond);

// Callers pass either padded list entries or bare literals; mix both.
void BM_ConvertUnits(benchmark::State &state)
{
    const ConversionTableData table = loadSyntheticTable();
    const QList<ConversionRecord> &records = table.records();
    QRandomGenerator rng(11);
    QList<QPair<QString, QString>> pairs;
    for (int i = 0; i < 1024; ++i) {
        const QString from = records.at(rng.bounded(int(records.size()))).UnitName;
        const QString to = records.at(rng.bounded(int(records.size()))).UnitName;
        pairs.append({i % 2 ? from.trimmed() : from, to});
    }

    qsizetype i = 0;
    float value = 1.5f;
    for (auto _ : state) {
        const auto &pair = pairs.at(i++ & 1023);
        benchmark::DoNotOptimize(ConvertUnits(table, value, pair.first, pair.second));
    }
}
BENCHMARK(BM_ConvertUnits);

// The usual pattern of a window: the same few units over and over.
void BM_ConvertUnitsFewNames(benchmark::State &state)
{
    const ConversionTableData table = loadSyntheticTable();
    const QList<ConversionRecord> &records = table.records();
    QStringList names;
    for (int i = 0; i < 8; ++i)
        names.append(records.at(i * 997).UnitName.trimmed());

    qsizetype i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConvertUnits(table, 2.5f, names.at(i & 7), names.at((i + 3) & 7)));
        ++i;
    }
}
BENCHMARK(BM_ConvertUnitsFewNames);

// A pasted unit text looked up in a full table: names as written, with a
// trailing period, in other letter case, and one that matches nothing.
void BM_FindPastedUnit(benchmark::State &state)
{
    const ConversionTableData table = loadSyntheticTable();
    const QList<ConversionRecord> &records = table.records();
    QStringList texts;
    for (int i = 0; i < 8; ++i) {
        const QString name = records.at(i * 4093).UnitName.trimmed();
        texts.append(i % 4 == 0   ? name
                     : i % 4 == 1 ? name + QLatin1Char('.')
                     : i % 4 == 2 ? name.toUpper()
                                  : QStringLiteral("zz.zz"));
    }

    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPastedUnit(table, texts.at(i++ & 7)));
}
BENCHMARK(BM_FindPastedUnit)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
