#pragma once
// The material density table: the user's materials in density.dat beside the
// program, as 24-byte records (a 20-character Windows-1252 name and a
// little-endian single density in kg/m³), held sorted by name. The density
// select window reads it when it opens and rewrites it whole after each change.

#include "core/safefile.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace DataFiles {
struct Layout;
}

class ConversionTableData;
class QIODevice;

inline constexpr int MaterialNameWidth = 20;
inline constexpr int DensityRecordSize = 24;
// Name, one space and a 12-character right-aligned value.
inline constexpr int MaterialLineWidth = 33;

struct DensityRecord
{
    QString MaterialName;   // exactly 20 characters, right-padded with spaces
    float DensityValue = 0; // kg/m³
};

// "kg/m³" padded to the width of a unit name: the unit every stored density is in.
const QString &DensityStorageUnit();
// The user's density.dat where the data-file layout keeps it, made ready for use.
QString DensityFilePath(const DataFiles::Layout &layout);

// One record as stored: the name padded or cut to 20 characters, a character
// the code page lacks written as '?'.
QByteArray EncodeDensityRecord(const DensityRecord &record);
// Reads the first 24 bytes; missing bytes read as spaces in the name and zero in the density.
DensityRecord DecodeDensityRecord(const QByteArray &bytes);

// Far beyond any real table, yet small enough for the window to open in
// about a second: a file claiming more is refused before anything is read.
inline constexpr qsizetype MaxDensityRecords = 100000;

// What kept density.dat from being read whole. Any problem opens the table
// read-only, so that nothing is ever saved over what could not be read.
enum class DensityFileProblem {
    None,           // read whole, or missing (an empty table the first save creates)
    NotRegularFile, // a folder, FIFO, socket or device: never opened
    Unreadable,     // the system refused to open it (reason says why)
    ReadFailed,     // reading stopped part-way: the records before are kept
    PartialRecord,  // the length is no whole number of records: the whole ones are kept
    TooLarge,       // more than MaxDensityRecords records: nothing read
};

struct DensityFileLoad
{
    QList<DensityRecord> records; // sorted by name
    DensityFileProblem problem = DensityFileProblem::None;
    QString reason;    // the system's words for an unreadable file
    qint64 length = 0; // the file's length in bytes
    bool readOnly() const { return problem != DensityFileProblem::None; }
    // What to tell the user, naming fileName; empty without a problem.
    QString message(const QString &fileName) const;
};

// Reads the whole 24-byte records, then sorts them. A length that is no
// multiple of 24 leaves its last bytes unread (PartialRecord); a length of
// more than MaxDensityRecords records is not read at all (TooLarge). Only a
// regular file is opened, and the open never blocks; a missing file is an
// empty table and is not created.
DensityFileLoad LoadDensityFile(QIODevice &device);
DensityFileLoad LoadDensityFile(const QString &fileName);

// The records in order, as the file holds them.
QByteArray DensityFileBytes(const QList<DensityRecord> &records);
// Writes the records in order; false when the device fails (see its errorString()).
bool SaveDensityFile(QIODevice &device, const QList<DensityRecord> &records);

struct DensitySaveResult
{
    QString fileName;
    FileWrite write;
    bool ok() const { return write.ok; }
    // "Could not save <file>: <problem>. ...", for the user.
    QString message() const;
};

// Replaces the file whole or not at all (WriteFileAtomically).
DensitySaveResult SaveDensityFile(const QString &fileName, const QList<DensityRecord> &records);

// Ascending by upper-cased name with its padding, compared by character code;
// records with equal keys keep their order. The names are not changed.
void SortDensityTable(QList<DensityRecord> &records);

// A line of the material list: the 20-character name, a space and the value
// text right-aligned in 12 characters. A longer text (a sign with seven
// digits) is kept whole and makes the line longer, never cut.
QString MaterialListLine(const QString &materialName, const QString &valueText);
// How the material list shows a record: its density converted into
// displayUnit and shown with digits significant digits, in scientific
// notation when asked. A value that cannot be converted shows "Overflow",
// and so does every value when the unit table lacks kg/m³ or displayUnit.
// Made once per display setting, so that a line costs only its own record.
class MaterialLineFormat
{
public:
    MaterialLineFormat() = default;
    MaterialLineFormat(const ConversionTableData &table, const QString &displayUnit, int digits,
                       bool notation);
    QString line(const DensityRecord &record) const;

private:
    const ConversionTableData *m_table = nullptr; // outlives the format: the program's unit table
    QString m_displayUnit;
    QString m_pattern; // the scientific pattern; empty for the significant form
    int m_digits = 6;
    QChar m_separator;
};
// Every record's line, as MaterialLineFormat writes it.
QStringList MaterialListLines(const ConversionTableData &table, const QList<DensityRecord> &records,
                              const QString &displayUnit, int digits, bool notation);
