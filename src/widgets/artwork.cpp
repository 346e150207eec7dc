#include "widgets/artwork.h"

#include <QCoreApplication>
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
    QPixmap pixmap(logicalSize * devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(artPath(name));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QPixmap ArtFace(const QString &name, QSize logicalSize, qreal devicePixelRatio)
{
    // Faces are redrawn on every press; keep each rendering once per size and
    // scale. Larger pictures (a shape, a logo) are not kept: a closed window
    // leaves none of its pictures behind.
    const QString key = QStringLiteral("art:%1:%2x%3@%4")
                            .arg(name)
                            .arg(logicalSize.width())
                            .arg(logicalSize.height())
                            .arg(devicePixelRatio);
    QPixmap cached;
    if (QPixmapCache::find(key, &cached))
        return cached;
    cached = ArtPixmap(name, logicalSize, devicePixelRatio);
    QPixmapCache::insert(key, cached);
    return cached;
}

QIcon ProgramIcon()
{
    // Every window shows it: its SVG is read once per program, not per window.
    // It goes with the application, before the paint system it needs.
    static QIcon *icon = nullptr;
    if (!icon) {
        icon = new QIcon(ArtIcon(QStringLiteral("program")));
        qAddPostRoutine([] {
            delete icon;
            icon = nullptr;
        });
    }
    return *icon;
}
