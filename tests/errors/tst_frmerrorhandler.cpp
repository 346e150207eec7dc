// The error report window: the Exit button's mouse rules, the bug log from
// the window, and the printed report. The report shown, logged, and a log
// that cannot be written are checked end to end (e2e_errorreport).

#include "errorswin/frmerrorhandler.h"
#include "errorswin/printbugreport.h"
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

    // The message says where the report was saved and only what is known of
    // the mail: the desktop was asked to open the mail program, or it refused
    // (or failed on) the link. It never says the mail program opened, which no
    // one here can know (e2e_errorreport, e2e_mailreport).
    void log_saysWhereItSavedAndWhatWasAskedOfTheMail_data()
    {
        QTest::addColumn<int>("opener"); // 1 takes the link, 0 refuses it, -1 throws
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("mail");
        const QString notSent = QStringLiteral("Your mail program could not be opened, so nothing has been "
                                               "sent. To send the report, mail that file to "
                                               "appsupport@velmora.example.");
        QTest::newRow("taken") << 1 << "Bug report saved"
                               << "Your mail program was asked to open with the report filled in; send the "
                                  "mail from there to reach us. If no mail program opens, nothing has been "
                                  "sent: mail that file to appsupport@velmora.example.";
        QTest::newRow("refused") << 0 << "Bug report saved, not sent" << notSent;
        QTest::newRow("failed") << -1 << "Bug report saved, not sent" << notSent;
    }
    void log_saysWhereItSavedAndWhatWasAskedOfTheMail()
    {
        QFETCH(int, opener);
        QFETCH(QString, title);
        QFETCH(QString, mail);
        m_mail.answer = [opener] {
            if (opener < 0)
                throw std::runtime_error("no mail program");
            return opener > 0;
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
        QCOMPARE(messages, QStringList(title + "|The bug report has been saved to " + bugLog() + ".\r\n\r\n" +
                                       mail + "\r\n\r\nWe appreciate your assistance!|i"));
        QCOMPARE(m_mail.opened.size(), 1);
    }

    // Typed quotes are refused end to end (e2e_errorreport); pasted ones too.
    void comments_refuseBothQuotes()
    {
        frmErrorHandler form(m_context);
        auto *comments = child<QPlainTextEdit>(&form, "txtUserComments");
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
