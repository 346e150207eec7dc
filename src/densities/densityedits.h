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

enum class DensityEntryError {
    None,
    BlankName,     // no material name, or only spaces
    NotANumber,    // empty or not read as a number
    TooLarge,      // a number beyond single precision, typed or once in kg/m³
    NotPositive,   // zero or negative, typed or once in kg/m³
    NoStorageUnit, // the unit table lacks kg/m³ or the entry's unit: nothing can be stored
};

struct DensityEntry
{
    DensityRecord record;
    DensityEntryError error = DensityEntryError::None;
    bool ok() const { return error == DensityEntryError::None; }
};

// The record the entry boxes describe: the name cut or padded to 20
// characters, the density text read by the locale's rules and converted
// from unit into kg/m³. A blank name, a text that is no number, a density
// that is not above zero or that single precision cannot hold, or a unit the
// table cannot convert gives an error and no record.
DensityEntry ReadDensityEntry(const ConversionTableData &table, const QString &name,
                              const QString &densityText, const QString &unit);
// What to tell the user about an entry error.
QString DensityEntryMessage(DensityEntryError error);

// Puts record at slot (NewDensitySlot appends it), then sorts the table;
// gives the record's place in the sorted table.
qsizetype StoreDensityRecord(QList<DensityRecord> &records, qsizetype slot, const DensityRecord &record);
// Removes the record at index, keeping the order of the rest; false when
// index names no record.
bool DeleteDensityRecord(QList<DensityRecord> &records, qsizetype index);

// A stored density in unit; nullopt when the conversion fails or the unit
// table lacks kg/m³ or unit.
std::optional<float> DensityInUnit(const ConversionTableData &table, const DensityRecord &record,
                                   const QString &unit);
// The density box's text for a stored density shown in unit (general form,
// up to 7 significant digits); empty when the conversion fails.
QString DensityEntryText(const ConversionTableData &table, const DensityRecord &record, const QString &unit);
// What Select puts on the clipboard: the density's general text form, one
// space and the unit without its padding.
QString DensitySelectText(float density, const QString &unit);

// True when the file can store every character of name and the name,
// without its trailing spaces, is at most 20 characters long.
bool IsStorableMaterialName(const QString &name);

// The tables before the last changes of the file, so that Undo can put the
// file back as it was before a Delete or a Save: the newest first, at most
// Depth of them.
class DensityUndo
{
public:
    static constexpr qsizetype Depth = 20;
    // Notes the table as it is before a change.
    void remember(const QList<DensityRecord> &before);
    bool canUndo() const { return !m_steps.isEmpty(); }
    // The table before the newest change; it is forgotten.
    QList<DensityRecord> takeLast();
    // After an Undo that could not be written: the step is kept for another try.
    void restore(const QList<DensityRecord> &before) { m_steps.append(before); }

private:
    QList<QList<DensityRecord>> m_steps; // oldest first
};

// Where the record an Undo brings back stands in restored (the table after
// the Undo): the first record restored holds more often than replaced (the
// table before it). -1 when there is none, as after undoing an addition.
qsizetype FirstRestoredRecord(const QList<DensityRecord> &restored, const QList<DensityRecord> &replaced);
