#pragma once
// Fixed-length record files: flat sequences of same-size records with no
// header, written field by field. Text fields are single-byte Windows-1252 of
// a fixed width, numbers little-endian. The data files of the program
// (converts.dat, density.dat) are all of this kind.

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringView>

#include <optional>

class QIODevice;

namespace FixedRecord {

// Text fields. Decoding keeps the full width (padding included); every byte
// survives a decode and encode, the five bytes Windows-1252 leaves undefined
// included (they map to the C1 control of the same value). Encoding pads
// with spaces or cuts to the width; a character the code page lacks is
// written as '?'.
QString ReadText(const char *in, int width);
void WriteText(QStringView text, char *out, int width);
// True when the character has a byte of its own in Windows-1252.
bool IsEncodable(QChar c);

// Numbers, little-endian.
float ReadSingle(const char *in);
void WriteSingle(float value, char *out);
qint16 ReadInt16(const char *in);
void WriteInt16(qint16 value, char *out);
// A 16-bit boolean: written as -1 (FF FF) or 0; any non-zero value reads true.
bool ReadBoolean16(const char *in);
void WriteBoolean16(bool value, char *out);

inline constexpr qsizetype NoRecordLimit = -1;

// Records a file of the given length holds: length / recordSize rounded to
// the nearest whole number, halves to even (a file whose length is not a
// multiple may hold a partial last record). nullopt above maxRecords.
std::optional<qsizetype> RecordCount(qint64 length, int recordSize, qsizetype maxRecords = NoRecordLimit);

struct ReadResult
{
    QByteArray bytes;       // the records read, each exactly recordSize bytes
    qsizetype expected = 0; // records the device's length calls for
    qint64 length = 0;      // device bytes from the start position to the end
    qint64 stoppedAt = 0;   // device bytes consumed when reading ended
    bool complete = true;   // false when the count was over the limit or the device failed
    bool overLimit = false; // the length calls for more than maxRecords: nothing was read
};

// Reads every record from the device's current position to its end. When
// the count rounds up, the partial last record's missing bytes are taken from
// blankRecord (zeros where it is shorter). When the device fails part-way,
// only the whole records read before the failure are kept.
ReadResult ReadRecords(QIODevice &device, int recordSize, const QByteArray &blankRecord = {},
                       qsizetype maxRecords = NoRecordLimit);

// Writes the encoded records; false when the device refuses any byte (its
// errorString() then says why).
bool WriteRecords(QIODevice &device, const QByteArray &records);

} // namespace FixedRecord
