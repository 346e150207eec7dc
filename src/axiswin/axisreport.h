#pragma once
// The axis report's content: the gearbox and motor as entered, every item in
// a table with its inertias in the result unit, the results and the verdict.
// Pure, so it is tested directly; the window paints it (reportprinter.h) and
// a later part of the window appends sections of its own.

#include "axis/axismodel.h"
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
