#pragma once
// The move plotted over one cycle: the motor's speed above its torque on one
// time axis, the segments named (accel, constant, decel, dwell) and marked by
// lines at their boundaries, and the motor's maximum speed, rated torque and
// peak torque drawn as limit lines. Drawn with Qt Charts, as vectors, so the
// plots are sharp at any screen scale and on paper.

#include "axis/moveprofile.h"

#include <QGraphicsView>

#include <memory>

class QPainter;

// What the plots show, in the units the move pane shows them in.
struct MovePlotData
{
    MoveResults results;
    AxisMotor motor;
    QString speedUnit;       // an angular velocity unit
    QString torqueUnit;      // a torque unit
    double speedFactor = 1;  // the unit's value of 1 rad/s
    double torqueFactor = 1; // of 1 N·m
};

class MoveCharts;

class MovePlots : public QGraphicsView
{
public:
    explicit MovePlots(QWidget *parent = nullptr);
    ~MovePlots() override;
    // Redraws both plots for a move.
    void showMove(const MovePlotData &data);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    std::unique_ptr<MoveCharts> m_charts;
};

// Draws the same two plots into a rectangle of any painter, a printer's or a
// PDF page's included, with the text at its point size on the device.
void DrawMovePlots(QPainter &painter, const QRectF &rect, const MovePlotData &data);
