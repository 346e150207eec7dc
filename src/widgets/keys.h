#pragma once
// Keys that act on the focused control.

class QAbstractButton;
class QKeyEvent;

// Return or the keypad's Enter, with no modifier.
bool IsEnterKey(const QKeyEvent *event);
// Enter or Space, with no modifier: what activates a focused control.
bool IsActivationKey(const QKeyEvent *event);
// Enter clicks the button while it has the focus, as Space already does;
// desktop users expect both.
void EnterClicksWhenFocused(QAbstractButton *button);
