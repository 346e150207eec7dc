#include "inertiawin/inertiapickpane.h"

#include "core/fixedtext.h"
#include "core/stringtable.h"
#include "core/tags.h"
#include "inertia/inertiarows.h"
#include "units/conversiontable.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include <algorithm>

QString ShowInUnit(const ConversionTableData &table, QComboBox *units, const InertiaEntry &entry)
{
    const QString unit = PadRight(entry.unit.trimmed(), UnitNameWidth);
    if (const int at = units->findText(unit); at >= 0) {
        units->setCurrentIndex(at);
        return entry.text;
    }
    return RestateInUnit(table, entry.text, unit, units->currentText());
}

QLabel *InertiaPickPane::caption(const QString &text, QWidget *buddy)
{
    auto *label = new QLabel(text, this);
    label->setBuddy(buddy);
    return label;
}

InertiaPickPane::InertiaPickPane(const ConversionTableData &units, const Settings &settings, bool named,
                                 QWidget *parent)
    : QGroupBox(QStringLiteral("Add to axis"), parent), m_units(units)
{
    Named(this, QStringLiteral("fraPick"), QString(), title());
    auto *grid = new QGridLayout(this);
    if (named) {
        m_txtPartName = Named(new QLineEdit(this), QStringLiteral("txtPartName"),
                              QStringLiteral("The part's name in the axis; empty: the shape's name"),
                              QStringLiteral("Name of the part"));
        m_txtPartName->setMaxLength(200);
        grid->addWidget(caption(QStringLiteral("&Name of the part:"), m_txtPartName), 0, 0);
        grid->addWidget(m_txtPartName, 0, 1, 1, 2);
    }
    m_cmbAxisResult = Named(new QComboBox(this), QStringLiteral("cmbAxisResult"),
                            QStringLiteral("The result about an axis parallel to the axis of rotation"),
                            QStringLiteral("Result parallel to the axis of rotation"));
    m_txtOffset =
        Named(new NumericEdit(this), QStringLiteral("txtOffset"),
              QStringLiteral("Distance from that axis to the axis of rotation"), QStringLiteral("Offset d"));
    m_txtOffset->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtOffset->setFont(ValueFont(font()));
    m_txtOffset->setText(QStringLiteral("0"));
    SelectAllOnFocus(m_txtOffset);
    m_cmbOffsetUnits = Named(new UnitList(11, this), QStringLiteral("cmbOffsetUnits"), QString(),
                             QStringLiteral("Offset d units"));
    SetTag(m_cmbOffsetUnits, QStringLiteral("UnitType=Linear distance;"));
    FillUnitCombos(m_units, this);
    ApplyDefaultUnits(settings, this);
    m_txtOffset->setUnitList(m_units, m_cmbOffsetUnits);

    m_lblPickProblem = Named(new QLabel(this), QStringLiteral("lblPickProblem"), QString(),
                             QStringLiteral("Why the shape cannot be added"));
    m_lblPickProblem->setWordWrap(true);
    m_lblPickProblem->setMinimumHeight(2 * m_lblPickProblem->fontMetrics().lineSpacing());
    m_cmdAddToAxis =
        Named(new QPushButton(QStringLiteral("A&dd to axis"), this), QStringLiteral("cmdAddToAxis"),
              QStringLiteral("Hand this shape part to the axis"), QStringLiteral("Add to axis"));
    m_cmdAddToAxis->setAutoDefault(false);

    grid->setHorizontalSpacing(6);
    grid->addWidget(
        caption(QStringLiteral("&Result about an axis parallel to the axis of rotation:"), m_cmbAxisResult),
        1, 0);
    grid->addWidget(m_cmbAxisResult, 1, 1);
    grid->addWidget(caption(QStringLiteral("O&ffset d between the two axes:"), m_txtOffset), 2, 0);
    grid->addWidget(m_txtOffset, 2, 1);
    grid->addWidget(m_cmbOffsetUnits, 2, 2);
    grid->addWidget(m_lblPickProblem, 3, 0, 1, 2);
    grid->addWidget(m_cmdAddToAxis, 3, 2, Qt::AlignRight | Qt::AlignTop);
    grid->setColumnStretch(0, 1);

    connect(m_cmbAxisResult, &QComboBox::currentIndexChanged, this, &InertiaPickPane::choiceChanged);
    connect(m_txtOffset, &QLineEdit::textChanged, this, &InertiaPickPane::choiceChanged);
    connect(m_cmbOffsetUnits, &QComboBox::currentIndexChanged, this, &InertiaPickPane::choiceChanged);
    connect(m_cmdAddToAxis, &QAbstractButton::clicked, this, &InertiaPickPane::addRequested);
}

void InertiaPickPane::offerResults(InertiaShape shape)
{
    if (m_txtPartName)
        m_txtPartName->setPlaceholderText(LocalText(ShapeInfo(shape).nameId, 0)); // as the axis names it
    const QVariant chosen = m_cmbAxisResult->currentData();
    {
        const QSignalBlocker blocker(m_cmbAxisResult);
        m_cmbAxisResult->clear();
        for (int a = 0; a < InertiaAxisCount; ++a) {
            if (HasResult(shape, InertiaAxis(a)))
                m_cmbAxisResult->addItem(ResultTitle(InertiaAxis(a)), a);
        }
        // Most parts on a shaft turn about the shape's own z axis: the first choice.
        const int kept = m_cmbAxisResult->findData(chosen.isValid() ? chosen : int(InertiaAxis::Izz));
        m_cmbAxisResult->setCurrentIndex(std::max(kept, 0));
    }
    Q_EMIT choiceChanged();
}

void InertiaPickPane::showChoice(InertiaAxis result, const InertiaEntry &offset)
{
    m_cmbAxisResult->setCurrentIndex(std::max(m_cmbAxisResult->findData(int(result)), 0));
    m_txtOffset->setText(ShowInUnit(m_units, m_cmbOffsetUnits, offset));
}

InertiaPick InertiaPickPane::complete(InertiaPick pick) const
{
    pick.result = InertiaAxis(m_cmbAxisResult->currentData().toInt());
    pick.offset = {m_txtOffset->text(), m_cmbOffsetUnits->currentText()};
    pick.name = m_txtPartName ? m_txtPartName->text().trimmed() : QString();
    return pick;
}

void InertiaPickPane::check(const InertiaPick &pick)
{
    const QString refusal = PickRefusal(m_units, pick);
    ShowValue(m_lblPickProblem, refusal);
    m_cmdAddToAxis->setEnabled(refusal.isEmpty());
    m_cmdAddToAxis->setAccessibleDescription(refusal);
}
