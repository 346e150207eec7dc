#pragma once
// The edits of a cycle's list of moves, as the Move tab's moves table makes
// them: each takes the selected move's index and returns the one to select
// after it. An index outside the list changes nothing; the last move stays.

#include "axis/moveprofile.h"

#include <QList>

// Puts fresh after the selected move (at the end when none is).
int AddMove(QList<CycleMove> &moves, int selected, const CycleMove &fresh);
// A copy of the selected move after it.
int DuplicateMove(QList<CycleMove> &moves, int selected);
// Takes the selected move out, unless it is the only one; the move after it,
// else the one before, is selected then.
int RemoveMove(QList<CycleMove> &moves, int selected);
// Swaps the selected move with the one step (−1 up, 1 down) away from it;
// at either end of the list it stays.
int SwapMoves(QList<CycleMove> &moves, int selected, int step);
// The move a new one after selected starts as: the way back, at the same
// speed and profile, without the payload or force it carried out.
CycleMove ReturnMove(const CycleMove &selected);
