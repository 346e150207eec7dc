#include "core/csvtext.h"

#include <QStringDecoder>

namespace {

// The first line (from 1) whose bytes are no UTF-8, or 0 when all are.
int FirstBadLine(const QByteArray &bytes)
{
    // One pass over the whole text; line by line only to place a fault.
    QStringDecoder whole(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    (void)whole.decode(bytes).operator QString();
    if (!whole.hasError())
        return 0;
    int line = 1;
    qsizetype start = 0;
    while (start <= bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        (void)decoder.decode(QByteArrayView(bytes).sliced(start, end - start)).operator QString();
        if (decoder.hasError())
            return line;
        start = end + 1;
        ++line;
    }
    return 0;
}

} // namespace

CsvText ReadCsv(const QByteArray &bytes, const CsvLimits &limits)
{
    CsvText csv;
    const auto stop = [&csv](const QString &problem, int line, int column) {
        csv.problem = problem;
        csv.line = line;
        csv.column = column;
        return csv;
    };
    if (const int bad = FirstBadLine(bytes))
        return stop(QStringLiteral("the text is not UTF-8 (save the table as \"CSV UTF-8\")"), bad, 0);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    int line = 1;
    CsvRow row{1, {}};
    QString cell;
    bool quoted = false;    // inside quotes
    bool wasQuoted = false; // the cell had quotes, which have closed
    int quoteLine = 0;
    const auto endCell = [&]() -> bool {
        if (cell.size() > limits.maxCellChars)
            return false;
        row.cells.append(cell);
        cell.clear();
        wasQuoted = false;
        return true;
    };
    const auto endRow = [&]() {
        // A line with nothing on it is no row (a last line break, a blank line).
        if (!(row.cells.size() == 1 && row.cells.front().isEmpty()))
            csv.rows.push_back(row);
        row = CsvRow{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    quoted = false;
                    wasQuoted = true;
                }
            } else {
                if (c == u'\n')
                    ++line;
                if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                    continue; // a quoted CR LF is kept as one line break
                cell += c;
                if (cell.size() > limits.maxCellChars)
                    return stop(QStringLiteral("a cell longer than %1 characters").arg(limits.maxCellChars),
                                row.line, int(row.cells.size()) + 1);
            }
            continue;
        }
        if (c == u',' || c == u'\n' || (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')) {
            if (!endCell())
                return stop(QStringLiteral("a cell longer than %1 characters").arg(limits.maxCellChars),
                            row.line, int(row.cells.size()) + 1);
            if (row.cells.size() > limits.maxCells)
                return stop(QStringLiteral("more than %1 cells in a row").arg(limits.maxCells), row.line,
                            limits.maxCells + 1);
            if (c == u',')
                continue;
            if (c == u'\r')
                ++i;
            ++line;
            if (int(csv.rows.size()) >= limits.maxRows)
                return stop(QStringLiteral("more than %1 rows").arg(limits.maxRows), row.line, 0);
            endRow();
            continue;
        }
        if (c == u'"') {
            // A quote opens a cell only at its start (spaces before it allowed).
            if (wasQuoted || !cell.trimmed().isEmpty())
                return stop(QStringLiteral("a quote inside a cell that does not start with one (write the "
                                           "cell in quotes and double the quote)"),
                            line, int(row.cells.size()) + 1);
            cell.clear();
            quoted = true;
            quoteLine = line;
            continue;
        }
        if (wasQuoted && c != u' ' && c != u'\t')
            return stop(QStringLiteral("text after the closing quote of a cell"), line,
                        int(row.cells.size()) + 1);
        if (!wasQuoted)
            cell += c;
        if (cell.size() > limits.maxCellChars)
            return stop(QStringLiteral("a cell longer than %1 characters").arg(limits.maxCellChars), line,
                        int(row.cells.size()) + 1);
    }
    if (quoted)
        return stop(QStringLiteral("a quote that is never closed"), quoteLine, int(row.cells.size()) + 1);
    if (!endCell())
        return stop(QStringLiteral("a cell longer than %1 characters").arg(limits.maxCellChars), row.line,
                    int(row.cells.size()) + 1);
    if (row.cells.size() > limits.maxCells)
        return stop(QStringLiteral("more than %1 cells in a row").arg(limits.maxCells), row.line,
                    limits.maxCells + 1);
    if (!(row.cells.size() == 1 && row.cells.front().isEmpty())) {
        if (int(csv.rows.size()) >= limits.maxRows)
            return stop(QStringLiteral("more than %1 rows").arg(limits.maxRows), row.line, 0);
        csv.rows.push_back(row);
    }
    return csv;
}

QString CsvCell(const QString &text)
{
    const bool quote = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') ||
                       text.contains(u'\r') || text.startsWith(u' ') || text.endsWith(u' ');
    if (!quote)
        return text;
    return u'"' + QString(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString CsvLine(const QStringList &cells)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString &cell : cells)
        written.append(CsvCell(cell));
    return written.join(u',') + QStringLiteral("\r\n");
}
