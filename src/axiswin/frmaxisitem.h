#pragma once
// The editor of one axis item: its name, quantity and side, and the values
// its kind is made of, each in a unit of the user's choice (for a shape part,
// its summary and a key that sets it up again in the inertia calculator). OK
// takes the item only when every value reads as a number.

#include "axis/axismodel.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class NumericEdit;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class ConversionTableData;
class WindowContext;

class frmAxisItem : public QDialog
{
    Q_OBJECT
public:
    // Sets a shape part up again from the part as it is; nullopt leaves it.
    using ShapePicker = std::function<std::optional<AxisShapePart>(const AxisShapePart &)>;

    // Units and default units from context.
    frmAxisItem(const AxisItem &item, WindowContext &context, QWidget *parent = nullptr,
                ShapePicker pickShape = {});

    // The item as the controls hold it; values that do not read keep the
    // item's own.
    AxisItem item() const;

private:
    void buildControls();
    void showItem();
    void check();
    void pickShape();

    AxisItem m_item;
    const ConversionTableData &m_unitTable;
    ShapePicker m_pickShape;
    QLabel *m_lblShape = nullptr;
    QPushButton *m_cmdShape = nullptr;
    QLineEdit *m_txtName = nullptr;
    QSpinBox *m_spnQuantity = nullptr;
    QComboBox *m_cmbSide = nullptr;
    std::array<NumericEdit *, AxisParamCount> m_boxes{};
    std::array<QComboBox *, AxisParamCount> m_units{};
    QLabel *m_lblProblem = nullptr;
    QDialogButtonBox *m_buttons = nullptr;
};
