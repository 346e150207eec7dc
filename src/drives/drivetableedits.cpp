#include "drives/drivetableedits.h"

QString ImportCountText(const ImportCount &count, DriveTableKind kind)
{
    const int total = count.added + count.replaced;
    const bool motors = kind == DriveTableKind::Motors;
    const QString what = total == 1 ? (motors ? QStringLiteral("motor") : QStringLiteral("gearbox"))
                                    : (motors ? QStringLiteral("motors") : QStringLiteral("gearboxes"));
    return QStringLiteral("Imported %1 %2: %3 added, %4 replaced.")
        .arg(total)
        .arg(what)
        .arg(count.added)
        .arg(count.replaced);
}

void DriveTableHistory::remember(const DriveTables &before)
{
    if (m_undo.size() == Depth)
        m_undo.erase(m_undo.begin());
    m_undo.push_back(before);
    m_redo.clear();
}

namespace {

// Takes the newest of from, putting current on to in its stead.
DriveTables step(std::vector<DriveTables> &from, std::vector<DriveTables> &to, const DriveTables &current)
{
    if (from.empty())
        return current;
    DriveTables taken = std::move(from.back());
    from.pop_back();
    to.push_back(current);
    return taken;
}

} // namespace

DriveTables DriveTableHistory::undo(const DriveTables &current)
{
    return step(m_undo, m_redo, current);
}

DriveTables DriveTableHistory::redo(const DriveTables &current)
{
    return step(m_redo, m_undo, current);
}
