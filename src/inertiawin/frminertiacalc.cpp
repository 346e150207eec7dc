#include "inertiawin/frminertiacalc.h"

#include "core/fixedtext.h"
#include "core/stringtable.h"
#include "core/tags.h"
#include "densitieswin/frmdensityselect.h"
#include "inertia/inertiarows.h"
#include "inertiawin/frmsetdefaultunits.h"
#include "inertiawin/inertiapickpane.h"
#include "units/clipboardtext.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/controlsetup.h"
#include "widgets/digitsnotation.h"
#include "widgets/digitsscrollbar.h"
#include "widgets/localiseform.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/resultrow.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int FormOffset = 1200;
const QSize PictureSize(221, 181);
const QSize PowerKeySize(56, 32);

// Rows of the input grid (row 0 holds the logo and the keys), by
// InertiaInput. Radius and height share a row, and so do width and outside
// diameter: no shape shows both.
constexpr int InputGridRow[InertiaInputCount] = {2, 3, 4, 4, 5, 6, 6, 7};
constexpr int ResultUnitsGridRow = 9;
enum InputColumn { OptionColumn, CaptionColumn, FindColumn, BoxColumn, UnitsColumn };

// The caption labels of a result row ("I", its subscript and "="): Label1 to
// Label9 for Ixx, Iyy and Izz, items 0 to 2 of an array for each end axis.
QString resultCaptionName(InertiaAxis axis, int part)
{
    if (axis == InertiaAxis::IxxEnd || axis == InertiaAxis::IyyEnd)
        return QStringLiteral("%1_%2")
            .arg(axis == InertiaAxis::IxxEnd ? "lblIxxCaption" : "lblIyyPrimeCaption")
            .arg(part);
    return QStringLiteral("Label%1").arg(int(axis) * 3 + part + 1);
}

QString designedCaption(int offset)
{
    return StringById(FormOffset + offset).value_or(QString());
}

// A row of widgets pushed to the right.
QHBoxLayout *rightAligned(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addStretch(1);
    for (QWidget *widget : widgets)
        row->addWidget(widget);
    return row;
}

QLabel *captionLabel(const QString &name, const QString &text, QWidget *parent)
{
    return Named(KeepPlaceWhenHidden(new QLabel(text, parent)), name);
}

QComboBox *unitList(const QString &name, const QString &tag, QWidget *parent)
{
    // Room for the longest unit name; the padding spaces need none.
    auto *list = Named(KeepPlaceWhenHidden(new UnitList(11, parent)), name);
    SetTag(list, tag);
    return list;
}

} // namespace

frmInertiaCalc::frmInertiaCalc(WindowContext &context, QWidget *parent) : CalculatorWindow(context, parent)
{
    setObjectName(QStringLiteral("frmInertiaCalc"));
    AddHelpKey(context, this, QStringLiteral("inertia.html"));
    SetTag(this, QStringLiteral("FormOffset=%1;").arg(FormOffset));
    setWindowTitle(StringById(FormOffset).value_or(QStringLiteral("Inertia calculator")));
    setAccessibleName(windowTitle());
    buildControls();
    connectEvents();
    load();
}

frmInertiaCalc::~frmInertiaCalc()
{
    // A window unloaded without being closed (the program quitting) still
    // keeps its settings.
    saveSettingsOnce();
}

void frmInertiaCalc::buildControls()
{
    QMenuBar *menuBar = buildMenus();

    // Controls are made in tab order: the shape, the rows top down, the
    // results, then the display keys.
    m_cmbShape = Named(new QComboBox(this), QStringLiteral("cmbShape"),
                       QStringLiteral("Click to select appropriate shape "), QStringLiteral("Shape"));
    SetTag(m_cmbShape, QStringLiteral("Tooltip=1962;"));
    m_cmbShape->setFixedWidth(PictureSize.width());
    m_picShape = Named(new QLabel(this), QStringLiteral("picShape"));
    m_picShape->setFixedSize(PictureSize);
    auto *pictureColumn = new QVBoxLayout;
    pictureColumn->addWidget(m_cmbShape);
    pictureColumn->addWidget(m_picShape);
    pictureColumn->addStretch(1);

    QGridLayout *inputRows = buildInputRows();
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(12);
    grid->addLayout(inputRows, 0, 0);
    grid->addLayout(pictureColumn, 0, 1);
    grid->addLayout(buildResultRows(int(InertiaAxis::Ixx), int(InertiaAxis::Izz)), 1, 0);
    QGridLayout *endAxes = buildResultRows(int(InertiaAxis::IxxEnd), int(InertiaAxis::IyyEnd));
    grid->addLayout(endAxes, 1, 1);
    // Why the results are invalid, when they are; the line keeps its place.
    m_lblInputProblem = Named(new QLabel(this), QStringLiteral("lblInputProblem"), QString(),
                              QStringLiteral("Input problem"));
    m_lblInputProblem->setMinimumHeight(m_lblInputProblem->fontMetrics().height());
    grid->addWidget(m_lblInputProblem, 2, 0, 1, 2);

    buildDigitKeys(endAxes);

    m_cmdOff =
        Named(new PictureButton(QStringLiteral("off_up"), QStringLiteral("off_down"), PowerKeySize, this),
              QStringLiteral("cmdOff"), QStringLiteral("Click to exit calculator"));
    m_cmdOn =
        Named(new PictureButton(QStringLiteral("onc_up"), QStringLiteral("onc_down"), PowerKeySize, this),
              QStringLiteral("cmdOn"), QStringLiteral("Click to clear value"));
    m_imgLogo = createLogo();
    m_imgLogo->setToolTip(m_imgLogo->accessibleName());
    inputRows->addWidget(m_imgLogo, 0, OptionColumn, 1, BoxColumn + 1, Qt::AlignLeft | Qt::AlignVCenter);
    inputRows->addLayout(rightAligned({m_cmdOff, m_cmdOn}), 0, UnitsColumn);

    m_cmdCompute = Named(new QPushButton(QStringLiteral("Compute"), this), QStringLiteral("cmdCompute"),
                         QString(), QStringLiteral("Compute"));
    m_cmdCompute->setAutoDefault(false);
    m_cmdCompute->hide();

    auto *root = new QVBoxLayout(this);
    root->setMenuBar(menuBar);
    root->setContentsMargins(12, 8, 12, 12);
    root->addLayout(grid);
    root->setSizeConstraint(QLayout::SetFixedSize);
    setTabOrderByLayout();
    input(InertiaInput::Density).box->setFocus();
}

// Tab follows the layout: the keys and the shape list across the top, the
// input rows top down, the results row by row, then the display keys.
void frmInertiaCalc::setTabOrderByLayout()
{
    QList<QWidget *> order{m_imgLogo, m_cmdOff, m_cmdOn, m_cmbShape, m_optDensity, m_cmdFindDensity};
    for (int i = 0; i < InertiaInputCount; ++i) {
        if (i == int(InertiaInput::Mass))
            order << m_optMass;
        order << m_inputs[i].box << m_inputs[i].units;
    }
    order << m_cmbResultUnits;
    // The centre axes down the left, the end axes beside the first two.
    for (InertiaAxis axis :
         {InertiaAxis::Ixx, InertiaAxis::IxxEnd, InertiaAxis::Iyy, InertiaAxis::IyyEnd, InertiaAxis::Izz})
        order << m_results[std::size_t(axis)].copyValue << m_results[std::size_t(axis)].copyAll;
    TabChain(order << findChild<QWidget *>(QStringLiteral("cmdNotationMode"))
                   << findChild<QWidget *>(QStringLiteral("vscrlDigits")));
}

// The menus: of Options only "Set default units" is shown.
QMenuBar *frmInertiaCalc::buildMenus()
{
    QMenuBar *menuBar =
        createMenus({.options = 1, .selectLanguage = 2, .tooltips = 14, .selectWallpaper = 15});
    CalculatorMenus *m = menus();
    m_mnuSetDefaultUnits = new QAction(designedCaption(3), m->optionsMenu());
    m_mnuSetDefaultUnits->setObjectName(QStringLiteral("mnuSetDefaultUnits"));
    SetTag(m_mnuSetDefaultUnits, QStringLiteral("Offset=3;"));
    m->optionsMenu()->insertAction(m->mnuOptionsSelectWallpaper, m_mnuSetDefaultUnits);
    // Of the Options menu only "Set default units" is offered; the Tooltips
    // option is kept through the settings alone.
    for (QAction *hidden :
         {m->mnuOptionsSelectLanguage, m->mnuOptionsTooltips, m->mnuOptionsSelectWallpaper, m->mnuHelpSearch})
        hidden->setVisible(false);
    m->mnuHelpBreak->setObjectName(QStringLiteral("mnuHelpSeperator"));
    m_format = new DigitsNotation(this);
    createEditViewMenus(menuBar, *m_format);
    return menuBar;
}

// Scientific notation and the significant digits, under the end axes' results.
void frmInertiaCalc::buildDigitKeys(QGridLayout *endAxes)
{
    const DigitsNotation::Keys keys = m_format->buildKeys(this, CopyKeySize);
    SetTag(keys.notation, QStringLiteral("Tooltip=1954;"));
    SetTag(keys.digits, QStringLiteral("Tooltip=Number of significant digits;"));
    SetTag(keys.bar, QStringLiteral("Tooltip=1959;"));
    endAxes->addLayout(keys.row, 2, 0, 1, 4);
}

QGridLayout *frmInertiaCalc::buildInputRows()
{
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(4);
    rows->setRowMinimumHeight(1, 8);
    for (int i = 0; i < InertiaInputCount; ++i) {
        const int gridRow = InputGridRow[i];
        // The two option rows carry their option button (and the density
        // its find button) before the caption; dimension captions take that
        // column too.
        if (i == int(InertiaInput::Density)) {
            m_optDensity = Named(KeepPlaceWhenHidden(new QRadioButton(this)), QStringLiteral("optDensity"));
            m_cmdFindDensity =
                Named(new QToolButton(this), QStringLiteral("cmdFindDensity"),
                      QStringLiteral("Click to view density reference"), QStringLiteral("Find density"));
            m_cmdFindDensity->setIcon(ArtIcon(QStringLiteral("density_up")));
            m_cmdFindDensity->setIconSize(QSize(17, 17));
            m_cmdFindDensity->setFixedSize(23, 23);
            m_cmdFindDensity->setEnabled(false);
            rows->addWidget(m_optDensity, gridRow, OptionColumn);
            rows->addWidget(m_cmdFindDensity, gridRow, FindColumn);
        } else if (i == int(InertiaInput::Mass)) {
            m_optMass = Named(new QRadioButton(this), QStringLiteral("optMass"));
            rows->addWidget(m_optMass, gridRow, OptionColumn);
        }
        buildInputRow(InertiaInput(i));
        const InputControls &row = m_inputs[i];
        if (i == int(InertiaInput::Density) || i == int(InertiaInput::Mass))
            rows->addWidget(row.caption, gridRow, CaptionColumn, 1, i == 0 ? 1 : 2);
        else
            rows->addWidget(row.caption, gridRow, OptionColumn, 1, 3);
        rows->addWidget(row.box, gridRow, BoxColumn);
        rows->addWidget(row.units, gridRow, UnitsColumn);
    }

    m_label19 = captionLabel(QStringLiteral("Label19"), designedCaption(13), this);
    SetTag(m_label19, QStringLiteral("Offset=13;"));
    m_cmbResultUnits =
        unitList(QStringLiteral("cmbResultUnits"), QStringLiteral("UnitType=Inertia;Tooltip=1961;"), this);
    m_cmbResultUnits->setToolTip(QStringLiteral("Click to change displayed units"));
    rows->setRowStretch(ResultUnitsGridRow - 1, 1);
    rows->setRowMinimumHeight(ResultUnitsGridRow - 1, 10);
    rows->addWidget(m_label19, ResultUnitsGridRow, OptionColumn, 1, 3);
    rows->addWidget(m_cmbResultUnits, ResultUnitsGridRow, BoxColumn, 1, 2);
    return rows;
}

void frmInertiaCalc::buildInputRow(InertiaInput which)
{
    const InertiaInputRow &design = InputRow(which);
    InputControls &row = input(which);
    row.caption =
        captionLabel(QString::fromLatin1(design.caption), designedCaption(design.captionOffset), this);
    SetTag(row.caption, QStringLiteral("Offset=%1;").arg(design.captionOffset));

    row.box = Named(KeepPlaceWhenHidden(new NumericEdit(this)), QString::fromLatin1(design.textBox));
    SetTag(row.box, QStringLiteral("Default=0.0;"));
    row.box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.box->setFont(ValueFont(font()));
    row.box->setFixedWidth(1395 / 15);
    SelectAllOnFocus(row.box);
    row.box->installEventFilter(this);

    row.units = unitList(QString::fromLatin1(design.unitList),
                         QStringLiteral("UnitType=%1;").arg(QString::fromLatin1(design.unitType)), this);
    row.box->setUnitList(context().units(), row.units);
}

QGridLayout *frmInertiaCalc::buildResultRows(int firstAxis, int lastAxis)
{
    auto *rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    rows->setVerticalSpacing(10);
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setItalic(true);
    serif.setPointSizeF(font().pointSizeF() * 1.5);
    QFont subscript = serif;
    subscript.setPointSizeF(font().pointSizeF() * 1.05);

    for (int a = firstAxis; a <= lastAxis; ++a) {
        buildResultRow(InertiaAxis(a));
        ResultControls &row = m_results[a];
        auto *caption = new QHBoxLayout;
        caption->setSpacing(1);
        for (int part = 0; part < 3; ++part) {
            row.caption[part]->setFont(part == 1 ? subscript : serif);
            caption->addWidget(row.caption[part], 0, part == 1 ? Qt::AlignBottom : Qt::AlignVCenter);
            if (part == 1)
                caption->addSpacing(4);
        }
        caption->addStretch(1);
        const int gridRow = a - firstAxis;
        rows->addWidget(row.copyValue, gridRow, 0);
        rows->addWidget(row.copyAll, gridRow, 1);
        rows->addLayout(caption, gridRow, 2);
        rows->addWidget(row.value, gridRow, 3);
    }
    rows->setColumnMinimumWidth(2, QFontMetrics(serif).horizontalAdvance(QStringLiteral("I y'y' =")) + 8);
    rows->setColumnStretch(3, 1);
    return rows;
}

void frmInertiaCalc::buildResultRow(InertiaAxis axis)
{
    const int a = int(axis);
    const InertiaResultRow &design = ResultRow(axis);
    const QString name = QStringLiteral("I") + QString::fromUtf8(design.subscript);
    ResultControls &row = m_results[a];
    static_cast<ResultRowControls &>(row) =
        MakeResultRow(this, QString::number(a), QString::fromLatin1(design.valueLabel), name, 2175 / 15);
    // Items of the two copy-key arrays, told apart by their index.
    for (QWidget *control : std::initializer_list<QWidget *>{row.copyValue, row.copyAll, row.value})
        KeepPlaceWhenHidden(control);
    row.copyValue->setProperty("index", a);
    row.copyAll->setProperty("index", a);
    SetTag(row.copyAll, QStringLiteral("Tooltip=%1;").arg(design.copyAllHintId));

    const QString texts[3] = {QStringLiteral("I"), QString::fromUtf8(design.subscript), QStringLiteral("=")};
    for (int part = 0; part < 3; ++part) {
        row.caption[part] = captionLabel(resultCaptionName(axis, part), texts[part], this);
        if (axis >= InertiaAxis::IxxEnd)
            row.caption[part]->setProperty("index", part);
    }
}

void frmInertiaCalc::connectEvents()
{
    for (InputControls &row : m_inputs) {
        connect(row.box, &QLineEdit::textChanged, this, &frmInertiaCalc::compute);
        connect(row.units, &QComboBox::currentIndexChanged, this, &frmInertiaCalc::compute);
    }
    connect(m_cmbResultUnits, &QComboBox::currentIndexChanged, this, &frmInertiaCalc::compute);
    connect(m_cmbShape, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            onShapeChosen();
    });
    for (QRadioButton *option : {m_optDensity, m_optMass}) {
        connect(option, &QRadioButton::toggled, this, [this](bool checked) {
            if (checked)
                onModeChosen();
        });
    }
    input(InertiaInput::Density).caption->installEventFilter(this);
    input(InertiaInput::Mass).caption->installEventFilter(this);

    connectResultEntries(
        *m_format, [this](bool withUnit) { copyResult(currentResult(), withUnit); }, [this]() { compute(); });
    for (int a = 0; a < InertiaAxisCount; ++a) {
        connect(m_results[a].copyValue, &QAbstractButton::clicked, this,
                [this, a]() { copyResult(a, false); });
        connect(m_results[a].copyAll, &QAbstractButton::clicked, this, [this, a]() { copyResult(a, true); });
    }
    connect(m_cmdCompute, &QAbstractButton::clicked, this, &frmInertiaCalc::compute);
    connect(m_cmdOn, &QAbstractButton::clicked, this, &frmInertiaCalc::clearInputs);
    connect(m_cmdOff, &QAbstractButton::clicked, this, &frmInertiaCalc::closeAsOff);
    connect(m_cmdFindDensity, &QAbstractButton::clicked, this, &frmInertiaCalc::takeDensity);
    connect(m_mnuSetDefaultUnits, &QAction::triggered, this, &frmInertiaCalc::setDefaultUnits);
}

void frmInertiaCalc::load()
{
    m_suppressCompute = true;
    m_format->load(context().settings(), Settings::Calculator::Inertia);
    loadTooltipsOption();

    LocaliseForm(this, context().languageOffset());
    // Screen readers speak the boxes by their captions, as localised; a
    // unit list, whose spoken name some desktops make its entry, is labelled
    // by its row's caption too.
    for (InputControls &row : m_inputs) {
        const QString caption = SpokenCaption(row.caption->text());
        row.box->setAccessibleName(caption);
        row.units->setAccessibleName(caption + QStringLiteral(" units"));
        row.caption->setBuddy(row.units);
    }
    m_label19->setBuddy(m_cmbResultUnits);
    m_optDensity->setAccessibleName(input(InertiaInput::Density).box->accessibleName());
    m_optMass->setAccessibleName(input(InertiaInput::Mass).box->accessibleName());
    m_cmbResultUnits->setAccessibleName(SpokenCaption(m_label19->text()));

    ApplyDefaultTags(this);
    FillUnitCombos(context().units(), this);
    ApplyDefaultUnits(context().settings(), this);

    LoadShapeNames();
    selectShapeIndex(0);
    if (m_optDensity->isChecked())
        onModeChosen();
    else
        m_optDensity->setChecked(true);

    m_suppressCompute = false;
    compute();
}

void frmInertiaCalc::saveSettings()
{
    m_format->save(context().settings(), Settings::Calculator::Inertia);
}

void frmInertiaCalc::LoadShapeNames()
{
    m_shapeNames.clear();
    for (int i = 0; i < InertiaShapeCount; ++i)
        m_shapeNames << LocalText(ShapeInfo(InertiaShape(i)).nameId, context().languageOffset());
    const int index = m_cmbShape->currentIndex();
    {
        const QSignalBlocker blocker(m_cmbShape);
        m_cmbShape->clear();
        m_cmbShape->addItems(m_shapeNames);
        m_cmbShape->setCurrentIndex(-1);
    }
    if (index >= 0)
        selectShapeIndex(index);
}

void frmInertiaCalc::setShape(const QString &name)
{
    m_shape = name;
    const std::optional<InertiaShape> shape = FindShape(m_shapeNames, name);
    if (!shape)
        return;
    const InertiaShapeInfo &info = ShapeInfo(*shape);
    for (int i = 0; i < InertiaInputCount; ++i)
        ShowAll({m_inputs[i].caption, m_inputs[i].box, m_inputs[i].units},
                ShowsInputRow(*shape, InertiaInput(i)));
    m_optDensity->setVisible(info.densityAllowed);
    if (!info.densityAllowed)
        m_optMass->setChecked(true);
    for (InertiaAxis axis : {InertiaAxis::IxxEnd, InertiaAxis::IyyEnd}) {
        const ResultControls &row = m_results[std::size_t(axis)];
        ShowAll({row.copyValue, row.copyAll, row.caption[0], row.caption[1], row.caption[2], row.value},
                info.hasEndAxes);
    }
    m_picShape->setPixmap(ArtPixmap(QString::fromLatin1(info.picture), PictureSize, devicePixelRatioF()));
    m_picShape->setAccessibleName(name);
}

bool frmInertiaCalc::notationMode() const
{
    return m_format->notation();
}

void frmInertiaCalc::setNotationMode(bool on)
{
    m_format->setNotation(on);
}

int frmInertiaCalc::displayDigits() const
{
    return m_format->digits();
}

void frmInertiaCalc::setDisplayDigits(int digits)
{
    m_format->setDigits(digits);
}

MassMode frmInertiaCalc::massMode() const
{
    return m_optMass->isChecked() ? MassMode::Mass : MassMode::Density;
}

void frmInertiaCalc::compute()
{
    if (m_suppressCompute)
        return;
    InertiaOutcome outcome;
    if (const std::optional<InertiaShape> shape = FindShape(m_shapeNames, m_cmbShape->currentText())) {
        outcome = ComputeInertiaEntries(context().units(), *shape, entries(), massMode());
        if (outcome.massText) {
            m_suppressCompute = true;
            input(InertiaInput::Mass).box->setText(*outcome.massText);
            m_suppressCompute = false;
        }
    }
    const QString unit = m_cmbResultUnits->currentText();
    for (int a = 0; a < InertiaAxisCount; ++a)
        ShowValue(m_results[a].value, FormatInertiaResult(context().units(), outcome.values[a], unit,
                                                          displayDigits(), notationMode(), outcome.problem));
    ShowValue(m_lblInputProblem, QString::fromLatin1(InertiaProblemText(outcome.problem)));
    if (m_pickPane)
        m_pickPane->check(currentPick());
}

InertiaEntries frmInertiaCalc::entries() const
{
    InertiaEntries entries;
    for (int i = 0; i < InertiaInputCount; ++i)
        entries[i] = {m_inputs[i].box->text(), m_inputs[i].units->currentText()};
    return entries;
}

void frmInertiaCalc::selectShapeIndex(int index)
{
    // Choosing the shape already chosen still runs the choice, as a click does.
    if (m_cmbShape->currentIndex() == index)
        onShapeChosen();
    else
        m_cmbShape->setCurrentIndex(index);
}

void frmInertiaCalc::onShapeChosen()
{
    setShape(m_cmbShape->currentText());
    if (const std::optional<InertiaShape> shape = FindShape(m_shapeNames, m_shape); shape && m_pickPane)
        m_pickPane->offerResults(*shape);
    ApplyDefaultTags(this);
    compute();
}

void frmInertiaCalc::onModeChosen()
{
    const bool massGiven = m_optMass->isChecked();
    input(InertiaInput::Mass).box->setEnabled(massGiven);
    input(InertiaInput::Density).box->setEnabled(!massGiven);
    input(InertiaInput::Density).units->setEnabled(!massGiven);
    m_cmdFindDensity->setEnabled(!massGiven);
    compute();
}

void frmInertiaCalc::clearInputs()
{
    const QString zero = FormatWithPattern(0.0, QStringLiteral("0.0"));
    for (InertiaInput which : InertiaClearOrder)
        input(which).box->setText(zero);
}

void frmInertiaCalc::copyResult(int axis, bool withUnit)
{
    const QString caption = m_results[axis].value->text();
    CopyText(withUnit ? NumberUnitText(caption, QString(), m_cmbResultUnits->currentText()) : caption);
}

int frmInertiaCalc::currentResult() const
{
    // The row whose copy key holds the focus; else Ixx, shown for every shape.
    return int(FocusedResultRow(m_results).value_or(std::size_t(InertiaAxis::Ixx)));
}

void frmInertiaCalc::setDefaultUnits()
{
    // Gone before the lists are set, so only this window's lists are.
    frmSetDefaultUnits(context(), this).exec();
    std::array<QString, InertiaInputCount> unitsBefore;
    for (int i = 0; i < InertiaInputCount; ++i)
        unitsBefore[i] = m_inputs[i].units->currentText();
    m_suppressCompute = true;
    ApplyDefaultUnits(context().settings(), this);
    // Each typed value follows its unit, so 10 kg stays 10 kg when the list
    // now shows lb.
    for (int i = 0; i < InertiaInputCount; ++i) {
        NumericEdit *box = m_inputs[i].box;
        box->setText(
            RestateInUnit(context().units(), box->text(), unitsBefore[i], m_inputs[i].units->currentText()));
    }
    m_suppressCompute = false;
    compute();
}

void frmInertiaCalc::takeDensity()
{
    const std::optional<std::pair<float, QString>> choice = findDensity();
    if (!choice)
        return;
    InputControls &density = input(InertiaInput::Density);
    // A density in a unit this list does not offer would be read in the
    // wrong unit; it is not taken.
    const int unit = density.units->findText(choice->second);
    if (unit < 0)
        return;
    density.box->setText(FormatGeneral(choice->first));
    density.units->setCurrentIndex(unit);
    density.box->setFocus(Qt::OtherFocusReason);
}

std::optional<std::pair<float, QString>> frmInertiaCalc::findDensity()
{
    frmDensitySelect window(context(), this);
    window.setDensity(0);
    window.exec();
    if (!window.hasChoice())
        return std::nullopt;
    return std::pair(window.density(), window.densityUnits());
}

void frmInertiaCalc::startPick(const std::optional<InertiaPick> &preset)
{
    if (m_pickPane)
        return;
    m_pickPane = new InertiaPickPane(context().units(), context().settings(), !preset, this);
    static_cast<QBoxLayout *>(layout())->addWidget(m_pickPane);
    connect(m_pickPane, &InertiaPickPane::choiceChanged, this, &frmInertiaCalc::compute);
    connect(m_pickPane, &InertiaPickPane::addRequested, this, &frmInertiaCalc::addToAxis);
    if (preset) {
        showPick(*preset);
        return;
    }
    if (const std::optional<InertiaShape> shape = FindShape(m_shapeNames, m_shape))
        m_pickPane->offerResults(*shape);
}

InertiaPick frmInertiaCalc::currentPick() const
{
    InertiaPick pick;
    pick.shape = FindShape(m_shapeNames, m_cmbShape->currentText()).value_or(InertiaShape::Cylinder);
    pick.massMode = massMode();
    pick.entries = entries();
    return m_pickPane->complete(pick);
}

// A part chosen before, shown as the user left it: the shape, the mode, every
// box in its unit, the result and the offset.
void frmInertiaCalc::showPick(const InertiaPick &pick)
{
    m_suppressCompute = true;
    selectShapeIndex(int(pick.shape));
    (pick.massMode == MassMode::Density && ShapeInfo(pick.shape).densityAllowed ? m_optDensity : m_optMass)
        ->setChecked(true);
    for (int i = 0; i < InertiaInputCount; ++i) {
        InputControls &row = m_inputs[i];
        row.box->setText(ShowInUnit(context().units(), row.units, pick.entries[i]));
    }
    m_pickPane->showChoice(pick.result, pick.offset);
    m_suppressCompute = false;
    compute();
}

void frmInertiaCalc::addToAxis()
{
    const InertiaPick pick = currentPick();
    if (!PickRefusal(context().units(), pick).isEmpty())
        return;
    m_pick = pick;
    closeAsOff();
}

void frmInertiaCalc::closeAsOff()
{
    hide();
    accept();
}

void frmInertiaCalc::focusHome()
{
    // The focus stays where the user left it; only a window without a usable
    // focus gets the first box that takes input.
    if (QWidget *current = focusWidget(); current && current->isVisible() && current->isEnabled())
        return;
    for (const InputControls &row : m_inputs) {
        if (row.box->isVisible() && row.box->isEnabled()) {
            row.box->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

bool frmInertiaCalc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        // A box left empty reads 0, so it no longer fails its results.
        if (auto *box = qobject_cast<NumericEdit *>(watched); box && box->text().isEmpty())
            box->setText(QStringLiteral("0"));
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        // The option captions select their option, the Density one only
        // where the shape offers density.
        if (watched == input(InertiaInput::Density).caption && !m_optDensity->isHidden() &&
            m_optDensity->isEnabled())
            m_optDensity->setChecked(true);
        else if (watched == input(InertiaInput::Mass).caption)
            m_optMass->setChecked(true);
    }
    return CalculatorWindow::eventFilter(watched, event);
}
