#include "infowin/referencesheet.h"

#include <QFile>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <cmath>

namespace {

const QString SheetSource = QStringLiteral(":/reference/sheet.svg");
const QString OutlineSource = QStringLiteral(":/reference/sheet.txt");

// Rows per band: a band at the usual screen scales (1, 1.25, 1.5, 2) starts
// on a whole device pixel, so bands meet without a seam.
constexpr int BandRows = 256;

// Rows a block's drawing may reach past the rows it is placed on (a
// descender, a stroke's width); drawing a block a band only grazes is harmless.
constexpr int BlockOverhang = 16;

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

// The source's blocks are its <g id="blockN" transform="translate(0,Y)">
// elements, placed top to bottom, none inside another; each is taken to
// reach from its Y to the next block's. Stored uncompressed, the source is
// read in place from the program, and blocks and glyphs are views into it.
ReferenceSheet::ReferenceSheet() : m_source(QResource(SheetSource).uncompressedData())
{
    static constexpr QByteArrayView BlockStart = "<g id=\"block";
    static constexpr QByteArrayView Shift = "translate(0,";
    qsizetype end = 0;
    for (qsizetype start = m_source.indexOf(BlockStart); start >= 0;
         start = m_source.indexOf(BlockStart, end)) {
        if (m_blocks.isEmpty())
            m_head = m_source.left(start);
        end = m_source.indexOf("</g>", start);
        if (end < 0)
            break;
        end += 4;
        const qsizetype shift = m_source.indexOf(Shift, start) + Shift.size();
        const int top = QByteArrayView(m_source).sliced(shift, m_source.indexOf(')', shift) - shift).toInt();
        if (!m_blocks.isEmpty())
            m_blocks.last().bottom = top + BlockOverhang;
        m_blocks.append({QByteArrayView(m_source).sliced(start, end - start), top - BlockOverhang, 0, {}});
    }
    if (m_blocks.isEmpty()) {
        m_head = m_source; // drawn whole, band by band
    } else {
        m_tail = m_source.sliced(end);
        takeGlyphs();
    }
    // The size, from the source without its blocks.
    m_size = QSvgRenderer(m_head + m_tail).defaultSize();
    if (!m_blocks.isEmpty())
        m_blocks.last().bottom = m_size.height();

    QFile outline(OutlineSource);
    if (outline.open(QIODevice::ReadOnly))
        m_outline = ReadReferenceOutline(outline);
}

ReferenceSheet::~ReferenceSheet() = default;

// The glyph outlines, the lines of the head's <defs> (each a <path id="…"/>),
// taken out of the head; each block notes those its <use> elements name.
void ReferenceSheet::takeGlyphs()
{
    static constexpr QByteArrayView DefsStart = "<defs>\n";
    static constexpr QByteArrayView Link = "xlink:href=\"#";
    const qsizetype start = m_head.indexOf(DefsStart);
    const qsizetype end = m_head.indexOf("</defs>", start);
    if (start < 0 || end < 0)
        return;
    m_glyphsAt = start + DefsStart.size();
    QHash<QByteArray, qsizetype> index;
    for (qsizetype line = m_glyphsAt; line < end;) {
        qsizetype next = m_source.indexOf('\n', line);
        next = next < 0 || next >= end ? end : next + 1;
        const qsizetype id = m_source.indexOf("id=\"", line) + 4;
        if (id >= 4 && id < next)
            index.insert(m_source.sliced(id, m_source.indexOf('"', id) - id), m_glyphs.size());
        m_glyphs.append(QByteArrayView(m_source).sliced(line, next - line));
        line = next;
    }
    m_head = m_head.left(m_glyphsAt) + m_head.sliced(end);
    for (Block &block : m_blocks) {
        const qsizetype from = block.text.data() - m_source.constData();
        const qsizetype to = from + block.text.size();
        for (qsizetype at = m_source.indexOf(Link, from); at >= 0 && at < to;
             at = m_source.indexOf(Link, at)) {
            at += Link.size();
            const auto found = index.constFind(m_source.sliced(at, m_source.indexOf('"', at) - at));
            if (found != index.cend())
                block.glyphs.append(*found);
        }
        std::sort(block.glyphs.begin(), block.glyphs.end());
        block.glyphs.erase(std::unique(block.glyphs.begin(), block.glyphs.end()), block.glyphs.end());
    }
}

const QImage &ReferenceSheet::band(int index, qreal devicePixelRatio)
{
    const QPair<int, int> key(ScaleKey(devicePixelRatio), index);
    auto found = m_bands.constFind(key);
    if (found != m_bands.cend())
        return *found;

    const int top = index * BandRows;
    const int rows = std::min(BandRows, m_size.height() - top);
    QList<const Block *> drawn;
    QList<bool> used(m_glyphs.size(), false);
    for (const Block &block : std::as_const(m_blocks)) {
        if (block.top < top + rows && top < block.bottom) {
            drawn.append(&block);
            for (qsizetype glyph : block.glyphs)
                used[glyph] = true;
        }
    }
    QByteArray document = m_head.left(m_glyphsAt);
    for (qsizetype glyph = 0; glyph < m_glyphs.size(); ++glyph) {
        if (used.at(glyph))
            document += m_glyphs.at(glyph);
    }
    document += QByteArrayView(m_head).sliced(m_glyphsAt);
    for (const Block *block : std::as_const(drawn))
        document += block->text;
    document += m_tail;

    QImage image(int(std::ceil(m_size.width() * devicePixelRatio)), int(std::ceil(rows * devicePixelRatio)),
                 QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(0, -top);
        QSvgRenderer(document).render(&painter, QRectF(QPointF(0, 0), m_size));
    }
    return *m_bands.insert(key, image.convertToFormat(QImage::Format_Grayscale8));
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
