#pragma once
// The printed error report: the report's entries drawn on a printer (or a
// PDF file) in a 12-point fixed-pitch font, one entry per line followed by an
// empty line, the long entries wrapped at 70 characters.

#include "errors/bugreport.h"

#include <QFont>
#include <QList>
#include <QLocale>
#include <QString>

class QPagedPaintDevice;

// A printing step that failed: the error number and its description.
struct PrintFailure
{
    int number = 0;
    QString description;
};

// The report's font: Courier at 12 points, or the system's fixed-pitch font
// when no Courier-like face is installed.
QFont BugReportFont();

// Prints report on printer and ends the job. Printing goes on past a failing
// step; the failures come back in order (empty when all went well).
QList<PrintFailure> RenderBugReport(QPagedPaintDevice &printer, const BugReport &report,
                                    const QLocale &locale = QLocale());
