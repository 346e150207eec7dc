#include "widgets/artwork.h"

#include <QKeyEvent>
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
        // A highlight frame with a white dotted line inside stays visible on
        // light and dark faces alike.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(rect().adjusted(1, 1, -1, -1));
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void PictureButton::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}
