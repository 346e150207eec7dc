#pragma once
// The move plotted over one cycle: the motor's speed above its torque on one
// time axis, the segments named (accel, constant, decel, dwell) and marked by
// lines at their boundaries, and the motor's maximum speed, rated torque and
// peak torque drawn as limit lines; below them the torque against the speed:
// the operating points, the path between them and the motor's peak and
// continuous curves, mirrored for braking. A move of a cycle, the one the
// window edits, may be marked over time. Where three plots would be too
// low to read, the third gives way (the Motor tab shows it alone). Drawn by
// one function into any painter, the widget's and a printer's alike, as
// vectors, so the plots are sharp at any screen scale and on paper.

#include "axis/moveprofile.h"
#include "axiswin/plotcanvas.h"

#include <QPolygonF>
#include <QRectF>
#include <QWidget>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

// What the plots show, in the units the move pane shows them in.
struct MovePlotData
{
    MoveResults results;
    AxisMotor motor;
    QString speedUnit;            // an angular velocity unit
    QString torqueUnit;           // a torque unit
    double speedFactor = 1;       // the unit's value of 1 rad/s
    double torqueFactor = 1;      // of 1 N·m
    bool speedTorqueOnly = false; // the torque against speed alone
    int markedMove = -1;          // the move of a cycle of several marked over time, -1 none
};

// The stretch of the cycle (s, from the move's start to the next one's) the
// plots over time mark behind their curves for the marked move: a light band,
// its number in bold. None for a cycle of one move or a move it lacks.
std::optional<std::pair<double, double>> MarkedSpan(const MovePlotData &data);

using MovePlotText = PlotText;

// What was drawn: the texts, and the lines no text may cover (the curves,
// the limits, the segment boundaries and the axes), in the painter's
// coordinates.
struct MovePlotDrawing
{
    std::vector<MovePlotText> texts;
    std::vector<QPolygonF> lines;
};

class MovePlots : public QWidget
{
public:
    explicit MovePlots(QWidget *parent = nullptr);
    // Redraws the plots for a move; the accessible name says what they show.
    void showMove(const MovePlotData &data);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    MovePlotData m_data;
};

// Draws the plots into a rectangle of any painter, a printer's or a PDF
// page's included, with the text at its point size on the device and the
// lines as thick as on a screen of 96 dots an inch. Numbers are written as
// the window's boxes write them: ASCII digits, a leading minus sign and the
// decimal mark the boxes read. Returns what was drawn: no text overlaps
// another or a line.
MovePlotDrawing DrawMovePlots(QPainter &painter, const QRectF &rect, const MovePlotData &data);
