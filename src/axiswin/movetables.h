#pragma once
// The Move tab's tables: the cycle's moves, one row a move, and the segments
// of the whole cycle, both shown through a model of plain texts that a new
// text of the same shape only repaints.

#include "axis/moveprofile.h"

#include <QAbstractTableModel>
#include <QStringList>

class ConversionTableData;

// A table of texts, its header first; the columns from firstNumber on hold
// numbers, right aligned.
class TextTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    // The texts to show; a table of the same size changes its cells in
    // place, so the view keeps its selection and scroll position.
    void show(const QList<QStringList> &table, int firstNumber);
    const QList<QStringList> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList m_header;
    QList<QStringList> m_rows;
    int m_firstNumber = 0;
};

// The moves of a cycle as a table, its header first: the number, the
// distance with its direction, the profile, the time or the limits that set
// it, the payload, the force (or load torque on a rotary axis), the dwell
// and the brake, each value in the unit it was entered in.
QList<QStringList> MoveListTable(const ConversionTableData &units, const QList<CycleMove> &moves,
                                 MechanismKind kind, int digits, bool notation);
