#pragma once
// A file handed to a window from outside (a start with a file, a second
// start): the window comes to the front, and the file opens once the window
// shows and no window of its own is open over it (an editor, a question, a
// file chooser). A later file replaces one still waiting.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class PendingOpen : public QObject
{
public:
    // open is handed the file when the window can take it.
    PendingOpen(QWidget *window, std::function<void(const QString &)> open);

    void hand(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void tryOpen();
    void tryOpenLater();

    QWidget *m_window;
    std::function<void(const QString &)> m_open;
    QString m_path;
    // The window open in front that the file waits for.
    QPointer<QWidget> m_front;
};
