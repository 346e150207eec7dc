#include "widgets/localiseform.h"

#include "core/decimaltext.h"
#include "core/stringtable.h"
#include "core/tags.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QWidget>

namespace {

class ControlWalker
{
public:
    explicit ControlWalker(QWidget *window) : m_window(window) {}

    QList<QObject *> walk()
    {
        visitWidget(m_window);
        return m_order;
    }

private:
    bool take(QObject *object)
    {
        if (object == m_window || m_seen.contains(object))
            return false;
        m_seen.insert(object);
        m_order.append(object);
        return true;
    }

    void visitAction(QAction *action)
    {
        if (!take(action))
            return;
        if (QMenu *menu = action->menu())
            visitWidget(menu);
    }

    void visitWidget(QWidget *widget)
    {
        if (widget != m_window && !take(widget))
            return;
        for (QAction *action : widget->actions())
            visitAction(action);
        for (QObject *child : widget->children()) {
            if (auto *childWidget = qobject_cast<QWidget *>(child))
                visitWidget(childWidget);
            else if (auto *childAction = qobject_cast<QAction *>(child))
                visitAction(childAction);
        }
    }

    QWidget *m_window;
    QSet<QObject *> m_seen;
    QList<QObject *> m_order;
};

// The leading number of a tag value as a 16-bit integer; nullopt on overflow.
std::optional<qint16> tagNumber(const QString &value)
{
    return RoundToInt16(LeadingNumber(value));
}

void setCaption(QObject *object, const QString &text)
{
    if (auto *action = qobject_cast<QAction *>(object))
        action->setText(text);
    else if (auto *label = qobject_cast<QLabel *>(object))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(object))
        button->setText(text);
    else if (auto *group = qobject_cast<QGroupBox *>(object))
        group->setTitle(text);
    else if (auto *menu = qobject_cast<QMenu *>(object))
        menu->setTitle(text);
}

} // namespace

QList<QObject *> WindowControls(QWidget *window)
{
    if (!window)
        return {};
    return ControlWalker(window).walk();
}

bool LocaliseForm(QWidget *window, qint16 languageOffset)
{
    if (!window)
        return true;
    const std::optional<qint16> formOffset = tagNumber(GetTagValue(window, QStringLiteral("FormOffset")));
    if (!formOffset || *formOffset == 0)
        return true;
    if (const std::optional<QString> title = LocalString(*formOffset, languageOffset))
        window->setWindowTitle(*title);

    for (QObject *control : WindowControls(window)) {
        const QString value = GetTagValue(control, QStringLiteral("Offset"));
        if (value.isEmpty())
            continue;
        const std::optional<qint16> offset = tagNumber(value);
        if (!offset)
            continue;
        // LocalString refuses a base id beyond 16 bits, so the designed
        // caption stays when form offset + offset overflows.
        if (const std::optional<QString> caption = LocalString(int(*formOffset) + *offset, languageOffset))
            setCaption(control, *caption);
    }
    return true;
}
