#include "axiswin/movepane.h"

#include "axis/axisentry.h"
#include "axis/movekinematics.h"
#include "units/clipboardtext.h"
#include "widgets/controlsetup.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"
#include "widgets/resultrow.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>

namespace {

enum ProfileChoice { DefaultRamps, GivenRamps, Triangle, SCurveDefault, SCurveGiven, ByLimits };

ProfileChoice ChoiceOf(const CycleMove &move)
{
    switch (move.profile) {
    case MoveProfile::Triangular:
        return Triangle;
    case MoveProfile::SCurve:
        return move.defaultRamps ? SCurveDefault : SCurveGiven;
    case MoveProfile::Limited:
        return ByLimits;
    case MoveProfile::Trapezoidal:
        break;
    }
    return move.defaultRamps ? DefaultRamps : GivenRamps;
}

bool RampsGiven(int choice)
{
    return choice == GivenRamps || choice == SCurveGiven;
}

// The rows a table shows before it scrolls.
constexpr int MoveRowsShown = 4;
constexpr int SegmentRowsShown = 8;

// A table view of texts: rows selected whole, read only, as high as rows
// of it (and its header), so it neither pushes the controls around it off
// nor leaves a gap.
QTableView *TextTable(TextTableModel *model, const QString &name, const QString &spoken, QWidget *parent)
{
    auto *view = Named(new QTableView(parent), name, QString(), spoken);
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    return view;
}

// Headings that break onto a second line for their units, at the foot of
// the header, right aligned over their numbers.
void UnitsUnderHeadings(QTableView *view)
{
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignBottom);
    view->horizontalHeader()->setMinimumHeight(2 * view->fontMetrics().height() + 8);
}

void FitRows(QTableView *view, int rows)
{
    const QHeaderView *top = view->horizontalHeader();
    const int header = std::max(top->sizeHint().height(), top->minimumHeight());
    const int height = header + rows * view->verticalHeader()->defaultSectionSize() + 2 * view->frameWidth() +
                       view->horizontalScrollBar()->sizeHint().height();
    if (view->height() != height || view->minimumHeight() != height)
        view->setFixedHeight(height);
}

// A shown or hidden input row: its caption, box and unit list.
void ShowInput(const AxisInput &input, bool shown)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{input.caption, input.box, input.units})
        if (widget && widget->isVisibleTo(widget->parentWidget()) != shown)
            widget->setVisible(shown);
}

const char *JerkUnitType(MechanismKind kind)
{
    return kind == MechanismKind::Rotary ? "Angular jerk" : "Linear jerk";
}

const char *PayloadUnitType(MechanismKind kind)
{
    return kind == MechanismKind::Rotary ? "Inertia" : "Mass";
}
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

// The inputs' column: as high as its content asks, but when the window is
// lower it scrolls rather than squeeze the figures and plots beside it.
class InputScroll : public QScrollArea
{
public:
    explicit InputScroll(QWidget *parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    QSize sizeHint() const override
    {
        const QSize content = widget() ? widget()->sizeHint() : QSize();
        return {content.width() + verticalScrollBar()->sizeHint().width(), content.height()};
    }
    QSize minimumSizeHint() const override
    {
        const int width = widget() ? widget()->minimumSizeHint().width() : 0;
        return {width + verticalScrollBar()->sizeHint().width(), fontMetrics().height() * 12};
    }
};

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
    // Down the left, as they are read (and first in the Tab order): the
    // cycle's moves, a few rows high (the table scrolls), and the selected
    // move's inputs, which scroll when the window is low; on the right the
    // motor check, a line a check, the figures of the whole cycle, which
    // scroll when the window is small, and the plots, which take the room
    // left. The moves take no height from the figures and plots.
    auto *columns = new QHBoxLayout(this);
    columns->setContentsMargins(6, 6, 6, 6);
    auto *scroll = Named(new InputScroll(this), QStringLiteral("scrMoveInputs"), QString(),
                         QStringLiteral("Cycle and move inputs"));
    auto *content = new QWidget(scroll);
    auto *inputs = new QVBoxLayout(content);
    inputs->setContentsMargins(0, 0, 0, 0);
    inputs->addWidget(buildMoveList());
    inputs->addWidget(buildMoveGroup());
    inputs->addWidget(buildLoadGroup());
    inputs->addWidget(buildMotorGroup());
    inputs->addStretch(1);
    scroll->setWidget(content);
    columns->addWidget(scroll);
    auto *outputs = new QVBoxLayout;
    outputs->addWidget(buildMotorCheck());
    outputs->addWidget(buildResults(), 2);
    m_plots = Named(new MovePlots(this), QStringLiteral("gphMovePlots"), QString(),
                    QStringLiteral("Motor speed and torque over the cycle"));
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

QWidget *MovePane::buildMoveList()
{
    QGroupBox *box = group(QStringLiteral("Cycle"), QStringLiteral("fraMoves"));
    auto *grid = static_cast<QGridLayout *>(box->layout());
    m_moveList = new TextTableModel(this);
    m_tblMoves = TextTable(m_moveList, QStringLiteral("tblMoves"), QStringLiteral("Moves of the cycle"), box);
    m_tblMoves->setToolTip(QStringLiteral("The moves of the cycle in turn; the boxes below edit the selected "
                                          "one. Insert adds, Ctrl+D duplicates, Delete removes, Alt+Up and "
                                          "Alt+Down move it."));
    // The moves numbered down the side; the headings break onto a second
    // line for their units, so every column fits the opening width.
    m_tblMoves->verticalHeader()->show();
    UnitsUnderHeadings(m_tblMoves);
    m_tblMoves->horizontalHeader()->setStretchLastSection(false);
    FitRows(m_tblMoves, MoveRowsShown);
    // As wide as a row of typical moves asks where there is room.
    m_tblMoves->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContentsOnFirstShow);
    grid->addWidget(m_tblMoves, 0, 0);
    struct Key
    {
        const char *name;
        const char *text;
        const char *tip;
        QList<QKeySequence> keys;
    };
    const Key keys[] = {
        {"cmdAddMove", "Add", "A move back after the selected one (Insert)", {QKeySequence(Qt::Key_Insert)}},
        {"cmdDuplicateMove",
         "Duplicate",
         "A copy of the selected move after it (Ctrl+D)",
         {QKeySequence(Qt::CTRL | Qt::Key_D)}},
        {"cmdRemoveMove", "Remove", "Takes the selected move out (Delete)", {QKeySequence::Delete}},
        {"cmdRaiseMove",
         "Move up",
         "The selected move one earlier (Alt+Up)",
         {QKeySequence(Qt::ALT | Qt::Key_Up)}},
        {"cmdLowerMove",
         "Move down",
         "The selected move one later (Alt+Down)",
         {QKeySequence(Qt::ALT | Qt::Key_Down)}},
    };
    // Ctrl+Up and Ctrl+Down are the View menu's digits, so Alt moves a move.
    auto *column = new QHBoxLayout;
    column->setSpacing(4);
    for (int k = 0; k < int(std::size(keys)); ++k) {
        const QString text = QString::fromLatin1(keys[k].text);
        auto *key = Named(new QPushButton(text, box), QString::fromLatin1(keys[k].name), QString(),
                          text + QStringLiteral(" move"));
        key->setAutoDefault(false);
        key->setToolTip(QString::fromLatin1(keys[k].tip));
        column->addWidget(key);
        m_moveKeys[std::size_t(k)] = key;
        const auto edit = [this, k]() { Q_EMIT moveListEdited(MoveListEdit(k)); };
        connect(key, &QAbstractButton::clicked, this, edit);
        // The same from the keyboard, in the table.
        auto *action = new QAction(m_tblMoves);
        action->setShortcuts(keys[k].keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        m_tblMoves->addAction(action);
        connect(action, &QAction::triggered, this, [this, k, edit]() {
            if (m_moveKeys[std::size_t(k)]->isEnabled())
                edit();
        });
    }
    column->addStretch(1);
    grid->addLayout(column, 1, 0);
    grid->setColumnStretch(0, 1);
    connect(m_tblMoves->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (m_loading || !current.isValid() || current.row() == m_selected)
                    return;
                m_selected = current.row();
                showSelected();
                Q_EMIT moveSelected(m_selected);
            });
    return box;
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
                            QStringLiteral("Trapezoidal, ramps as given"), QStringLiteral("Triangular"),
                            QStringLiteral("S-curve"), QStringLiteral("S-curve, ramps as given"),
                            QStringLiteral("Set by limits")});
    int row = grid->rowCount();
    grid->addWidget(BuddyCaption(QStringLiteral("&Profile:"), m_cmbProfile, box), row, 0);
    grid->addWidget(m_cmbProfile, row, 1, 1, 2);
    m_accelTime = addInput(grid, QStringLiteral("&Acceleration time:"), QStringLiteral("AccelTime"),
                           QStringLiteral("Acceleration time"), QStringLiteral("Time"));
    m_decelTime = addInput(grid, QStringLiteral("De&celeration time:"), QStringLiteral("DecelTime"),
                           QStringLiteral("Deceleration time"), QStringLiteral("Time"));
    // The S-curve's rounding of each ramp's corners: a share of the ramp or a time.
    m_cmbJerk = Named(new QComboBox(box), QStringLiteral("cmbJerk"), QString(),
                      QStringLiteral("S-curve rounding given as"));
    m_cmbJerk->addItems({QStringLiteral("% of each ramp"), QStringLiteral("Jerk time")});
    row = grid->rowCount();
    m_lblJerk = BuddyCaption(QStringLiteral("Ramp round&ing:"), m_cmbJerk, box);
    grid->addWidget(m_lblJerk, row, 0);
    grid->addWidget(m_cmbJerk, row, 1, 1, 2);
    m_jerkPercent = addInput(grid, QStringLiteral("Rounding share:"), QStringLiteral("JerkPercent"),
                             QStringLiteral("Rounding of each ramp in percent"), {}, QStringLiteral("%"));
    m_jerkTime = addInput(grid, QStringLiteral("&Jerk time:"), QStringLiteral("JerkTime"),
                          QStringLiteral("Jerk time of each ramp corner"), QStringLiteral("Time"));
    // A move set by the controller's limits: the time follows from them.
    m_speedLimit = addInput(grid, QStringLiteral("Speed li&mit:"), QStringLiteral("SpeedLimit"),
                            QStringLiteral("Maximum load speed"),
                            QString::fromLatin1(MoveUnitType(MoveUnit::LoadSpeed, m_kind)));
    m_accelLimit = addInput(grid, QStringLiteral("Acc&eleration limit:"), QStringLiteral("AccelLimit"),
                            QStringLiteral("Maximum load acceleration"),
                            QString::fromLatin1(MoveUnitType(MoveUnit::LoadAccel, m_kind)));
    m_jerkLimit =
        addInput(grid, QStringLiteral("Jerk limit:"), QStringLiteral("JerkLimit"),
                 QStringLiteral("Maximum load jerk, 0 for none"), QString::fromLatin1(JerkUnitType(m_kind)));
    m_jerkLimit.box->setToolTip(QStringLiteral("0: no jerk limit, the acceleration steps"));
    m_payload = addInput(grid, QStringLiteral("Payload:"), QStringLiteral("Payload"),
                         QStringLiteral("Payload carried through the move and its dwell"),
                         QString::fromLatin1(PayloadUnitType(m_kind)));
    m_payload.box->setToolTip(
        QStringLiteral("Added to the moving mass through this move and the dwell after it"));
    m_dwell = addInput(grid, QStringLiteral("D&well:"), QStringLiteral("Dwell"), QStringLiteral("Dwell time"),
                       QStringLiteral("Time"));
    m_chkHoldingBrake = Named(new QCheckBox(QStringLiteral("&Holding brake in the dwell"), box),
                              QStringLiteral("chkHoldingBrake"), QString(), QStringLiteral("Holding brake"));
    grid->addWidget(m_chkHoldingBrake, grid->rowCount(), 0, 1, 3);
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
    m_segments = new TextTableModel(this);
    m_tblSegments = TextTable(m_segments, QStringLiteral("tblSegments"),
                              QStringLiteral("Segments of the whole cycle"), parent);
    m_tblSegments->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    UnitsUnderHeadings(m_tblSegments);
    FitRows(m_tblSegments, MoveSegmentCount);
    return m_tblSegments;
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
    // The selected move's own inputs name it in the window's Undo; the
    // others are the axis's, whichever move is selected.
    const auto connectInput = [this](const Input *input, InputOf of) {
        const auto edit = [this, what = input->what, of]() { userEdit(what, of); };
        connect(input->box, &QLineEdit::textChanged, this, edit);
        if (input->units)
            connect(input->units, &QComboBox::currentIndexChanged, this, edit);
    };
    for (const Input *input :
         {&m_distance, &m_moveTime, &m_accelTime, &m_decelTime, &m_jerkPercent, &m_jerkTime, &m_speedLimit,
          &m_accelLimit, &m_jerkLimit, &m_payload, &m_dwell, &m_thrust, &m_loadTorque})
        connectInput(input, InputOf::SelectedMove);
    for (const Input *input : {&m_incline, &m_friction, &m_mechanismEfficiency, &m_gearboxEfficiency,
                               &m_ratedTorque, &m_peakTorque, &m_maxSpeed})
        connectInput(input, InputOf::Axis);
    const auto moveEdit = [this](const char *what) {
        return [this, what]() { userEdit(QString::fromLatin1(what), InputOf::SelectedMove); };
    };
    connect(m_cmbProfile, &QComboBox::currentIndexChanged, this, moveEdit("profile"));
    connect(m_chkHoldingBrake, &QCheckBox::toggled, this, moveEdit("holding brake"));
    connect(m_cmbJerk, &QComboBox::currentIndexChanged, this, moveEdit("ramp rounding"));
    for (QComboBox *units : m_unitLists)
        connect(units, &QComboBox::currentIndexChanged, this, &MovePane::display);
    for (int f = 0; f < FigureCount; ++f) {
        connect(m_rows[std::size_t(f)].copyValue, &QAbstractButton::clicked, this,
                [this, f]() { copy(f, false); });
        connect(m_rows[std::size_t(f)].copyAll, &QAbstractButton::clicked, this,
                [this, f]() { copy(f, true); });
    }
}

void MovePane::userEdit(const QString &what, InputOf of)
{
    if (m_loading)
        return;
    // Ramps and a jerk time the user takes over start from the move's own, exactly.
    if (RampsGiven(m_cmbProfile->currentIndex()) && !m_accelTime.box->isEnabled())
        showRamps(true);
    const CycleMoveResults *shown = selectedResults();
    if (m_cmbJerk->currentIndex() == 1 && m_jerkTime.box->isHidden() && shown &&
        shown->kinematics.jerkTime.ok()) {
        const bool loading = m_loading;
        m_loading = true;
        ShowAxisQuantity(m_units, m_jerkTime.box, m_jerkTime.units, {shown->kinematics.jerkTime.value(), {}});
        m_loading = loading;
    }
    followProfile();
    Q_EMIT edited(what, of);
}

void MovePane::followProfile()
{
    const int choice = m_cmbProfile->currentIndex();
    const bool scurve = choice == SCurveDefault || choice == SCurveGiven;
    const bool limited = choice == ByLimits;
    // The move time and ramps a profile works out show greyed.
    m_moveTime.setEnabled(!limited);
    m_accelTime.setEnabled(RampsGiven(choice));
    m_decelTime.setEnabled(RampsGiven(choice));
    m_lblJerk->setVisible(scurve);
    m_cmbJerk->setVisible(scurve);
    ShowInput(m_jerkPercent, scurve && m_cmbJerk->currentIndex() == 0);
    ShowInput(m_jerkTime, scurve && m_cmbJerk->currentIndex() == 1);
    for (const Input *input : {&m_speedLimit, &m_accelLimit, &m_jerkLimit})
        ShowInput(*input, limited);
}

void MovePane::setMove(const AxisMotor &motor, const MoveInputs &move, int selected)
{
    const bool loading = m_loading;
    m_loading = true;
    m_inputs = move;
    m_selected = std::clamp(selected < 0 ? m_selected : selected, 0, std::max(int(move.moves.size()) - 1, 0));
    const std::pair<const Input *, const AxisQuantity *> quantities[] = {{&m_incline, &move.incline},
                                                                         {&m_ratedTorque, &motor.ratedTorque},
                                                                         {&m_peakTorque, &motor.peakTorque},
                                                                         {&m_maxSpeed, &motor.maxSpeed}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    m_friction.box->setText(AxisEntryText(move.friction));
    m_mechanismEfficiency.box->setText(AxisEntryText(move.mechanismEfficiency));
    m_gearboxEfficiency.box->setText(AxisEntryText(move.gearboxEfficiency));
    showMoveList();
    showSelected();
    m_loading = loading;
}

void MovePane::selectMove(int move)
{
    if (move < 0 || move >= m_inputs.moves.size())
        return;
    m_selected = move;
    showMoveList();
    showSelected();
}

void MovePane::showSelected()
{
    if (m_selected >= m_inputs.moves.size())
        return;
    const bool loading = m_loading;
    m_loading = true;
    const CycleMove &move = m_inputs.moves[m_selected];
    const std::pair<const Input *, const AxisQuantity *> quantities[] = {
        {&m_distance, &move.distance},     {&m_moveTime, &move.moveTime},
        {&m_accelTime, &move.accelTime},   {&m_decelTime, &move.decelTime},
        {&m_jerkTime, &move.jerkTime},     {&m_speedLimit, &move.speedLimit},
        {&m_accelLimit, &move.accelLimit}, {&m_jerkLimit, &move.jerkLimit},
        {&m_payload, &move.payload},       {&m_dwell, &move.dwell},
        {&m_thrust, &move.thrust},         {&m_loadTorque, &move.loadTorque}};
    for (const auto &[input, quantity] : quantities)
        ShowAxisQuantity(m_units, input->box, input->units, *quantity);
    m_jerkPercent.box->setText(AxisEntryText(move.jerkPercent));
    m_cmbProfile->setCurrentIndex(ChoiceOf(move));
    m_cmbJerk->setCurrentIndex(move.jerkAsPercent ? 0 : 1);
    m_chkHoldingBrake->setChecked(move.holdingBrake);
    followProfile();
    // What the profile works out shows as the figures do.
    if (!RampsGiven(m_cmbProfile->currentIndex()))
        showRamps(false);
    for (int k = 0; k < int(m_moveKeys.size()); ++k) {
        const int count = int(m_inputs.moves.size());
        const bool on = MoveListEdit(k) == MoveListEdit::Remove ? count > 1
                        : MoveListEdit(k) == MoveListEdit::Up   ? m_selected > 0
                        : MoveListEdit(k) == MoveListEdit::Down ? m_selected + 1 < count
                                                                : true;
        m_moveKeys[std::size_t(k)]->setEnabled(on);
    }
    // The plots mark the move the boxes edit.
    if (m_plot.markedMove != m_selected) {
        m_plot.markedMove = m_selected;
        m_plots->showMove(m_plot);
    }
    m_loading = loading;
}

void MovePane::showMoveList()
{
    const bool loading = m_loading;
    m_loading = true;
    const int rows = m_moveList->rowCount();
    m_moveList->show(MoveListTable(m_units, m_inputs.moves, m_results.moves, m_kind, m_digits));
    // The profile's words take the room the numbers leave.
    if (rows != m_moveList->rowCount())
        m_tblMoves->horizontalHeader()->setSectionResizeMode(MoveListProfileColumn, QHeaderView::Stretch);
    const QModelIndex current = m_tblMoves->currentIndex();
    if (!current.isValid() || current.row() != m_selected) {
        m_tblMoves->setCurrentIndex(m_moveList->index(m_selected, 0));
        m_tblMoves->scrollTo(m_tblMoves->currentIndex());
    }
    m_loading = loading;
}

const CycleMoveResults *MovePane::selectedResults() const
{
    const std::size_t at = std::size_t(m_selected);
    const bool computed = at < m_results.moves.size() && !m_results.moves[at].kinematics.pieces.empty();
    return computed ? &m_results.moves[at] : nullptr;
}

void MovePane::readInto(AxisMotor &motor, MoveInputs &move) const
{
    motor.ratedTorque = ReadBoxQuantity(m_units, m_ratedTorque.box, m_ratedTorque.units);
    motor.peakTorque = ReadBoxQuantity(m_units, m_peakTorque.box, m_peakTorque.units);
    motor.maxSpeed = ReadBoxQuantity(m_units, m_maxSpeed.box, m_maxSpeed.units);
    if (m_kind != MechanismKind::Rotary) {
        move.incline = ReadBoxQuantity(m_units, m_incline.box, m_incline.units);
        move.friction = ReadBoxNumber(m_friction.box);
        move.mechanismEfficiency = ReadBoxNumber(m_mechanismEfficiency.box);
    }
    move.gearboxEfficiency = ReadBoxNumber(m_gearboxEfficiency.box);
    if (m_selected >= move.moves.size())
        return;
    CycleMove &edited = move.moves[m_selected];
    const auto read = [this](const Input &input) { return ReadBoxQuantity(m_units, input.box, input.units); };
    edited.distance = read(m_distance);
    const int choice = m_cmbProfile->currentIndex();
    edited.profile = choice == Triangle                                 ? MoveProfile::Triangular
                     : choice == SCurveDefault || choice == SCurveGiven ? MoveProfile::SCurve
                     : choice == ByLimits                               ? MoveProfile::Limited
                                                                        : MoveProfile::Trapezoidal;
    if (choice != Triangle && choice != ByLimits)
        edited.defaultRamps = !RampsGiven(choice);
    // The time and ramp boxes show what the move uses; they are the user's only when given.
    if (choice != ByLimits)
        edited.moveTime = read(m_moveTime);
    if (RampsGiven(choice)) {
        edited.accelTime = read(m_accelTime);
        edited.decelTime = read(m_decelTime);
    }
    edited.jerkAsPercent = m_cmbJerk->currentIndex() == 0;
    edited.jerkPercent = ReadBoxNumber(m_jerkPercent.box);
    edited.jerkTime = read(m_jerkTime);
    edited.speedLimit = read(m_speedLimit);
    edited.accelLimit = read(m_accelLimit);
    edited.jerkLimit = read(m_jerkLimit);
    edited.payload = read(m_payload);
    edited.dwell = read(m_dwell);
    edited.holdingBrake = m_chkHoldingBrake->isChecked();
    // The inputs of the other kind of axis keep what they hold.
    if (m_kind == MechanismKind::Rotary)
        edited.loadTorque = read(m_loadTorque);
    else
        edited.thrust = read(m_thrust);
}

void MovePane::followMechanism(MechanismKind kind, const MoveInputs &move)
{
    const bool loading = m_loading;
    m_loading = true;
    const bool rotary = kind == MechanismKind::Rotary;
    // Linear and angular units never share a list; the distance keeps its
    // value and is shown in the new type's default unit.
    if ((m_kind == MechanismKind::Rotary) != rotary) {
        const std::pair<const Input *, const char *> followers[] = {
            {&m_distance, DistanceUnitType(kind)},
            {&m_speedLimit, MoveUnitType(MoveUnit::LoadSpeed, kind)},
            {&m_accelLimit, MoveUnitType(MoveUnit::LoadAccel, kind)},
            {&m_jerkLimit, JerkUnitType(kind)},
            {&m_payload, PayloadUnitType(kind)}};
        for (const auto &[input, type] : followers)
            RefillUnitList(m_units, input->units, QString::fromLatin1(type));
        if (m_selected < move.moves.size()) {
            const CycleMove &shown = move.moves[m_selected];
            for (const auto &[input, quantity] :
                 {std::pair{&m_distance, &shown.distance}, std::pair{&m_speedLimit, &shown.speedLimit},
                  std::pair{&m_accelLimit, &shown.accelLimit}, std::pair{&m_jerkLimit, &shown.jerkLimit},
                  std::pair{&m_payload, &shown.payload}})
                ShowAxisQuantity(m_units, input->box, input->units, *quantity);
        }
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
    m_inputs = move;
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

    showMoveList();
    // Ramps not given show the ones the move uses, as its figures show.
    if (!RampsGiven(m_cmbProfile->currentIndex()))
        showRamps(false);

    m_plot.results = r;
    m_plot.markedMove = m_selected;
    m_plot.speedUnit = unitList(MoveUnit::MotorSpeed)->currentText().trimmed();
    m_plot.torqueUnit = unitList(MoveUnit::Torque)->currentText().trimmed();
    m_plot.speedFactor = FromBaseUnits(m_units, 1.0, m_plot.speedUnit).value_or(1.0);
    m_plot.torqueFactor = FromBaseUnits(m_units, 1.0, m_plot.torqueUnit).value_or(1.0);
    m_plots->showMove(m_plot);
    // The plots in words, segment by segment, for a screen reader.
    QStringList segments;
    const bool several = r.moves.size() > 1;
    for (const MoveSegment &segment : r.segments) {
        if (segment.duration > 0 && segment.torque.ok())
            segments << QStringLiteral("%1%2 for %3 s at %4")
                            .arg(several ? QStringLiteral("move %1, ").arg(segment.move + 1) : QString(),
                                 SegmentTitle(segment.kind),
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
    const CycleMoveResults *shown = selectedResults();
    // Without the move's own profile, the first move's ramps are the cycle's.
    const bool first = m_selected == 0;
    const AxisFigure none = AxisFigure::failed(m_results.cycleTime.reason());
    std::vector<std::pair<const Input *, const AxisFigure *>> boxes{
        {&m_accelTime, shown   ? &shown->kinematics.accelTime
                       : first ? &m_results.accelTime
                               : &none},
        {&m_decelTime, shown   ? &shown->kinematics.decelTime
                       : first ? &m_results.decelTime
                               : &none}};
    // A move set by its limits shows the time they give.
    if (m_cmbProfile->currentIndex() == ByLimits)
        boxes.push_back({&m_moveTime, shown ? &shown->kinematics.moveTime : &none});
    for (const auto &[input, figure] : boxes) {
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
    QList<QStringList> table = MoveSegmentTable(m_results, shown, {m_units, {}, m_digits, m_notation});
    // The columns with a unit under their heading hold numbers.
    const QStringList &header = table[0];
    int firstNumber = 0;
    while (firstNumber < header.size() && !header[firstNumber].contains(u'\n'))
        ++firstNumber;
    // Cells of a cycle that cannot be computed show a dash; the problem says why.
    if (!m_lblProblem->text().isEmpty())
        for (qsizetype r = 1; r < table.size(); ++r)
            for (qsizetype c = firstNumber; c < table[r].size(); ++c)
                table[r][c] = QStringLiteral("\u2014");
    const int rows = m_segments->rowCount();
    m_segments->show(table);
    if (rows != m_segments->rowCount()) {
        m_tblSegments->resizeColumnsToContents();
        FitRows(m_tblSegments, std::clamp(m_segments->rowCount(), 1, SegmentRowsShown));
    }
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
