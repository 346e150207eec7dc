#pragma once
// Program artwork: SVG sources compiled in under ":/art/", rendered by Qt at
// the screen's scale so every picture stays crisp.

#include <QIcon>
#include <QPixmap>
#include <QSize>

// ":/art/<name>.svg" as an icon (scales to any size).
QIcon ArtIcon(const QString &name);
// The picture rendered at logicalSize for a device pixel ratio, for a window
// to hold while it shows it.
QPixmap ArtPixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio);
// The same for a face drawn on every paint (a picture button's): kept once
// per size and scale for the whole program.
QPixmap ArtFace(const QString &name, QSize logicalSize, qreal devicePixelRatio);
// The program icon.
QIcon ProgramIcon();
