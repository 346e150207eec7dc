#include "axiswin/axiscontrols.h"

#include "axis/axisentry.h"
#include "axis/axisreport.h"
#include "core/fixedtext.h"
#include "core/settingsstore.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/selectall.h"
#include "widgets/unitcombos.h"
#include "widgets/valuefont.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include <algorithm>
#include <cmath>

NumericEdit *AxisValueBox(const QString &name, const QString &spoken, QWidget *parent, int minimumWidth)
{
    auto *box = Named(new NumericEdit(parent), name, QString(), spoken);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setFont(ValueFont(parent->font()));
    box->setMinimumWidth(minimumWidth);
    SelectAllOnFocus(box);
    return box;
}

QComboBox *AxisUnitList(const QString &name, const QString &spoken, const QString &unitType, QWidget *parent)
{
    auto *list =
        Named(new UnitList(unitType == QLatin1String("Inertia") ? 11 : 7, parent), name, QString(), spoken);
    SetTag(list, QStringLiteral("UnitType=%1;").arg(unitType));
    return list;
}

void RefillUnitList(const ConversionTableData &table, QComboBox *list, const QString &unitType)
{
    SetTag(list, QStringLiteral("UnitType=%1;").arg(unitType));
    const QStringList units = UnitsForListTag(table, unitType);
    list->clear();
    list->addItems(units);
    list->setCurrentIndex(DefaultUnitIndex(units, unitType, QString()));
}

QLabel *BuddyCaption(const QString &text, QWidget *buddy, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

namespace {
// What a box shows a quantity as, and the quantity, while it shows it.
constexpr char HeldText[] = "heldText";
constexpr char HeldValue[] = "heldValue";
} // namespace

void SelectAxisUnit(QComboBox *units, const QString &unit)
{
    if (const int index = unit.isEmpty() ? -1 : units->findText(PadRight(unit, UnitNameWidth)); index >= 0)
        units->setCurrentIndex(index);
}

void ShowAxisQuantity(const ConversionTableData &table, NumericEdit *box, QComboBox *units,
                      const AxisQuantity &quantity)
{
    SelectAxisUnit(units, quantity.unit);
    const QString shown = units->currentText().trimmed();
    const QString text = AxisQuantityText(table, quantity.value, shown);
    box->setProperty(HeldText, QStringList{text, shown});
    box->setProperty(HeldValue, quantity.value);
    box->setText(text);
    // A number longer than its box shows its first digits, not its last.
    box->setCursorPosition(0);
}

std::optional<AxisQuantity> BoxQuantity(const ConversionTableData &table, const NumericEdit *box,
                                        const QComboBox *units)
{
    const QString unit = units->currentText().trimmed();
    const double held = box->property(HeldValue).toDouble();
    if (box->property(HeldText).toStringList() == QStringList{box->text(), unit} && std::isfinite(held))
        return AxisQuantity{held, unit};
    return ReadAxisQuantity(table, box->text(), unit);
}

AxisQuantity ReadBoxQuantity(const ConversionTableData &table, const NumericEdit *box, const QComboBox *units)
{
    return BoxQuantity(table, box, units)
        .value_or(AxisQuantity{std::nan(""), units->currentText().trimmed()});
}

double ReadBoxNumber(const NumericEdit *box)
{
    return ReadAxisNumber(box->text()).value_or(std::nan(""));
}

ResultRowControls AddResultRow(QGridLayout *grid, int gridRow, const QString &key, const QString &caption,
                               const QString &spoken)
{
    auto *pane = grid->parentWidget();
    const ResultRowControls row =
        MakeResultRow(pane, key, QStringLiteral("lblResult_%1").arg(key), spoken, 180);
    grid->addWidget(row.copyValue, gridRow, 0);
    grid->addWidget(row.copyAll, gridRow, 1);
    grid->addWidget(new QLabel(caption, pane), gridRow, 2);
    grid->addWidget(row.value, gridRow, 3);
    return row;
}

void ShowResult(const ResultRowControls &row, const AxisFigure &figure, const QString &text)
{
    const QString shown = figure.ok() ? text : QStringLiteral("\u2014");
    ShowValue(row.value, shown);
    row.value->setToolTip(figure.reason());
    if (!figure.ok())
        row.value->setAccessibleDescription(shown + u' ' + figure.reason());
}

void AxisInput::setEnabled(bool on) const
{
    for (QWidget *widget : std::initializer_list<QWidget *>{caption, box, units}) {
        if (widget)
            widget->setEnabled(on);
    }
}

AxisInput AddAxisInput(const ConversionTableData &table, QGridLayout *grid, const QString &caption,
                       const QString &name, const QString &spoken, const QString &unitType,
                       const QString &after)
{
    QWidget *pane = grid->parentWidget();
    AxisInput input;
    const int row = grid->rowCount();
    input.box = AxisValueBox(QStringLiteral("txt%1").arg(name), spoken, pane, 80);
    input.caption = BuddyCaption(caption, input.box, pane);
    input.what = input.caption->text().remove(u'&').remove(u':');
    input.what[0] = input.what[0].toLower();
    grid->addWidget(input.caption, row, 0);
    grid->addWidget(input.box, row, 1);
    if (!unitType.isEmpty()) {
        input.units = AxisUnitList(QStringLiteral("cmb%1Units").arg(name), spoken + QStringLiteral(" units"),
                                   unitType, pane);
        input.box->setUnitList(table, input.units);
        grid->addWidget(input.units, row, 2);
    } else if (!after.isEmpty()) {
        grid->addWidget(new QLabel(after, pane), row, 2);
    }
    return input;
}

QLabel *AxisCheckLabel(const QString &name, const QString &spoken, QWidget *parent)
{
    auto *label = Named(new QLabel(parent), name, QString(), spoken);
    QFont bold = parent->font();
    bold.setBold(true);
    label->setWordWrap(true);
    label->setFont(bold);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMinimumHeight(QFontMetrics(bold).lineSpacing() * 2);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void ShowCheck(QLabel *label, const QString &words, CheckLevel level)
{
    ShowValue(label, words);
    ShowTone(label, CheckTone(level));
}

QGroupBox *AxisInputGroup(const QString &title, const QString &name, QWidget *parent)
{
    auto *box = Named(new QGroupBox(title, parent), name, QString(), title);
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    return box;
}

MechanismCheckLabels AddMechanismCheckLabels(QGridLayout *grid, const QString &prefix, int columns)
{
    static const char *const Spoken[MechanismCheckKindCount] = {"Screw critical speed check",
                                                                "Screw d n check", "Surface speed check"};
    MechanismCheckLabels labels{};
    for (int k = 0; k < MechanismCheckKindCount; ++k) {
        QLabel *label = AxisCheckLabel(
            QStringLiteral("%1_%2").arg(prefix, QLatin1String(MechanismCheckKey(MechanismCheckKind(k)))),
            QString::fromLatin1(Spoken[k]), grid->parentWidget());
        label->hide();
        grid->addWidget(label, grid->rowCount(), 0, 1, columns);
        labels[std::size_t(k)] = label;
    }
    return labels;
}

void ShowMechanismChecks(const MechanismCheckLabels &labels, const std::vector<MechanismCheck> &checks)
{
    for (int k = 0; k < MechanismCheckKindCount; ++k) {
        const auto found = std::find_if(checks.cbegin(), checks.cend(),
                                        [k](const MechanismCheck &check) { return int(check.kind) == k; });
        QLabel *label = labels[std::size_t(k)];
        if (found != checks.cend())
            ShowCheck(label, MechanismCheckText(*found), found->level());
        label->setVisible(found != checks.cend());
    }
}
