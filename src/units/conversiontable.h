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

// One record, field by field, as stored in converts.dat (Windows-1252 text,
// little-endian numbers). Unencodable characters are written as '?'.
QByteArray EncodeConversionRecord(const ConversionRecord &record);
ConversionRecord DecodeConversionRecord(const QByteArray &bytes60);

// What became of the last load of the table, so a window can say which
// problem the user has instead of one message for all of them.
enum class ConversionTableStatus {
    Loaded,         // every record read (some may still have been skipped, below)
    Missing,        // no file: an empty one was created
    Empty,          // a file of 0 bytes
    NotRegularFile, // a folder, FIFO or device under the table's name: not opened
    Unreadable,     // could not be opened, or reading failed part-way (records before kept)
    TooManyRecords, // more than MaxConversionRecords: nothing read
    Truncated,      // the length is no multiple of 60: the last record is incomplete
};

struct ConversionTableReport
{
    ConversionTableStatus status = ConversionTableStatus::Loaded;
    qsizetype loadedRecords = 0;
    // Records left out because their factors would give wrong numbers: an
    // XFactor that is zero, denormal, infinite or NaN, a non-finite PlusFactor.
    qsizetype skippedRecords = 0;
    QString reason;                                    // the system's words for an unreadable file
    QString fileName = QStringLiteral("converts.dat"); // as the messages name it

    bool hasProblem() const { return status != ConversionTableStatus::Loaded || skippedRecords > 0; }
    // What to tell the user, one or two sentences; empty without a problem.
    QString message() const;
};

// True when a record's factors can take part in a conversion.
bool HasUsableFactors(const ConversionRecord &record);

// Whole-file reader: the record count is length / 60 rounded half to even.
// Reading stops at the first failure (records read so far are kept,
// unsorted); records without usable factors are left out and counted.
struct ConversionTableLoad
{
    QList<ConversionRecord> records;
    bool complete = true; // false when reading stopped early (table then left unsorted)
    ConversionTableReport report;
};
ConversionTableLoad ReadConversionRecords(QIODevice &device);

// Stable sort by upper-cased (UnitType + UnitName), compared by character code.
void SortConversionTable(QList<ConversionRecord> &records);

// Distinct UnitType values in table order (consecutive runs, exact comparison).
QStringList BuildUnitTypeList(const QList<ConversionRecord> &records);

// The forms in which a pasted unit text is compared with the table's names:
// the trimmed name as written; with periods left out and the Greek mu as
// the micro sign (the table, Windows-1252, holds only the latter); and that
// spelling in lower case.
enum class UnitNameForm { Trimmed, Spelled, CaseFree };
QString UnitNameSpelling(QStringView text);
QString UnitNameCaseFreeKey(QStringView text);

// A loaded unit table with a name index for fast lookups, and how its load
// went. The program's own is kept by its context and handed to whoever
// converts; tests and benchmarks load their own.
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

    // Takes records as they are (sorted says whether they are in table order).
    void reset(QList<ConversionRecord> records, bool sorted);
    // Reads fileName (created empty when missing), sorts it and builds the
    // type list and the index. Only a regular file is opened, and the open
    // never blocks. What went wrong is kept in report().
    void load(const QString &fileName);
    // Same, from an open device.
    void load(QIODevice &device);

    // How the last load went.
    const ConversionTableReport &report() const { return m_report; }
    const QList<ConversionRecord> &records() const { return m_records; }
    const QStringList &unitTypes() const { return m_unitTypes; }
    // First slot (table order) whose UnitName equals the padded 15-character key; -1 if none.
    int indexOfName(const QString &paddedName) const;
    // All slots whose UnitName equals the padded key, in table order.
    QList<int> indexesOfName(const QString &paddedName) const;
    // Index entry for a name of exactly 15 characters; nullptr if the table lacks it.
    const NameEntry *findName(QStringView paddedName) const;
    // Slots, in table order, whose trimmed name put in the given form equals
    // key (which is already in that form); at most limit of them when limit > 0.
    QList<int> slotsWithNameForm(UnitNameForm form, QStringView key, qsizetype limit = 0) const;

private:
    QList<ConversionRecord> m_records;
    QStringList m_unitTypes;
    ConversionTableReport m_report;
    // Open-addressing hash of names (power-of-two size), and for each slot the
    // next slot with the same name (-1 at the end of the chain).
    std::vector<NameEntry> m_names;
    std::vector<int> m_nextSameName;
    // For each name form, (hash of the slot's name in that form, slot), sorted:
    // built once per load so a paste need not rebuild every name's forms.
    std::vector<std::pair<quint32, int>> m_formIndex[3];
};
