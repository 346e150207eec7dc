#include "app/warmup.h"

#include "infowin/referencesheet.h"
#include "widgets/valuefont.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace {

// What a first open would otherwise do: a few words drawn in each face the
// windows use (the font configuration read, each face's file opened and its
// glyphs hinted), the style's picture a menu bar's extension key takes (whose
// reading looks through every image-format plugin), and the reference
// sheet's first band, drawn once per process and kept.
void warmUp(qreal devicePixelRatio)
{
    QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16);
    const QFont base = QApplication::font();
    QFont bold = base;
    bold.setBold(true);
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QFont &font : {base, bold, ValueFont(base)}) {
        painter.setFont(font);
        painter.drawText(0, 8, QStringLiteral("Sin cos 0.123456789 kg·m² θ μ"));
    }
    ReferenceSheet::shared().paint(painter, 0, scratch.size(), devicePixelRatio);
}

class FirstPaintWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // After this paint is flushed to the screen, when the loop is idle.
            QWidget *strip = static_cast<QWidget *>(watched);
            QTimer::singleShot(0, strip, [strip] { warmUp(strip->devicePixelRatioF()); });
            deleteLater();
        }
        return false;
    }
};

} // namespace

void WarmUpAfterFirstPaint(QWidget *strip)
{
    strip->installEventFilter(new FirstPaintWatch(strip));
}
