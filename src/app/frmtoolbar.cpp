#include "app/frmtoolbar.h"

#include "app/blockedpresswatch.h"
#include "axiswin/frmaxissizing.h"
#include "core/stringtable.h"
#include "core/toolbarposition.h"
#include "densitieswin/frmdensityselect.h"
#include "inertiawin/frminertiacalc.h"
#include "infowin/frmintegral.h"
#include "unitcalcwin/frmunitcalculator.h"
#include "units/conversiontable.h"
#include "widgets/chrome.h"
#include "widgets/picturebutton.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>

namespace {

const QString FixedCaption = QStringLiteral("Torvane Toolbar");

// Caption hints, by string id.
constexpr int HintUnits = 1999;
constexpr int HintInertia = 1998;
constexpr int HintDensity = 1997;
constexpr int HintTrig = 1992;
constexpr int HintToolbar = 1994;

// The strip's designed layout, in pixels (twips / 15).
constexpr int StripWidth = 344;
constexpr int StripHeight = 36;

} // namespace

LauncherButton::LauncherButton(const QString &objectName, const QString &face, int hintId,
                               const QString &nativeHint, QWidget *parent)
    : PictureButton(face + QStringLiteral("_up"), face + QStringLiteral("_down"), QSize(36, 36), parent),
      m_hintId(hintId)
{
    setObjectName(objectName);
    setToolTip(nativeHint);
    setAccessibleName(nativeHint);
    setMouseTracking(true);
}

void LauncherButton::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT hovered();
    PictureButton::mouseMoveEvent(event);
    // Keep the move from reaching the strip's background, which would put
    // the program's name back at once.
    event->accept();
}

frmToolbar::frmToolbar(WindowContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmToolbar"));
    AddHelpKey(context, this, QStringLiteral("toolbar.html"));
    setWindowTitle(FixedCaption);
    setWindowIcon(ProgramIcon());
    setFixedSize(StripWidth, StripHeight);
    setMouseTracking(true);
    setAccessibleName(FixedCaption);

    buildLaunchers();
    buildTrayMenu();
    buildTrayIcon();
    restorePosition();
    loadUnitTable();
    tellStartProblems();
    // A click on the strip brings the window it waits for to the front, and
    // back from the taskbar if the user minimised it. Once the X events read
    // with the press have reached the windows: a minimise just before it is
    // known then.
    m_blockedPresses = std::make_unique<BlockedPressWatch>(*this, [this] {
        QTimer::singleShot(0, this, [this] {
            if (m_toolWindow)
                bringToolWindowToFront();
        });
    });
    QCoreApplication::instance()->installNativeEventFilter(m_blockedPresses.get());
}

frmToolbar::~frmToolbar() = default;

// The logo at the left and the launcher buttons in a row at the right.
void frmToolbar::buildLaunchers()
{
    // The same logo control the calculators carry; it opens the contact window.
    m_cmdLogo = new LogoButton(m_context, this);
    m_cmdLogo->setObjectName(QStringLiteral("cmdLogo"));
    m_cmdLogo->move(0, 0);

    m_cmdUnits = new LauncherButton(QStringLiteral("cmdUnits"), QStringLiteral("units"), HintUnits,
                                    QStringLiteral("Click to activate units calculator"), this);
    m_cmdInertia = new LauncherButton(QStringLiteral("cmdInertia"), QStringLiteral("inertia"), HintInertia,
                                      QStringLiteral("Click to view inertia calculator"), this);
    m_cmdDensity = new LauncherButton(QStringLiteral("cmdDensity"), QStringLiteral("density"), HintDensity,
                                      QStringLiteral("Click to view density reference"), this);
    m_cmdTrig = new LauncherButton(QStringLiteral("cmdTrig"), QStringLiteral("angle"), HintTrig,
                                   QStringLiteral("Click to view trigonometric reference"), this);
    // The axis window has no caption hint in the string table; its own words serve.
    m_cmdAxis = new LauncherButton(QStringLiteral("cmdAxis"), QStringLiteral("axis"), 0,
                                   QStringLiteral("Click to size an axis"), this);
    int left = 164;
    for (LauncherButton *button : {m_cmdUnits, m_cmdInertia, m_cmdDensity, m_cmdTrig, m_cmdAxis}) {
        button->move(left, 0);
        left += 36;
        // Spoken by its caption, the words the strip's title shows for it;
        // the hint says what a click does.
        button->setAccessibleName(launcherCaption(button));
        button->setAccessibleDescription(button->toolTip());
        connect(button, &LauncherButton::hovered, this, [this, button] { showHint(button); });
    }
    const std::pair<LauncherButton *, void (frmToolbar::*)()> opens[] = {
        {m_cmdUnits, &frmToolbar::openUnits},
        {m_cmdInertia, &frmToolbar::openInertia},
        {m_cmdDensity, &frmToolbar::openDensity},
        {m_cmdTrig, &frmToolbar::openTrig},
        {m_cmdAxis, &frmToolbar::openAxis}};
    for (const auto &[button, open] : opens)
        connect(button, &QAbstractButton::clicked, this, [this, open = open] { openOrBringBack(open); });
}

void frmToolbar::buildTrayIcon()
{
    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setObjectName(QStringLiteral("picSysTray"));
    m_tray->setToolTip(FixedCaption);
    m_tray->setContextMenu(m_mnuFile);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            openOrBringBack(&frmToolbar::restoreFromTray);
    });
    m_tray->show();
}

void frmToolbar::loadUnitTable()
{
    // No hourglass: this runs before anything of the program is on the
    // screen to show it, and setting one would load a cursor theme for nothing.
    const QString table = m_context.readOnlyFile(QStringLiteral("converts.dat"));
    if (m_context.dataFiles().installed && !QFile::exists(table)) {
        // A missing table loads empty, as it always has, but an installed
        // program never creates the empty file in its install folders.
        QBuffer none;
        none.open(QIODevice::ReadOnly);
        m_context.units().load(none);
    } else {
        m_context.units().load(table);
    }
}

void frmToolbar::tellStartProblems()
{
    // A table that did not load whole is told once, where the tray can show
    // it; the unit calculator repeats it in its list. So are files left in a
    // former data folder, which nothing else repeats.
    QStringList problems;
    if (const ConversionTableReport &table = m_context.units().report(); table.hasProblem())
        problems.append(table.message());
    const QString &filesNotice = m_context.dataFiles().notice;
    if (!filesNotice.isEmpty()) {
        problems.append(filesNotice);
        qWarning("%s", qPrintable(filesNotice));
    }
    if (!problems.isEmpty() && QSystemTrayIcon::isSystemTrayAvailable() &&
        QSystemTrayIcon::supportsMessages())
        m_tray->showMessage(FixedCaption, problems.join(QLatin1Char('\n')), QSystemTrayIcon::Warning);
}

// The tray icon's menu: the strip, every window it opens, help and Exit. It is
// never shown in the strip, but its Exit key (Ctrl+Q) works there too.
void frmToolbar::buildTrayMenu()
{
    m_mnuFile = new QMenu(QStringLiteral("mnuFile"), this);
    m_mnuFile->setObjectName(QStringLiteral("mnuFile"));
    const auto entry = [this](const char *name, const QString &text, void (frmToolbar::*open)()) {
        QAction *action = m_mnuFile->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, open);
        return action;
    };
    entry("mnuFileShow", QStringLiteral("&Show toolbar"), &frmToolbar::showFromTrayMenu);
    m_mnuFile->addSeparator();
    // Each window's entry knows the window by its object name.
    const auto windowEntry = [this](const char *name, const QString &text, void (frmToolbar::*open)(),
                                    const char *window) {
        QAction *action = m_mnuFile->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setData(QLatin1String(window));
        connect(action, &QAction::triggered, this, [this, open] { openOrBringBack(open); });
        return action;
    };
    m_windowEntries = {
        windowEntry("mnuFileUnits", QStringLiteral("&Unit calculator"), &frmToolbar::openUnits,
                    "frmUnitCalculator"),
        windowEntry("mnuFileInertia", QStringLiteral("&Inertia calculator"), &frmToolbar::openInertia,
                    "frmInertiaCalc"),
        windowEntry("mnuFileDensity", QStringLiteral("&Density table"), &frmToolbar::openDensity,
                    "frmDensitySelect"),
        windowEntry("mnuFileTrig", QStringLiteral("&Reference"), &frmToolbar::openTrig, "frmIntegral"),
        windowEntry("mnuFileAxis", QStringLiteral("&Axis sizing"), &frmToolbar::openAxis, "frmAxisSizing")};
    entry("mnuFileHelp", QStringLiteral("&Help"), &frmToolbar::openHelp);
    m_mnuFile->addSeparator();
    m_mnuFileExit = entry("mnuFileExit", QStringLiteral("E&xit"), &frmToolbar::exitFromTray);
    m_mnuFileExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addAction(m_mnuFileExit);
    // The windows open one at a time over the strip, as from its buttons:
    // while one is open only its own entry is offered, to bring it back.
    connect(m_mnuFile, &QMenu::aboutToShow, this, [this] {
        const bool windowOpen = QApplication::activeModalWidget() != nullptr;
        for (QAction *action : std::as_const(m_windowEntries))
            action->setEnabled(!windowOpen ||
                               (m_toolWindow && m_toolWindow->objectName() == action->data().toString()));
    });
}

void frmToolbar::restorePosition()
{
    QPoint position;
    if (const std::optional<QPoint> stored = m_context.settings().toolbarPosition()) {
        position = *stored;
    } else if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        // Designed position: near the top right of the desktop, out of the way.
        const QRect area = screen->availableGeometry();
        position = QPoint(area.right() - StripWidth - 40, area.top() + 40);
    }
    move(position);
    // A position stored on a screen that is no longer attached is pulled back.
    keepOnScreen();
}

// Keeps the whole frame, title bar included, inside the panel-free area of a
// screen. Until the window manager has framed the strip its frame is
// unknown, so a title bar and borders of the style's size stand in for it.
void frmToolbar::keepOnScreen()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->availableGeometry());
    QRect frame = frameGeometry();
    if (frame == geometry()) {
        const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
        const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
        frame.setSize(size() + QSize(2 * border, 2 * border + titleBar));
    }
    const QPoint corrected = BringOntoScreen(frame, screens);
    if (corrected != frame.topLeft())
        move(corrected); // a window's position is its frame's
}

void frmToolbar::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (frameGeometry() != geometry())
        m_awaitingFrame = false;
    keepOnScreen();
}

void frmToolbar::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    // Some window managers frame the strip only after it is shown: check
    // once more with the real frame, but never fight a move by the user.
    if (m_awaitingFrame && isVisible() && frameGeometry() != geometry()) {
        m_awaitingFrame = false;
        keepOnScreen();
    }
}

void frmToolbar::savePosition()
{
    m_context.settings().setToolbarPosition(pos());
}

void frmToolbar::restoreFromTray()
{
    // Topmost only once brought back from the tray; changing the flag hides
    // the window, so show it afterwards.
    if (!(windowFlags() & Qt::WindowStaysOnTopHint))
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
    showNormal();
    raise();
    activateWindow();
}

void frmToolbar::showFromTrayMenu()
{
    restoreFromTray();
    // The strip waits for the open window: that is what is shown in front.
    bringToolWindowToFront();
}

QWidget *frmToolbar::toolWindow() const
{
    return m_toolWindow;
}

void frmToolbar::bringToolWindowToFront()
{
    if (!m_toolWindow || !m_toolWindow->isVisible())
        return;
    if (m_toolWindow->isMinimized())
        m_toolWindow->showNormal();
    m_toolWindow->raise();
    // A question or an editor open over the window keeps the keyboard.
    QWidget *front = QApplication::activeModalWidget();
    if (!front)
        front = m_toolWindow;
    front->raise();
    front->activateWindow();
}

void frmToolbar::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    // A click on the strip while a window is open does nothing but bring
    // that window to the front: it is what the strip waits for. A minimised
    // one stays so (the strip also takes the focus when it is minimised); the
    // tray icon, or a click on the strip, brings it back.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_toolWindow) {
        QTimer::singleShot(0, this, [this]() {
            if (isActiveWindow() && m_toolWindow && !m_toolWindow->isMinimized())
                bringToolWindowToFront();
        });
    }
}

void frmToolbar::runToolWindow(QDialog &window)
{
    window.setWindowFlags((window.windowFlags() & ~Qt::WindowType_Mask) | Qt::Window |
                          Qt::WindowMinimizeButtonHint);
    // Modal to the strip (and every window it opened), not to the whole
    // program: the tray icon, which some desktops show in a small window of
    // its own, can still be clicked to bring this window back.
    window.setWindowModality(Qt::WindowModal);
    if (isVisible() && !isMinimized()) {
        // Placed beside the strip unless it has a place of its own, which
        // the window takes as it shows.
        if (!window.testAttribute(Qt::WA_Resized))
            window.adjustSize();
        const QRect strip = frameGeometry();
        const QMargins frame(geometry().left() - strip.left(), geometry().top() - strip.top(),
                             strip.right() - geometry().right(), strip.bottom() - geometry().bottom());
        const QScreen *screen = this->screen();
        if (screen)
            window.move(PlaceBesideStrip(window.size().grownBy(frame), strip, screen->availableGeometry()) +
                        QPoint(frame.left(), frame.top()));
    }
    m_toolWindow = &window;
    const auto titled =
        connect(&window, &QWidget::windowTitleChanged, this, &frmToolbar::showToolWindowInTray);
    showToolWindowInTray();
    window.exec();
    disconnect(titled);
    m_toolWindow = nullptr;
    showToolWindowInTray();
}

void frmToolbar::showToolWindowInTray()
{
    if (!m_toolWindow) {
        m_tray->setIcon(windowIcon());
        m_tray->setToolTip(FixedCaption);
        return;
    }
    // The program's icon with a dot: a window is open and waiting.
    QPixmap marked = windowIcon().pixmap(64, 64);
    QPainter painter(&marked);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 4));
    painter.setBrush(QColor(0xe6, 0x7e, 0x00));
    painter.drawEllipse(QRectF(34, 34, 26, 26));
    painter.end();
    m_tray->setIcon(QIcon(marked));
    m_tray->setToolTip(QStringLiteral("%1: \u201c%2\u201d is open (click to bring it to the front)")
                           .arg(FixedCaption, m_toolWindow->windowTitle()));
}

void frmToolbar::showForAnotherStart()
{
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    QWidget *front = QApplication::activeModalWidget();
    if (front) // a calculator open over the strip keeps the keyboard
        front->raise();
    (front ? front : this)->activateWindow();
}

void frmToolbar::exitFromTray()
{
    m_quitFromSysTray = true;
    close();
}

void frmToolbar::closeEvent(QCloseEvent *event)
{
    // Without a notification area nothing could show a hidden strip again,
    // so there the close box ends the program as "Exit" does.
    if (!m_quitFromSysTray && QSystemTrayIcon::isSystemTrayAvailable()) {
        event->ignore();
        hide();
        return;
    }
    // Close the open calculator windows first, so each writes its settings.
    // One that stays open (its unsaved changes kept) keeps the program running.
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (window != this && window->isVisible() && qobject_cast<QDialog *>(window) && !window->close()) {
            m_quitFromSysTray = false;
            event->ignore();
            return;
        }
    }
    if (!isMinimized())
        savePosition();
    m_tray->hide();
    event->accept();
    QCoreApplication::quit();
}

void frmToolbar::mouseMoveEvent(QMouseEvent *event)
{
    resetCaption(FixedCaption);
    QWidget::mouseMoveEvent(event);
}

// The buttons and the logo cover the whole strip, so leaving the strip is
// where the last hint is taken back.
void frmToolbar::leaveEvent(QEvent *event)
{
    resetCaption(FixedCaption);
    QWidget::leaveEvent(event);
}

QString frmToolbar::launcherCaption(const LauncherButton *button) const
{
    return button->hintId() ? LocalText(button->hintId(), m_context.languageOffset())
                            : QStringLiteral("Axis sizing");
}

void frmToolbar::showHint(const LauncherButton *button)
{
    if (isActiveWindow())
        setWindowTitle(launcherCaption(button));
}

void frmToolbar::resetCaption(const QString &caption)
{
    if (windowTitle() != caption)
        setWindowTitle(caption);
}

void frmToolbar::openUnits()
{
    resetCaption(FixedCaption);
    frmUnitCalculator window(m_context, this);
    runToolWindow(window);
}

void frmToolbar::openInertia()
{
    {
        frmInertiaCalc window(m_context, this);
        runToolWindow(window);
    }
    resetCaption(LocalText(HintToolbar, m_context.languageOffset()));
}

void frmToolbar::openDensity()
{
    resetCaption(LocalText(HintToolbar, m_context.languageOffset()));
    frmDensitySelect window(m_context, this);
    runToolWindow(window);
}

void frmToolbar::openAxis()
{
    openAxisWindow(QString());
}

void frmToolbar::openAxisFile(const QString &path)
{
    if (m_axisWindow)
        m_axisWindow->openFromOutside(path);
    else
        openAxisWindow(path);
}

void frmToolbar::openAxisWindow(const QString &path)
{
    resetCaption(LocalText(HintToolbar, m_context.languageOffset()));
    frmAxisSizing window(m_context, this);
    m_axisWindow = &window;
    // Opened once the window is up, so a refused file's message stands over it.
    if (!path.isEmpty())
        window.openFromOutside(path);
    runToolWindow(window);
}

void frmToolbar::openOrBringBack(void (frmToolbar::*open)())
{
    if (m_toolWindow)
        bringToolWindowToFront();
    else
        (this->*open)();
}

void frmToolbar::openHelp()
{
    // Beside an open calculator, the help belongs to it: the calculator
    // blocks every other window.
    QWidget *front = QApplication::activeModalWidget();
    OpenHelpContents(m_context, front ? front : this);
}

void frmToolbar::openTrig()
{
    resetCaption(LocalText(HintToolbar, m_context.languageOffset()));
    frmIntegral window(m_context, this);
    runToolWindow(window);
}
