#pragma once
// Small helpers shared by the tests.

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
// Window helpers only where the test links the window library.
#if __has_include(<QApplication>)
#include "app/registerwindows.h"
#include <QApplication>
#include <QWidget>
#define TORVANE_TEST_HAS_WIDGETS 1
#endif

#include <cmath>
#include <functional>

#include "core/settingsstore.h"

namespace TestSupport {

// Every test starts here: test paths, a fixed point locale, and a settings
// file of its own in a temporary folder.
inline void initTestEnvironment(QTemporaryDir &settingsDir)
{
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SettingsStore::useFile(settingsDir.filePath(QStringLiteral("settings.ini")));
#ifdef TORVANE_TEST_HAS_WIDGETS
    RegisterWindows();
#endif
}

// Relative closeness for results that are not exact by design.
inline bool closeTo(double actual, double expected, double relTol = 1e-6)
{
    if (expected == 0)
        return std::fabs(actual) <= relTol;
    return std::fabs(actual - expected) <= relTol * std::fabs(expected);
}

#ifdef TORVANE_TEST_HAS_WIDGETS
// Runs action on the next modal window that opens (a QDialog's exec() or a
// message box), from inside its nested event loop, so a test never blocks.
// Polls until a modal widget is active, then calls action(widget).
inline void whenModalShown(std::function<void(QWidget *)> action, int attemptsLeft = 200)
{
    QTimer::singleShot(10, [action, attemptsLeft]() {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            action(modal);
        } else if (attemptsLeft > 0) {
            whenModalShown(action, attemptsLeft - 1);
        }
    });
}

// Closes the next modal window as soon as it shows, and names it in opened.
inline void closeNextModal(QString &opened)
{
    whenModalShown([&opened](QWidget *modal) {
        opened = modal->objectName();
        modal->close();
    });
}
#endif

// Path of the shipped data folder (beside the built executable).
inline QString runtimeDir()
{
    return qEnvironmentVariable("TORVANE_RUNTIME_DIR");
}
inline QString sourceDir()
{
    return qEnvironmentVariable("TORVANE_SOURCE_DIR");
}

} // namespace TestSupport
