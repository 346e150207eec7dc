#include "densities/densityedits.h"

#include "core/fixedrecord.h"
#include "core/fixedtext.h"
#include "units/clipboardtext.h"
#include "units/conversiontable.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

#include <QHash>

#include <algorithm>
#include <bit>
#include <cmath>

qsizetype DensitySaveSlot(bool adding, qsizetype selectedIndex, qsizetype recordCount)
{
    if (adding || selectedIndex < 0 || selectedIndex >= recordCount)
        return NewDensitySlot;
    return selectedIndex;
}

DensityEntry ReadDensityEntry(const ConversionTableData &table, const QString &name,
                              const QString &densityText, const QString &unit)
{
    DensityEntry entry;
    const auto fail = [&entry](DensityEntryError error) {
        entry.error = error;
        return entry;
    };
    if (name.trimmed().isEmpty())
        return fail(DensityEntryError::BlankName);
    const LocaleNumber typed = ReadLocaleNumber(densityText);
    if (typed.outOfRange)
        return fail(DensityEntryError::TooLarge);
    if (!typed.value)
        return fail(DensityEntryError::NotANumber);
    if (!(*typed.value > 0))
        return fail(DensityEntryError::NotPositive);
    if (!table.findName(DensityStorageUnit()) || !table.findName(PadRight(unit, UnitNameWidth)))
        return fail(DensityEntryError::NoStorageUnit);
    const std::optional<float> stored = ConvertKnownUnits(table, *typed.value, unit, DensityStorageUnit());
    if (!stored)
        return fail(DensityEntryError::TooLarge);
    if (!(*stored > 0))
        return fail(DensityEntryError::NotPositive);
    entry.record = {PadRight(name.left(MaterialNameWidth), MaterialNameWidth), *stored};
    return entry;
}

QString DensityEntryMessage(DensityEntryError error)
{
    switch (error) {
    case DensityEntryError::BlankName:
        return QStringLiteral("Please enter the name of the material.");
    case DensityEntryError::NotANumber:
        return QStringLiteral("Please enter the density as a number, for example %1.")
            .arg(FormatGeneral(7850.5f));
    case DensityEntryError::TooLarge:
        return QStringLiteral("The density is too large to be stored. Please enter a smaller number.");
    case DensityEntryError::NotPositive:
        return QStringLiteral("The density must be greater than zero.");
    case DensityEntryError::NoStorageUnit:
        return QStringLiteral("The unit table has no usable kg/m³ unit (or none for the chosen unit), so "
                              "the density cannot be stored. The unit table converts.dat may be damaged.");
    case DensityEntryError::None:
        break;
    }
    return QString();
}

qsizetype StoreDensityRecord(QList<DensityRecord> &records, qsizetype slot, const DensityRecord &record)
{
    if (slot < 0 || slot >= records.size())
        records.append(record);
    else
        records[slot] = record;
    SortDensityTable(records);
    // Records alike in name and bits are one material wherever it stands.
    const auto same = [&record](const DensityRecord &other) {
        return other.MaterialName == record.MaterialName &&
               std::bit_cast<quint32>(other.DensityValue) == std::bit_cast<quint32>(record.DensityValue);
    };
    return std::find_if(records.cbegin(), records.cend(), same) - records.cbegin();
}

bool DeleteDensityRecord(QList<DensityRecord> &records, qsizetype index)
{
    if (index < 0 || index >= records.size())
        return false;
    records.removeAt(index);
    return true;
}

std::optional<float> DensityInUnit(const ConversionTableData &table, const DensityRecord &record,
                                   const QString &unit)
{
    const std::optional<float> value =
        ConvertKnownUnits(table, record.DensityValue, DensityStorageUnit(), unit);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

QString DensityEntryText(const ConversionTableData &table, const DensityRecord &record, const QString &unit)
{
    const std::optional<float> value = DensityInUnit(table, record, unit);
    return value ? FormatGeneral(*value) : QString();
}

QString DensitySelectText(float density, const QString &unit)
{
    return NumberUnitText(FormatGeneral(density), QString(), unit);
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

void DensityUndo::remember(const QList<DensityRecord> &before)
{
    if (m_steps.size() == Depth)
        m_steps.removeFirst();
    m_steps.append(before);
}

QList<DensityRecord> DensityUndo::takeLast()
{
    return m_steps.isEmpty() ? QList<DensityRecord>() : m_steps.takeLast();
}

qsizetype FirstRestoredRecord(const QList<DensityRecord> &restored, const QList<DensityRecord> &replaced)
{
    const auto key = [](const DensityRecord &record) {
        return std::pair(record.MaterialName, std::bit_cast<quint32>(record.DensityValue));
    };
    QHash<std::pair<QString, quint32>, qsizetype> left;
    for (const DensityRecord &record : replaced)
        ++left[key(record)];
    for (qsizetype i = 0; i < restored.size(); ++i) {
        qsizetype &count = left[key(restored.at(i))];
        if (count == 0)
            return i;
        --count;
    }
    return -1;
}
