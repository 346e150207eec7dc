#include "app/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

QString SingleInstance::lockPath(const QString &lockName)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!folder.isEmpty())
        return QDir(folder).filePath(lockName);
    // No usable runtime folder: the temp folder is shared by every user, so
    // the lock carries the user id, or one user's toolbar would stop another's.
    return QDir(QDir::tempPath()).filePath(lockName + QStringLiteral(".%1").arg(::getuid()));
}

SingleInstance::SingleInstance(const QString &lockName)
    : m_lock(std::make_unique<QLockFile>(lockPath(lockName)))
{
    // A lock left by a crashed instance is stale once its process is gone;
    // QLockFile checks the process id, so no age limit is needed.
    m_lock->setStaleLockTime(0);
    m_acquired = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;
