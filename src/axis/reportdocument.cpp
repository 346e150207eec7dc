#include "axis/reportdocument.h"

#include <algorithm>
#include <cmath>

namespace {

// A plot's width in the HTML; the painter fills the text width, keeping the
// proportions this and the height give.
constexpr int PlotWidth = 1000;

// A text as HTML; a line break in it stays one.
QString escaped(const QString &text)
{
    return text.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
}

QString toneColour(ReportBlock::Tone tone)
{
    const QString colour = ToneColour(tone);
    return colour.isEmpty() ? QStringLiteral("#000000") : colour;
}

// Facts as {label, value} pairs; rows of two pairs or more set them side by
// side, across the page.
QString factsHtml(const ReportBlock &block)
{
    if (block.rows.isEmpty())
        return {};
    const bool pairs = std::any_of(block.rows.begin(), block.rows.end(),
                                   [](const QStringList &row) { return row.size() > 2; });
    QString html = QStringLiteral("<table cellspacing=\"0\" cellpadding=\"2\"%1>")
                       .arg(pairs ? QStringLiteral(" width=\"100%\"") : QString());
    for (const QStringList &row : block.rows) {
        html += QStringLiteral("<tr>");
        for (qsizetype k = 0; k + 1 < row.size(); k += 2)
            html += QStringLiteral("%1<td>%2</td><td>&nbsp;&nbsp;&nbsp;&nbsp;</td><td>%3</td>")
                        .arg(k > 0 ? QStringLiteral("<td width=\"5%\"></td>") : QString(), escaped(row.at(k)),
                             escaped(row.at(k + 1)));
        html += QStringLiteral("</tr>");
    }
    return html + QStringLiteral("</table>");
}

// One row of a table; header for its first.
QString rowHtml(const ReportBlock &block, qsizetype r, const ReportTableLayout &layout)
{
    const bool header = r == 0;
    QString html = header ? QStringLiteral("<thead><tr>") : QStringLiteral("<tr>");
    const QStringList &row = block.rows.at(r);
    for (int c = 0; c < row.size(); ++c) {
        // A number or a short word is never broken across lines, so the
        // text columns take the width; a header may be.
        QString align = block.numberColumns.contains(c) ? QStringLiteral(" align=\"right\"") : QString();
        const bool whole = block.numberColumns.contains(c) || block.wholeColumns.contains(c);
        if (!header && whole && !layout.breakWhole)
            align += QStringLiteral(" style=\"white-space: nowrap;\"");
        if (header && c < layout.widths.size())
            align += QStringLiteral(" width=\"%1%\"").arg(layout.widths.at(c), 0, 'f', 3);
        // The texts of the other columns take the width the whole ones leave.
        else if (whole && block.wideColumn >= 0 && layout.widths.isEmpty())
            align += QStringLiteral(" width=\"1%\"");
        // The text engine takes a font size on the text, not on the table.
        const ReportBlock::Tone tone = block.cellTones.value(r).value(c, ReportBlock::Tone::Plain);
        const double points = header ? layout.headerPoints : layout.cellPoints;
        // The body's own 10 pt needs no span of its own.
        QString style = points == 10 ? QString()
                        : points > 0 ? QStringLiteral("font-size: %1pt;").arg(points)
                        : block.small
                            ? (header ? QStringLiteral("font-size: 7pt;") : QStringLiteral("font-size: 8pt;"))
                            : QString();
        if (tone != ReportBlock::Tone::Plain)
            style += QStringLiteral(" color: %1;").arg(toneColour(tone));
        const QString text =
            style.isEmpty()
                ? escaped(row.at(c))
                : QStringLiteral("<span style=\"%1\">%2</span>").arg(style.trimmed(), escaped(row.at(c)));
        html += QStringLiteral("<%1%2>%3</%1>")
                    .arg(header ? QStringLiteral("th") : QStringLiteral("td"), align, text);
    }
    return html + (header ? QStringLiteral("</tr></thead>") : QStringLiteral("</tr>"));
}

// A table, one under its header for each page it runs onto.
QString tableHtml(const ReportBlock &block, const ReportTableLayout &layout)
{
    if (block.rows.isEmpty())
        return {};
    // A page break before every part but a first at row 1.
    const QList<int> starts = ReportTableParts(block, layout);
    const bool breaksFirst = layout.pageStarts.value(0) == 1;
    QString html;
    for (qsizetype part = 0; part < starts.size(); ++part) {
        html += QStringLiteral("<table class=\"grid\" width=\"100%\" border=\"1\" cellspacing=\"0\" "
                               "cellpadding=\"3\"%1>")
                    .arg(part > 0 || breaksFirst ? QStringLiteral(" style=\"page-break-before: always;\"")
                                                 : QString());
        html += rowHtml(block, 0, layout);
        const qsizetype end = part + 1 < starts.size() ? starts.at(part + 1) : block.rows.size();
        for (qsizetype r = starts.at(part); r < end; ++r)
            html += rowHtml(block, r, layout);
        html += QStringLiteral("</table>");
    }
    return html;
}

QString blockHtml(const ReportBlock &block, const ReportTableLayout &layout)
{
    switch (block.kind) {
    case ReportBlock::Kind::Facts:
        return factsHtml(block);
    case ReportBlock::Kind::Table:
        return tableHtml(block, layout);
    case ReportBlock::Kind::Paragraph:
        if (block.tone == ReportBlock::Tone::Plain)
            return QStringLiteral("<p>%1</p>").arg(escaped(block.text));
        return QStringLiteral("<p><b><span style=\"color: %1;\">%2</span></b></p>")
            .arg(toneColour(block.tone), escaped(block.text));
    case ReportBlock::Kind::Plot: {
        const double aspect = std::isfinite(block.aspect) && block.aspect > 0 ? block.aspect : 0.5;
        return QStringLiteral(
                   "<p><img src=\"%1%2\" width=\"%3\" height=\"%4\"></p><p class=\"caption\">%5</p>")
            .arg(QLatin1String(ReportPlotScheme), escaped(block.plot), QString::number(PlotWidth),
                 QString::number(std::lround(PlotWidth * aspect)), escaped(block.text));
    }
    }
    return {};
}

} // namespace

QList<int> ReportTableParts(const ReportBlock &block, const ReportTableLayout &layout)
{
    if (block.rows.isEmpty())
        return {};
    QList<int> starts{1};
    for (int start : layout.pageStarts)
        if (start > starts.last() && start < block.rows.size())
            starts.append(start);
    return starts;
}

ReportBlock ReportBlock::facts(const QList<QStringList> &rows)
{
    ReportBlock block;
    block.kind = Kind::Facts;
    block.rows = rows;
    return block;
}

ReportBlock ReportBlock::table(const QList<QStringList> &rows, const QList<int> &numberColumns,
                               const QList<int> &wholeColumns)
{
    ReportBlock block;
    block.kind = Kind::Table;
    block.rows = rows;
    block.numberColumns = numberColumns;
    block.wholeColumns = wholeColumns;
    return block;
}

ReportBlock ReportBlock::paragraph(const QString &text, Tone tone)
{
    ReportBlock block;
    block.text = text;
    block.tone = tone;
    return block;
}

ReportBlock ReportBlock::plotBlock(const QString &key, const QString &caption, double aspect)
{
    ReportBlock block;
    block.kind = Kind::Plot;
    block.plot = key;
    block.text = caption;
    block.aspect = aspect;
    return block;
}

QString ReportHtml(const ReportDocument &report, const QList<ReportTableLayout> &tables)
{
    QString html = QStringLiteral("<html><head><style>"
                                  "body { font-size: 10pt; }"
                                  "h1 { font-size: 16pt; margin-bottom: 2pt; }"
                                  "h2 { font-size: 12pt; margin-top: 14pt; margin-bottom: 4pt; }"
                                  "p.subject { color: #444444; margin-top: 0; }"
                                  "p.caption { font-size: 9pt; color: #444444; }"
                                  "table.grid { border-collapse: collapse; border-color: #808080; }"
                                  "th { background-color: #e8e8e8; font-weight: bold; }"
                                  "</style></head><body>");
    html += QStringLiteral("<h1>%1</h1><p class=\"subject\">%2 \u2014 %3</p>")
                .arg(escaped(report.title), escaped(report.subject), escaped(report.date));
    qsizetype table = 0;
    for (const ReportSection &section : report.sections) {
        // A table that begins on a new page takes its heading along.
        const bool tableFirst =
            !section.blocks.isEmpty() && section.blocks.first().kind == ReportBlock::Kind::Table;
        const bool headingBreaks = tableFirst && tables.value(table).pageStarts.value(0) == 1;
        // Qt's text engine keeps no margin above a heading that follows a table.
        html += QStringLiteral("<p style=\"font-size: 6pt;\">&nbsp;</p><h2%1>%2</h2>")
                    .arg(headingBreaks ? QStringLiteral(" style=\"page-break-before: always;\"") : QString(),
                         escaped(section.title));
        for (const ReportBlock &block : section.blocks) {
            if (block.kind != ReportBlock::Kind::Table) {
                html += blockHtml(block, {});
                continue;
            }
            ReportTableLayout layout = tables.value(table++);
            if (&block == &section.blocks.first() && headingBreaks)
                layout.pageStarts.removeFirst();
            html += blockHtml(block, layout);
        }
    }
    return html + QStringLiteral("</body></html>");
}
