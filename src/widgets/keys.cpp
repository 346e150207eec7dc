#include "widgets/keys.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace {

bool isPlain(const QKeyEvent *event)
{
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class EnterClicksFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && IsEnterKey(static_cast<QKeyEvent *>(event))) {
            static_cast<QAbstractButton *>(watched)->click();
            return true;
        }
        return false;
    }
};

} // namespace

bool IsEnterKey(const QKeyEvent *event)
{
    return isPlain(event) && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
}

bool IsActivationKey(const QKeyEvent *event)
{
    return IsEnterKey(event) || (isPlain(event) && event->key() == Qt::Key_Space);
}

void EnterClicksWhenFocused(QAbstractButton *button)
{
    if (button)
        button->installEventFilter(new EnterClicksFilter(button));
}
