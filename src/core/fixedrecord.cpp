#include "core/fixedrecord.h"

#include <QIODevice>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// map to the C1 control of the same value, as Windows itself does, so every
// byte survives a decode/encode round trip.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t decodeCp1252(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return Cp1252High[byte - 0x80];
    return byte;
}

std::optional<char> encodeCp1252(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

// Reading in steps keeps a device that claims a huge length from costing
// memory before it has delivered the bytes.
constexpr qint64 ReadChunk = qint64(1) << 20;

} // namespace

namespace FixedRecord {

QString ReadText(const char *in, int width)
{
    QString text(width, Qt::Uninitialized);
    QChar *out = text.data();
    for (int i = 0; i < width; ++i)
        out[i] = QChar(decodeCp1252(static_cast<unsigned char>(in[i])));
    return text;
}

void WriteText(QStringView text, char *out, int width)
{
    const qsizetype used = std::min<qsizetype>(text.size(), width);
    for (qsizetype i = 0; i < used; ++i)
        out[i] = encodeCp1252(text.at(i).unicode()).value_or('?');
    std::fill(out + used, out + width, ' ');
}

bool IsEncodable(QChar c)
{
    return encodeCp1252(c.unicode()).has_value();
}

float ReadSingle(const char *in)
{
    return qFromLittleEndian<float>(in);
}

void WriteSingle(float value, char *out)
{
    qToLittleEndian<float>(value, out);
}

qint16 ReadInt16(const char *in)
{
    return qFromLittleEndian<qint16>(in);
}

void WriteInt16(qint16 value, char *out)
{
    qToLittleEndian<qint16>(value, out);
}

bool ReadBoolean16(const char *in)
{
    return ReadInt16(in) != 0;
}

void WriteBoolean16(bool value, char *out)
{
    WriteInt16(value ? qint16(-1) : qint16(0), out);
}

std::optional<qsizetype> RecordCount(qint64 length, int recordSize, qsizetype maxRecords)
{
    if (length < 0 || recordSize <= 0)
        return std::nullopt;
    qint64 count = length / recordSize;
    const qint64 rest = length % recordSize;
    if (rest * 2 > recordSize || (rest * 2 == recordSize && count % 2 != 0))
        ++count;
    if (maxRecords != NoRecordLimit && count > maxRecords)
        return std::nullopt;
    return static_cast<qsizetype>(count);
}

ReadResult ReadRecords(QIODevice &device, int recordSize, const QByteArray &blankRecord, qsizetype maxRecords)
{
    ReadResult result;
    const qint64 length = device.isSequential() ? device.bytesAvailable() : device.size() - device.pos();
    result.length = length;
    const std::optional<qsizetype> count = RecordCount(length, recordSize, maxRecords);
    if (!count) {
        result.complete = false;
        result.overLimit = length >= 0;
        return result;
    }
    result.expected = *count;

    // A count that rounds up ends in a partial record: read what there is.
    const qint64 wanted = std::min<qint64>(length, qint64(*count) * recordSize);
    QByteArray &data = result.bytes;
    qint64 got = 0;
    while (got < wanted) {
        if (data.size() == got)
            data.resize(std::min(wanted, got + std::max(got, ReadChunk)));
        const qint64 n = device.read(data.data() + got, data.size() - got);
        if (n <= 0)
            break;
        got += n;
    }
    result.stoppedAt = got;

    if (got < wanted) {
        // The device failed: keep the whole records only.
        result.complete = false;
        data.truncate(got - got % recordSize);
        return result;
    }
    data.truncate(got);
    if (const qint64 partial = got % recordSize) {
        QByteArray rest = blankRecord.mid(partial, recordSize - partial);
        rest.append(QByteArray(recordSize - partial - rest.size(), '\0'));
        data.append(rest);
    }
    return result;
}

bool WriteRecords(QIODevice &device, const QByteArray &records)
{
    qint64 written = 0;
    while (written < records.size()) {
        const qint64 n = device.write(records.constData() + written, records.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace FixedRecord
