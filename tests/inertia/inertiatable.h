#pragma once
// The small unit table both inertia tests use: a few units of each type the
// inertia calculator lists; "tiny" overflows when a large mass is shown in it.

#include "units/conversiontable.h"

#include <QBuffer>

namespace InertiaTable {

inline ConversionRecord unit(const char *type, const char *name, float xFactor)
{
    return {PadRight(QString::fromUtf8(name), UnitNameWidth), xFactor, 0,
            PadRight(QString::fromUtf8(type), UnitTypeWidth), true,    PadRight(QString(), UnitNameWidth)};
}

inline void loadIntoProgram()
{
    const QList<ConversionRecord> records = {
        unit("Mass", "kg", 1),
        unit("Mass", "g", 0.001f),
        unit("Mass", "tiny", 1e-30f),
        unit("Linear distance", "m", 1),
        unit("Linear distance", "mm", 0.001f),
        unit("Linear distance", "cm", 0.01f),
        unit("Density", "kg/m\u00b3", 1),
        unit("Density", "g/cm\u00b3", 1000),
        unit("Inertia", "kg-m\u00b2", 1),
        unit("Inertia", "kg-cm\u00b2", 1e-4f),
        unit("Inertia", "g-mm\u00b2", 1e-9f),
    };
    QByteArray data;
    for (const ConversionRecord &r : records)
        data += EncodeConversionRecord(r);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadConversionTable(buffer);
}

} // namespace InertiaTable
