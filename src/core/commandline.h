#pragma once
// The command line: the two questions the program answers on the terminal
// (--help and --version), an axis file to open at start, and the check of
// axis files without a window (--check).

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

// The check command as the command line asks for it. Its options are read
// strictly: a script must not take a misspelt option for a passing check.
struct CheckCommandLine
{
    bool requested = false; // --check was given
    QStringList files;      // as given
    QString format;         // "text", "json" or "csv"
    QString units;          // as given; empty for the user's default units
    QString report;         // the PDF to write; empty for none
    QString problem;        // what is wrong with the command line; empty when usable
};
CheckCommandLine ReadCheckCommandLine(const QStringList &arguments);
