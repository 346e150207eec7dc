#include "info/referenceoutline.h"

#include <QIODevice>

#include <algorithm>
#include <utility>

namespace {

// The sheet writes U+2212 for minus; a user types '-'.
QString Searchable(QString text)
{
    return text.replace(QChar(0x2212), QLatin1Char('-')).toCaseFolded();
}

// A section heading "== <top row> <title>": the title and its row, or no
// title when the line is not one.
std::pair<QString, int> SectionHeading(QStringView line)
{
    if (!line.startsWith(u"== "))
        return {};
    const QStringView rest = line.mid(3);
    const qsizetype space = rest.indexOf(u' ');
    bool ok = false;
    const int top = space > 0 ? rest.left(space).toInt(&ok) : 0;
    const bool digits = std::all_of(rest.begin(), rest.begin() + std::max<qsizetype>(space, 0),
                                    [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (!ok || !digits || space + 1 >= rest.size())
        return {};
    return {rest.mid(space + 1).toString(), top};
}

} // namespace

ReferenceOutline ReadReferenceOutline(QIODevice &device)
{
    ReferenceOutline outline;
    while (!device.atEnd()) {
        const QString line = QString::fromUtf8(device.readLine()).remove(QLatin1Char('\n'));
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const auto [title, top] = SectionHeading(line);
        if (!title.isEmpty())
            outline.sections.append({title, top, {}});
        else if (outline.sections.isEmpty())
            outline.preamble.append(line);
        else
            outline.sections.last().lines.append(line);
    }
    return outline;
}

QString ReferenceOutlineText(const ReferenceOutline &outline)
{
    QStringList parts = outline.preamble;
    for (const ReferenceSection &section : outline.sections)
        parts << QString() << section.title << section.lines;
    return parts.join(QLatin1Char('\n'));
}

int FindReferenceSection(const ReferenceOutline &outline, const QString &query, int from)
{
    const QString wanted = Searchable(query.trimmed());
    const int count = int(outline.sections.size());
    if (wanted.isEmpty() || count == 0)
        return -1;
    for (int step = 0; step < count; ++step) {
        const int index = ((from + step) % count + count) % count;
        const ReferenceSection &section = outline.sections.at(index);
        if (Searchable(section.title).contains(wanted) ||
            Searchable(section.lines.join(QLatin1Char('\n'))).contains(wanted))
            return index;
    }
    return -1;
}
