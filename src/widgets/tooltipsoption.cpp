#include "widgets/tooltipsoption.h"

#include "core/settingsstore.h"
#include "core/tags.h"
#include "widgets/controlsetup.h"
#include "widgets/localiseform.h"

#include <QAction>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

namespace {

// The tooltip QAction derives from its text when none was set: the text
// without mnemonics and a trailing ellipsis.
QString derivedActionToolTip(const QAction *action)
{
    QString text = action->text();
    text.remove(QStringLiteral("..."));
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                out += text[++i];
            continue;
        }
        out += text[i];
    }
    return out.trimmed();
}

QString currentNativeHint(const QObject *control)
{
    if (const auto *action = qobject_cast<const QAction *>(control)) {
        // A derived tooltip is not a native hint; restoring it as an explicit
        // one would freeze it against later caption changes.
        const QString tip = action->toolTip();
        return tip == derivedActionToolTip(action) ? QString() : tip;
    }
    if (const auto *widget = qobject_cast<const QWidget *>(control))
        return widget->toolTip();
    return {};
}

void setToolTipOf(QObject *control, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(control))
        action->setToolTip(text);
    else if (auto *widget = qobject_cast<QWidget *>(control))
        widget->setToolTip(text);
}

// A widget, or the buttons that show an action (a toolbar's tool buttons),
// describe themselves to screen readers with the tag hint; a label showing a
// value keeps the value as its description.
void setAccessibleDescriptionOf(QObject *control, const QString &text)
{
    if (auto *widget = qobject_cast<QWidget *>(control)) {
        if (!widget->property(ShowsValueProperty).toBool())
            widget->setAccessibleDescription(text);
        return;
    }
    if (const auto *action = qobject_cast<QAction *>(control)) {
        for (QObject *shown : action->associatedObjects()) {
            auto *button = qobject_cast<QToolButton *>(shown);
            if (button && button->defaultAction() == action)
                button->setAccessibleDescription(text);
        }
    }
}

} // namespace

void LoadTooltipsOption(const Settings &settings, QAction *option)
{
    if (!option)
        return;
    option->setCheckable(true);
    option->setChecked(settings.tooltips());
}

void ToggleTooltipsOption(QAction *option)
{
    if (option)
        option->setChecked(!option->isChecked());
}

void SaveTooltipsOption(Settings &settings, const QAction *option)
{
    if (option)
        settings.setTooltips(option->isChecked());
}

void ApplyTagHints(QWidget *window, bool on, qint16 languageOffset)
{
    for (QObject *control : WindowControls(window)) {
        const QString hint = TagHintText(control, languageOffset);
        if (hint.isEmpty())
            continue;
        QVariant native = control->property(NativeToolTipProperty);
        if (!native.isValid()) {
            native = currentNativeHint(control);
            control->setProperty(NativeToolTipProperty, native);
        }
        // The designed hint is what the control was made to say; the tag hint
        // only stands in where there is none.
        const QString nativeHint = native.toString();
        setToolTipOf(control, !nativeHint.isEmpty() ? nativeHint : on ? hint : QString());
        setAccessibleDescriptionOf(control, hint);
    }
}
