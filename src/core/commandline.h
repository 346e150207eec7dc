#pragma once
// The two questions the program answers on the terminal: --help and --version.

#include <QString>
#include <QStringList>

#include <optional>

// The text to print for arguments (the program's own name first) when they
// ask for help (-h, --help) or the version (-v, --version); nullopt when the
// program is to start as usual. Every other argument is ignored, as before,
// and Qt's own single-dash options (-reverse, -stylesheet) never count as
// -v or -h.
std::optional<QString> CommandLineAnswer(const QStringList &arguments);
