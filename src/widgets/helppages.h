#pragma once
// The help's table of contents, built from the pages themselves: each page
// names its title in <title> and its place in the contents in
// <meta name="contents-order" content="N">, so adding a page needs no code.

#include <QList>
#include <QString>

#include <functional>

class QUrl;

struct HelpPageEntry
{
    QString fileName;
    QString title;
    // Position in the contents; pages without one follow the numbered ones.
    int order = NoOrder;

    static constexpr int NoOrder = 1 << 30;
};

inline constexpr char HelpHomePage[] = "index.html";

// Title and position of one page; the title falls back to the file name
// without its extension.
HelpPageEntry ReadHelpPageEntry(const QString &fileName, const QString &html);

// The contents in reading order: the home page first, then by position, then
// by title.
QList<HelpPageEntry> SortHelpContents(QList<HelpPageEntry> pages);

// Whether a link in a page points at another help page ("toolbar.html",
// "unitcalc.html#digits", "#top") rather than the web or a mail address.
bool IsHelpPageLink(const QUrl &link);

// A page with the data files' places filled in: each "{{path:<file name>}}"
// becomes pathOf(file name) in native form, escaped for HTML.
QString FillDataFilePaths(const QString &html, const std::function<QString(const QString &)> &pathOf);
