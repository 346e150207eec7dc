#pragma once
// A printed report as plain data: a title, what it is about, the date, and
// sections of blocks (facts, tables, paragraphs and plots), turned into HTML
// for the text engine that paints it. Building a report needs no window, so
// its content is tested directly; the painting (reportprinter.h) lays the
// HTML out on pages and draws each plot through a callback.
//
// A window adds its own sections; a later part of the window appends more,
// plots included, without changing how the report is painted.

#include "core/verdicttone.h"

#include <QList>
#include <QString>
#include <QStringList>

struct ReportBlock
{
    enum class Kind {
        Facts,     // rows of {label, value}, or of two such pairs side by side
        Table,     // rows of cells, the first the header
        Paragraph, // text
        Plot,      // a picture the painter draws; text is its caption
    };
    // How a paragraph stands out; the colour only repeats what its words say.
    using Tone = VerdictTone;

    Kind kind = Kind::Paragraph;
    QList<QStringList> rows;
    QList<int> numberColumns;     // a table's columns of numbers, set flush right
    QList<int> wholeColumns;      // a table's columns of short words, never broken
    int wideColumn = -1;          // a table's column of long texts, given the width left
    QList<QList<Tone>> cellTones; // a table's cells that stand out, by row and column
    bool small = false;           // a table of many columns, set smaller to fit the page
    QString text;
    Tone tone = Tone::Plain;
    QString plot;        // the key the painter's callback is handed
    double aspect = 0.5; // a plot's height as a share of its width

    static ReportBlock facts(const QList<QStringList> &rows);
    static ReportBlock table(const QList<QStringList> &rows, const QList<int> &numberColumns,
                             const QList<int> &wholeColumns = {});
    static ReportBlock paragraph(const QString &text, Tone tone = Tone::Plain);
    static ReportBlock plotBlock(const QString &key, const QString &caption, double aspect);
};

struct ReportSection
{
    QString title;
    QList<ReportBlock> blocks;
};

struct ReportDocument
{
    QString title;   // "Axis sizing report"
    QString subject; // the file's name, or "Untitled"
    QString date;    // as the locale writes it
    QList<ReportSection> sections;
};

// The scheme of the picture a plot block becomes in the HTML ("plot:<key>").
inline constexpr char ReportPlotScheme[] = "plot:";

// How the painter sets one table out, worked out from its faces' measures:
// each column's share of the text width, the faces' sizes, and the rows that
// begin a new page (1 for the first after the header), each under its header.
struct ReportTableLayout
{
    QList<double> widths;  // per cent, by column; empty: the text engine's own
    double cellPoints = 0; // 0: the table's own face
    double headerPoints = 0;
    QList<int> pageStarts;   // ascending
    bool breakWhole = false; // its numbers and short words broken between words to fit
};

// The first body row of each table a table block becomes under layout.
QList<int> ReportTableParts(const ReportBlock &block, const ReportTableLayout &layout);

// The report as HTML the text engine reads: every text escaped (a line break
// kept), a table's first row its header (repeated on each page it runs
// onto), a plot as an image named "plot:<key>" whose width and height give
// its proportions. tables, by table block in order, sets tables out; a
// table's page breaks make it one table a page, each headed, so the text
// engine never splits a row, or what follows, across a page.
QString ReportHtml(const ReportDocument &report, const QList<ReportTableLayout> &tables = {});
