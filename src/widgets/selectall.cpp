#include "widgets/selectall.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>

namespace {

// Keeps a box's whole text selected when it gains the focus.
class SelectAllOnFocusFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *box = static_cast<QLineEdit *>(watched);
            SelectAllText(box);
            // A mouse click places the caret after the focus arrives.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box]() { SelectAllText(box); });
        }
        return false;
    }
};

} // namespace

void SelectAllText(QLineEdit *box)
{
    if (!box)
        return;
    box->setSelection(0, int(box->text().length()));
}

void SelectAllOnFocus(QLineEdit *box)
{
    if (box)
        box->installEventFilter(new SelectAllOnFocusFilter(box));
}
