#pragma once
// Links handed to the desktop: web pages and mail addresses, opened from link
// labels and help pages.

#include <QString>

#include <functional>

class QLabel;
class QUrl;
class QWidget;

// Error numbers ShellHyperlink reports: a target that is not a usable link,
// and a failure thrown by the link opener itself.
inline constexpr int InvalidLinkError = 5;
inline constexpr int LinkOpenerError = 51;
inline constexpr char ShellHyperlinkProc[] = "ShellHyperlink in mdlConvert";

// Opens target with the desktop's handler (QDesktopServices::openUrl), with the
// busy cursor around it; true when accepted. An invalid target or an exception
// inside goes to ReportError("ShellHyperlink in mdlConvert") and gives false.
bool ShellHyperlink(const QString &target);

// Hands url to the desktop's handler, with the busy cursor around it; true
// when it was accepted. Unlike ShellHyperlink it never reports: a failure
// inside gives false, for callers that tell the user what happened.
bool HandToDesktop(const QUrl &url);

// Tests replace the desktop opener so no browser or mail client starts; an
// empty function restores QDesktopServices::openUrl.
using UrlOpener = std::function<bool(const QUrl &)>;
void SetUrlOpenerForTesting(UrlOpener opener);

// ShellHyperlink, then the "Hyperlink Aborted" message when it fails; true
// when the link was opened.
bool OpenLink(const QString &target, QWidget *messageParent);

// Link-label click: P = the label's "Protocol" tag entry; nothing when empty.
// Target = P + caption (appendCaption) or P alone. A refused link shows
// "Unable to open hyperlink at this time." titled "Hyperlink Aborted".
void OpenLinkLabel(QLabel *label, bool appendCaption, QWidget *messageParent);

// The link a label opens: protocol + caption, or protocol alone; empty when
// the label has no protocol.
QString LinkLabelTarget(const QString &protocol, const QString &caption, bool appendCaption);
