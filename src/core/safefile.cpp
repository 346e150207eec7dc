#include "core/safefile.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A lone low surrogate standing for one byte that is no UTF-8.
constexpr char16_t EscapedByteBase = 0xDC00;

bool isEscapedByte(const QString &name, qsizetype k)
{
    const char16_t c = name.at(k).unicode();
    return c >= EscapedByteBase + 0x80 && c <= EscapedByteBase + 0xFF &&
           (k == 0 || !name.at(k - 1).isHighSurrogate());
}

// The length of the valid UTF-8 sequence at bytes[k], or 0.
qsizetype utf8SequenceLength(const QByteArray &bytes, qsizetype k)
{
    const auto lead = uchar(bytes.at(k));
    const qsizetype length = lead < 0x80                   ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (length == 0 || k + length > bytes.size())
        return 0;
    if (!QByteArrayView(bytes).sliced(k, length).isValidUtf8())
        return 0;
    return length;
}

QString systemPhrase(int error, bool writing)
{
    switch (error) {
    case ENOSPC:
        return QStringLiteral("the disk is full");
    case EDQUOT:
        return QStringLiteral("your disk quota is used up");
    case EFBIG:
        return QStringLiteral("the file would be larger than the system allows");
    case EACCES:
    case EPERM:
        return writing ? QStringLiteral("you are not allowed to write there")
                       : QStringLiteral("you are not allowed to read it");
    case EROFS:
        return QStringLiteral("the disk is read-only");
    case ENOENT:
        return writing ? QStringLiteral("its folder does not exist")
                       : QStringLiteral("there is no such file");
    case ENOTDIR:
        return QStringLiteral("part of its path is not a folder");
    case ENAMETOOLONG:
        return QStringLiteral("its name is too long");
    case EISDIR:
        return QStringLiteral("it is a folder, not a file");
    case ELOOP:
        return QStringLiteral("its symbolic links lead round in a circle");
    case EIO:
        return QStringLiteral("the disk reported an error");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("too many files are open");
    default: {
        QString words = QString::fromLocal8Bit(std::strerror(error));
        if (!words.isEmpty())
            words[0] = words.at(0).toLower();
        return words;
    }
    }
}

// What a file of that type is, as a refusal; empty for a regular file.
QString kindPhrase(mode_t mode, bool throughLink)
{
    QString kind;
    if (S_ISDIR(mode))
        kind = QStringLiteral("a folder");
    else if (S_ISFIFO(mode))
        kind = QStringLiteral("a pipe (FIFO)");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("a socket");
    else if (S_ISCHR(mode) || S_ISBLK(mode))
        kind = QStringLiteral("a device");
    else if (!S_ISREG(mode))
        kind = QStringLiteral("no ordinary file");
    if (kind.isEmpty())
        return kind;
    return throughLink ? QStringLiteral("it is a link to %1, not to a file").arg(kind)
                       : QStringLiteral("it is %1, not a file").arg(kind);
}

QString sizeText(qint64 bytes)
{
    if (bytes >= 1024 * 1024)
        return QStringLiteral("%1 MB").arg(bytes / (1024 * 1024));
    return QStringLiteral("%1 KB").arg(qMax<qint64>(bytes / 1024, 1));
}

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

// Writes all of bytes, through interruptions and short writes; errno on failure.
bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = ::write(fd, bytes.constData() + done, std::size_t(bytes.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        done += wrote;
    }
    return true;
}

// Where a write must go: the file itself, or what a symbolic link leads to.
struct Target
{
    QByteArray native;
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
    QString refusal;
};

Target saveTarget(const QString &path)
{
    Target target;
    target.native = EncodeFileName(path);
    struct stat info = {};
    if (::lstat(target.native.constData(), &info) != 0) {
        if (errno != ENOENT)
            target.refusal = systemPhrase(errno, true);
        return target;
    }
    const bool link = S_ISLNK(info.st_mode);
    if (link) {
        char *resolved = ::realpath(target.native.constData(), nullptr);
        if (!resolved || ::stat(resolved, &info) != 0) {
            // A link to nothing: saving would create a file where it points.
            target.refusal = errno == ELOOP ? systemPhrase(ELOOP, true)
                                            : QStringLiteral("it is a link to a file that is not there");
            std::free(resolved);
            return target;
        }
        target.native = resolved;
        std::free(resolved);
    }
    target.refusal = kindPhrase(info.st_mode, link);
    target.exists = true;
    target.mode = info.st_mode & 07777;
    target.owner = info.st_uid;
    target.group = info.st_gid;
    return target;
}

FileWrite failedWrite(bool existed, const QString &problem)
{
    return {false, existed, problem};
}

} // namespace

QString DecodeFileName(const QByteArray &native)
{
    if (native.isValidUtf8())
        return QFile::decodeName(native);
    QString name;
    qsizetype run = 0; // start of the valid bytes not yet decoded
    for (qsizetype k = 0; k < native.size();) {
        if (const qsizetype length = utf8SequenceLength(native, k)) {
            k += length;
            continue;
        }
        name += QString::fromUtf8(native.constData() + run, k - run);
        name += QChar(char16_t(EscapedByteBase + uchar(native.at(k))));
        run = ++k;
    }
    return name + QString::fromUtf8(native.constData() + run, native.size() - run);
}

QByteArray EncodeFileName(const QString &name)
{
    QByteArray native;
    qsizetype run = 0;
    for (qsizetype k = 0; k < name.size(); ++k) {
        if (!isEscapedByte(name, k))
            continue;
        native += QFile::encodeName(name.mid(run, k - run));
        native += char(name.at(k).unicode() - EscapedByteBase);
        run = k + 1;
    }
    return run == 0 ? QFile::encodeName(name) : native + QFile::encodeName(name.mid(run));
}

namespace {
bool isLink(const QByteArray &native)
{
    struct stat info = {};
    return ::lstat(native.constData(), &info) == 0 && S_ISLNK(info.st_mode);
}
} // namespace

RegularFileOpen OpenRegularFileForReading(QFile &file, const QString &path)
{
    // Non-blocking, so opening a FIFO returns at once instead of waiting for a writer.
    const QByteArray native = EncodeFileName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            return {RegularFileStatus::Missing, QString()};
        // A socket cannot be opened at all: name its kind, not the system's error.
        if (struct stat info = {}; ::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode))
            return {RegularFileStatus::NotRegularFile, kindPhrase(info.st_mode, isLink(native))};
        return {RegularFileStatus::Unreadable, systemPhrase(error, false)};
    }
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return {RegularFileStatus::NotRegularFile, kindPhrase(info.st_mode, isLink(native))};
    }
    // Reads of a regular file never block; the flag is cleared for plain reads.
    if (const int flags = ::fcntl(fd, F_GETFL); flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {RegularFileStatus::Unreadable, systemPhrase(EIO, false)};
    }
    return {RegularFileStatus::Opened, QString()};
}

bool FileExists(const QString &path)
{
    struct stat info = {};
    return ::lstat(EncodeFileName(path).constData(), &info) == 0;
}

FileRead ReadRegularFile(const QString &path, qint64 cap)
{
    QFile file;
    const RegularFileOpen opened = OpenRegularFileForReading(file, path);
    FileRead read;
    if (opened.status == RegularFileStatus::Missing) {
        read.missing = true;
        read.problem = systemPhrase(ENOENT, false);
        return read;
    }
    if (opened.status != RegularFileStatus::Opened) {
        read.problem = opened.reason;
        return read;
    }
    // The length is judged by reading, not by the size the file claims: it may grow meanwhile.
    QByteArray bytes;
    for (;;) {
        const QByteArray chunk = file.read(qMin<qint64>(cap + 1 - bytes.size(), 1 << 16));
        if (file.error() != QFileDevice::NoError) {
            read.problem = systemPhrase(EIO, false);
            return read;
        }
        if (chunk.isEmpty())
            break;
        bytes += chunk;
        if (bytes.size() > cap) {
            read.problem =
                QStringLiteral("it is larger than %1, more than such a file can be").arg(sizeText(cap));
            return read;
        }
    }
    read.bytes = std::move(bytes);
    return read;
}

FileWrite WriteFileAtomically(const QString &path, const QByteArray &bytes, WriteMode mode)
{
    const Target target = saveTarget(path);
    if (!target.refusal.isEmpty())
        return failedWrite(target.exists, target.refusal);
    if (target.exists && mode == WriteMode::CreateOnly)
        return failedWrite(true, QStringLiteral("a file of that name is there already"));

    // The temporary file sits beside the target, so the rename stays on one disk.
    const qsizetype slash = target.native.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : target.native.left(slash);
    const QByteArray base = target.native.mid(slash + 1);
    QByteArray temporary = folder + "/." + base.left(200) + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return failedWrite(target.exists, systemPhrase(errno, true));
    const auto fail = [&](int error) {
        ::close(fd);
        ::unlink(temporary.constData());
        return failedWrite(target.exists, systemPhrase(error, true));
    };
    if (!writeAll(fd, bytes))
        return fail(errno);
    // The old file's permissions (and owner, where allowed), or the umask's for a new one.
    const mode_t permissions = target.exists ? target.mode : (0666 & ~currentUmask());
    if (target.exists && (target.owner != ::geteuid() || target.group != ::getegid()) &&
        ::fchown(fd, target.owner, target.group) != 0) {
        // Only root may give a file away: the saved file is then the user's own.
    }
    if (::fchmod(fd, permissions) != 0)
        return fail(errno);
    // A disk that fills while the data is flushed says so here, not later.
    if (::fsync(fd) != 0)
        return fail(errno);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return failedWrite(target.exists, systemPhrase(error, true));
    }
    int placed = 0;
    if (mode == WriteMode::CreateOnly) {
        // A hard link never replaces a file that appeared meanwhile; a disk
        // without hard links gets the rename once nothing is there.
        placed = ::link(temporary.constData(), target.native.constData());
        int error = errno;
        if (placed != 0 && (error == EPERM || error == EOPNOTSUPP || error == EMLINK)) {
            struct stat info = {};
            if (::lstat(target.native.constData(), &info) == 0)
                error = EEXIST;
            else if (::rename(temporary.constData(), target.native.constData()) == 0)
                placed = 0;
            else
                error = errno;
        }
        ::unlink(temporary.constData());
        if (placed != 0)
            return failedWrite(error == EEXIST, error == EEXIST
                                                    ? QStringLiteral("a file of that name is there already")
                                                    : systemPhrase(error, true));
    } else if (::rename(temporary.constData(), target.native.constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return failedWrite(target.exists, systemPhrase(error, true));
    }
    // The rename itself reaches the disk with its folder.
    if (const int dir = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {true, target.exists, QString()};
}

FileWrite AppendToFile(const QString &path, const QByteArray &bytes,
                       const std::function<QByteArray(const QByteArray &tail)> &prefix)
{
    const Target target = saveTarget(path);
    if (!target.refusal.isEmpty())
        return failedWrite(target.exists, target.refusal);
    // Read access too, to see how the file ends; a file the user may only
    // write to is appended to without that look. Created only when missing,
    // so a failure never removes a file that was there.
    const int flags = O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    bool created = false;
    int fd = ::open(target.native.constData(), O_RDWR | flags);
    if (fd < 0 && errno == EACCES)
        fd = ::open(target.native.constData(), O_WRONLY | flags);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(target.native.constData(), O_RDWR | O_CREAT | O_EXCL | flags, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        return failedWrite(target.exists, systemPhrase(errno, true));
    struct stat info = {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return failedWrite(true, kindPhrase(info.st_mode, false));
    }
    const off_t sizeBefore = info.st_size;
    QByteArray tail;
    if (prefix) {
        char last[2];
        const off_t from = qMax<off_t>(sizeBefore - 2, 0);
        const ssize_t got = sizeBefore > 0 ? ::pread(fd, last, std::size_t(sizeBefore - from), from) : 0;
        tail = QByteArray(last, qMax<ssize_t>(got, 0));
    }
    const QByteArray all = prefix ? prefix(tail) + bytes : bytes;
    if (writeAll(fd, all) && ::fsync(fd) == 0) {
        ::close(fd);
        return {true, !created, QString()};
    }
    const int error = errno;
    // Cut back to the old length: the file is as it was.
    if (::ftruncate(fd, sizeBefore) == 0)
        ::fsync(fd);
    ::close(fd);
    if (created)
        ::unlink(target.native.constData());
    return failedWrite(!created, systemPhrase(error, true));
}

QString OpenFailureMessage(const QString &path, const QString &problem)
{
    return QStringLiteral("Could not open %1: %2.").arg(QDir::toNativeSeparators(path), problem);
}

QString SaveFailureMessage(const QString &path, const FileWrite &write)
{
    return QStringLiteral("Could not save %1: %2. %3")
        .arg(QDir::toNativeSeparators(path), write.problem,
             write.existed ? QStringLiteral("What was there is unchanged.")
                           : QStringLiteral("No file was made."));
}
