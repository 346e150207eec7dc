#pragma once
// Material records for the density tests, written as text, and their file bytes.

#include "core/fixedtext.h"
#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include <QMetaType>

namespace DensityTest {

inline DensityRecord material(const QString &name, float density = 1000)
{
    return {PadRight(name, MaterialNameWidth), density};
}

// "Lead=11340,Zinc" (kg/m³; 1000 when no density is given) as records.
inline QList<DensityRecord> table(const QString &text)
{
    QList<DensityRecord> records;
    for (const QString &entry : text.split(u',', Qt::SkipEmptyParts))
        records.append(material(entry.section(u'=', 0, 0),
                                entry.contains(u'=') ? entry.section(u'=', 1).toFloat() : 1000));
    return records;
}

inline QByteArray fileOf(const QList<DensityRecord> &records)
{
    QByteArray bytes;
    for (const DensityRecord &record : records)
        bytes += EncodeDensityRecord(record);
    return bytes;
}

inline QStringList names(const QList<DensityRecord> &records)
{
    QStringList result;
    for (const DensityRecord &record : records)
        result.append(record.MaterialName.trimmed());
    return result;
}

} // namespace DensityTest

Q_DECLARE_METATYPE(DensityRecord)
