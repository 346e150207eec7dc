#include "widgets/shellhyperlink.h"

#include "core/tags.h"
#include "widgets/busycursor.h"
#include "widgets/windowcontext.h"

#include <QLabel>
#include <QMessageBox>
#include <QUrl>

#include <exception>

namespace {

// Why target cannot be opened, or empty when it is a usable link. A usable
// link parses strictly and names its scheme (http:, mailto:, ...).
QString invalidLinkReason(const QString &target, QUrl *url)
{
    if (target.trimmed().isEmpty())
        return QStringLiteral("The link is empty.");
    *url = QUrl(target.trimmed(), QUrl::StrictMode);
    if (!url->isValid())
        return QStringLiteral("\"%1\" is not a valid link: %2").arg(target, url->errorString());
    if (url->isRelative())
        return QStringLiteral("\"%1\" is not a link: it names no scheme such as http: or mailto:.")
            .arg(target);
    return {};
}

} // namespace

namespace {

enum class LinkOutcome { Opened, Refused, Reported };

// ShellHyperlink's work, telling a link the desktop refused from one whose
// failure went to the error report.
LinkOutcome openOrReport(const WindowContext &context, const QString &target)
{
    bool opened = false;
    int errNumber = 0;
    QString errDesc;
    {
        BusyCursor busy;
        QUrl url;
        errDesc = invalidLinkReason(target, &url);
        if (!errDesc.isEmpty()) {
            errNumber = InvalidLinkError;
        } else {
            try {
                opened = context.openUrl(url);
            } catch (const std::exception &error) {
                errNumber = LinkOpenerError;
                errDesc = QString::fromLocal8Bit(error.what());
            } catch (...) {
                errNumber = LinkOpenerError;
                errDesc = QStringLiteral("The link could not be handed to the desktop.");
            }
        }
    }
    // The cursor is back to normal before the report window opens.
    if (errNumber != 0) {
        context.reportError(errNumber, errDesc, QString::fromLatin1(ShellHyperlinkProc));
        return LinkOutcome::Reported;
    }
    return opened ? LinkOutcome::Opened : LinkOutcome::Refused;
}

} // namespace

bool ShellHyperlink(const WindowContext &context, const QString &target)
{
    return openOrReport(context, target) == LinkOutcome::Opened;
}

bool HandToDesktop(const WindowContext &context, const QUrl &url)
{
    const BusyCursor busy;
    try {
        return context.openUrl(url);
    } catch (...) {
        return false;
    }
}

bool OpenLink(const WindowContext &context, const QString &target, QWidget *messageParent)
{
    const LinkOutcome outcome = openOrReport(context, target);
    // A failure the error report has shown is told once: no message follows it.
    if (outcome != LinkOutcome::Refused)
        return outcome == LinkOutcome::Opened;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hyperlink Aborted"),
                    QStringLiteral("Unable to open hyperlink at this time."), QMessageBox::Ok, messageParent);
    box.setObjectName(QStringLiteral("msgHyperlinkAborted"));
    // The address, selectable by mouse and keyboard, so the user can copy it
    // into a browser or mail program by hand.
    box.setInformativeText(target.trimmed());
    if (auto *address = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_informativelabel"))) {
        address->setTextFormat(Qt::PlainText);
        address->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    }
    box.exec();
    return false;
}

QString LinkLabelTarget(const QString &protocol, const QString &caption, bool appendCaption)
{
    if (protocol.isEmpty())
        return {};
    return appendCaption ? protocol + caption : protocol;
}

void OpenLinkLabel(const WindowContext &context, QLabel *label, bool appendCaption, QWidget *messageParent)
{
    if (!label)
        return;
    const QString target =
        LinkLabelTarget(GetTagValue(label, QStringLiteral("Protocol")), label->text(), appendCaption);
    if (target.isEmpty())
        return;
    OpenLink(context, target, messageParent ? messageParent : label->window());
}
