#include "info/referenceoutline.h"

#include <QIODevice>
#include <QRegularExpression>

namespace {

// The sheet writes U+2212 for minus; a user types '-'.
QString Searchable(QString text)
{
    return text.replace(QChar(0x2212), QLatin1Char('-')).toCaseFolded();
}

} // namespace

ReferenceOutline ReadReferenceOutline(QIODevice &device)
{
    static const QRegularExpression sectionLine(QStringLiteral("^== (\\d+) (.+)$"));
    ReferenceOutline outline;
    while (!device.atEnd()) {
        const QString line = QString::fromUtf8(device.readLine()).remove(QLatin1Char('\n'));
        if (line.startsWith(QLatin1Char('#')))
            continue;
        const QRegularExpressionMatch section = sectionLine.match(line);
        bool ok = false;
        const int top = section.hasMatch() ? section.captured(1).toInt(&ok) : 0;
        if (ok)
            outline.sections.append({section.captured(2), top, {}});
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
