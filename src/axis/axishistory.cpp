#include "axis/axishistory.h"

void AxisHistory::record(Step before, const QString &runKey)
{
    m_redo.clear();
    if (!runKey.isEmpty() && runKey == m_runKey && !m_undo.isEmpty())
        return;
    m_undo.append(std::move(before));
    if (m_undo.size() > Depth)
        m_undo.removeFirst();
    m_runKey = runKey;
}

std::optional<AxisHistory::Step> AxisHistory::undo(const Axis &current)
{
    return pass(m_undo, m_redo, current);
}

std::optional<AxisHistory::Step> AxisHistory::redo(const Axis &current)
{
    return pass(m_redo, m_undo, current);
}

std::optional<AxisHistory::Step> AxisHistory::pass(QList<Step> &from, QList<Step> &to, const Axis &current)
{
    if (from.isEmpty())
        return std::nullopt;
    Step step = from.takeLast();
    to.append({current, step.what, step.rowBefore, step.rowAfter});
    m_runKey.clear();
    // The motor's ratings are typed with the move, which is no step: a
    // step's copy of them may be stale, and they stay as they are now.
    step.axis.motor.ratedTorque = current.motor.ratedTorque;
    step.axis.motor.peakTorque = current.motor.peakTorque;
    step.axis.motor.maxSpeed = current.motor.maxSpeed;
    return step;
}

void AxisHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_runKey.clear();
}
