#pragma once
// Work the first open of a window would otherwise pay for, done once the
// strip is on the screen, in the idle time before the user opens anything:
// the font configuration and the faces the windows draw their text in, the
// image-format plugins a menu bar's first picture looks through, the
// reference sheet's first view, and the small windows drawn once unseen (their
// rich text, pictures, title faces and the code behind them).

class QObject;
class QWidget;
class WindowContext;

// Warms up after the strip's first paint has reached the screen, so the
// strip itself shows no later: one piece per turn of the event loop, so a
// click meanwhile waits for one piece at most.
void WarmUpAfterFirstPaint(QWidget *strip, WindowContext &context);

// Gives what the closed windows held back to the system: the pictures the
// style and icons cached for them, and the memory the heap has freed.
void ReturnFreedMemory();
// Does so each time a window or dialog of the program closes, while owner lives.
void ReturnFreedMemoryAsWindowsClose(QObject *owner);
