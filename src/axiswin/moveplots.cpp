#include "axiswin/moveplots.h"

#include "axiswin/plotcanvas.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

const char *const SegmentNames[MoveSegmentCount] = {"accel", "constant", "decel", "dwell"};
const QColor CurveColour(0x1f, 0x4e, 0x9c);
const QColor PeakColour(0xb3, 0x26, 0x1e);
const QColor BoundaryColour(0x80, 0x80, 0x80);
const QColor RatedColour(0xc0, 0x6a, 0x00);
// Behind the marked move's span: light enough that every line reads on it.
const QColor MarkedColour(0xe3, 0xec, 0xf8);
// A limit's value, short, as the axes show theirs.
QString plainNumber(double value)
{
    return PlotNumber(QString::number(value, 'g', 4));
}

bool given(double value)
{
    return value > 0 && std::isfinite(value);
}

// A motor limit drawn across a plot, named on its line.
struct Limit
{
    double value;
    QColor colour;
    Qt::PenStyle style;
    bool above; // its label above the line by preference
    QString text;
};

// A motor curve drawn in a plot, in the pen of its limit line.
struct Trace
{
    QList<QPointF> points;
    QColor colour;
    Qt::PenStyle style;
};

// A stretch of the horizontal axis named above a plot: a segment of a
// one-move cycle, named in its middle, or a move of a longer one, numbered
// at its start.
struct Span
{
    double from;
    double to;
    QString name;
    bool atStart = false;
    bool marked = false; // its name in bold
};

// One plot: a curve against a value axis over a horizontal axis from 0, the
// limits across it, and, once laid out, its place on the page. Plots that
// share a horizontal axis are stacked; the last of them labels it.
struct Plot
{
    QString title;                                 // of the value axis, with its unit
    QList<QPointF> curve;                          // (horizontal, value) in the units shown
    std::vector<Limit> limits;                     // drawn below zero too where the plot is mirrored
    bool mirrored = false;                         // the value axis even about zero
    double xHigh = 1;                              // the horizontal axis's end
    QString xTitle;                                // empty: the plot below labels the axis
    std::vector<double> dividers;                  // lines across the plot at these horizontal values
    std::vector<Span> spans;                       // named above the plot
    std::vector<Trace> traces;                     // the motor's curves, in their pens
    QList<QPointF> markers;                        // points marked on the curve
    std::optional<std::pair<double, double>> band; // a stretch marked behind the curves

    QRectF area;
    AxisTicks ticks;  // of the value axis
    AxisTicks xTicks; // of the horizontal axis, where the plot labels it

    bool labelsX() const { return !xTitle.isEmpty(); }
    double x(double at) const { return area.left() + at / xHigh * area.width(); }
    double y(double value) const
    {
        return area.bottom() - (value - ticks.low()) / (ticks.high() - ticks.low()) * area.height();
    }
};

// A plot of one of the move's curves over the cycle, in the unit shown;
// one that goes below zero is mirrored.
Plot timePlot(const QString &quantity, const QString &unit, const std::vector<QPointF> &curve, double factor,
              double cycle)
{
    Plot plot;
    plot.title = QStringLiteral("%1 (%2)").arg(quantity, unit);
    plot.xHigh = cycle;
    for (const QPointF &p : curve) {
        plot.curve.append({p.x(), p.y() * factor});
        plot.mirrored = plot.mirrored || p.y() < 0;
    }
    return plot;
}

void addLimit(Plot &plot, double value, const QColor &colour, Qt::PenStyle style, bool above,
              const QString &name, const QString &unit)
{
    if (given(value))
        plot.limits.push_back(
            {value, colour, style, above, QStringLiteral("%1 %2 %3").arg(name, plainNumber(value), unit)});
}

// The segments' boundaries across every plot, their names above the first;
// in a cycle of several moves, the moves' boundaries and numbers instead.
void addSegments(std::vector<Plot> &plots, const MoveResults &results, double cycle, int marked)
{
    if (results.moves.size() > 1) {
        for (std::size_t m = 0; m < results.moves.size(); ++m) {
            const double start = results.moves[m].start;
            const double end = m + 1 < results.moves.size() ? results.moves[m + 1].start : cycle;
            if (start > 0 && start < cycle * (1 - 1e-9))
                for (Plot &plot : plots)
                    plot.dividers.push_back(start);
            plots.front().spans.push_back(
                {start, std::min(end, cycle), QString::number(m + 1), true, int(m) == marked});
        }
        return;
    }
    for (const MoveSegment &segment : results.segments) {
        if (segment.duration <= 0)
            continue;
        const double end = segment.start + segment.duration;
        for (Plot &plot : plots)
            if (end < cycle * (1 - 1e-9))
                plot.dividers.push_back(end);
        plots.front().spans.push_back(
            {segment.start, std::min(end, cycle), QString::fromLatin1(SegmentNames[int(segment.kind)])});
    }
}

// A motor curve up to the plot's end (a drop to 0 where it ends before),
// in the units shown, upside down for the braking side.
QList<QPointF> curveTrace(const TorqueCurve &curve, double xHigh, double speedFactor, double torqueFactor,
                          double sign)
{
    QList<QPointF> trace;
    for (const TorquePoint &point : curve.points) {
        const double x = point.speed * speedFactor;
        if (x > xHigh) {
            trace.append({xHigh, sign * TorqueAt(curve, xHigh / speedFactor) * torqueFactor});
            return trace;
        }
        trace.append({x, sign * point.torque * torqueFactor});
    }
    if (!trace.isEmpty())
        trace.append({trace.last().x(), 0});
    return trace;
}

// The operating points on the speed–torque plane and the path between them,
// with the motor's peak and continuous curves on both sides of zero.
Plot speedTorquePlot(const MovePlotData &data, const QString &speedUnit, const QString &torqueUnit)
{
    Plot plot;
    plot.title = QStringLiteral("Torque (%1)").arg(torqueUnit);
    plot.xTitle = QStringLiteral("Speed (%1)").arg(speedUnit);
    plot.mirrored = true;
    double top = 0;
    // A move back runs the motor the other way: its points show by the size
    // of the speed, their torques driving (above) or braking (below) in the
    // direction of its motion, against the same curves.
    // The peak check's worst point inside a segment shows too, after its start.
    const std::vector<MoveSegment> &segments = data.results.segments;
    const MotorCheck &peak = data.results.checks[std::size_t(MotorCheckKind::PeakTorque)];
    for (std::size_t p = 0; p < data.results.points.size(); ++p) {
        const OperatingPoint &point = data.results.points[p];
        if (!point.used)
            continue;
        const MoveSegment *segment = p / 2 < segments.size() ? &segments[p / 2] : nullptr;
        const double direction = segment && segment->speedFrom + segment->speedTo < 0 ? -1 : 1;
        const bool inside = peak.at.inside && peak.point == int(p);
        for (const OperatingPoint *shown : {&point, inside ? &peak.at : nullptr}) {
            if (!shown)
                continue;
            const QPointF at(shown->speed * direction * data.speedFactor,
                             shown->torque * direction * data.torqueFactor);
            plot.curve.append(at);
            plot.markers.append(at);
            top = std::max(top, at.x());
        }
    }
    const MotorCurves curves = CurvesOf(data.motor);
    // Up to the motor's end, where it is near the move's top speed.
    double xHigh = top;
    for (const TorqueCurve *curve : {&curves.peak, &curves.continuous})
        xHigh = std::max(xHigh, std::min(CurveEndSpeed(*curve) * data.speedFactor, 1.5 * top));
    plot.xHigh = xHigh > 0 && std::isfinite(xHigh) ? xHigh * 1.02 : 1;
    const std::pair<const TorqueCurve *, bool> shown[] = {
        {&curves.peak, curves.peakProblem.isEmpty()},
        {&curves.continuous, curves.continuousProblem.isEmpty()}};
    for (const auto &[curve, usable] : shown) {
        if (!usable || plot.curve.isEmpty())
            continue;
        const bool peak = curve == &curves.peak;
        for (const double sign : {1.0, -1.0})
            plot.traces.push_back({curveTrace(*curve, plot.xHigh, data.speedFactor, data.torqueFactor, sign),
                                   peak ? PeakColour : RatedColour, peak ? Qt::DashLine : Qt::DashDotLine});
    }
    return plot;
}

// The move's plots: speed above torque, over one cycle, with the motor's
// limits, and torque against speed; a move without curves shows its axes
// only, and why.
std::vector<Plot> movePlots(const MovePlotData &data, const MoveCurves &curves, double cycle)
{
    const QString speedUnit = data.speedUnit.trimmed();
    const QString torqueUnit = data.torqueUnit.trimmed();
    std::vector<Plot> plots{
        timePlot(QStringLiteral("Speed"), speedUnit, curves.speed, data.speedFactor, cycle),
        timePlot(QStringLiteral("Torque"), torqueUnit, curves.torque, data.torqueFactor, cycle)};
    Plot &speed = plots[0];
    Plot &torque = plots[1];
    torque.xTitle = QStringLiteral("Time (s)");
    if (speed.curve.isEmpty()) {
        plots.push_back(speedTorquePlot(data, speedUnit, torqueUnit));
        return plots;
    }
    addLimit(speed, data.motor.maxSpeed.value * data.speedFactor, PeakColour, Qt::DashLine, true,
             QStringLiteral("Maximum speed"), speedUnit);
    addLimit(torque, data.motor.ratedTorque.value * data.torqueFactor, RatedColour, Qt::DashDotLine, false,
             QStringLiteral("Rated torque"), torqueUnit);
    addLimit(torque, data.motor.peakTorque.value * data.torqueFactor, PeakColour, Qt::DashLine, true,
             QStringLiteral("Peak torque"), torqueUnit);
    addSegments(plots, data.results, cycle, data.markedMove);
    for (Plot &plot : plots)
        plot.band = MarkedSpan(data);
    plots.push_back(speedTorquePlot(data, speedUnit, torqueUnit));
    return plots;
}

bool segmentHits(const QLineF &segment, const QRectF &box)
{
    if (box.contains(segment.p1()) || box.contains(segment.p2()))
        return true;
    const QLineF edges[] = {{box.topLeft(), box.topRight()},
                            {box.bottomLeft(), box.bottomRight()},
                            {box.topLeft(), box.bottomLeft()},
                            {box.topRight(), box.bottomRight()}};
    return std::any_of(std::begin(edges), std::end(edges), [&segment](const QLineF &edge) {
        return segment.intersects(edge, nullptr) == QLineF::BoundedIntersection;
    });
}

bool lineHits(const QPolygonF &line, const QRectF &box)
{
    for (qsizetype k = 1; k < line.size(); ++k) {
        if (segmentHits(QLineF(line[k - 1], line[k]), box))
            return true;
    }
    return false;
}

// Draws the plots once their data and the page are known.
class Drawing : PlotCanvas
{
public:
    Drawing(QPainter &painter, const QRectF &rect, const MovePlotData &data)
        : PlotCanvas(painter, rect), m_data(data)
    {
        // Enough points that an S-curve's rounded corners draw as curves.
        const MoveCurves curves = SampleMove(data.results, 6);
        m_drawn = !curves.speed.empty();
        const double cycle =
            m_drawn && data.results.cycleTime.value() > 0 ? data.results.cycleTime.value() : 1;
        m_plots = data.speedTorqueOnly ? std::vector<Plot>{speedTorquePlot(data, data.speedUnit.trimmed(),
                                                                           data.torqueUnit.trimmed())}
                                       : movePlots(data, curves, cycle);
    }

    MovePlotDrawing draw()
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.fillRect(m_rect, Qt::white);
        layOut();
        // Where three plots would be too low to read, the speed and torque
        // over time keep the room, and torque against speed gives way.
        if (m_plots.size() > 2 && m_plots.back().area.height() < 4 * line()) {
            m_plots.pop_back();
            layOut();
        }
        const bool room = std::all_of(m_plots.begin(), m_plots.end(), [this](const Plot &plot) {
            return plot.area.width() > 4 * m_gap && plot.area.height() > m_gap;
        });
        if (room) {
            for (const Plot &plot : m_plots)
                drawBand(plot);
            for (const Plot &plot : m_plots)
                trace(plot);
            for (const Plot &plot : m_plots)
                drawGrid(plot);
            for (const Plot &plot : m_plots)
                placeLimitLabels(plot);
            drawLines();
            drawLimitLabels();
            for (const Plot &plot : m_plots)
                drawHorizontalAxis(plot);
            for (const Plot &plot : m_plots)
                drawSpans(plot);
        }
        drawMessage();
        m_painter.restore();
        return {std::move(m_texts), std::move(m_drawnLines)};
    }

private:
    // Below a plot: its horizontal axis's labels and title, or the gap to the
    // plot below on the same axis, wide enough for the value labels that
    // straddle the plots' edges.
    double bandBelow(const Plot &plot, bool last) const
    {
        const double between = 1.5 * line() + m_gap;
        if (!plot.labelsX())
            return between;
        return m_gap + line() + m_gap / 2 + m_boldFm.height() + (last ? 0 : between);
    }
    // Room above a limit's line for its name.
    double labelRoom() const { return line() + 4 * m_px; }

    // The plots stacked down the rectangle, under the names of the segments,
    // each as high as the others, right of the value labels.
    void layOut()
    {
        const double namesBand = line() + m_gap;
        double bands = namesBand + m_gap;
        for (const Plot &plot : m_plots)
            bands += bandBelow(plot, &plot == &m_plots.back());
        const double height = std::max(0.0, (m_rect.height() - bands) / double(m_plots.size()));
        for (Plot &plot : m_plots)
            plot.ticks = valueTicks(plot, height);
        const double left = valueAxesRight();
        const double right = horizontalAxesRight(left);
        double top = m_rect.top() + namesBand;
        for (Plot &plot : m_plots) {
            plot.area = QRectF(left, top, right - left, height);
            top = plot.area.bottom() + bandBelow(plot, &plot == &m_plots.back());
        }
    }

    // About one tick per two lines of text, a little headroom so a peak on
    // a round value does not sit on the edge, and, where the plot has
    // limits, a line of room above the highest limit or curve for a name.
    AxisTicks valueTicks(const Plot &plot, double height) const
    {
        const int count = std::clamp(int(height / (2 * line())) + 1, 3, 8);
        double low = 0;
        double high = 0;
        for (const QPointF &p : plot.curve) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
        for (const Limit &limit : plot.limits)
            high = std::max(high, limit.value);
        for (const Trace &trace : plot.traces) {
            for (const QPointF &p : trace.points)
                high = std::max(high, std::fabs(p.y()));
        }
        if (plot.mirrored)
            high = std::max(high, -low);
        const auto ticks = [&](double top) {
            return NiceTicks(plot.mirrored ? -top : low * 1.05, top, count);
        };
        AxisTicks result = ticks(high * 1.05);
        const double share = labelRoom() / std::max(height, 1.0); // of the axis a name needs
        for (int k = 0; k < 3 && !plot.limits.empty() && share < 0.4; ++k) {
            if (result.high() - high >= share * (result.high() - result.low()))
                break;
            // The top that leaves the name its room, the axis's low end as it is.
            const double needed =
                plot.mirrored ? high / (1 - 2 * share) : (high - share * result.low()) / (1 - share);
            result = ticks(std::max(needed, result.high() * 1.01));
        }
        return result;
    }

    // Where the plots start: right of the axis titles and the widest value label.
    double valueAxesRight() const
    {
        double labels = 0;
        for (const Plot &plot : m_plots) {
            for (const double value : plot.ticks.values)
                labels = std::max(labels, m_fm.horizontalAdvance(PlotTickText(value, plot.ticks.step)));
        }
        return m_rect.left() + m_boldFm.height() + m_gap + labels + m_gap / 2 + m_gap;
    }

    // Where the plots end, with as many horizontal ticks as their labels
    // leave room for, the last label inside the rectangle.
    double horizontalAxesRight(double left)
    {
        double right = m_rect.right() - 2 * m_gap;
        for (Plot &plot : m_plots) {
            if (!plot.labelsX())
                continue;
            for (int count = 8; count >= 3; --count) {
                plot.xTicks = NiceTicks(0, plot.xHigh, count);
                double widest = 0;
                for (const double value : plot.xTicks.values)
                    widest = std::max(widest, m_fm.horizontalAdvance(PlotTickText(value, plot.xTicks.step)));
                right = std::min(right, m_rect.right() - std::max(2 * m_gap, widest / 2 + m_gap));
                if (plot.xTicks.step / plot.xHigh * (right - left) >= widest + 3 * m_gap)
                    break;
            }
        }
        return right;
    }

    // The marked stretch, under the grid and the curves.
    void drawBand(const Plot &plot)
    {
        if (!plot.band)
            return;
        const double from = std::clamp(plot.x(plot.band->first), plot.area.left(), plot.area.right());
        const double to = std::clamp(plot.x(plot.band->second), plot.area.left(), plot.area.right());
        m_painter.fillRect(QRectF(from, plot.area.top(), to - from, plot.area.height()), MarkedColour);
    }

    void drawGrid(const Plot &plot)
    {
        drawValueAxis(
            plot.area, plot.ticks, [&plot](double value) { return plot.y(value); }, plot.title);
    }

    // The lines a plot draws, in page coordinates, before any is drawn, so
    // the limits' names can be placed clear of them: the axes, the limits and
    // the curve, which no text may cover, and the segment boundaries, which
    // break where a name cannot go elsewhere.
    void trace(const Plot &plot)
    {
        const QRectF &area = plot.area;
        const double left = snap(area.left());
        const double bottom = snap(area.bottom());
        m_lines.push_back(
            {QPolygonF{QPointF(left, area.top()), QPointF(left, bottom), QPointF(area.right(), bottom)},
             pen(PlotAxisColour, 1)});
        for (const double at : plot.dividers)
            m_dividers.push_back(
                {QPointF(snap(plot.x(at)), area.top()), QPointF(snap(plot.x(at)), area.bottom())});
        for (const Limit &limit : plot.limits) {
            for (const double value : {limit.value, -limit.value}) {
                if (value > 0 || plot.mirrored) {
                    const double y = plot.y(value);
                    m_lines.push_back({{QPointF(area.left(), y), QPointF(area.right(), y)},
                                       pen(limit.colour, 1.5, limit.style)});
                }
            }
        }
        for (const Trace &trace : plot.traces) {
            QPolygonF line;
            for (const QPointF &p : trace.points)
                line.append({plot.x(p.x()), plot.y(p.y())});
            m_lines.push_back({line, pen(trace.colour, 1.5, trace.style)});
        }
        QPolygonF curve;
        for (const QPointF &p : plot.curve)
            curve.append({plot.x(p.x()), plot.y(p.y())});
        m_lines.push_back({curve, pen(CurveColour, 2)});
        // Each operating point a small square on the path.
        const double r = 2.5 * m_px;
        for (const QPointF &p : plot.markers) {
            const QPointF c(plot.x(p.x()), plot.y(p.y()));
            m_lines.push_back({QPolygonF{c + QPointF(-r, -r), c + QPointF(r, -r), c + QPointF(r, r),
                                         c + QPointF(-r, r), c + QPointF(-r, -r)},
                               pen(CurveColour, 1.5)});
        }
    }

    // The segment boundaries, broken where a name stands, under the limits and the curves.
    void drawLines()
    {
        m_painter.setPen(pen(BoundaryColour, 1, Qt::DotLine));
        for (const QPolygonF &divider : m_dividers) {
            const double x = divider.first().x();
            const double end = divider.last().y();
            std::vector<std::pair<double, double>> breaks;
            for (const Label &label : m_labels)
                if (label.box.left() - 2 * m_px <= x && x <= label.box.right() + 2 * m_px)
                    breaks.push_back({label.box.top() - 2 * m_px, label.box.bottom() + 2 * m_px});
            std::sort(breaks.begin(), breaks.end());
            breaks.push_back({end, end});
            double from = divider.first().y();
            for (const auto &[top, bottom] : breaks) {
                if (std::min(top, end) > from) {
                    const QPolygonF piece{QPointF(x, from), QPointF(x, std::min(top, end))};
                    m_painter.drawPolyline(piece);
                    m_drawnLines.push_back(piece);
                }
                from = std::max(from, bottom);
            }
        }
        for (const auto &[points, linePen] : m_lines) {
            m_painter.setPen(linePen);
            m_painter.drawPolyline(points);
            m_drawnLines.push_back(points);
        }
    }

    bool clearOfTexts(const QRectF &box) const
    {
        return std::none_of(m_texts.begin(), m_texts.end(),
                            [&box](const MovePlotText &placed) { return placed.box.intersects(box); });
    }

    // Whether a box is inside area, clear of the texts and of the lines'
    // thickness, and, unless they may break, of the segment boundaries.
    bool free(const QRectF &box, const QRectF &area, bool dividersToo) const
    {
        const QRectF clear = box.adjusted(-1.5 * m_px, -1.5 * m_px, 1.5 * m_px, 1.5 * m_px);
        const auto hits = [&clear](const QPolygonF &line) { return lineHits(line, clear); };
        return area.contains(box) && clearOfTexts(box) &&
               std::none_of(m_lines.begin(), m_lines.end(),
                            [&](const auto &line) { return hits(line.first); }) &&
               (!dividersToo || std::none_of(m_dividers.begin(), m_dividers.end(), hits));
    }

    // Where a limit's name may go beside its line: on its preferred side
    // from the right edge leftwards, then on the other side.
    QList<QRectF> besideLine(const Plot &plot, const Limit &limit, const QSizeF &size) const
    {
        const double y = plot.y(limit.value);
        const double aboveY = y - size.height() - 2 * m_px;
        const double belowY = y + 2 * m_px;
        QList<QRectF> places;
        for (const double atY : {limit.above ? aboveY : belowY, limit.above ? belowY : aboveY})
            places.append(along(plot.area, atY, size));
        return places;
    }

    // Boxes of a size at a height across an area, from its right edge leftwards.
    QList<QRectF> along(const QRectF &area, double atY, const QSizeF &size) const
    {
        const double leftX = area.left() + m_gap;
        QList<QRectF> places;
        for (double atX = area.right() - m_gap - size.width(); atX > leftX; atX -= line() / 2)
            places.append(QRectF(QPointF(atX, atY), size));
        places.append(QRectF(QPointF(leftX, atY), size));
        return places;
    }

    // Each limit named beside its line where that is clear of the other
    // lines and texts, the segment boundaries broken for it if need be;
    // where it is not, anywhere clear in the plot, after a short piece of
    // the limit's line as its key.
    void placeLimitLabels(const Plot &plot)
    {
        for (const Limit &limit : plot.limits) {
            const double keyWidth = 5 * m_gap;
            const QString words =
                m_fm.elidedText(limit.text, Qt::ElideRight, plot.area.width() - 2 * m_gap - keyWidth);
            const QSizeF size(m_fm.horizontalAdvance(words) + 2 * m_px, line());
            const QList<QRectF> beside = besideLine(plot, limit, size);
            Label label{words, limit.colour, QPen(Qt::NoPen), beside.first()};
            const auto firstFree = [&](const QList<QRectF> &places, bool dividersToo) {
                const auto place = std::find_if(places.begin(), places.end(), [&](const QRectF &box) {
                    return free(box, plot.area, dividersToo);
                });
                if (place != places.end())
                    label.box = *place;
                return place != places.end();
            };
            if (!firstFree(beside, true) && !firstFree(beside, false)) {
                QList<QRectF> anywhere;
                const QSizeF keyed(size.width() + keyWidth, size.height());
                for (double atY = plot.area.top() + m_px; atY + keyed.height() < plot.area.bottom();
                     atY += line() / 4)
                    anywhere.append(along(plot.area, atY, keyed));
                if (firstFree(anywhere, false))
                    label.key = pen(limit.colour, 1.5, limit.style);
            }
            m_labels.push_back(label);
            m_texts.push_back({words, label.box});
        }
    }

    // The names on white that hides the grid under them.
    void drawLimitLabels()
    {
        m_painter.setFont(m_font);
        for (const Label &label : m_labels) {
            m_painter.fillRect(label.box, Qt::white);
            QRectF words = label.box;
            if (label.key.style() != Qt::NoPen) {
                const double y = label.box.center().y();
                words.setLeft(label.box.right() - m_fm.horizontalAdvance(label.words) - 2 * m_px);
                m_painter.setPen(label.key);
                m_painter.drawLine(QPointF(label.box.left(), y), QPointF(words.left() - m_gap, y));
            }
            m_painter.setPen(label.colour);
            m_painter.drawText(words, Qt::AlignCenter, label.words);
        }
    }

    // The horizontal axis's ticks and labels below the plot that labels it,
    // the first label clear of the value labels, the last inside the page.
    void drawHorizontalAxis(const Plot &plot)
    {
        if (!plot.labelsX())
            return;
        const double labelsTop = plot.area.bottom() + m_gap;
        QRectF lastLabel;
        for (const double value : plot.xTicks.values) {
            if (value > plot.xHigh * (1 + 1e-9))
                break;
            const double at = snap(plot.x(value));
            m_painter.setPen(pen(PlotAxisColour, 1));
            m_painter.drawLine(QPointF(at, plot.area.bottom()), QPointF(at, labelsTop));
            const QString label = PlotTickText(value, plot.xTicks.step);
            const double width = m_fm.horizontalAdvance(label);
            double leftEdge = std::max(at - width / 2, plot.area.left() - m_gap);
            leftEdge = std::min(leftEdge, m_rect.right() - width);
            const QRectF box(leftEdge, labelsTop, width, line());
            if (!lastLabel.isNull() && box.left() < lastLabel.right() + m_gap)
                continue;
            text(box, label, PlotTextColour);
            lastLabel = box;
        }
        const double titleWidth = m_boldFm.horizontalAdvance(plot.xTitle);
        text(QRectF(plot.area.center().x() - titleWidth / 2, labelsTop + line() + m_gap / 2, titleWidth,
                    m_boldFm.height()),
             plot.xTitle, PlotTextColour, true);
    }

    // The spans named above the plot; one too short for its name shows its
    // start, or nothing.
    void drawSpans(const Plot &plot)
    {
        for (const Span &span : plot.spans) {
            const double from = plot.x(span.from);
            const double to = plot.x(span.to);
            if (span.atStart) {
                // A move's number just after its boundary, where it fits;
                // the marked move's in bold, so it shows without colour.
                const double width = (span.marked ? m_boldFm : m_fm).horizontalAdvance(span.name);
                if (width + m_gap <= to - from)
                    text(QRectF(from + m_gap / 2, plot.area.top() - m_gap - line(), width, line()), span.name,
                         PlotTextColour, span.marked);
                continue;
            }
            const QString words = m_fm.elidedText(span.name, Qt::ElideRight, to - from - m_gap);
            if (words.size() < 3)
                continue;
            const double width = m_fm.horizontalAdvance(words);
            text(QRectF((from + to - width) / 2, plot.area.top() - m_gap - line(), width, line()), words,
                 PlotTextColour);
        }
    }

    // A move that cannot be computed says why where its curves would be.
    void drawMessage()
    {
        if (m_drawn)
            return;
        const MoveResults &r = m_data.results;
        const QString reason = r.peakTorque.ok() ? r.maxMotorSpeed.reason() : r.peakTorque.reason();
        const QString words =
            QStringLiteral("No plot: %1").arg(reason.isEmpty() ? r.cycleTime.reason() : reason);
        // Nothing stands at the plot's right edge: the words may reach it.
        const QRectF &area = m_plots.front().area;
        const QRectF room = area.adjusted(m_gap, m_gap, 0, -m_gap);
        m_painter.setFont(m_font);
        QRectF box = m_painter.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, words);
        box = box.intersected(m_rect).adjusted(-m_gap, -m_px, m_gap, m_px);
        const QRectF text = box;
        // It covers the grid lines across the whole plot, from right of its
        // axis line to the edge, so none shows as a stub beside a wrapped line.
        box.setLeft((std::floor(area.left() / m_px) + 1) * m_px);
        box.setRight(std::max(box.right(), area.right() + m_px));
        m_painter.fillRect(box, Qt::white);
        m_painter.setPen(PlotTextColour);
        m_painter.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, words);
        // What it covers is no longer shown, so it is the one text that may.
        std::erase_if(m_texts, [&box](const MovePlotText &t) { return t.box.intersects(box); });
        m_texts.push_back({words, box});
    }

    const MovePlotData &m_data;
    bool m_drawn = false; // the move has curves
    std::vector<Plot> m_plots;
    std::vector<std::pair<QPolygonF, QPen>> m_lines; // that no text may cover
    std::vector<QPolygonF> m_dividers;               // that break for a text that has no other place
    std::vector<QPolygonF> m_drawnLines;             // as drawn, dividers broken
    // A limit's name: beside its line, or anywhere after a key in its pen.
    struct Label
    {
        QString words;
        QColor colour;
        QPen key = QPen(Qt::NoPen);
        QRectF box;
    };
    std::vector<Label> m_labels;
};

} // namespace

MovePlots::MovePlots(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted, on a white ground like the printed page's.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(320, 280);
}

void MovePlots::showMove(const MovePlotData &data)
{
    m_data = data;
    const MoveResults &r = data.results;
    const QString what = QStringLiteral("Motor speed and torque over the cycle, and torque against speed");
    if (r.maxMotorSpeed.ok() && r.peakTorque.ok() && r.cycleTime.ok()) {
        setAccessibleName(
            QStringLiteral("%1: peak speed %2 %3, peak torque %4 %5")
                .arg(what, plainNumber(r.maxMotorSpeed.value() * data.speedFactor), data.speedUnit.trimmed(),
                     plainNumber(r.peakTorque.value() * data.torqueFactor), data.torqueUnit.trimmed()));
    } else {
        setAccessibleName(QStringLiteral("%1: no plot").arg(what));
    }
    update();
}

void MovePlots::paintEvent(QPaintEvent * /*event*/)
{
    QPainter painter(this);
    DrawMovePlots(painter, rect(), m_data);
}

std::optional<std::pair<double, double>> MarkedSpan(const MovePlotData &data)
{
    const std::vector<CycleMoveResults> &moves = data.results.moves;
    const std::size_t marked = std::size_t(data.markedMove);
    if (data.markedMove < 0 || moves.size() < 2 || marked >= moves.size() || !data.results.cycleTime.ok())
        return std::nullopt;
    const double cycle = data.results.cycleTime.value();
    const double end = marked + 1 < moves.size() ? moves[marked + 1].start : cycle;
    return std::pair{moves[marked].start, std::min(end, cycle)};
}

MovePlotDrawing DrawMovePlots(QPainter &painter, const QRectF &rect, const MovePlotData &data)
{
    return Drawing(painter, rect, data).draw();
}
