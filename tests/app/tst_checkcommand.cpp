// The check command as a script or a build job meets it: the built program
// run with no display at all (no DISPLAY, WAYLAND_DISPLAY or
// QT_QPA_PLATFORM) on axis files the program's own writer made, alone and
// several at once: exit status, output and refusals; the JSON and CSV read
// by Python's standard modules and equal to the core's figures; the PDF
// report; and nothing of the toolbar started (no lock, no socket, no
// settings written).

#include "../axis/checkaxes.h"
#include "axis/axischeck.h"

#include "testsupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QProcess>
#include <QtTest>

namespace {

using namespace AxisBuild;

struct Run
{
    int exit = -1;
    QString out;
    QString err;
};

} // namespace

class tst_CheckCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void files_give_their_exit_status_data();
    void files_give_their_exit_status();
    void json_and_csv_read_by_python_equal_the_core();
    void report_writes_a_pdf_without_a_display();
    void results_cut_off_fail_the_run_data();
    void results_cut_off_fail_the_run();

private:
    // Runs the program (or another) with no display; without a runtime
    // folder when runtimeFolder is false, as many build jobs run.
    Run run(const QStringList &arguments, const QString &program = QString(), const QByteArray &input = {},
            bool runtimeFolder = true);
    void prepare(QProcess &process, bool runtimeFolder);
    void checkNothingStarted();
    static QString toolbar() { return TestSupport::runtimeDir() + QStringLiteral("/torvane-toolbar"); }

    QTemporaryDir m_folder; // the axis files, and the working folder
    QTemporaryDir m_home;   // runtime and settings folders the program is given
};

void tst_CheckCommand::initTestCase()
{
    TestSupport::initTestEnvironment(m_home);
    QDir(m_home.path()).mkpath(QStringLiteral("runtime"));
    QDir(m_home.path()).mkpath(QStringLiteral("config"));
    QFile::setPermissions(m_home.filePath(QStringLiteral("runtime")),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto write = [this](const QString &name, const AxisDocument &document) {
        QVERIFY(WriteAxisFile(m_folder.filePath(name), document).ok);
    };
    write(QStringLiteral("pass.tvaxis"), ballScrew({}));
    // Within the motor's peak torque, short of the 20 % margin it needs.
    write(QStringLiteral("fail.tvaxis"), ballScrew({.peak = 0.7}));
    write(QStringLiteral("unrated.tvaxis"), ballScrew({.peak = 0, .rated = 0, .maxRpm = 0}));
    write(QStringLiteral("impossible.tvaxis"), ballScrew({}, 0.2));
    QFile damaged(m_folder.filePath(QStringLiteral("damaged.tvaxis")));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes(ballScrew({})).left(200));
    damaged.close();
    QVERIFY(QDir(m_folder.path()).mkdir(QStringLiteral("folder.tvaxis")));
}

void tst_CheckCommand::prepare(QProcess &process, bool runtimeFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    if (runtimeFolder)
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.filePath(QStringLiteral("runtime")));
    else
        environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
}

Run tst_CheckCommand::run(const QStringList &arguments, const QString &program, const QByteArray &input,
                          bool runtimeFolder)
{
    QProcess process;
    prepare(process, runtimeFolder);
    process.start(program.isEmpty() ? toolbar() : program, arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void tst_CheckCommand::checkNothingStarted()
{
    // No lock or socket of the one-toolbar rule, no settings written.
    for (const char *folder : {"runtime", "config"})
        QCOMPARE(
            QDir(m_home.filePath(QLatin1String(folder))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList());
}

void tst_CheckCommand::files_give_their_exit_status_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("out"); // lines (or parts) standard output holds
    QTest::addColumn<QString>("err");     // what standard error holds; empty: nothing

    const QString refusal = QStringLiteral("Could not open %1: ");
    QTest::newRow("passes") << QStringList{"--check", "pass.tvaxis"} << 0
                            << QStringList{"pass.tvaxis: passes\n", "  pass          Peak torque "} << "";
    QTest::newRow("fails") << QStringList{"--check", "fail.tvaxis"} << 1
                           << QStringList{"fail.tvaxis: fails\n", "  FAIL          Peak torque "} << "";
    QTest::newRow("not checked passes")
        << QStringList{"--check", "unrated.tvaxis"} << 0
        << QStringList{"unrated.tvaxis: passes, 4 not checked\n", "  not checked   Maximum speed: No maximum"}
        << "";
    QTest::newRow("not computed fails")
        << QStringList{"--check", "impossible.tvaxis"} << 1
        << QStringList{"impossible.tvaxis: fails\n", "  NOT COMPUTED  Peak torque: The acceleration and "}
        << "";
    QTest::newRow("damaged") << QStringList{"--check", "damaged.tvaxis"} << 2
                             << QStringList{"damaged.tvaxis: refused\n"}
                             << refusal.arg("damaged.tvaxis") + "it is damaged";
    QTest::newRow("a folder") << QStringList{"--check", "folder.tvaxis"} << 2 << QStringList{}
                              << refusal.arg("folder.tvaxis");
    QTest::newRow("missing") << QStringList{"--check", "missing.tvaxis"} << 2 << QStringList{}
                             << refusal.arg("missing.tvaxis");
    QTest::newRow("several passing") << QStringList{"--check", "pass.tvaxis", "unrated.tvaxis"} << 0
                                     << QStringList{"pass.tvaxis: passes\n", "\nunrated.tvaxis: passes"}
                                     << "";
    QTest::newRow("several, one failing")
        << QStringList{"pass.tvaxis", "--check", "fail.tvaxis"} << 1
        << QStringList{"pass.tvaxis: passes\n", "\nfail.tvaxis: fails\n"} << "";
    // A refused file is told, and the others are checked still.
    QTest::newRow("several, one refused")
        << QStringList{"--check", "fail.tvaxis", "missing.tvaxis", "pass.tvaxis"} << 2
        << QStringList{"fail.tvaxis: fails\n", "missing.tvaxis: refused\n", "pass.tvaxis: passes\n"}
        << refusal.arg("missing.tvaxis");
    QTest::newRow("JSON") << QStringList{"--check", "--format", "json", "pass.tvaxis", "fail.tvaxis"} << 1
                          << QStringList{"\"format\": \"Torvane axis check\"", "\"exitStatus\": 1"} << "";
    QTest::newRow("CSV") << QStringList{"--check", "--format=CSV", "pass.tvaxis", "fail.tvaxis"} << 1
                         << QStringList{"file,status,problem,", "\r\npass.tvaxis,pass,,",
                                        "\r\nfail.tvaxis,fail,,"}
                         << "";
    QTest::newRow("inch-pound") << QStringList{"--check", "--units", "inch-pound", "pass.tvaxis"} << 0
                                << QStringList{" lbf-in at standstill: passes",
                                               " rpm (the start of the deceleration): passes",
                                               " in/s\n",
                                               " lb-in\u00b2\n",
                                               " ft-lbf\n",
                                               " hp\n"}
                                << "";
    QTest::newRow("SI") << QStringList{"--check", "--units", "SI", "pass.tvaxis"} << 0
                        << QStringList{" rad/s (the start of the deceleration): passes",
                                       " continuous at the mean speed 376.991 rad/s: passes", " J\n", " W\n"}
                        << "";
    QTest::newRow("default units") << QStringList{"--check", "--units", "default", "pass.tvaxis"} << 0
                                   << QStringList{" rpm: passes", " N-m\n", " kg-m\u00b2\n"} << "";
    // A script's mistakes stop it, rather than pass for a check.
    QTest::newRow("misspelt option") << QStringList{"--check", "--fromat", "json", "pass.tvaxis"} << 2
                                     << QStringList{} << "Unknown option 'fromat'.";
    QTest::newRow("unknown format") << QStringList{"--check", "--format", "xml", "pass.tvaxis"} << 2
                                    << QStringList{} << "--format must be text, json or csv";
    QTest::newRow("unknown units") << QStringList{"--check", "--units", "imperial", "pass.tvaxis"} << 2
                                   << QStringList{}
                                   << "--units must be SI, inch-pound or default, not 'imperial'";
    QTest::newRow("no file") << QStringList{"--check"} << 2 << QStringList{}
                             << "--check needs at least one axis file.";
    QTest::newRow("a format without its word") << QStringList{"--check", "pass.tvaxis", "--format"} << 2
                                               << QStringList{} << "Missing value after '--format'.";
    QTest::newRow("a report of two files")
        << QStringList{"--check", "--report", "out.pdf", "pass.tvaxis", "fail.tvaxis"} << 2 << QStringList{}
        << "--report writes the report of one axis file; 2 files were given.";
}

void tst_CheckCommand::files_give_their_exit_status()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exit);
    QFETCH(QStringList, out);
    QFETCH(QString, err);

    const Run result = run(arguments);
    QVERIFY2(result.exit == exit, qPrintable(result.out + result.err));
    for (const QString &part : out)
        QVERIFY2(result.out.contains(part), qPrintable(part + QStringLiteral(" not in\n") + result.out));
    if (err.isEmpty())
        QCOMPARE(result.err, QString());
    else
        QVERIFY2(result.err.contains(err), qPrintable(result.err));
    QVERIFY(!QFile::exists(m_folder.filePath(QStringLiteral("out.pdf"))));
    checkNothingStarted();
}

void tst_CheckCommand::json_and_csv_read_by_python_equal_the_core()
{
    const QStringList files{"pass.tvaxis", "damaged.tvaxis", "fail.tvaxis"};
    const Run json = run(QStringList{"--check", "--format", "json"} + files);
    QCOMPARE(json.exit, 2);
    const Run tool = run({"-m", "json.tool"}, QStringLiteral("python3"), json.out.toUtf8());
    QVERIFY2(tool.exit == 0, qPrintable(tool.err));

    // Python's csv module turns each line into a JSON object by its header.
    const QString script = QStringLiteral("import csv, json, sys\n"
                                          "print(json.dumps(list(csv.DictReader(sys.stdin))))\n");
    const Run csv = run(QStringList{"--check", "--format", "csv", "--units", "SI"} + files);
    QCOMPARE(csv.exit, 2);
    const Run rows = run({"-c", script}, QStringLiteral("python3"), csv.out.toUtf8());
    QVERIFY2(rows.exit == 0, qPrintable(rows.err));
    const QJsonArray csvRows = QJsonDocument::fromJson(rows.out.toUtf8()).array();
    const QJsonArray jsonFiles =
        QJsonDocument::fromJson(tool.out.toUtf8()).object()[QLatin1String("files")].toArray();
    QCOMPARE(csvRows.size(), 3);
    QCOMPARE(jsonFiles.size(), 3);
    QCOMPARE(csvRows.at(1)[QLatin1String("status")].toString(), QStringLiteral("refused"));
    QCOMPARE(jsonFiles.at(1)[QLatin1String("status")].toString(), QStringLiteral("refused"));

    for (const qsizetype at : {0, 2}) {
        const AxisDocument document = ReadAxisFile(m_folder.filePath(files.at(at))).document.value();
        const AxisResults inertia = ComputeAxis(document.axis);
        const MoveResults move = ComputeMove(document.axis, inertia, document.move);
        const QJsonObject row = csvRows.at(at).toObject();
        QCOMPARE(row[QLatin1String("file")].toString(), files.at(at));
        QCOMPARE(row[QLatin1String("status")].toString(),
                 at == 0 ? QStringLiteral("pass") : QStringLiteral("fail"));
        QCOMPARE(row[QLatin1String("peakTorque check")].toString(),
                 at == 0 ? QStringLiteral("pass") : QStringLiteral("fail"));
        QCOMPARE(row[QLatin1String("peakTorque")].toString().toDouble(), move.peakTorque.value());
        QCOMPARE(row[QLatin1String("motorSpeed")].toString().toDouble(), move.maxMotorSpeed.value());
        QCOMPARE(row[QStringLiteral("atMotor (kg-m\u00b2)")].toString().toDouble(), inertia.atMotor.value());
        QCOMPARE(row[QLatin1String("peakTorque margin (%)")].toString().toDouble(),
                 move.checks[0].margin.value() * 100);
        QCOMPARE(row[QLatin1String("peakTorque required margin (%)")].toString(), QStringLiteral("20"));
        QCOMPARE(row[QLatin1String("breakawayTorque check")].toString(), QStringLiteral("pass"));
        QCOMPARE(row[QLatin1String("breakawayTorque value (N-m)")].toString().toDouble(),
                 move.breakawayTorque.value());
        QCOMPARE(row[QLatin1String("brakingEnergy")].toString().toDouble(), move.brakingEnergy.value());

        const QJsonObject file = jsonFiles.at(at).toObject();
        for (const QJsonValue &figure : file[QLatin1String("move")].toArray()) {
            if (figure[QLatin1String("key")] == QLatin1String("rmsTorque"))
                QCOMPARE(figure[QLatin1String("value")].toDouble(), move.rmsTorque.value());
        }
        QCOMPARE(file[QLatin1String("checks")][1][QLatin1String("value")][QLatin1String("value")].toDouble(),
                 move.rmsTorque.value());
    }
}

void tst_CheckCommand::report_writes_a_pdf_without_a_display()
{
    const QString pdf = m_folder.filePath(QStringLiteral("report.pdf"));
    // A toolbar running makes no difference: its lock is not looked at.
    QLockFile toolbar(m_home.filePath(QStringLiteral("runtime/torvane-toolbar.lock")));
    QVERIFY(toolbar.tryLock(0));
    const Run result = run({"--check", "fail.tvaxis", "--report", pdf});
    toolbar.unlock();
    QCOMPARE(result.exit, 1); // the check's own verdict
    QVERIFY(result.out.startsWith(QStringLiteral("fail.tvaxis: fails\n")));
    QCOMPARE(result.err, QString());
    QVERIFY(TestSupport::fileContents(pdf).startsWith("%PDF-"));
    checkNothingStarted();
    const Run withoutRuntime = run({"--check", "pass.tvaxis", "--report", pdf}, {}, {}, false);
    QCOMPARE(withoutRuntime.exit, 0);
    QCOMPARE(withoutRuntime.err, QString());

    // A report that cannot be written is told and fails the run.
    const Run unwritable = run({"--check", "pass.tvaxis", "--report", "folder.tvaxis"});
    QCOMPARE(unwritable.exit, 2);
    QVERIFY2(unwritable.err.contains(QStringLiteral("Could not save")), qPrintable(unwritable.err));
}

void tst_CheckCommand::results_cut_off_fail_the_run_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("text") << "text";
    QTest::newRow("JSON") << "json";
    QTest::newRow("CSV") << "csv";
}

void tst_CheckCommand::results_cut_off_fail_the_run()
{
    // Passing checks, written to a full disk: the job must not pass on them.
    QFETCH(QString, format);
    if (!QFileInfo(QStringLiteral("/dev/full")).exists())
        QSKIP("this system has no /dev/full");
    QProcess process;
    prepare(process, true);
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(toolbar(), {"--check", "--format", format, "pass.tvaxis"});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(
        err.contains(QStringLiteral("the results could not be written in full: No space left on device.")),
        qPrintable(err));
}

QTEST_GUILESS_MAIN(tst_CheckCommand)
#include "tst_checkcommand.moc"
