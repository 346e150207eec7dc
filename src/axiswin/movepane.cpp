#include "axiswin/movepane.h"

#include "axis/axisentry.h"
#include "units/clipboardtext.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/resultrow.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>

namespace {

enum ProfileChoice { DefaultRamps, GivenRamps, Triangle };

const char *const SegmentKeys[MoveSegmentCount] = {"accelerate", "constant", "decelerate", "dwell"};
const char *const SegmentColumnKeys[4] = {"duration", "speedFrom", "speedTo", "torque"};
const char *const CheckKeys[MotorCheckCount] = {"peakTorque", "rmsTorque", "speed", "inertiaRatio",
                                                "breakaway"};

// Holds a label whose text changes with every edit. A label in a layout asks
// for a new layout at every new text, and the tab lays itself out and repaints
// whole for it; held here, a new text that fits repaints the label alone. A
// holder of numbers starts as wide as most numbers are and keeps the widest
// room it has had, so the figures neither jump nor lay the pane out as the
// user types; only a text wider than any before (or a wrapped one needing
// another line) lays it out again.
class LabelHolder : public QWidget
{
public:
    LabelHolder(QLabel *label, QWidget *parent) : QWidget(parent), m_label(label)
    {
        label->setParent(this);
        setSizePolicy(label->sizePolicy());
    }
    // A text the label is to have room for.
    void setWidest(const QString &text)
    {
        m_widest = text;
        m_hint = {};
        updateGeometry();
    }
    QSize sizeHint() const override
    {
        const QSize shown = m_label->sizeHint();
        if (m_label->wordWrap())
            return shown.expandedTo(m_label->minimumSize());
        const QFontMetrics metrics = m_label->fontMetrics();
        const int wider = metrics.horizontalAdvance(m_widest) - metrics.horizontalAdvance(m_label->text());
        return m_hint =
                   m_hint.expandedTo(shown + QSize(std::max(wider, 0), 0)).expandedTo(m_label->minimumSize());
    }
    QSize minimumSizeHint() const override
    {
        return m_label->wordWrap() ? m_label->minimumSizeHint().expandedTo(m_label->minimumSize())
                                   : sizeHint();
    }
    bool hasHeightForWidth() const override { return m_label->wordWrap(); }
    int heightForWidth(int width) const override
    {
        return std::max(m_label->minimumHeight(), m_label->heightForWidth(width));
    }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::LayoutRequest) {
            const QSize had = m_hint;
            if (m_label->wordWrap() ? heightForWidth(width()) > height() : sizeHint() != had)
                updateGeometry();
            return true;
        }
        if (event->type() == QEvent::Resize)
            m_label->setGeometry(rect());
        return QWidget::event(event);
    }

private:
    QLabel *m_label;
    QString m_widest;
    mutable QSize m_hint;
};

// A number as wide as most figures are: below one, to every
// digit the window shows (a wider one lays the pane out once, and keeps its
// room). Sized for the widest a figure can be, the segment table alone would
// widen the window by a quarter.
QString RoomyNumberText(int digits, bool notation)
{
    return AxisNumberText(0.8888888888888888, digits, notation);
}

// Puts a label into a holder in its place in a grid.
LabelHolder *HoldLabel(QGridLayout *grid, QLabel *label, int row, int column)
{
    auto *holder = new LabelHolder(label, grid->parentWidget());
    grid->addWidget(holder, row, column);
    return holder;
}

} // namespace

MovePane::MovePane(const ConversionTableData &units, QWidget *parent) : QWidget(parent), m_units(units)
{
    setObjectName(QStringLiteral("fraMove"));
    setAccessibleName(QStringLiteral("Move"));
    // The inputs down the left, as they are read (and first in the Tab
    // order); on the right the motor check, a line a check, the figures,
    // which scroll when the window is small, and the plots, which take the
    // room left.
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    auto *inputs = new QVBoxLayout;
    inputs->addWidget(buildMoveGroup());
    inputs->addWidget(buildLoadGroup());
    inputs->addWidget(buildMotorGroup());
    inputs->addStretch(1);
    columns->addLayout(inputs);
    auto *outputs = new QVBoxLayout;
    outputs->addWidget(buildMotorCheck());
    outputs->addWidget(buildResults(), 2);
    m_plots = Named(new MovePlots(this), QStringLiteral("gphMovePlots"), QString(),
                    QStringLiteral("Motor speed and torque over one cycle"));
    outputs->addWidget(m_plots, 3);
    columns->addLayout(outputs, 1);
    connectInputs();
}

QGroupBox *MovePane::group(const QString &title, const QString &name)
{
    return AxisInputGroup(title, name, this);
}

MovePane::Input MovePane::addInput(QGridLayout *grid, const QString &caption, const QString &name,
                                   const QString &spoken, const QString &unitType, const QString &after)
{
    return AddAxisInput(m_units, grid, caption, name, spoken, unitType, after);
}

QWidget *MovePane::buildMoveGroup()
{
    QGroupBox *box = group(QStringLiteral("Move"), QStringLiteral("fraMoveProfile"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    m_distance = addInput(grid, QStringLiteral("&Distance:"), QStringLiteral("Distance"),
                          QStringLiteral("Move distance"), QStringLiteral("Angle"));
    m_moveTime = addInput(grid, QStringLiteral("Move &time:"), QStringLiteral("MoveTime"),
                          QStringLiteral("Move time"), QStringLiteral("Time"));
    m_cmbProfile =
        Named(new QComboBox(box), QStringLiteral("cmbProfile"), QString(), QStringLiteral("Profile"));
    m_cmbProfile->addItems({QStringLiteral("Trapezoidal, ramps t/3 each"),
                            QStringLiteral("Trapezoidal, ramps as given"), QStringLiteral("Triangular")});
    const int row = grid->rowCount();
    grid->addWidget(BuddyCaption(QStringLiteral("&Profile:"), m_cmbProfile, box), row, 0);
    grid->addWidget(m_cmbProfile, row, 1, 1, 2);
    m_accelTime = addInput(grid, QStringLiteral("&Acceleration time:"), QStringLiteral("AccelTime"),
                           QStringLiteral("Acceleration time"), QStringLiteral("Time"));
    m_decelTime = addInput(grid, QStringLiteral("De&celeration time:"), QStringLiteral("DecelTime"),
                           QStringLiteral("Deceleration time"), QStringLiteral("Time"));
    m_dwell = addInput(grid, QStringLiteral("D&well:"), QStringLiteral("Dwell"), QStringLiteral("Dwell time"),
                       QStringLiteral("Time"));
    grid->setColumnStretch(3, 1); // the boxes keep their size in a wider window
    grid->setRowStretch(grid->rowCount(), 1);
    return box;
}

QWidget *MovePane::buildLoadGroup()
{
    QGroupBox *box = group(QStringLiteral("Load"), QStringLiteral("fraMoveLoad"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    m_incline = addInput(grid, QStringLiteral("Inc&line θ:"), QStringLiteral("Incline"),
                         QStringLiteral("Incline, 90 degrees lifting vertically"), QStringLiteral("Angle"));
    m_incline.box->setToolTip(QStringLiteral("0 horizontal, 90° lifting vertically"));
    m_friction = addInput(grid, QStringLiteral("F&riction μ:"), QStringLiteral("Friction"),
                          QStringLiteral("Friction coefficient"), {});
    m_thrust = addInput(grid, QStringLiteral("E&xternal force:"), QStringLiteral("Thrust"),
                        QStringLiteral("External force against the move"), QStringLiteral("Force"));
    m_mechanismEfficiency =
        addInput(grid, QStringLiteral("Mechanism efficienc&y:"), QStringLiteral("MechanismEfficiency"),
                 QStringLiteral("Mechanism efficiency in percent"), {}, QStringLiteral("%"));
    m_gearboxEfficiency =
        addInput(grid, QStringLiteral("&Gearbox efficiency:"), QStringLiteral("GearboxEfficiency"),
                 QStringLiteral("Gearbox efficiency in percent"), {}, QStringLiteral("%"));
    m_loadTorque = addInput(grid, QStringLiteral("Load tor&que:"), QStringLiteral("LoadTorque"),
                            QStringLiteral("Load torque of a rotary axis"), QStringLiteral("Torque"));
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    return box;
}

QWidget *MovePane::buildMotorGroup()
{
    QGroupBox *motor = group(QStringLiteral("Motor"), QStringLiteral("fraMoveMotor"));
    auto *grid = static_cast<QGridLayout *>(motor->layout());
    m_ratedTorque = addInput(grid, QStringLiteral("Rated torq&ue:"), QStringLiteral("RatedTorque"),
                             QStringLiteral("Rated torque of the motor"), QStringLiteral("Torque"));
    m_peakTorque = addInput(grid, QStringLiteral("Pea&k torque:"), QStringLiteral("PeakTorque"),
                            QStringLiteral("Peak torque of the motor"), QStringLiteral("Torque"));
    m_maxSpeed = addInput(grid, QStringLiteral("Maximum &speed:"), QStringLiteral("MaxSpeed"),
                          QStringLiteral("Maximum speed of the motor"), QStringLiteral("Angular velocity"));
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(grid->rowCount(), 1);
    return motor;
}

QWidget *MovePane::buildMotorCheck()
{
    QGroupBox *check = group(QStringLiteral("Motor check"), QStringLiteral("fraMotorCheck"));
    auto *grid = static_cast<QGridLayout *>(check->layout());
    grid->setVerticalSpacing(2);
    const QString spoken[MotorCheckCount] = {
        QStringLiteral("Peak torque check"), QStringLiteral("RMS torque check"),
        QStringLiteral("Speed check"), QStringLiteral("Inertia ratio check"),
        QStringLiteral("Breakaway torque check")};
    // The breakaway is checked beside the static friction, on the Motor tab.
    for (int k = 0; k < MotorCheckCount; ++k) {
        if (MotorCheckKind(k) == MotorCheckKind::Breakaway)
            continue;
        QLabel *label =
            AxisCheckLabel(QStringLiteral("lblCheck_%1").arg(QLatin1String(CheckKeys[k])), spoken[k], check);
        HoldLabel(grid, label, k, 0);
        m_checks[std::size_t(k)] = label;
    }
    m_limitChecks = AddMechanismCheckLabels(grid, QStringLiteral("lblCheck"), 1);
    return check;
}

void MovePane::showMechanismChecks(const std::vector<MechanismCheck> &checks)
{
    ShowMechanismChecks(m_limitChecks, checks);
}

namespace {

// Scrolls when the window is too small for all of it; asks for the room of
// about twenty lines of figures, so the window opens on a common screen.
class FigureScroll : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override
    {
        return {minimumSizeHint().width(), std::min(content().height(), fontMetrics().height() * 20)};
    }
    // As narrow as the figure rows, the notes below them wrapped to fit.
    QSize minimumSizeHint() const override
    {
        const int width = widget() ? widget()->minimumSizeHint().width() : 0;
        return {width + verticalScrollBar()->sizeHint().width(),
                std::min(content().height(), fontMetrics().height() * 3)};
    }

protected:
    // The figures' layout changes (a unit list filled, rows shown for another
    // axis): the pane lays itself out again around them.
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == widget() && event->type() == QEvent::LayoutRequest)
            updateGeometry();
        return QScrollArea::eventFilter(watched, event);
    }

private:
    QSize content() const { return widget() ? widget()->sizeHint() : QSize(); }
};

} // namespace

QWidget *MovePane::buildResults()
{
    QGroupBox *box = group(QStringLiteral("Move results"), QStringLiteral("fraMoveResults"));
    auto *outer = static_cast<QGridLayout *>(box->layout());
    auto *scroll = Named(new FigureScroll(box), QStringLiteral("scrMoveResults"), QString(),
                         QStringLiteral("Move results"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto *content = new QWidget(scroll);
    auto *grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    m_figureGrid = grid;
    for (int u = 0; u < MoveUnitCount; ++u) {
        const MoveUnit unit = MoveUnit(u);
        const QString name = QStringLiteral("cmb%1Units").arg(QLatin1String(MoveUnitName(unit)));
        const QString spoken = QStringLiteral("%1 units").arg(QLatin1String(MoveUnitName(unit)));
        // A figure of one unit shows it in a list of one.
        if (const QString fixed = MoveFixedUnit(unit); !fixed.isEmpty()) {
            auto *list = Named(new QComboBox(content), name, QString(), spoken);
            list->addItem(fixed);
            m_unitLists[std::size_t(unit)] = list;
        } else {
            m_unitLists[std::size_t(unit)] =
                AxisUnitList(name, spoken, QString::fromLatin1(MoveUnitType(unit, m_kind)), content);
        }
    }
    for (int f = 0; f < FigureCount; ++f) {
        const MoveFigureRow &row = MoveFigures[std::size_t(f)];
        const QString spoken = QString::fromUtf8(row.spoken);
        const QString key = QString::fromLatin1(row.key);
        m_rows[std::size_t(f)] = AddResultRow(grid, f + 1, key, QString::fromUtf8(row.caption), spoken);
        QLabel *value = m_rows[std::size_t(f)].value;
        value->setMinimumSize(110, 22);
        grid->removeWidget(value);
        m_numberHolders.push_back(HoldLabel(grid, value, f + 1, 3));
        m_captions[std::size_t(f)] = static_cast<QLabel *>(grid->itemAtPosition(f + 1, 2)->widget());
        m_unitNames[std::size_t(f)] = Named(new QLabel(content), QStringLiteral("lblUnit_%1").arg(key),
                                            QString(), spoken + QStringLiteral(" unit"));
        grid->addWidget(m_unitNames[std::size_t(f)], f + 1, 4);
    }
    m_lblProblem =
        Named(new QLabel(content), QStringLiteral("lblMoveProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    grid->addWidget(m_lblProblem, FigureCount + 1, 0, 1, 5);
    grid->addWidget(buildSegments(content), FigureCount + 2, 0, 1, 5);
    // Said where the figures are read, so no one takes them for more than they are.
    m_lblConventions = Named(new QLabel(content), QStringLiteral("lblMoveNote"), QString(),
                             QStringLiteral("Conventions and assumptions"));
    m_lblConventions->setWordWrap(true);
    grid->addWidget(m_lblConventions, FigureCount + 3, 0, 1, 5);
    grid->setRowStretch(FigureCount + 4, 1);
    // The signs above the figures they govern; all the conventions and
    // assumptions follow the segments.
    auto *signs = Named(new QLabel(QString::fromUtf8(MoveSignsInBrief), content),
                        QStringLiteral("lblMoveSigns"), QString(), QStringLiteral("Signs"));
    signs->setWordWrap(true);
    grid->addWidget(signs, 0, 0, 1, 5);
    grid->setColumnStretch(3, 1); // the values take a wider pane
    scroll->setWidget(content);
    outer->addWidget(scroll, 0, 0);
    placeUnitLists();
    return box;
}

QWidget *MovePane::buildSegments(QWidget *parent)
{
    auto *table = Named(new QWidget(parent), QStringLiteral("fraSegments"), QString(),
                        QStringLiteral("Segments of one cycle"));
    auto *grid = new QGridLayout(table);
    grid->setContentsMargins(0, 6, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(1);
    for (int c = 0; c < 4; ++c) {
        m_segmentHeads[std::size_t(c)] = Named(
            new QLabel(table), QStringLiteral("lblSegmentHead_%1").arg(QLatin1String(SegmentColumnKeys[c])),
            QString(), QString());
        m_segmentHeads[std::size_t(c)]->setAlignment(Qt::AlignRight | Qt::AlignBottom);
        m_segmentHeads[std::size_t(c)]->setWordWrap(true); // a narrow pane breaks a heading, not a number
        grid->addWidget(m_segmentHeads[std::size_t(c)], 0, c + 1);
    }
    for (int k = 0; k < MoveSegmentCount; ++k) {
        const QString title = SegmentTitle(MoveSegmentKind(k));
        grid->addWidget(new QLabel(title, table), k + 1, 0);
        for (int c = 0; c < 4; ++c) {
            auto *cell = Named(new QLabel(table),
                               QStringLiteral("lblSegment_%1_%2")
                                   .arg(QLatin1String(SegmentKeys[k]), QLatin1String(SegmentColumnKeys[c])),
                               QString(), title);
            cell->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            cell->setTextInteractionFlags(Qt::TextSelectableByMouse);
            m_numberHolders.push_back(HoldLabel(grid, cell, k + 1, c + 1));
            m_segmentCells[std::size_t(k)][std::size_t(c)] = cell;
        }
    }
    return table;
}

void MovePane::placeUnitLists()
{
    std::array<bool, MoveUnitCount> placed{};
    for (int f = 0; f < FigureCount; ++f) {
        const MoveFigureRow &row = MoveFigures[std::size_t(f)];
        const bool shown = MoveFigureApplies(row, m_kind);
        const ResultRowControls &result = m_rows[std::size_t(f)];
        for (QWidget *widget : std::initializer_list<QWidget *>{
                 result.copyValue, result.copyAll, result.value->parentWidget(), m_captions[std::size_t(f)]})
            widget->setVisible(shown);
        const bool first = shown && !placed[std::size_t(row.unit)];
        m_unitNames[std::size_t(f)]->setVisible(shown && !first);
        if (first) {
            QComboBox *list = unitList(row.unit);
            m_figureGrid->removeWidget(list);
            m_figureGrid->addWidget(list, f + 1, 4);
            placed[std::size_t(row.unit)] = true;
        }
    }
    // A unit no figure of this axis is shown in keeps its list out of sight.
    for (int u = 0; u < MoveUnitCount; ++u)
        m_unitLists[std::size_t(u)]->setVisible(placed[std::size_t(u)]);
}

void MovePane::connectInputs()
{
    for (const Input *input : {&m_distance, &m_moveTime, &m_accelTime, &m_decelTime, &m_dwell, &m_incline,
                               &m_friction, &m_thrust, &m_mechanismEfficiency, &m_gearboxEfficiency,
                               &m_loadTorque, &m_ratedTorque, &m_peakTorque, &m_maxSpeed}) {
        const auto edit = [this, what = input->what]() { userEdit(what); };
        connect(input->box, &QLineEdit::textChanged, this, edit);
        if (input->units)
            connect(input->units, &QComboBox::currentIndexChanged, this, edit);
    }
    connect(m_cmbProfile, &QComboBox::currentIndexChanged, this,
            [this]() { userEdit(QStringLiteral("profile")); });
    for (QComboBox *units : m_unitLists)
        connect(units, &QComboBox::currentIndexChanged, this, &MovePane::display);
    for (int f = 0; f < FigureCount; ++f) {
        connect(m_rows[std::size_t(f)].copyValue, &QAbstractButton::clicked, this,
                [this, f]() { copy(f, false); });
        connect(m_rows[std::size_t(f)].copyAll, &QAbstractButton::clicked, this,
                [this, f]() { copy(f, true); });
    }
}

void MovePane::userEdit(const QString &what)
{
    if (m_loading)
        return;
    const bool given = m_cmbProfile->currentIndex() == GivenRamps;
    // Ramps the user takes over start from the move's own, exactly.
    if (given && !m_accelTime.box->isEnabled())
        showRamps(true);
    m_accelTime.setEnabled(given);
    m_decelTime.setEnabled(given);
    Q_EMIT edited(what);
}

void MovePane::setMove(const AxisMotor &motor, const MoveInputs &move)
{
    const bool loading = m_loading;
    m_loading = true;
    // The tab edits the cycle's first move.
    const CycleMove &first = move.moves.first();
    const std::pair<const Input *, const AxisQuantity *> quantities[] = {{&m_distance, &first.distance},
                                                                         {&m_moveTime, &first.moveTime},
                                                                         {&m_accelTime, &first.accelTime},
                                                                         {&m_decelTime, &first.decelTime},
                                                                         {&m_dwell, &first.dwell},
                                                                         {&m_incline, &move.incline},
                                                                         {&m_thrust, &first.thrust},
                                                                         {&m_loadTorque, &first.loadTorque},
                                                                         {&m_ratedTorque, &motor.ratedTorque},
                                                                         {&m_peakTorque, &motor.peakTorque},
                                                                         {&m_maxSpeed, &motor.maxSpeed}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    m_friction.box->setText(AxisEntryText(move.friction));
    m_mechanismEfficiency.box->setText(AxisEntryText(move.mechanismEfficiency));
    m_gearboxEfficiency.box->setText(AxisEntryText(move.gearboxEfficiency));
    m_cmbProfile->setCurrentIndex(first.profile == MoveProfile::Triangular ? Triangle
                                  : first.defaultRamps                     ? DefaultRamps
                                                                           : GivenRamps);
    m_accelTime.setEnabled(m_cmbProfile->currentIndex() == GivenRamps);
    m_decelTime.setEnabled(m_cmbProfile->currentIndex() == GivenRamps);
    m_loading = loading;
}

void MovePane::readInto(AxisMotor &motor, MoveInputs &move) const
{
    motor.ratedTorque = ReadBoxQuantity(m_units, m_ratedTorque.box, m_ratedTorque.units);
    motor.peakTorque = ReadBoxQuantity(m_units, m_peakTorque.box, m_peakTorque.units);
    motor.maxSpeed = ReadBoxQuantity(m_units, m_maxSpeed.box, m_maxSpeed.units);
    CycleMove &first = move.moves.first();
    first.distance = ReadBoxQuantity(m_units, m_distance.box, m_distance.units);
    first.moveTime = ReadBoxQuantity(m_units, m_moveTime.box, m_moveTime.units);
    const int profile = m_cmbProfile->currentIndex();
    first.profile = profile == Triangle ? MoveProfile::Triangular : MoveProfile::Trapezoidal;
    if (profile != Triangle)
        first.defaultRamps = profile == DefaultRamps;
    // The ramp boxes show the ramps used; they are the user's only when given.
    if (profile == GivenRamps) {
        first.accelTime = ReadBoxQuantity(m_units, m_accelTime.box, m_accelTime.units);
        first.decelTime = ReadBoxQuantity(m_units, m_decelTime.box, m_decelTime.units);
    }
    first.dwell = ReadBoxQuantity(m_units, m_dwell.box, m_dwell.units);
    // The inputs of the other kind of axis keep what they hold.
    if (m_kind == MechanismKind::Rotary) {
        first.loadTorque = ReadBoxQuantity(m_units, m_loadTorque.box, m_loadTorque.units);
    } else {
        move.incline = ReadBoxQuantity(m_units, m_incline.box, m_incline.units);
        move.friction = ReadBoxNumber(m_friction.box);
        first.thrust = ReadBoxQuantity(m_units, m_thrust.box, m_thrust.units);
        move.mechanismEfficiency = ReadBoxNumber(m_mechanismEfficiency.box);
    }
    move.gearboxEfficiency = ReadBoxNumber(m_gearboxEfficiency.box);
}

void MovePane::followMechanism(MechanismKind kind, const MoveInputs &move)
{
    const bool loading = m_loading;
    m_loading = true;
    const bool rotary = kind == MechanismKind::Rotary;
    // Linear and angular units never share a list; the distance keeps its
    // value and is shown in the new type's default unit.
    if ((m_kind == MechanismKind::Rotary) != rotary) {
        RefillUnitList(m_units, m_distance.units, QString::fromLatin1(DistanceUnitType(kind)));
        ShowAxisQuantity(m_units, m_distance.box, m_distance.units, move.moves.first().distance);
        for (MoveUnit load : {MoveUnit::LoadSpeed, MoveUnit::LoadAccel})
            RefillUnitList(m_units, unitList(load), QString::fromLatin1(MoveUnitType(load, kind)));
    }
    const bool changed = m_kind != kind;
    m_kind = kind;
    if (changed)
        placeUnitLists();
    for (const Input *linear : {&m_incline, &m_friction, &m_thrust, &m_mechanismEfficiency})
        linear->setEnabled(!rotary);
    m_loadTorque.setEnabled(rotary);
    m_loading = loading;
}

void MovePane::showMove(const Axis &axis, const AxisResults &inertia, const MoveInputs &move, int digits,
                        bool notation)
{
    m_results = ComputeMove(axis, inertia, move);
    followMechanism(m_results.mechanism.kind, move);
    m_plot.motor = axis.motor;
    if (m_heldDigits != std::pair{digits, notation}) {
        m_heldDigits = {digits, notation};
        const QString widest = RoomyNumberText(digits, notation);
        for (QWidget *holder : m_numberHolders)
            static_cast<LabelHolder *>(holder)->setWidest(widest);
    }
    m_digits = digits;
    m_notation = notation;
    display();
}

void MovePane::display()
{
    const MoveResults &r = m_results;
    QString problem;
    for (int f = 0; f < FigureCount; ++f) {
        const MoveFigureRow &row = MoveFigures[std::size_t(f)];
        if (!MoveFigureApplies(row, m_kind))
            continue;
        const AxisFigure &figure = r.*row.member;
        if (!figure.ok() && problem.isEmpty())
            problem = figure.reason();
        const QString unit = unitList(row.unit)->currentText();
        ShowResult(m_rows[std::size_t(f)], figure,
                   MoveFigureText(m_units, figure, row.unit, unit, m_digits, m_notation));
        ShowValue(m_unitNames[std::size_t(f)], unit.trimmed());
    }
    ShowValue(m_lblProblem, problem);
    showSegments();
    ShowValue(m_lblConventions, MoveConventions(m_kind).join(u' '));

    // The words carry each verdict; the colour only repeats it.
    for (const MotorCheck &check : r.checks) {
        QLabel *label = m_checks[std::size_t(check.kind)];
        const QComboBox *units =
            unitList(check.kind == MotorCheckKind::Speed ? MoveUnit::MotorSpeed : MoveUnit::Torque);
        if (label)
            ShowCheck(label,
                      MotorCheckText(m_units, check, units->currentText(), m_digits,
                                     unitList(MoveUnit::MotorSpeed)->currentText()),
                      check.level);
    }

    // Ramps not given show the ones the move uses, as its figures show.
    if (m_cmbProfile->currentIndex() != GivenRamps)
        showRamps(false);

    m_plot.results = r;
    m_plot.speedUnit = unitList(MoveUnit::MotorSpeed)->currentText().trimmed();
    m_plot.torqueUnit = unitList(MoveUnit::Torque)->currentText().trimmed();
    m_plot.speedFactor = FromBaseUnits(m_units, 1.0, m_plot.speedUnit).value_or(1.0);
    m_plot.torqueFactor = FromBaseUnits(m_units, 1.0, m_plot.torqueUnit).value_or(1.0);
    m_plots->showMove(m_plot);
    // The plots in words, segment by segment, for a screen reader.
    QStringList segments;
    for (const MoveSegment &segment : r.segments) {
        if (segment.duration > 0 && segment.torque.ok())
            segments << QStringLiteral("%1 for %2 s at %3")
                            .arg(SegmentTitle(segment.kind),
                                 AxisNumberText(segment.duration, m_digits, m_notation),
                                 AxisFigureText(m_units, segment.torque, m_plot.torqueUnit, m_digits,
                                                m_notation) +
                                     u' ' + m_plot.torqueUnit);
    }
    m_plots->setAccessibleDescription(segments.join(QStringLiteral("; ")));
    Q_EMIT shown();
}

void MovePane::showRamps(bool exact)
{
    const bool loading = m_loading;
    m_loading = true;
    for (const auto &[input, figure] :
         {std::pair{&m_accelTime, &m_results.accelTime}, std::pair{&m_decelTime, &m_results.decelTime}}) {
        if (!figure->ok())
            input->box->clear();
        else if (exact)
            ShowAxisQuantity(m_units, input->box, input->units, {figure->value(), {}});
        else
            input->box->setText(
                AxisFigureText(m_units, *figure, input->units->currentText(), m_digits, m_notation));
        input->box->setCursorPosition(0);
    }
    m_loading = loading;
}

void MovePane::showSegments()
{
    const MoveReportUnits shown = shownUnits();
    const QList<QStringList> table = MoveSegmentTable(m_results, shown, {m_units, {}, m_digits, m_notation});
    // Cells of a move that cannot be computed show a dash; the problem says why.
    const bool ok = m_lblProblem->text().isEmpty();
    for (int c = 0; c < 4; ++c)
        ShowValue(m_segmentHeads[std::size_t(c)], table[0][c + 1]);
    for (int k = 0; k < MoveSegmentCount; ++k)
        for (int c = 0; c < 4; ++c)
            ShowValue(m_segmentCells[std::size_t(k)][std::size_t(c)],
                      ok && k + 1 < table.size() ? table[k + 1][c + 1] : QStringLiteral("\u2014"));
}

MoveReportUnits MovePane::shownUnits() const
{
    MoveReportUnits shown;
    for (int u = 0; u < MoveUnitCount; ++u)
        shown.figures[std::size_t(u)] = m_unitLists[std::size_t(u)]->currentText();
    shown.accelTime = m_accelTime.units->currentText();
    shown.decelTime = m_decelTime.units->currentText();
    return shown;
}

void MovePane::copyCurrent(bool withUnit)
{
    int which = 0;
    while (MoveFigures[std::size_t(which)].member != &MoveResults::peakTorque)
        ++which;
    copy(int(FocusedResultRow(m_rows).value_or(std::size_t(which))), withUnit);
}

void MovePane::copy(int figure, bool withUnit)
{
    const QString value = m_rows[std::size_t(figure)].value->text();
    const QComboBox *units = unitList(MoveFigures[std::size_t(figure)].unit);
    CopyText(withUnit ? NumberUnitText(value, QString(), units->currentText()) : value);
}
