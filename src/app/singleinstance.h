#pragma once
// One running toolbar per user: a lock file in the user's runtime folder, or,
// without one, in a folder of the user's own cache open to that user alone
// (never the temporary folder every user shares). Beside the lock, the running toolbar listens on a local
// socket, so a second start can ask it to show itself, or to open the file it
// was given, before it ends.

#include <QObject>
#include <QString>

#include <memory>

class QLockFile;
class QSocketNotifier;

class SingleInstance : public QObject
{
    Q_OBJECT
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
    ~SingleInstance() override;
    Status status() const { return m_status; }
    bool acquired() const { return m_status == Status::Acquired; }
    // A sentence for the user when the status is CannotLock.
    QString problem() const { return m_problem; }

    // With the lock held: listens for later starts, each of which raises
    // showRequested, or openRequested with its file (after its answer, from
    // the event loop). False (and a warning) when the socket cannot be made,
    // among others when its path is longer than a local socket takes (107 bytes).
    bool listen();
    // With the lock held by another: asks the running toolbar to show itself,
    // or to open file (an absolute path), and waits up to timeoutMs for its
    // answer; false when it did not answer as asked.
    bool askRunningToShow(int timeoutMs = 3000) const;
    bool askRunningToOpen(const QString &file, int timeoutMs = 3000) const;
    // The local socket beside the lock.
    QString socketPath() const { return m_socketPath; }

    // Where the lock lives: in runtimeFolder when there is one, otherwise in
    // the machine's folder in cacheFolder ("torvane-toolbar-<host>/name"),
    // which the lock's taker makes private to the user.
    static QString lockPath(const QString &lockName, const QString &runtimeFolder, const QString &cacheFolder,
                            const QString &hostName);
    static QString lockPath(const QString &lockName);

Q_SIGNALS:
    void showRequested();
    void openRequested(const QString &file);

private:
    class Caller;
    void acceptCallers();
    void callerGone();
    QByteArray answer(const QByteArray &request);
    bool ask(const QByteArray &request, const QByteArray &answer, int timeoutMs) const;

    std::unique_ptr<QLockFile> m_lock;
    int m_listening = -1; // the socket later starts connect to
    QSocketNotifier *m_listener = nullptr;
    int m_callers = 0;
    QString m_socketPath;
    Status m_status = Status::CannotLock;
    QString m_problem;
};
