// How fast the axis window's Move tab answers an edit: a keystroke in the
// move time recomputes the axis and the move, rewrites the figures and the
// motor check, and redraws all three plots: speed and torque over the cycle
// at the Move tab's size, torque against speed with the motor's curves at
// the Motor tab's; the target is one frame (16 ms). Each runs on a cycle of
// one move and of 50 (out and back in turn, added in the window).
// keystrokeToPaint takes the keystroke as the user types it: posted to the
// box, through the event loop, until the tab is painted and nothing more is
// pending, with the paints it took as a counter.
#include "axiswin/frmaxissizing.h"
#include "axiswin/movepane.h"
#include "axiswin/moveplots.h"
#include "units/conversiontable.h"
#include "widgets/windowcontext.h"
#include "windowbench.h"

#include "../tests/support/paintcount.h"

#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

AxisItem load(AxisItemKind kind, AxisParam param, double value)
{
    AxisItem item;
    item.kind = kind;
    item[AxisParam::Mass] = {40, QStringLiteral("kg")};
    item[param] = {value, QStringLiteral("mm")};
    return item;
}

// A ball-screw axis lifting 40 kg, with a motor to check it against.
Axis screwAxis()
{
    Axis axis;
    axis.items = {load(AxisItemKind::ScrewLoad, AxisParam::Lead, 0.01)};
    AxisItem coupling;
    coupling[AxisParam::Inertia] = {1.2e-5, {}};
    axis.items.append(coupling);
    axis.gearbox = {3, {5e-6, {}}};
    axis.motor.inertia = {2e-5, {}};
    axis.motor.ratedTorque = {0.3, QStringLiteral("N-m")};
    axis.motor.peakTorque = {0.9, QStringLiteral("N-m")};
    axis.motor.maxSpeed = {6000 * 2 * 3.14159265358979 / 60, QStringLiteral("rpm")};
    // Curves falling from a corner at 3000 rpm, both drawn in the third plot.
    for (MotorCurveInput *curve : {&axis.motor.peak, &axis.motor.continuous}) {
        curve->form = CurveForm::Corner;
        curve->cornerSpeed = {3000 * 2 * 3.14159265358979 / 60, QStringLiteral("rpm")};
        curve->torqueAtMaxSpeed = {0.2, QStringLiteral("N-m")};
    }
    return axis;
}

// The window on its Move tab with a cycle of moves and a motor to check.
void showMoveTab(frmAxisSizing &window, int moves)
{
    window.setAxis(screwAxis());
    window.findChild<QTabWidget *>(QStringLiteral("tabAxis"))->setCurrentIndex(1);
    window.show();
    QCoreApplication::processEvents();
    const auto box = [&window](const char *name) {
        return window.findChild<QLineEdit *>(QLatin1String(name));
    };
    box("txtDistance")->setText(QStringLiteral("0.2"));
    box("txtDwell")->setText(QStringLiteral("0.4"));
    box("txtIncline")->setText(QStringLiteral("90"));
    auto *add = window.findChild<QPushButton *>(QStringLiteral("cmdAddMove"));
    for (int m = 1; m < moves; ++m)
        add->click();
    // The first move's time is the one edited.
    window.findChild<MovePane *>(QStringLiteral("fraMove"))->selectMove(0);
}

void editAndRedraw(benchmark::State &state, WindowContext &context)
{
    frmAxisSizing window(context);
    showMoveTab(window, int(state.range(0)));
    auto *moveTime = window.findChild<QLineEdit *>(QStringLiteral("txtMoveTime"));
    auto *plots = window.findChild<MovePlots *>(QStringLiteral("gphMovePlots"));
    // The torque against speed, drawn on the Motor tab, at its size there.
    const auto *pane = window.findChild<MovePane *>(QStringLiteral("fraMove"));
    QImage torqueSpeed(window.findChild<QWidget *>(QStringLiteral("gphTorqueSpeed"))->size(),
                       QImage::Format_RGB32);
    const auto drawTorqueSpeed = [&]() {
        MovePlotData alone = pane->plotData();
        alone.speedTorqueOnly = true;
        QPainter painter(&torqueSpeed);
        return DrawMovePlots(painter, QRectF(torqueSpeed.rect()), alone);
    };
    const MovePlotDrawing drawn = drawTorqueSpeed();
    if (std::none_of(drawn.texts.begin(), drawn.texts.end(),
                     [](const MovePlotText &text) { return text.text == QLatin1String("Speed (rpm)"); })) {
        state.SkipWithError("the torque-speed plot is not drawn");
        return;
    }
    int k = 0;
    for (auto _ : state) {
        moveTime->setText(++k % 2 ? QStringLiteral("0.6") : QStringLiteral("0.7"));
        plots->repaint();
        benchmark::DoNotOptimize(drawTorqueSpeed());
    }
    state.SetItemsProcessed(state.iterations());
}

void keystrokeToPaint(benchmark::State &state, WindowContext &context)
{
    frmAxisSizing window(context);
    showMoveTab(window, int(state.range(0)));
    auto *moveTime = window.findChild<QLineEdit *>(QStringLiteral("txtMoveTime"));
    moveTime->setFocus();
    moveTime->setText(QStringLiteral("0.6"));
    moveTime->end(false);
    // The plots change with every keystroke; in a long cycle the figures,
    // the largest over every move, may not, and the tab around them then
    // needs no paint of its own.
    PaintCount count(window.findChild<QWidget *>(QStringLiteral("gphMovePlots")));
    count.settle();
    int k = 0, paints = 0;
    for (auto _ : state) {
        // Types a digit, then takes it back: 0.65, 0.6, 0.65…
        const bool add = ++k % 2;
        const int key = add ? Qt::Key_5 : Qt::Key_Backspace;
        const QString text = add ? QStringLiteral("5") : QString();
        const int before = count.paints;
        QCoreApplication::postEvent(moveTime, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(moveTime, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
        count.settle(true);
        paints += count.paints - before;
    }
    state.counters["paints"] = benchmark::Counter(paints, benchmark::Counter::kAvgIterations);
}

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        benchmark::RegisterBenchmark("editAndRedraw",
                                     [&context](benchmark::State &state) { editAndRedraw(state, context); })
            ->Unit(benchmark::kMillisecond)
            ->Arg(1)
            ->Arg(50);
        benchmark::RegisterBenchmark(
            "keystrokeToPaint", [&context](benchmark::State &state) { keystrokeToPaint(state, context); })
            ->Unit(benchmark::kMillisecond)
            ->Arg(1)
            ->Arg(50)
            ->MeasureProcessCPUTime()
            ->UseRealTime();
    });
}
