// How fast the axis window's Move tab answers an edit: a keystroke in the
// move time recomputes the axis and the move, rewrites the figures and the
// motor check, and redraws all three plots: speed and torque over the cycle
// at the Move tab's size, torque against speed with the motor's curves at
// the Motor tab's; the target is one frame (16 ms).
#include "axiswin/frmaxissizing.h"
#include "axiswin/movepane.h"
#include "axiswin/moveplots.h"
#include "units/conversiontable.h"
#include "widgets/windowcontext.h"
#include "windowbench.h"

#include <QImage>
#include <QLineEdit>
#include <QPainter>
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

void editAndRedraw(benchmark::State &state, WindowContext &context)
{
    frmAxisSizing window(context);
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
    QLineEdit *moveTime = box("txtMoveTime");
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

} // namespace

int main(int argc, char **argv)
{
    return RunWindowBenchmarks(argc, argv, [](WindowContext &context) {
        benchmark::RegisterBenchmark("editAndRedraw", [&context](benchmark::State &state) {
            editAndRedraw(state, context);
        })->Unit(benchmark::kMillisecond);
    });
}
