#pragma once
// The axis report's content: the gearbox and motor as entered, every item in
// a table with its inertias in the result unit, the results and the verdict.
// Pure, so it is tested directly; the window paints it (reportprinter.h) and
// a later part of the window appends sections of its own.

#include "axis/movefigures.h"
#include "axis/reportdocument.h"

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

// The tone of the inertia ratio's verdict and of a motor check.
VerdictTone RatioTone(RatioLevel level);
VerdictTone CheckTone(CheckLevel level);

// subject names the axis (its file's name, or "Untitled"); date is written
// as it stands.
ReportDocument AxisReport(const Axis &axis, const AxisResults &results, const ReportFigures &figures,
                          const QString &subject, const QString &date);

// The units the Move tab shows its figures and worked-out ramps in (a unit
// list's text, padded or not).
struct MoveReportUnits
{
    std::array<QString, MoveUnitCount> figures; // by MoveUnit
    QString accelTime;                          // the ramps the move uses when they are not given
    QString decelTime;

    const QString &of(MoveUnit unit) const { return figures[std::size_t(unit)]; }
};

// The segments of one cycle as a table, its header first: each segment's
// duration, the motor speed at its start and end, and its torque, in the
// units shown.
QList<QStringList> MoveSegmentTable(const MoveResults &results, const MoveReportUnits &shown,
                                    const ReportFigures &view);
// The same for a cycle of several moves: each row led by its move's number
// (from 1), and the torque at the segment's end after the one at its start.
QList<QStringList> CycleSegmentTable(const MoveResults &results, const MoveReportUnits &shown,
                                     const ReportFigures &view);

// The key of the move's plot block, handed to the report's plot painter.
inline constexpr char MovePlotKey[] = "move";

// Appends the "Move" section: the move and the load as entered, the move's
// figures in the units the Move tab shows, its segments, the motor check in
// words, the conventions and assumptions the figures rest on, and the plots
// of motor speed and torque; or, when the move cannot be computed, why not
// instead of the figures, checks and plots. The motor's ratings stand with
// the gearbox and motor (AxisReport).
void AppendMoveReport(ReportDocument &report, const MoveInputs &move, const MoveResults &results,
                      const MoveReportUnits &shown, const ReportFigures &figures);
