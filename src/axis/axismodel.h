#pragma once
// Axis sizing: the inertia a motor sees. An axis is a list of items (shape
// parts, point masses, catalogue inertias, linear masses on a screw or a belt
// or pinion), each on the motor side or the load side of a gearbox, and a
// motor. The load side is reflected through the gearbox ratio; the total at
// the motor shaft is compared with the rotor inertia.
//
// Values are in SI base units (kg, m, kg·m²) and double precision; see
// axisfigure.h.

#include "axis/axisfigure.h"
#include "axis/mechanismlimits.h"
#include "axis/torquecurve.h"
#include "inertia/inertiapick.h"

#include <QList>
#include <QString>

#include <array>

enum class AxisItemKind { Shape, PointMass, Inertia, ScrewLoad, BeltLoad };
inline constexpr int AxisItemKindCount = 5;

enum class AxisSide { Motor, Load };

// The values an item other than a shape part is made of.
enum class AxisParam { Mass, Radius, Inertia, Lead, PitchDiameter };
inline constexpr int AxisParamCount = 5;

struct AxisParamInfo
{
    AxisParam param;
    const char *key;      // its name in the axis file
    const char *symbol;   // in summaries
    const char *unitType; // the unit list's type in the unit table
    const char *what;     // in failure reasons, capitalised
};
const AxisParamInfo &ParamInfo(AxisParam param);

struct AxisItemKindInfo
{
    AxisItemKind kind;
    const char *key;                       // in the axis file
    const char *title;                     // in the item table and the Add menu
    std::array<bool, AxisParamCount> uses; // by AxisParam
};
const AxisItemKindInfo &KindInfo(AxisItemKind kind);

// A part from the inertia calculator: the shape, its inputs (those the shape
// reads; the others are kept but unused), the chosen result and the distance
// d from that result's axis to the axis of rotation.
struct AxisShapePart
{
    InertiaShape shape = InertiaShape::Cylinder;
    MassMode massMode = MassMode::Mass;
    std::array<AxisQuantity, InertiaInputCount> inputs; // by InertiaInput
    InertiaAxis result = InertiaAxis::Izz;
    AxisQuantity offset;

    AxisQuantity &operator[](InertiaInput input) { return inputs[std::size_t(input)]; }
    const AxisQuantity &operator[](InertiaInput input) const { return inputs[std::size_t(input)]; }
    bool operator==(const AxisShapePart &) const = default;
};

struct AxisItem
{
    AxisItemKind kind = AxisItemKind::Inertia;
    QString name;
    int quantity = 1;
    AxisSide side = AxisSide::Load;
    std::array<AxisQuantity, AxisParamCount> params; // by AxisParam; those of the kind are used
    AxisShapePart shape;                             // a shape part's own data

    AxisQuantity &operator[](AxisParam param) { return params[std::size_t(param)]; }
    const AxisQuantity &operator[](AxisParam param) const { return params[std::size_t(param)]; }
    bool operator==(const AxisItem &) const = default;
};

struct AxisGearbox
{
    double ratio = 1;     // motor speed ÷ output speed; 1 for none
    AxisQuantity inertia; // at its input shaft
    bool operator==(const AxisGearbox &) const = default;
};

inline constexpr double DefaultTargetRatio = 10;
// The margin a check needs by default, %.
inline constexpr double DefaultRequiredMargin = 20;

// How a torque curve is entered: flat to the maximum speed (a motor known by
// its rated and peak torque only), the corner form (the stall torque held to a
// corner speed, then a straight line to the torque at maximum speed), or a
// list of points.
enum class CurveForm { Flat, Corner, Points };
inline constexpr int CurveFormCount = 3;

struct MotorCurveInput
{
    CurveForm form = CurveForm::Flat;
    AxisQuantity cornerSpeed;      // corner form
    AxisQuantity torqueAtMaxSpeed; // corner form
    TorqueCurve points;            // point list, shown in the maximum speed's and stall torque's units
    bool operator==(const MotorCurveInput &) const = default;
};

struct AxisMotor
{
    AxisQuantity inertia; // rotor
    double targetRatio = DefaultTargetRatio;
    // For the motor check of a move; 0 when not given. The rated and peak
    // torques are the stall torques of the flat and corner forms.
    AxisQuantity ratedTorque;
    AxisQuantity peakTorque;
    AxisQuantity maxSpeed;
    MotorCurveInput continuous; // from the rated torque
    MotorCurveInput peak;       // from the peak torque
    // The margins the checks require, %.
    double peakMargin = DefaultRequiredMargin;
    double rmsMargin = DefaultRequiredMargin;
    double speedMargin = DefaultRequiredMargin;
    // The units the point lists are shown in; empty: the lists' own.
    QString pointSpeedUnit;
    QString pointTorqueUnit;
    bool operator==(const AxisMotor &) const = default;
};

struct Axis
{
    QList<AxisItem> items;
    AxisGearbox gearbox;
    AxisMotor motor;
    AxisMechanismLimits mechanismLimits;
    bool operator==(const Axis &) const = default;
};

// Which results take an offset (AllowsOffset, OffsetRefusal) is the inertia
// calculator's rule too: inertia/inertiapick.h.

// The inertia of one item about the axis of rotation of its own shaft,
// quantity included.
AxisFigure ItemInertia(const AxisItem &item);
// A shape part's mass (one piece), as the shape formulas find it.
AxisFigure ShapePartMass(const AxisShapePart &part);

enum class RatioLevel {
    Within,  // λ at or below the target
    Over,    // λ above the target
    Unknown, // no ratio (no rotor inertia, a failed total, a bad target)
};

struct RatioVerdict
{
    RatioLevel level = RatioLevel::Unknown;
    // "1.2 : 1, within the 10 : 1 target", "38.5 : 1, 3.9 × the 10 : 1
    // target", or why there is no ratio. Complete without any colour.
    QString text;
};

struct AxisItemResult
{
    AxisFigure inertia; // J of the item, quantity included
    AxisFigure atMotor; // the same reflected to the motor shaft
    AxisFigure share;   // of J_M, in %
};

struct AxisResults
{
    QList<AxisItemResult> items; // by item
    AxisFigure loadSide;         // J_L: the load-side items
    AxisFigure reflected;        // J_L / i²
    AxisFigure motorSideItems;   // the motor-side items
    AxisFigure atMotor;          // J_M = J_g + motor-side items + J_L / i²
    AxisFigure gearboxShare;     // J_g's share of J_M, in %
    AxisFigure ratio;            // λ = J_M / J_m
    RatioVerdict verdict;
};

AxisResults ComputeAxis(const Axis &axis);

// The inertia results, one row each: the Inertia tab's result rows with
// their copy keys, the Edit menu's copy and the report all walk this table.
struct AxisResultRowInfo
{
    const char *key;     // names its controls (cmdCopyValue_<key>, lblResult_<key>)
    const char *caption; // in the Inertia tab, rich text; empty for the report only
    const char *spoken;  // for a screen reader
    const char *title;   // in the report
    AxisFigure AxisResults::*member;
    bool ratio; // the inertia ratio, "n : 1"; else an inertia in the result unit
};
// clang-format off
inline constexpr std::array<AxisResultRowInfo, 5> AxisResultRows{{
    {"0", "J<sub>L</sub> =", "Load-side inertia J L", "Load side JL", &AxisResults::loadSide, false},
    {"1", "J<sub>L</sub>/i\u00b2 =", "Load-side inertia at the motor, J L over i squared",
     "Reflected to the motor JL / i\u00b2", &AxisResults::reflected, false},
    {"motorSide", "", "Motor-side items", "Motor-side items", &AxisResults::motorSideItems, false},
    {"2", "J at motor =", "Inertia at the motor J M", "J at motor (the total at its shaft)",
     &AxisResults::atMotor, false},
    {"3", "\u03bb =", "Inertia ratio", "Inertia ratio \u03bb = J at motor / J rotor", &AxisResults::ratio, true},
}};
// clang-format on

// An inertia ratio's number as the verdict shows it: one decimal ("38.5"), up
// to three below 1, scientific from a million ("2.5E+07"); a target as short
// as it can be ("10").
QString RatioText(double ratio, bool target);
// The verdict for a ratio against a target (both must be usable).
RatioVerdict JudgeRatio(const AxisFigure &ratio, double target);

// "Motor side" or "Load side".
QString SideTitle(AxisSide side);

// A one-line account of an item's inputs, each value in its own unit with
// digits significant digits: "m = 40 kg, p = 10 mm".
QString ItemSummary(const ConversionTableData &units, const AxisItem &item, int digits);

// The item table as CSV (RFC 4180: comma-separated, quoted where needed,
// CRLF line ends), with a header line: kind, name, quantity, side, inputs,
// J and J at the motor in inertiaUnit, share in %. Numbers are written with a
// point and as many digits as needed to read back exactly; a failed figure
// gives its reason in place of the number.
// A CSV field: quoted where needed, and a text that starts like a formula
// kept as text ('=1). A figure as a CSV number in unit (the shortest text
// that reads back exactly), or its reason when it failed.
QString CsvField(QString field);
QString CsvNumber(const ConversionTableData &units, const AxisFigure &figure, const QString &unit);

QString ItemTableCsv(const ConversionTableData &units, const Axis &axis, const AxisResults &results,
                     const QString &inertiaUnit, int digits);

// The words and file keys of the shapes, their results and their inputs.
const char *ShapeKey(InertiaShape shape);           // "cylinder", ...
QString ShapeTitle(InertiaShape shape);             // as the inertia calculator lists it
const char *ResultKey(InertiaAxis axis);            // "Ixx", "Iyy", "Izz", "IxxEnd", "IyyEnd"
const char *ShapeInputKey(InertiaInput input);      // "density", "mass", ..., "insideDiameter"
const char *ShapeInputUnitType(InertiaInput input); // the unit list's type
// Whether the shape part reads an input: its dimensions and its mass or density.
bool ShapeReads(const AxisShapePart &part, InertiaInput input);
