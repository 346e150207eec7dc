#pragma once
// Candidates side by side: motors from the user's table, each with the axis's
// own gearbox or with chosen gearbox ratios, run on the axis and its move
// exactly as the axis window runs it (ComputeAxis, then ComputeMove), so every
// rule of the move's torques and the motor's checks holds unchanged. A chosen
// gearbox adds its own limits (output torques and input speed) to the checks;
// its output torque is what the load side asks of it, segment by segment
// through the mechanism's power flow, times the ratio (neither the motor's
// own inertia nor the gearbox's losses reach the output).
//
// The axis keeps everything but what a candidate replaces: the motor's rotor
// inertia, curves and maximum speed (the required margins and the target
// inertia ratio stay the axis's), and, with a gearbox, its ratio, input
// inertia and efficiency.

#include "axis/mechanismlimits.h"
#include "axis/moveprofile.h"
#include "drives/drivetables.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// A gearbox from the table at one of its ratios.
struct GearboxChoice
{
    GearboxRecord gearbox;
    double ratio = 1;
    bool operator==(const GearboxChoice &) const = default;
};

// The columns of checks: the motor's, by MotorCheckKind, then the gearbox's
// peak and continuous output torque and input speed, then the worst of all.
inline constexpr int GearboxCheckCount = 3;
inline constexpr int CandidateCheckCount = MotorCheckCount + GearboxCheckCount;
inline constexpr int WorstColumn = CandidateCheckCount;

// One check of a candidate, whichever kind.
struct CandidateCell
{
    CheckLevel level = CheckLevel::Unknown;
    std::optional<double> margin; // 1 − value / limit, a fraction; none when not judged
    double required = 0;          // the margin it needs, a fraction
    QString detail;               // the check in full words; empty for a motor check (told with units)
};

struct Candidate
{
    std::size_t motor = 0;              // index in the motors compared
    std::optional<std::size_t> gearbox; // index in the gearbox choices; none: the axis's own
    double ratio = 1;                   // the ratio it runs at
    MoveResults results;                // the move with this motor and gearbox
    std::array<CandidateCell, CandidateCheckCount> cells;
    CheckLevel level = CheckLevel::Unknown; // fails if one fails, passes if one passes and none fails
    // The column of the least slack (margin less the margin required): the
    // check that decides the verdict; none when nothing is judged.
    std::optional<int> worst;
    // The cell of a column (WorstColumn: the deciding check's).
    CandidateCell cell(int column) const;
};

// The axis and move with the motor (and the gearbox, when one is chosen) put in.
Axis CandidateAxis(const Axis &axis, const MotorRecord &motor, const GearboxChoice *gearbox);
MoveInputs CandidateMove(const MoveInputs &move, const GearboxChoice *gearbox);

// Every motor with every gearbox choice (or the axis's own when there is
// none), motors first: for motors m and choices g, row m·|g| + g.
std::vector<Candidate> CompareCandidates(const Axis &axis, const MoveInputs &move,
                                         const std::vector<MotorRecord> &motors,
                                         const std::vector<GearboxChoice> &gearboxes);

// Sorts by a column's slack (its margin less the margin required, which
// ranks as the margin does within a column and puts every failing check below
// every passing one), largest first when descending; rows that cannot be
// judged there go last either way, and ties keep their order.
void SortCandidates(std::vector<Candidate> &candidates, int column, bool descending);

// A column's title: "Peak torque", "Gearbox input speed", "Deciding check".
QString CandidateColumnTitle(int column);

// A cell in a few words: "passes, 23 %", "fails, 12 % of 20 %", "fails, 50 %
// over", "not judged"; a gearbox column without a gearbox: "no gearbox".
QString CandidateCellText(const Candidate &candidate, int column);
