// Stands in for the program in the install test: copied into an installed
// bin/ folder, it finds the data files as the program does, adds a material
// and logs a report through the same functions the windows use, and prints
// where each file is: "<file>=<path>" lines (the print module's among them),
// then the material count.

#include "core/datafiles.h"
#include "core/fixedtext.h"
#include "core/settingsstore.h"
#include "densities/densitytable.h"
#include "drives/drivetables.h"
#include "errors/bugreport.h"
#include "units/conversiontable.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    app.setApplicationName(Settings::ApplicationName);
    app.setOrganizationName(Settings::ApplicationName);
    const DataFiles::Layout layout = DataFiles::ProgramLayout();

    const QString density = DensityFilePath(layout);
    DensityFileLoad materials = LoadDensityFile(density);
    materials.records.append({PadRight(QStringLiteral("Install test"), MaterialNameWidth), 1234.5f});
    const DensitySaveResult saved = SaveDensityFile(density, materials.records);

    const QString bugLog = DataFiles::UserFile(layout, QString::fromLatin1(BugLogFileName));
    const BugReport report{Settings::ApplicationName,
                           QStringLiteral(TORVANE_VERSION_TEXT),
                           QStringLiteral("Main in datafilesprobe"),
                           QStringLiteral("5"),
                           QStringLiteral("Install test"),
                           QStringLiteral("probe"),
                           QString(),
                           QDateTime::currentDateTime()};
    BugLogError logFailure;
    const bool logged =
        AppendBugLogLine(bugLog, BugLogLine(report, QDateTime::currentDateTime(), QLocale()), &logFailure);

    // The motor table, read from the user's copy made on first use.
    const QString motors = DataFiles::UserFile(layout, DriveTableFileName(DriveTableKind::Motors));
    const MotorTableRead motorTable = LoadMotorTable(motors);

    std::printf("installed=%d\nconverts.dat=%s\ndensity.dat=%s\nbuglog.txt=%s\nmotors.csv=%s (%lld motors)\n"
                "torvane-print.so=%s\nmaterials=%lld\n",
                layout.installed ? 1 : 0,
                qPrintable(DataFiles::ReadOnlyFile(layout, QStringLiteral("converts.dat"))),
                qPrintable(density), qPrintable(bugLog), qPrintable(motors),
                static_cast<long long>(motorTable.records.size()),
                qPrintable(DataFiles::FindModule(DataFiles::ModuleFolders(layout.programFolder),
                                                 QStringLiteral("torvane-print.so"))),
                static_cast<long long>(materials.records.size()));
    if (!saved.ok())
        std::fprintf(stderr, "%s\n", qPrintable(saved.message()));
    if (!logged)
        std::fprintf(stderr, "bug log: %s\n", qPrintable(logFailure.description));
    return saved.ok() && logged ? 0 : 1;
}
