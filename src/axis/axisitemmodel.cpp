#include "axis/axisitemmodel.h"

#include "axis/axisentry.h"

void AxisItemModel::show(const Axis &axis, const AxisResults &results, const QString &unit, int digits,
                         bool notation)
{
    // The same rows keep the view's selection; a new count starts afresh.
    const bool sameRows = axis.items.size() == m_axis.items.size();
    if (!sameRows)
        beginResetModel();
    m_axis = axis;
    m_results = results;
    m_unit = unit;
    m_digits = digits;
    m_notation = notation;
    if (!sameRows) {
        endResetModel();
    } else if (!m_axis.items.isEmpty()) {
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    Q_EMIT headerDataChanged(Qt::Horizontal, InertiaColumn, AtMotorColumn);
}

int AxisItemModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_axis.items.size());
}

int AxisItemModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

const AxisFigure *AxisItemModel::figure(int row, int column) const
{
    if (row >= m_results.items.size())
        return nullptr;
    const AxisItemResult &result = m_results.items.at(row);
    switch (column) {
    case InertiaColumn:
        return &result.inertia;
    case AtMotorColumn:
        return &result.atMotor;
    case ShareColumn:
        return &result.share;
    default:
        return nullptr;
    }
}

QString AxisItemModel::text(int row, int column) const
{
    const AxisItem &item = m_axis.items.at(row);
    switch (column) {
    case KindColumn:
        return QString::fromUtf8(KindInfo(item.kind).title);
    case NameColumn:
        return item.name;
    case QuantityColumn:
        return QString::number(item.quantity);
    case SummaryColumn:
        return ItemSummary(m_units, item, m_digits);
    case SideColumn:
        return SideTitle(item.side);
    case ShareColumn:
        return figure(row, column) ? AxisShareText(*figure(row, column), m_digits, m_notation) : QString();
    default:
        return figure(row, column)
                   ? AxisFigureText(m_units, *figure(row, column), m_unit, m_digits, m_notation)
                   : QString();
    }
}

QVariant AxisItemModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const AxisFigure *shown = figure(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(index.row(), index.column());
    case Qt::ToolTipRole:
        if (index.column() == SummaryColumn) // may be cut short in its column
            return text(index.row(), index.column());
        return shown && !shown->ok() ? shown->reason() : QVariant();
    case Qt::TextAlignmentRole:
        if (index.column() == QuantityColumn || (shown && shown->ok()))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant AxisItemModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString unit = m_unit.trimmed();
    switch (section) {
    case KindColumn:
        return QStringLiteral("Kind");
    case NameColumn:
        return QStringLiteral("Name");
    case QuantityColumn:
        return QStringLiteral("n");
    case SummaryColumn:
        return QStringLiteral("Inputs");
    case SideColumn:
        return QStringLiteral("Side");
    case InertiaColumn:
        return QStringLiteral("J (%1)").arg(unit);
    case AtMotorColumn:
        return QStringLiteral("J at motor (%1)").arg(unit);
    case ShareColumn:
        return QStringLiteral("Share");
    default:
        return {};
    }
}
