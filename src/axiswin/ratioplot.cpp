#include "axiswin/ratioplot.h"

#include "axiswin/plotcanvas.h"

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

class Drawing : PlotCanvas
{
public:
    Drawing(QPainter &painter, const QRectF &rect, const RatioPlotData &data)
        : PlotCanvas(painter, rect), m_data(data)
    {
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
            limit.name = limit.name.arg(PlotNumber(QString::number(limit.value, 'g', 4)), torque);
        for (Limit &limit : m_panels[1].limits)
            limit.name = limit.name.arg(PlotNumber(QString::number(limit.value, 'g', 4)), speed);
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
    double x(double ratio) const
    {
        const BestRatio &b = m_data.best;
        const QRectF &area = m_panels[0].area;
        return area.left() + std::log(ratio / b.low) / std::log(b.high / b.low) * area.width();
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
                labels = std::max(labels, m_fm.horizontalAdvance(PlotTickText(v, panel.ticks.step)));
        }
        const double left = m_rect.left() + m_boldFm.height() + m_gap + labels + 2 * m_gap;
        const double right = m_rect.right() - 3 * m_gap - m_fm.horizontalAdvance(QStringLiteral("1000")) / 2;
        m_panels[0].area = QRectF(left, m_rect.top() + marksBand, right - left, height);
        m_panels[1].area = QRectF(left, m_panels[0].area.bottom() + between, right - left, height);
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
        drawValueAxis(
            area, panel.ticks, [&panel](double value) { return panel.y(value); }, panel.title);

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
        m_painter.setPen(pen(PlotAxisColour, 1));
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
                    m_painter.setPen(pen(PlotGridColour, 1, mantissa == 1 ? Qt::SolidLine : Qt::DotLine));
                    m_painter.drawLine(QPointF(at, panel.area.top()), QPointF(at, panel.area.bottom()));
                }
                if (mantissa != 1)
                    continue;
                m_painter.setPen(pen(PlotAxisColour, 1));
                m_painter.drawLine(QPointF(at, bottom), QPointF(at, bottom + m_gap));
                const QString label = PlotNumber(QString::number(ratio, 'g', 6));
                const double width = m_fm.horizontalAdvance(label);
                // The first clear of the value labels left of the axis.
                const QRectF box(std::max(at - width / 2, m_panels[1].area.left() - m_gap), bottom + m_gap,
                                 width, line());
                if (last.isNull() || box.left() > last.right() + m_gap) {
                    text(box, label, PlotTextColour);
                    last = box;
                }
            }
        }
        const QString title = QStringLiteral("Gearbox ratio i (log scale)");
        const double width = m_boldFm.horizontalAdvance(title);
        text(QRectF(m_panels[1].area.center().x() - width / 2, bottom + 2 * m_gap + line(), width,
                    m_boldFm.height()),
             title, PlotTextColour, true);
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
                text(box, curve.name, PlotTextColour);
                left = box.right() + 3 * m_gap;
            }
        }
    }

    const RatioPlotData &m_data;
    std::vector<Panel> m_panels;
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
