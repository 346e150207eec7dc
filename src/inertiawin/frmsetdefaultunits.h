#pragma once
#include <QDialog>

class QComboBox;
class WindowContext;
class QPushButton;

// The default unit of each unit type the inertia calculator uses (mass,
// density, linear distance, inertia). Save stores the four choices; Cancel,
// Esc or the close box store nothing. Constructing it runs its load.
class frmSetDefaultUnits : public QDialog
{
    Q_OBJECT
public:
    explicit frmSetDefaultUnits(WindowContext &context, QWidget *parent = nullptr);

private:
    WindowContext &m_context;
    void save();

    QComboBox *m_cmbDefaultMassUnits = nullptr;
    QComboBox *m_cmbDefaultDensityUnits = nullptr;
    QComboBox *m_cmbDefaultLDUnits = nullptr;
    QComboBox *m_cmbDefaultInertiaUnits = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
