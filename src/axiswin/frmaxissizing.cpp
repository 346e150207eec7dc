#include "axiswin/frmaxissizing.h"

#include "axiswin/axisentry.h"
#include "axiswin/axisitemmodel.h"
#include "axiswin/frmaxisitem.h"
#include "core/fixedtext.h"
#include "core/tags.h"
#include "units/clipboardtext.h"
#include "units/conversiontable.h"
#include "widgets/controlsetup.h"
#include "widgets/digitsnotation.h"
#include "widgets/editviewmenus.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAction>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>

#include <algorithm>
#include <cmath>

namespace {

const QSize CopyKeySize(30, 30);
constexpr int AddableKinds[] = {int(AxisItemKind::PointMass), int(AxisItemKind::Inertia),
                                int(AxisItemKind::ScrewLoad), int(AxisItemKind::BeltLoad)};

QPushButton *keyButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *key = Named(new QPushButton(text, parent), name, QString(), SpokenCaption(text));
    // Enter in a box must not press a key of the window.
    key->setAutoDefault(false);
    return key;
}

NumericEdit *valueBox(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *box = Named(new NumericEdit(parent), name, QString(), spoken);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(ValueFont(parent->font()));
    box->setMinimumWidth(110);
    SelectAllOnFocus(box);
    return box;
}

QComboBox *inertiaUnits(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *list = Named(new QComboBox(parent), name, QString(), spoken);
    SetTag(list, QStringLiteral("UnitType=Inertia;"));
    list->setMinimumContentsLength(11);
    list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return list;
}

// A caption whose mnemonic moves the focus to its box.
QLabel *buddyCaption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

// A value shown in a unit list's unit: the box text and the list's entry.
void showQuantity(const ConversionTableData &table, NumericEdit *box, QComboBox *units,
                  const AxisQuantity &quantity)
{
    const int unit = quantity.unit.isEmpty() ? -1 : units->findText(PadRight(quantity.unit, UnitNameWidth));
    if (unit >= 0)
        units->setCurrentIndex(unit);
    box->setText(
        AxisEntryText(FromBaseUnits(table, quantity.value, units->currentText().trimmed()).value_or(0)));
}

// A box as a quantity; a box that does not read gives a value no figure
// accepts, so the figures that need it fail with its reason.
AxisQuantity readQuantity(const ConversionTableData &table, const NumericEdit *box, const QComboBox *units)
{
    return ReadAxisQuantity(table, box->text(), units->currentText())
        .value_or(AxisQuantity{std::nan(""), units->currentText().trimmed()});
}

double readNumber(const NumericEdit *box)
{
    return ReadAxisNumber(box->text()).value_or(std::nan(""));
}

} // namespace

frmAxisSizing::frmAxisSizing(WindowContext &context, QWidget *parent) : CalculatorWindow(context, parent)
{
    setObjectName(QStringLiteral("frmAxisSizing"));
    setWindowTitle(QStringLiteral("Axis sizing"));
    setAccessibleName(windowTitle());
    AddHelpKey(context, this, QStringLiteral("axis.html"));
    buildControls();
    loadTooltipsOption();
    FillUnitCombos(context.units(), this);
    ApplyDefaultUnits(context.settings(), this);
    connectEvents();
    m_format->load(context.settings(), Settings::Calculator::Axis);
    setAxis(Axis());
    m_savedAxis = m_axis;
    m_loading = false;
    compute();
}

frmAxisSizing::~frmAxisSizing()
{
    saveSettingsOnce();
}

void frmAxisSizing::buildControls()
{
    QMenuBar *menuBar = buildMenus();
    auto *lower = new QHBoxLayout;
    lower->addWidget(buildDrivePane());
    lower->addWidget(buildResultPane(), 1);
    auto *root = new QVBoxLayout(this);
    root->setMenuBar(menuBar);
    root->setContentsMargins(12, 8, 12, 12);
    root->addWidget(buildItemPane(), 1);
    root->addLayout(lower);
    resize(920, 640);
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
    m_tblItems->horizontalHeader()->setSectionResizeMode(AxisItemModel::SummaryColumn, QHeaderView::Stretch);

    m_cmdAdd = keyButton(QStringLiteral("cmdAdd"), QStringLiteral("&Add"), pane);
    auto *addMenu = new QMenu(m_cmdAdd);
    addMenu->setObjectName(QStringLiteral("mnuAdd"));
    for (int kind : AddableKinds) {
        QAction *action = addMenu->addAction(QString::fromUtf8(KindInfo(AxisItemKind(kind)).title));
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
    m_txtGearRatio = valueBox(QStringLiteral("txtGearRatio"), QStringLiteral("Gearbox ratio"), gearbox);
    m_txtGearRatio->setToolTip(QStringLiteral("Motor speed ÷ output speed; 1 for no gearbox"));
    m_txtGearboxInertia =
        valueBox(QStringLiteral("txtGearboxInertia"), QStringLiteral("Gearbox inertia"), gearbox);
    m_cmbGearboxInertiaUnits = inertiaUnits(QStringLiteral("cmbGearboxInertiaUnits"),
                                            QStringLiteral("Gearbox inertia units"), gearbox);
    grid->addWidget(buddyCaption(QStringLiteral("Ratio &i:"), m_txtGearRatio, gearbox), 0, 0);
    grid->addWidget(m_txtGearRatio, 0, 1);
    grid->addWidget(buddyCaption(QStringLiteral("Inertia J&g:"), m_txtGearboxInertia, gearbox), 1, 0);
    grid->addWidget(m_txtGearboxInertia, 1, 1);
    grid->addWidget(m_cmbGearboxInertiaUnits, 1, 2);
    // A pasted "number unit" takes its unit, or it would be read in the list's.
    m_txtGearboxInertia->setUnitList(context().units(), m_cmbGearboxInertiaUnits);

    auto *motor = Named(new QGroupBox(QStringLiteral("Motor"), pane), QStringLiteral("fraMotor"), QString(),
                        QStringLiteral("Motor"));
    grid = paneGrid(motor);
    m_txtRotorInertia = valueBox(QStringLiteral("txtRotorInertia"), QStringLiteral("Rotor inertia"), motor);
    m_cmbRotorInertiaUnits =
        inertiaUnits(QStringLiteral("cmbRotorInertiaUnits"), QStringLiteral("Rotor inertia units"), motor);
    m_txtTargetRatio =
        valueBox(QStringLiteral("txtTargetRatio"), QStringLiteral("Target inertia ratio"), motor);
    grid->addWidget(buddyCaption(QStringLiteral("Rotor inertia J&m:"), m_txtRotorInertia, motor), 0, 0);
    grid->addWidget(m_txtRotorInertia, 0, 1);
    grid->addWidget(m_cmbRotorInertiaUnits, 0, 2);
    m_txtRotorInertia->setUnitList(context().units(), m_cmbRotorInertiaUnits);
    grid->addWidget(buddyCaption(QStringLiteral("&Target ratio:"), m_txtTargetRatio, motor), 1, 0);
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
    m_cmbResultUnits = inertiaUnits(QStringLiteral("cmbResultUnits"), QStringLiteral("Result units"), pane);
    grid->addWidget(buddyCaption(QStringLiteral("Inertia &units:"), m_cmbResultUnits, pane), 0, 2);
    grid->addWidget(m_cmbResultUnits, 0, 3);
    buildResultRow(grid, LoadSide, QStringLiteral("J<sub>L</sub> ="),
                   QStringLiteral("Load-side inertia J L"));
    buildResultRow(grid, Reflected, QStringLiteral("J<sub>L</sub>/i² ="),
                   QStringLiteral("Load-side inertia at the motor, J L over i squared"));
    buildResultRow(grid, AtMotor, QStringLiteral("J<sub>M</sub> ="),
                   QStringLiteral("Inertia at the motor J M"));
    buildResultRow(grid, Ratio, QStringLiteral("λ ="), QStringLiteral("Inertia ratio"));

    m_lblVerdict =
        Named(new QLabel(pane), QStringLiteral("lblVerdict"), QString(), QStringLiteral("Verdict"));
    m_lblVerdict->setWordWrap(true);
    QFont bold = font();
    bold.setBold(true);
    m_lblVerdict->setFont(bold);
    grid->addWidget(m_lblVerdict, 1 + ResultCount, 0, 1, 4);
    m_lblProblem =
        Named(new QLabel(pane), QStringLiteral("lblProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    grid->addWidget(m_lblProblem, 2 + ResultCount, 0, 1, 4);

    grid->addLayout(m_format->buildKeys(pane, CopyKeySize).row, 3 + ResultCount, 0, 1, 4);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4 + ResultCount, 1);
    return pane;
}

void frmAxisSizing::buildResultRow(QGridLayout *grid, Result which, const QString &caption,
                                   const QString &spoken)
{
    ResultControls &row = m_resultRows[which];
    auto *pane = grid->parentWidget();
    auto copyKey = [&](const char *face, const char *array, const QString &hint, const QString &what) {
        auto *key = Named(new PictureButton(QStringLiteral("%1_up").arg(face),
                                            QStringLiteral("%1_down").arg(face), CopyKeySize, pane),
                          QStringLiteral("%1_%2").arg(array).arg(int(which)), hint, what);
        key->setFocusPolicy(Qt::StrongFocus);
        return key;
    };
    row.copyValue =
        copyKey("copyvalue", "cmdCopyValue", QStringLiteral("Click to copy value only to clipboard"),
                QStringLiteral("Copy %1 value to clipboard").arg(spoken));
    row.copyAll =
        copyKey("copyvalueunit", "cmdCopyAll", QStringLiteral("Click to copy value and unit to clipboard"),
                QStringLiteral("Copy %1 and units to clipboard").arg(spoken));
    row.value = Named(new QLabel(pane), QStringLiteral("lblResult_%1").arg(int(which)), QString(), spoken);
    row.value->setFont(ValueFont(font()));
    row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.value->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    row.value->setBackgroundRole(QPalette::Base);
    row.value->setAutoFillBackground(true);
    row.value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row.value->setMinimumSize(180, 25);
    const int gridRow = 1 + int(which);
    grid->addWidget(row.copyValue, gridRow, 0);
    grid->addWidget(row.copyAll, gridRow, 1);
    grid->addWidget(new QLabel(caption, pane), gridRow, 2);
    grid->addWidget(row.value, gridRow, 3);
}

void frmAxisSizing::connectEvents()
{
    for (NumericEdit *box : {m_txtGearRatio, m_txtGearboxInertia, m_txtRotorInertia, m_txtTargetRatio})
        connect(box, &QLineEdit::textChanged, this, &frmAxisSizing::readDrive);
    for (QComboBox *units : {m_cmbGearboxInertiaUnits, m_cmbRotorInertiaUnits})
        connect(units, &QComboBox::currentIndexChanged, this, &frmAxisSizing::readDrive);
    connect(m_cmbResultUnits, &QComboBox::currentIndexChanged, this, &frmAxisSizing::compute);
    connect(m_cmdEdit, &QAbstractButton::clicked, this, &frmAxisSizing::editItem);
    connect(m_cmdDuplicate, &QAbstractButton::clicked, this, &frmAxisSizing::duplicateItem);
    connect(m_cmdRemove, &QAbstractButton::clicked, this, &frmAxisSizing::removeItem);
    connect(m_cmdMoveUp, &QAbstractButton::clicked, this, [this]() { moveItem(-1); });
    connect(m_cmdMoveDown, &QAbstractButton::clicked, this, [this]() { moveItem(1); });
    connect(m_tblItems, &QAbstractItemView::doubleClicked, this, &frmAxisSizing::editItem);
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
        *m_format, [this](bool withUnit) { copyResult(currentResult(), withUnit); }, [this]() { compute(); });
    for (int r = 0; r < ResultCount; ++r) {
        connect(m_resultRows[r].copyValue, &QAbstractButton::clicked, this,
                [this, r]() { copyResult(Result(r), false); });
        connect(m_resultRows[r].copyAll, &QAbstractButton::clicked, this,
                [this, r]() { copyResult(Result(r), true); });
    }
}

void frmAxisSizing::setAxis(const Axis &axis)
{
    const bool loading = m_loading;
    m_loading = true;
    if (m_mnuUndo)
        forgetRemoval();
    m_axis = axis;
    m_txtGearRatio->setText(AxisEntryText(axis.gearbox.ratio));
    showQuantity(context().units(), m_txtGearboxInertia, m_cmbGearboxInertiaUnits, axis.gearbox.inertia);
    showQuantity(context().units(), m_txtRotorInertia, m_cmbRotorInertiaUnits, axis.motor.inertia);
    m_txtTargetRatio->setText(AxisEntryText(axis.motor.targetRatio));
    m_loading = loading;
    // The boxes show the values; the axis keeps them exactly as given.
    compute();
}

void frmAxisSizing::readDrive()
{
    if (m_loading)
        return;
    m_axis.gearbox.ratio = readNumber(m_txtGearRatio);
    m_axis.gearbox.inertia = readQuantity(context().units(), m_txtGearboxInertia, m_cmbGearboxInertiaUnits);
    m_axis.motor.inertia = readQuantity(context().units(), m_txtRotorInertia, m_cmbRotorInertiaUnits);
    m_axis.motor.targetRatio = readNumber(m_txtTargetRatio);
    compute();
}

void frmAxisSizing::compute()
{
    if (m_loading)
        return;
    m_results = ComputeAxis(m_axis);
    const QString unit = m_cmbResultUnits->currentText();
    const int digits = m_format->digits();
    const bool notation = m_format->notation();
    m_model->show(m_axis, m_results, unit, digits, notation);
    const AxisFigure *figures[ResultCount] = {&m_results.loadSide, &m_results.reflected, &m_results.atMotor,
                                              &m_results.ratio};
    // A failed figure shows a dash; why it failed is said in full below the
    // results (the ratio's reason is the verdict itself).
    QString problem;
    for (int r = 0; r < ResultCount; ++r) {
        const AxisFigure &figure = *figures[r];
        QString text = QStringLiteral("\u2014");
        if (figure.ok())
            text = r == Ratio ? AxisNumberText(figure.value(), digits, notation)
                              : AxisFigureText(context().units(), figure, unit, digits, notation);
        else if (problem.isEmpty() && r != Ratio)
            problem = figure.reason();
        ShowValue(m_resultRows[r].value, text);
        m_resultRows[r].value->setToolTip(figure.reason());
        if (!figure.ok())
            m_resultRows[r].value->setAccessibleDescription(text + u' ' + figure.reason());
    }
    ShowValue(m_lblProblem, problem);
    // The words carry the verdict; the colour only repeats it.
    ShowValue(m_lblVerdict, m_results.verdict.text);
    const char *colour = m_results.verdict.level == RatioLevel::Within ? "#1b6e20"
                         : m_results.verdict.level == RatioLevel::Over ? "#b3261e"
                                                                       : nullptr;
    m_lblVerdict->setStyleSheet(colour ? QStringLiteral("color: %1;").arg(QLatin1String(colour)) : QString());
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
    frmAxisItem editor(item, context(), this);
    if (editor.exec() != QDialog::Accepted)
        return std::nullopt;
    return editor.item();
}

void frmAxisSizing::addItem(AxisItemKind kind)
{
    AxisItem item;
    item.kind = kind;
    item.name = QString::fromUtf8(KindInfo(kind).title);
    if (const std::optional<AxisItem> added = editedItem(item)) {
        forgetRemoval();
        m_axis.items.append(*added);
        compute();
        selectRow(int(m_axis.items.size()) - 1);
    }
    m_tblItems->setFocus();
}

void frmAxisSizing::editItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    if (const std::optional<AxisItem> edited = editedItem(m_axis.items.at(row))) {
        forgetRemoval();
        m_axis.items[row] = *edited;
        compute();
        selectRow(row);
    }
    m_tblItems->setFocus();
}

void frmAxisSizing::duplicateItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    forgetRemoval();
    m_axis.items.insert(row + 1, m_axis.items.at(row));
    compute();
    selectRow(row + 1);
}

void frmAxisSizing::removeItem()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_removed = std::pair(row, m_axis.items.takeAt(row));
    m_mnuUndo->setEnabled(true);
    m_mnuUndo->setText(QStringLiteral("&Undo remove \u201c%1\u201d").arg(m_removed->second.name));
    compute();
    selectRow(std::min(row, int(m_axis.items.size()) - 1));
}

void frmAxisSizing::undoRemove()
{
    if (!m_removed)
        return;
    const auto [row, item] = *m_removed;
    forgetRemoval();
    m_axis.items.insert(std::min(row, int(m_axis.items.size())), item);
    compute();
    selectRow(row);
}

void frmAxisSizing::forgetRemoval()
{
    m_removed.reset();
    m_mnuUndo->setEnabled(false);
    m_mnuUndo->setText(QStringLiteral("&Undo remove"));
}

void frmAxisSizing::moveItem(int step)
{
    const int row = currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_axis.items.size())
        return;
    forgetRemoval();
    m_axis.items.swapItemsAt(row, to);
    compute();
    selectRow(to);
}

void frmAxisSizing::copyResult(Result which, bool withUnit)
{
    const QString value = m_resultRows[which].value->text();
    QString text = value;
    if (withUnit)
        text = which == Ratio ? value + QStringLiteral(" : 1")
                              : NumberUnitText(value, QString(), m_cmbResultUnits->currentText());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

frmAxisSizing::Result frmAxisSizing::currentResult() const
{
    // The row whose copy key holds the focus; else the inertia at the motor,
    // the figure the motor is chosen by.
    for (int r = 0; r < ResultCount; ++r) {
        if (m_resultRows[r].copyValue->hasFocus() || m_resultRows[r].copyAll->hasFocus())
            return Result(r);
    }
    return AtMotor;
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
    entry("mnuFileSave", QStringLiteral("&Save"), QKeySequence::Save, &frmAxisSizing::save);
    entry("mnuFileSaveAs", QStringLiteral("Save &As…"), QKeySequence::SaveAs, &frmAxisSizing::saveAs);
    file->addSeparator();
    entry("mnuFileExportCsv", QStringLiteral("&Export CSV…"), QKeySequence::UnknownKey,
          &frmAxisSizing::chooseAndExport);
    menuBar->insertMenu(menuBar->actions().value(0), file);

    QMenu *edit = editViewMenus()->editMenu();
    m_mnuUndo = new QAction(QStringLiteral("&Undo remove"), edit);
    m_mnuUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    m_mnuUndo->setShortcut(QKeySequence::Undo);
    m_mnuUndo->setEnabled(false);
    connect(m_mnuUndo, &QAction::triggered, this, &frmAxisSizing::undoRemove);
    edit->insertAction(edit->actions().value(0), m_mnuUndo);
    edit->insertSeparator(edit->actions().value(1));
}

void frmAxisSizing::showTitle()
{
    const QString name = m_filePath.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(m_filePath).fileName();
    setWindowTitle(
        QStringLiteral("%1%2 \u2014 Axis sizing").arg(name, isModified() ? QStringLiteral("*") : QString()));
}

void frmAxisSizing::newAxis()
{
    if (!settleChanges())
        return;
    m_filePath.clear();
    m_move = MoveInputs();
    setAxis(Axis());
    m_savedAxis = m_axis;
    showTitle();
}

void frmAxisSizing::chooseAndOpen()
{
    if (!settleChanges())
        return;
    const QString path = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open axis"), QFileInfo(m_filePath).path(),
        QStringLiteral("Axis files (*.%1);;All files (*)").arg(QLatin1String(AxisFileSuffix)));
    if (!path.isEmpty())
        openFile(path);
}

bool frmAxisSizing::openFile(const QString &path)
{
    const QString name = QDir::toNativeSeparators(path);
    QFile file(path);
    AxisFileRead read;
    if (!file.open(QIODevice::ReadOnly))
        read.problem = file.errorString();
    else
        read = ReadAxisFile(file);
    if (!read.document) {
        QMessageBox::warning(this, QStringLiteral("Axis sizing"), read.message(name));
        return false;
    }
    m_filePath = path;
    m_move = read.document->move;
    setAxis(read.document->axis);
    m_savedAxis = m_axis;
    showTitle();
    return true;
}

bool frmAxisSizing::save()
{
    return m_filePath.isEmpty() ? saveAs() : saveFile(m_filePath);
}

bool frmAxisSizing::saveAs()
{
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save axis"), m_filePath,
                                     QStringLiteral("Axis files (*.%1)").arg(QLatin1String(AxisFileSuffix)));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + QLatin1String(AxisFileSuffix);
    return saveFile(path);
}

bool frmAxisSizing::writeFile(const QString &path, const std::function<bool(QIODevice &, QString *)> &write)
{
    QString problem;
    QSaveFile file(path);
    bool saved = file.open(QIODevice::WriteOnly);
    if (!saved)
        problem = file.errorString();
    else if (!(saved = write(file, &problem)))
        file.cancelWriting();
    else if (!(saved = file.commit()))
        problem = file.errorString();
    if (!saved)
        QMessageBox::warning(
            this, QStringLiteral("Axis sizing"),
            QStringLiteral("Could not save %1: %2").arg(QDir::toNativeSeparators(path), problem));
    return saved;
}

bool frmAxisSizing::saveFile(const QString &path)
{
    const AxisDocument document{m_axis, m_move};
    if (!writeFile(path, [&document](QIODevice &file, QString *problem) {
            return WriteAxisFile(file, document, problem);
        }))
        return false;
    m_filePath = path;
    m_savedAxis = m_axis;
    showTitle();
    return true;
}

void frmAxisSizing::chooseAndExport()
{
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Export item table"), QFileInfo(m_filePath).path(),
                                     QStringLiteral("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");
    exportCsv(path);
}

bool frmAxisSizing::exportCsv(const QString &path)
{
    const QByteArray bytes = ItemTableCsv(context().units(), m_axis, m_results,
                                          m_cmbResultUnits->currentText().trimmed(), m_format->digits())
                                 .toUtf8();
    return writeFile(path, [&bytes](QIODevice &file, QString *problem) {
        if (file.write(bytes) == bytes.size())
            return true;
        *problem = file.errorString();
        return false;
    });
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
    m_savedAxis = m_axis;
    CalculatorWindow::done(result);
}
