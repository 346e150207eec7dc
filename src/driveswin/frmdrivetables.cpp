#include "driveswin/frmdrivetables.h"

#include "core/safefile.h"
#include "drives/drivetablemodel.h"
#include "driveswin/frmdriveentry.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Motor and gearbox tables");

// Runs f on one table of tables with what belongs to its kind: its records,
// a record's cells, the record from cells, the column names and its words.
template <class F> auto withTable(DriveTables &tables, DriveTableKind kind, F f)
{
    if (kind == DriveTableKind::Motors)
        return f(tables.motors, MotorCells, MotorFromCells, MotorColumns(), QStringLiteral("motor"));
    return f(tables.gearboxes, GearboxCells, GearboxFromCells, GearboxColumns(), QStringLiteral("gearbox"));
}

FileWrite save(const QString &path, const DriveTables &tables, DriveTableKind kind)
{
    return kind == DriveTableKind::Motors ? SaveMotorTable(path, tables.motors)
                                          : SaveGearboxTable(path, tables.gearboxes);
}

bool sameTable(const DriveTables &a, const DriveTables &b, DriveTableKind kind)
{
    return kind == DriveTableKind::Motors ? a.motors == b.motors : a.gearboxes == b.gearboxes;
}

constexpr std::array<DriveTableKind, 2> Kinds{DriveTableKind::Motors, DriveTableKind::Gearboxes};

} // namespace

frmDriveTables::frmDriveTables(WindowContext &context, QWidget *parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmDriveTables"));
    setWindowTitle(Title);
    setAccessibleName(Title);
    AddHelpKey(context, this, QStringLiteral("datafiles.html#drives"));
    m_tabs = Named(new QTabWidget(this), QStringLiteral("tabTables"), QString(), QStringLiteral("Tables"));
    m_tabs->addTab(buildPane(DriveTableKind::Motors), QStringLiteral("&Motors"));
    m_tabs->addTab(buildPane(DriveTableKind::Gearboxes), QStringLiteral("&Gearboxes"));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("btnClose"));
    Named(buttons->button(QDialogButtonBox::Close), QStringLiteral("cmdClose"), QString(),
          QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    buildMenus();
    layout->setMenuBar(findChild<QMenuBar *>());
    for (const DriveTableKind kind : Kinds)
        load(kind);
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmDriveTables::updateKeys);
    showTables();
    resize(900, 480);
    KeepWindowPlace(m_context.settings(), this);
}

QWidget *frmDriveTables::buildPane(DriveTableKind kind)
{
    Pane &pane = m_pane[index(kind)];
    const bool motors = kind == DriveTableKind::Motors;
    const QString what = motors ? QStringLiteral("Motors") : QStringLiteral("Gearboxes");
    auto *page = Named(new QWidget(this), QStringLiteral("fra") + what, QString(), what);
    pane.model = new DriveTableModel(motors ? MotorColumns() : GearboxColumns(), this);
    pane.view = Named(new QTableView(page), QStringLiteral("tbl") + what, QString(), what);
    pane.view->setModel(pane.model);
    pane.view->setSelectionBehavior(QAbstractItemView::SelectRows);
    pane.view->setSelectionMode(QAbstractItemView::SingleSelection);
    pane.view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pane.view->setTabKeyNavigation(false);
    pane.view->setWordWrap(false);
    pane.view->verticalHeader()->hide();
    pane.view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pane.view->horizontalHeader()->setResizeContentsPrecision(0);
    // The note, the widest and least used, last.
    pane.view->horizontalHeader()->moveSection(1, pane.model->columnCount() - 1);
    connect(pane.view, &QTableView::doubleClicked, this, &frmDriveTables::editRecord);
    connect(pane.view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmDriveTables::updateKeys);
    // Enter edits the selected row, Delete deletes it, Insert adds one.
    const std::pair<QKeySequence, void (frmDriveTables::*)()> keys[] = {
        {Qt::Key_Return, &frmDriveTables::editRecord},
        {Qt::Key_Enter, &frmDriveTables::editRecord},
        {QKeySequence::Delete, &frmDriveTables::deleteRecord},
        {Qt::Key_Insert, &frmDriveTables::addRecord}};
    for (const auto &[key, action] : keys)
        connect(new QShortcut(key, pane.view, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated,
                this, action);

    const std::pair<const char *, QString> captions[] = {{"cmdAdd", QStringLiteral("&Add…")},
                                                         {"cmdEdit", QStringLiteral("Ed&it…")},
                                                         {"cmdDelete", QStringLiteral("&Delete")},
                                                         {"cmdImport", QStringLiteral("Im&port CSV…")}};
    void (frmDriveTables::*const actions[])() = {&frmDriveTables::addRecord, &frmDriveTables::editRecord,
                                                 &frmDriveTables::deleteRecord,
                                                 &frmDriveTables::chooseAndImport};
    auto *column = new QVBoxLayout;
    for (std::size_t i = 0; i < pane.keys.size(); ++i) {
        auto *key = new QPushButton(captions[i].second, page);
        Named(key, QLatin1String(captions[i].first) + what.left(1), QString(),
              SpokenCaption(captions[i].second));
        key->setAutoDefault(false);
        connect(key, &QPushButton::clicked, this, actions[i]);
        column->addWidget(key);
        pane.keys[i] = key;
    }
    column->addStretch(1);
    pane.note = Named(new QLabel(page), QStringLiteral("lblNote") + what.left(1), QString(),
                      QStringLiteral("Table problems"));
    pane.note->setWordWrap(true);
    pane.note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pane.note->setVisible(false);
    auto *row = new QHBoxLayout;
    row->addWidget(pane.view, 1);
    row->addLayout(column);
    auto *layout = new QVBoxLayout(page);
    layout->addLayout(row, 1);
    layout->addWidget(pane.note);
    TabChain({pane.view, pane.keys[0], pane.keys[1], pane.keys[2], pane.keys[3]});
    return page;
}

void frmDriveTables::buildMenus()
{
    auto *bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("mnuBar"));
    QMenu *file = bar->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    m_mnuImport = file->addAction(QStringLiteral("&Import CSV…"), this, &frmDriveTables::chooseAndImport);
    m_mnuImport->setObjectName(QStringLiteral("mnuFileImport"));
    m_mnuImport->setShortcut(Qt::CTRL | Qt::Key_I);
    file->addSeparator();
    QAction *close = file->addAction(QStringLiteral("&Close"), this, &QDialog::reject);
    close->setObjectName(QStringLiteral("mnuFileClose"));
    close->setShortcut(QKeySequence::Close);
    QMenu *edit = bar->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    m_mnuUndo = edit->addAction(QStringLiteral("&Undo"), this, &frmDriveTables::undo);
    m_mnuUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    m_mnuUndo->setShortcut(QKeySequence::Undo);
    m_mnuRedo = edit->addAction(QStringLiteral("&Redo"), this, &frmDriveTables::redo);
    m_mnuRedo->setObjectName(QStringLiteral("mnuEditRedo"));
    m_mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
}

void frmDriveTables::load(DriveTableKind kind)
{
    Pane &pane = m_pane[index(kind)];
    pane.path = m_context.userFile(DriveTableFileName(kind));
    QString problem;
    if (kind == DriveTableKind::Motors) {
        const MotorTableRead read = LoadMotorTable(pane.path);
        m_tables.motors = read.records;
        problem = read.message(pane.path);
    } else {
        const GearboxTableRead read = LoadGearboxTable(pane.path);
        m_tables.gearboxes = read.records;
        problem = read.message(pane.path);
    }
    // Nothing is saved over a table that could not be read whole.
    pane.readOnly = !problem.isEmpty();
    if (pane.readOnly)
        ShowValue(pane.note,
                  problem + QStringLiteral("\nThe table is shown read-only; mend the file and open "
                                           "this window again."));
    pane.note->setVisible(pane.readOnly);
}

DriveTableKind frmDriveTables::currentKind() const
{
    return m_tabs->currentIndex() == 1 ? DriveTableKind::Gearboxes : DriveTableKind::Motors;
}

void frmDriveTables::showTab(DriveTableKind kind)
{
    m_tabs->setCurrentIndex(int(index(kind)));
}

void frmDriveTables::showTables()
{
    for (const DriveTableKind kind : Kinds) {
        Pane &pane = m_pane[index(kind)];
        const int selected = pane.view->selectionModel()->hasSelection()
                                 ? pane.view->selectionModel()->selectedRows().value(0).row()
                                 : -1;
        QList<QStringList> rows;
        withTable(m_tables, kind,
                  [&rows](auto &records, auto cellsOf, auto, const QStringList &, const QString &) {
                      for (const auto &record : records)
                          rows.append(cellsOf(record));
                  });
        pane.model->setRows(rows);
        if (selected >= 0 && selected < rows.size())
            pane.view->selectRow(selected);
    }
    updateKeys();
}

void frmDriveTables::updateKeys()
{
    for (const Pane &pane : m_pane) {
        const bool row = pane.view->selectionModel()->hasSelection();
        pane.keys[0]->setEnabled(!pane.readOnly);
        pane.keys[1]->setEnabled(!pane.readOnly && row);
        pane.keys[2]->setEnabled(!pane.readOnly && row);
        pane.keys[3]->setEnabled(!pane.readOnly);
    }
    m_mnuImport->setEnabled(!m_pane[index(currentKind())].readOnly);
    m_mnuUndo->setEnabled(m_history.canUndo());
    m_mnuRedo->setEnabled(m_history.canRedo());
}

int frmDriveTables::selectedRow() const
{
    const QTableView *view = m_pane[index(currentKind())].view;
    return view->selectionModel()->hasSelection() ? view->selectionModel()->selectedRows().value(0).row()
                                                  : -1;
}

void frmDriveTables::selectRow(int row)
{
    QTableView *view = m_pane[index(currentKind())].view;
    if (row >= 0 && row < view->model()->rowCount())
        view->selectRow(row);
    else
        view->clearSelection();
    updateKeys();
}

bool frmDriveTables::change(const DriveTables &next, bool remember)
{
    for (const DriveTableKind kind : Kinds) {
        if (sameTable(m_tables, next, kind))
            continue;
        const Pane &pane = m_pane[index(kind)];
        const FileWrite written = pane.readOnly ? FileWrite{false, true,
                                                            QStringLiteral("the table could not be "
                                                                           "read whole")}
                                                : save(pane.path, next, kind);
        if (!written.ok) {
            QMessageBox::warning(this, Title, SaveFailureMessage(pane.path, written));
            return false;
        }
    }
    if (remember)
        m_history.remember(m_tables);
    m_tables = next;
    showTables();
    return true;
}

bool frmDriveTables::edit(int row)
{
    const DriveTableKind kind = currentKind();
    if (m_pane[index(kind)].readOnly)
        return false;
    DriveTables next = m_tables;
    return withTable(
        next, kind,
        [&](auto &records, auto cellsOf, auto fromCells, const QStringList &columns, const QString &what) {
            using Record = std::decay_t<decltype(records.front())>;
            if (row >= int(records.size()))
                return false;
            std::optional<Record> taken;
            const auto check = [&](const QStringList &cells) {
                std::vector<TableProblem> problems;
                taken = fromCells(cells, problems);
                if (taken && NameTaken(records, taken->name, row)) {
                    problems.push_back(
                        {0, 0, QStringLiteral("Name"),
                         QStringLiteral("a %1 named \"%2\" is in the table already").arg(what, taken->name)});
                    taken.reset();
                }
                return problems;
            };
            const QString title =
                (row >= 0 ? QStringLiteral("Edit %1") : QStringLiteral("Add a %1")).arg(what);
            frmDriveEntry entry(m_context.settings(), title, columns,
                                row >= 0 ? cellsOf(records[std::size_t(row)]) : QStringList(), check, this);
            if (entry.exec() != QDialog::Accepted || !taken)
                return false;
            if (row >= 0)
                records[std::size_t(row)] = *taken;
            else
                records.push_back(*taken);
            const int at = row >= 0 ? row : int(records.size()) - 1;
            if (!change(next))
                return false;
            selectRow(at);
            return true;
        });
}

void frmDriveTables::addRecord()
{
    edit(-1);
}

void frmDriveTables::editRecord()
{
    if (const int row = selectedRow(); row >= 0)
        edit(row);
}

void frmDriveTables::deleteRecord()
{
    const int row = selectedRow();
    if (row < 0 || m_pane[index(currentKind())].readOnly)
        return;
    DriveTables next = m_tables;
    withTable(next, currentKind(), [row](auto &records, auto, auto, const QStringList &, const QString &) {
        records.erase(records.begin() + row);
    });
    if (change(next))
        selectRow(std::min(row, m_pane[index(currentKind())].model->rowCount() - 1));
}

bool frmDriveTables::importFile(const QString &path)
{
    const DriveTableKind kind = currentKind();
    if (m_pane[index(kind)].readOnly)
        return false;
    const FileRead file = ReadRegularFile(path, MaxDriveTableBytes);
    if (!file.bytes) {
        QMessageBox::warning(this, Title, OpenFailureMessage(path, file.problem));
        return false;
    }
    DriveTables next = m_tables;
    QString refused;
    ImportCount count;
    if (kind == DriveTableKind::Motors) {
        const MotorTableRead read = ReadMotorTable(*file.bytes, MarkerRow::Optional);
        refused = read.message(path);
        count = ImportRows(next.motors, read.records);
    } else {
        const GearboxTableRead read = ReadGearboxTable(*file.bytes, MarkerRow::Optional);
        refused = read.message(path);
        count = ImportRows(next.gearboxes, read.records);
    }
    if (!refused.isEmpty()) {
        QMessageBox::warning(this, Title, refused + QStringLiteral("\nNothing was imported."));
        return false;
    }
    if (count.added + count.replaced == 0) {
        QMessageBox::information(this, Title, QStringLiteral("%1 holds no rows to import.").arg(path));
        return false;
    }
    if (!change(next))
        return false;
    QMessageBox::information(this, Title, ImportCountText(count, kind));
    return true;
}

void frmDriveTables::chooseAndImport()
{
    if (m_pane[index(currentKind())].readOnly)
        return;
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Import CSV"), QString(),
                                                      QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        importFile(path);
}

void frmDriveTables::undo()
{
    step(&DriveTableHistory::canUndo, &DriveTableHistory::undo);
}

void frmDriveTables::redo()
{
    step(&DriveTableHistory::canRedo, &DriveTableHistory::redo);
}

void frmDriveTables::step(bool (DriveTableHistory::*can)() const,
                          DriveTables (DriveTableHistory::*take)(const DriveTables &))
{
    // The history moves only once the files are written.
    DriveTableHistory history = m_history;
    if ((m_history.*can)() && change((history.*take)(m_tables), false))
        m_history = std::move(history);
    updateKeys();
}
