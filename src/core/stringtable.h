#pragma once
// The numbered string table (ids 1100..1999), compiled into the program from
// a reviewed text resource.

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// The text of an exact id; nullopt when the table has no such id.
std::optional<QString> StringById(int id);

// The text of baseId + LanguageOffset. The sum is a 16-bit addition: nullopt
// when it overflows. An id missing under the offset falls back to baseId
// itself (the base language), so one bad offset never breaks a window; nullopt
// only when the base id is missing too.
std::optional<QString> LocalString(int baseId, qint16 languageOffset);
// The same, with an unresolvable id giving an empty text.
QString LocalText(int baseId, qint16 languageOffset);

// The resource's text form: one "id<TAB>text" a line; blank lines and lines
// starting with '#' are skipped. In a text, "\n", "\t" and "\\" stand for a
// line break, a tab and a backslash. A line that does not parse (no tab, an
// id that is not a 16-bit number, a repeated id) is skipped and described in
// problems when given; the first of repeated ids wins.
QHash<int, QString> ParseStringTable(const QString &source, QStringList *problems = nullptr);

// The compiled-in table (":/strings/strings.txt"), parsed on first use.
const QHash<int, QString> &StringTable();
