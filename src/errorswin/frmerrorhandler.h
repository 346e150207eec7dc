#pragma once
// The error report window: which application, version and procedure failed,
// the error number and description, and the user's name and comments; the
// report goes to the bug log file or to a printer.

#include "errors/bugreport.h"

#include <QDateTime>
#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPagedPaintDevice;
class QPushButton;
class WindowContext;

// The comments box: the two quote characters are refused as typed and
// dropped from pasted or dropped text.
class CommentsEdit;

class frmErrorHandler : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(QString ApplicationName READ applicationName WRITE setApplicationName)
    Q_PROPERTY(QString ApplicationVersion READ applicationVersion WRITE setApplicationVersion)
    Q_PROPERTY(QString Proc READ proc WRITE setProc)
    Q_PROPERTY(QString ErrNumber READ errNumber WRITE setErrNumber)
    Q_PROPERTY(QString ErrDesc READ errDesc WRITE setErrDesc)
    Q_PROPERTY(QString ReportedBy READ reportedBy WRITE setReportedBy)
    Q_PROPERTY(QString UserComments READ userComments)
    Q_PROPERTY(QDateTime BugReportDateStamp READ bugReportDateStamp)
public:
    explicit frmErrorHandler(WindowContext &context, QWidget *parent = nullptr);
    ~frmErrorHandler() override;

    QString applicationName() const { return m_applicationName; }
    void setApplicationName(const QString &name);
    QString applicationVersion() const { return m_applicationVersion; }
    void setApplicationVersion(const QString &version);
    QString proc() const { return m_proc; }
    void setProc(const QString &proc);
    QString errNumber() const { return m_errNumber; }
    void setErrNumber(const QString &number);
    QString errDesc() const { return m_errDesc; }
    void setErrDesc(const QString &description);
    QString reportedBy() const { return m_reportedBy; }
    void setReportedBy(const QString &name);
    QString userComments() const;
    QDateTime bugReportDateStamp() const { return m_bugReportDateStamp; }

    // The report as the window holds it now.
    BugReport report() const;

    // Appends the report to the bug log, opens the user's mail program with
    // the report filled in, and says what happened (where it was saved, and
    // whether the desktop took the mail link). A log that cannot be written is said in one
    // message over this window, which stays open; then it gives false.
    bool BugLog();
    // Asks for a printer (or a PDF file), then prints the report.
    bool PrintBugReport();
    // Prints the report on printer; each failing step shows the "Error" message.
    void printOn(QPagedPaintDevice &printer);

    void done(int result) override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildControls();
    QList<QLabel *> buildCaptions();
    void buildValues(const QList<QLabel *> &captionLabels);
    void buildComments(const QList<QLabel *> &captionLabels);
    void buildButtons();
    void cmdLogError_Click();
    void cmdExit_Click();
    void restoreCursor();

    WindowContext &m_context;
    QString m_applicationName;
    QString m_applicationVersion;
    QString m_proc;
    QString m_errNumber;
    QString m_errDesc;
    QString m_reportedBy;
    QDateTime m_bugReportDateStamp;
    bool m_arrowCursorPushed = false;

    QLabel *m_lblApplication = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblProc = nullptr;
    QLabel *m_lblErrNumber = nullptr;
    QLineEdit *m_txtReportedBy = nullptr;
    QPlainTextEdit *m_txtErrDesc = nullptr;
    CommentsEdit *m_txtUserComments = nullptr;
    QPushButton *m_cmdLogError = nullptr;
    QPushButton *m_cmdPrint = nullptr;
    QPushButton *m_cmdExit = nullptr;
};

// Fills a new error report window and shows it modally over the active window.
void ShowErrorReport(WindowContext &context, int errNumber, const QString &errDesc, const QString &procLabel);
