#pragma once
// Work the first open of a window would otherwise pay for, done once the
// strip is on the screen, in the idle time before the user opens anything:
// the font configuration and the faces the windows draw their text in, the
// image-format plugins a menu bar's first picture looks through, and the
// reference sheet's first band.

class QWidget;

// Warms up after the strip's first paint has reached the screen, so the
// strip itself shows no later.
void WarmUpAfterFirstPaint(QWidget *strip);
