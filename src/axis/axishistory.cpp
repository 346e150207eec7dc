#include "axis/axishistory.h"

void AxisHistory::record(Step before, const AxisDocument &now, const QString &runKey)
{
    if (!runKey.isEmpty() && runKey == m_runKey && !m_undo.isEmpty()) {
        if (m_undo.last().document == now) {
            m_undo.removeLast();
            m_runKey.clear();
        }
        return;
    }
    if (before.document == now)
        return;
    m_redo.clear();
    m_undo.append(std::move(before));
    if (m_undo.size() > Depth)
        m_undo.removeFirst();
    m_runKey = runKey;
}

std::optional<AxisHistory::Step> AxisHistory::undo(const AxisDocument &current)
{
    return pass(m_undo, m_redo, current);
}

std::optional<AxisHistory::Step> AxisHistory::redo(const AxisDocument &current)
{
    return pass(m_redo, m_undo, current);
}

std::optional<AxisHistory::Step> AxisHistory::pass(QList<Step> &from, QList<Step> &to,
                                                   const AxisDocument &current)
{
    if (from.isEmpty())
        return std::nullopt;
    Step step = from.takeLast();
    to.append({current, step.what, step.rowBefore, step.rowAfter, step.moveBefore, step.moveAfter});
    m_runKey.clear();
    return step;
}

void AxisHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
    m_runKey.clear();
}
