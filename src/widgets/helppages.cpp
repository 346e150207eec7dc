#include "widgets/helppages.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
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

} // namespace

HelpPageEntry ReadHelpPageEntry(const QString &fileName, const QString &html)
{
    HelpPageEntry entry;
    entry.fileName = fileName;

    static const QRegularExpression titlePattern(QStringLiteral("<title[^>]*>(.*?)</title>"),
                                                 QRegularExpression::CaseInsensitiveOption |
                                                     QRegularExpression::DotMatchesEverythingOption);
    const QString title = decodeEntities(titlePattern.match(html).captured(1)).simplified();
    entry.title = title.isEmpty() ? QFileInfo(fileName).completeBaseName() : title;

    static const QRegularExpression orderPattern(
        QStringLiteral(
            "<meta\\s+name\\s*=\\s*[\"']contents-order[\"']\\s+content\\s*=\\s*[\"']\\s*(-?\\d+)\\s*[\"']"),
        QRegularExpression::CaseInsensitiveOption);
    bool ok = false;
    const int order = orderPattern.match(html).captured(1).toInt(&ok);
    if (ok)
        entry.order = order;
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
    static const QRegularExpression placePattern(QStringLiteral("\\{\\{path:([^{}]+)\\}\\}"));
    QString filled;
    qsizetype done = 0;
    for (auto it = placePattern.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch place = it.next();
        filled += QStringView(html).mid(done, place.capturedStart() - done);
        filled += QDir::toNativeSeparators(pathOf(place.captured(1))).toHtmlEscaped();
        done = place.capturedEnd();
    }
    filled += QStringView(html).mid(done);
    return filled;
}
