#pragma once
// Numbers in lists and entry boxes are drawn in the fixed-pitch font, so
// digits and decimal marks line up.

#include <QFont>

// The fixed-pitch font at the size of base.
QFont ValueFont(const QFont &base);
