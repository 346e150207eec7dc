// How fast the density window answers: a keystroke in the density box, and a
// change of display unit that rewrites every line, on the shipped materials;
// and how long it takes to open on a table of the largest size it reads.

#include "densities/densitytable.h"
#include "densities/frmdensityselect.h"
#include "units/conversiontable.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

struct OpenWindow
{
    frmDensitySelect form;
    QLineEdit *density = form.findChild<QLineEdit *>(QStringLiteral("txtDensity"));
    QComboBox *displayUnits = form.findChild<QComboBox *>(QStringLiteral("cmbDisplayUnits"));
    QListWidget *list = form.findChild<QListWidget *>(QStringLiteral("lstMaterials"));

    explicit OpenWindow(WindowContext &context) : form(context)
    {
        form.show();
        QCoreApplication::processEvents();
        list->setCurrentRow(list->count() / 2);
        density->setFocus();
        density->selectAll();
    }
    void type(Qt::Key key, const QString &text)
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(density, &press);
        QApplication::sendEvent(density, &release);
    }
};

// A digit typed, then taken back: each goes through the key filter and the
// change handler, which switches the buttons to the edit appearance.
void keystrokeInDensityBox(benchmark::State &state, WindowContext &context)
{
    OpenWindow window(context);
    for (auto _ : state) {
        window.type(Qt::Key_5, QStringLiteral("5"));
        window.type(Qt::Key_Backspace, QString());
    }
    state.counters["materials"] = window.list->count();
    state.SetItemsProcessed(state.iterations() * 2);
}

// Another display unit: every line rewritten, the selection and scroll kept.
void displayUnitChange(benchmark::State &state, WindowContext &context)
{
    OpenWindow window(context);
    int i = 0;
    for (auto _ : state)
        window.displayUnits->setCurrentIndex(++i % window.displayUnits->count());
    state.counters["materials"] = window.list->count();
}

// Opening the window on a table of the largest size it reads: load, sort
// and list every material. Peak memory is reported as maxRssMB.
void openAtTheLimit(benchmark::State &state)
{
    // A context of its own, whose data folder holds only the large table.
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    const QString path = DensityFilePath(context.dataFiles());
    // Written record by record, so the benchmark's own memory stays small.
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    for (qsizetype i = 0; i < MaxDensityRecords; ++i)
        file.write(EncodeDensityRecord(
            {QString::number((i * 7919) % MaxDensityRecords), 1000.0f + float(i % 9000)}));
    file.close();
    for (auto _ : state) {
        frmDensitySelect form(context);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.densityTable().size());
    }
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["maxRssMB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(openAtTheLimit)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Settings and the table stay the benchmark's own.
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    QFile::copy(QStringLiteral(TORVANE_DENSITY_DAT), DensityFilePath(context.dataFiles()));
    context.units().load(QStringLiteral(TORVANE_CONVERTS_DAT));
    for (auto [name, run] : {std::pair{"keystrokeInDensityBox", &keystrokeInDensityBox},
                             std::pair{"displayUnitChange", &displayUnitChange}}) {
        benchmark::RegisterBenchmark(name, [run = run, &context](benchmark::State &state) {
            run(state, context);
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
