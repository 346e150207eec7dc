#include "axis/editedaxis.h"

#include <QFileInfo>

QString EditedAxis::name() const
{
    return m_filePath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_filePath).fileName();
}

void EditedAxis::startNew(const AxisDocument &document)
{
    m_filePath.clear();
    replace(document);
    m_saved = document;
}

void EditedAxis::replace(const AxisDocument &document)
{
    m_history.clear();
    m_document = document;
}

void EditedAxis::change(const AxisDocument &now, const QString &what, int rowBefore, int rowAfter,
                        const QString &runKey, int moveBefore, int moveAfter)
{
    m_history.record({m_document, what, rowBefore, rowAfter, moveBefore, moveAfter}, now, runKey);
    m_document = now;
}

std::optional<AxisHistory::Step> EditedAxis::undo()
{
    std::optional<AxisHistory::Step> step = m_history.undo(m_document);
    if (step)
        m_document = step->document;
    return step;
}

std::optional<AxisHistory::Step> EditedAxis::redo()
{
    std::optional<AxisHistory::Step> step = m_history.redo(m_document);
    if (step)
        m_document = step->document;
    return step;
}

AxisFileRead EditedAxis::open(const QString &path)
{
    AxisFileRead read = ReadAxisFile(path);
    if (read.document) {
        replace(*read.document);
        m_saved = m_document;
        m_filePath = path;
    }
    return read;
}

FileWrite EditedAxis::save(const QString &path)
{
    const FileWrite write = WriteAxisFile(path, m_document);
    if (write.ok) {
        m_filePath = path;
        m_saved = m_document;
    }
    return write;
}

FileWrite EditedAxis::exportCsv(const QString &path, const ConversionTableData &units,
                                const AxisResults &results, const QString &unit, int digits) const
{
    return WriteFileAtomically(path, ItemTableCsv(units, m_document.axis, results, unit, digits).toUtf8());
}
