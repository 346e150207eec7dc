#include "axis/cyclemoves.h"

namespace {

bool Holds(const QList<CycleMove> &moves, int index)
{
    return index >= 0 && index < moves.size();
}

} // namespace

int AddMove(QList<CycleMove> &moves, int selected, const CycleMove &fresh)
{
    const int at = Holds(moves, selected) ? selected + 1 : int(moves.size());
    moves.insert(at, fresh);
    return at;
}

int DuplicateMove(QList<CycleMove> &moves, int selected)
{
    if (!Holds(moves, selected))
        return selected;
    moves.insert(selected + 1, moves.at(selected));
    return selected + 1;
}

int RemoveMove(QList<CycleMove> &moves, int selected)
{
    if (!Holds(moves, selected) || moves.size() < 2)
        return selected;
    moves.removeAt(selected);
    return std::min(selected, int(moves.size()) - 1);
}

int SwapMoves(QList<CycleMove> &moves, int selected, int step)
{
    const int to = selected + step;
    if (!Holds(moves, selected) || !Holds(moves, to))
        return selected;
    moves.swapItemsAt(selected, to);
    return to;
}

CycleMove ReturnMove(const CycleMove &selected)
{
    CycleMove back = selected;
    back.distance.value = -selected.distance.value;
    back.payload.value = 0;
    back.thrust.value = 0;
    back.loadTorque.value = 0;
    return back;
}
