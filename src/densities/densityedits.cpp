#include "densities/densityedits.h"

#include "core/fixedrecord.h"
#include "core/fixedtext.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

#include <algorithm>
#include <cmath>

qsizetype DensitySaveSlot(bool adding, qsizetype selectedIndex, qsizetype recordCount)
{
    if (adding || selectedIndex < 0 || selectedIndex >= recordCount)
        return NewDensitySlot;
    return selectedIndex;
}

DensityEntry ReadDensityEntry(const QString &name, const QString &densityText, const QString &unit)
{
    DensityEntry entry;
    const std::optional<float> typed = ParseLocaleNumber(densityText);
    if (!typed) {
        entry.error = DensityEntryError::NotANumber;
        return entry;
    }
    const std::optional<float> stored = ConvertUnits(*typed, unit, DensityStorageUnit());
    if (!stored || !std::isfinite(*stored)) {
        entry.error = DensityEntryError::OutOfRange;
        return entry;
    }
    entry.record = {PadRight(name.left(MaterialNameWidth), MaterialNameWidth), *stored};
    return entry;
}

QString DensityEntryMessage(DensityEntryError error)
{
    switch (error) {
    case DensityEntryError::NotANumber:
        return QStringLiteral("Please enter the density as a number, for example %1.")
            .arg(FormatGeneral(7850.5f));
    case DensityEntryError::OutOfRange:
        return QStringLiteral("The density is too large to be stored. Please enter a smaller number.");
    case DensityEntryError::None:
        break;
    }
    return QString();
}

void StoreDensityRecord(QList<DensityRecord> &records, qsizetype slot, const DensityRecord &record)
{
    if (slot < 0 || slot >= records.size())
        records.append(record);
    else
        records[slot] = record;
    SortDensityTable(records);
}

bool DeleteDensityRecord(QList<DensityRecord> &records, qsizetype index)
{
    if (index < 0 || index >= records.size())
        return false;
    records.removeAt(index);
    return true;
}

std::optional<float> DensityInUnit(const DensityRecord &record, const QString &unit)
{
    const std::optional<float> value = ConvertUnits(record.DensityValue, DensityStorageUnit(), unit);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString DensityEntryText(const DensityRecord &record, const QString &unit)
{
    const std::optional<float> value = DensityInUnit(record, unit);
    return value ? FormatGeneral(*value) : QString();
}

QString DensitySelectText(float density, const QString &unit)
{
    return FormatGeneral(density) + QLatin1Char(' ') + unit;
}

bool IsStorableMaterialName(const QString &name)
{
    qsizetype used = name.size();
    while (used > 0 && name.at(used - 1) == QLatin1Char(' '))
        --used;
    if (used > MaterialNameWidth)
        return false;
    return std::all_of(name.cbegin(), name.cend(), [](QChar c) { return FixedRecord::IsEncodable(c); });
}
