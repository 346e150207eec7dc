#include "core/commandline.h"

#include "core/settingsstore.h"

#include <QCommandLineParser>
#include <QFileInfo>

std::optional<QString> CommandLineAnswer(const QStringList &arguments)
{
    const QString nameAndVersion = Settings::ApplicationName + QStringLiteral(" " TORVANE_VERSION_TEXT);
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        nameAndVersion + QStringLiteral(": a desktop engineering toolbar for sizing motion systems.\n"
                                        "Started without options it shows the launcher strip and its tray "
                                        "icon;\nonly one toolbar runs per user."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help and exits."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Shows the version and exits."));
    parser.addOption(help);
    parser.addOption(version);
    parser.parse(arguments); // unknown arguments are ignored

    if (parser.isSet(help)) {
        // The parser names the program from the application object, which
        // does not exist yet here; the usage line names the program file.
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("torvane-toolbar"))).fileName();
        const QString text = parser.helpText();
        return QStringLiteral("Usage: %1 [options]").arg(program) + text.mid(text.indexOf(QLatin1Char('\n')));
    }
    if (parser.isSet(version))
        return nameAndVersion + QLatin1Char('\n');
    return std::nullopt;
}
