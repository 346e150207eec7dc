#include "shell/stringtable.h"
#include "shell/startup.h"
std::optional<QString> StringById(int) { return std::nullopt; }
std::optional<QString> LocalString(int, qint16) { return std::nullopt; }
QString LocalString(int baseId) { return LocalString(baseId, LanguageOffset).value_or(QString()); }
