#pragma once
// One running toolbar per user: a lock file in the user's runtime folder, or,
// without one, a lock named after the user id in the temporary folder (which
// every user shares).

#include <QString>

#include <memory>

class QLockFile;

class SingleInstance
{
public:
    enum class Status {
        Acquired,      // this process holds the lock: no other toolbar runs
        HeldByAnother, // the user's toolbar already runs
        CannotLock,    // no lock can be made (problem() says why): the start must not end silently
    };

    // lockName names the lock file; tests pass their own, and a folder to
    // put it in instead of the usual one.
    explicit SingleInstance(const QString &lockName = QStringLiteral("torvane-toolbar.lock"),
                            const QString &folder = QString());
    ~SingleInstance();
    Status status() const { return m_status; }
    bool acquired() const { return m_status == Status::Acquired; }
    // A sentence for the user when the status is CannotLock.
    QString problem() const { return m_problem; }

    // Where the lock lives: in runtimeFolder when there is one, otherwise in
    // tempFolder under a name that carries the user id ("name-1000.lock").
    static QString lockPath(const QString &lockName, const QString &runtimeFolder, const QString &tempFolder,
                            uint userId);
    static QString lockPath(const QString &lockName);

private:
    std::unique_ptr<QLockFile> m_lock;
    Status m_status = Status::CannotLock;
    QString m_problem;
};
