#pragma once
// Undo and Redo of the edits of an axis. Each step keeps the whole axis as it
// was before the edit (an axis is small), what the edit did in words for the
// menu, and the item row it touched, so undoing gives back exactly what was
// there and the modified mark follows.

#include "axis/axismodel.h"

#include <QList>
#include <QString>

#include <optional>

class AxisHistory
{
public:
    struct Step
    {
        Axis axis;
        QString what;       // "remove “Coupling”"
        int rowBefore = -1; // the item row selected before the edit, for Undo; -1 for none
        int rowAfter = -1;  // and after it, for Redo
    };

    // Records an edit; before is the axis as it was. An edit with the same
    // run key as the one before it, with nothing undone in between, joins
    // that step: typing a ratio key by key is one step.
    void record(Step before, const QString &runKey = {});
    // The step to show for Undo or Redo, with the motor's ratings (torques
    // and speed, no part of any step) as current has them; current goes to
    // the other side.
    // nullopt when there is nothing to undo or redo.
    std::optional<Step> undo(const Axis &current);
    std::optional<Step> redo(const Axis &current);
    // What the next Undo or Redo does; empty when there is none.
    QString undoText() const { return m_undo.isEmpty() ? QString() : m_undo.last().what; }
    QString redoText() const { return m_redo.isEmpty() ? QString() : m_redo.last().what; }
    void clear();

    // Steps kept; the oldest go first.
    static constexpr qsizetype Depth = 200;

private:
    // Takes the last step of from, leaving current in its place on to.
    std::optional<Step> pass(QList<Step> &from, QList<Step> &to, const Axis &current);

    QList<Step> m_undo;
    QList<Step> m_redo;
    QString m_runKey;
};
