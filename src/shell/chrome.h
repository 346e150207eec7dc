#pragma once
// What the calculator and information windows share: link opening, select-all
// on focus, the calculator menus and logo, and the help contents.

#include <QObject>
#include <QWidget>
#include <QString>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QWidget;

// Opens target with the desktop's handler (QDesktopServices::openUrl), with the
// busy cursor around it; true when accepted. An exception or error inside goes
// to ReportError("ShellHyperlink in mdlConvert") and gives false.
bool ShellHyperlink(const QString &target);

// Link-label click: P = the label's "Protocol" tag entry; nothing when empty.
// Target = P + caption (appendCaption) or P alone. A refused link shows
// "Unable to open hyperlink at this time." titled "Hyperlink Aborted".
void OpenLinkLabel(QLabel *label, bool appendCaption, QWidget *messageParent);

// Selects the whole text of the box.
void SelectAllText(QLineEdit *box);

// Opens the help window (owned by owner) on its contents page.
void OpenHelpContents(QWidget *owner);

// The Options and Help menus every calculator window carries, with object
// names, captions and tags set. The window chooses which entries are visible
// and connects to the signals; "Contents" and "About" open their windows here.
class CalculatorMenus : public QObject
{
    Q_OBJECT
public:
    CalculatorMenus(QMenuBar *menuBar, QWidget *window);

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
    // Emitted after the help or about window has closed, so the window can
    // put its focus back where it wants it.
    void helpContentsDone();
    void aboutDone();
    void tooltipsToggled(bool checked);

private:
    QWidget *m_window;
};

// The maker's logo as a clickable, focusable control (imgLogo, drawn from the
// logo SVG): a click, Space or Enter opens frmCompanyInfo modally, then
// emits companyInfoClosed() so the window can put its focus back.
class LogoButton : public QWidget
{
    Q_OBJECT
public:
    explicit LogoButton(QWidget *parent = nullptr);
    QSize sizeHint() const override;

Q_SIGNALS:
    void companyInfoClosed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openCompanyInfo();
};
