#include "densities/materiallistmodel.h"

void MaterialListModel::show(const QList<DensityRecord> &records, const MaterialLineFormat &format)
{
    if (records.size() != m_records.size()) {
        beginResetModel();
        m_records = records;
        m_format = format;
        endResetModel();
        return;
    }
    m_records = records;
    m_format = format;
    if (!m_records.isEmpty())
        Q_EMIT dataChanged(index(0), index(rowCount() - 1), {Qt::DisplayRole});
}

int MaterialListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

QVariant MaterialListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    return m_format.line(m_records.at(index.row()));
}

QModelIndexList MaterialListModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                         Qt::MatchFlags flags) const
{
    const QString text = value.toString();
    // Every line begins with its record's name, padded to the name's width.
    const bool withinName = role == Qt::DisplayRole && (flags & Qt::MatchTypeMask) == Qt::MatchStartsWith &&
                            !(flags & Qt::MatchRecursive) && value.metaType().id() == QMetaType::QString &&
                            text.size() <= MaterialNameWidth && start.isValid() && !start.parent().isValid();
    if (!withinName)
        return QAbstractListModel::match(start, role, value, hits, flags);
    const Qt::CaseSensitivity cs = flags & Qt::MatchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const int count = rowCount();
    const int first = start.row();
    const int end = flags & Qt::MatchWrap ? first + count : count;
    QModelIndexList found;
    for (int i = first; i < end && (hits < 0 || found.size() < hits); ++i) {
        const int row = i % count;
        const QString &name = m_records.at(row).MaterialName;
        if (QStringView(name).left(MaterialNameWidth).startsWith(text, cs) ||
            (name.size() < MaterialNameWidth && data(index(row)).toString().startsWith(text, cs)))
            found.append(index(row));
    }
    return found;
}
