#include "drives/drivetablemodel.h"

DriveTableModel::DriveTableModel(const QStringList &columns, QObject *parent)
    : QAbstractTableModel(parent), m_columns(columns)
{}

void DriveTableModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

int DriveTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DriveTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DriveTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    QString cell = m_rows.value(index.row()).value(index.column());
    // A note of several lines shows on one.
    return role == Qt::DisplayRole ? cell.replace(u'\n', u' ') : cell;
}

QVariant DriveTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return m_columns.value(section);
}
