#include "axiswin/movepane.h"

#include "axiswin/axisentry.h"
#include "units/clipboardtext.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

enum ProfileChoice { DefaultRamps, GivenRamps, Triangle };

const char *const FigureKeys[] = {"peakSpeed",  "acceleration",  "motorSpeed", "accelTorque",
                                  "loadTorque", "holdingTorque", "peakTorque", "rmsTorque"};
const char *const SegmentWords[MoveSegmentCount] = {"Accelerating", "Constant speed", "Decelerating",
                                                    "Dwell"};
const char *const CheckKeys[MotorCheckCount] = {"peakTorque", "rmsTorque", "speed", "inertiaRatio"};

QString linearOr(MechanismKind kind, const char *linear, const char *rotary)
{
    return QString::fromLatin1(kind == MechanismKind::Rotary ? rotary : linear);
}

} // namespace

void MovePane::Input::setEnabled(bool on) const
{
    for (QWidget *widget : std::initializer_list<QWidget *>{caption, box, units}) {
        if (widget)
            widget->setEnabled(on);
    }
}

MovePane::MovePane(const ConversionTableData &units, QWidget *parent) : QWidget(parent), m_units(units)
{
    setObjectName(QStringLiteral("fraMove"));
    setAccessibleName(QStringLiteral("Move"));
    // Three columns, so the pane fits a small screen: the move with the
    // motor and the plots of what it does below; the load with the figures;
    // the motor check down the whole height, its sentences wrapped. The
    // inputs come first in the Tab order, as they are read.
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->addWidget(buildMoveGroup(), 0, 0);
    grid->addWidget(buildLoadGroup(), 0, 1);
    auto *motor = new QVBoxLayout;
    motor->addWidget(buildMotorGroup());
    m_plots = Named(new MovePlots(this), QStringLiteral("gphMovePlots"), QString(),
                    QStringLiteral("Motor speed and torque over one cycle"));
    motor->addWidget(m_plots, 1);
    grid->addLayout(motor, 1, 0);
    grid->addWidget(buildResults(), 1, 1);
    grid->addWidget(buildMotorCheck(), 0, 2, 2, 1);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    connectInputs();
}

QGroupBox *MovePane::group(const QString &title, const QString &name)
{
    auto *box = Named(new QGroupBox(title, this), name, QString(), title);
    auto *grid = new QGridLayout(box);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);
    return box;
}

MovePane::Input MovePane::addInput(QGridLayout *grid, const QString &caption, const QString &name,
                                   const QString &spoken, const QString &unitType, const QString &after)
{
    QWidget *pane = grid->parentWidget();
    Input input;
    const int row = grid->rowCount();
    input.box = AxisValueBox(QStringLiteral("txt%1").arg(name), spoken, pane, 80);
    input.caption = BuddyCaption(caption, input.box, pane);
    input.what = input.caption->text().remove(u'&').remove(u':');
    input.what[0] = input.what[0].toLower();
    grid->addWidget(input.caption, row, 0);
    grid->addWidget(input.box, row, 1);
    if (!unitType.isEmpty()) {
        input.units = AxisUnitList(QStringLiteral("cmb%1Units").arg(name), spoken + QStringLiteral(" units"),
                                   unitType, pane);
        input.box->setUnitList(m_units, input.units);
        grid->addWidget(input.units, row, 2);
    } else if (!after.isEmpty()) {
        grid->addWidget(new QLabel(after, pane), row, 2);
    }
    return input;
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
    return motor;
}

QWidget *MovePane::buildMotorCheck()
{
    QGroupBox *check = group(QStringLiteral("Motor check"), QStringLiteral("fraMotorCheck"));
    auto *grid = static_cast<QGridLayout *>(check->layout());
    grid->setVerticalSpacing(10);
    QFont bold = font();
    bold.setBold(true);
    const QString spoken[MotorCheckCount] = {
        QStringLiteral("Peak torque check"), QStringLiteral("RMS torque check"),
        QStringLiteral("Speed check"), QStringLiteral("Inertia ratio check")};
    for (int k = 0; k < MotorCheckCount; ++k) {
        auto *label = Named(new QLabel(check), QStringLiteral("lblCheck_%1").arg(QLatin1String(CheckKeys[k])),
                            QString(), spoken[k]);
        label->setWordWrap(true);
        label->setFont(bold);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(label, k, 0);
        m_checks[std::size_t(k)] = label;
    }
    grid->setRowStretch(MotorCheckCount, 1);
    // Wide enough for a few words a line, whatever the font.
    check->setMinimumWidth(QFontMetrics(bold).averageCharWidth() * 22);
    return check;
}

QWidget *MovePane::buildResults()
{
    QGroupBox *box = group(QStringLiteral("Move results"), QStringLiteral("fraMoveResults"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    struct Row
    {
        const char *caption;
        const char *spoken;
    };
    const Row rows[FigureCount] = {
        {"v<sub>max</sub> =", "Peak load speed"},        {"a =", "Load acceleration"},
        {"n<sub>max</sub> =", "Maximum motor speed"},    {"T<sub>acc</sub> =", "Acceleration torque"},
        {"T<sub>L</sub> =", "Load torque at the motor"}, {"T<sub>hold</sub> =", "Holding torque at rest"},
        {"T<sub>peak</sub> =", "Peak torque"},           {"T<sub>RMS</sub> =", "RMS torque"}};
    for (int f = 0; f < FigureCount; ++f) {
        const QString spoken = QString::fromUtf8(rows[f].spoken);
        m_rows[std::size_t(f)] = AddResultRow(grid, f, QString::fromLatin1(FigureKeys[f]),
                                              QString::fromUtf8(rows[f].caption), spoken);
        m_rows[std::size_t(f)].value->setMinimumSize(120, 25);
        QWidget *unit = nullptr;
        const auto list = [&](const char *name, const char *type) {
            auto *units = AxisUnitList(QString::fromLatin1(name), spoken + QStringLiteral(" units"),
                                       QString::fromLatin1(type), box);
            unit = units;
            return units;
        };
        if (f == PeakSpeed)
            m_cmbLoadSpeedUnits = list("cmbLoadSpeedUnits", "Angular velocity");
        else if (f == Acceleration)
            m_cmbLoadAccelUnits = list("cmbLoadAccelUnits", "Angular acceleration");
        else if (f == MotorSpeed)
            m_cmbMotorSpeedUnits = list("cmbMotorSpeedUnits", "Angular velocity");
        else if (f == AccelTorque)
            m_cmbTorqueUnits = list("cmbTorqueUnits", "Torque");
        else
            unit = m_torqueUnitNames[std::size_t(f)] =
                Named(new QLabel(box), QStringLiteral("lblUnit_%1").arg(QLatin1String(FigureKeys[f])),
                      QString(), spoken + QStringLiteral(" unit"));
        grid->addWidget(unit, f, 4);
    }
    m_lblProblem =
        Named(new QLabel(box), QStringLiteral("lblMoveProblem"), QString(), QStringLiteral("Problem"));
    m_lblProblem->setWordWrap(true);
    grid->addWidget(m_lblProblem, FigureCount, 0, 1, 5);
    grid->setRowStretch(FigureCount + 1, 1);
    // Said where the figures are read, so no one takes them for more than they are.
    auto *note = Named(new QLabel(QStringLiteral("Efficiencies act in the driving direction in every "
                                                 "segment, braking included: a conservative simplification. "
                                                 "At rest only gravity holds the load."),
                                  box),
                       QStringLiteral("lblMoveNote"), QString(), QStringLiteral("Note"));
    note->setWordWrap(true);
    ShowValue(note, note->text());
    grid->addWidget(note, FigureCount + 2, 0, 1, 5);
    return box;
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
    for (QComboBox *units :
         {m_cmbLoadSpeedUnits, m_cmbLoadAccelUnits, m_cmbMotorSpeedUnits, m_cmbTorqueUnits})
        connect(units, &QComboBox::currentIndexChanged, this, &MovePane::display);
    for (int f = 0; f < FigureCount; ++f) {
        connect(m_rows[std::size_t(f)].copyValue, &QAbstractButton::clicked, this,
                [this, f]() { copy(Figure(f), false); });
        connect(m_rows[std::size_t(f)].copyAll, &QAbstractButton::clicked, this,
                [this, f]() { copy(Figure(f), true); });
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
    const std::pair<const Input *, const AxisQuantity *> quantities[] = {{&m_distance, &move.distance},
                                                                         {&m_moveTime, &move.moveTime},
                                                                         {&m_accelTime, &move.accelTime},
                                                                         {&m_decelTime, &move.decelTime},
                                                                         {&m_dwell, &move.dwell},
                                                                         {&m_incline, &move.incline},
                                                                         {&m_thrust, &move.thrust},
                                                                         {&m_loadTorque, &move.loadTorque},
                                                                         {&m_ratedTorque, &motor.ratedTorque},
                                                                         {&m_peakTorque, &motor.peakTorque},
                                                                         {&m_maxSpeed, &motor.maxSpeed}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    m_friction.box->setText(AxisEntryText(move.friction));
    m_mechanismEfficiency.box->setText(AxisEntryText(move.mechanismEfficiency));
    m_gearboxEfficiency.box->setText(AxisEntryText(move.gearboxEfficiency));
    m_cmbProfile->setCurrentIndex(move.profile == MoveProfile::Triangular ? Triangle
                                  : move.defaultRamps                     ? DefaultRamps
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
    move.distance = ReadBoxQuantity(m_units, m_distance.box, m_distance.units);
    move.moveTime = ReadBoxQuantity(m_units, m_moveTime.box, m_moveTime.units);
    const int profile = m_cmbProfile->currentIndex();
    move.profile = profile == Triangle ? MoveProfile::Triangular : MoveProfile::Trapezoidal;
    if (profile != Triangle)
        move.defaultRamps = profile == DefaultRamps;
    // The ramp boxes show the ramps used; they are the user's only when given.
    if (profile == GivenRamps) {
        move.accelTime = ReadBoxQuantity(m_units, m_accelTime.box, m_accelTime.units);
        move.decelTime = ReadBoxQuantity(m_units, m_decelTime.box, m_decelTime.units);
    }
    move.dwell = ReadBoxQuantity(m_units, m_dwell.box, m_dwell.units);
    // The inputs of the other kind of axis keep what they hold.
    if (m_kind == MechanismKind::Rotary) {
        move.loadTorque = ReadBoxQuantity(m_units, m_loadTorque.box, m_loadTorque.units);
    } else {
        move.incline = ReadBoxQuantity(m_units, m_incline.box, m_incline.units);
        move.friction = ReadBoxNumber(m_friction.box);
        move.thrust = ReadBoxQuantity(m_units, m_thrust.box, m_thrust.units);
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
        ShowAxisQuantity(m_units, m_distance.box, m_distance.units, move.distance);
        RefillUnitList(m_units, m_cmbLoadSpeedUnits, linearOr(kind, "Linear velocity", "Angular velocity"));
        RefillUnitList(m_units, m_cmbLoadAccelUnits,
                       linearOr(kind, "Linear acceleration", "Angular acceleration"));
    }
    m_kind = kind;
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
    m_digits = digits;
    m_notation = notation;
    display();
}

QComboBox *MovePane::unitsOf(Figure which) const
{
    switch (which) {
    case PeakSpeed:
        return m_cmbLoadSpeedUnits;
    case Acceleration:
        return m_cmbLoadAccelUnits;
    case MotorSpeed:
        return m_cmbMotorSpeedUnits;
    default:
        return m_cmbTorqueUnits;
    }
}

void MovePane::display()
{
    const MoveResults &r = m_results;
    const AxisFigure *figures[FigureCount] = {&r.peakLoadSpeed, &r.loadAccel,  &r.maxMotorSpeed,
                                              &r.accelTorque,   &r.loadTorque, &r.holdingTorque,
                                              &r.peakTorque,    &r.rmsTorque};
    QString problem;
    for (int f = 0; f < FigureCount; ++f) {
        const AxisFigure &figure = *figures[f];
        if (!figure.ok() && problem.isEmpty())
            problem = figure.reason();
        ShowResult(m_rows[std::size_t(f)], figure,
                   AxisFigureText(m_units, figure, unitsOf(Figure(f))->currentText(), m_digits, m_notation));
        if (QLabel *unit = m_torqueUnitNames[std::size_t(f)])
            ShowValue(unit, m_cmbTorqueUnits->currentText().trimmed());
    }
    ShowValue(m_lblProblem, problem);

    // The words carry each verdict; the colour only repeats it.
    for (const MotorCheck &check : r.checks) {
        QLabel *label = m_checks[std::size_t(check.kind)];
        const QComboBox *units =
            check.kind == MotorCheckKind::Speed ? m_cmbMotorSpeedUnits : m_cmbTorqueUnits;
        ShowValue(label, MotorCheckText(m_units, check, units->currentText(), m_digits));
        const char *colour = check.level == CheckLevel::Passes  ? "#1b6e20"
                             : check.level == CheckLevel::Fails ? "#b3261e"
                                                                : nullptr;
        // A new style sheet restyles the label: set only when it changes.
        const QString style = colour ? QStringLiteral("color: %1;").arg(QLatin1String(colour)) : QString();
        if (label->styleSheet() != style)
            label->setStyleSheet(style);
    }

    // Ramps not given show the ones the move uses, as its figures show.
    if (m_cmbProfile->currentIndex() != GivenRamps)
        showRamps(false);

    m_plot.results = r;
    m_plot.speedUnit = m_cmbMotorSpeedUnits->currentText().trimmed();
    m_plot.torqueUnit = m_cmbTorqueUnits->currentText().trimmed();
    m_plot.speedFactor = FromBaseUnits(m_units, 1.0, m_plot.speedUnit).value_or(1.0);
    m_plot.torqueFactor = FromBaseUnits(m_units, 1.0, m_plot.torqueUnit).value_or(1.0);
    m_plots->showMove(m_plot);
    // The plots in words, segment by segment, for a screen reader.
    QStringList segments;
    for (const MoveSegment &segment : r.segments) {
        if (segment.duration > 0 && segment.torque.ok())
            segments << QStringLiteral("%1 for %2 s at %3")
                            .arg(QLatin1String(SegmentWords[int(segment.kind)]),
                                 AxisNumberText(segment.duration, m_digits, m_notation),
                                 AxisFigureText(m_units, segment.torque, m_plot.torqueUnit, m_digits,
                                                m_notation) +
                                     u' ' + m_plot.torqueUnit);
    }
    m_plots->setAccessibleDescription(segments.join(QStringLiteral("; ")));
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

MoveReportUnits MovePane::shownUnits() const
{
    return {m_cmbLoadSpeedUnits->currentText(),  m_cmbLoadAccelUnits->currentText(),
            m_cmbMotorSpeedUnits->currentText(), m_cmbTorqueUnits->currentText(),
            m_accelTime.units->currentText(),    m_decelTime.units->currentText()};
}

void MovePane::copyCurrent(bool withUnit)
{
    Figure which = PeakTorque;
    for (int f = 0; f < FigureCount; ++f) {
        const AxisResultRow &row = m_rows[std::size_t(f)];
        if (row.copyValue->hasFocus() || row.copyAll->hasFocus())
            which = Figure(f);
    }
    copy(which, withUnit);
}

void MovePane::copy(Figure which, bool withUnit)
{
    const QString value = m_rows[std::size_t(which)].value->text();
    CopyText(withUnit ? NumberUnitText(value, QString(), unitsOf(which)->currentText()) : value);
}
