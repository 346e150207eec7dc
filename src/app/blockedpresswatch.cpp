#include "app/blockedpresswatch.h"

#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdint>

namespace {

// The head of the X input extension's device events (XI_ButtonPress and the
// like), which reach the program as X's generic events (the only generic
// events it asks for, so the extension's number is not checked).
struct DeviceEventHead
{
    std::uint8_t responseType;
    std::uint8_t extension;
    std::uint16_t sequence;
    std::uint32_t length;
    std::uint16_t eventType;
    std::uint16_t deviceId;
    std::uint32_t time;
    std::uint32_t detail; // the button
    std::uint32_t root;
    std::uint32_t event; // the window pressed on
};
constexpr std::uint16_t DeviceButtonPress = 4;

} // namespace

BlockedPressWatch::BlockedPressWatch(const QWidget &window, std::function<void()> pressed)
    : m_window(window), m_pressed(std::move(pressed))
{}

bool BlockedPressWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const QWindow *window = m_window.windowHandle();
    if (eventType != "xcb_generic_event_t" || !window)
        return false;
    std::uint32_t pressedOn = XCB_NONE;
    std::uint32_t button = 0;
    switch (static_cast<const xcb_generic_event_t *>(message)->response_type & 0x7f) {
    case XCB_BUTTON_PRESS: {
        const auto *press = static_cast<const xcb_button_press_event_t *>(message);
        pressedOn = press->event;
        button = press->detail;
        break;
    }
    case XCB_GE_GENERIC: {
        const auto *event = static_cast<const DeviceEventHead *>(message);
        if (event->eventType == DeviceButtonPress) {
            pressedOn = event->event;
            button = event->detail;
        }
        break;
    }
    default:
        break;
    }
    if (pressedOn != XCB_NONE && pressedOn == window->winId() && button >= 1 && button <= 3)
        m_pressed();
    return false;
}
