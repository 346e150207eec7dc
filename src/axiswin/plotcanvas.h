#pragma once
// What the program's painter plots share: the painter and its rectangle, the
// text fonts and their metrics on its device, lines as thick as on a screen
// of 96 dots an inch, the texts drawn (so a test can check none covers
// another), and a value axis's grid, labels and title. Numbers are written as
// the window's boxes write them: ASCII digits, a leading minus sign and the
// decimal mark the boxes read.

#include "core/niceticks.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPainter;

// A text a plot shows and where, in the painter's coordinates.
struct PlotText
{
    QString text;
    QRectF box;
};

inline const QColor PlotTextColour(0x20, 0x20, 0x20);
inline const QColor PlotAxisColour(0x70, 0x70, 0x70);
inline const QColor PlotGridColour(0xe4, 0xe4, 0xe4);

// A number's text with the boxes' decimal mark.
QString PlotNumber(QString text);
// A tick's label, exact to the step.
QString PlotTickText(double value, double step);

class PlotCanvas
{
protected:
    PlotCanvas(QPainter &painter, const QRectF &rect);

    double line() const { return m_fm.height(); }
    // A coordinate on the middle of a device pixel, so thin straight lines stay sharp.
    double snap(double at) const { return (std::floor(at / m_px) + 0.5) * m_px; }
    QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine) const
    {
        return QPen(colour, width * m_px, style, Qt::FlatCap, Qt::RoundJoin);
    }
    // Words centred in a box, kept among the texts drawn.
    void text(const QRectF &box, const QString &words, const QColor &colour, bool bold = false);
    // A grid line, a tick and a label at each tick (at 0 the line is the
    // axis's), y mapping a value to the page, and the axis's title.
    void drawValueAxis(const QRectF &area, const AxisTicks &ticks, const std::function<double(double)> &y,
                       const QString &title);
    // The title along the value axis, at the rectangle's left edge,
    // shortened to the unit in brackets where the plot is too low for it.
    void drawValueTitle(const QRectF &area, const QString &title);

    QPainter &m_painter;
    const QRectF m_rect;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_fm;
    QFontMetricsF m_boldFm;
    double m_px = 1;
    double m_gap = 4;
    std::vector<PlotText> m_texts;
};
