#include "app/singleinstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

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
constexpr qint64 MaxRequest = 64 * 1024;
} // namespace

QString SingleInstance::lockPath(const QString &lockName, const QString &runtimeFolder,
                                 const QString &tempFolder, uint userId)
{
    if (!runtimeFolder.isEmpty())
        return QDir(runtimeFolder).filePath(lockName);
    // The shared folder: another user's lock of the same name must not count.
    const QFileInfo name(lockName);
    const QString suffix = name.completeSuffix();
    return QDir(tempFolder)
        .filePath(name.baseName() + QLatin1Char('-') + QString::number(userId) +
                  (suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix));
}

QString SingleInstance::lockPath(const QString &lockName)
{
    return lockPath(lockName, QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation),
                    QDir::tempPath(), uint(::geteuid()));
}

SingleInstance::SingleInstance(const QString &lockName, const QString &folder)
{
    const QString path = folder.isEmpty() ? lockPath(lockName) : QDir(folder).filePath(lockName);
    const QFileInfo lock(path);
    m_socketPath = lock.dir().filePath(lock.completeBaseName() + QStringLiteral(".socket"));
    m_lock = std::make_unique<QLockFile>(path);
    // A lock left by a crashed instance is stale once its process is gone;
    // QLockFile checks the process id, so no age limit is needed.
    m_lock->setStaleLockTime(0);
    if (m_lock->tryLock(0)) {
        m_status = Status::Acquired;
        return;
    }
    const QString where = QDir::toNativeSeparators(path);
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
    m_status = Status::CannotLock;
    m_problem += QStringLiteral(" Torvane Toolbar needs it to make sure only one toolbar runs; remove "
                                "the file or make its folder writable, then start the toolbar again.");
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::listen()
{
    if (!acquired())
        return false;
    if (!m_server) {
        m_server = new QLocalServer(this);
        m_server->setSocketOptions(QLocalServer::UserAccessOption);
        connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::answerLaterStart);
    }
    // A socket file left by a toolbar that crashed: the lock is ours, so no
    // other toolbar can be using it.
    QLocalServer::removeServer(m_socketPath);
    if (m_server->listen(m_socketPath))
        return true;
    qWarning("A second start cannot reach this toolbar: %s", qPrintable(m_server->errorString()));
    return false;
}

void SingleInstance::answerLaterStart()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket]() { answerRequest(socket); });
        answerRequest(socket);
    }
}

void SingleInstance::answerRequest(QLocalSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > MaxRequest)
            socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(MaxRequest);
    socket->disconnect(this);
    if (line == ShowRequest) {
        Q_EMIT showRequested();
        socket->write(ShownAnswer);
    } else if (line.startsWith(OpenRequest) && line.endsWith('\n')) {
        const QString file =
            QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(qstrlen(OpenRequest)).chopped(1)));
        socket->write(OpeningAnswer);
        // The axis window runs an event loop of its own: never inside this answer.
        QTimer::singleShot(0, this, [this, file]() { Q_EMIT openRequested(file); });
    }
    socket->disconnectFromServer();
}

bool SingleInstance::askRunningToShow(int timeoutMs) const
{
    return ask(ShowRequest, ShownAnswer, timeoutMs);
}

bool SingleInstance::askRunningToOpen(const QString &file, int timeoutMs) const
{
    // A toolbar from before files were handed over answers "shown": false.
    return ask(OpenRequest + file.toUtf8().toPercentEncoding() + '\n', OpeningAnswer, timeoutMs);
}

bool SingleInstance::ask(const QByteArray &request, const QByteArray &expected, int timeoutMs) const
{
    // The running toolbar takes its lock a moment before it listens: try
    // again until the deadline.
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(int(deadline.remainingTime())))
            break;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    socket.write(request);
    socket.waitForBytesWritten(int(deadline.remainingTime()));
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(int(deadline.remainingTime())))
        answer += socket.readAll();
    return answer == expected;
}
