#include "axiswin/frmbestratio.h"

#include "axiswin/ratioplot.h"
#include "units/conversiontable.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int FindingDigits = 3;

double factorOf(const ConversionTableData &units, const QString &unit)
{
    return FromBaseUnits(units, 1, unit.trimmed()).value_or(1);
}

} // namespace

frmBestRatio::frmBestRatio(WindowContext &context, const Axis &axis, const MoveInputs &move,
                           const QString &speedUnit, const QString &torqueUnit, QWidget *parent)
    : QDialog(parent), m_best(FindBestRatio(axis, move))
{
    setObjectName(QStringLiteral("frmBestRatio"));
    setWindowTitle(QStringLiteral("Best gearbox ratio"));
    setAccessibleName(windowTitle());
    const ConversionTableData &units = context.units();

    m_plot = new RatioPlot(this);
    m_plot->setObjectName(QStringLiteral("picRatioPlot"));
    m_plot->showRatios(
        {m_best, axis.motor, speedUnit, torqueUnit, factorOf(units, speedUnit), factorOf(units, torqueUnit)});

    m_lblFindings = new QLabel(BestRatioText(units, m_best, torqueUnit.trimmed(), FindingDigits), this);
    m_lblFindings->setObjectName(QStringLiteral("lblFindings"));
    m_lblFindings->setAccessibleName(QStringLiteral("Findings"));
    m_lblFindings->setWordWrap(true);
    m_lblFindings->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_cmbChoice = new QComboBox(this);
    m_cmbChoice->setObjectName(QStringLiteral("cmbRatioChoice"));
    m_cmbChoice->setAccessibleName(QStringLiteral("Ratio to use"));
    const std::pair<const AxisFigure *, QString> choices[] = {
        {&m_best.feasiblePeak.ratio, QStringLiteral("Least peak torque among the feasible")},
        {&m_best.feasibleRms.ratio, QStringLiteral("Least RMS torque among the feasible")},
        {&m_best.peak.ratio, QStringLiteral("Least peak torque")},
        {&m_best.rms.ratio, QStringLiteral("Least RMS torque")},
        {&m_best.inertiaMatch, QStringLiteral("Inertia matching")}};
    for (const auto &[ratio, name] : choices) {
        if (ratio->ok()) {
            m_cmbChoice->addItem(QStringLiteral("%1: %2").arg(name, RatioLabel(ratio->value())));
            m_choices.push_back(ratio->value());
        }
    }
    auto *caption = new QLabel(QStringLiteral("&Ratio to use:"), this);
    caption->setObjectName(QStringLiteral("lblRatioChoice"));
    caption->setBuddy(m_cmbChoice);

    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("btnBestRatio"));
    m_cmdUse = buttons->addButton(QStringLiteral("&Use this ratio"), QDialogButtonBox::AcceptRole);
    m_cmdUse->setObjectName(QStringLiteral("cmdUseRatio"));
    m_cmdUse->setAccessibleName(QStringLiteral("Use this ratio"));
    m_cmdUse->setEnabled(!m_choices.empty());
    QPushButton *close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAccessibleName(QStringLiteral("Close"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *choiceRow = new QHBoxLayout;
    choiceRow->addWidget(caption);
    choiceRow->addWidget(m_cmbChoice, 1);
    choiceRow->addWidget(buttons);
    auto *root = new QVBoxLayout(this);
    root->addWidget(m_plot, 1);
    root->addWidget(m_lblFindings);
    root->addLayout(choiceRow);
    resize(720, 640);
    KeepWindowPlace(context.settings(), this);
    m_cmbChoice->setFocus();
}

double frmBestRatio::chosenRatio() const
{
    const int at = m_cmbChoice->currentIndex();
    return at >= 0 && std::size_t(at) < m_choices.size() ? m_choices[std::size_t(at)] : 0;
}
