#include "widgets/reportprinter.h"

#include "widgets/printing.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextObjectInterface>

namespace {

// Letters set one glyph each: a text shaped with ligatures puts "ﬃ" for
// "ffi" into the PDF, and a search for "efficiency" would miss the word.
QFont plainLetters(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    return font;
}

// Paints a report's plots where the HTML names them, as wide as the text.
class PlotObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    PlotObject(const ReportPlotPainter &plots, QObject *parent) : QObject(parent), m_plots(plots) {}

    QSizeF intrinsicSize(QTextDocument *document, int, const QTextFormat &format) override
    {
        const QTextImageFormat image = format.toImageFormat();
        const qreal width = document->pageSize().width() - 2 * document->documentMargin();
        const qreal aspect = image.width() > 0 ? image.height() / image.width() : 0.5;
        return {width, width * aspect};
    }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                    const QTextFormat &format) override
    {
        const QString name = format.toImageFormat().name();
        painter->save();
        painter->setFont(plainLetters(painter->font()));
        if (m_plots && name.startsWith(QLatin1String(ReportPlotScheme)))
            m_plots(*painter, rect, name.mid(int(qstrlen(ReportPlotScheme))));
        else // nothing to draw it with: its place stays marked
            painter->drawRect(rect);
        painter->restore();
    }

private:
    ReportPlotPainter m_plots;
};

QFont reportFont(qreal points)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    return plainLetters(font);
}

// A4, or Letter where the locale measures in US units, with 18 mm margins.
QPageLayout reportPage()
{
    const bool letter = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter);
}

// A heading stays with what follows it, and a plot with its caption: where a
// page would part them, the run of blocks that keep together (a heading, its
// plot and the caption) moves on to the next page as one.
void keepTogether(QTextDocument &document)
{
    const qreal page = document.pageSize().height();
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const auto pageOf = [page](qreal y) { return int(y / page); };
    const auto keepsWithNext = [](const QTextBlock &block) {
        return block.blockFormat().headingLevel() > 0 ||
               block.text() == QString(QChar::ObjectReplacementCharacter);
    };
    QTextBlock runStart;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlock next = block.next();
        if (!next.isValid() || !keepsWithNext(block)) {
            runStart = QTextBlock();
            continue;
        }
        if (!runStart.isValid())
            runStart = block;
        const QRectF first = layout->blockBoundingRect(runStart);
        const bool atPageTop = first.top() - pageOf(first.top()) * page < 1;
        if (pageOf(first.top()) != pageOf(layout->blockBoundingRect(next).bottom() - 1) && !atPageTop) {
            QTextBlockFormat format;
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCursor(runStart).mergeBlockFormat(format);
        }
    }
}

} // namespace

bool PaintReport(QPagedPaintDevice &device, const ReportDocument &report, const ReportPlotPainter &plots)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size().toSizeF());
    const QFont footFont = reportFont(8);
    const QFontMetricsF footMetrics(footFont, &device);
    const qreal footHeight = footMetrics.height() * 2.5;

    QTextDocument document;
    document.documentLayout()->setPaintDevice(&device);
    document.documentLayout()->registerHandler(QTextFormat::ImageObject, new PlotObject(plots, &document));
    document.setDefaultFont(reportFont(10));
    document.setDocumentMargin(0);
    document.setPageSize(QSizeF(area.width(), area.height() - footHeight));
    document.setHtml(ReportHtml(report));
    keepTogether(document);

    const qreal bodyHeight = document.pageSize().height();
    const int pages = document.pageCount();
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.save();
        painter.translate(0, -page * bodyHeight);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * bodyHeight, area.width(), bodyHeight);
        // The layout draws every block that reaches into the page, a plot
        // moved on to the next page included: nothing may stray below it.
        painter.setClipRect(context.clip);
        document.documentLayout()->draw(&painter, context);
        painter.restore();

        const qreal footTop = area.bottom() - footMetrics.height();
        painter.setPen(QPen(Qt::darkGray, 0));
        painter.drawLine(QPointF(0, footTop - footMetrics.height() * 0.5),
                         QPointF(area.width(), footTop - footMetrics.height() * 0.5));
        painter.setFont(footFont);
        const QRectF foot(0, footTop, area.width(), footMetrics.height());
        painter.drawText(foot, Qt::AlignLeft | Qt::AlignVCenter,
                         QStringLiteral("%1 \u2014 %2").arg(report.title, report.subject));
        painter.drawText(foot, Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("Page %1 of %2").arg(page + 1).arg(pages));
    }
    return painter.end();
}

bool WriteReportPdf(QIODevice &device, const ReportDocument &report, const ReportPlotPainter &plots,
                    QString *problem)
{
    QPdfWriter pdf(&device);
    pdf.setResolution(1200);
    pdf.setTitle(report.title + QStringLiteral(" \u2014 ") + report.subject);
    pdf.setCreator(QStringLiteral("Torvane Toolbar"));
    pdf.setPageLayout(reportPage());
    if (PaintReport(pdf, report, plots))
        return true;
    if (problem)
        *problem = device.errorString().isEmpty() ? QStringLiteral("the PDF could not be written")
                                                  : device.errorString();
    return false;
}

PrintOutcome PrintReport(QWidget *parent, const WindowContext &context, const ReportDocument &report,
                         const ReportPlotPainter &plots)
{
    const PrintJob job{QStringLiteral("dlgPrintReport"), QStringLiteral("Print axis report"),
                       report.title + QStringLiteral(" \u2014 ") + report.subject, reportPage(),
                       [&](QPagedPaintDevice &printer) { return PaintReport(printer, report, plots); }};
    return Print(parent, context, job);
}

#include "reportprinter.moc"
