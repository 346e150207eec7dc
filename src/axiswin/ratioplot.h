#pragma once
// The best ratio plotted: peak and RMS torque above the motor speed, against
// the gearbox ratio on a log scale, with the motor's limits, the band of
// ratios that pass shaded and named in words, and the two optima and the
// inertia-matching ratio marked. Drawn by one function into any painter, as
// vectors, so it is sharp at any screen scale.

#include "axis/bestratio.h"
#include "axiswin/moveplots.h"

#include <QWidget>

// What the plot shows, in the units the move pane shows.
struct RatioPlotData
{
    BestRatio best;
    AxisMotor motor;
    QString speedUnit;
    QString torqueUnit;
    double speedFactor = 1;  // the unit's value of 1 rad/s
    double torqueFactor = 1; // of 1 N·m
};

class RatioPlot : public QWidget
{
public:
    explicit RatioPlot(QWidget *parent = nullptr);
    void showRatios(const RatioPlotData &data);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    RatioPlotData m_data;
};

// Draws the plot into a rectangle of any painter; returns the texts and
// lines drawn, as the move plots do.
MovePlotDrawing DrawRatioPlot(QPainter &painter, const QRectF &rect, const RatioPlotData &data);
