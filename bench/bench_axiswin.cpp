// The axis window with a large axis: a change that recomputes the axis and
// refreshes the item table, and opening a large axis file into the window.

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

// A large axis file opened into the open window, as File > Open does once
// the file is chosen: read, shown, computed, listed.
void openFileInWindow(benchmark::State &state, WindowContext &context)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("large.tvaxis"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    const qint64 size =
        file.write(AxisFileBytes({largeAxis(int(state.range(0))), {}}).value_or(QByteArray()));
    file.close();
    frmAxisSizing window(context);
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(window.openFile(path));
    state.SetLabel(std::to_string(window.axis().items.size()) + " items, " + std::to_string(size / 1024) +
                   " KiB");
}

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        for (auto [name, run, unit] :
             {std::tuple{"recomputeInWindow", &recomputeInWindow, benchmark::kMicrosecond},
              std::tuple{"openFileInWindow", &openFileInWindow, benchmark::kMillisecond}}) {
            benchmark::RegisterBenchmark(name,
                                         [run = run, &context](benchmark::State &state) { run(state, context); })
                ->Arg(1000)
                ->Unit(unit);
        }
    });
}
