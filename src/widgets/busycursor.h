#pragma once
// The application-wide pointer for as long as a piece of work runs, put back
// however that work ends (returns, throws, or opens a window).

#include <QApplication>

class BusyCursor
{
public:
    explicit BusyCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY(BusyCursor)
};
