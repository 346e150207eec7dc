#include "app/checkcommand.h"
#include "app/startprocedure.h"
#include "core/commandline.h"
#include "core/datafiles.h"
#include "core/safefile.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    // --help and --version answer on the terminal before anything else, so
    // they need no display and never meet the one-toolbar rule.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (const std::optional<QString> answer = CommandLineAnswer(arguments)) {
        std::fputs(answer->toLocal8Bit().constData(), stdout);
        return 0;
    }
    // --check works on files alone: nothing of the toolbar starts. File
    // names are the system's bytes, which need not be UTF-8.
    QStringList names;
    for (int i = 0; i < argc; ++i)
        names.append(DecodeFileName(argv[i]));
    if (const CheckCommandLine check = ReadCheckCommandLine(names); check.requested)
        return RunCheckCommand(argc, argv, check);

    QApplication app(argc, argv);
    PrepareApplication(app);
    // Qt has taken its own options out of argv by now: what is left names
    // the file to open, if any, in the system's bytes (which need not be UTF-8).
    QStringList left;
    for (int i = 0; i < argc; ++i)
        left.append(DecodeFileName(argv[i]));
    const QString file = CommandLineFile(left, QDir::currentPath());
    // The user's own settings file; data files found from the program's folder.
    WindowContext context(QString(), DataFiles::ProgramLayout());
    return StartProcedure(app, context, file);
}
