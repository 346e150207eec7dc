#pragma once
// Links handed to the desktop: web pages and mail addresses, opened from link
// labels and help pages.

#include <QString>

class QLabel;
class QUrl;
class QWidget;
class WindowContext;

// Error numbers ShellHyperlink reports: a target that is not a usable link,
// and a failure thrown by the link opener itself.
inline constexpr int InvalidLinkError = 5;
inline constexpr int LinkOpenerError = 51;
inline constexpr char ShellHyperlinkProc[] = "ShellHyperlink in mdlConvert";

// Opens target with the context's link opener (the desktop's handler), with
// the busy cursor around it; true when accepted. An invalid target or an
// exception inside goes to the error report ("ShellHyperlink in mdlConvert")
// and gives false.
bool ShellHyperlink(const WindowContext &context, const QString &target);

// Hands url to the context's link opener (the desktop's handler), with the
// busy cursor around it; true when it was accepted. Unlike ShellHyperlink it
// never reports: a failure inside gives false, for callers that tell the user
// what happened.
bool HandToDesktop(const WindowContext &context, const QUrl &url);

// ShellHyperlink, then the "Hyperlink Aborted" message when the desktop
// refused the link (a failure the error report showed is not told again);
// true when the link was opened.
bool OpenLink(const WindowContext &context, const QString &target, QWidget *messageParent);

// Link-label click: P = the label's "Protocol" tag entry; nothing when empty.
// Target = P + caption (appendCaption) or P alone. A refused link shows
// "Unable to open hyperlink at this time." titled "Hyperlink Aborted".
void OpenLinkLabel(const WindowContext &context, QLabel *label, bool appendCaption, QWidget *messageParent);

// The link a label opens: protocol + caption, or protocol alone; empty when
// the label has no protocol.
QString LinkLabelTarget(const QString &protocol, const QString &caption, bool appendCaption);
