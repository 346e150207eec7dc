#include "unitcalcwin/frmunitcalculator.h"

#include "core/tags.h"
#include "core/toolbarposition.h"
#include "unitcalc/conversionlist.h"
#include "unitcalcwin/listviewfullwidth.h"
#include "unitcalcwin/unitcalcviews.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"
#include "units/unitlists.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/digitsnotation.h"
#include "widgets/digitsscrollbar.h"
#include "widgets/editviewmenus.h"
#include "widgets/keys.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/selectall.h"
#include "widgets/tooltipsoption.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolBar>
#include <QTreeWidget>

#include <algorithm>
#include <utility>

namespace {

// Zero with the locale's decimal separator: "0.0", or "0,0" under a comma locale.
QString ZeroText()
{
    return FormatWithPattern(0.0, QStringLiteral("0.0"));
}

enum Column { RowTextColumn = 0, ValueColumn = 1, UnitsColumn = 2 };

QFrame *makeFrame(const QString &name, const QString &accessibleName, QWidget *parent)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setAccessibleName(accessibleName);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setFrameShadow(QFrame::Plain);
    return frame;
}

} // namespace

frmUnitCalculator::frmUnitCalculator(WindowContext &context, QWidget *parent)
    : CalculatorWindow(context, parent)
{
    setObjectName(QStringLiteral("frmUnitCalculator"));
    AddHelpKey(context, this, QStringLiteral("unitcalc.html"));
    SetTag(this, QStringLiteral("FormOffset=1100;"));
    setWindowTitle(QStringLiteral("Units Calculator"));
    setAccessibleName(windowTitle());
    buildControls();
    connectEvents();
    load();
}

frmUnitCalculator::~frmUnitCalculator()
{
    // A window unloaded without being closed (the program quitting) still
    // keeps its settings.
    saveSettingsOnce();
}

void frmUnitCalculator::buildControls()
{
    QMenuBar *menuBar = createMenus({.options = 3,
                                     .selectLanguage = 4,
                                     .tooltips = 5,
                                     .selectWallpaper = 11,
                                     .help = 7,
                                     .helpContents = 9,
                                     .helpSearch = 10,
                                     .helpAboutToolbar = 8});
    // Only Help is offered here: Options as a whole, Language and Search stay hidden.
    for (QAction *hidden : {menus()->mnuOptions, menus()->mnuOptionsSelectLanguage, menus()->mnuHelpSearch}) {
        if (hidden)
            hidden->setVisible(false);
    }
    m_format = new DigitsNotation(this);
    createEditViewMenus(menuBar, *m_format)->addDecimalMarks();
    buildToolbar();
    buildDigits();
    buildEntry();
    buildConversionList();
    buildKeys();
    layoutControls(menuBar);
}

// The strip of copy, notation and decimal-style buttons.
void frmUnitCalculator::buildToolbar()
{
    m_tlbrUnitCalc = new QToolBar(this);
    m_tlbrUnitCalc->setObjectName(QStringLiteral("tlbrUnitCalc"));
    m_tlbrUnitCalc->setAccessibleName(QStringLiteral("Units calculator toolbar"));
    m_tlbrUnitCalc->setIconSize(QSize(24, 24));
    m_tlbrUnitCalc->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_tlbrUnitCalc->setMovable(false);
    m_tlbrUnitCalc->setFloatable(false);
    // Each button has a key, so the toolbar works without a mouse; the keys
    // belong to the Edit and View menus, and the hints show them.
    const EditViewMenus *keys = editViewMenus();
    m_copyAll = addToolbarButton(QStringLiteral("CopyAll"), QStringLiteral("copyall"),
                                 QStringLiteral("Click to copy numeric value and units to clipboard"),
                                 QStringLiteral("Tooltip=1955;"), false, keys->mnuEditCopyValueUnit);
    m_copyNumber = addToolbarButton(QStringLiteral("CopyNumber"), QStringLiteral("copynumber"),
                                    QStringLiteral("Click to copy numeric value to clipboard"),
                                    QStringLiteral("Tooltip=1956;"), false, keys->mnuEditCopyValue);
    m_tlbrUnitCalc->addSeparator();
    m_sciNotation = addToolbarButton(QStringLiteral("SciNotation"), QStringLiteral("scinotation"),
                                     QStringLiteral("Turns scientific notation on/off"),
                                     QStringLiteral("Tooltip=1954;"), true, keys->mnuViewNotation);
    m_tlbrUnitCalc->addSeparator();
    m_englishDecimal = addToolbarButton(QStringLiteral("EnglishDecimal"), QStringLiteral("american"),
                                        QStringLiteral("Click to use American-style decimals"),
                                        QStringLiteral("Tooltip=1957;"), true, keys->mnuViewDecimalPoint);
    m_europeanDecimal = addToolbarButton(QStringLiteral("EuropeanDecimal"), QStringLiteral("european"),
                                         QStringLiteral("Click to use European-style decimal"),
                                         QStringLiteral("Tooltip=1958;"), true, keys->mnuViewDecimalComma);
    m_decimalPair = new QActionGroup(this);
    m_decimalPair->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
    m_decimalPair->addAction(m_englishDecimal);
    m_decimalPair->addAction(m_europeanDecimal);
}

// The significant-digits caption, box and arrows beside the toolbar.
void frmUnitCalculator::buildDigits()
{
    m_txtLabel = new QLineEdit(QStringLiteral("# of significant digits:"), this);
    m_txtLabel->setObjectName(QStringLiteral("txtLabel"));
    m_txtLabel->setAccessibleName(m_txtLabel->text());
    m_txtLabel->setReadOnly(true);
    m_txtLabel->setFrame(false);
    m_txtLabel->setFocusPolicy(Qt::NoFocus);
    m_txtLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtLabel->setStyleSheet(QStringLiteral("QLineEdit { background: transparent; }"));
    m_txtLabel->setFixedWidth(m_txtLabel->fontMetrics().horizontalAdvance(m_txtLabel->text()) + 12);

    m_txtDigits = new QLineEdit(this);
    m_txtDigits->setObjectName(QStringLiteral("txtDigits"));
    m_txtDigits->setAccessibleName(QStringLiteral("Significant digits"));
    m_txtDigits->setReadOnly(true);
    m_txtDigits->setFocusPolicy(Qt::NoFocus);
    m_txtDigits->setAlignment(Qt::AlignCenter);
    m_txtDigits->setFixedWidth(m_txtDigits->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16);

    m_vscrlDigits = new DigitsScrollBar(this);
    m_vscrlDigits->setObjectName(QStringLiteral("vscrlDigits"));
    SetTag(m_vscrlDigits, QStringLiteral("Tooltip=1959;"));
    m_vscrlDigits->setAccessibleName(QStringLiteral("Change displayed significant digits"));
    m_vscrlDigits->setFocusPolicy(Qt::TabFocus);
    m_vscrlDigits->setFixedHeight(m_txtDigits->sizeHint().height() + 6);
    m_format->attachScrollBar(m_vscrlDigits);
}

// The unit type list, and the value box with its unit list.
void frmUnitCalculator::buildEntry()
{
    m_frame2 = makeFrame(QStringLiteral("Frame2"), QStringLiteral("Unit types"), this);
    m_cmbUnitTypes = new QListWidget(m_frame2);
    m_cmbUnitTypes->setObjectName(QStringLiteral("cmbUnitTypes"));
    m_cmbUnitTypes->setAccessibleName(QStringLiteral("Unit type"));
    m_cmbUnitTypes->setFrameShape(QFrame::NoFrame);
    m_cmbUnitTypes->setMinimumWidth(
        m_cmbUnitTypes->fontMetrics().horizontalAdvance(QString(20, QLatin1Char('n'))));

    m_frame1 = makeFrame(QStringLiteral("Frame1"), QStringLiteral("Value and unit"), this);
    auto *number = new NumericEdit(m_frame1);
    // Any unit of a listed type: a paste chooses the unit type too.
    number->setPasteUnits(
        context().units(), [this](const PastedUnit &unit) { return unitTypeRow(unit.unitType) >= 0; },
        [this](const PastedUnit &unit) { choosePastedUnit(unit); });
    m_txtNumber = number;
    // Zero as the locale writes it, so a comma locale can read it and the
    // list fills at once when the clipboard brings no value.
    m_txtNumber->setText(ZeroText());
    m_txtNumber->setObjectName(QStringLiteral("txtNumber"));
    SetTag(m_txtNumber, QStringLiteral("Tooltip=1951;"));
    m_txtNumber->setAccessibleName(QStringLiteral("Value to be converted"));
    m_txtNumber->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtNumber->setFont(ValueFont(font()));
    m_txtNumber->setMinimumWidth(180);
    SelectAllOnFocus(m_txtNumber);

    m_cmbUnits = new UnitList(UnitNameWidth, m_frame1);
    m_cmbUnits->setObjectName(QStringLiteral("cmbUnits"));
    SetTag(m_cmbUnits, QStringLiteral("Tooltip=1952;"));
    m_cmbUnits->setAccessibleName(QStringLiteral("Units to convert from"));
}

// The list of conversions: value and unit columns, a hidden row-text column.
void frmUnitCalculator::buildConversionList()
{
    m_frame3 = makeFrame(QStringLiteral("Frame3"), QStringLiteral("Conversions"), this);
    m_lvConversions = new QTreeWidget(m_frame3);
    m_lvConversions->setObjectName(QStringLiteral("lvConversions"));
    m_lvConversions->setAccessibleName(QStringLiteral("Conversions"));
    m_lvConversions->setAccessibleDescription(QStringLiteral("Double-click to copy to clipboard"));
    m_lvConversions->setFrameShape(QFrame::NoFrame);
    m_lvConversions->setColumnCount(3);
    m_lvConversions->setHeaderLabels({QString(), QStringLiteral("Converted Value"), QStringLiteral("Units")});
    m_lvConversions->headerItem()->setTextAlignment(ValueColumn, Qt::AlignRight | Qt::AlignVCenter);
    m_lvConversions->setRootIsDecorated(false);
    m_lvConversions->setItemsExpandable(false);
    m_lvConversions->setUniformRowHeights(true);
    m_lvConversions->setAlternatingRowColors(true);
    m_lvConversions->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lvConversions->setItemDelegateForColumn(ValueColumn,
                                              new ValueColumnDelegate(ValueFont(font()), m_lvConversions));
    QHeaderView *header = m_lvConversions->header();
    header->setMinimumSectionSize(0);
    header->setSectionResizeMode(RowTextColumn, QHeaderView::Fixed);
    header->setStretchLastSection(true);
    header->resizeSection(RowTextColumn, 0);
    header->resizeSection(ValueColumn, 2999 / TwipsPerPixel);
    header->resizeSection(UnitsColumn, 3175 / TwipsPerPixel);
}

// The On/C and Off keys and the logo.
void frmUnitCalculator::buildKeys()
{
    const QSize keySize(56, 32);
    m_cmdOn = new PictureButton(QStringLiteral("onc_up"), QStringLiteral("onc_down"), keySize, this);
    m_cmdOn->setObjectName(QStringLiteral("cmdOn"));
    m_cmdOn->setToolTip(QStringLiteral("Click to clear value"));
    m_cmdOn->setAccessibleName(m_cmdOn->toolTip());
    m_cmdOff = new PictureButton(QStringLiteral("off_up"), QStringLiteral("off_down"), keySize, this);
    m_cmdOff->setObjectName(QStringLiteral("cmdOff"));
    m_cmdOff->setToolTip(QStringLiteral("Click to close the calculator"));
    m_cmdOff->setAccessibleName(m_cmdOff->toolTip());

    m_imgLogo = createLogo();
}

void frmUnitCalculator::layoutControls(QWidget *menuBar)
{
    // Layout: toolbar strip with the digits picker; the type list down the
    // left; keys, value entry and conversions down the right.
    auto *digitsRow = new QHBoxLayout;
    digitsRow->setSpacing(4);
    digitsRow->addWidget(m_tlbrUnitCalc);
    digitsRow->addStretch(1);
    digitsRow->addWidget(m_txtLabel);
    digitsRow->addWidget(m_txtDigits);
    digitsRow->addWidget(m_vscrlDigits);

    auto *typesLayout = new QVBoxLayout(m_frame2);
    typesLayout->setContentsMargins(1, 1, 1, 1);
    typesLayout->addWidget(m_cmbUnitTypes);

    auto *entryLayout = new QHBoxLayout(m_frame1);
    entryLayout->setContentsMargins(8, 8, 8, 8);
    entryLayout->addWidget(m_txtNumber, 1);
    entryLayout->addWidget(m_cmbUnits);

    auto *listLayout = new QVBoxLayout(m_frame3);
    listLayout->setContentsMargins(1, 1, 1, 1);
    listLayout->addWidget(m_lvConversions);

    auto *keysRow = new QHBoxLayout;
    keysRow->addWidget(m_imgLogo, 0, Qt::AlignLeft | Qt::AlignVCenter);
    keysRow->addStretch(1);
    keysRow->addWidget(m_cmdOff);
    keysRow->addWidget(m_cmdOn);

    auto *rightColumn = new QVBoxLayout;
    rightColumn->addLayout(keysRow);
    rightColumn->addWidget(m_frame1);
    rightColumn->addWidget(m_frame3, 1);

    auto *body = new QHBoxLayout;
    body->addWidget(m_frame2);
    body->addLayout(rightColumn, 1);

    auto *root = new QVBoxLayout(this);
    root->setMenuBar(menuBar);
    root->setContentsMargins(8, 4, 8, 8);
    root->addLayout(digitsRow);
    root->addLayout(body, 1);

    const QHeaderView *header = m_lvConversions->header();
    const int listWidth = header->sectionSize(ValueColumn) + header->sectionSize(UnitsColumn) +
                          m_lvConversions->verticalScrollBar()->sizeHint().width() + 8;
    m_frame3->setMinimumWidth(listWidth);
    m_lvConversions->setMinimumHeight(m_lvConversions->fontMetrics().height() * 12);
    resize(sizeHint().expandedTo(QSize(720, 470)));

    // The type list's column, the right column top down, then the digits in
    // the toolbar row.
    TabChain({m_cmbUnitTypes, m_imgLogo, m_cmdOff, m_cmdOn, m_txtNumber, m_cmbUnits, m_lvConversions,
              m_vscrlDigits});
}

QAction *frmUnitCalculator::addToolbarButton(const QString &key, const QString &art, const QString &toolTip,
                                             const QString &tag, bool checkable, QAction *menuEntry)
{
    QAction *action = m_tlbrUnitCalc->addAction(ArtIcon(art), toolTip);
    action->setObjectName(key);
    action->setData(key);
    const QString keys = menuEntry->shortcut().toString(QKeySequence::NativeText);
    action->setToolTip(QStringLiteral("%1 (%2)").arg(toolTip, keys));
    action->setCheckable(checkable);
    SetTag(action, tag);
    connect(action, &QAction::triggered, this, [this, key]() { onToolbarButton(key); });
    // The menu's notation entry works on the display format directly.
    if (menuEntry != editViewMenus()->mnuViewNotation)
        connect(menuEntry, &QAction::triggered, this, [this, key]() { onToolbarButton(key); });
    return action;
}

void frmUnitCalculator::connectEvents()
{
    m_txtLabel->installEventFilter(this);
    m_txtDigits->installEventFilter(this);
    m_txtNumber->installEventFilter(this);
    m_lvConversions->installEventFilter(this);

    connect(m_txtNumber, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (!text.isEmpty())
            refresh();
    });
    connect(m_cmbUnitTypes, &QListWidget::currentRowChanged, this, &frmUnitCalculator::onUnitTypeChosen);
    connect(m_cmbUnits, &QComboBox::currentIndexChanged, this, [this](int) { refresh(); });
    connect(m_format, &DigitsNotation::digitsChanged, this, &frmUnitCalculator::onDigitsChanged);
    connect(m_format, &DigitsNotation::digitsShown, m_txtDigits,
            [this](int digits) { m_txtDigits->setText(QString::number(digits)); });
    connect(m_format, &DigitsNotation::notationShown, m_sciNotation, &QAction::setChecked);
    connect(m_format, &DigitsNotation::notationChanged, this, [this]() {
        refresh();
        focusHome();
    });
    // Edit > Paste pastes into the value box as its keys do, saying there why a text is refused.
    connect(editViewMenus()->mnuEditPaste, &QAction::triggered, this, [this]() {
        static_cast<NumericEdit *>(m_txtNumber)
            ->pasteNumber(QGuiApplication::clipboard()->text(), ClipboardTextDecimalMark());
    });

    // Focus goes back to the value after a mouse choice only, so the lists
    // can still be walked with the arrow keys. The unit list raises the same
    // signal for keys (arrows, first letters, Enter in the open list) and the
    // wheel, so a mouse release in its open list marks the choice as a click
    // and every key or wheel turn clears the mark.
    connect(m_cmbUnitTypes, &QListWidget::clicked, this, &frmUnitCalculator::focusNumberUnlessLoading);
    // The open list is watched, so it is built here, before the filter on
    // the unit list itself sees the events of its building.
    m_cmbUnits->view()->installEventFilter(this);
    m_cmbUnits->view()->viewport()->installEventFilter(this);
    m_cmbUnits->installEventFilter(this);
    connect(m_cmbUnits, &QComboBox::activated, this, [this]() {
        if (std::exchange(m_unitClicked, false))
            focusNumberUnlessLoading();
    });
    connect(m_lvConversions, &QTreeWidget::clicked, this, &frmUnitCalculator::focusNumberUnlessLoading);
    connect(m_lvConversions, &QTreeWidget::doubleClicked, this, [this]() {
        if (selectedRow())
            chooseSelectedRow();
    });

    connect(m_cmdOn, &QAbstractButton::clicked, this, &frmUnitCalculator::onClear);
    connect(m_cmdOff, &QAbstractButton::clicked, this, &frmUnitCalculator::closeAsOff);
}

void frmUnitCalculator::load()
{
    m_isLoading = true;
    ListViewFullWidth(context(), m_lvConversions);

    const Settings &settings = context().settings();
    m_format->load(settings, Settings::Calculator::Units);
    // Until the user picks a convention, the list writes the decimal mark the
    // value box does, so the two agree on the first start in every locale.
    const bool chosen = !settings.text(Settings::Key::UnitsUsConvention).isEmpty();
    setUSConvention(chosen ? settings.usConvention() : LocaleDecimalSeparator() == QLatin1Char('.'));
    loadTooltipsOption();

    FillUnitTypesList();
    if (m_cmbUnitTypes->count() > 0)
        selectUnitTypeRow(0);

    PasteFromClipboard();
    m_isLoading = false;
    refresh();
}

void frmUnitCalculator::saveSettings()
{
    Settings &settings = context().settings();
    m_format->save(settings, Settings::Calculator::Units);
    settings.setUsConvention(m_usConvention);
}

void frmUnitCalculator::setUSConvention(bool on)
{
    m_usConvention = on;
    (on ? m_englishDecimal : m_europeanDecimal)->setChecked(true);
    (on ? m_europeanDecimal : m_englishDecimal)->setChecked(false);
    editViewMenus()->showDecimalPoint(on);
}

int frmUnitCalculator::displayDigits() const
{
    return m_format->digits();
}

void frmUnitCalculator::setDisplayDigits(int digits)
{
    m_format->setDigits(digits);
}

bool frmUnitCalculator::notationMode() const
{
    return m_format->notation();
}

void frmUnitCalculator::setNotationMode(bool on)
{
    m_format->setNotation(on);
}

void frmUnitCalculator::FillUnitTypesList()
{
    const QSignalBlocker blocker(m_cmbUnitTypes);
    m_cmbUnitTypes->clear();
    m_cmbUnitTypes->addItems(context().units().unitTypes());
}

void frmUnitCalculator::FillUnitsList(const QString &unitType)
{
    const QSignalBlocker blocker(m_cmbUnits);
    m_cmbUnits->clear();
    m_cmbUnits->addItems(UnitsOfExactType(context().units(), unitType));
}

void frmUnitCalculator::RefreshConversions(const QString &unitType, const QString &unit,
                                           const QString &number)
{
    if (m_isLoading)
        return;
    const ConversionTableData &table = context().units();
    const ConversionTableReport &report = table.report();
    ConversionProblem problem = ConversionProblem::None;
    std::optional<QList<ConversionRow>> rows;
    if (!table.records().isEmpty())
        rows = ComputeConversionRows(table, unitType, unit, number,
                                     ConversionDisplay{displayDigits(), notationMode(), m_usConvention},
                                     &problem);
    // A new value for the same units (a keystroke) rewrites only the values.
    if (rows && !report.hasProblem() && updateValuesInPlace(*rows))
        return;
    m_lvConversions->setUpdatesEnabled(false);
    m_lvConversions->clear();
    if (table.records().isEmpty()) {
        showMessageRow(report.hasProblem()
                           ? report.message()
                           : QStringLiteral("The unit table %1 holds no units.").arg(report.fileName));
    } else if (rows) {
        QList<QTreeWidgetItem *> items;
        items.reserve(rows->size());
        for (const ConversionRow &row : *rows)
            items.append(new QTreeWidgetItem(QStringList{QString(), row.value, row.unitName}));
        m_lvConversions->addTopLevelItems(items);
        if (!items.isEmpty())
            m_lvConversions->setCurrentItem(items.first());
    }
    if (problem == ConversionProblem::OutOfRange)
        showMessageRow(QStringLiteral("Out of range: the value is too large to convert."));
    // A table that loaded only in part says so under the results.
    if (!table.records().isEmpty() && report.hasProblem())
        showMessageRow(report.message());
    m_lvConversions->setUpdatesEnabled(true);
}

bool frmUnitCalculator::updateValuesInPlace(const QList<ConversionRow> &rows)
{
    // Only when the list holds exactly these units in this order and no message row.
    if (rows.isEmpty() || m_lvConversions->topLevelItemCount() != rows.size())
        return false;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const QTreeWidgetItem *item = m_lvConversions->topLevelItem(int(i));
        if (!item->text(RowTextColumn).isEmpty() || item->text(UnitsColumn) != rows[i].unitName)
            return false;
    }
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_lvConversions->topLevelItem(int(i))->setText(ValueColumn, rows[i].value);
    // The first row selected and in view, as after a fresh list.
    m_lvConversions->setCurrentItem(m_lvConversions->topLevelItem(0));
    m_lvConversions->scrollToTop();
    return true;
}

void frmUnitCalculator::showMessageRow(const QString &text)
{
    auto *item = new QTreeWidgetItem(QStringList{text});
    item->setToolTip(RowTextColumn, text); // the whole text when the row is too narrow for it
    item->setFlags(Qt::ItemIsEnabled);
    m_lvConversions->addTopLevelItem(item);
    item->setFirstColumnSpanned(true);
}

void frmUnitCalculator::PasteFromClipboard()
{
    // Taken only when the whole text is one number with at most one known
    // unit, as a paste into the box is; otherwise the window opens as it
    // would with an empty clipboard.
    const PasteReading reading = ReadPastedText(
        QGuiApplication::clipboard()->text(), LocaleDecimalSeparator(), &context().units(),
        [this](const PastedUnit &unit) { return unitTypeRow(unit.unitType) >= 0; },
        ClipboardTextDecimalMark());
    if (reading.problem != PasteProblem::None)
        return;
    if (!reading.parts.separator.isEmpty())
        m_copySeparator = reading.parts.separator;
    // A number too large to hold stays, so the list can say it is out of range.
    m_txtNumber->setText(reading.parts.numberText);
    if (reading.unit)
        choosePastedUnit(*reading.unit);
}

int frmUnitCalculator::unitTypeRow(const QString &unitType) const
{
    for (int row = 0; row < m_cmbUnitTypes->count(); ++row) {
        if (m_cmbUnitTypes->item(row)->text() == unitType)
            return row;
    }
    return -1;
}

void frmUnitCalculator::choosePastedUnit(const PastedUnit &unit)
{
    const int typeRow = unitTypeRow(unit.unitType);
    if (typeRow < 0)
        return;
    selectUnitTypeRow(typeRow);
    // An alias whose SameAs names no listed unit lands on the first unit.
    selectUnitIndex(std::max(0, m_cmbUnits->findText(unit.unitToSelect)));
}

QTreeWidgetItem *frmUnitCalculator::selectedRow() const
{
    const QList<QTreeWidgetItem *> selected = m_lvConversions->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void frmUnitCalculator::CopySelectedValue()
{
    const QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    SetNumberClipboardText(row->text(ValueColumn), rowDecimalMark());
}

void frmUnitCalculator::CopySelectedValueAndUnits()
{
    const QTreeWidgetItem *row = selectedRow();
    if (!row)
        return;
    if (m_copySeparator.isEmpty())
        m_copySeparator = QStringLiteral(" ");
    SetNumberClipboardText(NumberUnitText(row->text(ValueColumn), m_copySeparator, row->text(UnitsColumn)),
                           rowDecimalMark());
}

void frmUnitCalculator::refresh()
{
    const QListWidgetItem *type = m_cmbUnitTypes->currentItem();
    RefreshConversions(type ? type->text() : QString(), m_cmbUnits->currentText(), m_txtNumber->text());
}

void frmUnitCalculator::focusHome()
{
    m_txtNumber->setFocus(Qt::OtherFocusReason);
}

void frmUnitCalculator::focusNumberUnlessLoading()
{
    if (!m_isLoading)
        focusHome();
}

void frmUnitCalculator::selectUnitTypeRow(int row)
{
    // Choosing the entry already chosen still runs the choice, as a click does.
    if (m_cmbUnitTypes->currentRow() == row)
        onUnitTypeChosen(row);
    else
        m_cmbUnitTypes->setCurrentRow(row);
}

void frmUnitCalculator::selectUnitIndex(int index)
{
    if (m_cmbUnits->currentIndex() == index)
        refresh();
    else
        m_cmbUnits->setCurrentIndex(index);
}

void frmUnitCalculator::onUnitTypeChosen(int row)
{
    if (row < 0)
        return;
    FillUnitsList(m_cmbUnitTypes->item(row)->text());
    // A type without display units leaves nothing to select; the list then empties.
    if (m_cmbUnits->count() > 0)
        selectUnitIndex(0);
    else
        refresh();
}

void frmUnitCalculator::onDigitsChanged()
{
    refresh();
    // A keyboard user stepping the digits keeps the focus on the scroll bar.
    if (!m_vscrlDigits->hasFocus())
        focusNumberUnlessLoading();
}

void frmUnitCalculator::onToolbarButton(const QString &key)
{
    if (key == QLatin1String("CopyNumber")) {
        CopySelectedValue();
    } else if (key == QLatin1String("CopyAll")) {
        CopySelectedValueAndUnits();
    } else if (key == QLatin1String("SciNotation")) {
        m_format->toggleNotation();
    } else if (key == QLatin1String("EnglishDecimal")) {
        setUSConvention(true);
        refresh();
    } else if (key == QLatin1String("EuropeanDecimal")) {
        setUSConvention(false);
        refresh();
    }
    focusHome();
}

void frmUnitCalculator::onClear()
{
    m_txtNumber->setText(ZeroText());
    focusHome();
}

void frmUnitCalculator::closeAsOff()
{
    hide();
    accept();
}

void frmUnitCalculator::chooseSelectedRow()
{
    CopySelectedValueAndUnits();
    closeAsOff();
}

bool frmUnitCalculator::eventFilter(QObject *watched, QEvent *event)
{
    // Runs before the unit list's own handling, which makes the choice.
    if (watched == m_cmbUnits->view()->viewport() && event->type() == QEvent::MouseButtonRelease)
        m_unitClicked = true;
    else if ((watched == m_cmbUnits || watched == m_cmbUnits->view()) &&
             (event->type() == QEvent::KeyPress || event->type() == QEvent::Wheel))
        m_unitClicked = false;
    if ((watched == m_txtLabel || watched == m_txtDigits) && event->type() == QEvent::FocusIn)
        focusHome();
    // Enter on a row does what a double-click does.
    if (watched == m_lvConversions && event->type() == QEvent::KeyPress &&
        IsEnterKey(static_cast<QKeyEvent *>(event)) && selectedRow()) {
        chooseSelectedRow();
        return true;
    }
    // Ctrl+C in the list copies the selected row as value and unit, as the copy
    // button does, instead of the view's own copy of its (empty) current cell.
    if (watched == m_lvConversions && event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    if (watched == m_lvConversions && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        CopySelectedValueAndUnits();
        return true;
    }
    return CalculatorWindow::eventFilter(watched, event);
}
