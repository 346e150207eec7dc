#pragma once
// The axis report's content: the gearbox and motor as entered, every item in
// a table with its inertias in the result unit, the results and the verdict.
// Pure, so it is tested directly; the window paints it (reportprinter.h) and
// a later part of the window appends sections of its own.

#include "axis/moveprofile.h"
#include "axiswin/reportdocument.h"

// How the window shows its figures: through the unit table units, in the
// result unit (a unit list's text, padded or not), with the significant
// digits and scientific notation.
struct ReportFigures
{
    const ConversionTableData &units;
    QString inertiaUnit;
    int digits = 6;
    bool notation = false;
};

// subject names the axis (its file's name, or "Untitled"); date is written
// as it stands.
ReportDocument AxisReport(const Axis &axis, const AxisResults &results, const ReportFigures &figures,
                          const QString &subject, const QString &date);

// The units the Move tab shows its figures and worked-out ramps in (a unit
// list's text, padded or not).
struct MoveReportUnits
{
    QString loadSpeed;  // linear or angular velocity, as the axis moves
    QString loadAccel;  // linear or angular acceleration
    QString motorSpeed; // angular velocity
    QString torque;
    QString accelTime; // the ramps the move uses when they are not given
    QString decelTime;
};

// The key of the move's plot block, handed to the report's plot painter.
inline constexpr char MovePlotKey[] = "move";

// Appends the "Move" section: the move, the load and the motor as entered,
// the move's figures in the units the Move tab shows, the motor check in
// words, and the plots of motor speed and torque; or, when the move cannot be
// computed, why not instead of the figures, checks and plots.
void AppendMoveReport(ReportDocument &report, const MoveInputs &move, const AxisMotor &motor,
                      const MoveResults &results, const MoveReportUnits &shown, const ReportFigures &figures);
