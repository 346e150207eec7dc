#include "errorswin/printbugreport.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {
constexpr int PrinterError = 482;

// Draws the printed lines top to bottom, starting a new page when one is full.
class LinePrinter
{
public:
    LinePrinter(QPainter &painter, QPagedPaintDevice &printer)
        : m_painter(painter), m_printer(printer), m_metrics(painter.fontMetrics()),
          m_area(printer.pageLayout().paintRectPixels(printer.logicalDpiY()).size())
    {}

    // False when a new page could not be started.
    bool print(const QString &line)
    {
        QString rest = line;
        do {
            // A line wider than the page goes on below instead of running off the paper.
            const qsizetype fits = fittingLength(rest);
            if (!nextLine())
                return false;
            m_painter.drawText(0, m_y + m_metrics.ascent(), rest.left(fits));
            m_y += m_metrics.lineSpacing();
            rest.remove(0, fits);
        } while (!rest.isEmpty());
        return true;
    }

private:
    bool nextLine()
    {
        if (m_y == 0 || m_y + m_metrics.height() <= m_area.height())
            return true;
        m_y = 0;
        return m_printer.newPage();
    }

    qsizetype fittingLength(const QString &text) const
    {
        if (m_metrics.horizontalAdvance(text) <= m_area.width())
            return qMax<qsizetype>(text.size(), 1);
        const int charWidth = qMax(1, m_metrics.horizontalAdvance(QLatin1Char('M')));
        qsizetype count = qMin<qsizetype>(text.size(), qMax(1, m_area.width() / charWidth));
        while (count > 1 && m_metrics.horizontalAdvance(text.left(count)) > m_area.width())
            --count;
        return count;
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_printer;
    QFontMetrics m_metrics;
    QSize m_area;
    int m_y = 0;
};
} // namespace

QFont BugReportFont()
{
    QFont font(QStringLiteral("Courier"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    return font;
}

QList<PrintFailure> RenderBugReport(QPagedPaintDevice &printer, const BugReport &report,
                                    const QLocale &locale)
{
    QList<PrintFailure> failures;
    QPainter painter;
    if (!painter.begin(&printer)) {
        // Without a job no later step can print; one message says it all.
        failures << PrintFailure{PrinterError,
                                 QStringLiteral("Printer error: the print job could not be started")};
        return failures;
    }
    painter.setFont(BugReportFont());
    LinePrinter lines(painter, printer);

    for (const PrintStep &step : BugReportPrintSteps(report, locale)) {
        bool stepFailed = false;
        for (const QString &call : step.calls) {
            for (const QString &line : PrintCallLines(call)) {
                if (!lines.print(line)) {
                    stepFailed = true;
                    break;
                }
            }
            if (stepFailed)
                break;
        }
        if (stepFailed && !step.wrapped)
            failures << PrintFailure{PrinterError,
                                     QStringLiteral("Printer error: a new page could not be started")};
    }

    if (!painter.end())
        failures << PrintFailure{PrinterError,
                                 QStringLiteral("Printer error: the print job could not be ended")};
    return failures;
}
