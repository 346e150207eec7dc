#include "shell/artwork.h"

#include <QPainter>
#include <QPen>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {
QString artPath(const QString &name)
{
    return QStringLiteral(":/art/") + name + QStringLiteral(".svg");
}
} // namespace

QIcon ArtIcon(const QString &name)
{
    // The SVG icon engine renders each requested size from the vector source.
    return QIcon(artPath(name));
}

QPixmap ArtPixmap(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    // Faces are redrawn on every press; keep each rendering once per size and scale.
    const QString key = QStringLiteral("art:%1:%2x%3@%4")
                            .arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    QPixmap pixmap(logicalSize * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(artPath(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    QPixmapCache::insert(key, pixmap);
    return pixmap;
}

QIcon ProgramIcon()
{
    return ArtIcon(QStringLiteral("program"));
}

PictureButton::PictureButton(const QString &upFace, const QString &downFace, QSize size, QWidget *parent)
    : QAbstractButton(parent), m_upFace(upFace), m_downFace(downFace.isEmpty() ? upFace : downFace),
      m_size(size)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    resize(size);
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
    painter.drawPixmap(0, 0, ArtPixmap(currentFace(), size(), devicePixelRatioF()));
    if (hasFocus()) {
        QPen pen(palette().color(QPalette::Highlight));
        pen.setWidth(2);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
    }
}
