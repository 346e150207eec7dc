#include "axiswin/movetables.h"

#include "axis/axisentry.h"
#include "axis/axisfigure.h"

void TextTableModel::show(const QList<QStringList> &table)
{
    const QStringList header = table.value(0);
    const QList<QStringList> rows = table.mid(1);
    const bool sameShape = header.size() == m_header.size() && rows.size() == m_rows.size();
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
        return int(Qt::AlignVCenter | (isNumber(index.column()) ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section >= m_header.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return m_header[section];
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignBottom | (isNumber(section) ? Qt::AlignRight : Qt::AlignLeft));
    return {};
}

namespace {

// The shape alone, as narrow as the numbers beside it; whether its ramps are
// given shows in the move's boxes.
QString ProfileText(const CycleMove &move)
{
    switch (move.profile) {
    case MoveProfile::Trapezoidal:
        return QStringLiteral("Trapezoidal");
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
                                 const std::vector<CycleMoveResults> &worked, MechanismKind kind, int digits)
{
    const bool rotary = kind == MechanismKind::Rotary;
    // Each column's unit is the first one a move gives, under its heading; a
    // value entered in another unit keeps its own beside it, one without a
    // unit shows in the column's.
    const auto unitOf = [&moves](AxisQuantity CycleMove::*member, bool timed = false) {
        for (const CycleMove &move : moves)
            if (!(move.*member).unit.isEmpty() && (!timed || move.profile != MoveProfile::Limited))
                return (move.*member).unit;
        return QString();
    };
    AxisQuantity CycleMove::*const force = rotary ? &CycleMove::loadTorque : &CycleMove::thrust;
    const QString columnUnits[] = {unitOf(&CycleMove::distance), unitOf(&CycleMove::moveTime, true),
                                   unitOf(&CycleMove::payload), unitOf(force), unitOf(&CycleMove::dwell)};
    const auto heading = [](const char *name, const QString &unit) {
        const QString title = QString::fromLatin1(name) + u'\n';
        return unit.isEmpty() ? title : title + u'(' + unit + u')';
    };
    QList<QStringList> rows{{heading("Distance", columnUnits[0]), QStringLiteral("Profile"),
                             heading("Time", columnUnits[1]), heading("Payload", columnUnits[2]),
                             heading(rotary ? "Torque" : "Force", columnUnits[3]),
                             heading("Dwell", columnUnits[4]), QStringLiteral("Brake")}};
    const auto cell = [&units, digits](AxisQuantity q, const QString &columnUnit) {
        if (q.unit.isEmpty())
            q.unit = columnUnit;
        const QString text = FormatQuantity(units, q, digits);
        return !q.unit.isEmpty() && q.unit == columnUnit ? text.chopped(q.unit.size() + 1) : text;
    };
    for (qsizetype m = 0; m < moves.size(); ++m) {
        const CycleMove &move = moves[m];
        // The direction at a glance: a move out is "+", one back "−".
        QString distance = cell(move.distance, columnUnits[0]);
        if (move.distance.value > 0)
            distance.prepend(u'+');
        // A move set by its limits: the time they give, as its box shows it.
        QString time = cell(move.moveTime, columnUnits[1]);
        if (move.profile == MoveProfile::Limited) {
            const AxisFigure *given =
                std::size_t(m) < worked.size() ? &worked[std::size_t(m)].moveTime : nullptr;
            time = given && given->ok() ? cell({given->value(), move.moveTime.unit}, columnUnits[1])
                                        : QStringLiteral("\u2014");
        }
        rows.append({distance, ProfileText(move), time, cell(move.payload, columnUnits[2]),
                     cell(move.*force, columnUnits[3]), cell(move.dwell, columnUnits[4]),
                     move.holdingBrake ? QStringLiteral("Holds") : QStringLiteral("Off")});
    }
    return rows;
}
