#include "core/commandline.h"

#include "core/settingsstore.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {
// The options every reading of the command line knows, so an option's
// value is never taken for a file.
struct Options
{
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Shows this help and exits.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the version and exits.")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addPositionalArgument(
            QStringLiteral("file"),
            QStringLiteral("An axis file (.tvaxis) to open in the axis sizing "
                           "window;\nwith a toolbar running already, it opens there."),
            QStringLiteral("[file]"));
    }
};
} // namespace

std::optional<QString> CommandLineAnswer(const QStringList &arguments)
{
    const QString nameAndVersion = Settings::ApplicationName + QStringLiteral(" " TORVANE_VERSION_TEXT);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        nameAndVersion + QStringLiteral(": a desktop engineering toolbar for sizing motion systems.\n"
                                        "Started without options it shows the launcher strip and its tray "
                                        "icon;\nonly one toolbar runs per user."));
    const Options options;
    options.addTo(parser);
    parser.parse(arguments); // unknown options are ignored

    if (parser.isSet(options.help)) {
        // The parser names the program from the application object, which
        // does not exist yet here; the usage line names the program file.
        const QString program = QFileInfo(arguments.value(0, QStringLiteral("torvane-toolbar"))).fileName();
        const QString text = parser.helpText();
        return QStringLiteral("Usage: %1 [options] [file]").arg(program) +
               text.mid(text.indexOf(QLatin1Char('\n')));
    }
    if (parser.isSet(options.version))
        return nameAndVersion + QLatin1Char('\n');
    return std::nullopt;
}

QString CommandLineFile(const QStringList &arguments, const QString &workingFolder)
{
    QCommandLineParser parser;
    Options().addTo(parser);
    parser.parse(arguments);
    const QString given = parser.positionalArguments().value(0);
    if (given.isEmpty())
        return {};
    const QUrl url(given);
    const QString path = url.isLocalFile() ? url.toLocalFile() : given;
    if (path.isEmpty())
        return {};
    return QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
}
