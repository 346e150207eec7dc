// How fast the unit calculator answers a keystroke: the conversion list of
// the largest unit type in the shipped table, rebuilt for a new value.

#include "unitcalc/conversionlist.h"
#include "unitcalc/frmunitcalculator.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"
#include "widgets/windowcontext.h"

#include "shippedunits.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

namespace {

// The unit type with the most display units.
QString largestUnitType()
{
    QMap<QString, int> counts;
    for (const ConversionRecord &record : ShippedUnits().records()) {
        if (record.DisplayUnit)
            ++counts[record.UnitType];
    }
    QString largest;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (largest.isEmpty() || it.value() > counts.value(largest))
            largest = it.key();
    }
    return largest;
}

struct OpenCalculator
{
    frmUnitCalculator form;
    QLineEdit *number = form.findChild<QLineEdit *>(QStringLiteral("txtNumber"));
    QTreeWidget *list = form.findChild<QTreeWidget *>(QStringLiteral("lvConversions"));

    OpenCalculator(WindowContext &context, const QString &unitType) : form(context)
    {
        auto *types = form.findChild<QListWidget *>(QStringLiteral("cmbUnitTypes"));
        types->setCurrentItem(types->findItems(unitType, Qt::MatchExactly).value(0));
        form.show();
        QCoreApplication::processEvents();
    }
};

void keystrokeRebuildsTheList(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    const QString values[] = {QStringLiteral("2.5"), QStringLiteral("2.55")};
    int i = 0;
    for (auto _ : state)
        calc.number->setText(values[i++ & 1]);
    state.counters["rows"] = calc.list->topLevelItemCount();
}

void keystrokeAndRepaint(benchmark::State &state, WindowContext &context)
{
    OpenCalculator calc(context, largestUnitType());
    const QString values[] = {QStringLiteral("2.5"), QStringLiteral("2.55")};
    int i = 0;
    for (auto _ : state) {
        calc.number->setText(values[i++ & 1]);
        calc.list->viewport()->repaint();
    }
}

void conversionRowsOnly(benchmark::State &state)
{
    const QString type = largestUnitType();
    const QString unit = UnitsOfExactType(ShippedUnits(), type).value(0);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeConversionRows(ShippedUnits(), type, unit, QStringLiteral("2.5"), ConversionDisplay{}));
}
BENCHMARK(conversionRowsOnly)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QGuiApplication::clipboard()->clear();
    // The settings the window reads and writes stay the benchmark's own.
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    context.units().load(QStringLiteral(TORVANE_CONVERTS_DAT));
    for (auto [name, run] : {std::pair{"keystrokeRebuildsTheList", &keystrokeRebuildsTheList},
                             std::pair{"keystrokeAndRepaint", &keystrokeAndRepaint}}) {
        benchmark::RegisterBenchmark(name, [run = run, &context](benchmark::State &state) {
            run(state, context);
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
