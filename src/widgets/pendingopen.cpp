#include "widgets/pendingopen.h"

#include <QApplication>
#include <QEvent>

#include <utility>

PendingOpen::PendingOpen(QWidget *window, std::function<void(const QString &)> open)
    : QObject(window), m_window(window), m_open(std::move(open))
{
    window->installEventFilter(this);
}

void PendingOpen::hand(const QString &path)
{
    m_path = path;
    // The window in front, or the one open over it, takes the keyboard.
    if (m_window->isVisible()) {
        QWidget *front = QApplication::activeModalWidget();
        (front ? front : m_window)->raise();
        (front ? front : m_window)->activateWindow();
    }
    tryOpen();
}

void PendingOpen::tryOpen()
{
    if (m_path.isEmpty() || !m_window->isVisible())
        return; // tried again as the window shows
    QWidget *front = QApplication::activeModalWidget();
    if (front && front != m_window) {
        // Tried again once the window in front (an editor, a message) closes.
        if (front != m_front) {
            if (m_front)
                m_front->removeEventFilter(this);
            m_front = front;
            front->installEventFilter(this);
            connect(front, &QObject::destroyed, this, &PendingOpen::tryOpen, Qt::QueuedConnection);
        }
        return;
    }
    m_open(std::exchange(m_path, QString()));
}

void PendingOpen::tryOpenLater()
{
    QMetaObject::invokeMethod(this, &PendingOpen::tryOpen, Qt::QueuedConnection);
}

bool PendingOpen::eventFilter(QObject *watched, QEvent *event)
{
    // Queued, so the window is up and a refused file's message stands over it.
    if (watched == m_window && event->type() == QEvent::Show && !m_path.isEmpty()) {
        tryOpenLater();
    } else if (watched == m_front && event->type() == QEvent::Hide) {
        m_front->removeEventFilter(this);
        disconnect(m_front, &QObject::destroyed, this, &PendingOpen::tryOpen);
        m_front = nullptr;
        tryOpenLater();
    }
    return false;
}
