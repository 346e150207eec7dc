#pragma once
// Every window of the program opens where the user left it: its size and
// place kept in the settings under its object name.

class QWidget;
class Settings;

// Restores window's stored place each time it is shown (when one is stored,
// undamaged, and its title bar reachable on a screen there is now; else the
// window keeps its designed size and place) and stores it each time it is
// hidden. Either way a window that would run off the screen it opens on is
// brought onto it whole, no larger than the screen's free area unless its
// smallest size is. A window of fixed size keeps its size. settings must
// outlive window.
void KeepWindowPlace(Settings &settings, QWidget *window);

// Whether window keeps its place (KeepWindowPlace was called for it).
bool KeepsWindowPlace(const QWidget *window);
