#pragma once
// The editor of one axis item: its name, quantity and side, and the values
// its kind is made of, each in a unit of the user's choice. OK takes the
// item only when every value reads as a number.

#include "axis/axismodel.h"

#include <QDialog>

#include <array>

class NumericEdit;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class ConversionTableData;
class WindowContext;

class frmAxisItem : public QDialog
{
    Q_OBJECT
public:
    // Units and default units from context.
    frmAxisItem(const AxisItem &item, const WindowContext &context, QWidget *parent = nullptr);

    // The item as the controls hold it; values that do not read keep the
    // item's own.
    AxisItem item() const;

private:
    void buildControls();
    void showItem();
    void check();

    AxisItem m_item;
    const ConversionTableData &m_unitTable;
    QLineEdit *m_txtName = nullptr;
    QSpinBox *m_spnQuantity = nullptr;
    QComboBox *m_cmbSide = nullptr;
    std::array<NumericEdit *, AxisParamCount> m_boxes{};
    std::array<QComboBox *, AxisParamCount> m_units{};
    QLabel *m_lblProblem = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
