#pragma once
// The mechanism's limits checked on an axis and its move, beside the motor's
// checks: a ball screw's critical speed and d·n value, a belt's or pinion's
// surface speed, each at the fastest the screw or pulley turns in the move
// (the motor's top speed through the gearbox). Only those of the axis's
// mechanism apply; one whose inputs are all empty is not checked, neither
// passing nor failing.

#include "axis/moveprofile.h"

#include <vector>

inline constexpr int EndFixityCount = 4;
// "Fixed–free", "Supported–supported", "Fixed–supported", "Fixed–fixed".
QString EndFixityTitle(EndFixity fixity);

enum class MechanismCheckKind { CriticalSpeed, Dn, SurfaceSpeed };
inline constexpr int MechanismCheckKindCount = 3;

struct MechanismCheck
{
    MechanismCheckKind kind = MechanismCheckKind::CriticalSpeed;
    bool given = false; // one of its inputs is given; else it is not checked
    LimitCheck check;
    // Passes or fails; Unknown when not given or when it cannot be made.
    CheckLevel level() const;
};

// Its name in JSON and CSV: "criticalSpeed", "dn", "surfaceSpeed".
const char *MechanismCheckKey(MechanismCheckKind kind);
// Whether a check belongs to a mechanism: the screw's two, the belt's one.
bool MechanismCheckApplies(MechanismCheckKind kind, MechanismKind mechanism);
// The checks of the axis's mechanism, in MechanismCheckKind order.
std::vector<MechanismCheck> MechanismChecks(const Axis &axis, const MoveResults &move);
// Why a check has no verdict: "no root diameter or free length is given"
// when it is not checked, else why it cannot be made; empty when it has one.
QString MechanismCheckReason(const MechanismCheck &check);
// The check in words (LimitCheckText), or "Screw speed: not checked, no root
// diameter or free length is given."
QString MechanismCheckText(const MechanismCheck &check);
