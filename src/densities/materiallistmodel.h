#pragma once
// The density window's material list as a model: one line per record of the
// table, written only when a view asks for it, so that a table of any size
// opens, and changes its display unit, in the time of the lines on screen.

#include "densities/densitytable.h"

#include <QAbstractListModel>
#include <QList>

class MaterialListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // Shows records in format. The same number of records is rewritten in
    // place (the views keep their scroll range); another number resets.
    void show(const QList<DensityRecord> &records, const MaterialLineFormat &format);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // A search for the start of a line that lies within the name (as typing
    // in the list does) reads the names only, not every formatted line.
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith |
                                                                Qt::MatchWrap)) const override;

private:
    QList<DensityRecord> m_records; // shared with the window's table until either changes
    MaterialLineFormat m_format;
};
