#pragma once
// The corner form of a curve cell as three boxes: the stall torque held to
// the corner speed, then a straight fall to the torque at the maximum speed.
// The table writes it as its three points (0:T c:T n:Tn, n the motor's
// maximum speed), so the cell, and the file, stay as they are; the boxes
// hold the numbers as typed, in the table's units.

#include <QString>

#include <optional>

struct CornerCells
{
    QString stallTorque;
    QString cornerSpeed;
    QString torqueAtMaxSpeed;
    bool operator==(const CornerCells &) const = default;
};

// The corner a curve cell writes when it is one: three points, the first at
// standstill, the first two at one torque, the last at maxSpeed (the maximum
// speed's cell); none otherwise.
std::optional<CornerCells> CornerOfCurveCell(const QString &cell, const QString &maxSpeed);
// The nearest corner to any curve cell, for a change of form: the first
// torque, the second point's speed (of three or more), the last torque.
CornerCells NearestCorner(const QString &cell);
// The cell a corner writes, its last point at maxSpeed; empty when every box is.
QString CurveCellOfCorner(const CornerCells &corner, const QString &maxSpeed);
