#include "units/conversiontable.h"

#include "core/fixedrecord.h"
#include "core/fixedtext.h"
#include "core/safefile.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <string>

namespace {

// Field offsets inside one 60-byte record.
constexpr int NameOffset = 0;
constexpr int XFactorOffset = 15;
constexpr int PlusFactorOffset = 19;
constexpr int TypeOffset = 23;
constexpr int DisplayUnitOffset = 43;
constexpr int SameAsOffset = 45;

constexpr int SortKeyLength = UnitTypeWidth + UnitNameWidth;

// The 15-character index key of a name, cut or space-padded, NUL-terminated.
void fillNameKey(char16_t (&key)[UnitNameWidth + 1], QStringView name)
{
    const qsizetype used = std::min<qsizetype>(name.size(), UnitNameWidth);
    for (qsizetype i = 0; i < UnitNameWidth; ++i)
        key[i] = i < used ? name.at(i).unicode() : u' ';
    key[UnitNameWidth] = 0;
}

bool sameNameKey(const char16_t (&a)[UnitNameWidth + 1], const char16_t (&b)[UnitNameWidth + 1])
{
    quint64 wa[4], wb[4];
    std::memcpy(wa, a, sizeof wa);
    std::memcpy(wb, b, sizeof wb);
    return ((wa[0] ^ wb[0]) | (wa[1] ^ wb[1]) | (wa[2] ^ wb[2]) | (wa[3] ^ wb[3])) == 0;
}

quint64 hashNameKey(const char16_t (&key)[UnitNameWidth + 1])
{
    static_assert(sizeof(key) == 32);
    quint64 h = 0x9E3779B97F4A7C15ull;
    for (int i = 0; i < 4; ++i) {
        quint64 word;
        std::memcpy(&word, reinterpret_cast<const char *>(key) + 8 * i, 8);
        h = (h ^ word) * 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
    }
    return h ^ (h >> 32);
}

// Decodes 60 bytes. Text fields equal to the previous record's bytes share its
// strings: types repeat across whole runs of a sorted file.
ConversionRecord decodeRecord(const char *in, const char *previousIn = nullptr,
                              const ConversionRecord *previous = nullptr)
{
    const auto sameAsPrevious = [&](int offset, int width) {
        return previousIn && std::memcmp(in + offset, previousIn + offset, width) == 0;
    };
    using namespace FixedRecord;
    ConversionRecord record;
    record.UnitName = ReadText(in + NameOffset, UnitNameWidth);
    record.XFactor = ReadSingle(in + XFactorOffset);
    record.PlusFactor = ReadSingle(in + PlusFactorOffset);
    record.UnitType = sameAsPrevious(TypeOffset, UnitTypeWidth) ? previous->UnitType
                                                                : ReadText(in + TypeOffset, UnitTypeWidth);
    record.DisplayUnit = ReadBoolean16(in + DisplayUnitOffset);
    record.SameAs = sameAsPrevious(SameAsOffset, UnitNameWidth) ? previous->SameAs
                                                                : ReadText(in + SameAsOffset, UnitNameWidth);
    return record;
}

// Appends text with its periods left out and the Greek mu as the micro sign,
// lower-cased when asked; appending into a string with room, as the index
// build does for every name, allocates nothing.
void appendSpelling(QString &out, QStringView text, bool lowerCase)
{
    for (const QChar c : text) {
        if (c == QLatin1Char('.'))
            continue;
        const QChar spelled = c == QChar(0x03BC) ? QChar(0x00B5) : c;
        out.append(lowerCase && spelled.unicode() < 128 ? spelled.toLower() : spelled);
    }
}

// A name in one of the paste lookup forms. The view is into name or storage.
QStringView nameInForm(UnitNameForm form, QStringView name, QString &storage)
{
    // Trimmed as QString::trimmed() does, inline: names are mostly padding.
    qsizetype begin = 0, end = name.size();
    while (end > begin && name.at(end - 1).isSpace())
        --end;
    while (begin < end && name.at(begin).isSpace())
        ++begin;
    const QStringView trimmed = name.sliced(begin, end - begin);
    if (form == UnitNameForm::Trimmed)
        return trimmed;
    bool plain = true;
    bool ascii = true;
    for (const QChar c : trimmed) {
        plain = plain && c != QLatin1Char('.') && c != QChar(0x03BC);
        ascii = ascii && c.unicode() < 128;
    }
    if (form == UnitNameForm::Spelled && plain)
        return trimmed;
    storage.resize(0);
    if (form == UnitNameForm::CaseFree && !ascii)
        storage = UnitNameCaseFreeKey(trimmed); // full Unicode case rules; may change the length
    else
        appendSpelling(storage, trimmed, form == UnitNameForm::CaseFree);
    return storage;
}

quint32 formHash(QStringView key)
{
    return quint32(qHash(key, 0));
}

} // namespace

QByteArray EncodeConversionRecord(const ConversionRecord &record)
{
    QByteArray bytes(ConversionRecordSize, Qt::Uninitialized);
    char *out = bytes.data();
    using namespace FixedRecord;
    WriteText(record.UnitName, out + NameOffset, UnitNameWidth);
    WriteSingle(record.XFactor, out + XFactorOffset);
    WriteSingle(record.PlusFactor, out + PlusFactorOffset);
    WriteText(record.UnitType, out + TypeOffset, UnitTypeWidth);
    WriteBoolean16(record.DisplayUnit, out + DisplayUnitOffset);
    WriteText(record.SameAs, out + SameAsOffset, UnitNameWidth);
    return bytes;
}

ConversionRecord DecodeConversionRecord(const QByteArray &bytes60)
{
    if (bytes60.size() >= ConversionRecordSize)
        return decodeRecord(bytes60.constData());
    // A short record reads as if its missing bytes were those of a blank record:
    // spaces in the text fields, zero in the numbers.
    QByteArray filled = EncodeConversionRecord(ConversionRecord());
    std::memcpy(filled.data(), bytes60.constData(), bytes60.size());
    return decodeRecord(filled.constData());
}

bool HasUsableFactors(const ConversionRecord &record)
{
    // A zero or denormal factor makes every value of the unit 0 in the base
    // unit (and division by it blow up); a non-finite one poisons every result.
    return std::isnormal(record.XFactor) && std::isfinite(record.PlusFactor);
}

QString ConversionTableReport::message() const
{
    // Short enough for one row of the unit calculator's list.
    QString text;
    switch (status) {
    case ConversionTableStatus::Loaded:
        break;
    case ConversionTableStatus::Missing:
        text = QStringLiteral("The unit table %1 is missing.").arg(fileName);
        break;
    case ConversionTableStatus::Empty:
        text = QStringLiteral("The unit table %1 is empty.").arg(fileName);
        break;
    case ConversionTableStatus::NotRegularFile:
    case ConversionTableStatus::Unreadable:
        text = loadedRecords > 0 ? QStringLiteral("%1 could not be read to its end (%2 units loaded): %3.")
                                       .arg(fileName)
                                       .arg(loadedRecords)
                                       .arg(reason)
                                 : OpenFailureMessage(fileName, reason);
        break;
    case ConversionTableStatus::TooManyRecords:
        text = QStringLiteral("%1 has more than 32,767 records and was not read.").arg(fileName);
        break;
    case ConversionTableStatus::Truncated:
        text = QStringLiteral("%1 is cut short: its last record is incomplete.").arg(fileName);
        break;
    }
    if (skippedRecords > 0) {
        const QString skipped = skippedRecords == 1
                                    ? QStringLiteral("1 damaged record skipped.")
                                    : QStringLiteral("%1 damaged records skipped.").arg(skippedRecords);
        text = text.isEmpty() ? QStringLiteral("%1 is damaged: %2").arg(fileName, skipped)
                              : text + QLatin1Char(' ') + skipped;
    }
    return text;
}

ConversionTableLoad ReadConversionRecords(QIODevice &device)
{
    // When the count rounds up, the partial last record's missing bytes read
    // as those of a blank record: spaces in the text fields, zero in the numbers.
    static const QByteArray blank = EncodeConversionRecord(ConversionRecord());
    const FixedRecord::ReadResult read =
        FixedRecord::ReadRecords(device, ConversionRecordSize, blank, MaxConversionRecords);

    ConversionTableLoad load;
    load.complete = read.complete;
    const qsizetype count = read.bytes.size() / ConversionRecordSize;
    load.records.reserve(count);
    const char *previous = nullptr;
    for (qsizetype i = 0; i < count; ++i) {
        const char *in = read.bytes.constData() + i * ConversionRecordSize;
        ConversionRecord record = decodeRecord(in, previous, previous ? &load.records.constLast() : nullptr);
        if (!HasUsableFactors(record)) {
            ++load.report.skippedRecords;
            continue;
        }
        load.records.append(std::move(record));
        previous = in;
    }

    ConversionTableReport &report = load.report;
    report.loadedRecords = load.records.size();
    if (read.overLimit) {
        report.status = ConversionTableStatus::TooManyRecords;
    } else if (!read.complete) {
        report.status = ConversionTableStatus::Unreadable;
        report.reason = device.errorString();
        if (report.reason.isEmpty() || report.reason == QLatin1String("Unknown error"))
            report.reason = QStringLiteral("read error after %1 bytes").arg(read.stoppedAt);
    } else if (read.length == 0) {
        report.status = ConversionTableStatus::Empty;
    } else if (read.length % ConversionRecordSize != 0) {
        report.status = ConversionTableStatus::Truncated;
    }
    return load;
}

void SortConversionTable(QList<ConversionRecord> &records)
{
    // Same order as a stable bubble sort on the keys, in O(n log n).
    const qsizetype n = records.size();
    std::vector<char16_t> keys(std::size_t(n) * SortKeyLength);
    for (qsizetype i = 0; i < n; ++i) {
        char16_t *out = keys.data() + i * SortKeyLength;
        out = WriteSortKey(records.at(i).UnitType, UnitTypeWidth, out);
        WriteSortKey(records.at(i).UnitName, UnitNameWidth, out);
    }

    std::vector<qsizetype> order(n);
    std::iota(order.begin(), order.end(), 0);
    const char16_t *keyData = keys.data();
    std::stable_sort(order.begin(), order.end(), [keyData](qsizetype a, qsizetype b) {
        return std::char_traits<char16_t>::compare(keyData + a * SortKeyLength, keyData + b * SortKeyLength,
                                                   SortKeyLength) < 0;
    });

    QList<ConversionRecord> sorted;
    sorted.reserve(n);
    for (qsizetype index : order)
        sorted.append(std::move(records[index]));
    records = std::move(sorted);
}

QStringList BuildUnitTypeList(const QList<ConversionRecord> &records)
{
    QStringList types;
    QString last;
    for (const ConversionRecord &record : records) {
        if (record.UnitType != last) {
            last = record.UnitType;
            types.append(last);
        }
    }
    return types;
}

void ConversionTableData::reset(QList<ConversionRecord> records, bool sorted)
{
    m_records = std::move(records);
    m_unitTypes = sorted ? BuildUnitTypeList(m_records) : QStringList();
    m_report = {}; // records set whole have no load to report; load() sets its own

    const qsizetype n = m_records.size();
    std::size_t capacity = 16;
    while (capacity < std::size_t(n) * 2)
        capacity *= 2;
    m_names.assign(capacity, NameEntry());
    m_nextSameName.assign(std::size_t(n), -1);

    // Inserted from the last slot down, so each chain runs in table order and
    // the entry ends up holding the first slot's factors.
    const std::size_t mask = capacity - 1;
    for (qsizetype i = n - 1; i >= 0; --i) {
        const ConversionRecord &record = m_records.at(i);
        NameEntry probe;
        fillNameKey(probe.key, record.UnitName);
        std::size_t at = hashNameKey(probe.key) & mask;
        while (m_names[at].first >= 0 && !sameNameKey(m_names[at].key, probe.key))
            at = (at + 1) & mask;
        NameEntry &entry = m_names[at];
        if (entry.first < 0)
            std::memcpy(entry.key, probe.key, sizeof probe.key);
        else
            m_nextSameName[i] = entry.first;
        entry.first = int(i);
        entry.XFactor = record.XFactor;
        entry.PlusFactor = record.PlusFactor;
    }

    for (const UnitNameForm form : {UnitNameForm::Trimmed, UnitNameForm::Spelled, UnitNameForm::CaseFree}) {
        std::vector<std::pair<quint32, int>> &index = m_formIndex[int(form)];
        index.clear();
        index.reserve(std::size_t(n));
        QString storage;
        storage.reserve(4 * UnitNameWidth);
        for (qsizetype i = 0; i < n; ++i)
            index.emplace_back(formHash(nameInForm(form, m_records.at(i).UnitName, storage)), int(i));
        std::sort(index.begin(), index.end());
    }
}

QList<int> ConversionTableData::slotsWithNameForm(UnitNameForm form, QStringView key, qsizetype limit) const
{
    // Equal hashes come out in slot order; each candidate's name is checked,
    // since different names may share a hash.
    const std::vector<std::pair<quint32, int>> &index = m_formIndex[int(form)];
    const quint32 hash = formHash(key);
    auto at = std::lower_bound(index.begin(), index.end(), std::pair<quint32, int>(hash, -1));
    QList<int> found;
    QString storage;
    for (; at != index.end() && at->first == hash; ++at) {
        if (nameInForm(form, m_records.at(at->second).UnitName, storage) != key)
            continue;
        found.append(at->second);
        if (found.size() == limit)
            break;
    }
    return found;
}

QString UnitNameSpelling(QStringView text)
{
    QString spelled;
    spelled.reserve(text.size());
    appendSpelling(spelled, text, false);
    return spelled;
}

QString UnitNameCaseFreeKey(QStringView text)
{
    return UnitNameSpelling(text).toLower();
}

const ConversionTableData::NameEntry *ConversionTableData::findName(QStringView paddedName) const
{
    if (paddedName.size() != UnitNameWidth || m_names.empty())
        return nullptr;
    NameEntry probe;
    fillNameKey(probe.key, paddedName);
    const std::size_t mask = m_names.size() - 1;
    for (std::size_t at = hashNameKey(probe.key) & mask;; at = (at + 1) & mask) {
        const NameEntry &entry = m_names[at];
        if (entry.first < 0)
            return nullptr;
        if (sameNameKey(entry.key, probe.key))
            return &entry;
    }
}

int ConversionTableData::indexOfName(const QString &paddedName) const
{
    const NameEntry *entry = findName(paddedName);
    return entry ? entry->first : -1;
}

QList<int> ConversionTableData::indexesOfName(const QString &paddedName) const
{
    QList<int> found;
    if (const NameEntry *entry = findName(paddedName)) {
        for (int i = entry->first; i >= 0; i = m_nextSameName[i])
            found.append(i);
    }
    return found;
}

void ConversionTableData::load(QIODevice &device)
{
    ConversionTableLoad load = ReadConversionRecords(device);
    if (load.complete)
        SortConversionTable(load.records);
    reset(std::move(load.records), load.complete);
    m_report = load.report;
}

void ConversionTableData::load(const QString &fileName)
{
    ConversionTableReport report;
    report.fileName = QFileInfo(fileName).fileName();
    QFile file;
    const RegularFileOpen opened = OpenRegularFileForReading(file, fileName);
    switch (opened.status) {
    case RegularFileStatus::Opened:
        load(file);
        m_report.fileName = report.fileName;
        return;
    case RegularFileStatus::Missing: {
        // A missing table is created empty, as the program has always done;
        // NewOnly, so a FIFO that appeared meanwhile is never opened.
        QFile created(fileName);
        if (created.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            created.close();
        report.status = ConversionTableStatus::Missing;
        break;
    }
    case RegularFileStatus::NotRegularFile:
    case RegularFileStatus::Unreadable:
        report.status = opened.status == RegularFileStatus::NotRegularFile
                            ? ConversionTableStatus::NotRegularFile
                            : ConversionTableStatus::Unreadable;
        report.reason = opened.reason;
        break;
    }
    reset({}, true);
    m_report = report;
}
