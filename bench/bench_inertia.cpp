// One full compute of the inertia calculator per shape, as every edit runs
// it: read and convert the boxes, compute every result (and the mass in
// density mode), and format the five results in the chosen unit.
#include "core/fixedtext.h"
#include "inertia/inertiarows.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"

#include "shippedunits.h"

#include <QFile>
#include <QLocale>

#include <benchmark/benchmark.h>

namespace {

QString unit(const char *name)
{
    return PadRight(QString::fromUtf8(name), UnitNameWidth);
}

// Every box filled, in units other than the base ones, so each read converts.
InertiaEntries typicalEntries()
{
    InertiaEntries entries;
    auto set = [&](InertiaInput input, const char *text, const char *unitName) {
        entries[std::size_t(input)] = {QString::fromLatin1(text), unit(unitName)};
    };
    set(InertiaInput::Density, "7.85", "g/cm\u00b3");
    set(InertiaInput::Mass, "12.5", "lb");
    set(InertiaInput::Radius, "40", "mm");
    set(InertiaInput::Height, "25", "mm");
    set(InertiaInput::Length, "2.75", "in");
    set(InertiaInput::Width, "60", "mm");
    set(InertiaInput::OutsideDia, "80", "mm");
    set(InertiaInput::InsideDia, "1.5", "cm");
    return entries;
}

void fullCompute(benchmark::State &state)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const ConversionTableData &units = ShippedUnits();

    const InertiaShape shape = InertiaShape(state.range(0));
    const MassMode mode = state.range(1) ? MassMode::Density : MassMode::Mass;
    const InertiaEntries entries = typicalEntries();
    const QString resultUnit = unit("kg-cm\u00b2");
    for (auto _ : state) {
        const InertiaOutcome outcome = ComputeInertiaEntries(units, shape, entries, mode);
        for (const std::optional<float> &value : outcome.values)
            benchmark::DoNotOptimize(FormatInertiaResult(units, value, resultUnit, 6, false));
        benchmark::DoNotOptimize(outcome.massText);
    }
    state.SetLabel(QString::fromUtf8("%1, %2 mode")
                       .arg(QString::fromLatin1(ShapeInfo(shape).picture).mid(6),
                            mode == MassMode::Density ? QStringLiteral("density") : QStringLiteral("mass"))
                       .toStdString());
}
// Each shape in mass mode, and in density mode where it has one.
BENCHMARK(fullCompute)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0}})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Args({3, 1})
    ->Unit(benchmark::kMicrosecond);

// The arithmetic alone, on inputs already in base units.
void formulasOnly(benchmark::State &state)
{
    const InertiaShape shape = InertiaShape(state.range(0));
    InertiaInputs inputs;
    for (std::optional<float> &value : inputs.values)
        value = 0.25f;
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeInertia(shape, inputs, MassMode::Density));
}
BENCHMARK(formulasOnly)->DenseRange(0, 5)->Unit(benchmark::kNanosecond);

} // namespace

BENCHMARK_MAIN();
