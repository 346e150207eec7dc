#include "densitieswin/frmdensityselect.h"

#include "core/tags.h"
#include "densities/densityedits.h"
#include "densities/materiallistmodel.h"
#include "units/conversiontable.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/digitsscrollbar.h"
#include "widgets/keys.h"
#include "widgets/localiseform.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/resultrow.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QValidator>

#include <algorithm>

namespace {

const QString DesignedCaption = QStringLiteral("Material density select");

// The name box takes only what density.dat can store: Windows-1252
// characters, and a name of at most 20 (trailing padding aside, so a listed
// name, shown with its padding, can still be typed into).
class MaterialNameValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        return IsStorableMaterialName(input) ? Acceptable : Invalid;
    }
};

// Selects the entry whose text is text, as setting a list's text does.
void setListText(QComboBox *list, const QString &text)
{
    const int index = list->findText(text);
    if (index >= 0)
        list->setCurrentIndex(index);
}

QLabel *makeLabel(QWidget *parent, const char *name, const QString &caption, const QString &tag)
{
    auto *control = new QLabel(caption, parent);
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(QString(caption).remove(u':'));
    SetTag(control, tag);
    return control;
}

QPushButton *makeButton(QWidget *parent, const char *name, const QString &caption, const QString &tag,
                        const QString &hint)
{
    auto *control = new QPushButton(caption, parent);
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(QString(caption).remove(u'&'));
    control->setToolTip(hint);
    control->setAutoDefault(false);
    control->setFixedSize(std::max(77, control->sizeHint().width()),
                          std::max(25, control->sizeHint().height()));
    // Hidden buttons keep their place, so the others do not jump between appearances.
    QSizePolicy policy = control->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    control->setSizePolicy(policy);
    EnterClicksWhenFocused(control);
    SetTag(control, tag);
    return control;
}

QComboBox *makeUnitList(QWidget *parent, const char *name, const QString &tag, const QString &accessibleName)
{
    auto *list = new UnitList(UnitNameWidth - 4, parent);
    list->setObjectName(QLatin1String(name));
    list->setAccessibleName(accessibleName);
    SetTag(list, tag);
    return list;
}

// The material list. Its lines all have the font's height and the view's
// width, so rewriting their text (another display unit, digits or notation)
// moves none of them: the list paints again and tells assistive technology,
// without the work a list view otherwise does for each changed line (laying
// out and measuring them all, in time that grows with the table).
class MaterialListView : public QListView
{
public:
    using QListView::QListView;

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles) override
    {
        if (topLeft == bottomRight) {
            QListView::dataChanged(topLeft, bottomRight, roles);
            return;
        }
        viewport()->update();
        if (QAccessible::isActive()) {
            QAccessibleTableModelChangeEvent event(this, QAccessibleTableModelChangeEvent::DataChanged);
            event.setFirstRow(topLeft.row());
            event.setLastRow(bottomRight.row());
            event.setFirstColumn(topLeft.column());
            event.setLastColumn(bottomRight.column());
            QAccessible::updateAccessibility(&event);
        }
    }
};

} // namespace

frmDensitySelect::frmDensitySelect(WindowContext &context, QWidget *parent)
    : CalculatorWindow(context, parent)
{
    setObjectName(QStringLiteral("frmDensitySelect"));
    AddHelpKey(context, this, QStringLiteral("densities.html"));
    SetTag(this, QStringLiteral("FormOffset=1600;"));
    setWindowTitle(DesignedCaption);
    setAccessibleName(DesignedCaption);
    buildControls();
    connectEvents();
    load();
}

frmDensitySelect::~frmDensitySelect()
{
    // A window unloaded without being closed (the program quitting) still
    // keeps its settings.
    saveSettingsOnce();
}

void frmDensitySelect::buildControls()
{
    QMenuBar *menuBar = createMenus({.options = 8, .tooltips = 10, .selectWallpaper = 9});
    // Only Help is offered: the Options menu (its Tooltips entry included), Language,
    // Wallpaper and Search stay hidden.
    for (QAction *hidden : {menus()->mnuOptions, menus()->mnuOptionsSelectLanguage,
                            menus()->mnuOptionsSelectWallpaper, menus()->mnuHelpSearch})
        hidden->setVisible(false);
    menus()->mnuHelpBreak->setObjectName(QStringLiteral("mnuhelpseperator"));
    // Edit > Undo brings back what the last Delete or Save changed in the file.
    auto *editMenu = new QMenu(QStringLiteral("&Edit"), menuBar);
    editMenu->setObjectName(QStringLiteral("mnuEdit"));
    editMenu->setAccessibleName(QStringLiteral("Edit"));
    editMenu->menuAction()->setObjectName(QStringLiteral("mnuEdit"));
    menuBar->insertMenu(menus()->mnuHelp, editMenu);
    m_mnuEditUndo = editMenu->addAction(QStringLiteral("&Undo"));
    m_mnuEditUndo->setObjectName(QStringLiteral("mnuEditUndo"));
    m_mnuEditUndo->setShortcut(QKeySequence::Undo);
    m_mnuEditUndo->setEnabled(false);
    SetTag(editMenu->menuAction(), QString());
    SetTag(m_mnuEditUndo, QString());

    buildKeys();
    buildList();
    buildEntry();
    buildButtons();
    buildDigits();

    m_line1 = new QFrame(this);
    m_line1->setObjectName(QStringLiteral("Line1"));
    m_line1->setAccessibleName(QStringLiteral("Separator"));
    m_line1->setFrameShape(QFrame::HLine);
    m_line1->setFrameShadow(QFrame::Sunken);
    SetTag(m_line1, QString());

    // Designed states: Select and Delete disabled, Save and Cancel hidden.
    m_cmdSelect->setEnabled(false);
    m_cmdDelete->setEnabled(false);
    m_cmdSave->setVisible(false);
    m_cmdCancel->setVisible(false);

    layoutControls(menuBar);
}

// The strip of keys: the logo, Off and On/C.
void frmDensitySelect::buildKeys()
{
    m_picPattern = new QFrame(this);
    m_picPattern->setObjectName(QStringLiteral("picPattern"));
    m_picPattern->setAccessibleName(QStringLiteral("Keys"));
    SetTag(m_picPattern, QString());
    m_imgLogo = createLogo();
    m_imgLogo->setToolTip(QStringLiteral("Velmora, makers of Torvane Toolbar"));
    const QSize keySize(56, 32);
    m_cmdOn = new PictureButton(QStringLiteral("onc_up"), QStringLiteral("onc_down"), keySize, m_picPattern);
    m_cmdOn->setObjectName(QStringLiteral("cmdOn"));
    m_cmdOn->setToolTip(QStringLiteral("Clear selection"));
    m_cmdOn->setAccessibleName(QStringLiteral("On/C: clear selection"));
    m_cmdOff = new PictureButton(QStringLiteral("off_up"), QStringLiteral("off_down"), keySize, m_picPattern);
    m_cmdOff->setObjectName(QStringLiteral("cmdOff"));
    m_cmdOff->setToolTip(QStringLiteral("Exit density select"));
    m_cmdOff->setAccessibleName(QStringLiteral("Off: exit density select"));
    SetTag(m_cmdOn, QString());
    SetTag(m_cmdOff, QString());
}

// The material heading with the display units, and the list of materials.
void frmDensitySelect::buildList()
{
    m_lblMaterialHeading =
        makeLabel(this, "lblMaterialHeading", QStringLiteral("Material"), QStringLiteral("Offset=7;"));
    m_cmbDisplayUnits =
        makeUnitList(this, "cmbDisplayUnits", QStringLiteral("UnitType=Density;Tooltip=1968;"),
                     QStringLiteral("Units for display densities"));
    m_cmbDisplayUnits->setToolTip(QStringLiteral("Click to select displayed units"));

    // Lines are written only for the rows a view asks for, whatever the table's size.
    m_materials = new MaterialListModel(this);
    m_lstMaterials = new MaterialListView(this);
    m_lstMaterials->setModel(m_materials);
    m_lstMaterials->setObjectName(QStringLiteral("lstMaterials"));
    m_lstMaterials->setAccessibleName(QStringLiteral("Materials"));
    m_lstMaterials->setAccessibleDescription(QStringLiteral("Double-click a material to select its density"));
    SetTag(m_lstMaterials, QString());
    m_lstMaterials->setFont(ValueFont(font()));
    m_lstMaterials->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstMaterials->setUniformItemSizes(true);
    m_lstMaterials->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_lstMaterials->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    // Why the table cannot be changed, or why densities cannot be shown.
    m_lblNote = makeLabel(this, "lblNote", QString(), QString());
    m_lblNote->setAccessibleName(QStringLiteral("Note"));
    m_lblNote->setWordWrap(true);
    m_lblNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblNote->setVisible(false);
}

// The name and density boxes with the density's units.
void frmDensitySelect::buildEntry()
{
    m_lblMaterial = makeLabel(this, "lblMaterial", QStringLiteral("Material:"), QStringLiteral("Offset=1;"));
    m_txtMaterial = new QLineEdit(this);
    m_txtMaterial->setObjectName(QStringLiteral("txtMaterial"));
    m_txtMaterial->setAccessibleName(QStringLiteral("Material"));
    m_txtMaterial->setValidator(new MaterialNameValidator(m_txtMaterial));
    SetTag(m_txtMaterial, QString());
    SelectAllOnFocus(m_txtMaterial);
    m_lblMaterial->setBuddy(m_txtMaterial);

    m_label1 = makeLabel(this, "Label1", QStringLiteral("Density:"), QStringLiteral("Offset=2;"));
    auto *density = new NumericEdit(this);
    m_txtDensity = density;
    m_txtDensity->setObjectName(QStringLiteral("txtDensity"));
    m_txtDensity->setAccessibleName(QStringLiteral("Density"));
    m_txtDensity->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    SetTag(m_txtDensity, QString());
    SelectAllOnFocus(m_txtDensity);
    m_cmbDensityUnits = makeUnitList(this, "cmbDensityUnits", QStringLiteral("UnitType=Density;"),
                                     QStringLiteral("Units of the density"));
    // The box speaks its own name; the caption labels the unit list, whose
    // spoken name some desktops make its entry.
    m_label1->setBuddy(m_cmbDensityUnits);
    density->setUnitList(context().units(), m_cmbDensityUnits);
}

void frmDensitySelect::buildButtons()
{
    m_cmdSelect =
        makeButton(this, "cmdSelect", QStringLiteral("&Select"), QStringLiteral("Offset=3;Tooltip=1969;"),
                   QStringLiteral("Click to select the highlighted density"));
    m_cmdAdd = makeButton(this, "cmdAdd", QStringLiteral("&Add"), QStringLiteral("Offset=4;Tooltip=1970;"),
                          QStringLiteral("Click to add a new density record"));
    m_cmdDelete = makeButton(this, "cmdDelete", QStringLiteral("Delete"), QString(),
                             QStringLiteral("Click to delete the highlighted density record"));
    m_cmdSave = makeButton(this, "cmdSave", QStringLiteral("Save"), QStringLiteral("Offset=5;Tooltip=1971;"),
                           QStringLiteral("Click to save changes to density record"));
    m_cmdCancel =
        makeButton(this, "cmdCancel", QStringLiteral("Cancel"), QStringLiteral("Offset=6;Tooltip=1972;"),
                   QStringLiteral("Click to cancel changes to the density record"));
}

// The notation key and the significant-digits box with its arrows.
void frmDensitySelect::buildDigits()
{
    m_cmdNotationMode = new PictureButton(QStringLiteral("notation_off"), QStringLiteral("notation_off"),
                                          QSize(30, 30), this);
    m_cmdNotationMode->setObjectName(QStringLiteral("cmdNotationMode"));
    m_cmdNotationMode->setToolTip(QStringLiteral("Click to turn scientific notation on/off"));
    m_cmdNotationMode->setAccessibleName(QStringLiteral("Scientific notation"));
    m_cmdNotationMode->setCheckable(true);
    SetTag(m_cmdNotationMode, QString());

    m_lblDigits = makeLabel(this, "lblDigits", QStringLiteral("6"), QString());
    m_lblDigits->setAccessibleName(QStringLiteral("Significant digits"));
    m_lblDigits->setAlignment(Qt::AlignCenter);
    m_lblDigits->setFrameShape(QFrame::Panel);
    m_lblDigits->setFrameShadow(QFrame::Sunken);
    m_lblDigits->setFixedSize(m_lblDigits->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 14, 30);
    m_vscrlDigits = new DigitsScrollBar(this);
    m_vscrlDigits->setObjectName(QStringLiteral("vscrlDigits"));
    m_vscrlDigits->setAccessibleName(QStringLiteral("Change displayed significant digits"));
    m_vscrlDigits->setValue(6);
    m_vscrlDigits->setFixedHeight(30);
    m_vscrlDigits->setFocusPolicy(Qt::TabFocus);
    SetTag(m_vscrlDigits, QStringLiteral("Tooltip=1959;"));
}

void frmDensitySelect::layoutControls(QWidget *menuBar)
{
    auto *keys = new QHBoxLayout(m_picPattern);
    keys->setContentsMargins(0, 0, 0, 0);
    keys->addWidget(m_imgLogo, 0, Qt::AlignLeft | Qt::AlignVCenter);
    keys->addStretch(1);
    keys->addWidget(m_cmdOff);
    keys->addWidget(m_cmdOn);

    auto *heading = new QHBoxLayout;
    heading->addWidget(m_lblMaterialHeading);
    heading->addStretch(1);
    heading->addWidget(m_cmbDisplayUnits);

    // Entry rows and buttons share three columns: Select, Save and Cancel
    // over the name and density boxes, Add and Delete under Select.
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->addWidget(m_lblMaterial, 0, 0);
    grid->addWidget(m_txtMaterial, 0, 1, 1, 2);
    grid->addWidget(m_label1, 1, 0);
    grid->addWidget(m_txtDensity, 1, 1);
    grid->addWidget(m_cmbDensityUnits, 1, 2);
    grid->addWidget(m_line1, 2, 0, 1, 3);
    grid->addWidget(m_cmdSelect, 3, 0);
    grid->addWidget(m_cmdSave, 3, 1, Qt::AlignCenter);
    grid->addWidget(m_cmdCancel, 3, 2, Qt::AlignRight);
    grid->addWidget(m_cmdAdd, 4, 0);
    grid->addWidget(m_cmdDelete, 5, 0);
    auto *digits = new QHBoxLayout;
    digits->setSpacing(4);
    digits->addStretch(1);
    digits->addWidget(m_cmdNotationMode);
    digits->addSpacing(8);
    digits->addWidget(m_lblDigits);
    digits->addWidget(m_vscrlDigits);
    grid->addLayout(digits, 4, 1, 2, 2, Qt::AlignRight | Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);

    auto *root = new QVBoxLayout(this);
    root->setMenuBar(menuBar);
    root->setContentsMargins(12, 6, 12, 12);
    root->addWidget(m_picPattern);
    root->addLayout(heading);
    root->addWidget(m_lstMaterials, 1);
    root->addWidget(m_lblNote);
    root->addLayout(grid);

    // Room for the 33-character lines and about fourteen of them.
    const QFontMetrics metrics(m_lstMaterials->font());
    m_lstMaterials->setMinimumSize(metrics.horizontalAdvance(QString(MaterialLineWidth + 1, u'0')) +
                                       m_lstMaterials->verticalScrollBar()->sizeHint().width() + 8,
                                   metrics.height() * 14);
    m_txtMaterial->setMinimumWidth(m_txtMaterial->fontMetrics().horizontalAdvance(QString(22, u'n')));
    resize(sizeHint());

    TabChain({m_imgLogo, m_cmdOff, m_cmdOn, m_cmbDisplayUnits, m_lstMaterials, m_txtMaterial, m_txtDensity,
              m_cmbDensityUnits, m_cmdSelect, m_cmdSave, m_cmdCancel, m_cmdAdd, m_cmdDelete,
              m_cmdNotationMode, m_vscrlDigits});
}

void frmDensitySelect::connectEvents()
{
    // A click on a line, the arrow keys and a selection made by the window
    // itself all fill the boxes; a click on the selected line refills them.
    connect(m_lstMaterials->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmDensitySelect::onListClick);
    connect(m_lstMaterials, &QAbstractItemView::clicked, this, &frmDensitySelect::onListClick);
    connect(m_lstMaterials, &QAbstractItemView::doubleClicked, this, [this]() {
        if (selectedIndex() >= 0)
            onSelect();
    });
    connect(m_cmdSelect, &QPushButton::clicked, this, &frmDensitySelect::onSelect);
    connect(m_cmdAdd, &QPushButton::clicked, this, &frmDensitySelect::onAdd);
    connect(m_cmdSave, &QPushButton::clicked, this, &frmDensitySelect::onSave);
    connect(m_cmdDelete, &QPushButton::clicked, this, &frmDensitySelect::onDelete);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmDensitySelect::onCancel);
    connect(m_cmdOn, &QAbstractButton::clicked, this, &frmDensitySelect::onClear);
    connect(m_cmdOff, &QAbstractButton::clicked, this, [this]() {
        hide();
        accept();
    });
    connect(m_txtMaterial, &QLineEdit::textChanged, this, [this]() { setEditFlag(true); });
    connect(m_txtDensity, &QLineEdit::textChanged, this, [this]() { setEditFlag(true); });
    connect(m_cmbDensityUnits, &QComboBox::currentIndexChanged, this, [this]() { setEditFlag(true); });
    connect(m_cmbDisplayUnits, &QComboBox::currentIndexChanged, this, &frmDensitySelect::onDisplayUnitsClick);
    connect(m_vscrlDigits, &QScrollBar::valueChanged, this, &frmDensitySelect::onDigitsChanged);
    connect(m_cmdNotationMode, &QAbstractButton::clicked, this, &frmDensitySelect::onNotationClick);
    connect(m_mnuEditUndo, &QAction::triggered, this, &frmDensitySelect::onUndo);
}

void frmDensitySelect::load()
{
    m_isLoading = true;
    loadTooltipsOption();
    setNotationMode(context().settings().notationMode(Settings::Calculator::Density));
    setDisplayDigits(context().settings().digits(Settings::Calculator::Density));
    m_vscrlDigits->setValue(m_displayDigits);

    FillUnitCombos(context().units(), this);
    // Choosing the density unit counts as an edit, so the window opens with Save and Cancel shown.
    if (m_cmbDensityUnits->count() > 0)
        m_cmbDensityUnits->setCurrentIndex(0);
    setEditFlag(true);
    if (m_cmbDisplayUnits->count() > 0)
        m_cmbDisplayUnits->setCurrentIndex(0);

    loadTable();
    m_density = 0;
    m_chosen = false;
    // Still loading: a stored default display unit does not fill the list
    // on its own before it is filled below.
    ApplyDefaultUnits(context().settings(), this);
    m_isLoading = false;
    FillMaterialList();
    LocaliseForm(this, context().languageOffset());
    m_lstMaterials->setFocus(Qt::OtherFocusReason);
}

void frmDensitySelect::loadTable()
{
    const QString path = DensityFilePath(context().dataFiles());
    const DensityFileLoad load = LoadDensityFile(path);
    m_table = load.records;
    m_loadProblem = load.message(path);
    setReadOnly(load.readOnly());
}

void frmDensitySelect::setReadOnly(bool on)
{
    // A table read only in part must never be saved over: the materials not read would be lost.
    m_readOnly = on;
    m_txtMaterial->setReadOnly(on);
    m_txtDensity->setReadOnly(on);
    m_cmdAdd->setEnabled(!on);
    m_cmdSave->setEnabled(!on);
    if (on)
        m_cmdDelete->setEnabled(false);
    updateUndo();
    showNote();
}

void frmDensitySelect::showNote()
{
    QString note = m_loadProblem;
    if (note.isEmpty() && !context().units().findName(DensityStorageUnit()))
        note = QStringLiteral("The unit table has no usable kg/m³ unit, so no density can be shown or "
                              "selected. The unit table converts.dat may be damaged.");
    ShowValue(m_lblNote, note);
    m_lblNote->setVisible(!note.isEmpty());
    // A wrapped label's height depends on its width, which the window's own
    // minimum size does not follow: the window grows to show the whole note.
    m_lblNote->setMinimumHeight(note.isEmpty() ? 0
                                               : m_lblNote->heightForWidth(m_lstMaterials->minimumWidth()));
    resize(size().expandedTo(sizeHint()));
}

void frmDensitySelect::updateUndo()
{
    m_mnuEditUndo->setEnabled(!m_readOnly && m_undo.canUndo());
}

void frmDensitySelect::selectRow(qsizetype row)
{
    const QModelIndex line = m_materials->index(int(row));
    if (!line.isValid())
        return;
    m_lstMaterials->setCurrentIndex(line); // fills the boxes from the record
    m_lstMaterials->scrollTo(line);
}

void frmDensitySelect::saveSettings()
{
    context().settings().setDigits(Settings::Calculator::Density, m_displayDigits);
    context().settings().setNotationMode(Settings::Calculator::Density, m_notationMode);
}

void frmDensitySelect::focusHome()
{
    // Focus stays where the user left it; the list takes it when nothing has it.
    QWidget *focused = focusWidget();
    if (!focused || focused == this)
        m_lstMaterials->setFocus(Qt::OtherFocusReason);
}

void frmDensitySelect::keyPressEvent(QKeyEvent *event)
{
    // Esc closes the window, as in every other; an entry being made is saved
    // or dropped first, as the user says.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && entryPending()) {
        const QMessageBox::StandardButtons keys =
            m_readOnly ? QMessageBox::Discard | QMessageBox::Cancel
                       : QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
        const QMessageBox::StandardButton answer =
            QMessageBox::question(this, windowTitle(), QStringLiteral("Save the material you are entering?"),
                                  keys, m_readOnly ? QMessageBox::Cancel : QMessageBox::Save);
        if (answer == QMessageBox::Cancel)
            return;
        if (answer == QMessageBox::Save) {
            onSave();
            if (!m_cmdCancel->isHidden()) // refused: the boxes keep it to put right
                return;
        }
    }
    CalculatorWindow::keyPressEvent(event);
}

bool frmDensitySelect::entryPending() const
{
    if (m_cmdCancel->isHidden())
        return false;
    const QString name = m_txtMaterial->text().trimmed();
    const QString density = m_txtDensity->text().trimmed();
    const int i = selectedIndex();
    if (m_addFlag || i < 0 || i >= m_table.size())
        return !name.isEmpty() || !density.isEmpty();
    // The selected material as its line put it in the boxes is no entry.
    const DensityRecord &record = m_table.at(i);
    return name != record.MaterialName.trimmed() ||
           density != DensityEntryText(context().units(), record, m_cmbDensityUnits->currentText()).trimmed();
}

void frmDensitySelect::showEvent(QShowEvent *event)
{
    CalculatorWindow::showEvent(event);
    if (m_readOnly && !m_readOnlyTold) {
        m_readOnlyTold = true;
        QTimer::singleShot(0, this, &frmDensitySelect::tellIncompleteTable);
    }
}

void frmDensitySelect::tellIncompleteTable()
{
    QMessageBox::warning(this, windowTitle(), m_loadProblem);
}

void frmDensitySelect::setEditFlag(bool on)
{
    m_editFlag = on;
    applyAppearance(on);
}

void frmDensitySelect::setAddFlag(bool on)
{
    m_addFlag = on;
    applyAppearance(on);
}

void frmDensitySelect::applyAppearance(bool editing)
{
    m_cmdAdd->setVisible(!editing);
    m_cmdSelect->setVisible(!editing);
    m_cmdSave->setVisible(editing);
    m_cmdCancel->setVisible(editing);
}

void frmDensitySelect::setDisplayDigits(int digits)
{
    m_displayDigits = std::clamp(digits, 1, 7);
    ShowValue(m_lblDigits, QString::number(m_displayDigits));
}

void frmDensitySelect::setNotationMode(bool on)
{
    m_notationMode = on;
    const QString face = on ? QStringLiteral("notation_on") : QStringLiteral("notation_off");
    m_cmdNotationMode->setFaces(face, face);
    m_cmdNotationMode->setChecked(on);
}

void frmDensitySelect::FillMaterialList()
{
    // The same number of materials in another unit or form is rewritten in
    // place, so the list keeps its scroll range.
    m_materials->show(m_table, MaterialLineFormat(context().units(), m_cmbDisplayUnits->currentText(),
                                                  m_displayDigits, m_notationMode));
    m_lstMaterials->setCurrentIndex(QModelIndex());
    m_lstMaterials->clearSelection();
    m_cmdSelect->setEnabled(false);
    m_cmdDelete->setEnabled(false);
}

int frmDensitySelect::selectedIndex() const
{
    const QModelIndexList selected = m_lstMaterials->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void frmDensitySelect::refillKeepingPlace()
{
    const int selected = selectedIndex();
    const int top = m_lstMaterials->verticalScrollBar()->value();
    FillMaterialList();
    if (selected >= 0)
        m_lstMaterials->setCurrentIndex(m_materials->index(selected)); // fills the boxes in the new unit
    m_lstMaterials->verticalScrollBar()->setValue(top);
}

bool frmDensitySelect::writeTable()
{
    const DensitySaveResult saved = SaveDensityFile(DensityFilePath(context().dataFiles()), m_table);
    if (saved.ok())
        return true;
    // The file is as it was: show what it holds, not the change that failed.
    QMessageBox::warning(this, windowTitle(),
                         saved.message() + QStringLiteral("\n\nThe change was not saved; the list shows "
                                                          "what the file holds."));
    loadTable();
    FillMaterialList();
    return false;
}

void frmDensitySelect::onListClick()
{
    const int i = selectedIndex();
    if (i < 0 || i >= m_table.size())
        return;
    m_cmdSelect->setEnabled(true);
    m_cmdDelete->setEnabled(!m_readOnly);
    const DensityRecord &record = m_table.at(i);
    const QString unit = m_cmbDisplayUnits->currentText();
    m_txtMaterial->setText(record.MaterialName);
    m_txtDensity->setText(DensityEntryText(context().units(), record, unit));
    setListText(m_cmbDensityUnits, unit);
    setEditFlag(false);
}

void frmDensitySelect::onSelect()
{
    const int i = selectedIndex();
    if (i < 0 || i >= m_table.size())
        return;
    const QString units = m_cmbDisplayUnits->currentText();
    const std::optional<float> value = DensityInUnit(context().units(), m_table.at(i), units);
    if (!value) {
        // Never a 0 handed over as if it were the density.
        QMessageBox::warning(
            this, windowTitle(),
            context().units().findName(DensityStorageUnit())
                ? QStringLiteral("The density is too large to be given in %1.").arg(units.trimmed())
                : DensityEntryMessage(DensityEntryError::NoStorageUnit));
        return;
    }
    m_chosen = true;
    m_density = *value;
    m_densityUnits = units;
    CopyText(DensitySelectText(*value, units));
    m_cancelFlag = false;
    hide();
    accept();
}

void frmDensitySelect::onAdd()
{
    if (m_readOnly)
        return;
    setAddFlag(true);
    m_txtMaterial->setFocus(Qt::OtherFocusReason);
}

void frmDensitySelect::onSave()
{
    if (m_readOnly)
        return;
    const DensityEntry entry = ReadDensityEntry(context().units(), m_txtMaterial->text(),
                                                m_txtDensity->text(), m_cmbDensityUnits->currentText());
    if (!entry.ok()) {
        // Nothing is stored; the boxes keep what was typed so it can be put right.
        QMessageBox::warning(this, windowTitle(), DensityEntryMessage(entry.error));
        m_txtDensity->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QList<DensityRecord> before = m_table;
    const qsizetype saved = StoreDensityRecord(
        m_table, DensitySaveSlot(m_addFlag, selectedIndex(), m_table.size()), entry.record);
    setEditFlag(false);
    setAddFlag(false);
    if (!writeTable())
        return;
    m_undo.remember(before);
    updateUndo();
    FillMaterialList();
    selectRow(saved);
}

void frmDensitySelect::onDelete()
{
    if (m_readOnly)
        return;
    const QList<DensityRecord> before = m_table;
    if (!DeleteDensityRecord(m_table, selectedIndex()))
        return;
    FillMaterialList();
    if (writeTable())
        m_undo.remember(before);
    updateUndo();
}

void frmDensitySelect::onUndo()
{
    if (m_readOnly || !m_undo.canUndo())
        return;
    const QList<DensityRecord> replaced = m_table;
    const QList<DensityRecord> restored = m_undo.takeLast();
    m_table = restored;
    setAddFlag(false);
    setEditFlag(false);
    if (!writeTable()) {
        m_undo.restore(restored);
        updateUndo();
        return;
    }
    updateUndo();
    FillMaterialList();
    selectRow(FirstRestoredRecord(m_table, replaced));
}

void frmDensitySelect::onCancel()
{
    m_txtMaterial->clear();
    m_txtDensity->clear();
    onListClick();
    setAddFlag(false);
    setEditFlag(false);
}

void frmDensitySelect::onClear()
{
    m_lstMaterials->setCurrentIndex(QModelIndex());
    m_lstMaterials->clearSelection();
    m_txtMaterial->clear();
    m_txtDensity->clear();
    setAddFlag(false);
}

void frmDensitySelect::onDisplayUnitsClick()
{
    if (m_isLoading)
        return;
    refillKeepingPlace();
}

void frmDensitySelect::onDigitsChanged(int value)
{
    setDisplayDigits(value);
    refillKeepingPlace();
}

void frmDensitySelect::onNotationClick()
{
    setNotationMode(!m_notationMode);
    refillKeepingPlace();
    onListClick();
}
