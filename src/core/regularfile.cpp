#include "core/regularfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>

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
