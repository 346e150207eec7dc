#pragma once
// How a verdict stands out: its words carry it, and the colour only repeats
// them, the same in the windows and the printed report.

#include <QString>

enum class VerdictTone { Plain, Good, Bad };

// The colour of a tone as HTML and style sheets write it; empty for plain.
inline QString ToneColour(VerdictTone tone)
{
    switch (tone) {
    case VerdictTone::Good:
        return QStringLiteral("#1b6e20");
    case VerdictTone::Bad:
        return QStringLiteral("#b3261e");
    case VerdictTone::Plain:
        break;
    }
    return {};
}
