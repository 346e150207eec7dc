#include "app/checkcommand.h"

#include "app/startprocedure.h"
#include "axis/axischeck.h"
#include "axis/axisreport.h"
#include "axiswin/moveplots.h"
#include "core/commandline.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "units/conversiontable.h"
#include "widgets/reportprinter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// False when the bytes did not all get through (a full disk behind a
// redirection): a job must not take a cut-off table for a whole one.
bool print(std::FILE *stream, const QByteArray &bytes)
{
    const std::size_t written = std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    return std::fflush(stream) == 0 && written == std::size_t(bytes.size());
}

void tell(const QString &line)
{
    std::fputs((line + u'\n').toLocal8Bit().constData(), stderr);
}

// The unit table beside the program, or installed; nullopt, with the
// problem told, when there is none to convert with.
bool loadUnitTable(ConversionTableData &table)
{
    const DataFiles::Layout layout =
        DataFiles::DetectLayout(QCoreApplication::applicationDirPath(), QString());
    const QString path = DataFiles::ReadOnlyFile(layout, QStringLiteral("converts.dat"));
    // Loading a missing table would create it empty.
    if (!QFileInfo(path).isFile()) {
        tell(OpenFailureMessage(path, QStringLiteral("the unit table is missing")));
        return false;
    }
    table.load(path);
    if (table.report().hasProblem())
        tell(table.report().message());
    return !table.records().isEmpty();
}

// The axis window's report of a checked file, in the view's units.
bool writeReport(const QString &path, const AxisCheck &check, const CheckView &view, bool notation)
{
    const MechanismKind kind = check.move.mechanism.kind;
    const QString inertiaUnit = ShownInertiaUnit(view);
    const ReportFigures figures{view.table, inertiaUnit, view.digits, notation};
    MoveReportUnits shown;
    for (int u = 0; u < MoveUnitCount; ++u)
        shown.figures[std::size_t(u)] = ShownUnit(view, MoveUnit(u), kind);
    const MoveInputs &move = check.document.move;
    const QString time = view.units.of(QStringLiteral("Time"));
    const CycleMove &first = move.moves.first();
    shown.accelTime = first.accelTime.unit.isEmpty() ? time : first.accelTime.unit;
    shown.decelTime = first.decelTime.unit.isEmpty() ? time : first.decelTime.unit;

    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    ReportDocument document =
        AxisReport(check.document.axis, check.inertia, figures, QFileInfo(check.file).fileName(),
                   locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral(", ") +
                       locale.toString(now.time(), QLocale::ShortFormat));
    AppendMoveReport(document, move, check.move, shown, figures);

    MovePlotData plot;
    plot.results = check.move;
    plot.motor = check.document.axis.motor;
    plot.speedUnit = shown.of(MoveUnit::MotorSpeed);
    plot.torqueUnit = shown.of(MoveUnit::Torque);
    plot.speedFactor = FromBaseUnits(view.table, 1.0, plot.speedUnit).value_or(1.0);
    plot.torqueFactor = FromBaseUnits(view.table, 1.0, plot.torqueUnit).value_or(1.0);
    const ReportPlotPainter plots = [&plot](QPainter &painter, const QRectF &rect, const QString &key) {
        if (key == QLatin1String(MovePlotKey))
            DrawMovePlots(painter, rect, plot);
    };

    // Made in memory, then written whole, as the window does.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    FileWrite written{false, QFileInfo::exists(path), QString()};
    if (WriteReportPdf(pdf, document, plots, &written.problem))
        written = WriteFileAtomically(path, pdf.data());
    if (!written.ok)
        tell(SaveFailureMessage(path, written));
    return written.ok;
}

// The GUI application looks in the runtime folder at its start; a build job
// often has none set, and Qt's note about the fallback it takes is no
// concern of a check.
QtMessageHandler passedOn = nullptr;
void withoutRuntimeFolderNote(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        passedOn(type, context, message);
}

} // namespace

int RunCheckCommand(int &argc, char **argv, const CheckCommandLine &line)
{
    const QString program = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName();
    if (!line.problem.isEmpty()) {
        tell(QStringLiteral("%1: %2\nTry '%1 --help'.").arg(program, line.problem));
        return 2;
    }
    const QString unitsName =
        line.units.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0 ? QString() : line.units;
    const std::optional<CheckUnits> preset = PresetCheckUnits(unitsName);
    if (!unitsName.isEmpty() && !preset) {
        tell(QStringLiteral("%1: --units must be SI, inch-pound or default, not '%2'.")
                 .arg(program, line.units));
        return 2;
    }

    // A report paints text and plots: that takes a GUI application, on a
    // platform that needs no display. The rest needs Qt Core only.
    std::unique_ptr<QCoreApplication> app;
    if (line.report.isEmpty()) {
        app = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        passedOn = qInstallMessageHandler(withoutRuntimeFolderNote);
        app = std::make_unique<QGuiApplication>(argc, argv);
        qInstallMessageHandler(passedOn);
    }
    NameApplication();

    QList<AxisCheck> checks;
    for (const QString &file : line.files) {
        checks.append(CheckAxisFile(file, ReadAxisFile(file)));
        if (checks.constLast().refused())
            tell(checks.constLast().problem);
    }
    int status = CheckExitStatus(checks);
    const auto output = [&program, &status](const QByteArray &bytes) {
        errno = 0;
        if (print(stdout, bytes))
            return;
        const int error = errno;
        tell(QStringLiteral("%1: the results could not be written in full%2.")
                 .arg(program, error ? QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error))
                                     : QString()));
        status = 2;
    };
    if (line.format == QLatin1String("json")) {
        output(CheckJson(checks));
        if (line.report.isEmpty())
            return status;
    }

    // Figures in units need the unit table.
    const Settings settings; // the user's own, only read
    ConversionTableData table;
    if (!loadUnitTable(table))
        return 2;
    const CheckView view{table, preset ? *preset : DefaultCheckUnits(table, settings),
                         settings.digits(Settings::Calculator::Axis)};
    if (line.format == QLatin1String("csv"))
        output(CheckCsv(checks, view).toUtf8());
    else if (line.format == QLatin1String("text"))
        output(CheckText(checks, view).toLocal8Bit());

    if (!line.report.isEmpty() && !checks.constFirst().refused() &&
        !writeReport(line.report, checks.constFirst(), view,
                     settings.notationMode(Settings::Calculator::Axis)))
        status = 2;
    return status;
}
