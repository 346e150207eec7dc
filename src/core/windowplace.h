#pragma once
// A window's remembered place: the rectangle inside its frame, stored as the
// text "left,top,width,height" (pixels), and whether a stored place can still
// be reached on the screens there are now.

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
