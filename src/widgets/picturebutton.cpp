#include "widgets/picturebutton.h"

#include "widgets/artwork.h"
#include "widgets/keys.h"

#include <QPainter>

PictureButton::PictureButton(const QString &upFace, const QString &downFace, QSize size, QWidget *parent)
    : QAbstractButton(parent), m_upFace(upFace), m_downFace(downFace.isEmpty() ? upFace : downFace),
      m_size(size)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    resize(size);
    EnterClicksWhenFocused(this);
}

void PictureButton::setFaces(const QString &upFace, const QString &downFace)
{
    m_upFace = upFace;
    m_downFace = downFace.isEmpty() ? upFace : downFace;
    update();
}

void PictureButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, ArtFace(currentFace(), size(), devicePixelRatioF()));
    if (hasFocus()) {
        // A highlight frame with a white dotted line inside stays visible on
        // light and dark faces alike.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}
