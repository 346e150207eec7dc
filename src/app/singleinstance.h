#pragma once
// One running toolbar per user: a lock file in the user's runtime (or temp) folder.

#include <QString>

#include <memory>

class QLockFile;

class SingleInstance
{
public:
    // lockName names the lock file; tests pass their own.
    explicit SingleInstance(const QString &lockName = QStringLiteral("torvane-toolbar.lock"));
    ~SingleInstance();
    // True when this process holds the lock (no other instance runs).
    bool acquired() const { return m_acquired; }
    static QString lockPath(const QString &lockName);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
