#include "densities/densitytable.h"

#include "core/datafiles.h"
#include "core/fixedrecord.h"
#include "core/fixedtext.h"
#include "core/safefile.h"
#include "units/conversiontable.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int NameOffset = 0;
constexpr int DensityOffset = 20;
constexpr int ListValueWidth = 12;

const QByteArray &blankRecord()
{
    static const QByteArray blank = EncodeDensityRecord(DensityRecord());
    return blank;
}

// A name's sort key, the upper-cased characters packed four to a word with
// the first in the high bits, so that comparing words compares the
// characters in order, four at a time; the record's place breaks ties.
struct SortEntry
{
    std::array<quint64, MaterialNameWidth / 4> words;
    qsizetype index;
    friend bool operator<(const SortEntry &a, const SortEntry &b)
    {
        for (std::size_t i = 0; i < a.words.size(); ++i)
            if (a.words[i] != b.words[i])
                return a.words[i] < b.words[i];
        return a.index < b.index;
    }
};
static_assert(MaterialNameWidth % 4 == 0);

DensityRecord decodeRecord(const char *in)
{
    return {FixedRecord::ReadText(in + NameOffset, MaterialNameWidth),
            FixedRecord::ReadSingle(in + DensityOffset)};
}

SortEntry sortEntry(const QString &name, qsizetype index)
{
    std::array<char16_t, MaterialNameWidth> key;
    WriteSortKey(name, MaterialNameWidth, key.data());
    SortEntry entry{{}, index};
    for (std::size_t i = 0; i < key.size(); ++i)
        entry.words[i / 4] = entry.words[i / 4] << 16 | key[i];
    return entry;
}

} // namespace

const QString &DensityStorageUnit()
{
    static const QString unit = PadRight(QStringLiteral("kg/m³"), UnitNameWidth);
    return unit;
}

QString DensityFilePath(const DataFiles::Layout &layout)
{
    return DataFiles::UserFile(layout, QStringLiteral("density.dat"));
}

QByteArray EncodeDensityRecord(const DensityRecord &record)
{
    QByteArray bytes(DensityRecordSize, Qt::Uninitialized);
    FixedRecord::WriteText(record.MaterialName, bytes.data() + NameOffset, MaterialNameWidth);
    FixedRecord::WriteSingle(record.DensityValue, bytes.data() + DensityOffset);
    return bytes;
}

DensityRecord DecodeDensityRecord(const QByteArray &bytes)
{
    QByteArray full = bytes.left(DensityRecordSize);
    if (full.size() < DensityRecordSize)
        full.append(blankRecord().mid(full.size()));
    return decodeRecord(full.constData());
}

DensityFileLoad LoadDensityFile(QIODevice &device)
{
    const FixedRecord::ReadResult read =
        FixedRecord::ReadRecords(device, DensityRecordSize, QByteArray(), MaxDensityRecords);
    DensityFileLoad load;
    load.length = read.length;
    if (read.overLimit) {
        load.problem = DensityFileProblem::TooLarge;
        return load;
    }
    // Whole records only: the count read rounds a partial last record up.
    const qsizetype count = std::min<qsizetype>(read.bytes.size(), read.length) / DensityRecordSize;
    load.records.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        load.records.append(decodeRecord(read.bytes.constData() + i * DensityRecordSize));
    SortDensityTable(load.records);
    if (!read.complete) {
        load.problem = DensityFileProblem::ReadFailed;
        load.reason = device.errorString();
    } else if (read.length % DensityRecordSize != 0) {
        load.problem = DensityFileProblem::PartialRecord;
    }
    return load;
}

DensityFileLoad LoadDensityFile(const QString &fileName)
{
    QFile file;
    const RegularFileOpen opened = OpenRegularFileForReading(file, fileName);
    DensityFileLoad load;
    switch (opened.status) {
    case RegularFileStatus::Opened:
        return LoadDensityFile(file);
    case RegularFileStatus::Missing:
        break;
    case RegularFileStatus::NotRegularFile:
    case RegularFileStatus::Unreadable:
        load.problem = opened.status == RegularFileStatus::NotRegularFile ? DensityFileProblem::NotRegularFile
                                                                          : DensityFileProblem::Unreadable;
        load.reason = opened.reason;
        break;
    }
    return load;
}

QString DensityFileLoad::message(const QString &fileName) const
{
    const QString name = QDir::toNativeSeparators(fileName);
    QString what;
    switch (problem) {
    case DensityFileProblem::None:
        return QString();
    case DensityFileProblem::NotRegularFile:
    case DensityFileProblem::Unreadable:
        what = OpenFailureMessage(fileName, reason);
        break;
    case DensityFileProblem::ReadFailed:
        what = QStringLiteral("%1 could not be read to its end (%2 materials read): %3.")
                   .arg(name)
                   .arg(records.size())
                   .arg(reason);
        break;
    case DensityFileProblem::PartialRecord:
        what = QStringLiteral("%1 is %2 bytes long, not a whole number of %3-byte records: its last %4 "
                              "bytes are no whole material and were not read.")
                   .arg(name)
                   .arg(length)
                   .arg(DensityRecordSize)
                   .arg(length % DensityRecordSize);
        break;
    case DensityFileProblem::TooLarge:
        what = QStringLiteral("%1 is too large (%2 bytes; at most %3 materials are read), so no "
                              "materials were read.")
                   .arg(name, QLocale().toString(length), QLocale().toString(MaxDensityRecords));
        break;
    }
    return what + QStringLiteral(" The table is read-only, so that nothing in the file is lost.");
}

QByteArray DensityFileBytes(const QList<DensityRecord> &records)
{
    QByteArray bytes;
    bytes.reserve(records.size() * DensityRecordSize);
    for (const DensityRecord &record : records)
        bytes.append(EncodeDensityRecord(record));
    return bytes;
}

bool SaveDensityFile(QIODevice &device, const QList<DensityRecord> &records)
{
    return FixedRecord::WriteRecords(device, DensityFileBytes(records));
}

QString DensitySaveResult::message() const
{
    return SaveFailureMessage(fileName, write);
}

DensitySaveResult SaveDensityFile(const QString &fileName, const QList<DensityRecord> &records)
{
    return {fileName, WriteFileAtomically(fileName, DensityFileBytes(records))};
}

void SortDensityTable(QList<DensityRecord> &records)
{
    // The order of a bubble sort that swaps only strictly later names, in O(n log n).
    std::vector<SortEntry> entries;
    entries.reserve(std::size_t(records.size()));
    for (qsizetype i = 0; i < records.size(); ++i)
        entries.push_back(sortEntry(records.at(i).MaterialName, i));
    // A file this program wrote is in order already.
    if (std::is_sorted(entries.begin(), entries.end()))
        return;
    std::sort(entries.begin(), entries.end());

    QList<DensityRecord> sorted;
    sorted.reserve(records.size());
    for (const SortEntry &entry : entries)
        sorted.append(std::move(records[entry.index]));
    records = std::move(sorted);
}

QString MaterialListLine(const QString &materialName, const QString &valueText)
{
    // A text cut to the field would lose its sign or its leading digits.
    return PadRight(materialName, MaterialNameWidth) + QLatin1Char(' ') +
           valueText.rightJustified(ListValueWidth, QLatin1Char(' '));
}

MaterialLineFormat::MaterialLineFormat(const ConversionTableData &table, const QString &displayUnit,
                                       int digits, bool notation)
    : m_table(&table), m_displayUnit(displayUnit),
      m_pattern(notation ? ScientificPattern(digits) : QString()), m_digits(digits),
      m_separator(LocaleDecimalSeparator())
{}

QString MaterialLineFormat::line(const DensityRecord &record) const
{
    const std::optional<float> value =
        m_table ? ConvertKnownUnits(*m_table, record.DensityValue, DensityStorageUnit(), m_displayUnit)
                : std::nullopt;
    QString text;
    if (!value || !std::isfinite(*value))
        text = QStringLiteral("Overflow");
    else
        text = m_pattern.isEmpty() ? FormatSignificant(*value, m_digits, m_separator)
                                   : FormatWithPattern(*value, m_pattern, m_separator);
    return MaterialListLine(record.MaterialName, text);
}

QStringList MaterialListLines(const ConversionTableData &table, const QList<DensityRecord> &records,
                              const QString &displayUnit, int digits, bool notation)
{
    const MaterialLineFormat format(table, displayUnit, digits, notation);
    QStringList lines;
    lines.reserve(records.size());
    for (const DensityRecord &record : records)
        lines.append(format.line(record));
    return lines;
}
