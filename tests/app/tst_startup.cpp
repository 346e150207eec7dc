// The start: --help and --version, the language offset rule, the start
// error, and a normal start that shows the strip from the program's own folder.

#include "app/frmtoolbar.h"
#include "app/singleinstance.h"
#include "app/startprocedure.h"
#include "core/commandline.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QMessageBox>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <map>
#include <memory>
#include <optional>
#include <pwd.h>
#include <unistd.h>

class TestStartup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init()
    {
        QFile::remove(m_context.settings().fileName());
        m_context.setLanguageOffset(0);
    }

    void command_line_asks_for_help_or_version_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer"); // start of the printed text; empty: start as usual
        const QString version = QStringLiteral("Torvane Toolbar " TORVANE_VERSION_TEXT "\n");
        const QString usage = QStringLiteral("Usage: torvane-toolbar [options] [file]\n");
        QTest::newRow("nothing") << QStringList{} << QString();
        QTest::newRow("-v") << QStringList{"-v"} << version;
        QTest::newRow("-h") << QStringList{"-h"} << usage;
        QTest::newRow("unknown option ignored") << QStringList{"--bogus", "file.txt"} << QString();
        QTest::newRow("after an unknown option") << QStringList{"--bogus", "--version"} << version;
        // Qt's own options are single-dash words, not a run of -r -e -v ...
        QTest::newRow("Qt options") << QStringList{"-reverse", "-stylesheet", "x.qss"} << QString();
    }
    void command_line_asks_for_help_or_version()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const std::optional<QString> printed =
            CommandLineAnswer(QStringList{QStringLiteral("/opt/torvane/torvane-toolbar")} + arguments);
        QCOMPARE(printed.has_value(), !answer.isEmpty());
        if (printed)
            QVERIFY2(printed->startsWith(answer), qPrintable(*printed));
    }

    // The real program, with no display at all and another toolbar running:
    // it answers on the terminal, and neither stops it nor writes anything.
    // (What each option prints is checked with the command line above.)
    void version_prints_without_a_display_while_a_toolbar_runs()
    {
        QTemporaryDir home;
        QLockFile running(home.filePath(QStringLiteral("torvane-toolbar.lock")));
        QVERIFY(running.tryLock(0));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));

        QProcess program;
        program.setProcessEnvironment(env);
        program.start(TestSupport::runtimeDir() + QStringLiteral("/torvane-toolbar"),
                      {QStringLiteral("--version")});
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QString printed = QString::fromLocal8Bit(program.readAllStandardOutput());
        QVERIFY2(printed.startsWith(QStringLiteral("Torvane Toolbar " TORVANE_VERSION_TEXT "\n")),
                 qPrintable(printed + program.readAllStandardError()));
        QVERIFY(!QDir(home.filePath(QStringLiteral("config"))).exists());
    }

    // The file to open: an absolute path from the folder the start was made in
    // (handed to the running toolbar: e2e_start).
    void command_line_names_the_file_to_open_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("none") << QStringList{"--bogus"} << QString();
        QTest::newRow("relative") << QStringList{"axes/../a.tvaxis", "b.tvaxis"} << "/work/a.tvaxis";
        QTest::newRow("file URL") << QStringList{"file:///tmp/a%20b.tvaxis"} << "/tmp/a b.tvaxis";
        QTest::newRow("a name like an option") << QStringList{"--", "-v.tvaxis"} << "/work/-v.tvaxis";
        QTest::newRow("a value is no file")
            << QStringList{"--report", "r.pdf", "a.tvaxis"} << "/work/a.tvaxis";
    }
    void command_line_names_the_file_to_open()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        QCOMPARE(CommandLineFile(QStringList{QStringLiteral("torvane-toolbar")} + arguments,
                                 QStringLiteral("/work")),
                 file);
    }

    // The number reading and rounding themselves are checked with the number
    // formats, an offset too large with the start below.
    void language_offset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("offset");
        QTest::newRow("empty") << "" << true << 0;
        QTest::newRow("number then letters") << "12abc" << true << 12;
    }
    void language_offset()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        const std::optional<qint16> parsed = ParseLanguageOffset(text);
        QCOMPARE(parsed.has_value(), fits);
        if (fits)
            QTEST(int(*parsed), "offset");
    }

    void overflowing_offset_stops_the_start_with_a_message()
    {
        m_context.settings().write(QStringLiteral("Settings"), QStringLiteral("Language offset"),
                                   QStringLiteral("99999"));
        QString shown;
        const auto watch = TestSupport::whenModalShown([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                shown = box->windowTitle() + u'|' + box->text();
            modal->close();
        });
        QCOMPARE(StartProcedure(*qApp, m_context), 0);
        QCOMPARE(shown, QStringLiteral("Error|Error: 6\r\nOverflow"));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmToolbar *>(window));
    }

    void lock_that_cannot_be_made_is_told_not_taken_for_a_running_toolbar_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("says");
        QTest::newRow("folder is a file") << "under a file"
                                          << "cannot be created";
        QTest::newRow("another user's lock") << "foreign"
                                             << "belongs to another user";
    }
    void lock_that_cannot_be_made_is_told_not_taken_for_a_running_toolbar()
    {
        QFETCH(QString, shape);
        QFETCH(QString, says);
        QTemporaryDir runtime; // private (0700), as a runtime folder must be
        std::unique_ptr<QLockFile> other;
        QString folder = runtime.path();
        const QString lockName = QStringLiteral("torvane-toolbar.lock");
        if (shape == u"under a file") {
            QFile file(runtime.filePath(QStringLiteral("file")));
            QVERIFY(file.open(QIODevice::WriteOnly));
            folder = file.fileName();
        } else {
            // A live lock, as another user's toolbar would hold it.
            other.reset(new QLockFile(runtime.filePath(lockName)));
            QVERIFY(other->tryLock(0));
            if (::chown(QFile::encodeName(runtime.filePath(lockName)).constData(), 65534, 65534) != 0)
                QSKIP("handing a file to another user needs root");
        }
        const SingleInstance instance(lockName, folder);
        QCOMPARE(instance.status(), SingleInstance::Status::CannotLock);
        QVERIFY2(instance.problem().contains(says), qPrintable(instance.problem()));

        // The start says so instead of ending as if a toolbar ran.
        if (shape != u"foreign")
            return;
        const QByteArray runtimeBefore = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QString shown;
        const auto watch = TestSupport::whenModalShown([&shown](QWidget *modal) {
            shown = modal->objectName() + u'|' + qobject_cast<QMessageBox *>(modal)->text();
            modal->close();
        });
        const int exitCode = StartProcedure(*qApp, m_context);
        qputenv("XDG_RUNTIME_DIR", runtimeBefore);
        QCOMPARE(exitCode, 1);
        QVERIFY2(shown.startsWith(QLatin1String("msgCannotLock|")) && shown.contains(says),
                 qPrintable(shown));
    }

    void start_shows_the_strip_from_any_folder()
    {
        m_context.settings().write(QStringLiteral("Settings"), QStringLiteral("Language offset"),
                                   QStringLiteral("0"));
        // Started from another folder, the program finds its files from its
        // own folder and leaves the working folder as it was.
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        bool shown = false;
        QString folder;
        QTimer::singleShot(50, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (auto *toolbar = qobject_cast<frmToolbar *>(window)) {
                    shown = toolbar->isVisible();
                    folder = QDir::currentPath();
                    toolbar->exitFromTray();
                }
            }
        });
        QCOMPARE(StartProcedure(*qApp, m_context), 0);
        QVERIFY(shown);
        QCOMPARE(QDir(folder).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());
        QVERIFY(!m_context.settings().read(QStringLiteral("Toolbar"), QStringLiteral("X")).isEmpty());
    }

    // Without a runtime folder (none set, and Qt's own fallback in the shared
    // temp folder taken by another user) the lock goes where no other user
    // can make a file: what another user plants in the temp folder first
    // stops no toolbar, and one toolbar still runs per user.
    void one_toolbar_per_user_without_a_runtime_folder_data()
    {
        QTest::addColumn<QString>("planted"); // in the temp folder, by another user
        QTest::newRow("a live lock under the user's id") << "torvane-toolbar-%1.lock";
        QTest::newRow("a folder under the user's id") << "torvane-toolbar-%1";
    }
    void one_toolbar_per_user_without_a_runtime_folder()
    {
        QFETCH(QString, planted);
        if (::geteuid() != 0)
            QSKIP("planting another user's files needs root");
        QTemporaryDir temp;
        QTemporaryDir home;
        const passwd *user = ::getpwuid(::geteuid());
        const auto plantFolder = [&](const QString &name) {
            return QDir(temp.path()).mkdir(name) &&
                   ::chown(QFile::encodeName(temp.filePath(name)).constData(), 65534, 65534) == 0;
        };
        QVERIFY(plantFolder(QStringLiteral("runtime-") + QString::fromLocal8Bit(user ? user->pw_name : "")));
        const QString name = planted.arg(::geteuid());
        QLockFile otherUser(temp.filePath(name));
        if (name.endsWith(u".lock"))
            QVERIFY(otherUser.tryLock(0) &&
                    ::chown(QFile::encodeName(temp.filePath(name)).constData(), 65534, 65534) == 0);
        else
            QVERIFY(plantFolder(name));

        const auto saved = [](const char *variable) {
            return qEnvironmentVariableIsSet(variable) ? std::optional(qgetenv(variable)) : std::nullopt;
        };
        const std::map<const char *, std::optional<QByteArray>> before = {
            {"TMPDIR", saved("TMPDIR")},
            {"XDG_RUNTIME_DIR", saved("XDG_RUNTIME_DIR")},
            {"HOME", saved("HOME")}};
        qputenv("TMPDIR", QFile::encodeName(temp.path()));
        qputenv("HOME", QFile::encodeName(home.path()));
        qunsetenv("XDG_RUNTIME_DIR");
        const auto mine = std::make_unique<SingleInstance>();
        const auto again = std::make_unique<SingleInstance>();
        for (const auto &[variable, value] : before)
            value ? qputenv(variable, *value) : qunsetenv(variable);
        QVERIFY2(mine->acquired(), qPrintable(mine->problem()));
        QCOMPARE(again->status(), SingleInstance::Status::HeldByAnother);
        // The lock's folder is the user's home, closed to everyone else.
        const QFileInfo folder(QFileInfo(mine->socketPath()).path());
        QVERIFY2(folder.filePath().startsWith(home.path()), qPrintable(folder.filePath()));
        const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
        QCOMPARE(folder.permissions() & others, QFile::Permissions());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
