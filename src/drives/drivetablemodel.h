#pragma once
// A motor or gearbox table as the window lists it: one row per record, one
// column per column of the file, each cell as the file writes it.

#include <QAbstractTableModel>
#include <QStringList>

class DriveTableModel : public QAbstractTableModel
{
public:
    explicit DriveTableModel(const QStringList &columns, QObject *parent = nullptr);
    void setRows(QList<QStringList> rows);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_columns;
    QList<QStringList> m_rows;
};
