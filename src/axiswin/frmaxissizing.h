#pragma once
#include "axis/axisfile.h"
#include "widgets/calculatorwindow.h"

#include <array>
#include <functional>
#include <optional>
#include <utility>

class AxisItemModel;
class DigitsNotation;
class NumericEdit;
class PictureButton;
class QAction;
class QComboBox;
class QIODevice;
class QGridLayout;
class QLabel;
class QMenuBar;
class QPushButton;
class QTableView;

// Axis sizing: the items of an axis in a table, a gearbox and a motor, and
// the inertia the motor sees with its ratio to the rotor's. Every change
// recomputes at once. Constructing it runs its load; exec() shows it.
class frmAxisSizing : public CalculatorWindow
{
    Q_OBJECT
public:
    explicit frmAxisSizing(WindowContext &context, QWidget *parent = nullptr);
    ~frmAxisSizing() override;

    const Axis &axis() const { return m_axis; }
    const AxisResults &results() const { return m_results; }
    // Shows an axis: its items, gearbox and motor, in the units it holds.
    void setAxis(const Axis &axis);

    // The file the axis was opened from or saved to; empty for a new axis.
    const QString &filePath() const { return m_filePath; }
    // Whether the axis differs from what was opened or saved.
    bool isModified() const { return !(m_axis == m_savedAxis); }
    // Opens an axis file; a damaged or newer file is refused with a message
    // naming the file and the problem, and nothing changes.
    bool openFile(const QString &path);
    // Saves the axis (and the move it was opened with) atomically; false,
    // with a message, when it could not.
    bool saveFile(const QString &path);
    // Writes the item table as CSV, inertias in the result unit; false,
    // with a message, when it could not.
    bool exportCsv(const QString &path);
    void done(int result) override;

    // The item editor for a new item of a kind, then for the selected item.
    void addItem(AxisItemKind kind);
    void editItem();
    void duplicateItem();
    void removeItem();
    // Puts the last removed item back where it was.
    void undoRemove();
    void moveItem(int step);

protected:
    void saveSettings() override;
    void focusHome() override;

private:
    enum Result { LoadSide, Reflected, AtMotor, Ratio, ResultCount };
    struct ResultControls
    {
        PictureButton *copyValue = nullptr;
        PictureButton *copyAll = nullptr;
        QLabel *value = nullptr;
    };

    void buildControls();
    void buildFileMenu(QMenuBar *menuBar);
    void newAxis();
    void chooseAndOpen();
    bool save();
    bool saveAs();
    // Asks what to do with unsaved changes; true when the caller may go on.
    bool settleChanges();
    void chooseAndExport();
    // Writes bytes atomically; false, with a message naming the file, when it could not.
    bool writeFile(const QString &path, const std::function<bool(QIODevice &, QString *)> &write);
    // Any change to the items but a removal ends what Undo can put back.
    void forgetRemoval();
    void showTitle();
    QMenuBar *buildMenus();
    QWidget *buildItemPane();
    QWidget *buildDrivePane();
    QWidget *buildResultPane();
    void buildResultRow(QGridLayout *grid, Result which, const QString &caption, const QString &spoken);
    QGridLayout *paneGrid(QWidget *pane);
    void connectEvents();

    // The gearbox and motor boxes into the axis, then a compute.
    void readDrive();
    void compute();
    int currentRow() const;
    void selectRow(int row);
    void updateKeys();
    std::optional<AxisItem> editedItem(const AxisItem &item);
    void copyResult(Result which, bool withUnit);
    // The result the Edit menu copies.
    Result currentResult() const;

    Axis m_axis;
    Axis m_savedAxis;
    MoveInputs m_move; // kept from the file, for the move window to come
    QString m_filePath;
    std::optional<std::pair<int, AxisItem>> m_removed;
    QAction *m_mnuUndo = nullptr;
    AxisResults m_results;
    bool m_loading = true;

    AxisItemModel *m_model = nullptr;
    QTableView *m_tblItems = nullptr;
    QPushButton *m_cmdAdd = nullptr;
    QPushButton *m_cmdEdit = nullptr;
    QPushButton *m_cmdDuplicate = nullptr;
    QPushButton *m_cmdRemove = nullptr;
    QPushButton *m_cmdMoveUp = nullptr;
    QPushButton *m_cmdMoveDown = nullptr;
    NumericEdit *m_txtGearRatio = nullptr;
    NumericEdit *m_txtGearboxInertia = nullptr;
    QComboBox *m_cmbGearboxInertiaUnits = nullptr;
    NumericEdit *m_txtRotorInertia = nullptr;
    QComboBox *m_cmbRotorInertiaUnits = nullptr;
    NumericEdit *m_txtTargetRatio = nullptr;
    QComboBox *m_cmbResultUnits = nullptr;
    std::array<ResultControls, ResultCount> m_resultRows;
    QLabel *m_lblVerdict = nullptr;
    QLabel *m_lblProblem = nullptr;
    DigitsNotation *m_format = nullptr;
};
