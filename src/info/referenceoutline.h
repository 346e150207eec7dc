#pragma once
// The reference sheet's text, written beside the picture by its generator:
// the sections in order, each with the sheet row where it starts and its lines
// in reading order (linear notation), for the viewer's contents list, its text
// view and its search.

#include <QList>
#include <QStringList>

class QIODevice;

struct ReferenceSection
{
    QString title;
    int top = 0; // the sheet row of its heading
    QStringList lines;
};

struct ReferenceOutline
{
    QStringList preamble; // lines before the first section (the sheet's title)
    QList<ReferenceSection> sections;
};

// Reads "== <top row> <title>" section lines and the text lines after them;
// lines starting with '#' are comments. A malformed section line is text.
ReferenceOutline ReadReferenceOutline(QIODevice &device);

// The whole text: the preamble, then each section's title on a line of its own
// followed by its lines, sections apart by a blank line.
QString ReferenceOutlineText(const ReferenceOutline &outline);

// The first section at or after `from` (wrapping round to the top) whose title
// or lines contain the query, ignoring case and reading '-' as the minus sign;
// -1 when none does or the query is blank.
int FindReferenceSection(const ReferenceOutline &outline, const QString &query, int from = 0);
