#pragma once
// "Compare motors": motors from the user's motor table, each with the axis's
// own gearbox or with gearbox ratios chosen from the gearbox table, run on
// the axis and its move; one row per candidate, one column per check in
// words with its margin, sorted by any column. "Use this candidate" closes it
// with the chosen row, for the axis window to take in.

#include "drives/comparecandidates.h"

#include <QDialog>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class WindowContext;

class frmCompareMotors : public QDialog
{
    Q_OBJECT
public:
    // Figures in speedUnit and torqueUnit (the move pane's); the tables,
    // the units and the window's stored place from context.
    frmCompareMotors(WindowContext &context, const Axis &axis, const MoveInputs &move,
                     const QString &speedUnit, const QString &torqueUnit, QWidget *parent = nullptr);

    // The row chosen: its motor and, unless it runs on the axis's own
    // gearbox, its gearbox and ratio.
    struct Choice
    {
        MotorRecord motor;
        std::optional<GearboxChoice> gearbox;
    };
    std::optional<Choice> chosen() const;

private:
    void buildChoosers();
    void buildTable();
    void compare();
    void sortBy(int column, bool descending);
    void showRows();

    WindowContext &m_context;
    Axis m_axis;
    MoveInputs m_move;
    QString m_speedUnit, m_torqueUnit;
    std::vector<MotorRecord> m_motors;
    std::vector<GearboxChoice> m_ratios;     // every gearbox at every ratio it offers
    std::vector<MotorRecord> m_compared;     // the motors checked when compared
    std::vector<GearboxChoice> m_comparedAt; // the ratios checked
    std::vector<Candidate> m_rows;           // in the order shown
    int m_sortColumn = -1;
    bool m_descending = true;
    QListWidget *m_lstMotors = nullptr;
    QListWidget *m_lstRatios = nullptr;
    QLabel *m_lblTables = nullptr;
    QComboBox *m_cmbSortBy = nullptr;
    QTableWidget *m_tblCandidates = nullptr;
    QPushButton *m_cmdUse = nullptr;
};
