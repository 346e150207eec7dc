#pragma once
// Axis files checked without a window, for scripts and build jobs: each
// axis and its move computed by the same core as the axis window, every
// check of the motor judged, and the whole told as text, JSON or CSV.
//
// The checks are walked from the move's check list, and the figures from
// the window's result tables (AxisResultRows, MoveFigures), so a check or a
// figure added there shows here without a change.

#include "axis/axisfile.h"
#include "axis/mechanismchecks.h"
#include "axis/movefigures.h"

#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <optional>

class Settings;

// What a check comes to. A check without a verdict whose motor figure is not
// given (a rating left empty, or no rotor inertia on an axis whose move
// computes) is not checked: it is said with the reason, and neither passes
// nor fails, so an axis sized for its inertia alone passes on its ratio.
// When the motor figure is given but the check still has no verdict (the
// axis or its move cannot be computed as saved, or the figure cannot be
// right), the check is not computed, and counts as failing.
enum class CheckStatus { Passes, Fails, NotChecked, NotComputed };
// "pass", "fail", "notChecked", "notComputed": the JSON and CSV words.
const char *CheckStatusKey(CheckStatus status);

// A check's name in JSON and CSV, from its title: "peakTorque".
QString CheckKey(const MotorCheck &check);
// The figure list a check's value and limit are shown in; none for the
// inertia ratio, which has no unit.
std::optional<MoveUnit> CheckUnit(const MotorCheck &check);
// Whether a check judges at a motor speed it names (MotorCheck::speed): the
// torque checks, at their worst point, the mean speed or standstill.
bool CheckLooksAtSpeed(const MotorCheck &check);

// One file: refused with the reader's words, or computed.
struct AxisCheck
{
    QString file;    // as given on the command line
    QString problem; // the refusal, naming the file; empty when read
    AxisDocument document;
    AxisResults inertia;
    MoveResults move;
    std::vector<MechanismCheck> mechanism; // the checks of its mechanism's limits

    bool computable = false; // the inertia at the motor and every figure of the move stand
    // By MotorCheckKind: the motor's figure the check's limit comes from is given.
    std::array<bool, MotorCheckCount> motorGives{};
    bool rotorGiven = false;

    bool refused() const { return !problem.isEmpty(); }
    CheckStatus statusOf(const MotorCheck &check) const;
    // A mechanism limit with no inputs is not checked; one given that still
    // has no verdict is not computed.
    static CheckStatus statusOf(const MechanismCheck &check);
    // Why a check has no verdict, in the window's words; empty when it has one.
    QString reasonOf(const MotorCheck &check) const;
    // Fails when any check fails or cannot be computed, else passes (with
    // some checks perhaps not checked).
    bool fails() const;
};
AxisCheck CheckAxisFile(const QString &file, const AxisFileRead &read);

// Exit status of a run: 2 when a file was refused, else 1 when one fails,
// else 0.
int CheckExitStatus(const QList<AxisCheck> &checks);

// The units figures are shown in, by unit type ("Torque": "N-m"). Names are
// the unit table's; the presets are "SI" and "inch-pound" (any case).
struct CheckUnits
{
    QHash<QString, QString> byType;
    QString of(const QString &unitType) const { return byType.value(unitType); }
};
std::optional<CheckUnits> PresetCheckUnits(const QString &name);
// The user's default units, as the axis window starts with them.
CheckUnits DefaultCheckUnits(const ConversionTableData &table, const Settings &settings);
// The unit types a check shows figures in.
QStringList CheckUnitTypes();

// How text and CSV show figures: the unit table, the units, and the
// significant digits of the text.
struct CheckView
{
    const ConversionTableData &table;
    CheckUnits units;
    int digits = 6;
};
// The unit a move figure of an axis moved by kind is shown in.
QString ShownUnit(const CheckView &view, MoveUnit unit, MechanismKind kind);
// The inertia results' unit.
QString ShownInertiaUnit(const CheckView &view);

// Per file: its name and verdict, each check in words with its status, the
// inertia results and the move's figures; a refused file in one line.
QString CheckText(const QList<AxisCheck> &checks, const CheckView &view);

// The JSON document (docs/check-json.md): every figure in SI base units
// with its unit, every check with its status, value, limit and margin, the
// mechanism's as well.
inline constexpr char CheckJsonFormat[] = "Torvane axis check";
inline constexpr int CheckJsonVersion = 1;
QByteArray CheckJson(const QList<AxisCheck> &checks);

// CSV (RFC 4180, CRLF): a header line, then one line per file, in the view's
// units; a figure that failed gives its reason in place of the number.
QString CheckCsv(const QList<AxisCheck> &checks, const CheckView &view);
