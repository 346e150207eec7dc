#pragma once
// The numbered string table (ids 1100..1999), compiled into the program from
// a reviewed text resource.

#include <QString>

#include <optional>

// The text of an exact id; nullopt when the table has no such id.
std::optional<QString> StringById(int id);

// The text of baseId + LanguageOffset. The sum is a 16-bit addition: nullopt
// when it overflows. An id missing under the offset falls back to baseId
// itself (the base language), so one bad offset never breaks a window; nullopt
// only when the base id is missing too.
std::optional<QString> LocalString(int baseId, qint16 languageOffset);
// Same with the program's LanguageOffset; an unresolvable id gives an empty text.
QString LocalString(int baseId);
