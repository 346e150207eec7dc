#include "widgets/unitcombos.h"

#include "core/settingsstore.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"
#include "widgets/localiseform.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
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

// A unit list as a screen reader meets it: named as what its unit is for
// ("Gearbox inertia unit"), its current unit as its value and as its
// read-only text. Qt's own drop-down list on Linux gives the current entry
// as the name, so every unit list was spoken by its unit and group alone.
class UnitListAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit UnitListAccessible(QComboBox *list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value || (t == QAccessible::Name && list()->accessibleName().isEmpty()))
            return unit();
        return QAccessibleWidget::text(t);
    }
    // The open list, whose entries a screen reader walks and picks. A list
    // that has never opened has none yet: building its pop-up only to be
    // asked about it would cost every list of a window its view (about 20 KB
    // each) when a screen reader walks the window.
    int childCount() const override { return builtView() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        QAbstractItemView *view = builtView();
        return index == 0 && view ? QAccessible::queryAccessibleInterface(view) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == builtView() ? 0 : -1;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = isOpen();
        state.readOnly = true;
        return state;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString &name) override
    {
        if (name != showMenuAction() && name != pressAction())
            return;
        if (isOpen())
            list()->hidePopup();
        else
            list()->showPopup();
    }

    // The current unit as read-only text.
    QString text(int start, int end) const override { return unit().mid(start, end - start); }
    int characterCount() const override { return int(unit().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int *start, int *end) const override
    {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QComboBox *list() const { return static_cast<QComboBox *>(widget()); }
    QString unit() const { return list()->currentText().trimmed(); }
    QAbstractItemView *builtView() const { return static_cast<UnitList *>(list())->builtView(); }
    bool isOpen() const
    {
        const QAbstractItemView *view = builtView();
        return view && view->isVisible();
    }
};

QAccessibleInterface *unitListAccessible(const QString &, QObject *object)
{
    auto *list = dynamic_cast<UnitList *>(object);
    return list ? new UnitListAccessible(list) : nullptr;
}

} // namespace

UnitList::UnitList(int characters, QWidget *parent) : QComboBox(parent)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(unitListAccessible), true);
    Q_UNUSED(accessibleInstalled);
    setMinimumContentsLength(characters);
    // A screen reader hears the unit change.
    connect(this, &QComboBox::currentIndexChanged, this, [this]() {
        if (QAccessible::isActive()) {
            QAccessibleValueChangeEvent event(this, currentText().trimmed());
            QAccessible::updateAccessibility(&event);
            QAccessibleTextUpdateEvent text(this, 0, QString(), currentText().trimmed());
            QAccessible::updateAccessibility(&text);
        }
    });
}

QAbstractItemView *UnitList::builtView() const
{
    // QComboBox::view() would build the pop-up; its view, once built, is a
    // child of the pop-up, which is a child of the list.
    return findChild<QAbstractItemView *>();
}

void UnitList::showPopup()
{
    if (!builtView()) {
        // A screen reader learns of the list's new child, its entries.
        QAccessibleEvent created(view(), QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&created);
    }
    QComboBox::showPopup();
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
