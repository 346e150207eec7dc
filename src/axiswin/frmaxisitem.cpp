#include "axiswin/frmaxisitem.h"

#include "axis/axisentry.h"
#include "axis/axisitemmodel.h"
#include "axiswin/axiscontrols.h"
#include "core/fixedtext.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

// "The pitch diameter" as a caption: "Pitch diameter".
QString paramCaption(AxisParam param)
{
    QString what = QString::fromUtf8(ParamInfo(param).what);
    what.remove(QStringLiteral("The "));
    return what.left(1).toUpper() + what.mid(1);
}

// "pitchDiameter" as part of a control name: "PitchDiameter".
QString paramName(AxisParam param)
{
    const QString key = QString::fromLatin1(ParamInfo(param).key);
    return key.left(1).toUpper() + key.mid(1);
}

bool uses(const AxisItem &item, int param)
{
    return KindInfo(item.kind).uses[std::size_t(param)];
}

} // namespace

frmAxisItem::frmAxisItem(const AxisItem &item, WindowContext &context, QWidget *parent, ShapePicker pickShape)
    : QDialog(parent), m_item(item), m_unitTable(context.units()), m_pickShape(std::move(pickShape))
{
    setObjectName(QStringLiteral("frmAxisItem"));
    KeepWindowPlace(context.settings(), this);
    setWindowTitle(QString::fromUtf8(KindInfo(item.kind).title));
    setAccessibleName(windowTitle());
    buildControls();
    FillUnitCombos(m_unitTable, this);
    ApplyDefaultUnits(context.settings(), this);
    showItem();
    check();
}

void frmAxisItem::buildControls()
{
    auto *form = new QFormLayout;
    m_txtName = Named(new QLineEdit(this), QStringLiteral("txtName"), QString(), QStringLiteral("Name"));
    m_txtName->setMaxLength(200);
    form->addRow(QStringLiteral("&Name:"), m_txtName);
    m_spnQuantity =
        Named(new QSpinBox(this), QStringLiteral("spnQuantity"), QString(), QStringLiteral("Quantity"));
    m_spnQuantity->setRange(1, 1000000);
    form->addRow(QStringLiteral("&Quantity:"), m_spnQuantity);
    m_cmbSide = Named(new QComboBox(this), QStringLiteral("cmbSide"), QString(),
                      QStringLiteral("Side of the gearbox"));
    m_cmbSide->addItem(SideTitle(AxisSide::Motor));
    m_cmbSide->addItem(SideTitle(AxisSide::Load));
    form->addRow(QStringLiteral("&Side:"), m_cmbSide);
    if (m_item.kind == AxisItemKind::Shape) {
        m_lblShape = Named(new QLabel(this), QStringLiteral("lblShape"), QString(), QStringLiteral("Shape"));
        m_lblShape->setWordWrap(true);
        m_cmdShape =
            Named(new QPushButton(QStringLiteral("S&hape\u2026"), this), QStringLiteral("cmdShape"),
                  QStringLiteral("Set the shape up in the inertia calculator"), QStringLiteral("Shape"));
        m_cmdShape->setAutoDefault(false);
        m_cmdShape->setEnabled(bool(m_pickShape));
        connect(m_cmdShape, &QAbstractButton::clicked, this, &frmAxisItem::pickShape);
        auto *row = new QHBoxLayout;
        row->addWidget(m_lblShape, 1);
        row->addWidget(m_cmdShape, 0, Qt::AlignTop);
        form->addRow(QStringLiteral("Shape:"), row);
    }

    for (int p = 0; p < AxisParamCount; ++p) {
        if (!uses(m_item, p))
            continue;
        const AxisParam param = AxisParam(p);
        const QString caption = paramCaption(param);
        m_boxes[p] =
            Named(new NumericEdit(this), QStringLiteral("txt") + paramName(param), QString(), caption);
        m_boxes[p]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        m_boxes[p]->setFont(ValueFont(font()));
        SelectAllOnFocus(m_boxes[p]);
        m_units[p] = Named(new QComboBox(this), QStringLiteral("cmb%1Units").arg(paramName(param)), QString(),
                           caption + QStringLiteral(" units"));
        SetTag(m_units[p], QStringLiteral("UnitType=%1;").arg(QString::fromUtf8(ParamInfo(param).unitType)));
        // A pasted "number unit" takes its unit, or it would be read in the list's.
        m_boxes[p]->setUnitList(m_unitTable, m_units[p]);
        auto *row = new QHBoxLayout;
        row->addWidget(m_boxes[p], 1);
        row->addWidget(m_units[p]);
        auto *label = new QLabel(
            caption + QStringLiteral(" (%1):").arg(QString::fromUtf8(ParamInfo(param).symbol)), this);
        label->setBuddy(m_boxes[p]);
        form->addRow(label, row);
        connect(m_boxes[p], &QLineEdit::textChanged, this, &frmAxisItem::check);
        connect(m_units[p], &QComboBox::currentIndexChanged, this, &frmAxisItem::check);
    }

    m_lblProblem =
        Named(new QLabel(this), QStringLiteral("lblProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    m_buttons = Named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this),
                      QStringLiteral("buttons"), QString(), QStringLiteral("OK or Cancel"));
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    m_buttons->button(QDialogButtonBox::Ok)->setAccessibleName(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    m_buttons->button(QDialogButtonBox::Cancel)->setAccessibleName(QStringLiteral("Cancel"));
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *root = new QVBoxLayout(this);
    root->addLayout(form);
    root->addWidget(m_lblProblem);
    root->addWidget(m_buttons);
    setMinimumWidth(380);
}

// The item's values in its own units; a value held in the base unit, or in
// a unit the list lacks, is shown in the list's default unit.
void frmAxisItem::showItem()
{
    m_txtName->setText(m_item.name);
    m_spnQuantity->setValue(m_item.quantity);
    m_cmbSide->setCurrentIndex(m_item.side == AxisSide::Motor ? 0 : 1);
    for (int p = 0; p < AxisParamCount; ++p) {
        if (!m_boxes[p])
            continue;
        ShowAxisQuantity(m_unitTable, m_boxes[p], m_units[p], m_item.params[p]);
    }
    m_txtName->setFocus();
}

AxisItem frmAxisItem::item() const
{
    AxisItem item = m_item;
    item.name = m_txtName->text().trimmed();
    item.quantity = m_spnQuantity->value();
    item.side = m_cmbSide->currentIndex() == 0 ? AxisSide::Motor : AxisSide::Load;
    for (int p = 0; p < AxisParamCount; ++p) {
        if (!m_boxes[p])
            continue;
        if (const std::optional<AxisQuantity> read = BoxQuantity(m_unitTable, m_boxes[p], m_units[p]))
            item.params[p] = *read;
    }
    return item;
}

void frmAxisItem::pickShape()
{
    if (const std::optional<AxisShapePart> part = m_pickShape(m_item.shape)) {
        m_item.shape = *part;
        check();
    }
}

// OK is offered only while every value reads; the reason is shown in words.
// A value that reads but breaks a rule (a negative mass) is shown too, and
// the item then fails in the table with that reason.
void frmAxisItem::check()
{
    bool readable = true;
    QString problem;
    for (int p = 0; p < AxisParamCount; ++p) {
        if (!m_boxes[p] || BoxQuantity(m_unitTable, m_boxes[p], m_units[p]))
            continue;
        if (readable)
            problem =
                QStringLiteral("%1 is not a number.").arg(QString::fromUtf8(ParamInfo(AxisParam(p)).what));
        readable = false;
    }
    if (m_lblShape)
        ShowValue(m_lblShape, ItemSummary(m_unitTable, m_item, 6));
    if (readable) {
        if (const AxisFigure j = ItemInertia(item()); !j.ok())
            problem = j.reason();
    }
    ShowValue(m_lblProblem, problem);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(readable);
}
