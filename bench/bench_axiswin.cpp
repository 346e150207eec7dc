// The axis window with a large axis: a change that recomputes the axis and
// refreshes the item table, opening a large axis file into the window, and
// the window started with one.

#include "axis/axisfile.h"
#include "axiswin/frmaxissizing.h"
#include "largeaxis.h"
#include "widgets/windowcontext.h"
#include "windowbench.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// The gearbox ratio typed anew: the axis recomputed and every row of the
// item table refreshed (the table's repaint follows later, on its own).
void recomputeInWindow(benchmark::State &state, WindowContext &context)
{
    frmAxisSizing window(context);
    window.setAxis(largeAxis(int(state.range(0))));
    window.show();
    QCoreApplication::processEvents();
    auto *ratio = window.findChild<QLineEdit *>(QStringLiteral("txtGearRatio"));
    int i = 0;
    for (auto _ : state)
        ratio->setText(QString::number(4 + ++i % 2));
    state.SetLabel(std::to_string(window.axis().items.size()) + " items");
}

// A large axis file written to dir; its size in KiB into kib.
QString largeAxisFile(const QTemporaryDir &dir, int items, qint64 &kib)
{
    const QString path = dir.filePath(QStringLiteral("large.tvaxis"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    kib = file.write(AxisFileBytes({largeAxis(items), {}}).value_or(QByteArray())) / 1024;
    return path;
}

// A large axis file opened into the open window, as File > Open does once
// the file is chosen: read, shown, computed, listed.
void openFileInWindow(benchmark::State &state, WindowContext &context)
{
    QTemporaryDir dir;
    qint64 kib = 0;
    const QString path = largeAxisFile(dir, int(state.range(0)), kib);
    frmAxisSizing window(context);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.openFile(path));
    state.SetLabel(std::to_string(window.axis().items.size()) + " items, " + std::to_string(kib) + " KiB");
}

// The window started with a large axis file, as a start with a file does:
// built, shown, the file opened and everything drawn.
void startWithFile(benchmark::State &state, WindowContext &context)
{
    QTemporaryDir dir;
    qint64 kib = 0;
    const QString path = largeAxisFile(dir, int(state.range(0)), kib);
    for (auto _ : state) {
        frmAxisSizing window(context);
        window.openFromOutside(path);
        window.show();
        while (window.filePath() != path)
            QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    state.SetLabel(std::to_string(state.range(0)) + " items, " + std::to_string(kib) + " KiB");
}

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        for (auto [name, run, unit] :
             {std::tuple{"recomputeInWindow", &recomputeInWindow, benchmark::kMicrosecond},
              std::tuple{"openFileInWindow", &openFileInWindow, benchmark::kMillisecond},
              std::tuple{"startWithFile", &startWithFile, benchmark::kMillisecond}}) {
            // Ten times the items: the cost per item should stay the same.
            benchmark::RegisterBenchmark(
                name, [run = run, &context](benchmark::State &state) { run(state, context); })
                ->Arg(1000)
                ->Arg(10000)
                ->Unit(unit);
        }
    });
}
