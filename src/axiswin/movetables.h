#pragma once
// The Move tab's tables: the cycle's moves, one row a move, and the segments
// of the whole cycle, both shown through a model of plain texts that a new
// text of the same shape only repaints.

#include "axis/moveprofile.h"

#include <QAbstractTableModel>
#include <QStringList>

class ConversionTableData;

// A table of texts, its header first; the columns whose heading has a
// second line (for their unit) hold numbers, right aligned.
class TextTableModel : public QAbstractTableModel
{
public:
    using QAbstractTableModel::QAbstractTableModel;
    // The texts to show; a table of the same size changes its cells in
    // place, so the view keeps its selection and scroll position.
    void show(const QList<QStringList> &table);
    const QList<QStringList> &rows() const { return m_rows; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool isNumber(int column) const { return m_header.value(column).contains(u'\n'); }

    QStringList m_header;
    QList<QStringList> m_rows;
};

// The moves of a cycle as a table, its header first, one row a move (the
// view numbers them): the distance with its direction, the profile, the time
// (for a move set by its limits the time worked, else a dash), the payload,
// the force (or load torque on a rotary axis), the dwell and the brake. A
// column's unit, its first move's, is under its heading in brackets; a value
// entered in another unit shows it beside the number.
inline constexpr int MoveListProfileColumn = 1;
QList<QStringList> MoveListTable(const ConversionTableData &units, const QList<CycleMove> &moves,
                                 const std::vector<CycleMoveResults> &worked, MechanismKind kind, int digits);
