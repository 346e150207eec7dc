#pragma once
// "Compare motors": motors from the user's motor table, each with the axis's
// own gearbox or with gearbox ratios chosen from the gearbox table, run on
// the axis and its move; one row per candidate, one column per check in
// words with its margin, sorted by any column. "Use this candidate" closes it
// with the chosen row, for the axis window to take in; "Report…" hands the
// comparison to the axis window's report.

#include "drives/candidatetable.h"

#include <QDialog>

#include <functional>
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
    // The motors and ratios of an earlier comparison that the tables still
    // hold start checked, sorted as it was.
    frmCompareMotors(WindowContext &context, const Axis &axis, const MoveInputs &move,
                     const QString &speedUnit, const QString &torqueUnit, QWidget *parent = nullptr,
                     const CandidateComparison &earlier = {});

    // The comparison as it stands: the motors and ratios checked, the sort.
    const CandidateComparison &comparison() const { return m_comparison; }
    // "Report…" is offered when the window is handed what makes the report;
    // it is called with this window and the comparison.
    using ReportMaker = std::function<void(QWidget *over, const CandidateComparison &comparison)>;
    void setReportMaker(ReportMaker maker);

    // The row chosen: its motor and, unless it runs on the axis's own
    // gearbox, its gearbox and ratio.
    struct Choice
    {
        MotorRecord motor;
        std::optional<GearboxChoice> gearbox;
    };
    std::optional<Choice> chosen() const;

private:
    void buildChoosers(const CandidateComparison &earlier);
    void buildTable();
    void compare();
    void sortBy(int column, bool descending);
    void showRows();

    WindowContext &m_context;
    Axis m_axis;
    MoveInputs m_move;
    QString m_speedUnit, m_torqueUnit;
    std::vector<MotorRecord> m_motors;
    std::vector<GearboxChoice> m_ratios; // every gearbox at every ratio it offers
    CandidateComparison m_comparison;    // the motors and ratios checked, the sort
    std::vector<Candidate> m_rows;       // in the order shown
    ReportMaker m_reportMaker;
    QListWidget *m_lstMotors = nullptr;
    QListWidget *m_lstRatios = nullptr;
    QLabel *m_lblTables = nullptr;
    QComboBox *m_cmbSortBy = nullptr;
    QTableWidget *m_tblCandidates = nullptr;
    QPushButton *m_cmdUse = nullptr;
    QPushButton *m_cmdReport = nullptr;
};
