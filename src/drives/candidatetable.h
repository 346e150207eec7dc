#pragma once
// A comparison of candidates as the user asked for it (the motors and
// gearbox ratios chosen, the column sorted by) and its table as text: the
// Compare motors window shows it, and the axis report prints it. What is kept
// is the choice, not the rows: run again on the axis as it stands, the rows
// never tell of an axis that has since changed.

#include "axis/reportdocument.h"
#include "drives/comparecandidates.h"

#include <QStringList>

#include <vector>

// The table's columns: the motor, the gearbox, the deciding check, then the
// candidate's checks in the order of CandidateCheckCount.
enum CandidateTableColumn {
    CandidateMotorColumn,
    CandidateGearboxColumn,
    CandidateDecidingColumn,
    CandidateFirstCheckColumn
};
inline constexpr int CandidateTableColumnCount = CandidateFirstCheckColumn + CandidateCheckCount;

// The check a table column shows (WorstColumn for the deciding one); -1 for
// the motor and gearbox columns.
int CandidateCheckOf(int tableColumn);
QString CandidateTableTitle(int tableColumn);
// Whether a column is shown: the gearbox's checks only when gearboxes are compared.
bool CandidateColumnShown(int tableColumn, bool gearboxes);

struct CandidateComparison
{
    std::vector<MotorRecord> motors;
    std::vector<GearboxChoice> gearboxes; // none: each motor on the axis's own gearbox
    int sortColumn = CandidateDecidingColumn;
    bool descending = true;
    bool operator==(const CandidateComparison &) const = default;

    // Every candidate on the axis and move, in the order sorted.
    std::vector<Candidate> run(const Axis &axis, const MoveInputs &move) const;
    // Sorts rows by a table column: a check's largest margin first when
    // descending, names (a gearbox's then its ratio) in alphabetical order
    // when not; ties keep their order.
    void sort(std::vector<Candidate> &rows) const;
};

// A row's texts by table column, as the window shows them: "Example 400 W",
// "box, 8 : 1" or "the axis's own, 10 : 1", "Peak torque: fails, 12 % of 20 %".
QStringList CandidateRowTexts(const Candidate &row, const CandidateComparison &comparison);
// A candidate's verdict in a word: "passes", "fails" or "not judged".
QString CandidateVerdictText(const Candidate &row);

// Whether the axis and move hold this candidate: its motor's rotor inertia,
// maximum speed and curves (as the check reads them) and, with a gearbox,
// its ratio, input inertia and efficiency.
bool CandidateInAxis(const Axis &axis, const MoveInputs &move, const Candidate &row,
                     const CandidateComparison &comparison);

// The report's "Candidates compared" section: the required margins, one row
// per candidate in the order sorted (its verdict in words, each check's
// margin as the window shows it), and which candidate is in the axis.
ReportSection CandidateReportSection(const Axis &axis, const MoveInputs &move,
                                     const CandidateComparison &comparison);
