// A window's first open against its second, in a process of its own as a
// user meets it: the strip shown and left idle for a moment (as it is before
// anyone clicks), then the window built, shown and painted, closed, and the
// same again. "plain" opens an empty dialog of the reference viewer's size
// the same way. Prints wall and processor milliseconds of each open.
// Usage: QT_QPA_PLATFORM=offscreen build/bench/firstopen <window object name | plain>

#include "app/frmtoolbar.h"
#include "app/registerwindows.h"
#include "app/warmup.h"
#include "core/datafiles.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>

namespace {

double processorMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: firstopen <window object name | plain>\n");
        return 2;
    }
    QTemporaryDir dir;
    WindowContext context(dir.filePath(QStringLiteral("settings.ini")),
                          DataFiles::DetectLayout(dir.path(), dir.filePath(QStringLiteral("user"))));
    context.units().load(QStringLiteral(TORVANE_CONVERTS_DAT));
    RegisterWindows(context);
    const QString which = QString::fromLocal8Bit(argv[1]);
    std::function<std::unique_ptr<QWidget>()> make;
    if (which == QLatin1String("plain")) {
        make = [] {
            auto dialog = std::make_unique<QDialog>();
            dialog->resize(430, 396);
            return std::unique_ptr<QWidget>(std::move(dialog));
        };
    }
    for (const ProgramWindow &window : ProgramWindows(context))
        if (window.name == which)
            make = window.make;
    if (!make) {
        std::fprintf(stderr, "no window %s\n", argv[1]);
        return 2;
    }
    // The strip as the program starts it, with its idle warm-up.
    frmToolbar strip(context);
    WarmUpAfterFirstPaint(&strip, context);
    ReturnFreedMemoryAsWindowsClose(&strip);
    strip.show();
    idle(500);
    for (const char *open : {"first", "second"}) {
        QElapsedTimer wall;
        wall.start();
        const double processor = processorMs();
        const std::unique_ptr<QWidget> window = make();
        window->show();
        QCoreApplication::processEvents();
        window->grab();
        std::printf("%s %s open: %.2f ms, %.2f ms processor\n", argv[1], open,
                    double(wall.nsecsElapsed()) / 1e6, processorMs() - processor);
        window->close();
        idle(100);
    }
    return 0;
}
