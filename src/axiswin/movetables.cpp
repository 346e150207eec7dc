#include "axiswin/movetables.h"

#include "axis/axisentry.h"
#include "axis/axisfigure.h"

void TextTableModel::show(const QList<QStringList> &table, int firstNumber)
{
    const QStringList header = table.value(0);
    const QList<QStringList> rows = table.mid(1);
    const bool sameShape = header.size() == m_header.size() && rows.size() == m_rows.size();
    m_firstNumber = firstNumber;
    if (!sameShape) {
        beginResetModel();
        m_header = header;
        m_rows = rows;
        endResetModel();
        return;
    }
    if (header != m_header) {
        m_header = header;
        Q_EMIT headerDataChanged(Qt::Horizontal, 0, int(header.size()) - 1);
    }
    // Only the rows that changed are repainted.
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r] == m_rows[r])
            continue;
        m_rows[r] = rows[r];
        Q_EMIT dataChanged(index(r, 0), index(r, int(header.size()) - 1), {Qt::DisplayRole});
    }
}

int TextTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int TextTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_header.size());
}

QVariant TextTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return m_rows[index.row()].value(index.column());
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignVCenter | (index.column() >= m_firstNumber ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section >= m_header.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_header[section];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignBottom | (section >= m_firstNumber ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

namespace {

QString ProfileText(const CycleMove &move)
{
    switch (move.profile) {
    case MoveProfile::Trapezoidal:
        return move.defaultRamps ? QStringLiteral("Trapezoidal") : QStringLiteral("Trapezoidal, ramps given");
    case MoveProfile::Triangular:
        return QStringLiteral("Triangular");
    case MoveProfile::SCurve:
        return QStringLiteral("S-curve");
    case MoveProfile::Limited:
        return QStringLiteral("Set by limits");
    }
    return {};
}

} // namespace

QList<QStringList> MoveListTable(const ConversionTableData &units, const QList<CycleMove> &moves,
                                 MechanismKind kind, int digits, bool notation)
{
    const bool rotary = kind == MechanismKind::Rotary;
    QList<QStringList> rows{{QStringLiteral("Move"), QStringLiteral("Distance"), QStringLiteral("Profile"),
                             QStringLiteral("Time or limits"), QStringLiteral("Payload"),
                             rotary ? QStringLiteral("Load torque") : QStringLiteral("Force"),
                             QStringLiteral("Dwell"), QStringLiteral("Brake")}};
    const auto quantity = [&units, digits](const AxisQuantity &q) {
        return FormatQuantity(units, q, digits);
    };
    for (qsizetype m = 0; m < moves.size(); ++m) {
        const CycleMove &move = moves[m];
        // The direction at a glance: a move out is "+", one back "−".
        QString distance = quantity(move.distance);
        if (move.distance.value > 0)
            distance.prepend(u'+');
        QString time = quantity(move.moveTime);
        if (move.profile == MoveProfile::Limited) {
            QStringList limits{quantity(move.speedLimit), quantity(move.accelLimit)};
            if (move.jerkLimit.value > 0)
                limits << quantity(move.jerkLimit);
            time = limits.join(QStringLiteral(", "));
        }
        rows.append({QString::number(m + 1), distance, ProfileText(move), time, quantity(move.payload),
                     quantity(rotary ? move.loadTorque : move.thrust), quantity(move.dwell),
                     move.holdingBrake ? QStringLiteral("Holds") : QStringLiteral("Off")});
    }
    return rows;
}
