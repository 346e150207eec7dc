#pragma once
// The command line: the two questions the program answers on the terminal
// (--help and --version), and an axis file to open at start.

#include <QString>
#include <QStringList>

#include <optional>

// The text to print for arguments (the program's own name first) when they
// ask for help (-h, --help) or the version (-v, --version); nullopt when the
// program is to start as usual. Unknown options are ignored, and Qt's own
// single-dash options (-reverse, -stylesheet) never count as -v or -h.
std::optional<QString> CommandLineAnswer(const QStringList &arguments);

// The file to open at start: the first argument that is no option (the
// arguments as left once Qt has taken its own), as an absolute path from
// workingFolder; a file: URL stands for its local file. Empty when none.
QString CommandLineFile(const QStringList &arguments, const QString &workingFolder);
