#pragma once
// The start every window benchmark shares: an offscreen application (unless
// QT_QPA_PLATFORM names another), a window context whose settings and data
// files are the benchmark's own, the shipped unit table loaded, and then the
// benchmarks registerAll names, run as Google Benchmark's command line says.

#include "core/datafiles.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

inline int RunWindowBenchmarks(int argc, char **argv, const std::function<void(WindowContext &)> &registerAll)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    context.units().load(QStringLiteral(TORVANE_CONVERTS_DAT));
    registerAll(context);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
