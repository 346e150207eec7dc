// The error report window: ReportError, the keyboard and mouse rules, the bug
// log from the window, and the printed report.

#include "errors/frmerrorhandler.h"
#include "errors/printbugreport.h"
#include "errors/reporterror.h"
#include "testsupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

namespace {
template <typename T = QPushButton> T *child(QWidget *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// Closes the next modal window, noting "title|text" of a message box.
void closeNextModal(QStringList *seen)
{
    TestSupport::whenModalShown([seen](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            *seen << box->windowTitle() + '|' + box->text() +
                         (box->icon() == QMessageBox::Information ? "|i" : "");
        else if (auto *form = qobject_cast<frmErrorHandler *>(modal))
            *seen << form->proc() + '|' + form->errNumber();
        modal->close();
    });
}

// The printed text as pdftotext reads it back: a form feed ends each page.
QString printedText(const QString &pdfPath)
{
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
                  {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class TestFrmErrorHandler : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    QTemporaryDir m_workDir;
    int m_endProgramCalls = 0;

    QString logPath() const { return m_workDir.filePath(QStringLiteral("buglog.txt")); }

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        frmErrorHandler::EndProgram = [this] { ++m_endProgramCalls; };
    }

    void init()
    {
        m_endProgramCalls = 0;
        QDir(m_workDir.path()).removeRecursively();
        QDir().mkpath(m_workDir.path());
        QVERIFY(QDir::setCurrent(m_workDir.path()));
    }

    // ReportError fills the window and shows it modally; Log appends one line,
    // thanks the user and closes the window.
    void reportError_showsReport_logAppendsLineThanksUserAndCloses()
    {
        QString seen;
        QStringList messages;
        bool active = false, closedByLog = false;
        TestSupport::whenModalShown([&](QWidget *form) {
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
            closeNextModal(&messages);
            QTest::mouseClick(child(form, "cmdLogError"), Qt::LeftButton);
            closedByLog = !form->isVisible();
            if (!closedByLog)
                form->close();
        });
        QVERIFY(ReportError(53, QStringLiteral("File not found"),
                            QStringLiteral("ShellHyperlink in mdlConvert")));
        QCOMPARE(seen, QStringLiteral("Error Handler|Torvane Toolbar|1.2.0|ShellHyperlink in mdlConvert|53|"
                                      "File not found|txtReportedBy"));
        QVERIFY(active && closedByLog);
        QCOMPARE(
            messages,
            QStringList{"Thanks!|The bug report has been sent.\r\n\r\nWe appreciate your assistance!|i"});
        QFile log(logPath());
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QCOMPARE(text.count("\r\n"), 1);
        QVERIFY2(text.startsWith("\"Torvane Toolbar\",\"1.2.0\",\"53\",\"File not found\","
                                 "\"ShellHyperlink in mdlConvert\",\"line one line two\",\""),
                 qPrintable(text));
        QVERIFY2(text.endsWith(",\"Ann\"\r\n"), qPrintable(text));
    }

    void focus_movesFromNameToCommentsToButtons()
    {
        frmErrorHandler form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList order;
        for (int i = 0; i < 5; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order,
                 (QStringList{"txtReportedBy", "txtUserComments", "cmdLogError", "cmdPrint", "cmdExit"}));
        child<QPlainTextEdit>(&form, "txtErrDesc")->setFocus();
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtUserComments"));
    }

    void comments_refuseBothQuotes()
    {
        frmErrorHandler form;
        auto *comments = child<QPlainTextEdit>(&form, "txtUserComments");
        QTest::keyClicks(comments, QStringLiteral("it's \"fine\""));
        QCOMPARE(form.userComments(), QStringLiteral("its fine"));
        comments->clear();
        QApplication::clipboard()->setText(QStringLiteral("say \"hi\"\nit's me"));
        comments->paste();
        QCOMPARE(form.userComments(), QStringLiteral("say hi\nits me"));
    }

    void exit_closesOrEndsProgram_data()
    {
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("endsProgram");
        QTest::newRow("left click") << "left" << false;
        QTest::newRow("Esc") << "esc" << false;
        QTest::newRow("Enter on Exit") << "enter" << false;
        QTest::newRow("right press, then Esc") << "right esc" << true;
        QTest::newRow("right press, then left click") << "right left" << false;
        QTest::newRow("middle press, then Esc") << "middle esc" << false;
        QTest::newRow("right press, then log") << "right log" << true;
        QTest::newRow("log") << "log" << false;
    }
    void exit_closesOrEndsProgram()
    {
        QFETCH(QString, actions);
        QFETCH(bool, endsProgram);
        frmErrorHandler form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QPushButton *exit = child(&form, "cmdExit");
        QStringList messages;
        for (const QString &action : actions.split(' ')) {
            if (action == "left")
                QTest::mouseClick(exit, Qt::LeftButton);
            else if (action == "right")
                QTest::mousePress(exit, Qt::RightButton);
            else if (action == "middle")
                QTest::mousePress(exit, Qt::MiddleButton);
            else if (action == "esc")
                QTest::keyClick(&form, Qt::Key_Escape);
            else if (action == "enter") {
                exit->setFocus();
                QTest::keyClick(exit, Qt::Key_Return);
            } else if (action == "log") {
                closeNextModal(&messages);
                child(&form, "cmdLogError")->click();
            }
        }
        QCOMPARE(m_endProgramCalls, endsProgram ? 1 : 0);
        QCOMPARE(form.isVisible(), endsProgram);
    }

    void logFailure_opensSecondReportAndKeepsFirst()
    {
        QVERIFY(QDir().mkdir(logPath())); // a folder in the log's place cannot be opened
        QStringList seen;
        bool firstVisibleAfter = false;
        frmErrorHandler first;
        TestSupport::whenModalShown([&](QWidget *) {
            closeNextModal(&seen);
            child(&first, "cmdLogError")->click();
            firstVisibleAfter = first.isVisible();
            child(&first, "cmdExit")->click();
        });
        first.exec();
        QCOMPARE(seen, QStringList{"BugLog in frmErrorHandler|75"});
        QVERIFY(firstVisibleAfter);
    }

    void print_putsEveryEntryOnPaperInOrder_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("comments");
        QTest::addColumn<QStringList>("expectedTail");
        QTest::addColumn<bool>("severalPages");

        QTest::newRow("wrapped description")
            << "The conversion table could not be read because the file ended before its last record was "
               "complete"
            << "none"
            << QStringList{"ERRNUMBER=62",
                           "ERRDESC=The conversion table could not be read because the file ended",
                           "before its last record was complete", "USERCOMMENTS=none"}
            << false;
        QString notes;
        for (int i = 1; i <= 70; ++i)
            notes += QStringLiteral("note %1\n").arg(i);
        QTest::newRow("comments over pages")
            << "short" << notes.trimmed()
            << QStringList{"ERRNUMBER=62", "ERRDESC=short", "USERCOMMENTS=note 1", "note 2"} << true;
        // Too long for the paper: continued on the next line rather than cut off.
        QTest::newRow("unbroken description")
            << QString(150, u'x') << "none" << QStringList{"ERRNUMBER=62"} << false;
    }
    void print_putsEveryEntryOnPaperInOrder()
    {
        QFETCH(QString, description);
        QFETCH(QString, comments);
        QFETCH(QStringList, expectedTail);
        QFETCH(bool, severalPages);

        const BugReport report{"Torvane Toolbar",
                               "1.2.0",
                               "BugLog in frmErrorHandler",
                               "62",
                               description,
                               "Ann Lee",
                               comments,
                               QDateTime(QDate(2024, 3, 7), QTime(21, 5, 42))};
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageMargins(QMarginsF(0.5, 0.5, 0.5, 0.5), QPageLayout::Inch);
        printer.setOutputFileName(dir.filePath(QStringLiteral("report.pdf")));
        QVERIFY(RenderBugReport(printer, report, QLocale(QLocale::English, QLocale::UnitedStates)).isEmpty());
        QVERIFY(QFileInfo(printer.outputFileName()).size() > 0);

        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed; the printed text cannot be read back");
        const QString text = printedText(printer.outputFileName());
        QCOMPARE(text.count(u'\f') > 1, severalPages);
        QStringList lines;
        for (const QString &line : text.split(QRegularExpression("[\n\f]")))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        const QStringList head = {"APPLICATIONNAME=Torvane Toolbar", "DATE/TIME=03/07/2024 21:05:42",
                                  "APPLICATIONVERSION=1.2.0", "REPORTED BY=Ann Lee",
                                  "PROC=BugLog in frmErrorHandler"};
        QCOMPARE(lines.mid(0, head.size() + expectedTail.size()), head + expectedTail);
        QVERIFY(lines.last().endsWith(comments.section('\n', -1)));
        const QString joined = lines.join(QString()).remove(u' ');
        QVERIFY(joined.contains(QString("ERRDESC=" + description + "USERCOMMENTS=").remove(u' ')));
    }

    void printFailure_showsErrorMessage()
    {
        frmErrorHandler form;
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_workDir.filePath(QStringLiteral("missing/folder/report.pdf")));
        QStringList messages;
        closeNextModal(&messages);
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        form.printOn(printer);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith("Error|An error occurred during the printing of this bug report.\r\n"
                                        "Please check the printer status.\r\n482\r\n"),
                 qPrintable(messages[0]));
    }
};

QTEST_MAIN(TestFrmErrorHandler)
#include "tst_frmerrorhandler.moc"
