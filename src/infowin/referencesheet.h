#pragma once
// The reference sheet as the viewer shows it: drawn from its SVG source in
// bands of rows, each band drawn once per process and screen scale and kept
// (as 8-bit grey, the sheet being black on white), so a new viewer window
// costs no drawing and only the bands scrolled to are ever drawn. A band is
// drawn from a small document of just the source's blocks that reach into
// it, parsed for that band and let go: the whole parsed sheet (some 1.7 MB)
// is never held. The sheet's words are outlines, each glyph a <use> of a path
// its <defs> holds once; a band's document takes only the paths its blocks
// use. No font is loaded to draw it.

#include "info/referenceoutline.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

class ReferenceSheet
{
public:
    // The one sheet of the process, read from the program's resources.
    static ReferenceSheet &shared();
    ~ReferenceSheet();
    Q_DISABLE_COPY(ReferenceSheet)

    // The sheet's size in logical pixels, as its source states it.
    QSize size() const { return m_size; }
    const ReferenceOutline &outline() const { return m_outline; }

    // Paints the band of the sheet that starts at row `top` and is `band`
    // logical pixels large at the painter's origin, for a screen of the given
    // scale; nothing where the band runs past the sheet.
    void paint(QPainter &painter, int top, QSize size, qreal devicePixelRatio);

private:
    ReferenceSheet();
    void takeGlyphs();
    const QImage &band(int index, qreal devicePixelRatio);

    struct Block
    {
        QByteArrayView text; // the block's element, in the source
        int top = 0;         // the rows it may draw on
        int bottom = 0;
        QList<qsizetype> glyphs; // the definitions it uses, by index in m_glyphs
    };

    QByteArray m_source; // read in place from the program's resources
    QSize m_size;
    ReferenceOutline m_outline;
    QByteArray m_head;              // the source before its first block, less its definitions
    QByteArray m_tail;              // and after its last
    qsizetype m_glyphsAt = 0;       // where in m_head the definitions go
    QList<QByteArrayView> m_glyphs; // each definition, a line of the source's <defs>
    QList<Block> m_blocks;
    QHash<QPair<int, int>, QImage> m_bands; // (scale in hundredths, band index) -> picture
};

// The whole sheet drawn at once from its source at the given screen scale
// (the pixmap's logical size is the sheet's size): what the bands add up to.
QPixmap RenderReferenceSheet(qreal devicePixelRatio);
