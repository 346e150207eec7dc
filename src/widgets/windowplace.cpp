#include "widgets/windowplace.h"

#include "core/settingsstore.h"
#include "core/windowplace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace {

const QString KeeperName = QStringLiteral("windowPlaceKeeper");

class WindowPlaceKeeper : public QObject
{
public:
    WindowPlaceKeeper(Settings &settings, QWidget *window) : QObject(window), m_settings(settings)
    {
        setObjectName(KeeperName);
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        // Spontaneous shows and hides are the window manager's (minimising,
        // another desktop): the window stays where it is.
        if (watched == parent() && !event->spontaneous()) {
            if (event->type() == QEvent::Show)
                restore(window);
            else if (event->type() == QEvent::Hide)
                store(window);
        }
        return false;
    }

private:
    void restore(QWidget *window) const
    {
        const std::optional<QRect> stored = m_settings.windowPlace(window->objectName());
        QList<QRect> screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens.append(screen->availableGeometry());
        // The place inside the frame: the window system puts it exactly there
        // whether or not it has framed the window yet.
        if (stored && TitleBarReachable(*stored, frameMargins(window).top(), screens))
            window->setGeometry(*stored);
        keepOnScreen(window);
    }

    // A window that would run off the screen it opens on comes onto that
    // screen's free area whole, made no larger than it (down to its smallest
    // size). One that nothing has placed keeps only the size: the window
    // system, or a dialog over its parent, places it.
    static void keepOnScreen(QWidget *window)
    {
        const QScreen *screen = QGuiApplication::screenAt(window->geometry().center());
        if (!screen)
            screen = window->screen();
        if (!screen)
            return;
        const QMargins margins = frameMargins(window);
        const QRect frame = window->geometry().marginsAdded(margins);
        const QRect fitted =
            FitOnScreen(frame, screen->availableGeometry(), window->minimumSize().grownBy(margins));
        if (fitted == frame)
            return;
        if (window->testAttribute(Qt::WA_Moved))
            window->setGeometry(fitted.marginsRemoved(margins));
        else
            window->resize(fitted.size().shrunkBy(margins));
    }

    void store(QWidget *window) const
    {
        if (window->isMaximized() || window->isMinimized() || window->isFullScreen())
            return;
        m_settings.setWindowPlace(window->objectName(), window->geometry());
    }

    // Until the window manager has framed a window its frame is unknown: a
    // title bar of the style's height stands in for it.
    static QMargins frameMargins(const QWidget *window)
    {
        const QRect inner = window->geometry();
        const QRect outer = window->frameGeometry();
        if (outer.top() < inner.top())
            return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom()};
        return {0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 0, 0};
    }

    Settings &m_settings;
};

} // namespace

void KeepWindowPlace(Settings &settings, QWidget *window)
{
    if (!KeepsWindowPlace(window))
        new WindowPlaceKeeper(settings, window);
}

bool KeepsWindowPlace(const QWidget *window)
{
    return window->findChild<QObject *>(KeeperName, Qt::FindDirectChildrenOnly) != nullptr;
}
