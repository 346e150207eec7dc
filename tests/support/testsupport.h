#pragma once
// Small helpers shared by the tests.

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
// Window helpers only where the test links the window library.
#if __has_include(<QApplication>)
#include "app/registerwindows.h"
#include "widgets/windowcontext.h"
#include <QApplication>
#include <QWidget>
#define TORVANE_TEST_HAS_WIDGETS 1
#endif

#include <cmath>
#include <functional>

#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "units/conversiontable.h"

namespace TestSupport {

// Every test starts here: test paths and a fixed point locale. settingsDir
// is the folder the test keeps its own settings and data files in.
inline void initTestEnvironment(const QTemporaryDir &settingsDir)
{
    if (!settingsDir.isValid())
        qFatal("no temporary folder for the test's settings: %s", qPrintable(settingsDir.errorString()));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

// The settings file and the data-file layout of a test's own: both in folder,
// the data files as a portable copy keeps them (beside the program).
inline QString settingsFile(const QTemporaryDir &folder)
{
    return folder.filePath(QStringLiteral("settings.ini"));
}
inline DataFiles::Layout dataLayout(const QTemporaryDir &folder)
{
    DataFiles::Layout layout;
    layout.programFolder = layout.sharedFolder = folder.path();
    layout.userFolder = folder.filePath(QStringLiteral("user"));
    return layout;
}

#ifdef TORVANE_TEST_HAS_WIDGETS
// A program context of a test's own, settings and data files in folder, with
// the windows registered as the start does.
class TestContext : public WindowContext
{
public:
    explicit TestContext(const QTemporaryDir &folder) : TestContext(folder, folder) {}
    TestContext(const QTemporaryDir &settingsFolder, const QTemporaryDir &dataFolder)
        : WindowContext(settingsFile(settingsFolder), dataLayout(dataFolder))
    {
        RegisterWindows(*this);
    }
};
#endif

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

// The whole of a file, or "<unreadable>" when it cannot be read.
inline QByteArray fileContents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Writes bytes as the whole of a file, making its folder first.
inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A unit name padded as the unit table keeps it.
inline QString unitName(const QString &name)
{
    return PadRight(name, UnitNameWidth);
}

// A unit of a type; an alias, not listed, when it stands for another unit.
inline ConversionRecord unitRecord(const QString &type, const QString &name, float xFactor = 1,
                                   float plusFactor = 0, const QString &sameAs = QString())
{
    return {unitName(name),   xFactor,         plusFactor, PadRight(type, UnitTypeWidth),
            sameAs.isEmpty(), unitName(sameAs)};
}

// Loads records, in the order given, as the program's unit table.
inline void loadUnitTable(const QList<ConversionRecord> &records)
{
    QByteArray bytes;
    for (const ConversionRecord &record : records)
        bytes += EncodeConversionRecord(record);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadConversionTable(buffer);
}

} // namespace TestSupport
