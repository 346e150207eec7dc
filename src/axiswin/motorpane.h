#pragma once
// The Motor pane of the axis window: the motor's two torque curves (flat at
// the rated and peak torque, in the corner form, or as a list of points), the
// margins its checks require, and what the mechanism adds to the motor's work:
// its back-driving efficiency, static friction, lost torques, a counterweight
// and a holding brake; and the inputs of the mechanism's own limits (a
// screw's critical speed and d·n, a belt's or pinion's surface speed), whose
// checks the Move tab shows beside the motor's. The stall torques and
// maximum speed are the Move tab's.

#include "axis/axisreport.h"
#include "axis/moveprofile.h"
#include "axiswin/axiscontrols.h"
#include "axiswin/moveplots.h"

#include <QWidget>

#include <array>

class ConversionTableData;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLayout;
class QVBoxLayout;
class QTableWidget;

class MotorPane : public QWidget
{
    Q_OBJECT
public:
    explicit MotorPane(const ConversionTableData &units, QWidget *parent = nullptr);

    // Shows the motor's curves and margins and the move's losses in the boxes.
    void setMotor(const AxisMotor &motor, const MoveInputs &move);
    // The boxes into the motor and the move; what the pane does not hold is kept.
    void readInto(AxisMotor &motor, MoveInputs &move) const;
    // The mechanism's limits in their boxes, and back.
    void setMechanismLimits(const AxisMechanismLimits &limits);
    void readMechanismLimits(AxisMechanismLimits &limits) const;
    // Enables the inputs that act on an axis moved by kind.
    void followMechanism(MechanismKind kind);
    // The checks shown here (the breakaway, beside the static friction), in
    // the units the Move tab shows.
    void showChecks(const MoveResults &results, const MoveReportUnits &units, int digits);
    // The torque against speed, as the Move tab's plots show the move.
    void showPlot(const MovePlotData &data);

Q_SIGNALS:
    // The user changed an input: what names it, as the window's Undo does.
    void edited(const QString &what);

private:
    struct Curve
    {
        QComboBox *form = nullptr;
        AxisInput corner, atMax;
        QTableWidget *points = nullptr;
        TorqueCurve shown; // the points the table shows, exactly
    };

    QGroupBox *group(const QString &title, const QString &name);
    Curve buildCurve(const QString &name, const QString &title, QVBoxLayout *column);
    QLayout *buildPointUnits();
    QWidget *buildMargins();
    QWidget *buildLosses();
    QWidget *buildMechanism();
    void connectInputs();
    void userEdit(const QString &what);
    void showCurve(Curve &curve, const MotorCurveInput &input);
    void showPoints(const Curve &curve);
    TorqueCurve readPoints(const Curve &curve) const;
    void readCurve(const Curve &curve, MotorCurveInput &input) const;
    void enableInputs();

    const ConversionTableData &m_units;
    bool m_loading = false;
    MechanismKind m_kind = MechanismKind::Rotary;
    Curve m_continuous, m_peak;
    QComboBox *m_cmbPointSpeedUnits = nullptr;
    QComboBox *m_cmbPointTorqueUnits = nullptr;
    AxisInput m_peakMargin, m_rmsMargin, m_speedMargin;
    AxisInput m_staticFriction, m_backDrive, m_preloadTorque, m_preloadForce, m_bearingTorque, m_gearboxDrag,
        m_counterweight;
    QCheckBox *m_chkBackDriveAsForward = nullptr;
    QComboBox *m_cmbPreload = nullptr;
    QLabel *m_lblBreakaway = nullptr;
    AxisInput m_rootDiameter, m_freeLength, m_criticalShare, m_nominalDiameter, m_dnLimit, m_surfaceSpeed;
    QComboBox *m_cmbEndFixity = nullptr;
    QGroupBox *m_fraMechanism = nullptr;
    MovePlots *m_plot = nullptr;
};
