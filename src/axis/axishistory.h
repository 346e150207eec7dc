#pragma once
// Undo and Redo of the edits of an axis and its move. Each step keeps the
// whole document as it was before the edit (an axis is small), what the edit
// did in words for the menu, and the item row it touched, so undoing gives
// back exactly what was there and the modified mark follows.

#include "axis/axisfile.h"

#include <QList>
#include <QString>

#include <optional>

class AxisHistory
{
public:
    struct Step
    {
        AxisDocument document;
        QString what;       // "remove “Coupling”"
        int rowBefore = -1; // the item row selected before the edit, for Undo; -1 for none
        int rowAfter = -1;  // and after it, for Redo
        int moveBefore = 0; // the move of the cycle selected before the edit, for Undo
        int moveAfter = 0;  // and after it, for Redo
    };

    // Records an edit: before is the document as it was, now as it is. An
    // edit that changed nothing is no step. An edit with the same run key as
    // the one before it, with nothing undone and no endRun() in between,
    // joins that step: a value typed key by key is one step, and one typed
    // back to where its run started is none.
    void record(Step before, const AxisDocument &now, const QString &runKey = {});
    // The next edit starts a step of its own, whatever its run key (the
    // value was entered, the focus moved on).
    void endRun() { m_runKey.clear(); }
    // The step to show for Undo or Redo; current goes to the other side.
    // nullopt when there is nothing to undo or redo.
    std::optional<Step> undo(const AxisDocument &current);
    std::optional<Step> redo(const AxisDocument &current);
    // What the next Undo or Redo does; empty when there is none.
    QString undoText() const { return m_undo.isEmpty() ? QString() : m_undo.last().what; }
    QString redoText() const { return m_redo.isEmpty() ? QString() : m_redo.last().what; }
    void clear();

    // Steps kept; the oldest go first.
    static constexpr qsizetype Depth = 200;

private:
    // Takes the last step of from, leaving current in its place on to.
    std::optional<Step> pass(QList<Step> &from, QList<Step> &to, const AxisDocument &current);

    QList<Step> m_undo;
    QList<Step> m_redo;
    QString m_runKey;
};
