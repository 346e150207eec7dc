#include "axiswin/plotcanvas.h"

#include "units/numberformat.h"

#include <QPaintDevice>
#include <QPainter>

namespace {

QFont bolded(QFont font)
{
    font.setBold(true);
    return font;
}

} // namespace

QString PlotNumber(QString text)
{
    text.replace(u'.', LocaleDecimalSeparator());
    return text;
}

QString PlotTickText(double value, double step)
{
    return PlotNumber(TickText(value, step, QLocale::c()));
}

PlotCanvas::PlotCanvas(QPainter &painter, const QRectF &rect)
    : m_painter(painter), m_rect(rect), m_font(painter.font()), m_bold(bolded(painter.font())),
      m_fm(m_font, painter.device()), m_boldFm(m_bold, painter.device())
{
    const QPaintDevice *device = painter.device();
    m_px = device && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
    m_gap = 4 * m_px;
}

void PlotCanvas::text(const QRectF &box, const QString &words, const QColor &colour, bool bold)
{
    m_painter.setFont(bold ? m_bold : m_font);
    m_painter.setPen(colour);
    m_painter.drawText(box, Qt::AlignCenter, words);
    m_texts.push_back({words, box});
}

void PlotCanvas::drawValueAxis(const QRectF &area, const AxisTicks &ticks,
                               const std::function<double(double)> &y, const QString &title)
{
    for (const double value : ticks.values) {
        const double at = snap(y(value));
        m_painter.setPen(pen(value == 0 ? PlotAxisColour : PlotGridColour, 1));
        m_painter.drawLine(QPointF(area.left(), at), QPointF(area.right(), at));
        m_painter.setPen(pen(PlotAxisColour, 1));
        m_painter.drawLine(QPointF(area.left() - m_gap, at), QPointF(area.left(), at));
        const QString label = PlotTickText(value, ticks.step);
        const double width = m_fm.horizontalAdvance(label);
        text(QRectF(area.left() - m_gap * 1.5 - width, at - line() / 2, width, line()), label,
             PlotTextColour);
    }
    drawValueTitle(area, title);
}

void PlotCanvas::drawValueTitle(const QRectF &area, const QString &fullTitle)
{
    const double room = area.height();
    const int open = fullTitle.indexOf(u'(');
    QString title = fullTitle;
    if (m_boldFm.horizontalAdvance(title) > room && open > 0)
        title = fullTitle.mid(open + 1).chopped(1);
    title = m_boldFm.elidedText(title, Qt::ElideRight, room);
    const double width = m_boldFm.horizontalAdvance(title);
    const double height = m_boldFm.height();
    const QPointF centre(m_rect.left() + height / 2, area.center().y());
    m_painter.save();
    m_painter.translate(centre);
    m_painter.rotate(-90);
    m_painter.setFont(m_bold);
    m_painter.setPen(PlotTextColour);
    m_painter.drawText(QRectF(-width / 2, -height / 2, width, height), Qt::AlignCenter, title);
    m_painter.restore();
    m_texts.push_back({title, QRectF(centre.x() - height / 2, centre.y() - width / 2, height, width)});
}
