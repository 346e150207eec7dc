// How fast the reference viewer opens: a new window shown and painted, the way
// the toolbar opens it each time, beside a plain dialog of the same size.

#include "infowin/frmintegral.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Shows the window and paints it once into an image, as the screen would.
void showAndPaint(QWidget &window)
{
    window.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(window.grab());
}

void openPlainDialog(benchmark::State &state)
{
    for (auto _ : state) {
        QDialog dialog;
        dialog.resize(430, 396);
        showAndPaint(dialog);
    }
}
BENCHMARK(openPlainDialog)->Unit(benchmark::kMillisecond);

void openReferenceViewer(benchmark::State &state)
{
    // Settings and data files of the benchmark's own; the viewer reads neither.
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    for (auto _ : state) {
        frmIntegral window(context);
        showAndPaint(window);
    }
}
BENCHMARK(openReferenceViewer)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
