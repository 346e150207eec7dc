#pragma once
// Comma-separated text as spreadsheets write it (RFC 4180): cells split by
// commas, a cell in double quotes may hold commas, quotes (doubled) and line
// breaks, rows end in LF or CR LF. Read strictly: bytes that are no UTF-8, a
// quote left open or text after a closing quote stop the reading with the
// line and column where it happened. A byte order mark at the start is
// skipped (spreadsheets write one).

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

struct CsvRow
{
    int line = 0; // where the row starts, from 1
    QStringList cells;
};

struct CsvText
{
    std::vector<CsvRow> rows;
    // Why the reading stopped (empty when it read to the end), and where.
    QString problem;
    int line = 0;
    int column = 0;
    bool ok() const { return problem.isEmpty(); }
};

struct CsvLimits
{
    int maxRows = 10000;
    int maxCellChars = 4096;
    int maxCells = 64; // in one row
};

CsvText ReadCsv(const QByteArray &bytes, const CsvLimits &limits = {});

// One cell as written: quoted when it holds a comma, a quote, a line break
// or spaces at its ends, which a reader would otherwise lose.
QString CsvCell(const QString &text);
// A row of cells, ended by CR LF.
QString CsvLine(const QStringList &cells);
