#pragma once
// The list of recently used files a window offers in File > Open Recent:
// absolute paths, the most recent first, each once, at most MaxRecentFiles.
// Kept in the settings as one text, a path a line.

#include <QString>
#include <QStringList>

inline constexpr int MaxRecentFiles = 8;

// The list after path was opened or saved: path (made absolute and clean)
// first, its older place in the list gone, the oldest dropped past the limit.
// A path that is empty or holds a line break or a NUL is left out of the list.
QStringList AddRecentFile(const QStringList &list, const QString &path);
// The list without path.
QStringList RemoveRecentFile(const QStringList &list, const QString &path);

// The stored text as a list under the same rules, and back. A hand-edited
// text may hold blank lines, repeats or too many lines; a relative path is
// left out.
QStringList ParseRecentFiles(const QString &text);
QString RecentFilesText(const QStringList &list);
