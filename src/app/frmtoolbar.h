#pragma once
// The launcher strip: the maker's logo and four picture buttons that open the
// calculator windows, with an icon in the notification area. Closing the strip
// only hides it; the tray icon shows it again, its menu opens every window, and
// its "Exit" (or Ctrl+Q in the strip) ends the program.

#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/picturebutton.h"

#include <QAbstractButton>
#include <QPointer>
#include <QWidget>

#include <memory>

class LogoButton;
class frmAxisSizing;
class QAbstractNativeEventFilter;
class QAction;
class QDialog;
class QMenu;
class QSystemTrayIcon;
class WindowContext;

// A launcher button: up and pressed faces, a native hint, and the string id
// of the caption hint shown while the mouse moves over it.
class LauncherButton : public PictureButton
{
    Q_OBJECT
public:
    LauncherButton(const QString &objectName, const QString &face, int hintId, const QString &nativeHint,
                   QWidget *parent);
    int hintId() const { return m_hintId; }

Q_SIGNALS:
    void hovered();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    int m_hintId;
};

class frmToolbar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool QuitFromSysTray READ quitFromSysTray WRITE setQuitFromSysTray)
public:
    explicit frmToolbar(WindowContext &context, QWidget *parent = nullptr);
    ~frmToolbar() override;

    bool quitFromSysTray() const { return m_quitFromSysTray; }
    void setQuitFromSysTray(bool quit) { m_quitFromSysTray = quit; }

    // Shows the strip again and keeps it above other windows (tray left click).
    void restoreFromTray();
    // A second start of the program: shows the strip, raises it and gives it
    // the keyboard, or to the window open over it.
    void showForAnotherStart();
    // A file to open in the axis window (given at start or by a second
    // start): the open axis window takes it, or a new one opens with it.
    void openAxisFile(const QString &path);
    // The tray menu's "Exit": closes the calculators, saves the position, ends.
    void exitFromTray();

    QSystemTrayIcon *trayIcon() const { return m_tray; }
    QMenu *trayMenu() const { return m_mnuFile; }
    // The window the strip opened and waits for; null when none is open.
    QWidget *toolWindow() const;
    // Brings the open window (or the one open over it) to the front, restored
    // when minimised: what a click on the tray icon does while one is open.
    void bringToolWindowToFront();
    // Shows a window the strip opens, modal as it always is, but as a window
    // of its own (its own taskbar entry; minimising it leaves the strip) and
    // beside the strip; the tray icon says it is open until it closes.
    void runToolWindow(QDialog &window);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    void restorePosition();
    void keepOnScreen();
    void savePosition();
    QString launcherCaption(const LauncherButton *button) const;
    void showHint(const LauncherButton *button);
    void resetCaption(const QString &caption);
    void openUnits();
    void openInertia();
    void openDensity();
    void openTrig();
    void openAxis();
    void openAxisWindow(const QString &path);
    void openHelp();
    // What the strip's buttons, the tray menu's window entries and a click
    // on the tray icon do: open runs only while no window is open; otherwise
    // the open one comes back to the front, restored if it was minimised.
    void openOrBringBack(void (frmToolbar::*open)());
    // The tray menu's "Show toolbar": the strip, and in front of it the
    // window it waits for, if one is open.
    void showFromTrayMenu();
    // The tray icon's picture and tip: the program's, or marked with the
    // open window's name.
    void showToolWindowInTray();
    void buildLaunchers();
    void buildTrayMenu();
    void buildTrayIcon();
    // Reads the unit table the windows convert with.
    void loadUnitTable();
    // A table that did not load whole, or files left in a former data folder,
    // told once in the tray.
    void tellStartProblems();

    WindowContext &m_context;
    bool m_quitFromSysTray = false;
    bool m_awaitingFrame = true;
    LauncherButton *m_cmdUnits;
    LauncherButton *m_cmdInertia;
    LauncherButton *m_cmdAxis = nullptr;
    QPointer<frmAxisSizing> m_axisWindow;
    QPointer<QDialog> m_toolWindow;
    LauncherButton *m_cmdDensity;
    LauncherButton *m_cmdTrig;
    LogoButton *m_cmdLogo;
    QSystemTrayIcon *m_tray;
    QMenu *m_mnuFile;
    QList<QAction *> m_windowEntries;
    // Tells of presses on the strip while the open window blocks it.
    std::unique_ptr<QAbstractNativeEventFilter> m_blockedPresses;
    QAction *m_mnuFileExit;
};
