#include "drives/candidatetable.h"

#include "axis/axisentry.h"
#include "axis/axisreport.h"
#include "axis/bestratio.h"

#include <algorithm>

int CandidateCheckOf(int tableColumn)
{
    if (tableColumn < CandidateDecidingColumn)
        return -1;
    return tableColumn == CandidateDecidingColumn ? WorstColumn : tableColumn - CandidateFirstCheckColumn;
}

QString CandidateTableTitle(int tableColumn)
{
    if (tableColumn == CandidateMotorColumn)
        return QStringLiteral("Motor");
    if (tableColumn == CandidateGearboxColumn)
        return QStringLiteral("Gearbox");
    return CandidateColumnTitle(CandidateCheckOf(tableColumn));
}

bool CandidateColumnShown(int tableColumn, bool gearboxes)
{
    const int check = CandidateCheckOf(tableColumn);
    return gearboxes || check < MotorCheckCount || check == WorstColumn;
}

std::vector<Candidate> CandidateComparison::run(const Axis &axis, const MoveInputs &move) const
{
    std::vector<Candidate> rows = CompareCandidates(axis, move, motors, gearboxes);
    sort(rows);
    return rows;
}

void CandidateComparison::sort(std::vector<Candidate> &rows) const
{
    if (sortColumn >= CandidateDecidingColumn) {
        SortCandidates(rows, CandidateCheckOf(sortColumn), descending);
        return;
    }
    const auto key = [this](const Candidate &row) {
        const QString name = sortColumn == CandidateMotorColumn ? motors[row.motor].name
                             : row.gearbox                      ? gearboxes[*row.gearbox].gearbox.name
                                                                : QString();
        return std::pair(name, sortColumn == CandidateGearboxColumn ? row.ratio : 0.0);
    };
    std::stable_sort(rows.begin(), rows.end(), [&](const Candidate &a, const Candidate &b) {
        const auto x = key(a), y = key(b);
        const int order = QString::localeAwareCompare(x.first, y.first);
        const bool before = order != 0 ? order < 0 : x.second < y.second;
        const bool after = order != 0 ? order > 0 : x.second > y.second;
        return descending ? after : before;
    });
}

QStringList CandidateRowTexts(const Candidate &row, const CandidateComparison &comparison)
{
    QStringList texts;
    texts << comparison.motors[row.motor].name;
    texts << (row.gearbox ? QStringLiteral("%1, %2").arg(comparison.gearboxes[*row.gearbox].gearbox.name,
                                                         RatioLabel(row.ratio))
                          : QStringLiteral("the axis's own, %1").arg(RatioLabel(row.ratio)));
    for (int column = CandidateDecidingColumn; column < CandidateTableColumnCount; ++column) {
        const int check = CandidateCheckOf(column);
        const QString text = CandidateCellText(row, check);
        texts << (check == WorstColumn && row.worst
                      ? QStringLiteral("%1: %2").arg(CandidateColumnTitle(*row.worst), text)
                      : text);
    }
    return texts;
}

QString CandidateVerdictText(const Candidate &row)
{
    return row.level == CheckLevel::Passes  ? QStringLiteral("passes")
           : row.level == CheckLevel::Fails ? QStringLiteral("fails")
                                            : QStringLiteral("not judged");
}

bool CandidateInAxis(const Axis &axis, const MoveInputs &move, const Candidate &row,
                     const CandidateComparison &comparison)
{
    const MotorRecord &motor = comparison.motors[row.motor];
    const MotorCurves curves = CurvesOf(axis.motor);
    if (axis.motor.inertia.value != motor.rotorInertia || axis.motor.maxSpeed.value != motor.maxSpeed ||
        curves.peak != motor.peak || curves.continuous != motor.continuous)
        return false;
    if (!row.gearbox)
        return true;
    const GearboxChoice &choice = comparison.gearboxes[*row.gearbox];
    return axis.gearbox.ratio == choice.ratio && axis.gearbox.inertia.value == choice.gearbox.inputInertia &&
           move.gearboxEfficiency == CandidateMove(move, &choice).gearboxEfficiency;
}

namespace {

// A number stays on the line of its unit or ratio: "50 %", "10 : 1".
QString unbroken(QString text)
{
    return text.replace(QStringLiteral(" %"), QStringLiteral("\u00a0%"))
        .replace(QStringLiteral(" : "), QStringLiteral("\u00a0:\u00a0"));
}

QString percentOf(double percent)
{
    return AxisEntryText(percent) + QStringLiteral(" %");
}

} // namespace

ReportSection CandidateReportSection(const Axis &axis, const MoveInputs &move,
                                     const CandidateComparison &comparison)
{
    const std::vector<Candidate> rows = comparison.run(axis, move);
    const bool gearboxes = !comparison.gearboxes.empty();
    ReportSection section{QStringLiteral("Candidates compared"), {}};
    const bool byCheck = comparison.sortColumn >= CandidateDecidingColumn;
    const QString order = byCheck ? (comparison.descending ? QStringLiteral("largest margin first")
                                                           : QStringLiteral("smallest margin first"))
                                  : (comparison.descending ? QStringLiteral("in reverse alphabetical order")
                                                           : QStringLiteral("in alphabetical order"));
    const ReportBlock intro = ReportBlock::paragraph(
        QStringLiteral("Each candidate run on this axis and its move, sorted by %1, %2. Required margins: "
                       "peak torque %3, RMS torque %4, speed %5.")
            .arg(CandidateTableTitle(comparison.sortColumn).toLower(), order,
                 percentOf(axis.motor.peakMargin), percentOf(axis.motor.rmsMargin),
                 percentOf(axis.motor.speedMargin)));
    if (rows.empty()) {
        section.blocks = {ReportBlock::paragraph(QStringLiteral("No motor was chosen to compare.")), intro};
        return section;
    }

    // The motor above its gearbox in one column, so the checks have the width.
    // The verdict above the deciding check, as the window words it.
    QStringList header{QStringLiteral("#"), QStringLiteral("Candidate"),
                       QStringLiteral("Verdict, deciding check")};
    QList<int> shown;
    for (int column = CandidateFirstCheckColumn; column < CandidateTableColumnCount; ++column) {
        if (CandidateColumnShown(column, gearboxes)) {
            header << CandidateTableTitle(column);
            shown << column;
        }
    }
    QList<QStringList> table{header};
    QList<QList<VerdictTone>> tones{{}};
    QStringList inAxis;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const Candidate &row = rows[r];
        const QStringList texts = CandidateRowTexts(row, comparison);
        QStringList cells{QString::number(r + 1),
                          texts[CandidateMotorColumn] + u'\n' + unbroken(texts[CandidateGearboxColumn]),
                          CandidateVerdictText(row) + u'\n' + unbroken(texts[CandidateDecidingColumn])};
        QList<VerdictTone> rowTones{VerdictTone::Plain, VerdictTone::Plain, CheckTone(row.level)};
        for (int column : shown) {
            cells << unbroken(texts[column]);
            rowTones << CheckTone(row.cell(CandidateCheckOf(column)).level);
        }
        if (CandidateInAxis(axis, move, row, comparison)) {
            cells[0] += QStringLiteral("\nin the axis");
            inAxis << QStringLiteral("%1 with %2 (row %3)")
                          .arg(texts[CandidateMotorColumn], texts[CandidateGearboxColumn])
                          .arg(r + 1);
        }
        table << cells;
        tones << rowTones;
    }
    // The notes first: the text engine loses blocks that follow a table
    // whose row it has split across pages.
    section.blocks.append(intro);
    section.blocks.append(ReportBlock::paragraph(
        inAxis.isEmpty() ? QStringLiteral("In the axis: none of these candidates; its motor is as entered.")
                         : QStringLiteral("In the axis: %1.").arg(inAxis.join(QStringLiteral("; ")))));
    ReportBlock block = ReportBlock::table(table, {}, {0});
    block.cellTones = tones;
    block.small = true;
    section.blocks.append(block);
    return section;
}
