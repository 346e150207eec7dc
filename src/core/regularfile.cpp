#include "core/regularfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFileOpen OpenRegularFileForReading(QFile &file, const QString &path)
{
    // Non-blocking, so opening a FIFO returns at once instead of waiting for a writer.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return {RegularFileStatus::Missing, QString()};
        // A socket cannot be opened at all: name its kind, not the system's error.
        if (struct stat info = {}; ::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode))
            return {RegularFileStatus::NotRegularFile, QString()};
        return {RegularFileStatus::Unreadable, QString::fromLocal8Bit(std::strerror(error))};
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {RegularFileStatus::NotRegularFile, QString()};
    }
    // Reads of a regular file never block; the flag is cleared for plain reads.
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {RegularFileStatus::Unreadable, file.errorString()};
    }
    return {RegularFileStatus::Opened, QString()};
}

namespace {

mode_t currentUmask()
{
    // The kernel tells it without changing it; elsewhere it is set and put back at once.
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("Umask:")) {
                bool ok = false;
                const uint mask = line.mid(6).trimmed().toUInt(&ok, 8);
                if (ok)
                    return mode_t(mask & 0777);
            }
        }
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

SaveTarget CheckSaveTarget(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info = {};
    if (::lstat(native.constData(), &info) != 0)
        return errno == ENOENT ? SaveTarget::Missing : SaveTarget::NotRegularFile;
    if (S_ISLNK(info.st_mode) && ::stat(native.constData(), &info) != 0)
        return SaveTarget::NotRegularFile; // a link to nothing: saving would create its target
    return S_ISREG(info.st_mode) ? SaveTarget::RegularFile : SaveTarget::NotRegularFile;
}

QFileDevice::Permissions NewFilePermissions()
{
    const mode_t mask = currentUmask();
    QFileDevice::Permissions permissions;
    const std::pair<mode_t, QFileDevice::Permissions> bits[] = {
        {S_IRUSR, QFileDevice::ReadOwner | QFileDevice::ReadUser},
        {S_IWUSR, QFileDevice::WriteOwner | QFileDevice::WriteUser},
        {S_IRGRP, QFileDevice::ReadGroup},
        {S_IWGRP, QFileDevice::WriteGroup},
        {S_IROTH, QFileDevice::ReadOther},
        {S_IWOTH, QFileDevice::WriteOther}};
    for (const auto &[bit, permission] : bits) {
        if (!(mask & bit))
            permissions |= permission;
    }
    return permissions;
}
