#pragma once
// Opening a data file for reading without ever blocking. Only a regular file
// is read: a FIFO under a data file's name would make a plain open wait for a
// writer for ever, and a folder or a device is no table either.

#include <QFileDevice>
#include <QString>

class QFile;

enum class RegularFileStatus {
    Opened,
    Missing,        // nothing under that name
    NotRegularFile, // a folder, FIFO, socket or device; left unopened
    Unreadable,     // there, but the system refused to open it (reason says why)
};

struct RegularFileOpen
{
    RegularFileStatus status = RegularFileStatus::Missing;
    QString reason; // the system's words when the file could not be opened
};

// Opens path read-only into file (which must not be open). The type is judged
// on the opened handle, so a name swapped between a check and the open cannot
// slip a FIFO in.
RegularFileOpen OpenRegularFileForReading(QFile &file, const QString &path);

// What a save would replace at path, judged through any symbolic links: a
// save may create a missing file or replace a regular one, never a folder,
// FIFO, socket or device, nor the target of a link that leads nowhere.
enum class SaveTarget { Missing, RegularFile, NotRegularFile };
SaveTarget CheckSaveTarget(const QString &path);

// The permissions the user's umask gives a newly created file (read and
// write for whom the umask allows), for files made by copying, which would
// otherwise take the permissions of their source.
QFileDevice::Permissions NewFilePermissions();
