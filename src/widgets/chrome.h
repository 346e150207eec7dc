#pragma once
// What the calculator and information windows share: link opening, select-all
// on focus, the calculator menus and logo, and the help contents.

#include "widgets/artwork.h"

#include <QLabel>
#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QLineEdit;
class QMenu;
class QMenuBar;
class QUrl;

// Error numbers ShellHyperlink reports: a target that is not a usable link,
// and a failure thrown by the link opener itself.
inline constexpr int InvalidLinkError = 5;
inline constexpr int LinkOpenerError = 51;
inline constexpr char ShellHyperlinkProc[] = "ShellHyperlink in mdlConvert";

// Opens target with the desktop's handler (QDesktopServices::openUrl), with the
// busy cursor around it; true when accepted. An invalid target or an exception
// inside goes to ReportError("ShellHyperlink in mdlConvert") and gives false.
bool ShellHyperlink(const QString &target);

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

// Selects the whole text of the box.
void SelectAllText(QLineEdit *box);

// Calls SelectAllText whenever the box gains the focus, by keyboard or by a
// mouse click (a click's own caret placement would otherwise undo it).
void SelectAllOnFocus(QLineEdit *box);

// Opens the help window (owned by owner) on its contents page.
void OpenHelpContents(QWidget *owner);

// A label that acts on a click: clicked() on a left click and, when it is
// drawn as a link, on Enter or Space while it has the keyboard focus.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // A link is blue, shows the pointing hand and is a tab stop; otherwise the
    // label keeps the default look and takes no focus.
    void setLinkAppearance(bool link);
    bool hasLinkAppearance() const { return m_link; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateUnderline();

    bool m_link = false;
    bool m_pressed = false;
    bool m_hovered = false;
};

// The Options and Help menus every calculator window carries, with object
// names and captions set. The window chooses which entries are visible and
// connects to the signals; "Contents" and "About" open their windows here.
// mnuHelpSearch starts hidden; every other entry starts visible.
class CalculatorMenus : public QObject
{
    Q_OBJECT
public:
    CalculatorMenus(QMenuBar *menuBar, QWidget *window);

    // "Offset=n;" tag of each entry (string id = the window's FormOffset + n);
    // 0 leaves an entry without a tag. Tags differ per window, so each window
    // passes its own, e.g. the unit calculator
    // {.options = 3, .selectLanguage = 4, .tooltips = 5, .selectWallpaper = 11,
    //  .help = 7, .helpContents = 9, .helpSearch = 10, .helpAboutToolbar = 8}.
    struct Offsets
    {
        int options = 0;
        int selectLanguage = 0;
        int tooltips = 0;
        int selectWallpaper = 0;
        int help = 0;
        int helpContents = 0;
        int helpSearch = 0;
        int helpAboutToolbar = 0;
    };
    void setOffsetTags(const Offsets &offsets);

    // The menus themselves, for a window that adds entries of its own
    // (the inertia calculator's "Set default units").
    QMenu *optionsMenu() const { return m_optionsMenu; }
    QMenu *helpMenu() const { return m_helpMenu; }

    QAction *mnuOptions = nullptr;
    QAction *mnuOptionsSelectLanguage = nullptr;
    QAction *mnuOptionsTooltips = nullptr;
    QAction *mnuOptionsSelectWallpaper = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *mnuHelpSearch = nullptr;
    QAction *mnuHelpBreak = nullptr;
    QAction *mnuHelpAboutToolbar = nullptr;

Q_SIGNALS:
    // Emitted after the help window has opened or the about window has
    // closed, so the window can put its focus back where it wants it.
    void helpContentsDone();
    void aboutDone();
    // After the Tooltips check mark flipped and the window's tag hints were
    // shown or hidden to match.
    void tooltipsToggled(bool checked);

private:
    void onTooltipsTriggered(bool checkedByMenu);

    QWidget *m_window;
    QMenu *m_optionsMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
};

// The maker's logo as a clickable, focusable control (imgLogo, drawn from the
// logo SVG): a click, Space or Enter opens frmCompanyInfo modally, then
// emits companyInfoClosed() so the window can put its focus back.
class LogoButton : public PictureButton
{
    Q_OBJECT
public:
    explicit LogoButton(QWidget *parent = nullptr);

Q_SIGNALS:
    void companyInfoClosed();

private:
    void openCompanyInfo();
};
