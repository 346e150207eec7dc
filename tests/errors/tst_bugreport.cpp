// The bug log line, its file append, and the printed report's pieces.

#include "errors/bugreport.h"
#include "testsupport.h"

#include <QFile>
#include <QUrlQuery>
#include <QtTest>

namespace {
const QDateTime LoggedAt(QDate(2024, 3, 7), QTime(21, 5, 42));
const QLocale US(QLocale::English, QLocale::UnitedStates);

BugReport sampleReport()
{
    return {"Torvane Toolbar",  "1.2.0", "ShellHyperlink in mdlConvert", "53", "File not found", "Ann Lee",
            "Clicked the link", LoggedAt};
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
        row("empty", "", "");
        row("CRLF, LF and CR", "one\r\ntwo\nthree\rfour", "one two three four");
        row("double quotes", "say \"hi\"\n", "say 'hi' ");
        row("apostrophe and non-ASCII stay", "it's kg-m² Åse", "it's kg-m² Åse");
        row("VT, FF, NUL, separators, DEL; Tab stays",
            QString::fromUtf16(u"a\vb\fc\0d\x1C\x1F"
                               u"e\x7F\tf",
                               13),
            "a b c d  e \tf");
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
        auto row = [](const char *name, const char *locale, const char *stamp) {
            QTest::newRow(name) << QLocale(QString::fromLatin1(locale)) << QString::fromLatin1(stamp);
        };
        row("Finland, dotted time", "fi_FI", "03.07.2024 21.05.42");
        row("Korea, day period first", "ko_KR", "03.07.2024 21:05:42");
        row("Egypt, direction marks", "ar_EG", "03/07/2024 21:05:42");
    }
    void dateAndTime_useLocaleSeparators()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, stamp);
        QCOMPARE(BugReportStamp(LoggedAt, locale), stamp);
        QCOMPARE(BugLogDate(LoggedAt, locale) + ' ' + BugLogTime(LoggedAt, locale), stamp.chopped(3));
    }

    void append_parentIsAFile_failsAndCreatesNothing()
    {
        QTemporaryDir dir;
        QFile blocker(dir.filePath(QStringLiteral("notadir")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        const QString path = blocker.fileName() + QStringLiteral("/buglog.txt");
        BugLogError error;
        QVERIFY(!AppendBugLogLine(path, QByteArray("\"x\"\r\n"), &error));
        QCOMPARE(error.number, 75);
        QVERIFY(error.description.contains(QStringLiteral("not a folder")));
        QVERIFY(!QFile::exists(path));
    }

    // A kill during a long append can leave a line without its CRLF; the next
    // report must not be glued onto it.
    void append_afterATornLine_startsAFreshLine_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("between");
        QTest::newRow("no log yet") << QByteArray() << QByteArray();
        QTest::newRow("whole line") << QByteArray("\"a\"\r\n") << QByteArray();
        QTest::newRow("LF-only line") << QByteArray("\"a\"\n") << QByteArray();
        QTest::newRow("torn in a field") << QByteArray("\"a\",\"bc") << QByteArray("\r\n");
        QTest::newRow("torn between CR and LF") << QByteArray("\"a\"\r") << QByteArray("\n");
    }
    void append_afterATornLine_startsAFreshLine()
    {
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, between);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("buglog.txt"));
        QVERIFY(before.isEmpty() || TestSupport::writeFile(path, before));
        const QByteArray line = BugLogLine(sampleReport(), LoggedAt, US);
        QVERIFY(AppendBugLogLine(path, line));
        QCOMPARE(TestSupport::fileContents(path), before + between + line);
    }

    void logLine_cutsOverlongComments()
    {
        BugReport report = sampleReport();
        report.userComments = QString(1 << 20, QLatin1Char('x'));
        const QByteArray line = BugLogLine(report, LoggedAt, US);
        QVERIFY(line.contains('"' + QByteArray(MaxUserCommentsLength, 'x') + '"'));
        QVERIFY(line.size() < MaxUserCommentsLength + 200);
    }

    void printWrapped_cutsAtLastSpaceWithin70_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("pieceLengths");
        QTest::addColumn<bool>("complete");
        auto row = [](const char *name, const QString &text, QList<int> lengths, bool complete = true) {
            QTest::newRow(name) << text << lengths << complete;
        };
        const QString crlf = QStringLiteral("\r\n");
        auto run = [](int n, char16_t c) { return QString(n, QChar(c)); };
        row("empty", QString(), {});
        row("exactly 70 with line end", run(68, 'a') + crlf, {70});
        row("71, space at 70", run(69, 'a') + " b", {70, 1});
        row("line end counts", run(60, 'a') + ' ' + run(8, 'b') + crlf, {61, 10});
        row("last of several spaces", run(30, 'a') + ' ' + run(20, 'b') + ' ' + run(40, 'c') + crlf,
            {52, 42});
        row("space at 71 is too late", run(70, 'a') + " b" + crlf, {74}, false);
        row("unbreakable tail after a cut", "ERRDESC=abc " + run(80, 'x') + crlf, {12, 82}, false);
        row("line break is not a space", run(40, 'a') + '\n' + run(40, 'b'), {81}, false);
    }
    void printWrapped_cutsAtLastSpaceWithin70()
    {
        QFETCH(QString, text);
        const WrappedText wrapped = PrintWrapped(text);
        QList<int> lengths;
        for (const QString &piece : wrapped.pieces)
            lengths << int(piece.size());
        QTEST(lengths, "pieceLengths");
        QTEST(wrapped.complete, "complete");
        QCOMPARE(wrapped.pieces.join(QString()), text);
    }

    // The mail carries every field whole, whatever characters it holds.
    void mail_carriesTheWholeReport()
    {
        BugReport report = sampleReport();
        report.userComments = "a & b = c #1?\nsecond line, kg-m²";
        const QUrl mail = BugReportMail(report, BugReportAddress, US);
        QVERIFY(mail.isValid());
        QStringList shown{mail.scheme() + u':' + mail.path()};
        for (const auto &[key, value] : QUrlQuery(mail).queryItems(QUrl::FullyDecoded))
            shown << key + u'=' + value;
        QCOMPARE(shown,
                 (QStringList{"mailto:appsupport@velmora.example",
                              "subject=Bug report: Torvane Toolbar 1.2.0, error 53",
                              QStringLiteral("body="
                                             "Application: Torvane Toolbar\r\nVersion: 1.2.0\r\n"
                                             "Date/time: 03/07/2024 21:05:42\r\nReported by: Ann Lee\r\n"
                                             "Procedure: ShellHyperlink in mdlConvert\r\nError number: 53\r\n"
                                             "Error description: File not found\r\nComments:\r\n"
                                             "a & b = c #1?\r\nsecond line, kg-m²")}));
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
