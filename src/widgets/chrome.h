#pragma once
// What every calculator window carries: the Options and Help menus, the
// maker's logo, and the help contents.

#include "widgets/picturebutton.h"

#include <QObject>
#include <QString>
#include <QWidget>

#include <functional>

class QAction;
class QMenu;
class QMenuBar;

// Opens the help window (owned by owner) on its contents page.
void OpenHelpContents(QWidget *owner);
// F1 in window opens its help window on page ("unitcalc.html", or with an
// anchor, "inertia.html#defaults"), beside the window.
void AddHelpKey(QWidget *window, const QString &page);

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
