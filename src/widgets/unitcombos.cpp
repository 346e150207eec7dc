#include "widgets/unitcombos.h"

#include "core/settingsstore.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"
#include "widgets/localiseform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <algorithm>

namespace {

const QString UnitTypeKey = QStringLiteral("UnitType");
const QString DefaultKey = QStringLiteral("Default");

// The window's unit lists in control order, each with its tag's unit type.
// Only lists that allow listed entries alone count; an editable combo box is
// not a unit list.
template <typename Action> void forEachUnitList(QWidget *window, Action action)
{
    for (QObject *control : WindowControls(window)) {
        auto *list = qobject_cast<QComboBox *>(control);
        if (!list || list->isEditable())
            continue;
        const QString type = GetTagValue(list, UnitTypeKey);
        if (!type.isEmpty())
            action(list, type);
    }
}

} // namespace

UnitList::UnitList(int characters, QWidget *parent) : QComboBox(parent)
{
    setMinimumContentsLength(characters);
}

QSize UnitList::minimumSizeHint() const
{
    const QFontMetrics metrics = fontMetrics();
    const QSize icon = iconSize();
    const QSize text(minimumContentsLength() * metrics.horizontalAdvance(u'X') + icon.width() + 4,
                     std::max({qCeil(QFontMetricsF(metrics).height()) + 2, 16, icon.height() + 2}));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

void FillUnitCombos(const ConversionTableData &table, QWidget *window)
{
    // Lists of one type (a window's entry and display units) share one look-up.
    QHash<QString, QStringList> unitsOfType;
    forEachUnitList(window, [&table, &unitsOfType](QComboBox *list, const QString &type) {
        auto units = unitsOfType.constFind(type);
        if (units == unitsOfType.cend())
            units = unitsOfType.insert(type, UnitsForListTag(table, type));
        list->clear();
        list->addItems(*units);
    });
}

void ApplyDefaultUnits(const Settings &settings, QWidget *window)
{
    // The stored default of a type is read once, however many lists show it.
    QHash<QString, QString> storedDefaults;
    forEachUnitList(window, [&settings, &storedDefaults](QComboBox *list, const QString &type) {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->itemText(i);
        auto stored = storedDefaults.constFind(type);
        if (stored == storedDefaults.cend())
            stored = storedDefaults.insert(type, settings.defaultUnit(type));
        const int index = DefaultUnitIndex(entries, type, *stored);
        if (index >= 0)
            list->setCurrentIndex(index);
    });
}

void SaveDefaultUnits(Settings &settings, QWidget *window)
{
    forEachUnitList(window, [&settings](QComboBox *list, const QString &type) {
        settings.setDefaultUnit(type, list->currentText());
    });
}

void ApplyDefaultTags(QWidget *window)
{
    for (QObject *control : WindowControls(window)) {
        const QString raw = GetTagValue(control, DefaultKey);
        if (raw.isEmpty())
            continue;
        const QString value = DefaultTagText(raw);
        if (auto *combo = qobject_cast<QComboBox *>(control)) {
            const int at = combo->findText(value);
            if (combo->isEditable() || at < 0)
                combo->setCurrentText(value);
            else
                combo->setCurrentIndex(at);
        } else if (auto *check = qobject_cast<QCheckBox *>(control)) {
            check->setChecked(value == QLatin1String("True"));
        } else if (auto *option = qobject_cast<QRadioButton *>(control)) {
            option->setChecked(option->text().remove(u'&').compare(value, Qt::CaseInsensitive) == 0);
        } else if (auto *label = qobject_cast<QLabel *>(control)) {
            label->setText(value);
        } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
            box->setText(value);
        }
    }
}
