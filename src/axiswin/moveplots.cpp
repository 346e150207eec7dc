#include "axiswin/moveplots.h"

#include "core/niceticks.h"

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
const QColor TextColour(0x20, 0x20, 0x20);
const QColor AxisColour(0x70, 0x70, 0x70);
const QColor GridColour(0xe4, 0xe4, 0xe4);

// A limit's value, short and without group separators, as the axes show theirs.
QString plainNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 4);
}

QFont bolded(QFont font)
{
    font.setBold(true);
    return font;
}

bool given(double value)
{
    return value > 0 && std::isfinite(value);
}

// One plot's area on the page and its value axis.
struct Plot
{
    QRectF area;
    AxisTicks ticks;
    QString title;
    double y(double value) const
    {
        return area.bottom() - (value - ticks.low()) / (ticks.high() - ticks.low()) * area.height();
    }
};

// A motor limit drawn across a plot, mirrored below zero where the torque goes negative.
struct Limit
{
    Plot *plot;
    double value;
    QColor colour;
    Qt::PenStyle style;
    bool above; // its label above the line by preference
    QString text;
};

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

bool lineHits(const QList<QPointF> &line, const QRectF &box)
{
    for (qsizetype k = 1; k < line.size(); ++k) {
        if (segmentHits(QLineF(line[k - 1], line[k]), box))
            return true;
    }
    return false;
}

// Draws the plots once their data and the page are known.
class Drawing
{
public:
    Drawing(QPainter &painter, const QRectF &rect, const MovePlotData &data)
        : m_painter(painter), m_rect(rect), m_data(data), m_curves(SampleMove(data.results, 2)),
          m_font(painter.font()), m_bold(bolded(painter.font())), m_fm(m_font, painter.device()),
          m_boldFm(m_bold, painter.device())
    {
        const QPaintDevice *device = painter.device();
        m_px = device && device->logicalDpiY() > 0 ? device->logicalDpiY() / 96.0 : 1.0;
        m_gap = 4 * m_px;
        m_cycle = !m_curves.speed.empty() && data.results.cycleTime.value() > 0
                      ? data.results.cycleTime.value()
                      : 1;
    }

    std::vector<MovePlotText> draw()
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing);
        m_painter.fillRect(m_rect, Qt::white);
        layOut();
        if (m_time.width() > 4 * m_gap && m_speed.area.height() > m_gap && m_torque.area.height() > m_gap) {
            drawGrid(m_speed);
            drawGrid(m_torque);
            drawBoundaries();
            drawCurves();
            drawLabels();
        }
        drawMessage();
        m_painter.restore();
        return std::move(m_texts);
    }

private:
    double x(double time) const { return m_time.left() + time / m_cycle * m_time.width(); }
    // A coordinate on the middle of a device pixel, so thin straight lines stay sharp.
    double snap(double at) const { return (std::floor(at / m_px) + 0.5) * m_px; }

    void layOut()
    {
        double lowSpeed = 0, highSpeed = 0, lowTorque = 0, highTorque = 0;
        for (const QPointF &p : m_curves.speed) {
            m_speedLine.append({p.x(), p.y() * m_data.speedFactor});
            lowSpeed = std::min(lowSpeed, m_speedLine.last().y());
            highSpeed = std::max(highSpeed, m_speedLine.last().y());
        }
        for (const QPointF &p : m_curves.torque) {
            m_torqueLine.append({p.x(), p.y() * m_data.torqueFactor});
            lowTorque = std::min(lowTorque, m_torqueLine.last().y());
            highTorque = std::max(highTorque, m_torqueLine.last().y());
        }
        const QString speedUnit = m_data.speedUnit.trimmed();
        const QString torqueUnit = m_data.torqueUnit.trimmed();
        const auto limit = [&](Plot *plot, double value, const QColor &colour, Qt::PenStyle style, bool above,
                               const QString &name, const QString &unit) {
            if (given(value))
                m_limits.push_back({plot, value, colour, style, above,
                                    QStringLiteral("%1 %2 %3").arg(name, plainNumber(value), unit)});
            return given(value) ? value : 0;
        };
        const double maxSpeed = limit(&m_speed, m_data.motor.maxSpeed.value * m_data.speedFactor, PeakColour,
                                      Qt::DashLine, true, QStringLiteral("Maximum speed"), speedUnit);
        const double rated =
            limit(&m_torque, m_data.motor.ratedTorque.value * m_data.torqueFactor, RatedColour,
                  Qt::DashDotLine, false, QStringLiteral("Rated torque"), torqueUnit);
        const double peak = limit(&m_torque, m_data.motor.peakTorque.value * m_data.torqueFactor, PeakColour,
                                  Qt::DashLine, true, QStringLiteral("Peak torque"), torqueUnit);
        m_mirrored = lowTorque < 0;
        // Torque that goes negative is shown on an axis even about zero, its limits mirrored.
        double torqueTop = std::max({highTorque, rated, peak});
        if (m_mirrored)
            torqueTop = std::max(torqueTop, -lowTorque);
        const double speedTop = std::max(highSpeed, maxSpeed);
        m_speed.title = QStringLiteral("Speed (%1)").arg(speedUnit);
        m_torque.title = QStringLiteral("Torque (%1)").arg(torqueUnit);

        // Heights: the segment names above, the time axis below, and a
        // gap between the plots for the tick labels that straddle their edges.
        const double line = m_fm.height();
        const double tick = m_gap;
        const double namesBand = line + m_gap;
        const double timeBand = tick + line + m_gap / 2 + m_boldFm.height();
        const double between = 1.5 * line + m_gap;
        const double plotHeight =
            std::max(0.0, (m_rect.height() - namesBand - timeBand - between - m_gap) / 2);
        // About one tick per two lines of text.
        const int yTicks = std::clamp(int(plotHeight / (2 * line)) + 1, 3, 8);
        // A little headroom, so a peak on a round value does not sit on the edge.
        m_speed.ticks = NiceTicks(std::min(0.0, lowSpeed) * 1.05, speedTop * 1.05, yTicks);
        m_torque.ticks = NiceTicks(m_mirrored ? -torqueTop * 1.05 : 0, torqueTop * 1.05, yTicks);
        double labels = 0;
        for (const Plot *plot : {&m_speed, &m_torque}) {
            for (const double value : plot->ticks.values)
                labels = std::max(labels, m_fm.horizontalAdvance(TickText(value, plot->ticks.step)));
        }
        const double left = m_rect.left() + m_boldFm.height() + m_gap + labels + m_gap / 2 + tick;
        // Time ticks as many as their labels leave room for, the axis ending with the cycle.
        double right = m_rect.right() - 2 * m_gap;
        for (int count = 8; count >= 3; --count) {
            m_timeTicks = NiceTicks(0, m_cycle, count);
            double widest = 0;
            for (const double value : m_timeTicks.values)
                widest = std::max(widest, m_fm.horizontalAdvance(TickText(value, m_timeTicks.step)));
            right = m_rect.right() - std::max(2 * m_gap, widest / 2 + m_gap);
            const double spacing = m_timeTicks.step / m_cycle * (right - left);
            if (spacing >= widest + 3 * m_gap)
                break;
        }
        const double top = m_rect.top() + namesBand;
        m_speed.area = QRectF(left, top, right - left, plotHeight);
        m_torque.area = QRectF(left, top + plotHeight + between, right - left, plotHeight);
        m_time = QRectF(left, m_speed.area.top(), right - left, m_torque.area.bottom() - m_speed.area.top());
        m_timeLabelsTop = m_torque.area.bottom() + tick;
    }

    void text(const QRectF &box, const QString &words, const QColor &colour, bool bold = false)
    {
        m_painter.setFont(bold ? m_bold : m_font);
        m_painter.setPen(colour);
        m_painter.drawText(box, Qt::AlignCenter, words);
        m_texts.push_back({words, box});
    }

    QPen pen(const QColor &colour, double width, Qt::PenStyle style = Qt::SolidLine) const
    {
        QPen pen(colour, width * m_px, style, Qt::FlatCap, Qt::RoundJoin);
        return pen;
    }

    void drawGrid(const Plot &plot)
    {
        const QRectF &area = plot.area;
        for (const double value : plot.ticks.values) {
            const double y = snap(plot.y(value));
            m_painter.setPen(pen(value == 0 ? AxisColour : GridColour, 1));
            m_painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
            m_painter.setPen(pen(AxisColour, 1));
            m_painter.drawLine(QPointF(area.left() - m_gap, y), QPointF(area.left(), y));
            const QString label = TickText(value, plot.ticks.step);
            const double width = m_fm.horizontalAdvance(label);
            text(QRectF(area.left() - m_gap * 1.5 - width, y - m_fm.height() / 2, width, m_fm.height()),
                 label, TextColour);
        }
        m_painter.setPen(pen(AxisColour, 1));
        const double left = snap(area.left());
        const double bottom = snap(area.bottom());
        m_painter.drawLine(QPointF(left, area.top()), QPointF(left, bottom));
        m_painter.drawLine(QPointF(left, bottom), QPointF(area.right(), bottom));
        // The title along the axis, shortened to the unit where the plot is too low for it.
        const int open = plot.title.indexOf(u'(');
        QString title = plot.title;
        if (m_boldFm.horizontalAdvance(title) > area.height() && open > 0)
            title = plot.title.mid(open + 1).chopped(1);
        title = m_boldFm.elidedText(title, Qt::ElideRight, area.height());
        const double width = m_boldFm.horizontalAdvance(title);
        const double height = m_boldFm.height();
        const QPointF centre(m_rect.left() + height / 2, area.center().y());
        m_painter.save();
        m_painter.translate(centre);
        m_painter.rotate(-90);
        m_painter.setFont(m_bold);
        m_painter.setPen(TextColour);
        m_painter.drawText(QRectF(-width / 2, -height / 2, width, height), Qt::AlignCenter, title);
        m_painter.restore();
        m_texts.push_back({title, QRectF(centre.x() - height / 2, centre.y() - width / 2, height, width)});
    }

    void drawBoundaries()
    {
        if (m_speedLine.isEmpty())
            return;
        m_painter.setPen(pen(BoundaryColour, 1, Qt::DotLine));
        for (const MoveSegment &segment : m_data.results.segments) {
            const double end = segment.start + segment.duration;
            if (segment.duration <= 0 || end >= m_cycle * (1 - 1e-9))
                continue;
            for (const Plot *plot : {&m_speed, &m_torque})
                m_painter.drawLine(QPointF(snap(x(end)), plot->area.top()),
                                   QPointF(snap(x(end)), plot->area.bottom()));
        }
    }

    QList<QPointF> mapped(const QList<QPointF> &line, const Plot &plot) const
    {
        QList<QPointF> points;
        points.reserve(line.size());
        for (const QPointF &p : line)
            points.append({x(p.x()), plot.y(p.y())});
        return points;
    }

    void drawCurves()
    {
        for (const Limit &limit : m_limits) {
            m_painter.setPen(pen(limit.colour, 1.5, limit.style));
            for (const double value : {limit.value, -limit.value}) {
                if (value > 0 || (m_mirrored && limit.plot == &m_torque)) {
                    const double y = limit.plot->y(value);
                    m_painter.drawLine(QPointF(m_time.left(), y), QPointF(m_time.right(), y));
                    m_obstacles.append(QList<QPointF>{QPointF(m_time.left(), y), QPointF(m_time.right(), y)});
                }
            }
        }
        m_painter.setPen(pen(CurveColour, 2));
        for (const auto &[line, plot] :
             {std::pair{&m_speedLine, &m_speed}, std::pair{&m_torqueLine, &m_torque}}) {
            const QList<QPointF> points = mapped(*line, *plot);
            m_painter.drawPolyline(points.constData(), int(points.size()));
            m_obstacles.append(points);
        }
    }

    bool free(const QRectF &box, const QRectF &area) const
    {
        if (!area.contains(box))
            return false;
        const bool onText = std::any_of(m_texts.begin(), m_texts.end(), [&box](const MovePlotText &placed) {
            return placed.box.intersects(box);
        });
        // Clear of the lines' thickness too.
        const QRectF clear = box.adjusted(-1.5 * m_px, -1.5 * m_px, 1.5 * m_px, 1.5 * m_px);
        return !onText &&
               std::none_of(m_obstacles.begin(), m_obstacles.end(),
                            [&clear](const QList<QPointF> &line) { return lineHits(line, clear); });
    }

    // The limits named on their lines where nothing else is drawn, the time
    // axis labelled and the segments named above the speed plot.
    void drawLabels()
    {
        for (const Limit &limit : m_limits) {
            const QRectF &area = limit.plot->area;
            const double y = limit.plot->y(limit.value);
            const QString words = m_fm.elidedText(limit.text, Qt::ElideRight, area.width() - 2 * m_gap);
            const QSizeF size(m_fm.horizontalAdvance(words) + 2 * m_px, m_fm.height());
            const double aboveY = y - size.height() - 2 * m_px;
            const double belowY = y + 2 * m_px;
            const double rightX = area.right() - m_gap - size.width();
            const double leftX = area.left() + m_gap;
            QList<QRectF> places;
            for (const double atX : {rightX, leftX}) {
                places.append(QRectF(QPointF(atX, limit.above ? aboveY : belowY), size));
                places.append(QRectF(QPointF(atX, limit.above ? belowY : aboveY), size));
            }
            const auto place = std::find_if(places.begin(), places.end(),
                                            [&](const QRectF &box) { return free(box, area); });
            QRectF box = places.first();
            if (place != places.end()) {
                box = *place;
            } else {
                // Nowhere clear of the curves: on a backing, away from other texts.
                for (const QRectF &candidate : places) {
                    const bool clear =
                        area.contains(candidate) &&
                        std::none_of(m_texts.begin(), m_texts.end(),
                                     [&](const MovePlotText &t) { return t.box.intersects(candidate); });
                    if (clear) {
                        box = candidate;
                        break;
                    }
                }
                QColor backing(Qt::white);
                backing.setAlpha(210);
                m_painter.fillRect(box, backing);
            }
            text(box, words, limit.colour);
        }

        const double line = m_fm.height();
        QRectF lastLabel;
        for (const double value : m_timeTicks.values) {
            if (value > m_cycle * (1 + 1e-9))
                break;
            const double at = snap(x(value));
            m_painter.setPen(pen(AxisColour, 1));
            m_painter.drawLine(QPointF(at, m_torque.area.bottom()),
                               QPointF(at, m_torque.area.bottom() + m_gap));
            const QString label = TickText(value, m_timeTicks.step);
            const double width = m_fm.horizontalAdvance(label);
            // The first label clear of the value labels, the last inside the page.
            double leftEdge = std::max(at - width / 2, m_time.left() - m_gap);
            leftEdge = std::min(leftEdge, m_rect.right() - width);
            const QRectF box(leftEdge, m_timeLabelsTop, width, line);
            if (!lastLabel.isNull() && box.left() < lastLabel.right() + m_gap)
                continue;
            text(box, label, TextColour);
            lastLabel = box;
        }
        const QString timeTitle = QStringLiteral("Time (s)");
        const double titleWidth = m_boldFm.horizontalAdvance(timeTitle);
        text(QRectF(m_time.center().x() - titleWidth / 2, m_timeLabelsTop + line + m_gap / 2, titleWidth,
                    m_boldFm.height()),
             timeTitle, TextColour, true);

        if (m_speedLine.isEmpty())
            return;
        for (const MoveSegment &segment : m_data.results.segments) {
            if (segment.duration <= 0)
                continue;
            const double from = x(segment.start);
            const double to = x(std::min(segment.start + segment.duration, m_cycle));
            const QString name = QString::fromLatin1(SegmentNames[int(segment.kind)]);
            // A segment too short for its name shows its start, or nothing.
            QString words = m_fm.elidedText(name, Qt::ElideRight, to - from - m_gap);
            if (words.size() < 3)
                continue;
            const double width = m_fm.horizontalAdvance(words);
            text(QRectF((from + to - width) / 2, m_rect.top(), width, line), words, TextColour);
        }
    }

    // A move that cannot be computed says why where its curves would be.
    void drawMessage()
    {
        if (!m_curves.speed.empty())
            return;
        const MoveResults &r = m_data.results;
        const QString reason = r.peakTorque.ok() ? r.maxMotorSpeed.reason() : r.peakTorque.reason();
        const QString words =
            QStringLiteral("No plot: %1").arg(reason.isEmpty() ? r.cycleTime.reason() : reason);
        // Nothing stands at the plot's right edge: the words may reach it.
        const QRectF room = m_speed.area.adjusted(m_gap, m_gap, 0, -m_gap);
        m_painter.setFont(m_font);
        QRectF box = m_painter.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, words);
        box = box.intersected(m_rect).adjusted(-m_gap, -m_px, m_gap, m_px);
        const QRectF text = box;
        // It covers the grid lines across the whole plot, from right of its
        // axis line to the edge, so none shows as a stub beside a wrapped line.
        box.setLeft((std::floor(m_speed.area.left() / m_px) + 1) * m_px);
        box.setRight(std::max(box.right(), m_speed.area.right() + m_px));
        m_painter.fillRect(box, Qt::white);
        m_painter.setPen(TextColour);
        m_painter.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, words);
        // What it covers is no longer shown, so it is the one text that may.
        std::erase_if(m_texts, [&box](const MovePlotText &t) { return t.box.intersects(box); });
        m_texts.push_back({words, box});
    }

    QPainter &m_painter;
    const QRectF m_rect;
    const MovePlotData &m_data;
    const MoveCurves m_curves;
    QFont m_font;
    QFont m_bold;
    QFontMetricsF m_fm;
    QFontMetricsF m_boldFm;
    double m_px = 1;
    double m_gap = 4;
    double m_cycle = 1;
    bool m_mirrored = false;
    Plot m_speed;
    Plot m_torque;
    QRectF m_time; // the span of the time axis across both plots
    AxisTicks m_timeTicks;
    double m_timeLabelsTop = 0;
    QList<QPointF> m_speedLine;
    QList<QPointF> m_torqueLine;
    std::vector<Limit> m_limits;
    QList<QList<QPointF>> m_obstacles; // lines in page coordinates that labels keep off
    std::vector<MovePlotText> m_texts;
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
    const QString what = QStringLiteral("Motor speed and torque over one cycle");
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

std::vector<MovePlotText> DrawMovePlots(QPainter &painter, const QRectF &rect, const MovePlotData &data)
{
    return Drawing(painter, rect, data).draw();
}
