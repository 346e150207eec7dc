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
#include <QTextTable>

#include <cmath>
#include <memory>
#include <numeric>

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

// A page break set before a run of blocks that keep together: where its run
// begins, and where the text its place was judged by ends.
struct KeptBreak
{
    int at = 0;
    int judgedTo = 0;
    bool operator==(const KeptBreak &) const = default;
};

// A page break before a block.
QTextBlockFormat breakBefore()
{
    QTextBlockFormat format;
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

// A heading stays with what follows it, and a plot with its caption: where a
// page would part them, the run of blocks that keep together (a heading, its
// plot and the caption) moves on to the next page as one. Returns the breaks
// it has set.
QList<KeptBreak> keepTogether(QTextDocument &document)
{
    const qreal page = document.pageSize().height();
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const auto pageOf = [page](qreal y) { return int(y / page); };
    const auto keepsWithNext = [](const QTextBlock &block) {
        return block.blockFormat().headingLevel() > 0 ||
               block.text() == QString(QChar::ObjectReplacementCharacter);
    };
    QList<KeptBreak> breaks;
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
            QTextCursor(runStart).mergeBlockFormat(breakBefore());
            breaks.append({runStart.position(), next.position() + next.length()});
        }
    }
    return breaks;
}

// Sets again the breaks a layout of the same text found, in one edit: each
// break set on a laid-out document lays it out anew from there.
void setBreaks(QTextDocument &document, const QList<KeptBreak> &breaks)
{
    if (breaks.isEmpty())
        return;
    QTextCursor edit(&document);
    edit.beginEditBlock();
    for (const KeptBreak &kept : breaks)
        QTextCursor(document.findBlock(kept.at)).mergeBlockFormat(breakBefore());
    edit.endEditBlock();
}

// The smallest face a table is set in to fit the page's width.
constexpr double SmallestTablePoints = 6;

// The widest word and the widest line of a cell's text.
struct TextWidths
{
    qreal word = 0;
    qreal line = 0;
};

TextWidths textWidths(const QString &text, const QFontMetricsF &metrics)
{
    TextWidths widths;
    for (const QString &line : text.split(u'\n')) {
        widths.line = std::max(widths.line, metrics.horizontalAdvance(line));
        for (const QString &word : line.split(u' ', Qt::SkipEmptyParts))
            widths.word = std::max(widths.word, metrics.horizontalAdvance(word));
    }
    return widths;
}

// A table's columns as shares of width, each at least as wide as its widest
// word (a number or short word whole), so the text engine breaks a text
// between words only. A table whose words do not fit the width is set in a
// smaller face, down to the smallest; one that still does not fit is
// narrowed to the page, its longest words broken, rather than run past it.
ReportTableLayout fitColumns(const ReportBlock &block, const QPaintDevice &device, qreal width)
{
    const double cellPoints = block.small ? 8 : 10;
    const double headerPoints = block.small ? 7 : 10;
    // The cell padding and borders of the HTML, in the device's units.
    const qreal frame = 2 * (3 + 1) * device.logicalDpiX() / 96.0;
    const qreal available = width * 0.97 - frame;
    qsizetype columns = 0;
    for (const QStringList &row : block.rows)
        columns = std::max(columns, row.size());
    ReportTableLayout layout;
    // A smaller face first keeps numbers whole, then breaks them between words.
    for (int step = 0;; ++step) {
        const double shrink = 0.5 * (step / 2);
        layout.breakWhole = step % 2 == 1;
        layout.cellPoints = cellPoints - shrink;
        layout.headerPoints = headerPoints - shrink;
        QFont headerFont = reportFont(layout.headerPoints);
        headerFont.setBold(true);
        const QFontMetricsF header(headerFont, &device);
        const QFontMetricsF cell(reportFont(layout.cellPoints), &device);
        QList<qreal> least(columns, frame);
        QList<qreal> most(columns, frame);
        for (qsizetype r = 0; r < block.rows.size(); ++r) {
            const QStringList &row = block.rows.at(r);
            for (int c = 0; c < row.size(); ++c) {
                const TextWidths text = textWidths(row.at(c), r == 0 ? header : cell);
                const bool whole = !layout.breakWhole && r > 0 &&
                                   (block.numberColumns.contains(c) || block.wholeColumns.contains(c));
                least[c] = std::max(least.at(c), frame + (whole ? text.line : text.word));
                most[c] = std::max(most.at(c), frame + text.line);
            }
        }
        const qreal leastSum = std::accumulate(least.begin(), least.end(), qreal(0));
        if (leastSum > available && (!layout.breakWhole || layout.cellPoints - 0.5 >= SmallestTablePoints))
            continue;
        const qreal mostSum = std::accumulate(most.begin(), most.end(), qreal(0));
        QList<qreal> widths = least;
        if (mostSum <= available) {
            // Room for every line: what is left goes to the column of long
            // texts, or to every column by its width.
            widths = most;
            for (int c = 0; c < columns; ++c)
                widths[c] += block.wideColumn >= 0 ? (c == block.wideColumn ? available - mostSum : 0)
                                                   : (available - mostSum) * most.at(c) / mostSum;
        } else if (leastSum <= available && mostSum > leastSum) {
            // Each column past its widest word by a share of what its lines want more.
            for (int c = 0; c < columns; ++c)
                widths[c] += (available - leastSum) * (most.at(c) - least.at(c)) / (mostSum - leastSum);
        }
        const qreal sum = std::accumulate(widths.begin(), widths.end(), qreal(0));
        for (qreal &share : widths)
            layout.widths.append(100 * share / sum);
        return layout;
    }
}

// Where a table's rows lie in a layout: the top of each row's text, the
// bottom of the last, the top of the table and its bottom.
struct TableRows
{
    QList<qreal> tops;
    qreal top = 0;
    qreal bottom = 0;
    qreal lastTextBottom = 0;
};

TableRows rowsOf(QTextTable *table, QAbstractTextDocumentLayout *layout)
{
    TableRows rows;
    const QRectF frame = layout->frameBoundingRect(table);
    rows.top = frame.top();
    rows.bottom = frame.bottom();
    for (int r = 0; r < table->rows(); ++r) {
        qreal top = frame.bottom();
        for (int c = 0; c < table->columns(); ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            top = std::min(top, layout->blockBoundingRect(cell.firstCursorPosition().block()).top());
            if (r + 1 == table->rows())
                rows.lastTextBottom =
                    std::max(rows.lastTextBottom,
                             layout->blockBoundingRect(cell.lastCursorPosition().block()).bottom());
        }
        rows.tops.append(top);
    }
    return rows;
}

// The document's tables in order: one for each block of facts, one for each
// part of a table block.
QList<QTextTable *> documentTables(QTextDocument &document)
{
    QList<QTextTable *> tables;
    for (QTextFrame *frame : document.rootFrame()->childFrames())
        if (auto *table = qobject_cast<QTextTable *>(frame))
            tables.append(table);
    return tables;
}

// A heading stays with what follows it, and a plot with its caption, and the
// last block is laid out: Qt's text engine, laying out only as far as it is
// asked, can leave what follows a table split across pages unplaced, so the
// whole is laid out before and after the page breaks are set. The breaks a
// layout of the same text before found are set first; returns them all.
QList<KeptBreak> layOutWhole(QTextDocument &document, const QList<KeptBreak> &found = {})
{
    setBreaks(document, found);
    document.documentLayout()->documentSize();
    QList<KeptBreak> breaks = found + keepTogether(document);
    QAbstractTextDocumentLayout *layout = document.documentLayout();
    const qreal height = layout->documentSize().height();
    const QRectF last = layout->blockBoundingRect(document.lastBlock());
    if (last.height() <= 0 || last.bottom() > height + 1) {
        document.markContentsDirty(0, document.characterCount());
        layout->documentSize();
    }
    return breaks;
}

// Plans a table's page breaks from its row from, the first of a part whose
// top is at top, appending each part's first row to starts; returns where
// the table ends. A part holds what fits on its page, one row at least; the
// first moves on to the next page when not even one row fits below top.
qreal planTable(const TableRows &rows, int count, int from, qreal top, qreal page, QList<int> &starts)
{
    const qreal head = rows.tops.value(1, rows.bottom) - rows.top;
    const qreal tail = rows.bottom - rows.lastTextBottom;
    const auto topOf = [&rows](int row) {
        return row < rows.tops.size() ? rows.tops.at(row) : rows.lastTextBottom;
    };
    const auto need = [&](int first, int end) { return head + topOf(end) - topOf(first) + tail; };
    int onPage = int(std::floor(top / page));
    if (top - onPage * page > 1 && need(from, from + 1) > (onPage + 1) * page - top) {
        starts.append(from);
        top = ++onPage * page;
    }
    for (;;) {
        int to = from + 1;
        while (to < count && need(from, to + 1) <= (onPage + 1) * page - top)
            ++to;
        if (to >= count)
            return top + need(from, count);
        starts.append(to);
        from = to;
        top = ++onPage * page;
    }
}

// Sets the table parts' page breaks so that no row is split across pages
// (one taller than a page aside) and a table that begins too low on a page
// begins on the next, under its heading: the first table part that crosses a
// page's end has the rest of its table planned from the rows' heights, and
// the report is laid out again until no part crosses.
void breakTables(QTextDocument &document, const ReportDocument &report, QList<ReportTableLayout> &layouts)
{
    const qreal page = document.pageSize().height();
    const auto pageOf = [page](qreal y) { return int(std::floor(y / page)); };
    QList<const ReportBlock *> blocks; // tables and facts, as the document holds them
    for (const ReportSection &section : report.sections)
        for (const ReportBlock &block : section.blocks)
            if ((block.kind == ReportBlock::Kind::Table || block.kind == ReportBlock::Kind::Facts) &&
                !block.rows.isEmpty())
                blocks.append(&block);

    // Each table's rows as one part, laid out on no page, and each planned
    // from where it would stand once the tables before it are.
    const QSizeF pageSize = document.pageSize();
    document.setTextWidth(pageSize.width());
    const QList<QTextTable *> whole = documentTables(document);
    if (whole.size() != blocks.size()) {
        document.setPageSize(pageSize);
        layOutWhole(document);
        return;
    }
    QList<TableRows> measured;
    qreal moved = 0;
    for (qsizetype k = 0; k < blocks.size(); ++k) {
        if (blocks.at(k)->kind != ReportBlock::Kind::Table)
            continue;
        const TableRows rows = rowsOf(whole.at(k), document.documentLayout());
        ReportTableLayout &layout = layouts[measured.size()];
        layout.pageStarts.clear();
        moved =
            planTable(rows, int(blocks.at(k)->rows.size()), 1, rows.top + moved, page, layout.pageStarts) -
            rows.bottom;
        measured.append(rows);
    }
    document.setPageSize(pageSize);
    document.setHtml(ReportHtml(report, layouts));
    QList<KeptBreak> breaks = layOutWhole(document);

    // Each round plans the first table part that crosses a page's end from
    // where it stands, and every table after it from where it will stand.
    for (int round = 0; round < 20; ++round) {
        const QList<QTextTable *> tables = documentTables(document);
        QAbstractTextDocumentLayout *laidOut = document.documentLayout();
        qsizetype next = 0;
        qsizetype tableIndex = 0;
        bool planned = false;
        int unchanged = 0; // the text before the first part planned anew stays as it is
        qreal shift = 0;   // how far the plans so far move what follows
        for (const ReportBlock *block : blocks) {
            if (block->kind == ReportBlock::Kind::Facts) {
                ++next;
                continue;
            }
            ReportTableLayout &layout = layouts[tableIndex];
            const TableRows &rows = measured.at(tableIndex++);
            const QList<int> parts = ReportTableParts(*block, layout);
            if (next + parts.size() > tables.size())
                return;
            const auto frameOf = [&](qsizetype part) {
                return laidOut->frameBoundingRect(tables.at(next + part));
            };
            QList<int> starts;
            qreal end = 0;
            if (planned) {
                end = planTable(rows, int(block->rows.size()), 1, frameOf(0).top() + shift, page, starts);
            } else {
                qsizetype part = 0;
                for (; part < parts.size(); ++part) {
                    const QRectF frame = frameOf(part);
                    const int first = pageOf(frame.top() + 1);
                    const bool lone = (part + 1 < parts.size() ? parts.at(part + 1) : block->rows.size()) ==
                                      parts.at(part) + 1;
                    // A row taller than a page, alone at a page's top, is split.
                    if (first != pageOf(frame.bottom() - 1) && !(lone && frame.top() - first * page < 1))
                        break;
                }
                if (part < parts.size()) {
                    starts = parts.mid(1, part); // the parts before stay as they are
                    if (layout.pageStarts.value(0) == 1)
                        starts.prepend(1);
                    end = planTable(rows, int(block->rows.size()), parts.at(part), frameOf(part).top(), page,
                                    starts);
                    planned = true;
                    unchanged = tables.at(next + part)->firstPosition() - 1;
                }
            }
            if (planned) {
                shift = end - frameOf(parts.size() - 1).bottom();
                layout.pageStarts = starts;
            }
            next += parts.size();
        }
        if (!planned)
            return;
        // Where the text stays as it was, so do the breaks that keep it together.
        QList<KeptBreak> kept;
        for (const KeptBreak &before : std::as_const(breaks))
            if (before.judgedTo <= unchanged && !kept.contains(before))
                kept.append(before);
        document.setHtml(ReportHtml(report, layouts));
        breaks = layOutWhole(document, kept);
    }
}

// The report laid out on pages of body's size, with its tables set out.
void layOutReport(QTextDocument &document, const ReportDocument &report, const QPaintDevice &device)
{
    QList<ReportTableLayout> layouts;
    for (const ReportSection &section : report.sections)
        for (const ReportBlock &block : section.blocks)
            if (block.kind == ReportBlock::Kind::Table)
                layouts.append(fitColumns(block, device, document.pageSize().width()));
    document.setHtml(ReportHtml(report, layouts));
    breakTables(document, report, layouts);
}

} // namespace

namespace {

// The body of a page: the printable area above the foot line.
QSizeF bodySize(const QPagedPaintDevice &device, const QFontMetricsF &foot)
{
    const QSizeF area = device.pageLayout().paintRectPixels(device.logicalDpiX()).size().toSizeF();
    return {area.width(), area.height() - foot.height() * 2.5};
}

} // namespace

std::unique_ptr<QTextDocument> LayOutReport(QPagedPaintDevice &device, const ReportDocument &report,
                                            const ReportPlotPainter &plots)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->documentLayout()->registerHandler(QTextFormat::ImageObject,
                                                new PlotObject(plots, document.get()));
    document->setDefaultFont(reportFont(10));
    document->setDocumentMargin(0);
    document->setPageSize(bodySize(device, QFontMetricsF(reportFont(8), &device)));
    layOutReport(*document, report, device);
    return document;
}

bool PaintReport(QPagedPaintDevice &device, const ReportDocument &report, const ReportPlotPainter &plots)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area(QPointF(0, 0),
                      device.pageLayout().paintRectPixels(device.logicalDpiX()).size().toSizeF());
    const QFont footFont = reportFont(8);
    const QFontMetricsF footMetrics(footFont, &device);
    const std::unique_ptr<QTextDocument> laidOut = LayOutReport(device, report, plots);
    QTextDocument &document = *laidOut;

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
