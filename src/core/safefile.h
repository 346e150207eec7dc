#pragma once
// The one way the program reads and writes its files. Reads take only a
// regular file, never block (a FIFO under a file's name would wait for a
// writer for ever) and stop at a size cap. Writes replace a file whole or not
// at all: the bytes go to a temporary file beside it, are flushed to the disk
// and checked, and only then renamed over the old file. A folder, FIFO,
// socket or device at the target is never replaced; a symbolic link to a
// regular file is saved through, keeping the file's permissions.
//
// Every refusal is a short phrase in the user's words ("the disk is full",
// "it is a folder, not a file"), which the messages below put after the
// file's name, so every window speaks of files in one voice.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QFile;

// File names as the system keeps them: bytes. Valid UTF-8 reads as
// QFile::decodeName reads it; any other byte becomes a lone surrogate
// (U+DC80 + byte), so a name such as "caf\xe9.tvaxis" comes back whole.
QString DecodeFileName(const QByteArray &native);
QByteArray EncodeFileName(const QString &name);

enum class RegularFileStatus {
    Opened,
    Missing,        // nothing under that name
    NotRegularFile, // a folder, FIFO, socket or device; left unopened
    Unreadable,     // there, but the system refused to open it
};

struct RegularFileOpen
{
    RegularFileStatus status = RegularFileStatus::Missing;
    QString reason; // what is wrong, in the user's words; empty when opened or missing
};

// Opens path read-only into file (which must not be open), for readers that
// stream. The type is judged on the opened handle, so a name swapped between
// a check and the open cannot slip a FIFO in.
RegularFileOpen OpenRegularFileForReading(QFile &file, const QString &path);

// Whether anything is under the name (a link to nothing included).
bool FileExists(const QString &path);

struct FileRead
{
    std::optional<QByteArray> bytes; // the whole file; nullopt when refused
    bool missing = false;            // refused because nothing is there
    QString problem;                 // why it was refused, in the user's words
};

// The whole of a regular file of at most cap bytes.
FileRead ReadRegularFile(const QString &path, qint64 cap);

struct FileWrite
{
    bool ok = true;
    bool existed = false; // a file was there before (and is still there, unchanged, on failure)
    QString problem;      // why nothing was written, in the user's words
};

enum class WriteMode {
    Replace,    // a regular file there is replaced
    CreateOnly, // a file there is kept: the write then fails
};

// Writes bytes as the file at path, whole or not at all (see above).
FileWrite WriteFileAtomically(const QString &path, const QByteArray &bytes,
                              WriteMode mode = WriteMode::Replace);

// Appends bytes to the regular file at path, created when missing. What
// prefix gives for the file's last two bytes goes first. A write that fails
// part-way is cut back off, so the file is as it was; a file the failed
// append created is removed again.
FileWrite AppendToFile(const QString &path, const QByteArray &bytes,
                       const std::function<QByteArray(const QByteArray &tail)> &prefix = {});

// "Could not open <file>: <problem>."
QString OpenFailureMessage(const QString &path, const QString &problem);
// "Could not save <file>: <problem>." and what became of the file there.
QString SaveFailureMessage(const QString &path, const FileWrite &write);
