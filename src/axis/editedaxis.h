#pragma once
// The axis a window edits, apart from the window: the document (the axis and
// its move), the file it came from, whether it differs from that file, the
// undo history of its edits, and opening, saving and exporting it. The
// window shows the document and hands every edit here.

#include "axis/axisfile.h"
#include "axis/axishistory.h"
#include "core/safefile.h"

#include <QString>

#include <optional>

class ConversionTableData;
struct AxisResults;

class EditedAxis
{
public:
    const AxisDocument &document() const { return m_document; }
    // The file opened or saved last; empty for a new axis.
    const QString &filePath() const { return m_filePath; }
    // Its file's name, or "Untitled" before the first save.
    QString name() const;
    // Whether the document differs from what was opened or saved.
    bool isModified() const { return !(m_document == m_saved); }

    // A new axis with no file, taken as saved, with nothing to undo.
    void startNew(const AxisDocument &document);
    // Another document in place of this one, with nothing to undo; the file
    // and what was saved stay.
    void replace(const AxisDocument &document);
    // An edit that made now of the document: one step of the history (see
    // AxisHistory::record), with the item rows and the moves of the cycle
    // selected before and after it.
    void change(const AxisDocument &now, const QString &what, int rowBefore, int rowAfter,
                const QString &runKey = {}, int moveBefore = 0, int moveAfter = 0);
    void endRun() { m_history.endRun(); }
    // Takes back the last edit, or does again the last one taken back; the
    // step names the rows to select. nullopt when there is none.
    std::optional<AxisHistory::Step> undo();
    std::optional<AxisHistory::Step> redo();
    QString undoText() const { return m_history.undoText(); }
    QString redoText() const { return m_history.redoText(); }
    // The changes are given up: the document counts as saved.
    void dropChanges() { m_saved = m_document; }

    // Reads an axis file into the document, saved and with nothing to undo;
    // a refused file changes nothing.
    AxisFileRead open(const QString &path);
    // Writes the document atomically; written, it is saved under path.
    FileWrite save(const QString &path);
    // Writes the item table as CSV, inertias in unit with digits significant digits.
    FileWrite exportCsv(const QString &path, const ConversionTableData &units, const AxisResults &results,
                        const QString &unit, int digits) const;

private:
    AxisDocument m_document;
    AxisDocument m_saved;
    QString m_filePath;
    AxisHistory m_history;
};
