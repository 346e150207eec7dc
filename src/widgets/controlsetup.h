#pragma once
// Small steps every window takes when it builds its controls in code.

#include <QLabel>
#include <QList>
#include <QSizePolicy>
#include <QString>
#include <QWidget>

#include <initializer_list>

// Names a control, with its native hint and the name a screen reader speaks
// (the hint when no other is given).
template <typename W>
W *Named(W *widget, const QString &name, const QString &hint = {}, const QString &spoken = {})
{
    widget->setObjectName(name);
    widget->setToolTip(hint);
    widget->setAccessibleName(spoken.isEmpty() ? hint : spoken);
    return widget;
}

// Keeps the control's place in its layout while it is hidden, so hiding it
// never moves the controls around it.
template <typename W> W *KeepPlaceWhenHidden(W *widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    return widget;
}

// Tab walks widgets in the order given (their order on the screen), then on
// to whatever followed the last one.
inline void TabChain(const QList<QWidget *> &widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *widget : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}

inline void ShowAll(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *widget : widgets)
        widget->setVisible(shown);
}

// A caption as a screen reader should speak it: no mnemonic, no trailing colon.
inline QString SpokenCaption(QString caption)
{
    caption.remove(u'&');
    if (caption.endsWith(u':'))
        caption.chop(1);
    return caption.trimmed();
}

// Shows a value in a label whose spoken name is what the value is ("Ixx",
// "Procedure"): the value goes into the description too, or a screen reader
// would speak the name alone. Tag hints then leave that description alone.
inline constexpr char ShowsValueProperty[] = "showsValue";
inline void ShowValue(QLabel *label, const QString &value)
{
    label->setText(value);
    label->setAccessibleDescription(value);
    label->setProperty(ShowsValueProperty, true);
}
