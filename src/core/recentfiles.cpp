#include "core/recentfiles.h"

#include "core/safefile.h"

#include <QDir>
#include <QFileInfo>

namespace {
// The form a path is kept and compared in; empty for one the list refuses.
QString keptForm(const QString &path)
{
    if (path.trimmed().isEmpty() || path.contains(u'\n') || path.contains(u'\r') || path.contains(QChar(0)))
        return QString();
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

QStringList AddRecentFile(const QStringList &list, const QString &path)
{
    const QString kept = keptForm(path);
    QStringList result = RemoveRecentFile(list, kept);
    if (!kept.isEmpty())
        result.prepend(kept);
    while (result.size() > MaxRecentFiles)
        result.removeLast();
    return result;
}

QStringList RemoveRecentFile(const QStringList &list, const QString &path)
{
    const QString kept = keptForm(path);
    QStringList result;
    for (const QString &entry : list) {
        if (keptForm(entry) != kept || kept.isEmpty())
            result.append(entry);
    }
    return result;
}

namespace {
// A name that is no UTF-8 (kept with escaped bytes) is stored as a file: URL
// of its bytes, which settings text keeps whole; every other path as it is.
const QLatin1String StoredUrl("file://");
QString storedForm(const QString &path)
{
    const QByteArray native = EncodeFileName(path);
    if (native.isValidUtf8())
        return path;
    return StoredUrl + QString::fromLatin1(native.toPercentEncoding("/"));
}
QString pathOf(const QString &stored)
{
    if (!stored.startsWith(StoredUrl))
        return stored;
    return DecodeFileName(QByteArray::fromPercentEncoding(stored.mid(StoredUrl.size()).toLatin1()));
}
} // namespace

QStringList ParseRecentFiles(const QString &text)
{
    QStringList list;
    const QStringList lines = text.split(u'\n');
    // Added oldest first, so the first line ends up first.
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        QString path = *line;
        if (path.endsWith(u'\r'))
            path.chop(1);
        path = pathOf(path);
        // A relative path would depend on the folder the program started in.
        if (!keptForm(path).isEmpty() && QDir::isAbsolutePath(path))
            list = AddRecentFile(list, path);
    }
    return list;
}

QString RecentFilesText(const QStringList &list)
{
    QStringList stored;
    for (const QString &path : list)
        stored.append(storedForm(path));
    return stored.join(u'\n');
}
