#pragma once
// The Move pane of the axis window: the cycle's moves in a table, the
// selected move in the boxes below it (distance, time or limits, profile,
// payload, dwell), the load it works against, the motor's torques and speed;
// the figures of the whole cycle (one row of MoveFigures each) with their
// copy keys, its segments, the conventions they rest on, the motor check in
// words and the plots of motor speed and torque over the cycle.

#include "axis/axisreport.h"
#include "axis/movefigures.h"
#include "axiswin/axiscontrols.h"
#include "axiswin/moveplots.h"
#include "axiswin/movetables.h"

#include <QWidget>

#include <array>

class ConversionTableData;
class QCheckBox;
class NumericEdit;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableView;

// The edits of the cycle's list of moves the pane asks of its window.
enum class MoveListEdit { Add, Duplicate, Remove, Up, Down };
// What an input edits: the whole axis (its load, losses, motor, gearbox) or
// the selected move of the cycle alone.
enum class InputOf { Axis, SelectedMove };

class MovePane : public QWidget
{
    Q_OBJECT
public:
    explicit MovePane(const ConversionTableData &units, QWidget *parent = nullptr);

    // Shows the motor's figures, the moves in their table and the selected
    // move in the boxes, in their units.
    // selected: the move to show (-1 keeps the one selected, or the last).
    void setMove(const AxisMotor &motor, const MoveInputs &move, int selected = -1);
    // The boxes into the motor's figures, the axis-wide inputs and the
    // selected move.
    void readInto(AxisMotor &motor, MoveInputs &move) const;
    // The move of the cycle the boxes edit (0-based).
    int selectedMove() const { return m_selected; }
    // Selects a move of the cycle shown last and shows it in the boxes.
    void selectMove(int move);
    // Computes the move of the axis and shows its figures, checks and plots.
    void showMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move, int digits,
                  bool notation);
    const MoveResults &results() const { return m_results; }
    // The mechanism's checks beside the motor's, those of its mechanism only.
    void showMechanismChecks(const std::vector<MechanismCheck> &checks);
    // Copies the figure whose copy key holds the focus, else the peak torque
    // (a motor's first check), as the Edit menu's copy entries do.
    void copyCurrent(bool withUnit);
    // What the plots show, for a report to draw them too.
    const MovePlotData &plotData() const { return m_plot; }
    // The units the figures and the worked-out ramps are shown in, for a report.
    MoveReportUnits shownUnits() const;

Q_SIGNALS:
    // The user changed an input: what names it ("move time"), as the
    // window's Undo does, and of says whether it is the selected move's own.
    void edited(const QString &what, InputOf of);
    // The figures were shown again: after a recompute, or in another unit
    // when a unit list changed.
    void shown();
    // The user asked for an edit of the list of moves (a key or a button).
    void moveListEdited(MoveListEdit edit);
    // The user selected another move of the cycle.
    void moveSelected(int move);

private:
    static constexpr int FigureCount = int(MoveFigures.size());
    using Input = AxisInput;

    QGroupBox *group(const QString &title, const QString &name);
    // A row of a group: caption, box and (for a unit type) a unit list, or a
    // fixed text such as "%".
    Input addInput(QGridLayout *grid, const QString &caption, const QString &name, const QString &spoken,
                   const QString &unitType, const QString &after = {});
    QWidget *buildMoveList();
    QWidget *buildMoveGroup();
    QWidget *buildLoadGroup();
    QWidget *buildMotorGroup();
    QWidget *buildMotorCheck();
    QWidget *buildResults();
    QWidget *buildSegments(QWidget *parent);
    // The unit lists on the first row of their unit among the figures the axis has.
    void placeUnitLists();
    QComboBox *unitList(MoveUnit unit) const { return m_unitLists[std::size_t(unit)]; }
    void connectInputs();
    void userEdit(const QString &what, InputOf of);
    // Unit lists and inputs that follow the axis: linear or rotary.
    void followMechanism(MechanismKind kind, const MoveInputs &move);
    void display();
    // The ramps the move uses in their boxes: to the display digits, or
    // exactly (for ramps the user is about to take over as given).
    void showRamps(bool exact);
    void copy(int figure, bool withUnit);
    void showSegments();
    // The selected move's inputs in the boxes.
    void showSelected();
    // Only the inputs the selected move's profile uses are shown.
    void followProfile();
    void showMoveList();
    // The move's results the boxes edit, or nullptr when the cycle failed.
    const CycleMoveResults *selectedResults() const;

    const ConversionTableData &m_units;
    bool m_loading = false;
    MechanismKind m_kind = MechanismKind::Rotary;
    MoveResults m_results;
    MovePlotData m_plot;
    int m_digits = 6;
    bool m_notation = false;

    MoveInputs m_inputs; // as shown last
    int m_selected = 0;
    TextTableModel *m_moveList = nullptr;
    QTableView *m_tblMoves = nullptr;
    std::array<QPushButton *, 5> m_moveKeys{}; // by MoveListEdit
    Input m_distance, m_moveTime, m_accelTime, m_decelTime, m_dwell;
    Input m_jerkPercent, m_jerkTime, m_speedLimit, m_accelLimit, m_jerkLimit, m_payload;
    QComboBox *m_cmbProfile = nullptr;
    QComboBox *m_cmbJerk = nullptr;
    QCheckBox *m_chkHoldingBrake = nullptr;
    QLabel *m_lblJerk = nullptr;
    Input m_incline, m_friction, m_thrust, m_mechanismEfficiency, m_gearboxEfficiency, m_loadTorque;
    Input m_ratedTorque, m_peakTorque, m_maxSpeed;
    std::array<ResultRowControls, FigureCount> m_rows;
    std::array<QLabel *, FigureCount> m_captions{};
    std::array<QLabel *, FigureCount> m_unitNames{};
    std::array<QComboBox *, MoveUnitCount> m_unitLists{};
    QGridLayout *m_figureGrid = nullptr;
    TextTableModel *m_segments = nullptr;
    QTableView *m_tblSegments = nullptr;
    std::array<QLabel *, MotorCheckCount> m_checks{};
    MechanismCheckLabels m_limitChecks{};
    QLabel *m_lblConventions = nullptr;
    QLabel *m_lblProblem = nullptr;
    MovePlots *m_plots = nullptr;
    // The figures' and segments' holders, with room for a number at these digits.
    QList<QWidget *> m_numberHolders;
    std::pair<int, bool> m_heldDigits{-1, false};
};
