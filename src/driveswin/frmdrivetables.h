#pragma once
// The user's motor and gearbox tables, one tab each: browse, add, edit and
// delete rows, import rows from a spreadsheet's CSV file, and undo or redo
// each change. Every change is saved at once (motors.csv, gearboxes.csv in
// the data folder); a table that could not be read whole is shown read-only
// with its problems, and nothing is ever saved over it.

#include "drives/drivetableedits.h"

#include <QDialog>

#include <array>

class DriveTableModel;
class QAction;
class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class WindowContext;

class frmDriveTables : public QDialog
{
    Q_OBJECT
public:
    explicit frmDriveTables(WindowContext &context, QWidget *parent = nullptr);

    const DriveTables &tables() const { return m_tables; }
    bool isReadOnly(DriveTableKind kind) const { return m_pane[index(kind)].readOnly; }
    void showTab(DriveTableKind kind);
    DriveTableKind currentKind() const;

    // The actions of the keys and menus on the current tab, for the keys and tests alike.
    void addRecord();
    void editRecord();
    void deleteRecord();
    // Imports the rows of a CSV file into the current table; false when refused (and told).
    bool importFile(const QString &path);
    void chooseAndImport();
    void undo();
    void redo();

private:
    struct Pane
    {
        QString path;
        bool readOnly = false;
        QTableView *view = nullptr;
        DriveTableModel *model = nullptr;
        QLabel *note = nullptr;
        std::array<QPushButton *, 4> keys{}; // add, edit, delete, import
    };
    static std::size_t index(DriveTableKind kind) { return kind == DriveTableKind::Motors ? 0 : 1; }

    QWidget *buildPane(DriveTableKind kind);
    void buildMenus();
    void load(DriveTableKind kind);
    // Lists the tables anew, keeping each selected row; updateKeys() follows the selection.
    void showTables();
    void updateKeys();
    int selectedRow() const;
    void selectRow(int row);
    // Makes next the tables, saving each that changed; a failed save is told
    // and the tables stay as they were. False on failure.
    bool change(const DriveTables &next, bool remember = true);
    bool edit(int row);
    // Undo or Redo, by the history's own.
    void step(bool (DriveTableHistory::*can)() const,
              DriveTables (DriveTableHistory::*take)(const DriveTables &));

    WindowContext &m_context;
    DriveTables m_tables;
    DriveTableHistory m_history;
    std::array<Pane, 2> m_pane;
    QTabWidget *m_tabs = nullptr;
    QAction *m_mnuUndo = nullptr;
    QAction *m_mnuRedo = nullptr;
    QAction *m_mnuImport = nullptr;
};
