#pragma once
// The figures of a move, one row each: the Move tab's result rows and their
// copy keys, the Edit menu's copy and the report all walk this one table,
// so a figure added here shows everywhere at once.

#include "axis/moveprofile.h"

#include <array>

// What a figure is shown in: each has one unit list in the Move tab.
enum class MoveUnit {
    LoadSpeed,
    LoadAccel,
    MotorSpeed,
    MotorAccel,
    Torque,
    Force,
    Time,
    Length,
    Mass,
    Energy,
    Power,
    // Shown in one unit each, without a list: cycles per minute, per cent
    // (the figure a fraction), and a factor.
    PerMinute,
    Percent,
    Factor
};
inline constexpr int MoveUnitCount = 14;

// The unit list's name part ("Torque" for cmbTorqueUnits) and its unit type
// in the unit table; the load's speed and acceleration are linear or angular
// as the axis moves.
// The three units without a list have no unit type ("").
const char *MoveUnitName(MoveUnit unit);
const char *MoveUnitType(MoveUnit unit, MechanismKind kind);
// The one unit a figure without a list is shown in ("1/min", "%", "×"),
// else empty.
QString MoveFixedUnit(MoveUnit unit);
// A figure's value as shown in unit (one of its list, or its fixed unit),
// to digits: the number alone, or why it failed.
QString MoveFigureText(const ConversionTableData &units, const AxisFigure &figure, MoveUnit of,
                       const QString &unit, int digits, bool notation);

// The axes a figure belongs to.
enum class MoveFigureUse { Every, Linear, Screw, Belt };

struct MoveFigureRow
{
    const char *key;     // names its controls: cmdCopyValue_<key>, lblResult_<key>
    const char *caption; // in the Move tab, rich text
    const char *spoken;  // for a screen reader
    const char *title;   // in the report
    AxisFigure MoveResults::*member;
    MoveUnit unit;
    MoveFigureUse use = MoveFigureUse::Every;
};

// clang-format off
inline constexpr std::array<MoveFigureRow, 27> MoveFigures{{
    {"peakSpeed", "v<sub>max</sub> =", "Peak load speed", "Peak load speed vmax",
     &MoveResults::peakLoadSpeed, MoveUnit::LoadSpeed},
    {"acceleration", "a =", "Load acceleration", "Load acceleration a",
     &MoveResults::loadAccel, MoveUnit::LoadAccel},
    {"deceleration", "a<sub>dec</sub> =", "Load deceleration", "Load deceleration adec",
     &MoveResults::loadDecel, MoveUnit::LoadAccel},
    {"motorSpeed", "n<sub>max</sub> =", "Maximum motor speed", "Maximum motor speed nmax",
     &MoveResults::maxMotorSpeed, MoveUnit::MotorSpeed},
    {"motorAccel", "\u03b1 =", "Motor acceleration", "Motor acceleration \u03b1",
     &MoveResults::motorAccel, MoveUnit::MotorAccel},
    {"motorDecel", "\u03b1<sub>dec</sub> =", "Motor deceleration", "Motor deceleration \u03b1dec",
     &MoveResults::motorDecel, MoveUnit::MotorAccel},
    {"cycleTime", "t<sub>cycle</sub> =", "Cycle time", "Cycle time, dwell included",
     &MoveResults::cycleTime, MoveUnit::Time},
    {"lead", "p =", "Lead of the screw", "Screw lead p",
     &MoveResults::pitch, MoveUnit::Length, MoveFigureUse::Screw},
    {"pitchDiameter", "D =", "Pitch diameter", "Pitch diameter D",
     &MoveResults::pitch, MoveUnit::Length, MoveFigureUse::Belt},
    {"movingMass", "m =", "Moving mass", "Moving mass m",
     &MoveResults::movingMass, MoveUnit::Mass, MoveFigureUse::Linear},
    {"loadForce", "F =", "Load force", "Load force F",
     &MoveResults::loadForce, MoveUnit::Force, MoveFigureUse::Linear},
    {"loadTorque", "T<sub>L</sub> =", "Load torque at the motor", "Load torque at the motor TL",
     &MoveResults::loadTorque, MoveUnit::Torque},
    {"accelTorque", "T<sub>acc</sub> =", "Acceleration torque", "Acceleration torque Tacc",
     &MoveResults::accelTorque, MoveUnit::Torque},
    {"decelTorque", "T<sub>dec</sub> =", "Deceleration torque", "Deceleration torque Tdec",
     &MoveResults::decelTorque, MoveUnit::Torque},
    {"holdingTorque", "T<sub>hold</sub> =", "Holding torque at rest", "Holding torque at rest Thold",
     &MoveResults::holdingTorque, MoveUnit::Torque},
    {"peakTorque", "T<sub>peak</sub> =", "Peak torque", "Peak torque Tpeak",
     &MoveResults::peakTorque, MoveUnit::Torque},
    {"rmsTorque", "T<sub>RMS</sub> =", "RMS torque", "RMS torque TRMS",
     &MoveResults::rmsTorque, MoveUnit::Torque},
    {"lostTorque", "T<sub>lost</sub> =", "Lost torque while moving", "Lost torques at the motor while moving Tlost",
     &MoveResults::lostTorque, MoveUnit::Torque},
    {"breakawayTorque", "T<sub>break</sub> =", "Breakaway torque", "Breakaway torque at the first instant Tbreak",
     &MoveResults::breakawayTorque, MoveUnit::Torque},
    {"meanSpeed", "n<sub>mean</sub> =", "Mean motor speed", "Mean motor speed over the cycle nmean",
     &MoveResults::meanSpeed, MoveUnit::MotorSpeed},
    {"brakingEnergy", "E<sub>brake</sub> =", "Braking energy per cycle",
     "Braking energy per cycle, for the braking resistor Ebrake", &MoveResults::brakingEnergy, MoveUnit::Energy},
    {"brakingPower", "P<sub>brake</sub> =", "Average braking power", "Average braking power Pbrake",
     &MoveResults::brakingPower, MoveUnit::Power},
    {"peakBrakingPower", "P<sub>brake,max</sub> =", "Peak braking power", "Peak braking power Pbrake,max",
     &MoveResults::peakBrakingPower, MoveUnit::Power},
    {"movingTime", "t<sub>moving</sub> =", "Moving time per cycle", "Moving time per cycle",
     &MoveResults::movingTime, MoveUnit::Time},
    {"cyclesPerMinute", "Cycles =", "Cycles per minute", "Cycles per minute",
     &MoveResults::cyclesPerMinute, MoveUnit::PerMinute},
    {"dutyCycle", "Duty =", "Duty cycle", "Duty cycle, moving time over cycle time",
     &MoveResults::dutyCycle, MoveUnit::Percent},
    {"accelFactor", "k<sub>S</sub> =", "S-curve raise of the peak acceleration",
     "S-curve raise of the peak acceleration over its trapezoid kS", &MoveResults::accelFactor, MoveUnit::Factor},
}};
// clang-format on

// Whether a figure belongs to an axis moved by kind.
bool MoveFigureApplies(const MoveFigureRow &row, MechanismKind kind);

// The words the figures rest on, for whoever checks them: the sign
// conventions and the assumptions, one sentence each, for an axis moved by kind.
QStringList MoveConventions(MechanismKind kind);

// The sign conventions in one line, for where room is short.
inline constexpr char MoveSignsInBrief[] =
    "Signs: speeds and torques are positive in the direction of a positive distance; a negative incline "
    "lowers the load.";

// "Accelerate", "Constant speed", "Decelerate", "Dwell".
QString SegmentTitle(MoveSegmentKind kind);
