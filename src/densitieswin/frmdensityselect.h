#pragma once
#include "densities/densityedits.h"
#include "densities/densitytable.h"
#include "widgets/calculatorwindow.h"

class PictureButton;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class MaterialListModel;
class QPushButton;
class QScrollBar;

// The material density table: browse, add, change and delete materials, and
// hand one density, in a unit of the user's choice, to the opener and the
// clipboard. Constructing it runs its load (settings, unit lists, the file);
// exec() shows it. The opener reads Chosen, Density and DensityUnits after
// exec() returns: Chosen tells whether a material was selected.
class frmDensitySelect : public CalculatorWindow
{
    Q_OBJECT
    Q_PROPERTY(bool EditFlag READ editFlag WRITE setEditFlag)
    Q_PROPERTY(bool AddFlag READ addFlag WRITE setAddFlag)
    Q_PROPERTY(int DisplayDigits READ displayDigits WRITE setDisplayDigits)
    Q_PROPERTY(bool NotationMode READ notationMode WRITE setNotationMode)
    Q_PROPERTY(bool CancelFlag READ cancelFlag WRITE setCancelFlag)
    Q_PROPERTY(float Density READ density WRITE setDensity)
    Q_PROPERTY(QString DensityUnits READ densityUnits WRITE setDensityUnits)
    Q_PROPERTY(bool IsLoading READ isLoading)
    Q_PROPERTY(bool ReadOnly READ isReadOnly)
    Q_PROPERTY(bool Chosen READ hasChoice)

public:
    explicit frmDensitySelect(WindowContext &context, QWidget *parent = nullptr);
    ~frmDensitySelect() override;

    // Setting a flag sets the buttons to the edit (true) or browse (false) appearance.
    bool editFlag() const { return m_editFlag; }
    void setEditFlag(bool on);
    bool addFlag() const { return m_addFlag; }
    void setAddFlag(bool on);
    // Display properties update their own control only; the list is refilled by the caller.
    int displayDigits() const { return m_displayDigits; }
    void setDisplayDigits(int digits);
    bool notationMode() const { return m_notationMode; }
    void setNotationMode(bool on);
    bool cancelFlag() const { return m_cancelFlag; }
    void setCancelFlag(bool on) { m_cancelFlag = on; }
    float density() const { return m_density; }
    void setDensity(float value) { m_density = value; }
    QString densityUnits() const { return m_densityUnits; }
    void setDensityUnits(const QString &units) { m_densityUnits = units; }
    bool isLoading() const { return m_isLoading; }
    // True when density.dat could not be read whole: nothing may be saved over it.
    bool isReadOnly() const { return m_readOnly; }
    // True once Select handed over a density, whatever its value (0 included).
    bool hasChoice() const { return m_chosen; }

    const QList<DensityRecord> &densityTable() const { return m_table; }
    // Rebuilds the material list from the table; no line stays selected.
    void FillMaterialList();

protected:
    void saveSettings() override;
    void focusHome() override;
    void keyPressEvent(QKeyEvent *event) override;
    // Whether the boxes hold an entry not yet saved: something typed for a
    // new material, or a listed one changed.
    bool entryPending() const;
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void buildKeys();
    void buildList();
    void buildEntry();
    void buildButtons();
    void buildDigits();
    void layoutControls(QWidget *menuBar);
    void connectEvents();
    void load();
    void loadTable();
    void setReadOnly(bool on);
    void applyAppearance(bool editing);

    int selectedIndex() const;
    void refillKeepingPlace();
    bool writeTable();
    void tellIncompleteTable();
    void showNote();
    void selectRow(qsizetype row);
    void updateUndo();

    void onListClick();
    void onSelect();
    void onAdd();
    void onSave();
    void onDelete();
    void onUndo();
    void onCancel();
    void onClear();
    void onDisplayUnitsClick();
    void onDigitsChanged(int value);
    void onNotationClick();

    QFrame *m_picPattern = nullptr;
    QFrame *m_line1 = nullptr;
    LogoButton *m_imgLogo = nullptr;
    PictureButton *m_cmdOn = nullptr;
    PictureButton *m_cmdOff = nullptr;
    QLabel *m_lblMaterialHeading = nullptr;
    QComboBox *m_cmbDisplayUnits = nullptr;
    QListView *m_lstMaterials = nullptr;
    MaterialListModel *m_materials = nullptr;
    QLabel *m_lblMaterial = nullptr;
    QLineEdit *m_txtMaterial = nullptr;
    QLabel *m_label1 = nullptr;
    QLineEdit *m_txtDensity = nullptr;
    QComboBox *m_cmbDensityUnits = nullptr;
    QPushButton *m_cmdSelect = nullptr;
    QPushButton *m_cmdAdd = nullptr;
    QPushButton *m_cmdDelete = nullptr;
    QPushButton *m_cmdSave = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    PictureButton *m_cmdNotationMode = nullptr;
    QLabel *m_lblDigits = nullptr;
    QScrollBar *m_vscrlDigits = nullptr;
    QLabel *m_lblNote = nullptr;
    QAction *m_mnuEditUndo = nullptr;

    QList<DensityRecord> m_table;
    bool m_editFlag = false;
    bool m_addFlag = false;
    int m_displayDigits = 6;
    bool m_notationMode = false;
    bool m_cancelFlag = false;
    float m_density = 0;
    QString m_densityUnits;
    bool m_isLoading = false;
    bool m_readOnly = false;
    bool m_readOnlyTold = false;
    bool m_chosen = false;
    QString m_loadProblem; // why the table is read-only, for the user
    DensityUndo m_undo;
};
