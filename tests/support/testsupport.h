#pragma once
// Small helpers shared by the tests.

#include <QBuffer>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
// Window helpers only where the test links the window library.
#if __has_include(<QApplication>)
#include "app/registerwindows.h"
#include "widgets/windowcontext.h"
#include <QApplication>
#include <QFontInfo>
#include <QPointer>
#include <QTest>
#include <QUrl>
#include <QWidget>
#define TORVANE_TEST_HAS_WIDGETS 1
#endif

#include <cmath>
#include <functional>
#include <memory>
#include <source_location>
#include <utility>

#include "core/datafiles.h"
#include "core/fixedtext.h"
#include "core/settingsstore.h"
#include "units/conversiontable.h"

namespace TestSupport {

#ifdef TORVANE_TEST_HAS_WIDGETS
// The tests' font: DejaVu Sans, the family of the tests' own fontconfig, at
// the size Qt gives a desktop that names none. Windows are measured in it
// at the desktop's usual larger sizes too.
constexpr int TestFontPoints = 9;
inline QFont testFont(int points = TestFontPoints)
{
    return QFont(QStringLiteral("DejaVu Sans"), points);
}
// Makes font the application's; ends the run when the machine cannot give
// the tests their font, rather than measuring another.
inline void useFont(const QFont &font)
{
    if (QFontInfo(font).family() != font.family())
        qFatal("the tests' font %s is missing: %s", qPrintable(font.family()),
               "run the tests through CTest (its fontconfig lists the fonts tools/setup.sh installs)");
    QApplication::setFont(font);
}
#endif

// Every test starts here: test paths, a fixed point locale and, where there
// are windows, the tests' font. settingsDir is the folder the test keeps its
// own settings and data files in.
inline void initTestEnvironment(const QTemporaryDir &settingsDir)
{
    if (!settingsDir.isValid())
        qFatal("no temporary folder for the test's settings: %s", qPrintable(settingsDir.errorString()));
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
#ifdef TORVANE_TEST_HAS_WIDGETS
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        useFont(testFont());
#endif
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
// Whether a watched modal window must open, or only may.
enum class Modal { MustOpen, MayOpen };

// Runs an action on the next modal window that opens (a QDialog's exec() or a
// message box), from inside its nested event loop, so a test never blocks.
// Keep the watch while the window may open: when a watch for a window that
// must open goes, it waits what is left of its time for one and fails the
// running test, at the line that made it, when none opened.
class ModalWatch
{
public:
    ModalWatch(std::function<void(QWidget *)> action, Modal expected, int timeoutMs,
               std::source_location where)
        : m_state(std::make_shared<State>()), m_expected(expected), m_where(where)
    {
        m_state->action = std::move(action);
        m_state->outer = QApplication::activeModalWidget();
        m_state->deadline.setRemainingTime(timeoutMs);
        poll(m_state);
    }
    ModalWatch(const ModalWatch &) = delete;
    ModalWatch &operator=(const ModalWatch &) = delete;
    ~ModalWatch()
    {
        if (m_expected == Modal::MustOpen && !m_state->opened && !QTest::currentTestFailed()) {
            if (!QTest::qWaitFor([this]() { return m_state->opened; },
                                 int(m_state->deadline.remainingTime())))
                QTest::qFail("no modal window opened", m_where.file_name(), int(m_where.line()));
        }
        m_state->watching = false;
    }
    bool opened() const { return m_state->opened; }

private:
    struct State
    {
        std::function<void(QWidget *)> action;
        QPointer<QWidget>
            outer; // a modal window already open when the watch began is not the one watched for
        QDeadlineTimer deadline;
        bool watching = true;
        bool opened = false;
    };
    static void poll(const std::shared_ptr<State> &state)
    {
        QTimer::singleShot(10, [state]() {
            if (!state->watching)
                return;
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal != state->outer) {
                state->opened = true;
                state->watching = false;
                state->action(modal);
            } else if (!state->deadline.hasExpired()) {
                poll(state);
            }
        });
    }

    std::shared_ptr<State> m_state;
    Modal m_expected;
    std::source_location m_where;
};

[[nodiscard]] inline ModalWatch whenModalShown(std::function<void(QWidget *)> action,
                                               Modal expected = Modal::MustOpen, int timeoutMs = 10000,
                                               std::source_location where = std::source_location::current())
{
    return ModalWatch(std::move(action), expected, timeoutMs, where);
}

// A control of a window by its objectName; a missing control ends the run at once.
template <typename T> T *child(const QObject *window, const QString &name)
{
    T *found = window->findChild<T *>(name);
    if (!found)
        qFatal("control %s missing", qPrintable(name));
    return found;
}

// Stands in for the desktop's link opener while it lives: notes each address
// it is asked to open and gives answer()'s verdict (which may throw, as a
// failing desktop handler does).
struct RecordingOpener
{
    QStringList opened;
    std::function<bool()> answer = [] { return true; };
    explicit RecordingOpener(WindowContext &context) : m_context(context)
    {
        context.urlOpener = [this](const QUrl &url) {
            opened << url.toString();
            return answer();
        };
    }
    RecordingOpener(const RecordingOpener &) = delete;
    RecordingOpener &operator=(const RecordingOpener &) = delete;
    ~RecordingOpener() { m_context.urlOpener = {}; }
    WindowContext &m_context;
};

// Closes the next modal window as soon as it shows, and names it in opened.
[[nodiscard]] inline ModalWatch closeNextModal(QString &opened, Modal expected = Modal::MustOpen,
                                               std::source_location where = std::source_location::current())
{
    return whenModalShown(
        [&opened](QWidget *modal) {
            opened = modal->objectName();
            modal->close();
        },
        expected, 10000, where);
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

// The order the data files have always had: a bubble sort with a shrinking
// bound and an early stop, swapping only on a strictly greater upper-cased key.
template <typename Record, typename KeyOf> void referenceBubbleSort(QList<Record> &records, KeyOf keyOf)
{
    QStringList keys;
    for (const Record &record : std::as_const(records))
        keys.append(keyOf(record).toUpper());
    for (qsizetype upper = records.size(), swapped = 1; swapped; --upper) {
        swapped = 0;
        for (qsizetype i = 0; i + 1 < upper; ++i) {
            if (keys[i] > keys[i + 1]) {
                std::swap(keys[i], keys[i + 1]);
                std::swap(records[i], records[i + 1]);
                swapped = 1;
            }
        }
    }
}

// Random text of 1 to maxLength characters of alphabet.
inline QString randomText(QRandomGenerator &rng, const QString &alphabet, int maxLength)
{
    QString text;
    for (int n = rng.bounded(1, maxLength + 1); n > 0; --n)
        text.append(alphabet.at(rng.bounded(int(alphabet.size()))));
    return text;
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

// The bytes of a unit table file holding records in the order given.
inline QByteArray unitFile(const QList<ConversionRecord> &records)
{
    QByteArray bytes;
    for (const ConversionRecord &record : records)
        bytes += EncodeConversionRecord(record);
    return bytes;
}

// A unit table of records, in the order given, loaded as the program loads its file.
inline ConversionTableData unitTable(const QList<ConversionRecord> &records)
{
    QByteArray bytes = unitFile(records);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ConversionTableData table;
    table.load(buffer);
    return table;
}

// Loads the shipped unit table into table.
inline void loadShippedUnits(ConversionTableData &table)
{
    table.load(runtimeDir() + QStringLiteral("/converts.dat"));
}

} // namespace TestSupport
