#pragma once
// The axis window's item table: one row per item of the axis, with its kind,
// name, quantity, a one-line summary of its inputs, its side, its inertia,
// the same at the motor shaft, and its share of the total there. A failed
// figure shows its reason.

#include "axis/axismodel.h"

#include <QAbstractTableModel>

class AxisItemModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column {
        KindColumn,
        NameColumn,
        QuantityColumn,
        SummaryColumn,
        SideColumn,
        InertiaColumn,
        AtMotorColumn,
        ShareColumn,
        ColumnCount
    };

    // Figures are shown through the unit table units, which must outlive the model.
    explicit AxisItemModel(const ConversionTableData &units, QObject *parent = nullptr)
        : QAbstractTableModel(parent), m_units(units)
    {}

    // Shows the axis and its results, inertias in unit (a unit list's text).
    void show(const Axis &axis, const AxisResults &results, const QString &unit, int digits, bool notation);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QString text(int row, int column) const;
    const ConversionTableData &m_units;
    const AxisFigure *figure(int row, int column) const;

    Axis m_axis;
    AxisResults m_results;
    QString m_unit;
    int m_digits = 6;
    bool m_notation = false;
};
