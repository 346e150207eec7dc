#pragma once
// The shipped unit table, read once, for the benchmarks that convert without
// a window (the target defines TORVANE_CONVERTS_DAT).

#include "units/conversiontable.h"

inline const ConversionTableData &ShippedUnits()
{
    static const ConversionTableData table = [] {
        ConversionTableData loaded;
        loaded.load(QStringLiteral(TORVANE_CONVERTS_DAT));
        return loaded;
    }();
    return table;
}
