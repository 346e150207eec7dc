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
    QCommandLineOption check{QStringLiteral("check"),
                             QStringLiteral("Checks the axis files given, without a window, and exits:\n"
                                            "0 when every check passes, 1 when one fails, 2 when a\n"
                                            "file is refused or the command line is wrong.")};
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("With --check: text (the default), json or csv."),
                              QStringLiteral("form")};
    QCommandLineOption units{QStringLiteral("units"),
                             QStringLiteral("With --check: SI, inch-pound, or default (the default\n"
                                            "units of the axis window). JSON is always in SI."),
                             QStringLiteral("units")};
    QCommandLineOption report{QStringLiteral("report"),
                              QStringLiteral("With --check and one file: writes its PDF report too."),
                              QStringLiteral("out.pdf")};

    void addTo(QCommandLineParser &parser) const
    {
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        parser.addOption(check);
        parser.addOption(format);
        parser.addOption(units);
        parser.addOption(report);
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
        return QStringLiteral("Usage: %1 [options] [file]\n"
                              "       %1 --check [--format form] [--units units] [--report out.pdf] "
                              "file...")
                   .arg(program) +
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

CheckCommandLine ReadCheckCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    options.addTo(parser);
    CheckCommandLine line;
    if (!parser.parse(arguments)) {
        line.requested =
            arguments.contains(QStringLiteral("--check")) || arguments.contains(QStringLiteral("-check"));
        line.problem = parser.errorText();
        return line;
    }
    line.requested = parser.isSet(options.check);
    if (!line.requested)
        return line;
    line.files = parser.positionalArguments();
    line.format = parser.value(options.format).toLower();
    line.units = parser.value(options.units);
    line.report = parser.value(options.report);
    if (!parser.unknownOptionNames().isEmpty())
        line.problem = QStringLiteral("Unknown option '%1'.").arg(parser.unknownOptionNames().constFirst());
    else if (line.files.isEmpty())
        line.problem = QStringLiteral("--check needs at least one axis file.");
    else if (!QStringList{QString(), QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")}
                  .contains(line.format))
        line.problem = QStringLiteral("--format must be text, json or csv, not '%1'.").arg(line.format);
    else if (parser.isSet(options.report) && line.report.isEmpty())
        line.problem = QStringLiteral("--report needs the name of the PDF file to write.");
    else if (!line.report.isEmpty() && line.files.size() > 1)
        line.problem = QStringLiteral("--report writes the report of one axis file; %1 files were given.")
                           .arg(line.files.size());
    if (line.format.isEmpty())
        line.format = QStringLiteral("text");
    return line;
}
