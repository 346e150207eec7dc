#pragma once
// The unit table: every unit the program knows, read once from converts.dat
// (fixed 60-byte records), sorted by type then name, and kept for the life of
// the process. Readers see a 0-based vector; the file's record n is slot n-1.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QIODevice;

inline constexpr int UnitNameWidth = 15;
inline constexpr int UnitTypeWidth = 20;
inline constexpr int ConversionRecordSize = 60;
inline constexpr int MaxConversionRecords = 32767;

struct ConversionRecord
{
    QString UnitName;  // exactly 15 characters, right-padded with spaces
    float XFactor = 0; // base = value * XFactor + PlusFactor
    float PlusFactor = 0;
    QString UnitType; // exactly 20 characters, right-padded with spaces
    bool DisplayUnit = false;
    QString SameAs; // 15 characters; the display unit a non-display alias stands for
};

// Right-pads (or cuts) a name to the given width: the form every comparison uses.
QString PadRight(const QString &text, int width);

// One record, field by field, as stored in converts.dat (Windows-1252 text,
// little-endian numbers). Unencodable characters are written as '?'.
QByteArray EncodeConversionRecord(const ConversionRecord &record);
ConversionRecord DecodeConversionRecord(const QByteArray &bytes60);

// Whole-file reader: the record count is length / 60 rounded half to even.
// Reading stops silently at the first failure (records read so far are kept,
// unsorted); nullopt-free by design because the program never reports it.
struct ConversionTableLoad
{
    QList<ConversionRecord> records;
    bool complete = true; // false when reading stopped early (table then left unsorted)
};
ConversionTableLoad ReadConversionRecords(QIODevice &device);

// Stable sort by upper-cased (UnitType + UnitName), compared by character code.
void SortConversionTable(QList<ConversionRecord> &records);

// Distinct UnitType values in table order (consecutive runs, exact comparison).
QStringList BuildUnitTypeList(const QList<ConversionRecord> &records);

// The process-wide table with a name index for fast lookups.
class ConversionTableData
{
public:
    // What the index keeps for each distinct name: its first slot in table
    // order and that record's factors, so a conversion needs one lookup.
    struct NameEntry
    {
        char16_t key[UnitNameWidth + 1] = {};
        int first = -1;
        float XFactor = 0;
        float PlusFactor = 0;
    };

    void reset(QList<ConversionRecord> records, bool sorted);
    const QList<ConversionRecord> &records() const { return m_records; }
    const QStringList &unitTypes() const { return m_unitTypes; }
    // First slot (table order) whose UnitName equals the padded 15-character key; -1 if none.
    int indexOfName(const QString &paddedName) const;
    // All slots whose UnitName equals the padded key, in table order.
    QList<int> indexesOfName(const QString &paddedName) const;
    // Index entry for a name of exactly 15 characters; nullptr if the table lacks it.
    const NameEntry *findName(QStringView paddedName) const;

private:
    QList<ConversionRecord> m_records;
    QStringList m_unitTypes;
    // Open-addressing hash of names (power-of-two size), and for each slot the
    // next slot with the same name (-1 at the end of the chain).
    std::vector<NameEntry> m_names;
    std::vector<int> m_nextSameName;
};

// The live table the windows read.
const ConversionTableData &ConversionTable();
QStringList UnitTypeList();

// Reads fileName (created empty when missing), sorts it and builds the type
// list into the process-wide table. Reports nothing.
void LoadConversionTable(const QString &fileName);
// Same, from an open device; used by tests and benchmarks.
void LoadConversionTable(QIODevice &device);
