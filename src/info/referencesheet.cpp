#include "info/referencesheet.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

const QString SheetSource = QStringLiteral(":/reference/sheet.svg");
const QString OutlineSource = QStringLiteral(":/reference/sheet.txt");

// Rows per band: a band at the usual screen scales (1, 1.25, 1.5, 2) starts
// on a whole device pixel, so bands meet without a seam.
constexpr int BandRows = 256;

int ScaleKey(qreal devicePixelRatio)
{
    return int(std::lround(devicePixelRatio * 100));
}

} // namespace

ReferenceSheet &ReferenceSheet::shared()
{
    static ReferenceSheet sheet;
    return sheet;
}

ReferenceSheet::ReferenceSheet()
{
    m_size = renderer().defaultSize();
    for (int index = 0;; ++index) {
        const QString id = QStringLiteral("block%1").arg(index);
        if (!m_renderer->elementExists(id))
            break;
        m_blocks.append({id, m_renderer->boundsOnElement(id)});
    }
    QFile outline(OutlineSource);
    if (outline.open(QIODevice::ReadOnly))
        m_outline = ReadReferenceOutline(outline);
}

ReferenceSheet::~ReferenceSheet() = default;

QSvgRenderer &ReferenceSheet::renderer()
{
    if (!m_renderer)
        m_renderer = std::make_unique<QSvgRenderer>(SheetSource);
    return *m_renderer;
}

const QImage &ReferenceSheet::band(int index, qreal devicePixelRatio)
{
    const QPair<int, int> key(ScaleKey(devicePixelRatio), index);
    auto found = m_bands.constFind(key);
    if (found != m_bands.cend())
        return *found;

    const int top = index * BandRows;
    const int rows = std::min(BandRows, m_size.height() - top);
    QImage image(int(std::ceil(m_size.width() * devicePixelRatio)), int(std::ceil(rows * devicePixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(0, -top);
        const QRectF rowsDrawn(0, top, m_size.width(), rows);
        // Only the blocks that reach into the band: a band costs a few blocks,
        // not the whole sheet.
        for (const auto &[id, bounds] : std::as_const(m_blocks)) {
            if (bounds.intersects(rowsDrawn))
                renderer().render(&painter, id, bounds);
        }
    }
    found = m_bands.insert(key, image.convertToFormat(QImage::Format_Grayscale8));
    // Once every band of this scale is kept the parsed source is not needed.
    const int bands = (m_size.height() + BandRows - 1) / BandRows;
    if (std::count_if(m_bands.keyBegin(), m_bands.keyEnd(),
                      [&](const QPair<int, int> &k) { return k.first == key.first; }) == bands)
        m_renderer.reset();
    return *found;
}

void ReferenceSheet::paint(QPainter &painter, int top, QSize size, qreal devicePixelRatio)
{
    const int bottom = std::min(top + size.height(), m_size.height());
    if (size.width() <= 0 || top >= bottom || top < 0)
        return;
    const QRect clip(0, 0, std::min(size.width(), m_size.width()), bottom - top);
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    for (int index = top / BandRows; index * BandRows < bottom; ++index)
        painter.drawImage(QPointF(0, index * BandRows - top), band(index, devicePixelRatio));
    painter.restore();
}

QPixmap RenderReferenceSheet(qreal devicePixelRatio)
{
    QSvgRenderer renderer(SheetSource);
    const QSize logical = renderer.defaultSize();
    QPixmap sheet(int(std::ceil(logical.width() * devicePixelRatio)),
                  int(std::ceil(logical.height() * devicePixelRatio)));
    sheet.setDevicePixelRatio(devicePixelRatio);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), logical));
    return sheet;
}
