#pragma once
// Presses on a window that a modal window blocks: Qt drops them before any
// widget sees them, but the X server's events still tell of them.

#include <QAbstractNativeEventFilter>

#include <functional>

class QWidget;

// Calls pressed for each press of the left, middle or right button on
// window's own X window (the wheel's turns, buttons 4 to 7, are not
// presses). It only watches: Qt goes on to handle or drop the event.
class BlockedPressWatch : public QAbstractNativeEventFilter
{
public:
    BlockedPressWatch(const QWidget &window, std::function<void()> pressed);
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    const QWidget &m_window;
    std::function<void()> m_pressed;
};
