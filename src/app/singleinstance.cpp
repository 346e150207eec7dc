#include "app/singleinstance.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

QString SingleInstance::lockPath(const QString &lockName)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return QDir(folder).filePath(lockName);
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
