#pragma once
// "Best gearbox ratio": for the axis, its move and its motor, the ratios of
// least peak and least RMS torque, the band of ratios the motor passes at,
// and the inertia-matching reference, plotted against the ratio and said in
// words. "Use this ratio" closes it with the ratio chosen from the list, for
// the axis window to take in.

#include "axis/bestratio.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class RatioPlot;
class WindowContext;

class frmBestRatio : public QDialog
{
    Q_OBJECT
public:
    // Figures in speedUnit and torqueUnit (the move pane's); the units and
    // the window's stored place from context.
    frmBestRatio(WindowContext &context, const Axis &axis, const MoveInputs &move, const QString &speedUnit,
                 const QString &torqueUnit, QWidget *parent = nullptr);

    // The ratio chosen in the list; 0 when there is none to choose.
    double chosenRatio() const;
    const BestRatio &best() const { return m_best; }

private:
    BestRatio m_best;
    std::vector<double> m_choices; // by list entry
    RatioPlot *m_plot = nullptr;
    QLabel *m_lblFindings = nullptr;
    QComboBox *m_cmbChoice = nullptr;
    QPushButton *m_cmdUse = nullptr;
};
