#include "widgets/helppages.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>

namespace {

QString decodeEntities(QString text)
{
    text.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&#39;"), QLatin1String("'"))
        .replace(QLatin1String("&nbsp;"), QLatin1String(" "))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

// The next start tag <name ...> at or after from (its text up to '>'), or a
// null view; from moves past it. Pages are our own, so a plain scan will do:
// no comments or scripts hide a tag.
QStringView nextTag(QStringView html, QStringView name, qsizetype &from)
{
    while (true) {
        const qsizetype open = html.indexOf(u'<', from);
        if (open < 0)
            return {};
        from = open + 1;
        const QStringView rest = html.mid(from);
        const QChar after = rest.size() > name.size() ? rest.at(name.size()) : QChar();
        if (rest.startsWith(name, Qt::CaseInsensitive) && (after.isSpace() || after == u'>' || after == u'/')) {
            const qsizetype close = html.indexOf(u'>', from);
            if (close < 0)
                return {};
            from = close + 1;
            return html.mid(open, close - open);
        }
    }
}

// The text between <name ...> and </name>, or an empty view.
QStringView elementText(QStringView html, QStringView name)
{
    qsizetype from = 0;
    if (nextTag(html, name, from).isNull())
        return {};
    const QString end = QLatin1String("</") + name.toString();
    const qsizetype close = html.indexOf(end, from, Qt::CaseInsensitive);
    return close < 0 ? QStringView() : html.mid(from, close - from);
}

// The quoted value of an attribute in a tag's text (name="value" or
// name='value', spaces allowed around '='), or a null view.
QStringView attribute(QStringView tag, QStringView name)
{
    for (qsizetype at = tag.indexOf(name, 0, Qt::CaseInsensitive); at > 0;
         at = tag.indexOf(name, at + 1, Qt::CaseInsensitive)) {
        if (!tag.at(at - 1).isSpace())
            continue;
        qsizetype i = at + name.size();
        while (i < tag.size() && tag.at(i).isSpace())
            ++i;
        if (i == tag.size() || tag.at(i) != u'=')
            continue;
        ++i;
        while (i < tag.size() && tag.at(i).isSpace())
            ++i;
        if (i == tag.size() || (tag.at(i) != u'"' && tag.at(i) != u'\''))
            continue;
        const qsizetype close = tag.indexOf(tag.at(i), i + 1);
        if (close > 0)
            return tag.mid(i + 1, close - i - 1);
    }
    return {};
}

} // namespace

HelpPageEntry ReadHelpPageEntry(const QString &fileName, const QString &html)
{
    HelpPageEntry entry;
    entry.fileName = fileName;

    const QString title = decodeEntities(elementText(html, u"title").toString()).simplified();
    entry.title = title.isEmpty() ? QFileInfo(fileName).completeBaseName() : title;

    for (qsizetype from = 0;;) {
        const QStringView tag = nextTag(html, u"meta", from);
        if (tag.isNull())
            break;
        if (attribute(tag, u"name").trimmed().compare(u"contents-order", Qt::CaseInsensitive) == 0) {
            bool ok = false;
            const int order = attribute(tag, u"content").trimmed().toInt(&ok);
            if (ok)
                entry.order = order;
            break;
        }
    }
    return entry;
}

QList<HelpPageEntry> SortHelpContents(QList<HelpPageEntry> pages)
{
    const QString home = QString::fromLatin1(HelpHomePage);
    std::stable_sort(pages.begin(), pages.end(), [&home](const HelpPageEntry &a, const HelpPageEntry &b) {
        const bool aHome = a.fileName.compare(home, Qt::CaseInsensitive) == 0;
        const bool bHome = b.fileName.compare(home, Qt::CaseInsensitive) == 0;
        if (aHome != bHome)
            return aHome;
        if (a.order != b.order)
            return a.order < b.order;
        return a.title.localeAwareCompare(b.title) < 0;
    });
    return pages;
}

bool IsHelpPageLink(const QUrl &link)
{
    if (!link.isValid())
        return false;
    if (link.isRelative())
        return link.host().isEmpty();
    return link.scheme() == QLatin1String("qrc");
}

QString FillDataFilePaths(const QString &html, const std::function<QString(const QString &)> &pathOf)
{
    static constexpr QStringView Open = u"{{path:";
    QString filled;
    qsizetype done = 0;
    for (qsizetype open = html.indexOf(Open); open >= 0; open = html.indexOf(Open, open + 1)) {
        const qsizetype name = open + Open.size();
        const qsizetype close = html.indexOf(QLatin1String("}}"), name);
        if (close < 0)
            break;
        const QStringView file = QStringView(html).mid(name, close - name);
        if (file.isEmpty() || file.contains(u'{') || file.contains(u'}'))
            continue;
        filled += QStringView(html).mid(done, open - done);
        filled += QDir::toNativeSeparators(pathOf(file.toString())).toHtmlEscaped();
        done = close + 2;
        open = close + 1; // the next place may follow at once
    }
    filled += QStringView(html).mid(done);
    return filled;
}
