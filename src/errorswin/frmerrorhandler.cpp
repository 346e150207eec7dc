#include "errorswin/frmerrorhandler.h"

#include "core/settingsstore.h"
#include "core/tags.h"
#include "errorswin/printbugreport.h"
#include "widgets/artwork.h"
#include "widgets/busycursor.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/keys.h"
#include "widgets/printing.h"
#include "widgets/selectall.h"
#include "widgets/shellhyperlink.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QApplication>
#include <QDir>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace {
QString withoutQuotes(QString text)
{
    text.remove(QLatin1Char('\''));
    text.remove(QLatin1Char('"'));
    return text;
}

bool hasQuote(const QString &text)
{
    return text.contains(QLatin1Char('\'')) || text.contains(QLatin1Char('"'));
}

// Mouse buttons as the Exit button's tag records them: 1 left, 2 right, 4 middle.
int buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

// Positions and sizes in pixels (twips / 15).
constexpr int CaptionLeft = 8;
constexpr int CaptionWidth = 108;
constexpr int ValueLeft = 120;
constexpr int ValueWidth = 269;
constexpr int ValueHeight = 19;
constexpr QSize ClientSize(442, 390);
constexpr QSize ButtonSize(53, 41);
constexpr int ButtonTop = 336;
} // namespace

class CommentsEdit : public QPlainTextEdit
{
public:
    explicit CommentsEdit(QWidget *parent) : QPlainTextEdit(parent)
    {
        // Whatever way text comes in (keys, paste, drop, input method, undo),
        // what goes beyond the cap is taken back where it was inserted.
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            const int excess = document()->characterCount() - 1 - MaxUserCommentsLength;
            if (excess <= 0)
                return;
            QTextCursor cursor = textCursor();
            const int end =
                cursor.position() >= excess ? cursor.position() : document()->characterCount() - 1;
            cursor.setPosition(end - excess);
            cursor.setPosition(end, QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
            setTextCursor(cursor);
        });
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (hasQuote(event->text())) {
            const QString rest = withoutQuotes(event->text());
            if (!rest.isEmpty())
                insertPlainText(rest);
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }

    void insertFromMimeData(const QMimeData *source) override
    {
        // A paste or drop would otherwise slip past the key filter.
        if (!source->hasText()) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        // Only what fits under the cap goes in: a huge paste laid out whole
        // and only then cut back froze the window.
        const int used = document()->characterCount() - 1 - int(textCursor().selectedText().size());
        QString text = source->text();
        if (hasQuote(text))
            text = withoutQuotes(std::move(text));
        insertPlainText(text.left(std::max(0, MaxUserCommentsLength - used)));
        ensureCursorVisible();
    }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        if (!hasQuote(event->commitString())) {
            QPlainTextEdit::inputMethodEvent(event);
            return;
        }
        QInputMethodEvent filtered(event->preeditString(), event->attributes());
        filtered.setCommitString(withoutQuotes(event->commitString()), event->replacementStart(),
                                 event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&filtered);
    }
};

frmErrorHandler::frmErrorHandler(WindowContext &context, QWidget *parent)
    : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmErrorHandler"));
    KeepWindowPlace(context.settings(), this);
    AddHelpKey(m_context, this, QStringLiteral("errorreport.html"));
    setWindowTitle(QStringLiteral("Error Handler"));
    setAccessibleName(windowTitle());
    setWindowIcon(ProgramIcon());
    setFixedSize(ClientSize);
    buildControls();
    m_bugReportDateStamp = QDateTime::currentDateTime();
}

frmErrorHandler::~frmErrorHandler()
{
    restoreCursor();
}

void frmErrorHandler::buildControls()
{
    const QList<QLabel *> captionLabels = buildCaptions();
    buildValues(captionLabels);
    buildComments(captionLabels);
    buildButtons();

    setTabOrder(m_txtReportedBy, m_txtUserComments);
    setTabOrder(m_txtUserComments, m_cmdLogError);
    setTabOrder(m_cmdLogError, m_cmdPrint);
    setTabOrder(m_cmdPrint, m_cmdExit);
    m_txtReportedBy->setFocus();
}

// The captions down the left, Label1 to Label7.
QList<QLabel *> frmErrorHandler::buildCaptions()
{
    const QStringList captions = {QStringLiteral("Application:"),  QStringLiteral("Version:"),
                                  QStringLiteral("Procedure:"),    QStringLiteral("Reported by:"),
                                  QStringLiteral("Error number:"), QStringLiteral("Error description:"),
                                  QStringLiteral("User comments:")};
    const int captionTops[] = {16, 40, 64, 88, 116, 136, 216};
    QList<QLabel *> captionLabels;
    for (int i = 0; i < captions.size(); ++i) {
        auto *label = new QLabel(captions[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setAccessibleName(captions[i]);
        label->setGeometry(CaptionLeft, captionTops[i], CaptionWidth, ValueHeight);
        captionLabels << label;
    }
    return captionLabels;
}

// The report's values and the reporter's name.
void frmErrorHandler::buildValues(const QList<QLabel *> &captionLabels)
{
    auto valueLabel = [this](const char *name, const QString &accessibleName, int top) {
        auto *label = new QLabel(this);
        label->setObjectName(QLatin1String(name));
        label->setAccessibleName(accessibleName);
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        label->setGeometry(ValueLeft, top, ValueWidth, ValueHeight);
        return label;
    };
    m_lblApplication = valueLabel("lblApplication", QStringLiteral("Application"), 16);
    m_lblVersion = valueLabel("lblVersion", QStringLiteral("Version"), 40);
    m_lblProc = valueLabel("lblProc", QStringLiteral("Procedure"), 64);
    m_lblErrNumber = valueLabel("lblErrNumber", QStringLiteral("Error number"), 116);

    m_txtReportedBy = new QLineEdit(this);
    m_txtReportedBy->setObjectName(QStringLiteral("txtReportedBy"));
    m_txtReportedBy->setAccessibleName(QStringLiteral("Reported by"));
    m_txtReportedBy->setGeometry(ValueLeft, 88, ValueWidth, 22);
    m_txtReportedBy->installEventFilter(this);
    captionLabels[3]->setBuddy(m_txtReportedBy);

    // Readable and scrollable, never focused: the focus passes on to the comments.
    m_txtErrDesc = new QPlainTextEdit(this);
    m_txtErrDesc->setObjectName(QStringLiteral("txtErrDesc"));
    m_txtErrDesc->setAccessibleName(QStringLiteral("Error description"));
    m_txtErrDesc->setReadOnly(true);
    m_txtErrDesc->setFocusPolicy(Qt::NoFocus);
    m_txtErrDesc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtErrDesc->setGeometry(ValueLeft, 136, ValueWidth, 77);
    m_txtErrDesc->installEventFilter(this);
}

void frmErrorHandler::buildComments(const QList<QLabel *> &captionLabels)
{
    m_txtUserComments = new CommentsEdit(this);
    m_txtUserComments->setObjectName(QStringLiteral("txtUserComments"));
    m_txtUserComments->setAccessibleName(QStringLiteral("User comments"));
    m_txtUserComments->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_txtUserComments->setTabChangesFocus(true);
    m_txtUserComments->setGeometry(ValueLeft, 216, ValueWidth, 113);
    captionLabels[6]->setBuddy(m_txtUserComments);
    const QString capText =
        QStringLiteral("(at most %1 characters)").arg(QLocale().toString(MaxUserCommentsLength));
    m_txtUserComments->setAccessibleDescription(capText);
    auto *capLabel = new QLabel(capText, this);
    capLabel->setObjectName(QStringLiteral("lblCommentsLimit"));
    capLabel->setAccessibleName(capText);
    capLabel->setWordWrap(true);
    capLabel->setGeometry(CaptionLeft, 216 + ValueHeight, CaptionWidth, 2 * ValueHeight + 4);
}

// Log, Print and Exit.
void frmErrorHandler::buildButtons()
{
    auto pictureButton = [this](const char *name, const char *art, const QString &hint, int left) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setIcon(ArtIcon(QLatin1String(art)));
        button->setIconSize(QSize(32, 32));
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoDefault(false);
        button->setGeometry(QRect(QPoint(left, ButtonTop), ButtonSize));
        button->installEventFilter(this);
        EnterClicksWhenFocused(button);
        SetTag(button, QString());
        return button;
    };
    m_cmdLogError = pictureButton("cmdLogError", "envelope", QStringLiteral("E-mail bug report"), 224);
    m_cmdPrint = pictureButton("cmdPrint", "pagestack", QStringLiteral("Print bug report"), 280);
    m_cmdExit = pictureButton("cmdExit", "exitarrow", QStringLiteral("Exit bug report form"), 336);

    connect(m_cmdLogError, &QPushButton::clicked, this, &frmErrorHandler::cmdLogError_Click);
    connect(m_cmdPrint, &QPushButton::clicked, this, [this] { PrintBugReport(); });
    connect(m_cmdExit, &QPushButton::clicked, this, &frmErrorHandler::cmdExit_Click);
}

void frmErrorHandler::setApplicationName(const QString &name)
{
    m_applicationName = name;
    ShowValue(m_lblApplication, name);
}

void frmErrorHandler::setApplicationVersion(const QString &version)
{
    m_applicationVersion = version;
    ShowValue(m_lblVersion, version);
}

void frmErrorHandler::setProc(const QString &proc)
{
    m_proc = proc;
    ShowValue(m_lblProc, proc);
    m_lblProc->setToolTip(proc);
}

void frmErrorHandler::setErrNumber(const QString &number)
{
    m_errNumber = number;
    ShowValue(m_lblErrNumber, number);
}

void frmErrorHandler::setErrDesc(const QString &description)
{
    m_errDesc = description;
    m_txtErrDesc->setPlainText(description);
}

void frmErrorHandler::setReportedBy(const QString &name)
{
    m_reportedBy = name;
    if (m_txtReportedBy->text() != name)
        m_txtReportedBy->setText(name);
}

QString frmErrorHandler::userComments() const
{
    return m_txtUserComments->toPlainText();
}

BugReport frmErrorHandler::report() const
{
    return {m_applicationName, m_applicationVersion, m_proc,         m_errNumber,
            m_errDesc,         m_reportedBy,         userComments(), m_bugReportDateStamp};
}

bool frmErrorHandler::BugLog()
{
    // The name box normally commits on losing the focus; take what it holds
    // now too, so a name typed just before logging is never lost.
    setReportedBy(m_txtReportedBy->text().trimmed());
    BugLogError failure;
    const QByteArray line = BugLogLine(report(), QDateTime::currentDateTime(), QLocale());
    const QString log = m_context.userFile(QString::fromLatin1(BugLogFileName));
    const QString where = QDir::toNativeSeparators(log);
    if (!AppendBugLogLine(log, line, &failure)) {
        // One message over this window, which stays open for printing.
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Bug report not saved"),
                        QStringLiteral("The bug report could not be saved to %1: %2 (error %3).\r\n\r\n"
                                       "Nothing has been sent. The report stays open, so you can print it.")
                            .arg(where, failure.description)
                            .arg(failure.number),
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("msgBugLogFailed"));
        box.exec();
        return false;
    }
    const QString address = QString::fromLatin1(BugReportAddress);
    // The desktop takes the link and starts the mail program on its own: it
    // never says whether that program opened, so the message says only that
    // it was asked to.
    const bool mailAsked = HandToDesktop(m_context, BugReportMail(report(), address, QLocale()));
    const QString mail =
        mailAsked ? QStringLiteral("Your mail program was asked to open with the report filled in; send the "
                                   "mail from there to reach us. If no mail program opens, nothing has been "
                                   "sent: mail that file to %1.")
                  : QStringLiteral("Your mail program could not be opened, so nothing has been sent. To send "
                                   "the report, mail that file to %1.");
    QMessageBox thanks(QMessageBox::Information,
                       mailAsked ? QStringLiteral("Bug report saved")
                                 : QStringLiteral("Bug report saved, not sent"),
                       QStringLiteral("The bug report has been saved to %1.\r\n\r\n%2\r\n\r\n"
                                      "We appreciate your assistance!")
                           .arg(where, mail.arg(address)),
                       QMessageBox::Ok, this);
    thanks.setObjectName(QStringLiteral("msgThanks"));
    thanks.exec();
    return true;
}

bool frmErrorHandler::PrintBugReport()
{
    const PrintJob job{QStringLiteral("dlgPrint"), QString(), QString(), QPageLayout(),
                       [this](QPagedPaintDevice &printer) {
                           printOn(printer); // tells its own failures
                           return true;
                       }};
    return Print(this, m_context, job) == PrintOutcome::Printed;
}

void frmErrorHandler::printOn(QPagedPaintDevice &printer)
{
    setReportedBy(m_txtReportedBy->text().trimmed());
    QList<PrintFailure> failures;
    {
        const BusyCursor busy;
        failures = RenderBugReport(printer, report());
    }
    for (const PrintFailure &failure : failures) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Error"),
                        QStringLiteral("An error occurred during the printing of this bug report.\r\n"
                                       "Please check the printer status.\r\n") +
                            QString::number(failure.number) + QStringLiteral("\r\n") + failure.description,
                        QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("msgPrintError"));
        box.exec();
    }
}

void frmErrorHandler::cmdLogError_Click()
{
    if (BugLog())
        cmdExit_Click();
}

void frmErrorHandler::cmdExit_Click()
{
    if (m_cmdExit->property(TagProperty).toString().trimmed().toInt() == 2) {
        m_context.endProgramNow();
        return;
    }
    QDialog::reject();
}

bool frmErrorHandler::event(QEvent *event)
{
    // An hourglass left by the code that failed gives way to the arrow while
    // the report is up, and comes back when it closes.
    if (event->type() == QEvent::WindowActivate && !m_arrowCursorPushed && QApplication::overrideCursor() &&
        QApplication::overrideCursor()->shape() != Qt::ArrowCursor) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        m_arrowCursorPushed = true;
    }
    return QDialog::event(event);
}

bool frmErrorHandler::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtReportedBy) {
        if (event->type() == QEvent::FocusIn)
            SelectAllText(m_txtReportedBy);
        else if (event->type() == QEvent::FocusOut)
            setReportedBy(m_txtReportedBy->text().trimmed());
    } else if (watched == m_txtErrDesc) {
        if (event->type() == QEvent::FocusIn)
            m_txtUserComments->setFocus(Qt::OtherFocusReason);
    } else if (watched == m_cmdExit &&
               (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        SetTag(m_cmdExit, QString::number(buttonCode(static_cast<QMouseEvent *>(event)->button())));
    }
    return QDialog::eventFilter(watched, event);
}

void frmErrorHandler::keyPressEvent(QKeyEvent *event)
{
    // Esc is a click on the Exit button, with the Exit button's rules.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cmdExit->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmErrorHandler::done(int result)
{
    restoreCursor();
    QDialog::done(result);
}

void frmErrorHandler::restoreCursor()
{
    if (m_arrowCursorPushed) {
        m_arrowCursorPushed = false;
        QApplication::restoreOverrideCursor();
    }
}

void ShowErrorReport(WindowContext &context, int errNumber, const QString &errDesc, const QString &procLabel)
{
    // A report raised from inside an open report window opens over it; the
    // first window stays usable once this one closes.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    frmErrorHandler form(context, owner);
    form.setApplicationName(Settings::ApplicationName);
    form.setApplicationVersion(QStringLiteral(TORVANE_VERSION_TEXT));
    form.setProc(procLabel);
    form.setErrNumber(QString::number(errNumber));
    form.setErrDesc(errDesc);
    form.exec();
}
