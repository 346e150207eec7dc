#include "app/warmup.h"

#include "widgets/valuefont.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace {

// Draws a few words in each face the windows use: the font configuration is
// read, each face's file opened and its glyphs hinted, as a window's first
// paint would do. The reference sheet's faces are DejaVu at the sheet's sizes.
void warmFonts()
{
    const QFont base = QApplication::font();
    QFont bold = base;
    bold.setBold(true);
    QFont serif(QStringLiteral("DejaVu Serif"));
    serif.setPixelSize(13);
    QFont serifItalic = serif;
    serifItalic.setItalic(true);
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(13);
    heading.setBold(true);
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QFont &font : {base, bold, ValueFont(base), serif, serifItalic, heading}) {
        painter.setFont(font);
        painter.drawText(0, 8, QStringLiteral("Sin cos 0.123456789 kg·m² θ μ"));
    }
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
            QTimer::singleShot(0, watched, [] { warmFonts(); });
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
