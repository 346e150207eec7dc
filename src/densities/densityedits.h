#pragma once
// What the density select window's entry boxes and buttons do to the table,
// apart from the window: reading the entry into a record, where Save puts it,
// deleting, the text Select copies, and which names the file can store.

#include "densities/densitytable.h"

#include <QList>
#include <QString>

#include <optional>

// Save puts the entry into a new record while a new one is being added, and
// also when no line is selected (there is no record to change); otherwise it
// replaces the selected record. -1 stands for a new record.
inline constexpr qsizetype NewDensitySlot = -1;
qsizetype DensitySaveSlot(bool adding, qsizetype selectedIndex, qsizetype recordCount);

enum class DensityEntryError { None, NotANumber, OutOfRange };

struct DensityEntry
{
    DensityRecord record;
    DensityEntryError error = DensityEntryError::None;
    bool ok() const { return error == DensityEntryError::None; }
};

// The record the entry boxes describe: the name cut or padded to 20
// characters, the density text read by the locale's rules and converted
// from unit into kg/m³. An empty or non-numeric text, or a value the
// conversion cannot hold, gives an error and no record.
DensityEntry ReadDensityEntry(const QString &name, const QString &densityText, const QString &unit);
// What to tell the user about an entry error.
QString DensityEntryMessage(DensityEntryError error);

// Puts record at slot (NewDensitySlot appends it), then sorts the table.
void StoreDensityRecord(QList<DensityRecord> &records, qsizetype slot, const DensityRecord &record);
// Removes the record at index, keeping the order of the rest; false when
// index names no record.
bool DeleteDensityRecord(QList<DensityRecord> &records, qsizetype index);

// A stored density in unit; nullopt when the conversion fails.
std::optional<float> DensityInUnit(const DensityRecord &record, const QString &unit);
// The density box's text for a stored density shown in unit (general form,
// up to 7 significant digits); empty when the conversion fails.
QString DensityEntryText(const DensityRecord &record, const QString &unit);
// What Select puts on the clipboard: the density's general text form, one
// space and the unit without its padding.
QString DensitySelectText(float density, const QString &unit);

// True when the file can store every character of name and the name,
// without its trailing spaces, is at most 20 characters long.
bool IsStorableMaterialName(const QString &name);
