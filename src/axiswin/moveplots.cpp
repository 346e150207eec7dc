#include "axiswin/moveplots.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QPaintDevice>
#include <QPainter>
#include <QValueAxis>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const char *const SegmentNames[MoveSegmentCount] = {"accel", "constant", "decel", "dwell"};
const QMargins BaseMargins(4, 2, 8, 2);
const QColor CurveColour(0x1f, 0x4e, 0x9c);
const QColor PeakColour(0xb3, 0x26, 0x1e);
const QColor BoundaryColour(0x80, 0x80, 0x80);
const QColor RatedColour(0xc0, 0x6a, 0x00);

QLineSeries *lineSeries(QChart *chart, const QColor &colour, qreal width, Qt::PenStyle style)
{
    auto *series = new QLineSeries(chart);
    QPen pen(colour, width, style);
    pen.setCosmetic(false);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

// A limit's value, short and without group separators, as the axes show theirs.
QString plainNumber(double value)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', 4);
}

} // namespace

// The two charts in a scene of their own, laid out with the same plot width
// and left edge, so one time axis serves both.
class MoveCharts : public QGraphicsScene
{
    struct Limit
    {
        QChart *chart = nullptr;
        QLineSeries *line = nullptr;
        QLineSeries *mirror = nullptr; // below zero, for torque
        QColor colour;
        bool above = true; // its name above the line, or below
        QGraphicsSimpleTextItem *label = nullptr;
        double value = 0;
    };

public:
    MoveCharts()
    {
        m_speed = makeChart(QStringLiteral("Motor speed"));
        m_torque = makeChart(QStringLiteral("Motor torque"));
        m_speedLine = lineSeries(m_speed, CurveColour, 2, Qt::SolidLine);
        m_speedLine->setName(QStringLiteral("Motor speed"));
        m_maxSpeed = lineSeries(m_speed, PeakColour, 1.5, Qt::DashLine);
        m_torqueLine = lineSeries(m_torque, CurveColour, 2, Qt::SolidLine);
        m_torqueLine->setName(QStringLiteral("Motor torque"));
        m_rated = lineSeries(m_torque, RatedColour, 1.5, Qt::DashDotLine);
        m_peak = lineSeries(m_torque, PeakColour, 1.5, Qt::DashLine);
        m_ratedBelow = lineSeries(m_torque, RatedColour, 1.5, Qt::DashDotLine);
        m_peakBelow = lineSeries(m_torque, PeakColour, 1.5, Qt::DashLine);
        // The limit lines are named where they are drawn, not in a legend.
        m_limits = {Limit{m_speed, m_maxSpeed, nullptr, PeakColour, true},
                    Limit{m_torque, m_rated, m_ratedBelow, RatedColour, false},
                    Limit{m_torque, m_peak, m_peakBelow, PeakColour, true}};
        for (Limit &limit : m_limits) {
            limit.label = new QGraphicsSimpleTextItem(limit.chart);
            limit.label->setBrush(limit.colour);
        }
        m_message = new QGraphicsSimpleTextItem(m_speed);

        m_speedTime = timeAxis(m_speed, false);
        m_torqueTime = timeAxis(m_torque, true);
        m_speedSegments = segmentAxis(m_speed);
        // Qt Charts squeezes a titled bottom axis under a top axis, so the
        // torque plot marks the segment boundaries with lines of its own.
        for (QLineSeries *&boundary : m_boundaries)
            boundary = lineSeries(m_torque, BoundaryColour, 1, Qt::DotLine);
        m_speedAxis = valueAxis(m_speed);
        m_torqueAxis = valueAxis(m_torque);
        for (QLineSeries *series : {m_speedLine, m_maxSpeed})
            attach(series, m_speedTime, m_speedAxis);
        m_maxSpeed->attachAxis(m_speedSegments);
        for (QLineSeries *series : {m_torqueLine, m_rated, m_peak, m_ratedBelow, m_peakBelow})
            attach(series, m_torqueTime, m_torqueAxis);
        for (QLineSeries *boundary : m_boundaries)
            attach(boundary, m_torqueTime, m_torqueAxis);
    }

    void show(const MovePlotData &data)
    {
        const MoveResults &r = data.results;
        const MoveCurves curves = SampleMove(r, 2);
        const double speedFactor = data.speedFactor;
        const double torqueFactor = data.torqueFactor;
        const double cycle = curves.speed.empty() ? 1 : r.cycleTime.value();

        QList<QPointF> speed;
        QList<QPointF> torque;
        double lowTorque = 0;
        double highTorque = 0;
        for (const QPointF &p : curves.speed)
            speed.append({p.x(), p.y() * speedFactor});
        for (const QPointF &p : curves.torque) {
            torque.append({p.x(), p.y() * torqueFactor});
            lowTorque = std::min(lowTorque, torque.last().y());
            highTorque = std::max(highTorque, torque.last().y());
        }
        m_speedLine->replace(speed);
        m_torqueLine->replace(torque);

        const QString speedUnit = data.speedUnit.trimmed();
        const QString torqueUnit = data.torqueUnit.trimmed();
        const double topSpeed = r.maxMotorSpeed.value() * speedFactor;
        const bool below = lowTorque < 0;
        const double maxSpeed = setLimit(m_limits[0], data.motor.maxSpeed.value * speedFactor, cycle, below,
                                         QStringLiteral("Maximum speed"), speedUnit);
        const double rated = setLimit(m_limits[1], data.motor.ratedTorque.value * torqueFactor, cycle, below,
                                      QStringLiteral("Rated torque"), torqueUnit);
        const double peak = setLimit(m_limits[2], data.motor.peakTorque.value * torqueFactor, cycle, below,
                                     QStringLiteral("Peak torque"), torqueUnit);

        setRange(m_speedAxis, 0, std::max(topSpeed, maxSpeed));
        const double torqueTop = std::max({highTorque, rated, peak});
        setRange(m_torqueAxis, below ? std::min(lowTorque, -torqueTop) : 0, torqueTop);
        m_speedAxis->setTitleText(QStringLiteral("Speed (%1)").arg(speedUnit));
        m_torqueAxis->setTitleText(QStringLiteral("Torque (%1)").arg(torqueUnit));
        // Ticks at a round step from 0, as many as fit, the axis ending with the cycle.
        double step = std::pow(10.0, std::floor(std::log10(cycle / 8)));
        for (const double times : {2.0, 2.5, 2.0}) {
            if (cycle / step > 8)
                step *= times;
        }
        for (QValueAxis *time : {m_speedTime, m_torqueTime}) {
            time->setRange(0, cycle);
            time->setTickType(QValueAxis::TicksDynamic);
            time->setTickAnchor(0);
            time->setTickInterval(step);
        }
        for (const QString &label : m_speedSegments->categoriesLabels())
            m_speedSegments->remove(label);
        m_speedSegments->setRange(0, cycle);
        std::size_t inner = 0;
        for (const MoveSegment &segment : r.segments) {
            const double end = segment.start + segment.duration;
            if (segment.duration <= 0 || curves.speed.empty())
                continue;
            m_speedSegments->append(QString::fromLatin1(SegmentNames[int(segment.kind)]), end);
            if (end < cycle * (1 - 1e-9) && inner < m_boundaries.size())
                m_boundaries[inner++]->replace({{end, m_torqueAxis->min()}, {end, m_torqueAxis->max()}});
        }
        for (; inner < m_boundaries.size(); ++inner)
            m_boundaries[inner]->clear();
        // A move that cannot be computed says why where its curves would be.
        const QString reason = curves.speed.empty()
                                   ? r.peakTorque.ok() ? r.maxMotorSpeed.reason() : r.peakTorque.reason()
                                   : QString();
        m_message->setText(reason.isEmpty() ? QString() : QStringLiteral("No plot: %1").arg(reason));
        m_message->setVisible(!reason.isEmpty());
        if (!m_size.isEmpty())
            layoutIn(m_size);
    }

    // Places the speed chart above the torque chart in size, each plot area
    // with the same left and right edges.
    void layoutIn(const QSizeF &size)
    {
        m_size = size;
        // The torque plot carries the time axis below it: a little more height.
        const double half = std::floor(size.height() * 0.46);
        m_speed->setGeometry(QRectF(0, 0, size.width(), half));
        m_torque->setGeometry(QRectF(0, half, size.width(), size.height() - half));
        // Laid out as Qt Charts lays them out, the margins then giving the
        // chart with the narrower axis labels the difference; a second pass
        // only when that changes them.
        activate();
        const QRectF speedPlot = m_speed->plotArea();
        const QRectF torquePlot = m_torque->plotArea();
        // Where each plot would stand with the base margins.
        const double speedLeft = speedPlot.left() - (m_speed->margins().left() - BaseMargins.left());
        const double torqueLeft = torquePlot.left() - (m_torque->margins().left() - BaseMargins.left());
        const double speedRight = speedPlot.right() + (m_speed->margins().right() - BaseMargins.right());
        const double torqueRight = torquePlot.right() + (m_torque->margins().right() - BaseMargins.right());
        const double left = std::max(speedLeft, torqueLeft);
        const double right = std::min(speedRight, torqueRight);
        const auto margins = [&left, &right](double ownLeft, double ownRight) {
            QMargins margins = BaseMargins;
            margins.setLeft(BaseMargins.left() + int(std::lround(left - ownLeft)));
            margins.setRight(BaseMargins.right() + int(std::lround(ownRight - right)));
            return margins;
        };
        const QMargins speed = margins(speedLeft, speedRight);
        const QMargins torque = margins(torqueLeft, torqueRight);
        if (speed != m_speed->margins() || torque != m_torque->margins()) {
            m_speed->setMargins(speed);
            m_torque->setMargins(torque);
            activate();
        }
        for (const Limit &limit : m_limits) {
            const QRectF plot = limit.chart->plotArea();
            const QRectF text = limit.label->boundingRect();
            const double y = limit.chart->mapToPosition(QPointF(0, limit.value), limit.line).y();
            limit.label->setPos(plot.right() - text.width() - 4, limit.above ? y - text.height() - 1 : y + 1);
        }
        const QRectF message = m_message->boundingRect();
        m_message->setPos(m_speed->plotArea().center() - QPointF(message.width() / 2, message.height() / 2));
        setSceneRect(QRectF(QPointF(), size));
    }

private:
    QChart *makeChart(const QString &name)
    {
        auto *chart = new QChart;
        chart->setObjectName(name);
        chart->setBackgroundRoundness(0);
        chart->setDropShadowEnabled(false);
        chart->setMargins(BaseMargins);
        chart->legend()->hide();
        addItem(chart);
        return chart;
    }
    QValueAxis *timeAxis(QChart *chart, bool labelled)
    {
        auto *axis = new QValueAxis(chart);
        axis->setLabelFormat(QStringLiteral("%g"));
        axis->setGridLineVisible(false);
        axis->setLabelsVisible(labelled);
        if (labelled)
            axis->setTitleText(QStringLiteral("Time (s)"));
        chart->addAxis(axis, Qt::AlignBottom);
        return axis;
    }
    QCategoryAxis *segmentAxis(QChart *chart)
    {
        auto *axis = new QCategoryAxis(chart);
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
        axis->setStartValue(0);
        axis->setLineVisible(false);
        QPen grid(BoundaryColour, 1, Qt::DotLine);
        axis->setGridLinePen(grid);
        chart->addAxis(axis, Qt::AlignTop);
        return axis;
    }
    QValueAxis *valueAxis(QChart *chart)
    {
        auto *axis = new QValueAxis(chart);
        axis->setLabelFormat(QStringLiteral("%g"));
        chart->addAxis(axis, Qt::AlignLeft);
        return axis;
    }
    static void attach(QLineSeries *series, QValueAxis *x, QValueAxis *y)
    {
        series->attachAxis(x);
        series->attachAxis(y);
    }
    static void setRange(QValueAxis *axis, double low, double high)
    {
        if (!(high > low))
            high = low + 1;
        axis->setRange(low, high + (high - low) * 0.08);
        axis->applyNiceNumbers();
    }
    // A horizontal limit line across the cycle, named with its value, and
    // its mirror below zero when the torque goes negative; 0 when not given.
    static double setLimit(Limit &limit, double value, double cycle, bool below, const QString &name,
                           const QString &unit)
    {
        const bool given = value > 0 && std::isfinite(value);
        limit.value = value;
        limit.line->replace(given ? QList<QPointF>{{0, value}, {cycle, value}} : QList<QPointF>{});
        limit.line->setVisible(given);
        limit.label->setVisible(given);
        limit.label->setText(QStringLiteral("%1 %2 %3").arg(name, plainNumber(value), unit));
        if (limit.mirror) {
            limit.mirror->replace(given && below ? QList<QPointF>{{0, -value}, {cycle, -value}}
                                                 : QList<QPointF>{});
            limit.mirror->setVisible(given && below);
        }
        return given ? value : 0;
    }
    void activate()
    {
        for (QChart *chart : {m_speed, m_torque}) {
            if (chart->layout())
                chart->layout()->activate();
        }
    }

    QChart *m_speed = nullptr;
    QChart *m_torque = nullptr;
    QLineSeries *m_speedLine = nullptr;
    QLineSeries *m_maxSpeed = nullptr;
    QLineSeries *m_torqueLine = nullptr;
    QLineSeries *m_rated = nullptr;
    QLineSeries *m_peak = nullptr;
    QLineSeries *m_ratedBelow = nullptr;
    QLineSeries *m_peakBelow = nullptr;
    QValueAxis *m_speedTime = nullptr;
    QValueAxis *m_torqueTime = nullptr;
    QCategoryAxis *m_speedSegments = nullptr;
    std::array<QLineSeries *, MoveSegmentCount - 1> m_boundaries{};
    QValueAxis *m_speedAxis = nullptr;
    QValueAxis *m_torqueAxis = nullptr;
    std::array<Limit, 3> m_limits;
    QGraphicsSimpleTextItem *m_message = nullptr;
    QSizeF m_size;
};

MovePlots::MovePlots(QWidget *parent) : QGraphicsView(parent), m_charts(std::make_unique<MoveCharts>())
{
    setScene(m_charts.get());
    setRenderHint(QPainter::Antialiasing);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(320, 280);
}

MovePlots::~MovePlots() = default;

void MovePlots::showMove(const MovePlotData &data)
{
    m_charts->show(data);
}

void MovePlots::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    m_charts->layoutIn(viewport()->size());
    fitInView(m_charts->sceneRect());
}

void DrawMovePlots(QPainter &painter, const QRectF &rect, const MovePlotData &data)
{
    // Laid out at the size the rectangle has at 96 dots an inch, then scaled
    // onto it, so the text keeps its size on a printer's page.
    const QPaintDevice *device = painter.device();
    const double scale = device && device->logicalDpiX() > 0 ? device->logicalDpiX() / 96.0 : 1.0;
    MoveCharts charts;
    charts.show(data);
    charts.layoutIn(rect.size() / scale);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    charts.render(&painter, rect, charts.sceneRect());
    painter.restore();
}
