#pragma once
#include "axis/editedaxis.h"
#include "axis/reportdocument.h"
#include "axiswin/axiscontrols.h"
#include "axiswin/movepane.h"
#include "drives/candidatetable.h"
#include "widgets/calculatorwindow.h"

#include <array>
#include <functional>
#include <optional>
#include <utility>

class AxisItemModel;
class MotorPane;
class MovePane;
class DigitsNotation;
class NumericEdit;
class PictureButton;
class QAction;
class QComboBox;
class QEvent;
struct FileWrite;
class QGridLayout;
class QLabel;
class QMenu;
class PendingOpen;
class RecentFilesMenu;
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

    const Axis &axis() const { return m_edited.document().axis; }
    const AxisResults &results() const { return m_results; }
    // Shows an axis: its items, gearbox and motor, in the units it holds.
    // What Undo could take back is forgotten.
    void setAxis(const Axis &axis);

    // The file the axis was opened from or saved to; empty for a new axis.
    const QString &filePath() const { return m_edited.filePath(); }
    // Whether the axis differs from what was opened or saved.
    bool isModified() const { return m_edited.isModified(); }
    // The move as entered in the Move tab.
    const MoveInputs &move() const { return m_edited.document().move; }
    // Opens an axis file; a damaged or newer file is refused with a message
    // naming the file and the problem, and nothing changes.
    bool openFile(const QString &path);
    // Saves the axis (and the move it was opened with) atomically; false,
    // with a message, when it could not.
    bool saveFile(const QString &path);
    // Writes the item table as CSV, inertias in the result unit; false,
    // with a message, when it could not.
    bool exportCsv(const QString &path);
    // Writes the report (the axis, its items, results and verdict, the move
    // with its motor check and plots) as a PDF;
    // false, with a message, when it could not.
    bool exportPdf(const QString &path);
    // The report as printed and exported, dated now.
    ReportDocument report() const;
    // A file handed from outside (a start with a file, a second start): the
    // window comes to the front and opens it as File > Open does, asking
    // about unsaved changes first. While a window of its own is open over it
    // (the item editor, a question, a file chooser) the file waits for it to
    // close; a later file replaces one still waiting.
    void openFromOutside(const QString &path);
    // File > Open Recent: a file that is gone is refused with a message and
    // taken off the list.
    void openRecent(const QString &path);
    void done(int result) override;

    // The item editor for a new item of a kind (the inertia calculator for a
    // shape part), then for the selected item.
    void addItem(AxisItemKind kind);
    void editItem();
    void duplicateItem();
    void removeItem();
    void moveItem(int step);
    // The best-ratio window; a ratio taken from it is one undo step.
    void showBestRatio();
    void showCompareMotors();
    // Takes back the last edit of either tab (an item, a box, a list), or
    // does again the last one taken back.
    void undo();
    void redo();

protected:
    void saveSettings() override;
    void focusHome() override;
    // Ctrl+Z and its kin in a value box reach the window's Undo and Redo,
    // which cover every box, rather than the box's own.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The boxes of the Gearbox and Motor groups, each one input of the axis.
    enum DriveBox { GearRatio, GearboxInertia, RotorInertia, TargetRatio, DriveBoxCount };

    void buildControls();
    void buildFileMenu(QMenuBar *menuBar);
    void buildEditMenu();
    void newAxis();
    // An empty axis and move, taken as saved.
    void startUntitled();
    void chooseAndOpen();
    bool save();
    bool saveAs();
    // Asks what to do with unsaved changes; true when the caller may go on.
    bool settleChanges();
    void chooseAndExport();
    void chooseAndExportPdf();
    // Asks over a window (this one, or one open over it) where to export the report.
    void exportPdfOver(QWidget *over);
    void printReport();
    // True when written; otherwise says why, naming the file.
    bool saved(const QString &path, const FileWrite &write);
    // An edit done, now the document after it: kept for Undo when it changed
    // the axis or the move, then computed, with row selected.
    void change(const AxisDocument &now, const QString &what, int row, const QString &runKey = {});
    // The boxes show the document as it is, with a move of the cycle
    // selected (-1: the one selected, or the last), and the results follow.
    void showDocument(int selectedMove = -1);
    void updateUndo();
    void showTitle();
    QMenuBar *buildMenus();
    QWidget *buildItemPane();
    QWidget *buildDrivePane();
    QWidget *buildResultPane();
    QGridLayout *paneGrid(QWidget *pane);
    void connectEvents();

    // A gearbox or motor box (or its unit list) into the axis, then a compute.
    void readDrive(DriveBox which);
    void readDriveBox(DriveBox which, Axis &axis) const;
    // A box of the Move or Motor tab into the document, then a compute; a
    // box of the selected move's own names the move when there are several.
    void readMove(const QString &what, InputOf of);
    // Adds, duplicates, removes or moves a move of the cycle: one undo step.
    void editMoves(MoveListEdit edit);
    void compute();
    int currentRow() const;
    void selectRow(int row);
    void updateKeys();
    std::optional<AxisItem> editedItem(const AxisItem &item);
    // A shape part chosen in the inertia calculator, starting from preset;
    // a new part's name as typed there into name (empty: none typed).
    std::optional<AxisShapePart> pickedShape(const std::optional<AxisShapePart> &preset,
                                             QString *name = nullptr);
    void copyResult(std::size_t which, bool withUnit);
    // The result the Edit menu copies, by its row of AxisResultRows.
    std::size_t currentResult() const;

    EditedAxis m_edited;
    QAction *m_mnuUndo = nullptr;
    QAction *m_mnuRedo = nullptr;
    RecentFilesMenu *m_mnuRecent = nullptr;
    PendingOpen *m_pendingOpen = nullptr;
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
    MovePane *m_movePane = nullptr;
    MotorPane *m_motorPane = nullptr;
    std::array<ResultRowControls, AxisResultRows.size()>
        m_resultRows; // by row of AxisResultRows; none when not shown
    QLabel *m_lblVerdict = nullptr;
    QLabel *m_lblProblem = nullptr;
    DigitsNotation *m_format = nullptr;
    // The candidates last compared for this axis (none: no motor), run
    // again for each report on the axis as it then is.
    CandidateComparison m_comparison;
};
