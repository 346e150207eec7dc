#pragma once
// What the table window does to the motor and gearbox tables, apart from the
// window: the names a record may take, rows imported from a spreadsheet, and
// the undo history of both tables.

#include "drives/drivetables.h"

#include <QString>

#include <algorithm>
#include <vector>

struct DriveTables
{
    std::vector<MotorRecord> motors;
    std::vector<GearboxRecord> gearboxes;
    bool operator==(const DriveTables &) const = default;
};

// Whether another record than the one at except (-1: none) has name, letter
// case aside.
template <class Record>
bool NameTaken(const std::vector<Record> &records, const QString &name, qsizetype except)
{
    const QString key = name.trimmed().toCaseFolded();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (qsizetype(i) != except && records[i].name.toCaseFolded() == key)
            return true;
    return false;
}

struct ImportCount
{
    int added = 0;
    int replaced = 0; // rows whose name was in the table: the imported row takes its place
};

// Adds imported rows to records: a row named as one there (letter case
// aside) replaces it where it stands, the others go to the end in their order.
template <class Record> ImportCount ImportRows(std::vector<Record> &records, const std::vector<Record> &rows)
{
    ImportCount count;
    for (const Record &row : rows) {
        const QString key = row.name.toCaseFolded();
        const auto same = std::find_if(records.begin(), records.end(),
                                       [&key](const Record &r) { return r.name.toCaseFolded() == key; });
        if (same != records.end()) {
            *same = row;
            ++count.replaced;
        } else {
            records.push_back(row);
            ++count.added;
        }
    }
    return count;
}

// "Imported 3 motors: 2 added, 1 replaced."
QString ImportCountText(const ImportCount &count, DriveTableKind kind);

// The tables before (and, once undone, after) each change, so that Undo
// and Redo put both files back step by step while the window is open.
class DriveTableHistory
{
public:
    static constexpr std::size_t Depth = 20;
    // Notes the tables as they are before a change; what could be redone is forgotten.
    void remember(const DriveTables &before);
    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The tables before the newest change; current becomes what Redo brings back.
    DriveTables undo(const DriveTables &current);
    // The tables the last Undo left; current becomes what Undo brings back.
    DriveTables redo(const DriveTables &current);

private:
    std::vector<DriveTables> m_undo; // oldest first
    std::vector<DriveTables> m_redo;
};
