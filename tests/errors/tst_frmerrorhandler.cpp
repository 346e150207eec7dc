// The error report window: the error report entry point, the Exit button's mouse rules, the
// bug log from the window, and the printed report.

#include "errors/frmerrorhandler.h"
#include "errors/printbugreport.h"
#include "testsupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

#include <stdexcept>

namespace {
template <typename T = QPushButton> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// Closes the next modal window, noting "title|text" of a message box.
TestSupport::ModalWatch closeNextModal(QStringList *seen)
{
    return TestSupport::whenModalShown([seen](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            *seen << box->windowTitle() + '|' + box->text() +
                         (box->icon() == QMessageBox::Information ? "|i" : "");
        else if (auto *form = qobject_cast<frmErrorHandler *>(modal))
            *seen << form->proc() + '|' + form->errNumber();
        modal->close();
    });
}
} // namespace

class TestFrmErrorHandler : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    QTemporaryDir m_dataDir;
    TestSupport::TestContext m_context{m_settingsDir, m_dataDir};
    int m_endProgramCalls = 0;
    // The desktop's mail program, stood in for: what it was handed.
    TestSupport::RecordingOpener m_mail{m_context};

    QString bugLog() const { return m_dataDir.filePath(QStringLiteral("buglog.txt")); }

private Q_SLOTS:
    // The bug log is written where the context keeps the data files, here a temporary folder.
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        m_context.endProgram = [this] { ++m_endProgramCalls; };
    }
    void init()
    {
        m_endProgramCalls = 0;
        m_mail.opened.clear();
        m_mail.answer = [] { return true; };
    }

    // An error report fills the window and shows it modally; Log appends one line,
    // thanks the user and closes the window.
    void reportError_showsReport_logAppendsLineThanksUserAndCloses()
    {
        QFile::remove(bugLog());
        QString seen;
        QStringList messages;
        bool active = false, closedByLog = false;
        const auto watch = TestSupport::whenModalShown([&](QWidget *form) {
            QStringList shown = {form->windowTitle()};
            for (const char *name : {"lblApplication", "lblVersion", "lblProc", "lblErrNumber"})
                shown << child<QLabel>(form, name)->text();
            shown << child<QPlainTextEdit>(form, "txtErrDesc")->toPlainText()
                  << form->focusWidget()->objectName();
            seen = shown.join('|');
            active = QTest::qWaitForWindowActive(form); // the name is trimmed as the focus leaves it
            QTest::keyClicks(child<QLineEdit>(form, "txtReportedBy"), QStringLiteral(" Ann "));
            auto *comments = child<QPlainTextEdit>(form, "txtUserComments");
            QTest::mouseClick(comments, Qt::LeftButton);
            QTest::keyClicks(comments, QStringLiteral("line one"));
            QTest::keyClick(comments, Qt::Key_Return);
            QTest::keyClicks(comments, QStringLiteral("line two"));
            const auto watch = closeNextModal(&messages);
            QTest::mouseClick(child(form, "cmdLogError"), Qt::LeftButton);
            closedByLog = !form->isVisible();
            form->close(); // in case Log left it open
        });
        QVERIFY(m_context.reportError(53, "File not found", "ShellHyperlink in mdlConvert"));
        QCOMPARE(seen, QStringLiteral("Error Handler|Torvane Toolbar|1.2.0|ShellHyperlink in mdlConvert|53|"
                                      "File not found|txtReportedBy"));
        QVERIFY(active && closedByLog);
        QCOMPARE(messages.size(), 1); // the thanks, worded by the test below
        QFile log(bugLog());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QCOMPARE(text.count("\r\n"), 1);
        QVERIFY2(text.startsWith("\"Torvane Toolbar\",\"1.2.0\",\"53\",\"File not found\","
                                 "\"ShellHyperlink in mdlConvert\",\"line one line two\",\""),
                 qPrintable(text));
        QVERIFY2(text.endsWith(",\"Ann\"\r\n"), qPrintable(text));
    }

    // Saved either way; the message says whether the mail program opened,
    // and never that anything was sent when it did not.
    void log_saysWhereItSavedAndWhetherTheMailProgramOpened_data()
    {
        QTest::addColumn<QString>("mailProgram");
        QTest::addColumn<QString>("said");
        QTest::newRow("opens") << "opens"
                               << "Your mail program has been opened with the report filled in";
        QTest::newRow("refuses") << "refuses"
                                 << "Your mail program could not be opened, so nothing has been sent. To "
                                    "send the report, mail that file to appsupport@velmora.example.";
        QTest::newRow("throws") << "throws"
                                << "Your mail program could not be opened, so nothing has been sent";
    }
    void log_saysWhereItSavedAndWhetherTheMailProgramOpened()
    {
        QFETCH(QString, mailProgram);
        QFETCH(QString, said);
        m_mail.answer = [mailProgram]() -> bool {
            if (mailProgram == QLatin1String("throws"))
                throw std::runtime_error("no mail program");
            return mailProgram == QLatin1String("opens");
        };
        QFile::remove(bugLog());
        frmErrorHandler form(m_context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        // A name typed just before logging counts, though its box has the focus.
        auto *name = child<QLineEdit>(&form, "txtReportedBy");
        name->setFocus();
        QTest::keyClicks(name, QStringLiteral("Bo"));
        QStringList messages;
        const auto watch = closeNextModal(&messages);
        QVERIFY(form.BugLog());
        QVERIFY(TestSupport::fileContents(bugLog()).endsWith(",\"Bo\"\r\n"));
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith("Thanks!|The bug report has been saved to " + bugLog() + "."),
                 qPrintable(messages.first()));
        QVERIFY2(messages.first().contains(said), qPrintable(messages.first()));
        QCOMPARE(m_mail.opened.size(), 1);
    }

    void comments_refuseBothQuotes()
    {
        frmErrorHandler form(m_context);
        auto *comments = child<QPlainTextEdit>(&form, "txtUserComments");
        QTest::keyClicks(comments, QStringLiteral("it's \"fine\""));
        QCOMPARE(form.userComments(), QStringLiteral("its fine"));
        comments->clear();
        QApplication::clipboard()->setText(QStringLiteral("say \"hi\"\nit's me"));
        comments->paste();
        QCOMPARE(form.userComments(), QStringLiteral("say hi\nits me"));
    }

    void comments_stopAtTheCapTheWindowStates()
    {
        frmErrorHandler form(m_context);
        auto *comments = child<QPlainTextEdit>(&form, "txtUserComments");
        QVERIFY(child<QLabel>(&form, "lblCommentsLimit")->text().contains(QLatin1String("4,000")));
        QTest::keyClicks(comments, QStringLiteral("start end"));
        for (int i = 0; i < 4; ++i) // the paste goes in after "start"
            QTest::keyClick(comments, Qt::Key_Left);
        QApplication::clipboard()->setText(QString(1 << 20, QLatin1Char('x')));
        int mostAdded = 0; // a paste laid out whole before the cut froze the window
        connect(comments->document(), &QTextDocument::contentsChange, this,
                [&mostAdded](int, int, int added) { mostAdded = std::max(mostAdded, added); });
        comments->paste();
        const QString text = form.userComments();
        QCOMPARE(text.size(), MaxUserCommentsLength);
        QVERIFY2(mostAdded <= MaxUserCommentsLength, qPrintable(QString::number(mostAdded)));
        QVERIFY(text.startsWith(QLatin1String("startx")) && text.endsWith(QLatin1String("x end")));
        QTest::keyClicks(comments, QStringLiteral("more"));
        QCOMPARE(form.userComments(), text);
    }

    void exit_closesOrEndsProgram_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("endsProgram");
        QTest::newRow("left click") << "left" << false;
        QTest::newRow("Enter on Exit") << "enter" << false;
        QTest::newRow("right press, then Esc") << "right esc" << true;
        QTest::newRow("right press, then left click") << "right left" << false;
        QTest::newRow("right press, then log") << "right log" << true;
    }
    void exit_closesOrEndsProgram()
    {
        QFETCH(QString, actions);
        QFETCH(bool, endsProgram);
        frmErrorHandler form(m_context);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList messages;
        for (const QString &action : actions.split(' ')) {
            if (action == "left")
                QTest::mouseClick(child(&form, "cmdExit"), Qt::LeftButton);
            else if (action == "right")
                QTest::mousePress(child(&form, "cmdExit"), Qt::RightButton);
            else if (action == "enter")
                QTest::keyClick(child(&form, "cmdExit"), Qt::Key_Return);
            else if (action == "esc")
                QTest::keyClick(&form, Qt::Key_Escape);
            else {
                const auto watch = closeNextModal(&messages);
                child(&form, "cmdLogError")->click();
            }
        }
        QCOMPARE(m_endProgramCalls, endsProgram ? 1 : 0);
        QCOMPARE(form.isVisible(), endsProgram);
    }

    // One message over the report, which stays open; no second report
    // window, and no mail of a report that was not saved.
    void logFailure_saysSoOnceAndKeepsTheReport()
    {
        // A folder in the log's place cannot be opened.
        const QString log = bugLog();
        QVERIFY((!QFile::exists(log) || QFile::remove(log)) && QDir().mkdir(log));
        QStringList seen;
        bool firstVisibleAfter = false;
        frmErrorHandler first(m_context);
        const auto watch = TestSupport::whenModalShown([&](QWidget *) {
            const auto watch = closeNextModal(&seen);
            child(&first, "cmdLogError")->click();
            firstVisibleAfter = first.isVisible();
            child(&first, "cmdExit")->click();
        });
        first.exec();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(
            seen.first().startsWith("Bug report not saved|The bug report could not be saved to " + bugLog()),
            qPrintable(seen.first()));
        QVERIFY(firstVisibleAfter);
        QVERIFY(m_mail.opened.isEmpty());
    }

    // A wrapped description and comments running over pages, read back from the PDF.
    void print_putsEveryEntryOnPaperInOrder()
    {
        QString comments;
        for (int i = 1; i <= 70; ++i)
            comments += QStringLiteral("note %1\n").arg(i);
        const BugReport report{"Torvane Toolbar",
                               "1.2.0",
                               "BugLog in frmErrorHandler",
                               "62",
                               "The conversion table could not be read because the file ended before its "
                               "last record was complete",
                               "Ann Lee",
                               comments.trimmed(),
                               QDateTime(QDate(2024, 3, 7), QTime(21, 5, 42))};
        QPrinter printer(QPrinter::HighResolution); // PDF output, for the .pdf name
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        printer.setOutputFileName(m_dataDir.filePath(QStringLiteral("report.pdf")));
        QVERIFY(RenderBugReport(printer, report, QLocale(QLocale::English, QLocale::UnitedStates)).isEmpty());

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed; the printed text cannot be read back");
        QProcess process; // the printed text: a form feed ends each page
        process.start(pdftotext, {QStringLiteral("-layout"), printer.outputFileName(), QStringLiteral("-")});
        QVERIFY(process.waitForFinished(30000));
        const QString text = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY(text.count(u'\f') > 1);
        // Non-empty lines, trimmed: the order of the entries is checked with the
        // print steps; here the description wraps and the comments run over pages.
        const QStringList lines = text.trimmed().split(QRegularExpression("\\s*[\\n\\f]\\s*"));
        QCOMPARE(lines.mid(5, 4),
                 QStringList({"ERRNUMBER=62",
                              "ERRDESC=The conversion table could not be read because the file ended",
                              "before its last record was complete", "USERCOMMENTS=note 1"}));
        QVERIFY(lines.last().endsWith(QLatin1String("note 70")));
    }

    void printFailure_showsErrorMessage()
    {
        frmErrorHandler form(m_context);
        QPrinter printer;
        printer.setOutputFileName(m_dataDir.filePath(QStringLiteral("missing/folder/report.pdf")));
        QStringList messages;
        const auto watch = closeNextModal(&messages);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        form.printOn(printer);
        QCOMPARE(messages.value(0).section("\r\n", 0, 2),
                 "Error|An error occurred during the printing of this bug report.\r\n"
                 "Please check the printer status.\r\n482");
    }
};

QTEST_MAIN(TestFrmErrorHandler)
#include "tst_frmerrorhandler.moc"
