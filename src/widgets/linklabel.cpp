#include "widgets/linklabel.h"

#include "widgets/keys.h"

#include <QKeyEvent>
#include <QPainter>

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
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
    updateUnderline();
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

void LinkLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    updateUnderline();
}

void LinkLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    updateUnderline();
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    m_hovered = true;
    updateUnderline();
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    m_hovered = false;
    updateUnderline();
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

void LinkLabel::updateUnderline()
{
    QFont f = font();
    const bool underline = m_link && (m_hovered || hasFocus());
    if (f.underline() != underline) {
        f.setUnderline(underline);
        setFont(f);
    }
}
