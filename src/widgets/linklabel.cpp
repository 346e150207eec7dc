#include "widgets/linklabel.h"

#include "widgets/keys.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

namespace {

// A link label as a screen reader meets it: the link role, its text as its
// name, and a press action that follows it.
class LinkLabelAccessible : public QAccessibleWidget
{
public:
    explicit LinkLabelAccessible(LinkLabel *label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        return label()->hasLinkAppearance() ? QAccessible::Link : QAccessible::StaticText;
    }
    QString text(QAccessible::Text t) const override
    {
        const QString text = QAccessibleWidget::text(t);
        return t == QAccessible::Name && text.isEmpty() ? label()->text() : text;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = label()->hasLinkAppearance();
        return state;
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->hasLinkAppearance())
            names << pressAction();
        return names;
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && label()->hasLinkAppearance())
            label()->activate();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    LinkLabel *label() const { return static_cast<LinkLabel *>(widget()); }
};

QAccessibleInterface *linkLabelAccessible(const QString &, QObject *object)
{
    auto *label = qobject_cast<LinkLabel *>(object);
    return label ? new LinkLabelAccessible(label) : nullptr;
}

} // namespace

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    static const bool accessibleInstalled = (QAccessible::installFactory(linkLabelAccessible), true);
    Q_UNUSED(accessibleInstalled);
    setTextFormat(Qt::PlainText);
    setAccessibleName(text);
    setLinkAppearance(false);
}

void LinkLabel::setLinkAppearance(bool link)
{
    m_link = link;
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    if (link) {
        setCursor(Qt::PointingHandCursor);
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
        setPalette(pal);
    } else {
        unsetCursor();
        setPalette(QPalette());
    }
    QFont f = font();
    f.setUnderline(link);
    setFont(f);
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (m_link && IsActivationKey(event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_link || !hasFocus())
        return;
    // A dotted frame around the text itself, not the whole cell of the layout.
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect textRect = fontMetrics().boundingRect(contentsRect(), flags, text()).adjusted(-2, -1, 1, 0) &
                           rect().adjusted(0, 0, -1, -1);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(textRect);
}
