#include "app/singleinstance.h"

#include "core/safefile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QScopeGuard>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// A later start sends one line: "show", or "open " and the file's path
// (UTF-8, percent-encoded, so any name fits on the line). The running
// toolbar answers with one line too.
constexpr char ShowRequest[] = "show\n";
constexpr char OpenRequest[] = "open ";
constexpr char ShownAnswer[] = "shown\n";
constexpr char OpeningAnswer[] = "opening\n";
// Longer than any path, percent-encoded; a longer request is cut off.
constexpr qsizetype MaxRequest = 64 * 1024;
// A later start sends its request as soon as it is connected; a caller that
// has not sent a whole line by then is hung up on.
constexpr int CallerPatienceMs = 2000;
// Callers answered at once; more wait in the socket's queue.
constexpr int MaxCallers = 8;

// The address of the socket file at path; none when the path does not fit
// (the kernel takes 107 bytes and no more).
std::optional<sockaddr_un> socketAddress(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.contains('\0') || size_t(name.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return address;
}

const sockaddr *asSockaddr(const sockaddr_un &address)
{
    return reinterpret_cast<const sockaddr *>(&address);
}

// Neither end ever waits inside a call: the running toolbar is told by its
// event loop when there is something to read, a later start polls.
int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// Waits until fd is ready for events; false when the deadline passed first.
bool waitFor(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd watched{fd, events, 0};
    int ready = 0;
    do
        ready = ::poll(&watched, 1, int(deadline.remainingTime()));
    while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// The call would have had to wait, or a signal broke in: try again later.
bool again()
{
    return errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
}
} // namespace

// One later start, connected: its request is read as its bytes arrive, so a
// caller that sends nothing, or no end of bytes, never holds up the toolbar.
class SingleInstance::Caller : public QObject
{
public:
    Caller(int fd, SingleInstance *instance)
        : QObject(instance), m_instance(instance), m_fd(fd), m_readable(fd, QSocketNotifier::Read)
    {
        connect(&m_readable, &QSocketNotifier::activated, this, &Caller::read);
        QTimer::singleShot(CallerPatienceMs, this, [this]() {
            read();
            hangUp();
        });
    }
    ~Caller() override { close(); }

private:
    void read()
    {
        char buffer[4096];
        while (m_fd >= 0) {
            if (m_received.size() >= MaxRequest) // no request is that long
                return hangUp();
            const size_t room = size_t(std::min<qsizetype>(sizeof buffer, MaxRequest - m_received.size()));
            const ssize_t got = ::recv(m_fd, buffer, room, 0);
            if (got < 0 && again())
                return;
            if (got <= 0) // gone
                return hangUp();
            m_received.append(buffer, got);
            const qsizetype end = m_received.indexOf('\n');
            if (end >= 0) {
                const QByteArray answer = m_instance->answer(m_received.left(end + 1));
                if (m_fd >= 0 && !answer.isEmpty())
                    (void)::send(m_fd, answer.constData(), size_t(answer.size()), MSG_NOSIGNAL);
                return hangUp();
            }
        }
    }
    void hangUp()
    {
        if (m_fd < 0)
            return;
        close();
        m_instance->callerGone();
        deleteLater();
    }
    void close()
    {
        if (m_fd < 0)
            return;
        m_readable.setEnabled(false);
        ::close(m_fd);
        m_fd = -1;
    }

    SingleInstance *m_instance;
    int m_fd;
    QSocketNotifier m_readable;
    QByteArray m_received;
};

QString SingleInstance::lockPath(const QString &lockName, const QString &runtimeFolder,
                                 const QString &cacheFolder, const QString &hostName)
{
    if (!runtimeFolder.isEmpty())
        return QDir(runtimeFolder).filePath(lockName);
    // No runtime folder: never the temporary folder, where any user could
    // make the file first, but a folder in the user's own cache, one for
    // each machine (a home folder may be shared by several).
    return QDir(cacheFolder).filePath(QStringLiteral("torvane-toolbar-") + hostName + u'/' + lockName);
}

QString SingleInstance::lockPath(const QString &lockName)
{
    return lockPath(lockName, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                    QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation),
                    QSysInfo::machineHostName());
}

namespace {
// Makes the folder the lock goes in, open to this user alone; a problem for
// the user when it is not this user's own folder.
QString makePrivateFolder(const QString &path)
{
    const QString where = QDir::toNativeSeparators(path);
    const QByteArray name = QFile::encodeName(path);
    QDir().mkpath(QFileInfo(path).path());
    if (::mkdir(name.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return QStringLiteral("The folder %1 for the lock file cannot be created: %2.")
            .arg(where, qt_error_string(errno));
    struct stat status;
    if (::lstat(name.constData(), &status) != 0 || !S_ISDIR(status.st_mode) || status.st_uid != ::geteuid() ||
        ((status.st_mode & (S_IRWXG | S_IRWXO)) != 0 && ::chmod(name.constData(), S_IRWXU) != 0))
        return QStringLiteral("The folder %1 for the lock file is not yours alone.").arg(where);
    return {};
}
} // namespace

SingleInstance::SingleInstance(const QString &lockName, const QString &folder)
{
    const QString path = folder.isEmpty() ? lockPath(lockName) : QDir(folder).filePath(lockName);
    const QFileInfo lock(path);
    m_socketPath = lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
    const QString where = QDir::toNativeSeparators(path);
    m_problem = folder.isEmpty() ? makePrivateFolder(lock.path()) : QString();
    if (m_problem.isEmpty()) {
        m_lock = std::make_unique<QLockFile>(path);
        // A lock left by a crashed instance is stale once its process is gone;
        // QLockFile checks the process id, so no age limit is needed.
        m_lock->setStaleLockTime(0);
        if (m_lock->tryLock(0)) {
            m_status = Status::Acquired;
            return;
        }
        switch (m_lock->error()) {
        case QLockFile::LockFailedError:
            // Held: by this user's toolbar, or by a file someone else left under
            // this user's name, which no toolbar of this user can ever take over.
            if (QFileInfo(path).ownerId() == uint(::geteuid())) {
                m_status = Status::HeldByAnother;
                return;
            }
            m_problem = QStringLiteral("The lock file %1 belongs to another user.").arg(where);
            break;
        case QLockFile::PermissionError:
            m_problem = QStringLiteral("The lock file %1 cannot be created: permission denied.").arg(where);
            break;
        default:
            m_problem = QStringLiteral("The lock file %1 cannot be created.").arg(where);
            break;
        }
    }
    m_status = Status::CannotLock;
    m_problem += QStringLiteral(" Torvane Toolbar needs it to make sure only one toolbar runs; remove "
                                "the file or make its folder writable, then start the toolbar again.");
}

SingleInstance::~SingleInstance()
{
    if (m_listening < 0)
        return;
    m_listener->setEnabled(false);
    ::close(m_listening);
    // Before the lock goes: the file is this toolbar's, not a later one's.
    ::unlink(QFile::encodeName(m_socketPath).constData());
}

bool SingleInstance::listen()
{
    if (!acquired())
        return false;
    if (m_listening >= 0)
        return true;
    const std::optional<sockaddr_un> address = socketAddress(m_socketPath);
    if (!address) {
        qWarning("A second start cannot reach this toolbar: the path %s is too long for a local socket "
                 "(at most %d bytes).",
                 qPrintable(QDir::toNativeSeparators(m_socketPath)), int(sizeof address->sun_path) - 1);
        return false;
    }
    // A socket file left by a toolbar that crashed: the lock is ours, so no
    // other toolbar can be using it.
    ::unlink(address->sun_path);
    const int fd = newSocket();
    // Private to the user before anyone can connect, which needs listen().
    if (fd < 0 || ::bind(fd, asSockaddr(*address), sizeof *address) != 0 ||
        ::chmod(address->sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, MaxCallers) != 0) {
        const QString why = qt_error_string(errno);
        if (fd >= 0) {
            ::close(fd);
            ::unlink(address->sun_path);
        }
        qWarning("A second start cannot reach this toolbar: %s: %s",
                 qPrintable(QDir::toNativeSeparators(m_socketPath)), qPrintable(why));
        return false;
    }
    m_listening = fd;
    m_listener = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listener, &QSocketNotifier::activated, this, &SingleInstance::acceptCallers);
    return true;
}

void SingleInstance::acceptCallers()
{
    while (m_callers < MaxCallers) {
        const int fd = ::accept4(m_listening, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd >= 0) {
            new Caller(fd, this);
            ++m_callers;
        } else if (errno == ECONNABORTED || errno == EINTR) {
            continue;
        } else {
            // Out of descriptors or memory: try again in a moment, not in a
            // loop that would take the whole processor.
            if (!again()) {
                m_listener->setEnabled(false);
                QTimer::singleShot(200, this, [this]() { m_listener->setEnabled(m_callers < MaxCallers); });
            }
            return;
        }
    }
    m_listener->setEnabled(false); // until a caller is answered
}

void SingleInstance::callerGone()
{
    --m_callers;
    m_listener->setEnabled(true);
}

QByteArray SingleInstance::answer(const QByteArray &request)
{
    if (request == ShowRequest) {
        Q_EMIT showRequested();
        return ShownAnswer;
    }
    if (request.startsWith(OpenRequest)) {
        const QString file =
            DecodeFileName(QByteArray::fromPercentEncoding(request.mid(qstrlen(OpenRequest)).chopped(1)));
        // The axis window runs an event loop of its own: never inside this answer.
        QTimer::singleShot(0, this, [this, file]() { Q_EMIT openRequested(file); });
        return OpeningAnswer;
    }
    return {};
}

bool SingleInstance::askRunningToShow(int timeoutMs) const
{
    return ask(ShowRequest, ShownAnswer, timeoutMs);
}

bool SingleInstance::askRunningToOpen(const QString &file, int timeoutMs) const
{
    // A toolbar from before files were handed over answers "shown": false.
    return ask(OpenRequest + EncodeFileName(file).toPercentEncoding() + '\n', OpeningAnswer, timeoutMs);
}

bool SingleInstance::ask(const QByteArray &request, const QByteArray &expected, int timeoutMs) const
{
    const std::optional<sockaddr_un> address = socketAddress(m_socketPath);
    if (!address)
        return false;
    // The running toolbar takes its lock a moment before it listens: try
    // again until the deadline.
    const QDeadlineTimer deadline(timeoutMs);
    int fd = -1;
    while ((fd = newSocket()) >= 0 && ::connect(fd, asSockaddr(*address), sizeof *address) != 0) {
        ::close(fd);
        if (deadline.hasExpired())
            return false;
        QThread::msleep(ulong(std::clamp<qint64>(deadline.remainingTime(), 0, 50)));
    }
    if (fd < 0)
        return false;
    const auto closing = qScopeGuard([fd]() { ::close(fd); });
    for (qsizetype sent = 0; sent < request.size();) {
        const ssize_t done =
            ::send(fd, request.constData() + sent, size_t(request.size() - sent), MSG_NOSIGNAL);
        if (done > 0)
            sent += done;
        else if (!again() || !waitFor(fd, POLLOUT, deadline))
            return false;
    }
    QByteArray answer;
    char buffer[64];
    while (!answer.endsWith('\n') && answer.size() < qsizetype(sizeof buffer)) {
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0)
            answer.append(buffer, got);
        else if (got == 0 || !again() || !waitFor(fd, POLLIN, deadline))
            break;
    }
    return answer == expected;
}
