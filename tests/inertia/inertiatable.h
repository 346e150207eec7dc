#pragma once
// The small unit table both inertia tests use: a few units of each type the
// inertia calculator lists; "tiny" overflows when a large mass is shown in it.

#include "testsupport.h"

namespace InertiaTable {

inline void loadInto(ConversionTableData &table)
{
    using TestSupport::unitRecord;
    table = TestSupport::unitTable({
        unitRecord("Mass", "kg"),
        unitRecord("Mass", "g", 0.001f),
        unitRecord("Mass", "tiny", 1e-30f),
        unitRecord("Linear distance", "m"),
        unitRecord("Linear distance", "mm", 0.001f),
        unitRecord("Linear distance", "cm", 0.01f),
        unitRecord("Density", "kg/m\u00b3"),
        unitRecord("Density", "g/cm\u00b3", 1000),
        unitRecord("Inertia", "kg-m\u00b2"),
        unitRecord("Inertia", "kg-cm\u00b2", 1e-4f),
        unitRecord("Inertia", "g-mm\u00b2", 1e-9f),
    });
}

} // namespace InertiaTable
