#pragma once
// A window's remembered place: the rectangle inside its frame, stored as the
// text "left,top,width,height" (pixels), whether a stored place can still be
// reached on the screens there are now, and where a window goes to lie whole
// on a screen.

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

QString WindowPlaceText(const QRect &place);

// The place a text stands for; nullopt for a damaged text (not four whole
// numbers, a size that is not positive or beyond any screen).
std::optional<QRect> ParseWindowPlace(const QString &text);

// Whether a window placed at place can be grabbed: some of its title bar
// (titleBarHeight high, above place) lies on one of screens (their available
// rectangles).
bool TitleBarReachable(const QRect &place, int titleBarHeight, const QList<QRect> &screens);

// Where a window's frame goes to lie whole on area (a screen's available
// rectangle): where it is when it lies there already, else moved the least
// way onto it, first made no larger than area but never smaller than minimum
// (a frame larger than that stays at area's top or left edge).
QRect FitOnScreen(const QRect &frame, const QRect &area, const QSize &minimum);
