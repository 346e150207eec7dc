#include "shell/artwork.h"

#include <QPainter>
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

QIcon ProgramIcon()
{
    return ArtIcon(QStringLiteral("program"));
}
