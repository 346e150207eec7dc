#pragma once
// A report painted on paper or into a PDF: the HTML of reportdocument.h laid
// out on A4 or Letter pages by Qt's text engine, the text kept as text (so a
// PDF stays sharp at any zoom and can be searched), each plot drawn by a
// callback into its place, and a foot line on every page with the report's
// title and "Page n of m". The PDF needs nothing of Qt's print support; a
// printer is reached through the print module (printing.h).

#include "axis/reportdocument.h"
#include "widgets/printjob.h"

#include <functional>
#include <memory>

class QIODevice;
class QTextDocument;
class QPagedPaintDevice;
class QPainter;
class QRectF;
class QWidget;
class WindowContext;

// Draws the plot named key into rect, in the painter's units.
using ReportPlotPainter = std::function<void(QPainter &painter, const QRectF &rect, const QString &key)>;

// Paints report on device, which has its page size and margins; false when
// painting could not begin or a page could not be started.
bool PaintReport(QPagedPaintDevice &device, const ReportDocument &report,
                 const ReportPlotPainter &plots = {});

// The report laid out on device's pages as PaintReport sets it out: its
// tables' columns and page breaks worked out, one page of the document a page.
std::unique_ptr<QTextDocument> LayOutReport(QPagedPaintDevice &device, const ReportDocument &report,
                                            const ReportPlotPainter &plots = {});

// Writes report as a PDF into device (A4, or Letter where the locale
// measures in US units); false, with problem saying why, when it could not.
bool WriteReportPdf(QIODevice &device, const ReportDocument &report, const ReportPlotPainter &plots = {},
                    QString *problem = nullptr);

// Asks for a printer over parent and prints report on it (Unavailable, told
// over parent, without the print module).
PrintOutcome PrintReport(QWidget *parent, const WindowContext &context, const ReportDocument &report,
                         const ReportPlotPainter &plots = {});
