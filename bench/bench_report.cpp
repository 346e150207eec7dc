// The axis report written as a PDF: a long axis and a cycle of many moves,
// laid out on pages (tables split between rows, headers repeated), the plots
// drawn, and the file written into a temporary folder, as Save report does.

#include "axis/axisreport.h"
#include "axis/moveprofile.h"
#include "axiswin/moveplots.h"
#include "widgets/reportprinter.h"
#include "windowbench.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

AxisQuantity inSi(double value)
{
    return {value, QString()};
}

// An axis of n items (a 40 kg table on a 10 mm lead screw, pulleys the rest)
// behind a 3 : 1 gearbox, its motor rated.
Axis reportAxis(int n)
{
    Axis axis;
    AxisItem table;
    table.kind = AxisItemKind::ScrewLoad;
    table.name = QStringLiteral("Table");
    table[AxisParam::Mass] = inSi(40);
    table[AxisParam::Lead] = inSi(0.01);
    axis.items.append(table);
    for (int k = 1; k < n; ++k) {
        AxisItem pulley;
        pulley.kind = AxisItemKind::Inertia;
        pulley.name = QStringLiteral("Pulley %1").arg(k);
        pulley[AxisParam::Inertia] = inSi(1e-6 * k);
        axis.items.append(pulley);
    }
    axis.gearbox = {3, inSi(5e-6)};
    axis.motor.inertia = inSi(2e-5);
    axis.motor.peakTorque = inSi(20);
    axis.motor.ratedTorque = inSi(8);
    axis.motor.maxSpeed = inSi(300);
    return axis;
}

// A cycle of n moves, out and back, by every profile in turn.
MoveInputs reportCycle(int n)
{
    MoveInputs move;
    move.moves.clear();
    for (int k = 0; k < n; ++k) {
        CycleMove step;
        step.distance = inSi(k % 2 ? -0.2 : 0.2);
        step.moveTime = inSi(0.5);
        step.profile = k % 3 == 0   ? MoveProfile::Trapezoidal
                       : k % 3 == 1 ? MoveProfile::SCurve
                                    : MoveProfile::Limited;
        step.speedLimit = inSi(0.6);
        step.accelLimit = inSi(4);
        step.dwell = inSi(0.2);
        move.moves.append(step);
    }
    return move;
}

void writeReport(benchmark::State &state, WindowContext &context)
{
    const Axis axis = reportAxis(int(state.range(0)));
    const MoveInputs move = reportCycle(int(state.range(1)));
    const ReportFigures figures{context.units(), QStringLiteral("kg-cm\u00b2"), 6, false};
    const AxisResults inertia = ComputeAxis(axis);
    const MoveResults results = ComputeMove(axis, inertia, move);
    ReportDocument report =
        AxisReport(axis, inertia, figures, QStringLiteral("large.tvaxis"), QStringLiteral("today"));
    MoveReportUnits shown;
    shown.figures = {"mm/s", "m/s\u00b2", "rpm", "rad/s\u00b2", "N-m", "N", "s", "mm", "kg"};
    shown.accelTime = shown.decelTime = QStringLiteral("s");
    AppendMoveReport(report, move, results, shown, figures);
    AppendMechanismReport(report, axis, results, figures);
    MovePlotData plot;
    plot.results = results;
    plot.motor = axis.motor;
    plot.speedUnit = QStringLiteral("rpm");
    plot.torqueUnit = QStringLiteral("N-m");
    const ReportPlotPainter plots = [&plot](QPainter &painter, const QRectF &rect, const QString &key) {
        if (key == QLatin1String(MovePlotKey))
            DrawMovePlots(painter, rect, plot);
    };

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("report.pdf")));
    for (auto _ : state) {
        if (!file.open(QIODevice::WriteOnly) || !WriteReportPdf(file, report, plots)) {
            state.SkipWithError("the report could not be written");
            break;
        }
        file.close();
    }
    state.SetLabel(std::to_string(file.size() / 1024) + " KiB");
}

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        // The items, then the moves of the cycle.
        benchmark::RegisterBenchmark("writeReport",
                                     [&context](benchmark::State &state) { writeReport(state, context); })
            ->Args({40, 50})
            ->Args({40, 1})
            ->Unit(benchmark::kMillisecond)
            ->MeasureProcessCPUTime();
    });
}
