#include "axiswin/frmaxissizing.h"

#include "axis/axisentry.h"
#include "axis/axisitemmodel.h"
#include "axis/axisreport.h"
#include "axis/cyclemoves.h"
#include "axiswin/axiscontrols.h"
#include "axiswin/frmaxisitem.h"
#include "axiswin/frmbestratio.h"
#include "axiswin/motorpane.h"
#include "axiswin/movepane.h"
#include "core/fixedtext.h"
#include "core/tags.h"
#include "driveswin/frmcomparemotors.h"
#include "driveswin/frmdrivetables.h"
#include "inertiawin/frminertiacalc.h"
#include "units/clipboardtext.h"
#include "units/conversiontable.h"
#include "widgets/controlsetup.h"
#include "widgets/digitsnotation.h"
#include "widgets/editviewmenus.h"
#include "widgets/numericedit.h"
#include "widgets/pendingopen.h"
#include "widgets/picturebutton.h"
#include "widgets/recentfilesmenu.h"
#include "widgets/reportprinter.h"
#include "widgets/resultrow.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QBuffer>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int AddableKinds[] = {int(AxisItemKind::Shape), int(AxisItemKind::PointMass),
                                int(AxisItemKind::Inertia), int(AxisItemKind::ScrewLoad),
                                int(AxisItemKind::BeltLoad)};

QPushButton *keyButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *key = Named(new QPushButton(text, parent), name, QString(), SpokenCaption(text));
    // Enter in a box must not press a key of the window.
    key->setAutoDefault(false);
    return key;
}

// A file name chosen to save under, the suffix added when the name has
// none; empty when the user cancelled.
QString chosenSavePath(QWidget *parent, const QString &title, const QString &start, const QString &kind,
                       const QString &suffix)
{
    QString path =
        QFileDialog::getSaveFileName(parent, title, start, QStringLiteral("%1 (*.%2)").arg(kind, suffix));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += u'.' + suffix;
    return path;
}

} // namespace

frmAxisSizing::frmAxisSizing(WindowContext &context, QWidget *parent) : CalculatorWindow(context, parent)
{
    setObjectName(QStringLiteral("frmAxisSizing"));
    setWindowTitle(QStringLiteral("Axis sizing"));
    setAccessibleName(windowTitle());
    AddHelpKey(context, this, QStringLiteral("axis.html"));
    buildControls();
    m_pendingOpen = new PendingOpen(this, [this](const QString &path) {
        if (settleChanges())
            openFile(path);
    });
    loadTooltipsOption();
    FillUnitCombos(context.units(), this);
    ApplyDefaultUnits(context.settings(), this);
    connectEvents();
    m_format->load(context.settings(), Settings::Calculator::Axis);
    startUntitled();
    m_loading = false;
    compute();
}

frmAxisSizing::~frmAxisSizing()
{
    // The boxes go after the members: the focus leaving them must not reach the history.
    disconnect(qApp, nullptr, this, nullptr);
    saveSettingsOnce();
}

void frmAxisSizing::buildControls()
{
    QMenuBar *menuBar = buildMenus();
    auto *lower = new QHBoxLayout;
    lower->addWidget(buildDrivePane());
    lower->addWidget(buildResultPane(), 1);
    auto *inertia =
        Named(new QWidget(this), QStringLiteral("fraInertia"), QString(), QStringLiteral("Inertia"));
    auto *inertiaLayout = new QVBoxLayout(inertia);
    inertiaLayout->addWidget(buildItemPane(), 1);
    inertiaLayout->addLayout(lower);
    m_movePane = new MovePane(context().units(), this);
    m_motorPane = new MotorPane(context().units(), this);
    auto *tabs = Named(new QTabWidget(this), QStringLiteral("tabAxis"), QString(), QStringLiteral("Axis"));
    tabs->addTab(inertia, QStringLiteral("I&nertia"));
    tabs->addTab(m_movePane, QStringLiteral("M&ove"));
    tabs->addTab(m_motorPane, QStringLiteral("Mo&tor"));
    auto *root = new QVBoxLayout(this);
    root->setMenuBar(menuBar);
    root->setContentsMargins(12, 8, 12, 12);
    root->addWidget(tabs);
    // The tabs sit above the panes, so Tab meets them first.
    TabChain({tabs->tabBar(), m_tblItems, m_cmdAdd, m_cmdEdit, m_cmdDuplicate, m_cmdRemove, m_cmdMoveUp,
              m_cmdMoveDown, m_txtGearRatio});
    // No fixed size: the window opens as large as its panes ask, within
    // the screen it opens on, and its picture takes no more memory than that.
}

QMenuBar *frmAxisSizing::buildMenus()
{
    QMenuBar *menuBar = createMenus({});
    CalculatorMenus *m = menus();
    // The calculators' Options entries do not apply here.
    for (QAction *hidden : {m->mnuOptions, m->mnuOptionsSelectLanguage, m->mnuOptionsTooltips,
                            m->mnuOptionsSelectWallpaper, m->mnuHelpSearch})
        hidden->setVisible(false);
    m_format = new DigitsNotation(this);
    createEditViewMenus(menuBar, *m_format);
    buildFileMenu(menuBar);
    buildEditMenu();
    // Tools over the axis: the user's motor and gearbox tables, the best ratio.
    QMenu *tools = new QMenu(QStringLiteral("&Tools"), menuBar);
    tools->setObjectName(QStringLiteral("mnuTools"));
    tools
        ->addAction(QStringLiteral("&Motor and gearbox tables…"), this,
                    [this] { frmDriveTables(context(), this).exec(); })
        ->setObjectName(QStringLiteral("mnuToolsDriveTables"));
    tools->addAction(QStringLiteral("Best &gearbox ratio…"), this, &frmAxisSizing::showBestRatio)
        ->setObjectName(QStringLiteral("mnuToolsBestRatio"));
    tools->addAction(QStringLiteral("&Compare motors…"), this, &frmAxisSizing::showCompareMotors)
        ->setObjectName(QStringLiteral("mnuToolsCompareMotors"));
    menuBar->insertMenu(m->mnuHelp, tools);
    return menuBar;
}

QWidget *frmAxisSizing::buildItemPane()
{
    auto *pane = Named(new QGroupBox(QStringLiteral("Items"), this), QStringLiteral("fraItems"), QString(),
                       QStringLiteral("Items"));
    m_model = new AxisItemModel(context().units(), this);
    m_tblItems = Named(new QTableView(pane), QStringLiteral("tblItems"), QString(), QStringLiteral("Items"));
    m_tblItems->setModel(m_model);
    m_tblItems->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblItems->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblItems->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tblItems->setTabKeyNavigation(false);
    m_tblItems->verticalHeader()->hide();
    m_tblItems->setWordWrap(false);
    m_tblItems->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Columns fit the rows in view: measuring every row of a long axis on
    // each recompute took 80 ms at 1,000 items.
    m_tblItems->horizontalHeader()->setResizeContentsPrecision(0);
    m_tblItems->horizontalHeader()->setSectionResizeMode(AxisItemModel::SummaryColumn, QHeaderView::Stretch);

    m_cmdAdd = keyButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add"), pane);
    auto *addMenu = new QMenu(m_cmdAdd);
    addMenu->setObjectName(QStringLiteral("mnuAdd"));
    for (int kind : AddableKinds) {
        // A shape part is set up in the inertia calculator, which opens first.
        const QString title = QString::fromUtf8(KindInfo(AxisItemKind(kind)).title);
        QAction *action =
            addMenu->addAction(kind == int(AxisItemKind::Shape) ? title + QStringLiteral("\u2026") : title);
        action->setObjectName(
            QStringLiteral("mnuAdd_%1").arg(QString::fromLatin1(KindInfo(AxisItemKind(kind)).key)));
        connect(action, &QAction::triggered, this, [this, kind]() { addItem(AxisItemKind(kind)); });
    }
    m_cmdAdd->setMenu(addMenu);
    m_cmdEdit = keyButton(QStringLiteral("cmdEdit"), QStringLiteral("&Edit…"), pane);
    m_cmdDuplicate = keyButton(QStringLiteral("cmdDuplicate"), QStringLiteral("D&uplicate"), pane);
    m_cmdRemove = keyButton(QStringLiteral("cmdRemove"), QStringLiteral("&Remove"), pane);
    m_cmdMoveUp = keyButton(QStringLiteral("cmdMoveUp"), QStringLiteral("Move u&p"), pane);
    m_cmdMoveDown = keyButton(QStringLiteral("cmdMoveDown"), QStringLiteral("Move do&wn"), pane);

    auto *keys = new QVBoxLayout;
    for (QPushButton *key : {m_cmdAdd, m_cmdEdit, m_cmdDuplicate, m_cmdRemove, m_cmdMoveUp, m_cmdMoveDown})
        keys->addWidget(key);
    keys->addStretch(1);
    auto *layout = new QHBoxLayout(pane);
    layout->addWidget(m_tblItems, 1);
    layout->addLayout(keys);
    return pane;
}

QGridLayout *frmAxisSizing::paneGrid(QWidget *pane)
{
    auto *grid = new QGridLayout(pane);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    return grid;
}

QWidget *frmAxisSizing::buildDrivePane()
{
    auto *pane = new QWidget(this);
    auto *column = new QVBoxLayout(pane);
    column->setContentsMargins(0, 0, 0, 0);

    auto *gearbox = Named(new QGroupBox(QStringLiteral("Gearbox"), pane), QStringLiteral("fraGearbox"),
                          QString(), QStringLiteral("Gearbox"));
    QGridLayout *grid = paneGrid(gearbox);
    m_txtGearRatio = AxisValueBox(QStringLiteral("txtGearRatio"), QStringLiteral("Gearbox ratio"), gearbox);
    m_txtGearRatio->setToolTip(QStringLiteral("Motor speed ÷ output speed; 1 for no gearbox"));
    m_txtGearboxInertia =
        AxisValueBox(QStringLiteral("txtGearboxInertia"), QStringLiteral("Gearbox inertia"), gearbox);
    m_cmbGearboxInertiaUnits =
        AxisUnitList(QStringLiteral("cmbGearboxInertiaUnits"), QStringLiteral("Gearbox inertia units"),
                     QStringLiteral("Inertia"), gearbox);
    grid->addWidget(BuddyCaption(QStringLiteral("Ratio &i:"), m_txtGearRatio, gearbox), 0, 0);
    grid->addWidget(m_txtGearRatio, 0, 1);
    grid->addWidget(BuddyCaption(QStringLiteral("J &gearbox:"), m_txtGearboxInertia, gearbox), 1, 0);
    grid->addWidget(m_txtGearboxInertia, 1, 1);
    grid->addWidget(m_cmbGearboxInertiaUnits, 1, 2);
    // A pasted "number unit" takes its unit, or it would be read in the list's.
    m_txtGearboxInertia->setUnitList(context().units(), m_cmbGearboxInertiaUnits);

    auto *motor = Named(new QGroupBox(QStringLiteral("Motor"), pane), QStringLiteral("fraMotor"), QString(),
                        QStringLiteral("Motor"));
    grid = paneGrid(motor);
    m_txtRotorInertia =
        AxisValueBox(QStringLiteral("txtRotorInertia"), QStringLiteral("Rotor inertia"), motor);
    m_cmbRotorInertiaUnits =
        AxisUnitList(QStringLiteral("cmbRotorInertiaUnits"), QStringLiteral("Rotor inertia units"),
                     QStringLiteral("Inertia"), motor);
    m_txtTargetRatio =
        AxisValueBox(QStringLiteral("txtTargetRatio"), QStringLiteral("Target inertia ratio"), motor);
    grid->addWidget(BuddyCaption(QStringLiteral("&J rotor:"), m_txtRotorInertia, motor), 0, 0);
    grid->addWidget(m_txtRotorInertia, 0, 1);
    grid->addWidget(m_cmbRotorInertiaUnits, 0, 2);
    m_txtRotorInertia->setUnitList(context().units(), m_cmbRotorInertiaUnits);
    grid->addWidget(BuddyCaption(QStringLiteral("&Target ratio:"), m_txtTargetRatio, motor), 1, 0);
    grid->addWidget(m_txtTargetRatio, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral(": 1"), motor), 1, 2);

    column->addWidget(gearbox);
    column->addWidget(motor);
    column->addStretch(1);
    return pane;
}

QWidget *frmAxisSizing::buildResultPane()
{
    auto *pane = Named(new QGroupBox(QStringLiteral("Results"), this), QStringLiteral("fraResults"),
                       QString(), QStringLiteral("Results"));
    QGridLayout *grid = paneGrid(pane);
    m_cmbResultUnits = AxisUnitList(QStringLiteral("cmbResultUnits"), QStringLiteral("Result units"),
                                    QStringLiteral("Inertia"), pane);
    grid->addWidget(BuddyCaption(QStringLiteral("Inertia &units:"), m_cmbResultUnits, pane), 0, 2);
    grid->addWidget(m_cmbResultUnits, 0, 3);
    // The rows of the results table that the tab shows, in its order.
    int gridRow = 1;
    for (std::size_t r = 0; r < AxisResultRows.size(); ++r) {
        const AxisResultRowInfo &row = AxisResultRows[r];
        if (*row.caption)
            m_resultRows[r] = AddResultRow(grid, gridRow++, QString::fromLatin1(row.key),
                                           QString::fromUtf8(row.caption), QString::fromUtf8(row.spoken));
    }
    m_lblVerdict =
        Named(new QLabel(pane), QStringLiteral("lblVerdict"), QString(), QStringLiteral("Verdict"));
    m_lblVerdict->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    m_lblVerdict->setFont(bold);
    grid->addWidget(m_lblVerdict, gridRow, 0, 1, 4);
    m_lblProblem =
        Named(new QLabel(pane), QStringLiteral("lblProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    grid->addWidget(m_lblProblem, gridRow + 1, 0, 1, 4);

    grid->addLayout(m_format->buildKeys(pane, CopyKeySize).row, gridRow + 2, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(gridRow + 3, 1);
    return pane;
}

void frmAxisSizing::connectEvents()
{
    const std::pair<NumericEdit *, QComboBox *> drive[DriveBoxCount] = {
        {m_txtGearRatio, nullptr},
        {m_txtGearboxInertia, m_cmbGearboxInertiaUnits},
        {m_txtRotorInertia, m_cmbRotorInertiaUnits},
        {m_txtTargetRatio, nullptr}};
    for (int b = 0; b < DriveBoxCount; ++b) {
        connect(drive[b].first, &QLineEdit::textChanged, this, [this, b]() { readDrive(DriveBox(b)); });
        if (drive[b].second)
            connect(drive[b].second, &QComboBox::currentIndexChanged, this,
                    [this, b]() { readDrive(DriveBox(b)); });
    }
    connect(m_cmbResultUnits, &QComboBox::currentIndexChanged, this, &frmAxisSizing::compute);
    connect(m_movePane, &MovePane::edited, this, &frmAxisSizing::readMove);
    connect(m_movePane, &MovePane::moveListEdited, this, &frmAxisSizing::editMoves);
    // Another move selected: what is typed next is an edit of its own.
    connect(m_movePane, &MovePane::moveSelected, this, [this]() { m_edited.endRun(); });
    connect(m_motorPane, &MotorPane::edited, this,
            [this](const QString &what) { readMove(what, InputOf::Axis); });
    // The Motor tab shows the move as the Move tab does, in its units.
    connect(m_movePane, &MovePane::shown, this, [this]() {
        m_motorPane->followMechanism(m_movePane->results().mechanism.kind);
        m_motorPane->showChecks(m_movePane->results(), m_movePane->shownUnits(), m_format->digits());
        m_motorPane->showPlot(m_movePane->plotData());
        m_movePane->showMechanismChecks(MechanismChecks(axis(), m_movePane->results()));
    });
    // A value is entered when the focus leaves it or Enter is pressed: what
    // is typed next is an edit of its own.
    connect(qApp, &QApplication::focusChanged, this, [this]() { m_edited.endRun(); });
    for (NumericEdit *box : findChildren<NumericEdit *>()) {
        connect(box, &QLineEdit::returnPressed, this, [this]() { m_edited.endRun(); });
        box->installEventFilter(this);
    }
    connect(m_cmdEdit, &QAbstractButton::clicked, this, &frmAxisSizing::editItem);
    connect(m_cmdDuplicate, &QAbstractButton::clicked, this, &frmAxisSizing::duplicateItem);
    connect(m_cmdRemove, &QAbstractButton::clicked, this, &frmAxisSizing::removeItem);
    connect(m_cmdMoveUp, &QAbstractButton::clicked, this, [this]() { moveItem(-1); });
    connect(m_cmdMoveDown, &QAbstractButton::clicked, this, [this]() { moveItem(1); });
    // A double-click, or Enter, on a row: the view says it once as
    // activated (it says doubleClicked too, which must not open a second editor).
    connect(m_tblItems, &QAbstractItemView::activated, this, &frmAxisSizing::editItem);
    auto *removeKey = new QAction(m_tblItems);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetShortcut);
    m_tblItems->addAction(removeKey);
    connect(removeKey, &QAction::triggered, this, &frmAxisSizing::removeItem);
    connect(m_model, &QAbstractItemModel::modelReset, this, &frmAxisSizing::updateKeys);
    connect(m_tblItems->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &frmAxisSizing::updateKeys);

    connectResultEntries(
        *m_format,
        [this](bool withUnit) {
            // The tab in view decides which results the menu copies from.
            if (m_movePane->isVisible())
                m_movePane->copyCurrent(withUnit);
            else
                copyResult(currentResult(), withUnit);
        },
        [this]() { compute(); });
    for (std::size_t r = 0; r < AxisResultRows.size(); ++r) {
        if (!m_resultRows[r].value)
            continue;
        connect(m_resultRows[r].copyValue, &QAbstractButton::clicked, this,
                [this, r]() { copyResult(r, false); });
        connect(m_resultRows[r].copyAll, &QAbstractButton::clicked, this,
                [this, r]() { copyResult(r, true); });
    }
}

void frmAxisSizing::setAxis(const Axis &axis)
{
    m_edited.replace({axis, move()});
    updateUndo();
    showDocument(0);
}

void frmAxisSizing::showDocument(int selectedMove)
{
    const bool loading = m_loading;
    m_loading = true;
    const Axis &axis = this->axis();
    m_txtGearRatio->setText(AxisEntryText(axis.gearbox.ratio));
    ShowAxisQuantity(context().units(), m_txtGearboxInertia, m_cmbGearboxInertiaUnits, axis.gearbox.inertia);
    ShowAxisQuantity(context().units(), m_txtRotorInertia, m_cmbRotorInertiaUnits, axis.motor.inertia);
    m_txtTargetRatio->setText(AxisEntryText(axis.motor.targetRatio));
    m_movePane->setMove(axis.motor, move(), selectedMove);
    m_motorPane->setMotor(axis.motor, move());
    m_motorPane->setMechanismLimits(axis.mechanismLimits);
    m_loading = loading;
    // The boxes show the values; the axis keeps them exactly as given.
    compute();
}

void frmAxisSizing::readDriveBox(DriveBox which, Axis &axis) const
{
    const ConversionTableData &units = context().units();
    switch (which) {
    case GearRatio:
        axis.gearbox.ratio = ReadBoxNumber(m_txtGearRatio);
        break;
    case GearboxInertia:
        axis.gearbox.inertia = ReadBoxQuantity(units, m_txtGearboxInertia, m_cmbGearboxInertiaUnits);
        break;
    case RotorInertia:
        axis.motor.inertia = ReadBoxQuantity(units, m_txtRotorInertia, m_cmbRotorInertiaUnits);
        break;
    case TargetRatio:
    case DriveBoxCount:
        axis.motor.targetRatio = ReadBoxNumber(m_txtTargetRatio);
        break;
    }
}

void frmAxisSizing::readDrive(DriveBox which)
{
    if (m_loading)
        return;
    static const char *const names[DriveBoxCount] = {"gearbox ratio", "gearbox inertia", "rotor inertia",
                                                     "target ratio"};
    AxisDocument now = m_edited.document();
    // Only the box typed into (or its unit list) is read: the others keep
    // their values exactly, whatever their boxes show.
    readDriveBox(which, now.axis);
    const QString what = QString::fromLatin1(names[which]);
    change(now, QStringLiteral("change of the ") + what, currentRow(), what);
}

void frmAxisSizing::readMove(const QString &what, InputOf of)
{
    if (m_loading)
        return;
    AxisDocument now = m_edited.document();
    m_movePane->readInto(now.axis.motor, now.move);
    m_motorPane->readInto(now.axis.motor, now.move);
    m_motorPane->readMechanismLimits(now.axis.mechanismLimits);
    // Named by the box typed into, not by what its reading changed: the
    // first edit also writes the selected move's units as its boxes show them.
    // A box of another move starts a step of its own.
    const int selected = m_movePane->selectedMove();
    const bool ofMove = of == InputOf::SelectedMove;
    const QString where =
        ofMove && move().moves.size() > 1 ? QStringLiteral(" of move %1").arg(selected + 1) : QString();
    change(now, QStringLiteral("change of the ") + what + where, currentRow(),
           ofMove ? what + QStringLiteral("@%1").arg(selected) : what);
}

void frmAxisSizing::editMoves(MoveListEdit edit)
{
    AxisDocument now = m_edited.document();
    QList<CycleMove> &moves = now.move.moves;
    const int from = m_movePane->selectedMove();
    int to = from;
    QString what;
    switch (edit) {
    case MoveListEdit::Add:
        to = AddMove(moves, from, from < moves.size() ? ReturnMove(moves.at(from)) : CycleMove{});
        what = QStringLiteral("add move %1").arg(to + 1);
        break;
    case MoveListEdit::Duplicate:
        to = DuplicateMove(moves, from);
        what = QStringLiteral("duplicate move %1").arg(from + 1);
        break;
    case MoveListEdit::Remove:
        to = RemoveMove(moves, from);
        what = QStringLiteral("remove move %1").arg(from + 1);
        break;
    case MoveListEdit::Up:
    case MoveListEdit::Down:
        to = SwapMoves(moves, from, edit == MoveListEdit::Up ? -1 : 1);
        what = QStringLiteral("move %1 %2").arg(from + 1).arg(edit == MoveListEdit::Up ? "up" : "down");
        break;
    }
    if (now == m_edited.document())
        return;
    m_edited.change(now, what, currentRow(), currentRow(), {}, from, to);
    updateUndo();
    showDocument(to);
}

void frmAxisSizing::compute()
{
    if (m_loading)
        return;
    m_results = ComputeAxis(axis());
    const QString unit = m_cmbResultUnits->currentText();
    const int digits = m_format->digits();
    const bool notation = m_format->notation();
    m_model->show(axis(), m_results, unit, digits, notation);
    // A failed figure shows a dash; why it failed is said in full below the
    // results (the ratio's reason is the verdict itself).
    QString problem;
    for (std::size_t r = 0; r < AxisResultRows.size(); ++r) {
        const AxisResultRowInfo &row = AxisResultRows[r];
        const AxisFigure &figure = m_results.*row.member;
        if (!m_resultRows[r].value)
            continue;
        if (!figure.ok() && problem.isEmpty() && !row.ratio)
            problem = figure.reason();
        ShowResult(m_resultRows[r], figure,
                   row.ratio ? AxisNumberText(figure.value(), digits, notation)
                             : AxisFigureText(context().units(), figure, unit, digits, notation));
    }
    ShowValue(m_lblProblem, problem);
    // The words carry the verdict; the colour only repeats it.
    ShowValue(m_lblVerdict, m_results.verdict.text);
    ShowTone(m_lblVerdict, RatioTone(m_results.verdict.level));
    m_movePane->showMove(axis(), m_results, move(), digits, notation);
    updateKeys();
    showTitle();
}

int frmAxisSizing::currentRow() const
{
    const QModelIndex current = m_tblItems->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void frmAxisSizing::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_tblItems->setCurrentIndex(m_model->index(row, 0));
    m_tblItems->selectRow(row);
}

void frmAxisSizing::updateKeys()
{
    const int row = currentRow();
    const bool chosen = row >= 0;
    m_cmdEdit->setEnabled(chosen);
    m_cmdDuplicate->setEnabled(chosen);
    m_cmdRemove->setEnabled(chosen);
    m_cmdMoveUp->setEnabled(chosen && row > 0);
    m_cmdMoveDown->setEnabled(chosen && row + 1 < m_model->rowCount());
}

std::optional<AxisItem> frmAxisSizing::editedItem(const AxisItem &item)
{
    frmAxisItem editor(item, context(), this,
                       [this](const AxisShapePart &part) { return pickedShape(part); });
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.item();
}

std::optional<AxisShapePart> frmAxisSizing::pickedShape(const std::optional<AxisShapePart> &preset,
                                                        QString *name)
{
    frmInertiaCalc calculator(context(), this);
    calculator.startPick(preset ? std::optional(PickFromShapePart(context().units(), *preset))
                                : std::nullopt);
    calculator.exec();
    if (!calculator.pick())
        return std::nullopt;
    const std::optional<AxisShapePart> part =
        ShapePartFromPick(context().units(), *calculator.pick(), preset ? &*preset : nullptr);
    if (name)
        *name = calculator.pick()->name;
    if (!part)
        QMessageBox::warning(
            this, QStringLiteral("Axis sizing"),
            QStringLiteral("The shape's values could not be read, so the shape was not taken."));
    return part;
}

namespace {

QString quoted(const AxisItem &item)
{
    return QStringLiteral("\u201c%1\u201d").arg(item.name);
}

} // namespace

void frmAxisSizing::addItem(AxisItemKind kind)
{
    AxisItem item;
    item.kind = kind;
    item.name = QString::fromUtf8(KindInfo(kind).title);
    std::optional<AxisItem> added;
    if (kind != AxisItemKind::Shape) {
        added = editedItem(item);
    } else if (const std::optional<AxisShapePart> part = pickedShape(std::nullopt, &item.name)) {
        item.shape = *part;
        if (item.name.isEmpty())
            item.name = ShapeTitle(part->shape);
        added = item;
    }
    if (added) {
        AxisDocument now = m_edited.document();
        now.axis.items.append(*added);
        change(now, QStringLiteral("add ") + quoted(*added), int(now.axis.items.size()) - 1);
    }
    m_tblItems->setFocus();
}

void frmAxisSizing::editItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (const std::optional<AxisItem> edited = editedItem(axis().items.at(row))) {
        AxisDocument now = m_edited.document();
        now.axis.items[row] = *edited;
        change(now, QStringLiteral("edit ") + quoted(*edited), row);
    }
    m_tblItems->setFocus();
}

void frmAxisSizing::duplicateItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    AxisDocument now = m_edited.document();
    now.axis.items.insert(row + 1, now.axis.items.at(row));
    change(now, QStringLiteral("duplicate ") + quoted(now.axis.items.at(row)), row + 1);
}

void frmAxisSizing::removeItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    AxisDocument now = m_edited.document();
    const AxisItem removed = now.axis.items.takeAt(row);
    change(now, QStringLiteral("remove ") + quoted(removed), std::min(row, int(now.axis.items.size()) - 1));
}

void frmAxisSizing::moveItem(int step)
{
    const int row = currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= axis().items.size())
        return;
    AxisDocument now = m_edited.document();
    now.axis.items.swapItemsAt(row, to);
    change(now, QStringLiteral("move %1 %2").arg(quoted(now.axis.items.at(to)), step < 0 ? "up" : "down"),
           to);
}

void frmAxisSizing::change(const AxisDocument &now, const QString &what, int row, const QString &runKey)
{
    const int selected = m_movePane->selectedMove();
    m_edited.change(now, what, currentRow(), row, runKey, selected, selected);
    updateUndo();
    compute();
    selectRow(row);
}

// The best ratio for the axis as it stands; the one chosen there comes in as one undo step.
void frmAxisSizing::showBestRatio()
{
    const MoveReportUnits shown = m_movePane->shownUnits();
    frmBestRatio dialog(context(), axis(), move(), shown.of(MoveUnit::MotorSpeed), shown.of(MoveUnit::Torque),
                        this);
    if (dialog.exec() != QDialog::Accepted || !(dialog.chosenRatio() > 0))
        return;
    AxisDocument now = m_edited.document();
    now.axis.gearbox.ratio = dialog.chosenRatio();
    m_edited.change(now, QStringLiteral("best gearbox ratio"), currentRow(), currentRow(), {});
    updateUndo();
    showDocument();
}

// Candidates from the user's tables; the one chosen comes in as one undo step.
void frmAxisSizing::showCompareMotors()
{
    const MoveReportUnits shown = m_movePane->shownUnits();
    frmCompareMotors dialog(context(), axis(), move(), shown.of(MoveUnit::MotorSpeed),
                            shown.of(MoveUnit::Torque), this, m_comparison);
    dialog.setReportMaker([this](QWidget *over, const CandidateComparison &comparison) {
        m_comparison = comparison;
        exportPdfOver(over);
    });
    const int answer = dialog.exec();
    m_comparison = dialog.comparison();
    if (answer != QDialog::Accepted)
        return;
    const std::optional<frmCompareMotors::Choice> choice = dialog.chosen();
    if (!choice)
        return;
    const GearboxChoice *gearbox = choice->gearbox ? &*choice->gearbox : nullptr;
    AxisDocument now = m_edited.document();
    now.axis = CandidateAxis(now.axis, choice->motor, gearbox);
    now.move = CandidateMove(now.move, gearbox);
    m_edited.change(now, QStringLiteral("motor from the comparison"), currentRow(), currentRow(), {});
    updateUndo();
    showDocument();
}

void frmAxisSizing::undo()
{
    if (const std::optional<AxisHistory::Step> step = m_edited.undo()) {
        showDocument(step->moveBefore);
        selectRow(step->rowBefore);
    }
    updateUndo();
}

void frmAxisSizing::redo()
{
    if (const std::optional<AxisHistory::Step> step = m_edited.redo()) {
        showDocument(step->moveAfter);
        selectRow(step->rowAfter);
    }
    updateUndo();
}

bool frmAxisSizing::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            m_mnuRedo->shortcuts().contains(QKeySequence(key->keyCombination()))) {
            // Left unaccepted, the key goes on to the menu's shortcut.
            event->ignore();
            return true;
        }
    }
    return CalculatorWindow::eventFilter(watched, event);
}

void frmAxisSizing::updateUndo()
{
    const QString undo = m_edited.undoText();
    const QString redo = m_edited.redoText();
    m_mnuUndo->setEnabled(!undo.isEmpty());
    m_mnuUndo->setText(undo.isEmpty() ? QStringLiteral("&Undo") : QStringLiteral("&Undo ") + undo);
    m_mnuRedo->setEnabled(!redo.isEmpty());
    m_mnuRedo->setText(redo.isEmpty() ? QStringLiteral("&Redo") : QStringLiteral("&Redo ") + redo);
}

void frmAxisSizing::copyResult(std::size_t which, bool withUnit)
{
    const QString value = m_resultRows[which].value->text();
    QString text = value;
    if (withUnit)
        text = AxisResultRows[which].ratio
                   ? value + QStringLiteral(" : 1")
                   : NumberUnitText(value, QString(), m_cmbResultUnits->currentText());
    CopyText(text);
}

std::size_t frmAxisSizing::currentResult() const
{
    // The row whose copy key holds the focus; else the inertia at the motor,
    // the figure the motor is chosen by.
    std::size_t which = 0;
    while (AxisResultRows[which].member != &AxisResults::atMotor)
        ++which;
    return FocusedResultRow(m_resultRows).value_or(which);
}

void frmAxisSizing::saveSettings()
{
    m_format->save(context().settings(), Settings::Calculator::Axis);
}

void frmAxisSizing::focusHome()
{
    if (QWidget *current = focusWidget(); current && current->isVisible() && current->isEnabled())
        return;
    m_tblItems->setFocus(Qt::OtherFocusReason);
}

void frmAxisSizing::buildFileMenu(QMenuBar *menuBar)
{
    auto *file = new QMenu(QStringLiteral("&File"), menuBar);
    file->setObjectName(QStringLiteral("mnuFileMenu"));
    const auto entry = [this, file](const char *name, const QString &text, QKeySequence::StandardKey key,
                                    auto slot) {
        QAction *action = file->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
    };
    entry("mnuFileNew", QStringLiteral("&New"), QKeySequence::New, &frmAxisSizing::newAxis);
    entry("mnuFileOpen", QStringLiteral("&Open…"), QKeySequence::Open, &frmAxisSizing::chooseAndOpen);
    m_mnuRecent = new RecentFilesMenu(
        context().settings(), [this](const QString &path) { openRecent(path); }, file);
    file->addMenu(m_mnuRecent);
    entry("mnuFileSave", QStringLiteral("&Save"), QKeySequence::Save, &frmAxisSizing::save);
    entry("mnuFileSaveAs", QStringLiteral("Save &As…"), QKeySequence::SaveAs, &frmAxisSizing::saveAs);
    file->addSeparator();
    entry("mnuFileExportCsv", QStringLiteral("&Export CSV…"), QKeySequence::UnknownKey,
          &frmAxisSizing::chooseAndExport);
    entry("mnuFileExportPdf", QStringLiteral("Export P&DF…"), QKeySequence::UnknownKey,
          &frmAxisSizing::chooseAndExportPdf);
    entry("mnuFilePrint", QStringLiteral("&Print…"), QKeySequence::Print, &frmAxisSizing::printReport);
    menuBar->insertMenu(menuBar->actions().value(0), file);
}

// Undo and Redo of the axis's edits, at the top of the Edit menu.
void frmAxisSizing::buildEditMenu()
{
    QMenu *edit = editViewMenus()->editMenu();
    QAction *first = edit->actions().value(0);
    m_mnuUndo = new QAction(edit);
    m_mnuUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    m_mnuUndo->setShortcut(QKeySequence::Undo);
    connect(m_mnuUndo, &QAction::triggered, this, &frmAxisSizing::undo);
    m_mnuRedo = new QAction(edit);
    m_mnuRedo->setObjectName(QStringLiteral("mnuEditRedo"));
    m_mnuRedo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_mnuRedo, &QAction::triggered, this, &frmAxisSizing::redo);
    edit->insertAction(first, m_mnuUndo);
    edit->insertAction(first, m_mnuRedo);
    edit->insertSeparator(first);
    updateUndo();
}

void frmAxisSizing::showTitle()
{
    setWindowTitle(QStringLiteral("%1%2 \u2014 Axis sizing")
                       .arg(m_edited.name(), isModified() ? QStringLiteral("*") : QString()));
}

void frmAxisSizing::newAxis()
{
    if (!settleChanges())
        return;
    startUntitled();
    showTitle();
}

void frmAxisSizing::startUntitled()
{
    m_comparison = {};
    m_edited.startNew({});
    updateUndo();
    showDocument(0);
    // The axis, move and motor as the boxes read them back, units included:
    // a value typed back to what a new axis held is then no change.
    AxisDocument shown = m_edited.document();
    for (int b = 0; b < DriveBoxCount; ++b)
        readDriveBox(DriveBox(b), shown.axis);
    m_movePane->readInto(shown.axis.motor, shown.move);
    m_motorPane->readInto(shown.axis.motor, shown.move);
    m_motorPane->readMechanismLimits(shown.axis.mechanismLimits);
    m_edited.startNew(shown);
}

void frmAxisSizing::chooseAndOpen()
{
    if (!settleChanges())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open axis"), QFileInfo(filePath()).path(),
        QStringLiteral("Axis files (*.%1);;All files (*)").arg(QLatin1String(AxisFileSuffix)));
    if (!path.isEmpty())
        openFile(path);
}

bool frmAxisSizing::openFile(const QString &path)
{
    const AxisFileRead read = m_edited.open(path);
    if (!read.document) {
        QMessageBox::warning(this, QStringLiteral("Axis sizing"), read.message(path));
        return false;
    }
    m_comparison = {};
    updateUndo();
    showDocument(0);
    m_mnuRecent->remember(path);
    return true;
}

bool frmAxisSizing::save()
{
    return filePath().isEmpty() ? saveAs() : saveFile(filePath());
}

bool frmAxisSizing::saveAs()
{
    const QString path = chosenSavePath(this, QStringLiteral("Save axis"), filePath(),
                                        QStringLiteral("Axis files"), QLatin1String(AxisFileSuffix));
    return !path.isEmpty() && saveFile(path);
}

bool frmAxisSizing::saved(const QString &path, const FileWrite &write)
{
    if (!write.ok)
        QMessageBox::warning(this, QStringLiteral("Axis sizing"), SaveFailureMessage(path, write));
    return write.ok;
}

bool frmAxisSizing::saveFile(const QString &path)
{
    if (!saved(path, m_edited.save(path)))
        return false;
    showTitle();
    m_mnuRecent->remember(path);
    return true;
}

void frmAxisSizing::chooseAndExport()
{
    const QString path =
        chosenSavePath(this, QStringLiteral("Export item table"), QFileInfo(filePath()).path(),
                       QStringLiteral("CSV files"), QStringLiteral("csv"));
    if (!path.isEmpty())
        exportCsv(path);
}

bool frmAxisSizing::exportCsv(const QString &path)
{
    return saved(path, m_edited.exportCsv(path, context().units(), m_results,
                                          m_cmbResultUnits->currentText().trimmed(), m_format->digits()));
}

ReportDocument frmAxisSizing::report() const
{
    const QString subject = m_edited.name();
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    const ReportFigures figures{context().units(), m_cmbResultUnits->currentText(), m_format->digits(),
                                m_format->notation()};
    // The move and the motor's ratings as their boxes show them, every value
    // in the unit beside it.
    Axis axis = this->axis();
    MoveInputs move = this->move();
    m_movePane->readInto(axis.motor, move);
    m_motorPane->readInto(axis.motor, move);
    m_motorPane->readMechanismLimits(axis.mechanismLimits);
    ReportDocument document =
        AxisReport(axis, m_results, figures, subject,
                   locale.toString(now.date(), QLocale::LongFormat) + QStringLiteral(", ") +
                       locale.toString(now.time(), QLocale::ShortFormat));
    AppendMoveReport(document, move, m_movePane->results(), m_movePane->shownUnits(), figures);
    AppendMechanismReport(document, axis, m_movePane->results(), figures);
    // Run again on the axis as it now is, so it never tells of an earlier one.
    if (!m_comparison.motors.empty())
        document.sections.append(CandidateReportSection(this->axis(), this->move(), m_comparison));
    return document;
}

namespace {
// Draws the report's plots as the Move tab shows them.
ReportPlotPainter reportPlots(const MovePane *pane)
{
    MovePlotData data = pane->plotData();
    data.markedMove = -1; // a page shows the cycle, not the move the window edits
    return [data](QPainter &painter, const QRectF &rect, const QString &key) {
        if (key == QLatin1String(MovePlotKey))
            DrawMovePlots(painter, rect, data);
    };
}
} // namespace

bool frmAxisSizing::exportPdf(const QString &path)
{
    // Made in memory, then written whole: a full disk never leaves half a PDF.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    FileWrite written{false, FileExists(path), QString()};
    if (WriteReportPdf(pdf, report(), reportPlots(m_movePane), &written.problem))
        written = WriteFileAtomically(path, pdf.data());
    return saved(path, written);
}

void frmAxisSizing::chooseAndExportPdf()
{
    exportPdfOver(this);
}

void frmAxisSizing::exportPdfOver(QWidget *over)
{
    // Beside the axis file, under its name.
    const QFileInfo axisFile(filePath());
    const QString path = chosenSavePath(
        over, QStringLiteral("Export report as PDF"),
        filePath().isEmpty() ? QString()
                             : axisFile.dir().filePath(axisFile.completeBaseName() + QStringLiteral(".pdf")),
        QStringLiteral("PDF files"), QStringLiteral("pdf"));
    if (!path.isEmpty())
        exportPdf(path);
}

void frmAxisSizing::printReport()
{
    if (PrintReport(this, context(), report(), reportPlots(m_movePane)) == PrintOutcome::Failed)
        QMessageBox::warning(this, QStringLiteral("Axis sizing"),
                             QStringLiteral("The report could not be printed: the printer did not take it."));
}

void frmAxisSizing::openRecent(const QString &path)
{
    if (!FileExists(path)) {
        m_mnuRecent->forget(path);
        QMessageBox::warning(
            this, QStringLiteral("Axis sizing"),
            QStringLiteral("Could not open %1: the file is no longer there (moved, renamed or "
                           "deleted). It is taken off the recent files.")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (settleChanges())
        openFile(path);
}

void frmAxisSizing::openFromOutside(const QString &path)
{
    m_pendingOpen->hand(path);
}

bool frmAxisSizing::settleChanges()
{
    if (!isModified())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
        this, QStringLiteral("Axis sizing"), QStringLiteral("Save the changes to this axis?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void frmAxisSizing::done(int result)
{
    // Every way out of the window (Esc, the close box, Off) passes here
    // first; a close box refused here leaves the window open.
    if (isVisible() && !settleChanges())
        return;
    // Answered once: a close event that follows must not ask again.
    m_edited.dropChanges();
    CalculatorWindow::done(result);
}
