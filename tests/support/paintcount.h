#pragma once
// Counts the paint passes that reach a widget, for the tests and benchmarks
// that hold a window to one repaint per keystroke: each repaint of the screen
// gives the widget one paint event, however many of its children it redraws.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

class PaintCount : public QObject
{
public:
    // Watches every event of the application for the paints of watched.
    explicit PaintCount(QObject *watched) : m_watched(watched)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    int paints = 0;

    // Serves the events posted until a paint of the widget has come (when
    // one is awaited) and then a few rounds in a row have laid out or painted
    // nothing anywhere.
    void settle(bool awaitPaint = false)
    {
        const int before = paints;
        for (int quiet = 0, round = 0; (awaitPaint && paints == before) || (quiet < 3 && round < 1000);
             ++round) {
            m_busy = false;
            QCoreApplication::processEvents(awaitPaint && paints == before ? QEventLoop::WaitForMoreEvents
                                                                           : QEventLoop::AllEvents);
            quiet = m_busy ? 0 : quiet + 1;
        }
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        paints += type == QEvent::Paint && object == m_watched;
        m_busy |= type == QEvent::Paint || type == QEvent::LayoutRequest || type == QEvent::UpdateRequest;
        return false;
    }

private:
    QObject *m_watched;
    bool m_busy = false;
};
