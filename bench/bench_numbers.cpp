// Cost of the display and reading routines a calculator runs on every edit
// (one call per result row).
#include "units/numberformat.h"
#include "units/numericentry.h"

#include <QLocale>

#include <benchmark/benchmark.h>

namespace {

const float Values[] = {1234.5f, 3.14159f, 0.0000123f, 12345678.0f, 9.99f, -0.0123456f, 3.4e38f, 1.4e-45f};

void significantDisplay(benchmark::State &state)
{
    const int digits = int(state.range(0));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatSignificant(Values[i % std::size(Values)], digits, QChar(u'.')));
        ++i;
    }
}
BENCHMARK(significantDisplay)->Arg(1)->Arg(6)->Arg(7);

void significantDisplayWithLocale(benchmark::State &state)
{
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatSignificant(Values[i % std::size(Values)], 6));
        ++i;
    }
}
BENCHMARK(significantDisplayWithLocale);

void scientificPattern(benchmark::State &state)
{
    const QString pattern = ScientificPattern(6);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatWithPattern(Values[i % std::size(Values)], pattern, QChar(u'.')));
        ++i;
    }
}
BENCHMARK(scientificPattern);

void strictReading(benchmark::State &state)
{
    const QString texts[] = {QStringLiteral("2.5"), QStringLiteral(" -1.5E-07 "), QStringLiteral("1,000"),
                             QStringLiteral("3.4028235e38")};
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseLocaleNumber(texts[i % std::size(texts)], QChar(u'.')));
        ++i;
    }
}
BENCHMARK(strictReading);

void keyFilter(benchmark::State &state)
{
    const QString text = QStringLiteral("-1.2345E-0");
    for (auto _ : state)
        benchmark::DoNotOptimize(FilterNumericKey(ushort('-'), text, 7, QString(), QChar(u'.')));
}
BENCHMARK(keyFilter);

} // namespace

BENCHMARK_MAIN();
