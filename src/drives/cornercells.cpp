#include "drives/cornercells.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

namespace {

struct CellPoint
{
    QString speed, torque;
};

// A cell's points as typed; one torque alone is a point without a speed.
QList<CellPoint> pointsOf(const QString &cell)
{
    static const QRegularExpression gaps(QStringLiteral("[\\s;]+"));
    QList<CellPoint> points;
    for (const QString &word : cell.split(gaps, Qt::SkipEmptyParts)) {
        const qsizetype colon = word.indexOf(u':');
        points.append(colon < 0 ? CellPoint{QString(), word}
                                : CellPoint{word.left(colon), word.mid(colon + 1)});
    }
    return points;
}

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? std::optional(value) : std::nullopt;
}

bool same(const QString &a, const QString &b)
{
    const std::optional<double> x = number(a), y = number(b);
    return x && y && *x == *y;
}

} // namespace

std::optional<CornerCells> CornerOfCurveCell(const QString &cell, const QString &maxSpeed)
{
    const QList<CellPoint> p = pointsOf(cell);
    if (p.size() != 3 || number(p[0].speed) != 0.0 || !same(p[0].torque, p[1].torque) ||
        !same(p[2].speed, maxSpeed) || !number(p[1].speed) || !number(p[2].torque))
        return std::nullopt;
    return NearestCorner(cell);
}

CornerCells NearestCorner(const QString &cell)
{
    const QList<CellPoint> p = pointsOf(cell);
    if (p.isEmpty())
        return {};
    return {p.first().torque, p.size() >= 3 ? p[1].speed : QString(), p.last().torque};
}

QString CurveCellOfCorner(const CornerCells &corner, const QString &maxSpeed)
{
    if (corner == CornerCells{})
        return {};
    const QString stall = corner.stallTorque.trimmed();
    return QStringLiteral("0:%1 %2:%1 %3:%4")
        .arg(stall, corner.cornerSpeed.trimmed(), maxSpeed.trimmed(), corner.torqueAtMaxSpeed.trimmed());
}
