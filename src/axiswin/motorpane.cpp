#include "axiswin/motorpane.h"

#include "axis/axisentry.h"
#include "units/conversiontable.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>

#include <limits>
#include <optional>

namespace {

// The rows a point list offers: enough for any catalogue curve.
constexpr int PointRows = 12;

// A table cell's number, nullopt for an empty cell, NaN for one that is no number.
std::optional<double> cellNumber(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    const QString text = item ? item->text().trimmed() : QString();
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    return ok ? value : std::numeric_limits<double>::quiet_NaN();
}

} // namespace

MotorPane::MotorPane(const ConversionTableData &units, QWidget *parent) : QWidget(parent), m_units(units)
{
    setObjectName(QStringLiteral("fraMotor"));
    setAccessibleName(QStringLiteral("Motor"));
    // The curves, the margins and the torque against speed down the left,
    // the mechanism's losses and limits on the right: so the tab fits a small screen.
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    auto *left = new QVBoxLayout;
    m_peak = buildCurve(QStringLiteral("Peak"), QStringLiteral("Peak torque curve"), left);
    m_continuous = buildCurve(QStringLiteral("Continuous"), QStringLiteral("Continuous torque curve"), left);
    left->addLayout(buildPointUnits());
    left->addWidget(buildMargins());
    // Where the move meets the curves, in room the Move tab lacks on a small screen.
    m_plot = Named(new MovePlots(this), QStringLiteral("gphTorqueSpeed"), QString(),
                   QStringLiteral("Motor torque against speed"));
    m_plot->setMinimumSize(240, 160);
    left->addWidget(m_plot, 1);
    columns->addLayout(left, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(buildLosses());
    right->addWidget(buildMechanism());
    right->addStretch(1);
    columns->addLayout(right);
    connectInputs();
    enableInputs();
}

QGroupBox *MotorPane::group(const QString &title, const QString &name)
{
    return AxisInputGroup(title, name, this);
}

MotorPane::Curve MotorPane::buildCurve(const QString &name, const QString &title, QVBoxLayout *column)
{
    QGroupBox *box = group(title, QStringLiteral("fra%1Curve").arg(name));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    Curve curve;
    curve.form = Named(new QComboBox(box), QStringLiteral("cmb%1Form").arg(name), QString(),
                       QStringLiteral("%1 form").arg(title));
    curve.form->addItems({QStringLiteral("Flat"), QStringLiteral("Corner"), QStringLiteral("Points")});
    curve.form->setToolTip(
        QStringLiteral("Flat: the stall torque (the Move tab's rated or peak torque) to its "
                       "maximum speed. Corner: the stall "
                       "torque to the corner speed, then a straight line to the torque "
                       "at the maximum speed. Points: the list below."));
    grid->addWidget(BuddyCaption(QStringLiteral("Form:"), curve.form, box), 0, 0);
    grid->addWidget(curve.form, 0, 1, 1, 2);
    curve.corner =
        AddAxisInput(m_units, grid, QStringLiteral("Corner speed:"), QStringLiteral("%1Corner").arg(name),
                     QStringLiteral("%1 corner speed").arg(title), QStringLiteral("Angular velocity"));
    curve.atMax = AddAxisInput(
        m_units, grid, QStringLiteral("Torque at top speed:"), QStringLiteral("%1AtMaxSpeed").arg(name),
        QStringLiteral("%1 torque at maximum speed").arg(title), QStringLiteral("Torque"));
    curve.points = Named(new QTableWidget(PointRows, 2, box), QStringLiteral("tbl%1Points").arg(name),
                         QString(), QStringLiteral("%1 points").arg(title));
    curve.points->setHorizontalHeaderLabels({QStringLiteral("Speed"), QStringLiteral("Torque")});
    curve.points->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    curve.points->verticalHeader()->setDefaultSectionSize(curve.points->fontMetrics().height() + 4);
    curve.points->setMinimumHeight(curve.points->fontMetrics().height() * 5);
    curve.points->setMinimumWidth(120);
    curve.points->setTabKeyNavigation(false); // Tab leaves the list, as it does every other control
    curve.points->setToolTip(QStringLiteral("One point a row, in rising speed from 0, in the point units; "
                                            "straight lines between them, the last at the top speed."));
    grid->addWidget(curve.points, 0, 3, 4, 1);
    grid->setColumnStretch(3, 1);
    column->addWidget(box, 1);
    return curve;
}

QLayout *MotorPane::buildPointUnits()
{
    auto *row = new QHBoxLayout;
    m_cmbPointSpeedUnits =
        AxisUnitList(QStringLiteral("cmbPointSpeedUnits"), QStringLiteral("Point speed units"),
                     QStringLiteral("Angular velocity"), this);
    m_cmbPointTorqueUnits =
        AxisUnitList(QStringLiteral("cmbPointTorqueUnits"), QStringLiteral("Point torque units"),
                     QStringLiteral("Torque"), this);
    row->addWidget(BuddyCaption(QStringLiteral("Point &units:"), m_cmbPointSpeedUnits, this));
    row->addWidget(m_cmbPointSpeedUnits);
    row->addWidget(m_cmbPointTorqueUnits);
    row->addStretch(1);
    return row;
}

QWidget *MotorPane::buildMargins()
{
    QGroupBox *box = group(QStringLiteral("Required margins"), QStringLiteral("fraMargins"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    const QString percent = QStringLiteral("%");
    m_peakMargin =
        AddAxisInput(m_units, grid, QStringLiteral("Pea&k torque margin:"), QStringLiteral("PeakMargin"),
                     QStringLiteral("Required peak torque margin in percent"), {}, percent);
    m_rmsMargin =
        AddAxisInput(m_units, grid, QStringLiteral("&RMS torque margin:"), QStringLiteral("RmsMargin"),
                     QStringLiteral("Required RMS torque margin in percent"), {}, percent);
    m_speedMargin =
        AddAxisInput(m_units, grid, QStringLiteral("S&peed margin:"), QStringLiteral("SpeedMargin"),
                     QStringLiteral("Required speed margin in percent"), {}, percent);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *MotorPane::buildLosses()
{
    QGroupBox *box = group(QStringLiteral("Mechanism losses and holding"), QStringLiteral("fraLosses"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    m_chkBackDriveAsForward = Named(new QCheckBox(QStringLiteral("&Back-driving as forward"), box),
                                    QStringLiteral("chkBackDriveAsForward"), QString(),
                                    QStringLiteral("Back-driving efficiency as forward"));
    grid->addWidget(m_chkBackDriveAsForward, 0, 0, 1, 3);
    m_backDrive =
        AddAxisInput(m_units, grid, QStringLiteral("Back-dri&ving efficiency:"), QStringLiteral("BackDrive"),
                     QStringLiteral("Back-driving efficiency in percent"), {}, QStringLiteral("%"));
    m_backDrive.box->setToolTip(QStringLiteral("At or below 0 %: a self-locking screw"));
    m_staticFriction =
        AddAxisInput(m_units, grid, QStringLiteral("Static friction μ&s:"), QStringLiteral("StaticFriction"),
                     QStringLiteral("Static friction coefficient for breakaway"), {});
    m_staticFriction.box->setToolTip(QStringLiteral("At least μ; 0 takes μ"));
    m_lblBreakaway =
        AxisCheckLabel(QStringLiteral("lblCheck_breakaway"), QStringLiteral("Breakaway torque check"), box);
    grid->addWidget(m_lblBreakaway, grid->rowCount(), 0, 1, 4);
    m_cmbPreload =
        Named(new QComboBox(box), QStringLiteral("cmbPreload"), QString(), QStringLiteral("Nut preload"));
    m_cmbPreload->addItems({QStringLiteral("Drag torque"), QStringLiteral("From force Fa0")});
    const int row = grid->rowCount();
    grid->addWidget(BuddyCaption(QStringLiteral("N&ut preload:"), m_cmbPreload, box), row, 0);
    grid->addWidget(m_cmbPreload, row, 1, 1, 2);
    m_preloadTorque =
        AddAxisInput(m_units, grid, QStringLiteral("Preload dra&g torque:"), QStringLiteral("PreloadTorque"),
                     QStringLiteral("Nut preload drag torque"), QStringLiteral("Torque"));
    m_preloadForce =
        AddAxisInput(m_units, grid, QStringLiteral("Preload &force Fa0:"), QStringLiteral("PreloadForce"),
                     QStringLiteral("Nut preload force"), QStringLiteral("Force"));
    m_preloadForce.box->setToolTip(QStringLiteral("Drag torque taken as %1 · Fa0 · lead / 2π")
                                       .arg(QLocale().toString(PreloadDragFactor)));
    m_bearingTorque = AddAxisInput(
        m_units, grid, QStringLiteral("Bearings, seals t&orque:"), QStringLiteral("BearingTorque"),
        QStringLiteral("Support bearing and seal torque at the screw or pulley"), QStringLiteral("Torque"));
    m_gearboxDrag =
        AddAxisInput(m_units, grid, QStringLiteral("Gearbo&x no-load torque:"), QStringLiteral("GearboxDrag"),
                     QStringLiteral("Gearbox no-load torque at its input"), QStringLiteral("Torque"));
    m_counterweight =
        AddAxisInput(m_units, grid, QStringLiteral("Counter&weight:"), QStringLiteral("Counterweight"),
                     QStringLiteral("Counterweight mass"), QStringLiteral("Mass"));
    // The rule the torques follow, said where the efficiencies are set.
    auto *rule =
        Named(new QLabel(box), QStringLiteral("lblPowerFlow"), QString(), QStringLiteral("Power flow"));
    rule->setText(
        QStringLiteral("Efficiencies follow the power flow: divided while the motor drives the load, "
                       "multiplied (back-driving) while the load drives the motor. Lost torques act "
                       "while moving, against the motion."));
    rule->setWordWrap(true);
    grid->addWidget(rule, grid->rowCount(), 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return box;
}

QWidget *MotorPane::buildMechanism()
{
    QGroupBox *box = group(QStringLiteral("Mechanism"), QStringLiteral("fraMechanism"));
    m_fraMechanism = box;
    auto *grid = static_cast<QGridLayout *>(box->layout());
    const QString length = QStringLiteral("Linear distance");
    m_rootDiameter =
        AddAxisInput(m_units, grid, QStringLiteral("Root &diameter:"), QStringLiteral("RootDiameter"),
                     QStringLiteral("Screw root diameter"), length);
    m_freeLength = AddAxisInput(m_units, grid, QStringLiteral("Free &length:"), QStringLiteral("FreeLength"),
                                QStringLiteral("Screw free length between its bearings"), length);
    m_cmbEndFixity = Named(new QComboBox(box), QStringLiteral("cmbEndFixity"), QString(),
                           QStringLiteral("Screw end fixity"));
    for (int k = 0; k < EndFixityCount; ++k)
        m_cmbEndFixity->addItem(EndFixityTitle(EndFixity(k)));
    const int row = grid->rowCount();
    grid->addWidget(BuddyCaption(QStringLiteral("E&nd fixity:"), m_cmbEndFixity, box), row, 0);
    grid->addWidget(m_cmbEndFixity, row, 1, 1, 2);
    m_criticalShare = AddAxisInput(
        m_units, grid, QStringLiteral("Critical sh&are:"), QStringLiteral("CriticalShare"),
        QStringLiteral("Permitted share of the critical speed in percent"), {}, QStringLiteral("%"));
    m_nominalDiameter =
        AddAxisInput(m_units, grid, QStringLiteral("Nominal d&iameter:"), QStringLiteral("NominalDiameter"),
                     QStringLiteral("Screw nominal diameter"), length);
    m_dnLimit = AddAxisInput(m_units, grid, QStringLiteral("d\u00b7n li&mit:"), QStringLiteral("DnLimit"),
                             QStringLiteral("Screw d n limit in millimetre r p m"), {},
                             QStringLiteral("mm\u00b7rpm"));
    m_surfaceSpeed = AddAxisInput(
        m_units, grid, QStringLiteral("Permitted surfa&ce speed:"), QStringLiteral("SurfaceSpeed"),
        QStringLiteral("Permitted belt or pinion surface speed"), QStringLiteral("Linear velocity"));
    grid->setColumnStretch(3, 1);
    return box;
}

void MotorPane::connectInputs()
{
    for (const AxisInput *input :
         {&m_continuous.corner, &m_continuous.atMax, &m_peak.corner,     &m_peak.atMax,    &m_peakMargin,
          &m_rmsMargin,         &m_speedMargin,      &m_staticFriction,  &m_backDrive,     &m_preloadTorque,
          &m_preloadForce,      &m_bearingTorque,    &m_gearboxDrag,     &m_counterweight, &m_rootDiameter,
          &m_freeLength,        &m_criticalShare,    &m_nominalDiameter, &m_dnLimit,       &m_surfaceSpeed}) {
        const auto edit = [this, what = input->what]() { userEdit(what); };
        connect(input->box, &QLineEdit::textChanged, this, edit);
        if (input->units)
            connect(input->units, &QComboBox::currentIndexChanged, this, edit);
    }
    for (Curve *curve : {&m_continuous, &m_peak}) {
        const QString what = curve->form->accessibleName().toLower();
        connect(curve->form, &QComboBox::currentIndexChanged, this, [this, what]() { userEdit(what); });
        const QString points = curve->points->accessibleName().toLower();
        connect(curve->points, &QTableWidget::cellChanged, this, [this, curve, points]() {
            if (m_loading)
                return;
            curve->shown = readPoints(*curve);
            userEdit(points);
        });
    }
    // The points are shown again in the units chosen; the values stay, and
    // the axis keeps the units.
    for (QComboBox *units : {m_cmbPointSpeedUnits, m_cmbPointTorqueUnits}) {
        connect(units, &QComboBox::currentIndexChanged, this, [this, units]() {
            const bool loading = m_loading;
            m_loading = true;
            showPoints(m_continuous);
            showPoints(m_peak);
            m_loading = loading;
            userEdit(units->accessibleName().toLower());
        });
    }
    connect(m_chkBackDriveAsForward, &QCheckBox::toggled, this,
            [this]() { userEdit(QStringLiteral("back-driving as forward")); });
    connect(m_cmbPreload, &QComboBox::currentIndexChanged, this,
            [this]() { userEdit(QStringLiteral("nut preload")); });
    connect(m_cmbEndFixity, &QComboBox::currentIndexChanged, this,
            [this]() { userEdit(QStringLiteral("end fixity")); });
}

void MotorPane::userEdit(const QString &what)
{
    if (m_loading)
        return;
    enableInputs();
    Q_EMIT edited(what);
}

void MotorPane::enableInputs()
{
    for (const Curve *curve : {&m_continuous, &m_peak}) {
        const auto form = CurveForm(curve->form->currentIndex());
        curve->corner.setEnabled(form == CurveForm::Corner);
        curve->atMax.setEnabled(form == CurveForm::Corner);
        curve->points->setEnabled(form == CurveForm::Points);
    }
    const bool linear = m_kind != MechanismKind::Rotary;
    m_chkBackDriveAsForward->setEnabled(linear);
    m_backDrive.setEnabled(linear && !m_chkBackDriveAsForward->isChecked());
    m_staticFriction.setEnabled(linear);
    const bool screw = m_kind == MechanismKind::Screw;
    m_cmbPreload->setEnabled(screw);
    m_preloadTorque.setEnabled(screw && m_cmbPreload->currentIndex() == 0);
    m_preloadForce.setEnabled(screw && m_cmbPreload->currentIndex() == 1);
    m_counterweight.setEnabled(linear);
    // Only the limits of the axis's mechanism show, a screw's or a belt's
    // (the belt's is the last row); a rotary axis has none.
    const bool belt = m_kind == MechanismKind::Belt;
    m_fraMechanism->setVisible(screw || belt);
    auto *grid = static_cast<QGridLayout *>(m_fraMechanism->layout());
    for (int row = 0; row < grid->rowCount(); ++row) {
        for (int column = 0; column < grid->columnCount(); ++column) {
            if (QLayoutItem *item = grid->itemAtPosition(row, column); item && item->widget())
                item->widget()->setVisible(row == grid->rowCount() - 1 ? belt : screw);
        }
    }
}

void MotorPane::followMechanism(MechanismKind kind)
{
    m_kind = kind;
    enableInputs();
}

void MotorPane::showCurve(Curve &curve, const MotorCurveInput &input)
{
    curve.form->setCurrentIndex(int(input.form));
    ShowAxisQuantity(m_units, curve.corner.box, curve.corner.units, input.cornerSpeed);
    ShowAxisQuantity(m_units, curve.atMax.box, curve.atMax.units, input.torqueAtMaxSpeed);
    curve.shown = input.points;
    showPoints(curve);
}

void MotorPane::showPoints(const Curve &curve)
{
    const QString units[2] = {m_cmbPointSpeedUnits->currentText().trimmed(),
                              m_cmbPointTorqueUnits->currentText().trimmed()};
    const auto &points = curve.shown.points;
    for (int row = 0; row < PointRows; ++row) {
        for (int column = 0; column < 2; ++column) {
            QString text;
            if (std::size_t(row) < points.size()) {
                const TorquePoint &point = points[std::size_t(row)];
                const double value = column == 0 ? point.speed : point.torque;
                const std::optional<double> shown = FromBaseUnits(m_units, value, units[column]);
                text = shown ? AxisEntryText(*shown) : QString();
            }
            curve.points->setItem(row, column, new QTableWidgetItem(text));
        }
    }
}

TorqueCurve MotorPane::readPoints(const Curve &curve) const
{
    // Rows left empty are no points; a half-filled row or one that is no
    // number gives a point the curve check refuses, so the check says why.
    TorqueCurve read;
    const QString units[2] = {m_cmbPointSpeedUnits->currentText().trimmed(),
                              m_cmbPointTorqueUnits->currentText().trimmed()};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int row = 0; row < PointRows; ++row) {
        double values[2];
        bool empty = true;
        for (int column = 0; column < 2; ++column) {
            const std::optional<double> cell = cellNumber(curve.points, row, column);
            empty = empty && !cell;
            values[column] = cell ? ToBaseUnits(m_units, *cell, units[column]).value_or(nan) : nan;
        }
        if (!empty)
            read.points.push_back({values[0], values[1]});
    }
    return read;
}

void MotorPane::readCurve(const Curve &curve, MotorCurveInput &input) const
{
    input.form = CurveForm(curve.form->currentIndex());
    input.cornerSpeed = ReadBoxQuantity(m_units, curve.corner.box, curve.corner.units);
    input.torqueAtMaxSpeed = ReadBoxQuantity(m_units, curve.atMax.box, curve.atMax.units);
    // As typed, or as held: a point shown rounded reads back exactly.
    input.points = curve.shown;
}

void MotorPane::setMotor(const AxisMotor &motor, const MoveInputs &move)
{
    const bool loading = m_loading;
    m_loading = true;
    SelectAxisUnit(m_cmbPointSpeedUnits, motor.pointSpeedUnit);
    SelectAxisUnit(m_cmbPointTorqueUnits, motor.pointTorqueUnit);
    showCurve(m_continuous, motor.continuous);
    showCurve(m_peak, motor.peak);
    m_peakMargin.box->setText(AxisEntryText(motor.peakMargin));
    m_rmsMargin.box->setText(AxisEntryText(motor.rmsMargin));
    m_speedMargin.box->setText(AxisEntryText(motor.speedMargin));
    m_chkBackDriveAsForward->setChecked(move.backDriveAsForward);
    m_backDrive.box->setText(AxisEntryText(move.backDriveEfficiency));
    m_staticFriction.box->setText(AxisEntryText(move.staticFriction));
    m_cmbPreload->setCurrentIndex(move.preloadFromForce ? 1 : 0);
    const std::pair<const AxisInput *, const AxisQuantity *> quantities[] = {
        {&m_preloadTorque, &move.preloadTorque},
        {&m_preloadForce, &move.preloadForce},
        {&m_bearingTorque, &move.bearingTorque},
        {&m_gearboxDrag, &move.gearboxDragTorque},
        {&m_counterweight, &move.counterweight}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    enableInputs();
    m_loading = loading;
}

void MotorPane::readInto(AxisMotor &motor, MoveInputs &move) const
{
    readCurve(m_continuous, motor.continuous);
    readCurve(m_peak, motor.peak);
    motor.pointSpeedUnit = m_cmbPointSpeedUnits->currentText().trimmed();
    motor.pointTorqueUnit = m_cmbPointTorqueUnits->currentText().trimmed();
    motor.peakMargin = ReadBoxNumber(m_peakMargin.box);
    motor.rmsMargin = ReadBoxNumber(m_rmsMargin.box);
    motor.speedMargin = ReadBoxNumber(m_speedMargin.box);
    move.backDriveAsForward = m_chkBackDriveAsForward->isChecked();
    move.backDriveEfficiency = ReadBoxNumber(m_backDrive.box);
    move.staticFriction = ReadBoxNumber(m_staticFriction.box);
    move.preloadFromForce = m_cmbPreload->currentIndex() == 1;
    move.preloadTorque = ReadBoxQuantity(m_units, m_preloadTorque.box, m_preloadTorque.units);
    move.preloadForce = ReadBoxQuantity(m_units, m_preloadForce.box, m_preloadForce.units);
    move.bearingTorque = ReadBoxQuantity(m_units, m_bearingTorque.box, m_bearingTorque.units);
    move.gearboxDragTorque = ReadBoxQuantity(m_units, m_gearboxDrag.box, m_gearboxDrag.units);
    move.counterweight = ReadBoxQuantity(m_units, m_counterweight.box, m_counterweight.units);
}

void MotorPane::showChecks(const MoveResults &results, const MoveReportUnits &units, int digits)
{
    const MotorCheck &breakaway = results.checks[std::size_t(MotorCheckKind::Breakaway)];
    ShowCheck(m_lblBreakaway,
              MotorCheckText(m_units, breakaway, units.of(MoveUnit::Torque), digits,
                             units.of(MoveUnit::MotorSpeed)),
              breakaway.level);
}

void MotorPane::setMechanismLimits(const AxisMechanismLimits &limits)
{
    const bool loading = m_loading;
    m_loading = true;
    const std::pair<const AxisInput *, const AxisQuantity *> quantities[] = {
        {&m_rootDiameter, &limits.rootDiameter},
        {&m_freeLength, &limits.freeLength},
        {&m_nominalDiameter, &limits.nominalDiameter},
        {&m_surfaceSpeed, &limits.surfaceSpeed}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    m_cmbEndFixity->setCurrentIndex(int(limits.fixity));
    m_criticalShare.box->setText(AxisEntryText(limits.criticalShare));
    m_dnLimit.box->setText(AxisEntryText(limits.dnLimit));
    m_loading = loading;
}

void MotorPane::readMechanismLimits(AxisMechanismLimits &limits) const
{
    limits.rootDiameter = ReadBoxQuantity(m_units, m_rootDiameter.box, m_rootDiameter.units);
    limits.freeLength = ReadBoxQuantity(m_units, m_freeLength.box, m_freeLength.units);
    limits.fixity = EndFixity(m_cmbEndFixity->currentIndex());
    limits.criticalShare = ReadBoxNumber(m_criticalShare.box);
    limits.nominalDiameter = ReadBoxQuantity(m_units, m_nominalDiameter.box, m_nominalDiameter.units);
    limits.dnLimit = ReadBoxNumber(m_dnLimit.box);
    limits.surfaceSpeed = ReadBoxQuantity(m_units, m_surfaceSpeed.box, m_surfaceSpeed.units);
}

void MotorPane::showPlot(const MovePlotData &data)
{
    MovePlotData alone = data;
    alone.speedTorqueOnly = true;
    m_plot->showMove(alone);
    m_plot->setAccessibleName(QStringLiteral("Motor torque against speed, with the motor's peak and "
                                             "continuous curves"));
}
