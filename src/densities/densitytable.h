#pragma once
// The material density table: the user's materials in density.dat beside the
// program, as 24-byte records (a 20-character Windows-1252 name and a
// little-endian single density in kg/m³), held sorted by name. The density
// select window reads it when it opens and rewrites it whole after each change.

#include <QList>
#include <QString>
#include <QStringList>

namespace DataFiles {
struct Layout;
}

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

struct DensityFileLoad
{
    QList<DensityRecord> records; // sorted by name
    // False when the file exists but could not be opened, or failed part-way
    // (the records read before the failure are kept): saving over it would lose data.
    bool complete = true;
};

// Reads length / 24 records, rounded half to even (a partial last record
// reads as if its missing bytes were blank), then sorts them. A missing file
// is an empty table and is not created.
DensityFileLoad LoadDensityFile(QIODevice &device);
DensityFileLoad LoadDensityFile(const QString &fileName);

// Writes the records in order; false when the device fails (see its errorString()).
bool SaveDensityFile(QIODevice &device, const QList<DensityRecord> &records);

struct DensitySaveResult
{
    bool ok = true;
    QString fileName;
    QString reason; // the system's error text when the save failed
    // "Could not save <file>: <reason>", for the user.
    QString message() const;
};

// Replaces the file through a temporary file renamed over it, so a failed
// save leaves the previous file whole.
DensitySaveResult SaveDensityFile(const QString &fileName, const QList<DensityRecord> &records);

// Ascending by upper-cased name with its padding, compared by character code;
// records with equal keys keep their order. The names are not changed.
void SortDensityTable(QList<DensityRecord> &records);

// A line of the material list: the 20-character name, a space and the value
// text right-aligned in 12 characters (a longer text loses its left end).
QString MaterialListLine(const QString &materialName, const QString &valueText);
// Every record's line, with its density converted into displayUnit and shown
// with digits significant digits, in scientific notation when asked. A value
// that cannot be converted shows "Overflow".
QStringList MaterialListLines(const QList<DensityRecord> &records, const QString &displayUnit, int digits,
                              bool notation);
