#pragma once
// A window's remembered place: its outer top-left corner and its client size,
// stored as the text "left,top,width,height" (pixels), and whether a stored
// place can still be reached on the screens there are now.

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

QString WindowPlaceText(const QRect &place);

// The place a text stands for; nullopt for a damaged text (not four whole
// numbers, a size that is not positive or beyond any screen).
std::optional<QRect> ParseWindowPlace(const QString &text);

// Whether a window whose frame starts at frame's top-left, frame's width wide,
// can be grabbed: some of its title bar (titleBarHeight high) lies on one of
// screens (their available rectangles).
bool TitleBarReachable(const QRect &frame, int titleBarHeight, const QList<QRect> &screens);
