#pragma once
// The small unit table both unit calculator tests use, in sorted table order.

#include "units/conversiontable.h"

#include <QBuffer>

namespace UnitCalcTable {

inline QString unit(const QString &name)
{
    return PadRight(name, UnitNameWidth);
}
inline QString type(const QString &name)
{
    return PadRight(name, UnitTypeWidth);
}

inline ConversionRecord record(const QString &name, float x, float plus, const QString &unitType,
                               bool display = true, const QString &sameAs = QString())
{
    return {unit(name), x, plus, type(unitType), display, unit(sameAs)};
}

// "dup" is listed twice: first under "Aaa" with a factor that overflows for
// values above 1.13, then under "Mass". "tiny" overflows for large values;
// "pound" and "oddalias" are aliases, the
// second of a unit that is not listed. "Zzz" has no display unit.
inline QList<ConversionRecord> records()
{
    return {
        record("dup", 3e38f, 0, "Aaa"),
        record("one", 1, 0, "Aaa"),
        record("dup", 1000, 0, "Mass"),
        record("half", 0.5f, 0, "Mass"),
        record("kg", 1, 0, "Mass"),
        record("lb", 0.45359237f, 0, "Mass"),
        record("oddalias", 1, 0, "Mass", false, "nosuch"),
        record("pound", 0.45359237f, 0, "Mass", false, "lb"),
        record("tiny", 1e-30f, 0, "Mass"),
        record("\u00b5m", 1e-6f, 0, "Length"),
        record("K", 1, 0, "Temperature"),
        record("\u00b0C", 1, 273.15f, "Temperature"),
        record("\u00b0F", 0.5555556f, 255.3722f, "Temperature"),
        record("cu. in", 1.6387064e-5f, 0, "Volume"),
        record("ghost", 1, 0, "Zzz", false, "nothing"),
    };
}

// Loads records into the program's table the way converts.dat is read.
inline void loadIntoProgram(const QList<ConversionRecord> &list)
{
    QByteArray bytes;
    for (const ConversionRecord &r : list)
        bytes += EncodeConversionRecord(r);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadConversionTable(buffer);
}

} // namespace UnitCalcTable
