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
        if (!stored)
            return;
        QList<QRect> screens;
        for (const QScreen *screen : QGuiApplication::screens())
            screens.append(screen->availableGeometry());
        if (!TitleBarReachable(*stored, titleBarHeight(window), screens))
            return;
        // The place inside the frame: the window system puts it exactly there
        // whether or not it has framed the window yet.
        window->setGeometry(*stored);
    }

    void store(QWidget *window) const
    {
        if (window->isMaximized() || window->isMinimized() || window->isFullScreen())
            return;
        m_settings.setWindowPlace(window->objectName(), window->geometry());
    }

    // Until the window manager has framed a window its frame is unknown: a
    // title bar of the style's height stands in for it.
    static int titleBarHeight(const QWidget *window)
    {
        const int known = window->geometry().top() - window->frameGeometry().top();
        return known > 0 ? known : window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
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
