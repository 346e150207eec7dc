#pragma once
// The inertia calculator's pane for choosing a shape part for another window:
// the name of a new part, which of the shape's results is about an axis parallel to the axis of
// rotation, the offset d between the two, why the choice cannot be taken
// when it cannot, and the "Add to axis" key.

#include "inertia/inertiapick.h"

#include <QGroupBox>

class ConversionTableData;
class NumericEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Settings;

// Selects a box's unit in its list and gives the box's text; a unit the list
// lacks leaves the list as it is and the value restated in the list's unit.
QString ShowInUnit(const ConversionTableData &table, QComboBox *units, const InertiaEntry &entry);

class InertiaPickPane : public QGroupBox
{
    Q_OBJECT
public:
    // named: a new part, which takes its name here (a part edited has its
    // name where it is edited).
    InertiaPickPane(const ConversionTableData &units, const Settings &settings, bool named, QWidget *parent);

    // Lists the shape's results, the chosen one kept where the shape has it,
    // and offers the shape's title as the part's name.
    void offerResults(InertiaShape shape);
    // Shows a choice made before: the result and the offset with its unit.
    void showChoice(InertiaAxis result, const InertiaEntry &offset);
    // The pick with this pane's name, result and offset filled in.
    InertiaPick complete(InertiaPick pick) const;
    // Offers the key for a pick that can be taken, else says why not.
    void check(const InertiaPick &pick);

Q_SIGNALS:
    void choiceChanged();
    void addRequested();

private:
    QLabel *caption(const QString &text, QWidget *buddy);

    const ConversionTableData &m_units;
    QLineEdit *m_txtPartName = nullptr;
    QComboBox *m_cmbAxisResult = nullptr;
    NumericEdit *m_txtOffset = nullptr;
    QComboBox *m_cmbOffsetUnits = nullptr;
    QLabel *m_lblPickProblem = nullptr;
    QPushButton *m_cmdAddToAxis = nullptr;
};
