#pragma once
// The small unit table both unit calculator tests use, in sorted table order.

#include "testsupport.h"

namespace UnitCalcTable {

using TestSupport::unitName;
using TestSupport::unitRecord;

inline QString type(const QString &name)
{
    return PadRight(name, UnitTypeWidth);
}

// "dup" is listed twice: first under "Aaa" with a factor that overflows for
// values above 1.13, then under "Mass". "tiny" overflows for large values,
// "zero" always fails as a target; "pound" and "oddalias" are aliases, the
// second of a unit that is not listed. "Zzz" has no display unit.
inline QList<ConversionRecord> records()
{
    return {
        unitRecord("Aaa", "dup", 3e38f),
        unitRecord("Aaa", "one"),
        unitRecord("Mass", "dup", 1000),
        unitRecord("Mass", "half", 0.5f),
        unitRecord("Mass", "kg"),
        unitRecord("Mass", "lb", 0.45359237f),
        unitRecord("Mass", "oddalias", 1, 0, "nosuch"),
        unitRecord("Mass", "pound", 0.45359237f, 0, "lb"),
        unitRecord("Mass", "tiny", 1e-30f),
        unitRecord("Mass", "zero", 0),
        unitRecord("Length", "\u00b5m", 1e-6f),
        unitRecord("Temperature", "K"),
        unitRecord("Temperature", "\u00b0C", 1, 273.15f),
        unitRecord("Temperature", "\u00b0F", 0.5555556f, 255.3722f),
        unitRecord("Volume", "cu. in", 1.6387064e-5f),
        unitRecord("Zzz", "ghost", 1, 0, "nothing"),
    };
}

} // namespace UnitCalcTable
