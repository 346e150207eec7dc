#include "axis/movefigures.h"

#include "axis/axisentry.h"

#include <QStringList>

const char *MoveUnitName(MoveUnit unit)
{
    static const char *const Names[MoveUnitCount] = {
        "LoadSpeed", "LoadAccel", "MotorSpeed", "MotorAccel", "Torque",    "Force",   "Time",
        "Length",    "Mass",      "Energy",     "Power",      "PerMinute", "Percent", "Factor"};
    return Names[std::size_t(unit)];
}

const char *MoveUnitType(MoveUnit unit, MechanismKind kind)
{
    const bool rotary = kind == MechanismKind::Rotary;
    switch (unit) {
    case MoveUnit::LoadSpeed:
        return rotary ? "Angular velocity" : "Linear velocity";
    case MoveUnit::LoadAccel:
        return rotary ? "Angular acceleration" : "Linear acceleration";
    case MoveUnit::MotorSpeed:
        return "Angular velocity";
    case MoveUnit::MotorAccel:
        return "Angular acceleration";
    case MoveUnit::Torque:
        return "Torque";
    case MoveUnit::Force:
        return "Force";
    case MoveUnit::Time:
        return "Time";
    case MoveUnit::Length:
        return "Linear distance";
    case MoveUnit::Mass:
        return "Mass";
    case MoveUnit::Energy:
        return "Energy";
    case MoveUnit::Power:
        return "Power";
    case MoveUnit::PerMinute:
    case MoveUnit::Percent:
    case MoveUnit::Factor:
        return "";
    }
    return "";
}

QString MoveFixedUnit(MoveUnit unit)
{
    switch (unit) {
    case MoveUnit::PerMinute:
        return QStringLiteral("1/min");
    case MoveUnit::Percent:
        return QStringLiteral("%");
    case MoveUnit::Factor:
        return QStringLiteral("\u00d7");
    default:
        return QString();
    }
}

QString MoveFigureText(const ConversionTableData &units, const AxisFigure &figure, MoveUnit of,
                       const QString &unit, int digits, bool notation)
{
    if (MoveFixedUnit(of).isEmpty())
        return AxisFigureText(units, figure, unit, digits, notation);
    if (!figure.ok())
        return figure.reason();
    return AxisNumberText(of == MoveUnit::Percent ? figure.value() * 100 : figure.value(), digits, notation);
}

bool MoveFigureApplies(const MoveFigureRow &row, MechanismKind kind)
{
    switch (row.use) {
    case MoveFigureUse::Every:
        return true;
    case MoveFigureUse::Linear:
        return kind != MechanismKind::Rotary;
    case MoveFigureUse::Screw:
        return kind == MechanismKind::Screw;
    case MoveFigureUse::Belt:
        return kind == MechanismKind::Belt;
    }
    return false;
}

QStringList MoveConventions(MechanismKind kind)
{
    QStringList words{
        QStringLiteral("Signs: speeds and torques are positive in the direction of a positive "
                       "distance, so a move back shows a negative speed."),
        QStringLiteral("A move's payload adds to what moves through the move and the dwell "
                       "after it.")};
    if (kind == MechanismKind::Rotary) {
        words << QStringLiteral("The load torque acts against the move, at rest too.");
    } else {
        words << QStringLiteral("A negative incline means the load moves down.")
              << QStringLiteral("A positive external force acts against the move.")
              << QStringLiteral("At rest neither friction nor the external force acts: only gravity "
                                "holds the load.");
    }
    words << QStringLiteral("Efficiencies follow the power flow: where the motor drives the load the "
                            "torque is divided by them, where the load drives the motor (lowering, braking) "
                            "it is multiplied by them, by the back-driving efficiency at the mechanism.");
    if (kind != MechanismKind::Rotary)
        words << QStringLiteral("A back-driving efficiency at or below 0 % is a self-locking screw: it holds "
                                "the load at rest, and the motor must drive it down.");
    words << QStringLiteral(
                 "Lost torques (nut preload, bearings and seals, the gearbox's no-load torque) act "
                 "while moving, against the motion, not at rest.")
          << QStringLiteral("The braking energy and power are what the motor returns while braking, "
                            "winding losses not deducted: they size a braking resistor.");
    return words;
}

QString SegmentTitle(MoveSegmentKind kind)
{
    static const char *const Titles[MoveSegmentCount] = {"Accelerate", "Constant speed", "Decelerate",
                                                         "Dwell"};
    return QString::fromLatin1(Titles[std::size_t(kind)]);
}
