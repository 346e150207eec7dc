#pragma once
// Where the toolbar strip goes: the stored position (twips) and keeping the
// window on a screen.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

inline constexpr int TwipsPerPixel = 15;

// The stored "Toolbar"/"X" and "Y" texts (twips) as a pixel position. Both must
// be present; a text that is not a number, or does not fit 32 bits, makes the
// stored position unusable (nullopt) instead of stopping the start.
std::optional<QPoint> StoredToolbarPosition(const QString &xText, const QString &yText);

// The text written back: the edge in twips, as a whole decimal number.
QString TwipsText(int pixels);

// Moves frame (the window's outer rectangle) onto the nearest of screens when
// it does not overlap any of them enough to be grabbed; returns the new top-left.
// screens are the screens' available rectangles.
QPoint BringOntoScreen(const QRect &frame, const QList<QRect> &screens);

// Where a window the strip opens goes so that it leaves the strip in view:
// the top-left of a frame of that size beside strip (the strip's frame) on
// area (its screen's available rectangle). Below the strip, right edges in
// line; else above it; else to its left or right, tops in line; each slid
// along the strip's edge to lie whole on area. A frame that fits beside it
// nowhere goes below it, brought onto area.
QPoint PlaceBesideStrip(const QSize &frame, const QRect &strip, const QRect &area);
