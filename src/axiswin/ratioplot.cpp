#include "axiswin/ratioplot.h"

#include "core/niceticks.h"
#include "units/numberformat.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const QColor PeakCurve(0x1f, 0x4e, 0x9c);
const QColor RmsCurve(0x6a, 0x3d, 0x9a);
const QColor SpeedCurve(0x1f, 0x4e, 0x9c);
const QColor LimitColour(0xb3, 0x26, 0x1e);
const QColor RatedColour(0xc0, 0x6a, 0x00);
const QColor MarkColour(0x40, 0x40, 0x40);
const QColor BandColour(0xdc, 0xef, 0xd6);
const QColor TextColour(0x20, 0x20, 0x20);
const QColor AxisColour(0x70, 0x70, 0x70);
const QColor GridColour(0xe4, 0xe4, 0xe4);

// A number as the window's boxes write it: ASCII digits, the boxes' decimal mark.
QString shownNumber(QString text)
{
    text.replace(u'.', LocaleDecimalSeparator());
    return text;
}

struct Curve
{
    AxisFigure RatioPoint::*member;
    QColor colour;
    Qt::PenStyle style;
    QString name;
};

struct Limit
{
    double value; // in the unit shown; not drawn unless above 0
    QColor colour;
    Qt::PenStyle style;
    QString name;
};

struct Panel
{
    QString title;
    double factor = 1;
    std::vector<Curve> curves;
    std::vector<Limit> limits;
    QRectF area;
    AxisTicks ticks;
    bool rising = false; // grows with the ratio: scaled to the ratios marked, not the range's end
    double y(double value) const
    {
        return area.bottom() - (value - ticks.low()) / (ticks.high() - ticks.low()) * area.height();
    }
};

class Drawing
{
public:
    Drawing(QPainter &painter, const QRectF &rect, const RatioPlotData &data)
        : m_painter(painter), m_rect(rect), m_data(data), m_font(painter.font()), m_bold(painter.font()),
          m_fm(m_font, painter.device()), m_boldFm(m_bold, painter.device())
    {
        m_bold.setBold(true);
        m_boldFm = QFontMetricsF(m_bold, painter.device());
        const QPaintDevice *device = painter.device();
        m_px = device && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
        m_gap = 4 * m_px;
        const QString torque = data.torqueUnit.trimmed(), speed = data.speedUnit.trimmed();
        m_panels.push_back(
            {QStringLiteral("Torque (%1)").arg(torque),
             data.torqueFactor,
             {{&RatioPoint::peakTorque, PeakCurve, Qt::SolidLine, QStringLiteral("Peak torque")},
              {&RatioPoint::rmsTorque, RmsCurve, Qt::DashLine, QStringLiteral("RMS torque")}},
             {{data.motor.peakTorque.value * data.torqueFactor, LimitColour, Qt::DashLine,
               QStringLiteral("Motor peak %1 %2")},
              {data.motor.ratedTorque.value * data.torqueFactor, RatedColour, Qt::DashDotLine,
               QStringLiteral("Motor rated %1 %2")}},
             {},
             {}});
        m_panels.push_back(
            {QStringLiteral("Motor speed (%1)").arg(speed),
             data.speedFactor,
             {{&RatioPoint::maxMotorSpeed, SpeedCurve, Qt::SolidLine, QStringLiteral("Motor speed")}},
             {{data.motor.maxSpeed.value * data.speedFactor, LimitColour, Qt::DashLine,
               QStringLiteral("Motor maximum %1 %2")}},
             {},
             {}});
        m_panels[1].rising = true;
        for (Limit &limit : m_panels[0].limits)
            limit.name = limit.name.arg(shownNumber(QString::number(limit.value, 'g', 4)), torque);
        for (Limit &limit : m_panels[1].limits)
            limit.name = limit.name.arg(shownNumber(QString::number(limit.value, 'g', 4)), speed);
    }

    MovePlotDrawing draw()
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.fillRect(m_rect, Qt::white);
        layOut();
        if (m_panels[0].area.height() > 2 * m_gap && m_panels[0].area.width() > 8 * m_gap) {
            drawBand();
            for (const Panel &panel : m_panels)
                drawPanel(panel);
            drawMarks();
            drawBandNames();
            drawRatioAxis();
            drawKey();
        }
        m_painter.restore();
        return {std::move(m_texts), std::move(m_lines)};
    }

private:
    double line() const { return m_fm.height(); }
    double snap(double at) const { return (std::floor(at / m_px) + 0.5) * m_px; }
    double x(double ratio) const
    {
        const BestRatio &b = m_data.best;
        const QRectF &area = m_panels[0].area;
        return area.left() + std::log(ratio / b.low) / std::log(b.high / b.low) * area.width();
    }
    QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine) const
    {
        return QPen(colour, width * m_px, style, Qt::FlatCap, Qt::RoundJoin);
    }
    void text(const QRectF &box, const QString &words, const QColor &colour, bool bold = false)
    {
        m_painter.setFont(bold ? m_bold : m_font);
        m_painter.setPen(colour);
        m_painter.drawText(box, Qt::AlignCenter, words);
        m_texts.push_back({words, box});
    }
    QRectF boxAt(double left, double top, const QString &words) const
    {
        return QRectF(left, top, m_fm.horizontalAdvance(words) + 2 * m_px, line());
    }

    // The value axis covers the curves where the motor could run (up to
    // three times the larger limit or the least value), so the steep ends
    // of the range do not flatten what matters.
    AxisTicks ticksFor(const Panel &panel, int count) const
    {
        double high = 0, least = HUGE_VAL, limits = 0;
        const double reach = panel.rising ? 1.5 * reachedRatio() : HUGE_VAL;
        for (const RatioPoint &point : m_data.best.sweep) {
            if (point.ratio > reach && high > 0)
                break;
            for (const Curve &curve : panel.curves) {
                if (const std::optional<double> v = (point.*curve.member).get()) {
                    high = std::max(high, std::fabs(*v) * panel.factor);
                    least = std::min(least, std::fabs(*v) * panel.factor);
                }
            }
        }
        for (const Limit &limit : panel.limits)
            limits = std::max(limits, limit.value);
        const double cap = 3 * std::max(limits, std::isfinite(least) ? 2 * least : 0.0);
        if (cap > 0 && !panel.rising)
            high = std::min(high, cap);
        return NiceTicks(0, std::max(high, limits) * 1.08, count);
    }

    // The highest ratio marked: an optimum, the reference or a band's closed end.
    double reachedRatio() const
    {
        const BestRatio &b = m_data.best;
        double reach = 0;
        for (const AxisFigure *ratio : {&b.peak.ratio, &b.rms.ratio, &b.inertiaMatch})
            reach = std::max(reach, ratio->ok() ? ratio->value() : 0.0);
        for (const RatioBand &band : b.feasible)
            reach = std::max(reach, band.openAbove ? band.from : band.to);
        return reach > 0 ? reach : b.high;
    }

    void layOut()
    {
        const double marksBand = 3 * line() + m_gap;
        const double axisBand = m_gap + line() + m_gap + m_boldFm.height() + m_gap + line();
        const double between = line() + m_gap;
        const double height = std::max(0.0, (m_rect.height() - marksBand - axisBand - between) / 2);
        const int count = std::clamp(int(height / (2 * line())) + 1, 3, 8);
        double labels = 0;
        for (Panel &panel : m_panels) {
            panel.ticks = ticksFor(panel, count);
            for (const double v : panel.ticks.values)
                labels = std::max(labels, m_fm.horizontalAdvance(tickText(v, panel.ticks.step)));
        }
        const double left = m_rect.left() + m_boldFm.height() + m_gap + labels + 2 * m_gap;
        const double right = m_rect.right() - 3 * m_gap - m_fm.horizontalAdvance(QStringLiteral("1000")) / 2;
        m_panels[0].area = QRectF(left, m_rect.top() + marksBand, right - left, height);
        m_panels[1].area = QRectF(left, m_panels[0].area.bottom() + between, right - left, height);
    }

    static QString tickText(double value, double step)
    {
        return shownNumber(TickText(value, step, QLocale::c()));
    }

    void drawBand()
    {
        for (const RatioBand &band : m_data.best.feasible) {
            const double from = x(band.from), to = x(band.to);
            for (const Panel &panel : m_panels)
                m_painter.fillRect(QRectF(from, panel.area.top(), to - from, panel.area.height()),
                                   BandColour);
        }
    }

    // Each band named in words at its top, over the marks' lines.
    void drawBandNames()
    {
        for (const RatioBand &band : m_data.best.feasible) {
            const double from = x(band.from), to = x(band.to);
            const QString words =
                m_fm.elidedText(QStringLiteral("feasible"), Qt::ElideRight, to - from - m_gap);
            if (words.size() >= 3) {
                const double width = m_fm.horizontalAdvance(words) + 2 * m_px;
                const QRectF box((from + to - width) / 2, m_panels[0].area.top() + m_px, width, line());
                m_painter.fillRect(box, BandColour);
                text(box, words, QColor(0x1b, 0x6e, 0x20));
            }
        }
    }

    void drawPanel(const Panel &panel)
    {
        const QRectF &area = panel.area;
        for (const double v : panel.ticks.values) {
            const double y = snap(panel.y(v));
            m_painter.setPen(pen(GridColour, 1));
            m_painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            const QString label = tickText(v, panel.ticks.step);
            const double width = m_fm.horizontalAdvance(label);
            text(QRectF(area.left() - 1.5 * m_gap - width, y - line() / 2, width, line()), label, TextColour);
        }
        // The title along the value axis.
        // Shortened to its unit where the panel is too low for it.
        QString title = panel.title;
        if (m_boldFm.horizontalAdvance(title) > area.height())
            title = title.mid(title.indexOf(u'(') + 1).chopped(1);
        title = m_boldFm.elidedText(title, Qt::ElideRight, area.height());
        const double width = m_boldFm.horizontalAdvance(title), height = m_boldFm.height();
        const QPointF centre(m_rect.left() + height / 2, area.center().y());
        m_painter.save();
        m_painter.translate(centre);
        m_painter.rotate(-90);
        m_painter.setFont(m_bold);
        m_painter.setPen(TextColour);
        m_painter.drawText(QRectF(-width / 2, -height / 2, width, height), Qt::AlignCenter, title);
        m_painter.restore();
        m_texts.push_back({title, QRectF(centre.x() - height / 2, centre.y() - width / 2, height, width)});

        m_painter.save();
        m_painter.setClipRect(area.adjusted(0, -m_px, 0, 0));
        for (const Curve &curve : panel.curves) {
            QPolygonF points;
            for (const RatioPoint &point : m_data.best.sweep)
                if (const std::optional<double> v = (point.*curve.member).get())
                    points.append(QPointF(x(point.ratio), panel.y(std::fabs(*v) * panel.factor)));
            m_painter.setPen(pen(curve.colour, 2, curve.style));
            m_painter.drawPolyline(points);
            m_lines.push_back(points);
        }
        for (const Limit &limit : panel.limits) {
            if (!(limit.value > 0) || limit.value > panel.ticks.high())
                continue;
            const double y = panel.y(limit.value);
            m_painter.setPen(pen(limit.colour, 1.5, limit.style));
            m_painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            m_lines.push_back({QPointF(area.left(), y), QPointF(area.right(), y)});
        }
        m_painter.restore();
        for (const Limit &limit : panel.limits) {
            if (!(limit.value > 0) || limit.value > panel.ticks.high())
                continue;
            const QString words = m_fm.elidedText(limit.name, Qt::ElideRight, area.width() / 2);
            const QRectF box = boxAt(area.right() - m_gap - m_fm.horizontalAdvance(words) - 2 * m_px,
                                     panel.y(limit.value) - line() - 2 * m_px, words);
            m_painter.fillRect(box, QColor(255, 255, 255, 200));
            text(box, words, limit.colour);
        }
        m_painter.setPen(pen(AxisColour, 1));
        m_painter.drawPolyline(QPolygonF{QPointF(snap(area.left()), area.top()),
                                         QPointF(snap(area.left()), snap(area.bottom())),
                                         QPointF(area.right(), snap(area.bottom()))});
    }

    // The optima and the reference across both panels, named above them in
    // the first of three rows where the name is clear of the others.
    void drawMarks()
    {
        const BestRatio &b = m_data.best;
        const std::pair<AxisFigure, QString> marks[] = {{b.peak.ratio, QStringLiteral("least peak")},
                                                        {b.rms.ratio, QStringLiteral("least RMS")},
                                                        {b.inertiaMatch, QStringLiteral("inertia match")}};
        std::vector<QRectF> placed;
        std::vector<double> lines;
        for (const auto &[ratio, name] : marks) {
            if (!ratio.ok() || ratio.value() < b.low || ratio.value() > b.high)
                continue;
            const double at = snap(x(ratio.value()));
            const QString words = QStringLiteral("%1 %2").arg(name, RatioLabel(ratio.value()));
            const double width = m_fm.horizontalAdvance(words) + 2 * m_px;
            const double leftEdge = std::clamp(at - width / 2, m_rect.left(), m_rect.right() - width);
            for (int row = 0; row < 3; ++row) {
                const QRectF box(leftEdge, m_rect.top() + row * line(), width, line());
                if (std::none_of(placed.begin(), placed.end(),
                                 [&](const QRectF &p) { return p.intersects(box); })) {
                    text(box, words, MarkColour);
                    placed.push_back(box);
                    lines.push_back(at);
                    break;
                }
            }
        }
        // Each line from below the lowest name over it, so none crosses a name.
        m_painter.setPen(pen(MarkColour, 1, Qt::DotLine));
        for (const double at : lines) {
            double top = m_rect.top();
            for (const QRectF &box : placed)
                if (box.left() <= at && at <= box.right())
                    top = std::max(top, box.bottom() + m_px);
            const QPolygonF mark{QPointF(at, top), QPointF(at, m_panels[1].area.bottom())};
            m_painter.drawPolyline(mark);
        }
    }

    // Decades labelled, with lighter lines at 2 and 5 times each.
    void drawRatioAxis()
    {
        const BestRatio &b = m_data.best;
        const double bottom = m_panels[1].area.bottom();
        QRectF last;
        for (int decade = int(std::floor(std::log10(b.low))); decade <= int(std::ceil(std::log10(b.high)));
             ++decade) {
            for (const double mantissa : {1.0, 2.0, 5.0}) {
                const double ratio = mantissa * std::pow(10.0, decade);
                if (ratio < b.low * (1 - 1e-9) || ratio > b.high * (1 + 1e-9))
                    continue;
                const double at = snap(x(ratio));
                for (const Panel &panel : m_panels) {
                    m_painter.setPen(pen(GridColour, 1, mantissa == 1 ? Qt::SolidLine : Qt::DotLine));
                    m_painter.drawLine(QPointF(at, panel.area.top()), QPointF(at, panel.area.bottom()));
                }
                if (mantissa != 1)
                    continue;
                m_painter.setPen(pen(AxisColour, 1));
                m_painter.drawLine(QPointF(at, bottom), QPointF(at, bottom + m_gap));
                const QString label = shownNumber(QString::number(ratio, 'g', 6));
                const double width = m_fm.horizontalAdvance(label);
                // The first clear of the value labels left of the axis.
                const QRectF box(std::max(at - width / 2, m_panels[1].area.left() - m_gap), bottom + m_gap,
                                 width, line());
                if (last.isNull() || box.left() > last.right() + m_gap) {
                    text(box, label, TextColour);
                    last = box;
                }
            }
        }
        const QString title = QStringLiteral("Gearbox ratio i (log scale)");
        const double width = m_boldFm.horizontalAdvance(title);
        text(QRectF(m_panels[1].area.center().x() - width / 2, bottom + 2 * m_gap + line(), width,
                    m_boldFm.height()),
             title, TextColour, true);
    }

    // What each curve's line is, under the ratio axis.
    void drawKey()
    {
        const double top = m_rect.bottom() - line();
        double left = m_panels[1].area.left();
        for (const Panel &panel : m_panels) {
            for (const Curve &curve : panel.curves) {
                const double sample = 5 * m_gap;
                if (left + sample + m_fm.horizontalAdvance(curve.name) > m_rect.right())
                    return;
                m_painter.setPen(pen(curve.colour, 2, curve.style));
                m_painter.drawLine(QPointF(left, top + line() / 2), QPointF(left + sample, top + line() / 2));
                const QRectF box = boxAt(left + sample + m_gap, top, curve.name);
                text(box, curve.name, TextColour);
                left = box.right() + 3 * m_gap;
            }
        }
    }

    QPainter &m_painter;
    const QRectF m_rect;
    const RatioPlotData &m_data;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_fm;
    QFontMetricsF m_boldFm;
    double m_px = 1;
    double m_gap = 4;
    std::vector<Panel> m_panels;
    std::vector<MovePlotText> m_texts;
    std::vector<QPolygonF> m_lines;
};

} // namespace

RatioPlot::RatioPlot(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(440, 300);
}

void RatioPlot::showRatios(const RatioPlotData &data)
{
    m_data = data;
    setAccessibleName(QStringLiteral("Peak and RMS torque and motor speed against the gearbox ratio"));
    update();
}

void RatioPlot::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    DrawRatioPlot(painter, rect(), m_data);
}

MovePlotDrawing DrawRatioPlot(QPainter &painter, const QRectF &rect, const RatioPlotData &data)
{
    return Drawing(painter, rect, data).draw();
}
