// The bug log line, its file append, and the printed report's pieces.

#include "errors/bugreport.h"
#include "testsupport.h"

#include <QFile>
#include <QtTest>

namespace {
const QDateTime LoggedAt(QDate(2024, 3, 7), QTime(21, 5, 42));
const QLocale US(QLocale::English, QLocale::UnitedStates);

BugReport sampleReport()
{
    return {QStringLiteral("Torvane Toolbar"),
            QStringLiteral("1.2.0"),
            QStringLiteral("ShellHyperlink in mdlConvert"),
            QStringLiteral("53"),
            QStringLiteral("File not found"),
            QStringLiteral("Ann Lee"),
            QStringLiteral("Clicked the link"),
            LoggedAt};
}

// A log file whose writes stop after a number of bytes, as on a full disk.
class ShortWriteFile : public QFile
{
public:
    ShortWriteFile(const QString &name, qint64 limit) : QFile(name), m_limit(limit) {}

protected:
    qint64 writeData(const char *data, qint64 len) override
    {
        return m_limit == 0 ? -1 : QFile::writeData(data, qMin(len, m_limit));
    }

private:
    qint64 m_limit;
};

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

class TestBugReport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    // Every text field gets the same value; each must come out as logged.
    void logLine_staysOneLineOfNineQuotedFields_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("logged");
        auto row = [](const char *name, const QString &value, const QString &logged) {
            QTest::newRow(name) << value << logged;
        };
        row("plain", "Ann Lee", "Ann Lee");
        row("empty", "", "");
        row("CRLF, LF and CR", "one\r\ntwo\nthree\rfour", "one two three four");
        row("blank line", "a\n\nb", "a  b");
        row("Unicode line breaks", "a\u2028b\u2029c\u0085d", "a b c d");
        row("double quotes", "say \"hi\"\n", "say 'hi' ");
        row("apostrophe stays", "it's", "it's");
        row("non-ASCII", "kg-m² Åse", "kg-m² Åse");
    }
    void logLine_staysOneLineOfNineQuotedFields()
    {
        QFETCH(QString, value);
        QFETCH(QString, logged);
        const BugReport report{value, value, value, value, value, value, value, LoggedAt};
        const QString q = QLatin1Char('"') + logged + QLatin1Char('"');
        const QString expected =
            QStringList{q, q, q, q, q, q, "\"03/07/2024\"", "\"21:05\"", q}.join(',') + "\r\n";
        QCOMPARE(BugLogLine(report, LoggedAt, US), expected.toUtf8());
    }

    void dateAndTime_useLocaleSeparators_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("stamp");
        QTest::newRow("US") << US << "03/07/2024 21:05:42";
        QTest::newRow("Finland, dotted time")
            << QLocale(QLocale::Finnish, QLocale::Finland) << "03.07.2024 21.05.42";
        QTest::newRow("Korea, day period first")
            << QLocale(QLocale::Korean, QLocale::SouthKorea) << "03.07.2024 21:05:42";
        QTest::newRow("Egypt, direction marks")
            << QLocale(QLocale::Arabic, QLocale::Egypt) << "03/07/2024 21:05:42";
    }
    void dateAndTime_useLocaleSeparators()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, stamp);
        QCOMPARE(BugReportStamp(LoggedAt, locale), stamp);
        QCOMPARE(BugLogDate(LoggedAt, locale) + ' ' + BugLogTime(LoggedAt, locale), stamp.chopped(3));
    }

    void append_createsLogThenGrowsByOneLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("buglog.txt"));
        const QByteArray line = BugLogLine(sampleReport(), LoggedAt, US);
        QVERIFY(AppendBugLogLine(path, line));
        QVERIFY(AppendBugLogLine(path, line));
        QCOMPARE(readAll(path), line + line);
    }

    void append_parentIsAFile_failsAndCreatesNothing()
    {
        QTemporaryDir dir;
        const QString blocker = dir.filePath(QStringLiteral("notadir"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString path = blocker + QStringLiteral("/buglog.txt");
        BugLogError error;
        QVERIFY(!AppendBugLogLine(path, QByteArray("\"x\"\r\n"), &error));
        QCOMPARE(error.number, 75);
        QVERIFY(error.description.contains(path));
        QVERIFY(!QFile::exists(path));
    }

    void append_shortWrite_leavesNoPartialLine_data()
    {
        QTest::addColumn<qint64>("written"); // negative: counted back from the line's end
        QTest::newRow("write fails") << qint64(0);
        QTest::newRow("ten bytes written") << qint64(10);
        QTest::newRow("all but the line end") << qint64(-2);
    }
    void append_shortWrite_leavesNoPartialLine()
    {
        QFETCH(qint64, written);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("buglog.txt"));
        const QByteArray earlier = BugLogLine(sampleReport(), LoggedAt, US);
        QVERIFY(AppendBugLogLine(path, earlier));

        const QByteArray line = BugLogLine(sampleReport(), LoggedAt.addSecs(60), US);
        ShortWriteFile file(path, written < 0 ? line.size() + written : written);
        QVERIFY(file.open(QIODevice::Append | QIODevice::Unbuffered));
        BugLogError error;
        QVERIFY(!AppendBugLogLine(file, line, &error));
        file.close();
        QCOMPARE(error.number, 57);
        QCOMPARE(readAll(path), earlier);
    }

    void printWrapped_cutsAtLastSpaceWithin70_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("pieceLengths");
        QTest::addColumn<bool>("complete");
        const QString crlf = QStringLiteral("\r\n");
        QTest::newRow("empty") << QString() << QList<int>{} << true;
        QTest::newRow("exactly 70 with line end") << QString(68, u'a') + crlf << QList<int>{70} << true;
        QTest::newRow("71, space at 70")
            << QString(69, u'a') + QStringLiteral(" b") << QList<int>{70, 1} << true;
        QTest::newRow("line end counts")
            << QString(60, u'a') + ' ' + QString(8, u'b') + crlf << QList<int>{61, 10} << true;
        QTest::newRow("last of several spaces")
            << QString(30, u'a') + ' ' + QString(20, u'b') + ' ' + QString(40, u'c') + crlf
            << QList<int>{52, 42} << true;
        QTest::newRow("space at 71 is too late")
            << QString(70, u'a') + QStringLiteral(" b") + crlf << QList<int>{74} << false;
        QTest::newRow("150 without spaces")
            << QStringLiteral("ERRDESC=") + QString(150, u'x') + crlf << QList<int>{160} << false;
        QTest::newRow("unbreakable tail after a cut")
            << QStringLiteral("ERRDESC=abc ") + QString(80, u'x') + crlf << QList<int>{12, 82} << false;
        QTest::newRow("line break is not a space")
            << QString(40, u'a') + '\n' + QString(40, u'b') << QList<int>{81} << false;
    }
    void printWrapped_cutsAtLastSpaceWithin70()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, pieceLengths);
        QFETCH(bool, complete);
        const WrappedText wrapped = PrintWrapped(text);
        QList<int> lengths;
        for (const QString &piece : wrapped.pieces)
            lengths << int(piece.size());
        QCOMPARE(lengths, pieceLengths);
        QCOMPARE(wrapped.complete, complete);
        QCOMPARE(wrapped.pieces.join(QString()), text);
    }

    void printSteps_listEveryEntryInOrder()
    {
        BugReport report = sampleReport();
        report.userComments = QStringLiteral("first line\nsecond");
        QStringList calls;
        for (const PrintStep &step : BugReportPrintSteps(report, US))
            calls += step.calls;
        QCOMPARE(calls,
                 (QStringList{"APPLICATIONNAME=Torvane Toolbar\r\n", "DATE/TIME=03/07/2024 21:05:42\r\n",
                              "APPLICATIONVERSION=1.2.0\r\n", "REPORTED BY=Ann Lee\r\n",
                              "PROC=ShellHyperlink in mdlConvert\r\n", "ERRNUMBER=53\r\n",
                              "ERRDESC=File not found\r\n\r\n", "USERCOMMENTS=first line\nsecond\r\n\r\n"}));
    }
};

QTEST_GUILESS_MAIN(TestBugReport)
#include "tst_bugreport.moc"
