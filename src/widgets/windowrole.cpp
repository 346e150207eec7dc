#include "widgets/windowrole.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

class PlainWindowAccessible : public QAccessibleWidget
{
public:
    explicit PlainWindowAccessible(QWidget *window) : QAccessibleWidget(window, QAccessible::Window) {}

    QAccessible::Role role() const override
    {
        return widget()->isWindow() ? QAccessible::Window : QAccessible::Client;
    }
};

QAccessibleInterface *plainWindowAccessible(const QString &, QObject *object)
{
    // Every other widget class, and every widget that is no window of its
    // own, keeps the interface Qt gives it.
    auto *widget = qobject_cast<QWidget *>(object);
    if (!widget || widget->metaObject()->superClass() != &QWidget::staticMetaObject ||
        widget->windowType() != Qt::Window)
        return nullptr;
    return new PlainWindowAccessible(widget);
}

} // namespace

void InstallWindowRole()
{
    static const bool installed = (QAccessible::installFactory(plainWindowAccessible), true);
    Q_UNUSED(installed);
}
