// The Move pane of the axis window driven as a user would: worked axes with
// the move, the load and the motor typed in mixed units, every figure read
// back through its copy keys against values worked out by hand; the motor
// check in words; the move kept in the axis file.
//
// Hand calculations (g = 9.80665 m/s²): v = s / (t − (ta + td)/2), a = v/ta;
// the motor turns 2π/p per metre of a screw, 2/D per metre of a belt, i per
// radian of a gearbox; T_acc = α(J_m + J_g) + α(J_L/i²)/(η_m η_g);
// T_L = F·p/(2π η_m i η_g) with F = m g (sin θ + μ cos θ); at rest
// m g sin θ · p/(2π i); RMS = √(Σ T² t / Σ t). With ramps of 0.25 s up and
// 0.05 s down (horizontal): v = 0.2/0.45 = 0.4444 m/s, a_dec = 8.889 m/s²,
// α = 2π·133.33/0.25 = 3351.03 rad/s², α_dec = 16755.2 rad/s², F = 40 g ·
// 0.05 = 19.6133 N. Braking, the load drives the motor and the efficiencies
// multiply: (−16755.2 · 1.94417e-5 + 0.0104051) · 0.9 · 0.95 − 16755.2 · 2.5e-5
// = −0.688497 N·m, the peak; T_dec = 16755.2 · (2.5e-5 + 1.94417e-5 · 0.855)
// = 0.697394 N·m.

#include "../axis/axisbuild.h"
#include "axiswin/frmaxisitem.h"
#include "axiswin/frmaxissizing.h"
#include "axiswin/movepane.h"

#include "paintcount.h"
#include "testsupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <numbers>

using namespace AxisBuild;
using namespace Qt::Literals::StringLiterals;
using TestSupport::child;
using TestSupport::closeTo;

Q_DECLARE_METATYPE(AxisQuantity)
Q_DECLARE_METATYPE(QList<CycleMove>)

using Texts = QList<std::pair<QString, QString>>;  // objectName → text or unit
using Figures = QList<std::pair<QString, double>>; // result key → value in its unit

namespace {

constexpr double NmPerLbfIn = 0.45359237 * 9.80665 * 0.0254;

void enter(QWidget *window, const Texts &units, const Texts &boxes, int profile)
{
    for (const auto &[name, unit] : units) {
        auto *list = child<QComboBox>(window, name);
        list->setCurrentIndex(list->findText(PadRight(unit, UnitNameWidth)));
        QVERIFY2(list->currentIndex() >= 0, qPrintable(name + u' ' + unit));
    }
    child<QComboBox>(window, QStringLiteral("cmbProfile"))->setCurrentIndex(profile);
    for (const auto &[name, text] : boxes)
        child<QLineEdit>(window, name)->setText(text);
}

// The unit list a figure of the Move tab is shown in.
QString unitListOf(const QString &key)
{
    for (const MoveFigureRow &row : MoveFigures)
        if (key == QLatin1String(row.key))
            return QStringLiteral("cmb%1Units").arg(QLatin1String(MoveUnitName(row.unit)));
    return {};
}

QString copied(QWidget *window, const QString &key)
{
    QTest::mouseClick(child<QWidget>(window, key), Qt::LeftButton);
    return QGuiApplication::clipboard()->text();
}

// A cell of the segment table named lblSegment_<segment>_<column>: the
// first segment of that kind, the column by its heading.
QString segmentCell(QWidget *window, const QString &key)
{
    static const QHash<QString, MoveSegmentKind> kinds = {{"accelerate", MoveSegmentKind::Accelerate},
                                                          {"constant", MoveSegmentKind::Constant},
                                                          {"decelerate", MoveSegmentKind::Decelerate},
                                                          {"dwell", MoveSegmentKind::Dwell}};
    static const QHash<QString, QString> headings = {{"duration", "Duration"},
                                                     {"speedFrom", "Speed at start"},
                                                     {"speedTo", "Speed at end"},
                                                     {"torque", "Torque"}};
    const QAbstractItemModel *table = child<QTableView>(window, QStringLiteral("tblSegments"))->model();
    const QString title = SegmentTitle(kinds.value(key.section(u'_', 1, 1)));
    int column = 0;
    while (column < table->columnCount() && !table->headerData(column, Qt::Horizontal)
                                                 .toString()
                                                 .startsWith(headings.value(key.section(u'_', 2))))
        ++column;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            if (table->index(r, c).data().toString() == title)
                return table->index(r, column).data().toString();
    return {};
}

// Whether a line runs through a box: its points a quarter pixel apart tested.
bool covers(const QPolygonF &line, const QRectF &box)
{
    for (qsizetype k = 1; k < line.size(); ++k) {
        const QLineF segment(line[k - 1], line[k]);
        const int steps = int(segment.length() * 4) + 1;
        for (int i = 0; i <= steps; ++i)
            if (box.contains(segment.pointAt(double(i) / steps)))
                return true;
    }
    return false;
}

// The texts of both plots drawn at a size, joined by '|'; empty when one
// leaves the rectangle or covers another text or a line.
QString plotTexts(const MovePlotData &data, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRectF page(QPointF(), size);
    const auto [texts, lines] = DrawMovePlots(painter, page, data);
    QStringList words;
    for (auto a = texts.begin(); a != texts.end(); ++a) {
        words << a->text;
        if (!page.contains(a->box) ||
            std::any_of(a + 1, texts.end(),
                        [&a](const MovePlotText &b) { return a->box.intersects(b.box); }) ||
            std::any_of(lines.begin(), lines.end(),
                        [&a](const QPolygonF &line) { return covers(line, a->box); })) {
            return {};
        }
    }
    return words.join(u'|');
}

QString plotTexts(QWidget *window, QSize size)
{
    return plotTexts(child<MovePane>(window, QStringLiteral("fraMove"))->plotData(), size);
}

// A cycle of moves out and back in turn, each 1.2 s: up to 100 rad/s in
// 0.25 s, on for 0.5 s, down in 0.25 s, at rest 0.2 s, at ±1 N·m.
MovePlotData cyclePlot(int moves)
{
    MovePlotData data;
    MoveResults &r = data.results;
    const MoveSegmentKind kinds[] = {MoveSegmentKind::Accelerate, MoveSegmentKind::Constant,
                                     MoveSegmentKind::Decelerate, MoveSegmentKind::Dwell};
    const double durations[] = {0.25, 0.5, 0.25, 0.2};
    for (int m = 0; m < moves; ++m) {
        const double way = m % 2 ? -1 : 1;
        r.moves.push_back({});
        r.moves.back().start = 1.2 * m;
        double at = 1.2 * m;
        for (int k = 0; k < 4; ++k) {
            MoveSegment segment;
            segment.move = m;
            segment.kind = kinds[k];
            segment.start = at;
            segment.duration = durations[k];
            segment.speedFrom = k == 1 || k == 2 ? 100 * way : 0;
            segment.speedTo = k < 2 ? 100 * way : 0;
            segment.torque = k == 0 ? way : k == 2 ? -way : 0.0;
            segment.torqueEnd = segment.torque.value();
            r.segments.push_back(segment);
            for (const bool end : {false, true})
                r.points.push_back({m, kinds[k], end, true, end ? segment.speedTo : segment.speedFrom,
                                    segment.torque.value()});
            at += durations[k];
        }
    }
    r.cycleTime = 1.2 * moves;
    r.peakTorque = 1.0;
    r.maxMotorSpeed = 100.0;
    data.speedUnit = QStringLiteral("rad/s");
    data.torqueUnit = QStringLiteral("N-m");
    return data;
}

} // namespace

class TestMovePane : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }

    void worked_axes_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<Texts>("units");
        QTest::addColumn<Texts>("boxes");
        QTest::addColumn<int>("profile"); // t/3 ramps, ramps given, triangular
        QTest::addColumn<Figures>("expected");
        QTest::addColumn<QString>("checks"); // peak, RMS, speed, inertia ratio

        // clang-format off
        const Texts screwMove = {{"txtDistance", "200"}, {"txtMoveTime", "600"}, {"txtDwell", "0.4"},
            {"txtFriction", "0.05"}, {"txtMechanismEfficiency", "90"}, {"txtGearboxEfficiency", "95"},
            {"txtRatedTorque", "0.2"}, {"txtPeakTorque", "0.5"}, {"txtMaxSpeed", "6000"}, {"txtIncline", "90"}};
        const Texts screwUnits = {{"cmbDistanceUnits", "mm"}, {"cmbMoveTimeUnits", "ms"}, {"cmbDwellUnits", "s"},
            {"cmbInclineUnits", "deg"}, {"cmbRatedTorqueUnits", "N-m"}, {"cmbPeakTorqueUnits", "N-m"},
            {"cmbMaxSpeedUnits", "rpm"}, {"cmbLoadSpeedUnits", "mm/s"}, {"cmbLoadAccelUnits", "m/s²"},
            {"cmbMotorSpeedUnits", "rpm"}, {"cmbTorqueUnits", "lbf-in"}};
        // The worked ball screw lifting (horizontal, its figures are the core's): v = 0.2/0.4 = 0.5 m/s,
        // a = 2.5 m/s², 9000 rpm; F = 40 g = 392.266 N; T_L = 392.266·0.01/(2π·0.9·3·0.95),
        // held at rest by 392.266·0.01/(2π·3) without the efficiencies.
        QTest::newRow("screw, lifting, lbf-in") << ballScrewAxis() << screwUnits << screwMove << 0
            << Figures{{"peakSpeed", 500}, {"acceleration", 2.5}, {"motorSpeed", 9000},
                       {"accelTorque", 0.224964 / NmPerLbfIn}, {"loadTorque", 0.243396 / NmPerLbfIn},
                       {"holdingTorque", 0.208104 / NmPerLbfIn}, {"peakTorque", 0.468360 / NmPerLbfIn},
                       {"rmsTorque", 0.270391 / NmPerLbfIn}}
            // The peak torque at 9000 rpm, beyond the motor's 6000: none to be had.
            << "fails fails fails passes";
        Texts braking = screwMove;
        braking[9].second = "0";
        braking.append({{"txtAccelTime", "250"}, {"txtDecelTime", "50"}});
        Texts brakingUnits = screwUnits;
        brakingUnits.append({{"cmbAccelTimeUnits", "ms"}, {"cmbDecelTimeUnits", "ms"}, {"cmbMotorAccelUnits", "rad/s²"},
            {"cmbForceUnits", "N"}, {"cmbTimeUnits", "s"}, {"cmbLengthUnits", "mm"}, {"cmbMassUnits", "kg"}});
        brakingUnits[10].second = "N-m";
        QTest::newRow("screw, ramps 0.25 s up and 0.05 s down") << ballScrewAxis() << brakingUnits << braking << 1
            << Figures{{"peakSpeed", 444.444444}, {"deceleration", 8.888888889}, {"motorSpeed", 8000},
                       {"motorAccel", 3351.032164}, {"motorDecel", 16755.16082}, {"cycleTime", 1},
                       {"lead", 10}, {"movingMass", 40}, {"loadForce", 19.6133}, {"accelTorque", 0.159974},
                       {"decelTorque", 0.697394}, {"peakTorque", 0.688497},
                       {"lblSegment_decelerate_torque", -0.688497}, {"lblSegment_decelerate_duration", 0.05}}
            << "fails fails fails passes";
        Axis noRotor = ballScrewAxis();
        noRotor.motor.inertia.value = 0;
        QTest::newRow("screw without its rotor") << noRotor << screwUnits << screwMove << 0
            << Figures{{"motorSpeed", 9000}} << "open open fails open";
        // 12 kg on a Ø50 mm pulley, 1 m in 1 s triangular: v = 2 m/s, a = 4 m/s²,
        // ω = 80 rad/s, α = 160 rad/s²; J = 1e-4 + 12·0.025² = 7.6e-3;
        // T_acc = 1.216, T_L = 12 g 0.1 · 0.025 = 0.2941995; RMS over 2 s.
        QTest::newRow("belt, triangular") << axis({beltLoad(12, 0.05)}, 1, 0, 1e-4)
            << Texts{{"cmbDistanceUnits", "mm"}, {"cmbMoveTimeUnits", "s"}, {"cmbDwellUnits", "ms"},
                     {"cmbLoadSpeedUnits", "m/min"}, {"cmbLoadAccelUnits", "m/s²"}, {"cmbMotorSpeedUnits", "rad/s"},
                     {"cmbTorqueUnits", "N-m"}, {"cmbPeakTorqueUnits", "N-m"}, {"cmbRatedTorqueUnits", "N-m"}}
            << Texts{{"txtDistance", "1000"}, {"txtMoveTime", "1"}, {"txtDwell", "1000"}, {"txtIncline", "0"},
                     {"txtFriction", "0.1"}, {"txtMechanismEfficiency", "100"}, {"txtGearboxEfficiency", "100"},
                     {"txtPeakTorque", "1.5"}, {"txtRatedTorque", "1"}, {"txtMaxSpeed", "0"}}
            << 2 << Figures{{"peakSpeed", 120}, {"acceleration", 4}, {"motorSpeed", 80}, {"accelTorque", 1.216},
                            {"loadTorque", 0.2941995}, {"peakTorque", 1.5101995}, {"rmsTorque", 0.8846494633}}
            << "fails fails open fails";
        // 0.5 kg·m² behind 10 : 1, a quarter turn in 0.5 s with 0.1 s ramps:
        // ω = (π/2)/0.4 = 3.92699 rad/s = 37.5 rpm at the table, 375 rpm at the motor;
        // T_acc = 392.699·1.1e-3 + 392.699·(0.5/100)/0.9, T_L = 2/(10·0.9), held by 2/10.
        QTest::newRow("rotary table behind a gearbox") << axis({inertiaValue(0.5)}, 10, 1e-4, 1e-3)
            << Texts{{"cmbDistanceUnits", "rev"}, {"cmbMoveTimeUnits", "s"}, {"cmbAccelTimeUnits", "ms"},
                     {"cmbDecelTimeUnits", "ms"}, {"cmbDwellUnits", "s"}, {"cmbLoadTorqueUnits", "N-m"},
                     {"cmbLoadSpeedUnits", "rpm"}, {"cmbLoadAccelUnits", "rad/s²"}, {"cmbMotorSpeedUnits", "rpm"},
                     {"cmbTorqueUnits", "N-mm"}, {"cmbMaxSpeedUnits", "rpm"}}
            << Texts{{"txtDistance", "0.25"}, {"txtMoveTime", "0.5"}, {"txtAccelTime", "100"},
                     {"txtDecelTime", "100"}, {"txtDwell", "0.5"}, {"txtLoadTorque", "2"},
                     {"txtGearboxEfficiency", "90"}, {"txtPeakTorque", "0"}, {"txtRatedTorque", "0"},
                     {"txtMaxSpeed", "3000"}}
            << 1
            << Figures{{"peakSpeed", 37.5}, {"acceleration", 39.26990817}, {"motorSpeed", 375},
                       {"accelTorque", 2613.630555}, {"loadTorque", 222.2222222}, {"holdingTorque", 200},
                       {"peakTorque", 2835.852777}, {"rmsTorque", 1116.558728}}
            << "open open passes passes";
        // clang-format on
    }
    void worked_axes()
    {
        QFETCH(Axis, axis);
        QFETCH(Texts, units);
        QFETCH(Texts, boxes);
        QFETCH(int, profile);
        QFETCH(Figures, expected);
        QFETCH(QString, checks);

        frmAxisSizing window(m_context);
        window.setAxis(axis);
        child<QTabWidget>(&window, QStringLiteral("tabAxis"))->setCurrentIndex(1);
        window.show();
        enter(&window, units, boxes, profile);
        // Only the inputs of the axis's kind take a value.
        const bool rotary = MechanismOf(axis).kind == MechanismKind::Rotary;
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtLoadTorque"))->isEnabled(), rotary);
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtIncline"))->isEnabled(), !rotary);
        // Only the figures of the axis's kind show, each with its unit.
        for (const MoveFigureRow &row : MoveFigures) {
            const bool shown = MoveFigureApplies(row, MechanismOf(axis).kind);
            QCOMPARE(
                child<QWidget>(&window, QStringLiteral("lblResult_") + QLatin1String(row.key))->isVisible(),
                shown);
            if (shown)
                QVERIFY(child<QWidget>(&window, unitListOf(QLatin1String(row.key)))->isVisible());
        }
        // Ramps the move works out show from their first digit (1/6 s is not "666666667").
        if (profile != 1)
            QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtAccelTime"))->cursorPosition(), 0);

        for (const auto &[key, value] : expected) {
            // A segment's cell is read as it shows; a figure through its copy keys.
            if (key.startsWith(QLatin1String("lblSegment_"))) {
                const QString cell = segmentCell(&window, key);
                QVERIFY2(closeTo(QLocale().toDouble(cell), value, 1e-5), qPrintable(key + u' ' + cell));
                continue;
            }
            const QString number = copied(&window, QStringLiteral("cmdCopyValue_") + key);
            const QString all = copied(&window, QStringLiteral("cmdCopyAll_") + key);
            QCOMPARE(all,
                     number + u' ' + child<QComboBox>(&window, unitListOf(key))->currentText().trimmed());
            bool read = false;
            const double shown = QLocale().toDouble(number, &read);
            QVERIFY2(read && std::fabs(shown - value) <= 1e-5 * std::max(std::fabs(value), 1e-3),
                     qPrintable(QStringLiteral("%1: %2, expected %3").arg(key, number).arg(value)));
        }
        // The signs are said beside the figures.
        QVERIFY(child<QLabel>(&window, QStringLiteral("lblMoveNote"))
                    ->text()
                    .contains(QLatin1String("positive in the direction of a positive distance")));
        // The Edit menu copies from the tab in view: here the peak torque, not an inertia.
        child<QLineEdit>(&window, QStringLiteral("txtDistance"))->setFocus();
        window.findChild<QAction *>(QStringLiteral("mnuEditCopyValueUnit"))->trigger();
        const QString fromMenu = QGuiApplication::clipboard()->text();
        QCOMPARE(fromMenu, copied(&window, QStringLiteral("cmdCopyAll_peakTorque")));
        // Every check in words, each with its numbers; an open one says what is missing.
        const QStringList words = checks.split(u' ');
        const char *const checkKeys[] = {"peakTorque", "rmsTorque", "speed", "inertiaRatio"};
        for (int k = 0; k < words.size(); ++k) {
            const QString text =
                child<QLabel>(&window, QStringLiteral("lblCheck_") + QLatin1String(checkKeys[k]))->text();
            const bool open = words[k] == QLatin1String("open");
            QVERIFY2(open ? text.contains(QLatin1String("No ")) : text.contains(words[k] + u','),
                     qPrintable(text));
        }
        // The plots at the smallest size the pane gives them and as shown: no text over
        // another, the axes titled with their units; the peak speed said to a screen reader.
        const QWidget *plots = child<QWidget>(&window, QStringLiteral("gphMovePlots"));
        const QString speed =
            child<QComboBox>(&window, QStringLiteral("cmbMotorSpeedUnits"))->currentText().trimmed();
        const double peakSpeed = std::find_if(expected.begin(), expected.end(), [](const auto &figure) {
                                     return figure.first == QLatin1String("motorSpeed");
                                 })->second;
        QVERIFY(
            plots->accessibleName().contains(QStringLiteral("peak speed %1 %2").arg(peakSpeed).arg(speed)));
        // Each limit given is named, beside its line or after a key, covering no line.
        const std::pair<const char *, const char *> limitNames[] = {{"txtMaxSpeed", "Maximum speed"},
                                                                    {"txtPeakTorque", "Peak torque"},
                                                                    {"txtRatedTorque", "Rated torque"}};
        QStringList limits;
        for (const auto &[name, text] : boxes)
            for (const auto &[box, limit] : limitNames)
                if (name == QLatin1String(box) && text != QLatin1String("0"))
                    limits << QString::fromLatin1(limit);
        for (const QSize size : {plots->minimumSize(), plots->size(), QSize(900, 420), QSize(480, 640)}) {
            const QString texts = plotTexts(&window, size);
            QVERIFY(texts.contains(QStringLiteral("|Speed (%1)|").arg(speed)));
            for (const QString &limit : limits)
                QVERIFY2(texts.contains(u'|' + limit + u' '), qPrintable(limit));
        }
        child<QLineEdit>(&window, QStringLiteral("txtMoveTime"))->setText(QStringLiteral("0"));
        QVERIFY(
            plotTexts(&window, plots->minimumSize()).contains(QLatin1String("No plot: The move time must")));
        // The message covers the grid lines to the plot's edge: none shows beside it.
        QImage image(plots->minimumSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const auto texts = DrawMovePlots(painter, QRectF(image.rect()),
                                         child<MovePane>(&window, QStringLiteral("fraMove"))->plotData())
                               .texts;
        painter.end();
        const QRect box = texts.back().box.toAlignedRect();
        QVERIFY(texts.back().text.startsWith(QLatin1String("No plot")));
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.right() + 1; x < image.width(); ++x)
                QVERIFY2(image.pixel(x, y) == qRgb(255, 255, 255),
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
    }

    // The plots write numbers as the boxes do, whatever digits the locale
    // has: ASCII digits, the boxes' decimal mark, a minus sign in front.
    void plot_numbers_as_the_boxes_write_them_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("half"); // the time tick at 0.5 s
        QTest::newRow("en_US") << "en_US"
                               << "0.5";
        QTest::newRow("de_DE") << "de_DE"
                               << "0,5";
        QTest::newRow("ar_EG") << "ar_EG"
                               << "0.5";
        QTest::newRow("fa_IR") << "fa_IR"
                               << "0.5";
    }
    void plot_numbers_as_the_boxes_write_them()
    {
        QFETCH(QString, locale);
        QFETCH(QString, half);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        frmAxisSizing window(m_context);
        window.setAxis(axis({inertiaValue(0.5)}, 10, 1e-4, 1e-3));
        // A quarter turn and back to rest: the torque goes negative while braking.
        enter(&window, {{"cmbDistanceUnits", "rev"}, {"cmbMoveTimeUnits", "s"}, {"cmbDwellUnits", "s"}},
              {{"txtDistance", "1"}, {"txtMoveTime", "1"}, {"txtDwell", "1"}, {"txtMaxSpeed", "3000"}}, 0);
        const QString texts = plotTexts(&window, QSize(640, 400));
        const QString spoken = child<QWidget>(&window, QStringLiteral("gphMovePlots"))->accessibleName();
        QLocale::setDefault(before);
        const QStringList words = texts.split(u'|');
        QVERIFY2(words.contains(half), qPrintable(texts));
        QVERIFY2(std::any_of(words.begin(), words.end(),
                             [](const QString &w) { return w.size() > 1 && w[0] == u'-' && w[1].isDigit(); }),
                 qPrintable(texts));
        for (const QString &shown : {texts, spoken})
            for (const QChar c : shown)
                QVERIFY2(c.unicode() < 0x80 || !(c.isDigit() || c.category() == QChar::Other_Format),
                         qPrintable(shown));
    }

    // The Motor tab's inputs, typed on the worked ball screw lifting or
    // lowering vertically (N·m, rpm): each moves the figure it acts on to the
    // worked value (see tst_moveprofile), and one Undo takes it back.
    void motor_tab_inputs_data()
    {
        QTest::addColumn<QString>("incline"); // degrees
        QTest::addColumn<Texts>("edits");     // objectName → text, "on"/"off", or a list's index
        QTest::addColumn<QString>("figure");
        QTest::addColumn<double>("before");
        QTest::addColumn<double>("after");
        // clang-format off
        QTest::newRow("counterweight") << "90" << Texts{{"txtCounterweight", "30"}}
            << "holdingTorque" << 0.208104 << 0.0520259;
        QTest::newRow("holding brake") << "90" << Texts{{"chkHoldingBrake", "on"}}
            << "lblSegment_dwell_torque" << 0.208104 << 0.0;
        QTest::newRow("self-locking screw lowering") << "-90"
            << Texts{{"chkBackDriveAsForward", "off"}, {"txtBackDrive", "-20"}}
            << "lblSegment_constant_torque" << -0.177929 << 0.0438113;
        QTest::newRow("preload from its force") << "0"
            << Texts{{"cmbPreload", "1"}, {"txtPreloadForce", "1000"}, {"txtBearingTorque", "0.05"},
                     {"txtGearboxDrag", "0.02"}}
            << "lostTorque" << 0.0 << 0.149232;
        QTest::newRow("static friction") << "0" << Texts{{"txtStaticFriction", "0.3"}}
            << "breakawayTorque" << 0.237134 << 0.297983;
        QTest::newRow("peak curve falling, worst at top speed") << "0"
            << Texts{{"cmbPeakForm", "1"}, {"txtPeakCorner", "3000"}, {"txtPeakAtMaxSpeed", "0.3"}}
            << "lblCheck_peakTorque" << 0.0 << 9000.0;
        // clang-format on
    }
    void motor_tab_inputs()
    {
        QFETCH(QString, incline);
        QFETCH(Texts, edits);
        QFETCH(QString, figure);
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        const Texts units{
            {"cmbDistanceUnits", "mm"},    {"cmbMoveTimeUnits", "s"},        {"cmbDwellUnits", "s"},
            {"cmbInclineUnits", "deg"},    {"cmbPeakTorqueUnits", "N-m"},    {"cmbMaxSpeedUnits", "rpm"},
            {"cmbTorqueUnits", "N-m"},     {"cmbMotorSpeedUnits", "rpm"},    {"cmbCounterweightUnits", "kg"},
            {"cmbPreloadForceUnits", "N"}, {"cmbBearingTorqueUnits", "N-m"}, {"cmbGearboxDragUnits", "N-m"},
            {"cmbPeakCornerUnits", "rpm"}, {"cmbPeakAtMaxSpeedUnits", "N-m"}};
        enter(&window, units,
              {{"txtDistance", "200"},
               {"txtMoveTime", "0.6"},
               {"txtDwell", "0.4"},
               {"txtFriction", "0.05"},
               {"txtMechanismEfficiency", "90"},
               {"txtGearboxEfficiency", "95"},
               {"txtIncline", incline},
               {"txtPeakTorque", "0.5"},
               {"txtMaxSpeed", "10000"}},
              0);
        // A figure by its copy key or a cell as shown; the peak check by the speed it names.
        const auto shown = [&window, &figure]() {
            if (figure.startsWith(QLatin1String("lblCheck_"))) {
                const QString text = child<QLabel>(&window, figure)->text();
                return text.contains(QLatin1String("at 9000")) ? 9000.0 : 0.0;
            }
            if (figure.startsWith(QLatin1String("lblSegment_")))
                return QLocale().toDouble(segmentCell(&window, figure));
            return QLocale().toDouble(copied(&window, QStringLiteral("cmdCopyValue_") + figure));
        };
        QFETCH(double, before);
        QFETCH(double, after);
        const auto near = [](double value, double expected) {
            return std::fabs(value - expected) <= 1e-5 * std::max(std::fabs(expected), 1e-3);
        };
        QVERIFY2(near(shown(), before), qPrintable(QString::number(shown())));
        const AxisDocument start{window.axis(), window.move()};
        for (const auto &[name, text] : edits) {
            QWidget *control = child<QWidget>(&window, name);
            QVERIFY2(control->isEnabled(), qPrintable(name));
            if (auto *box = qobject_cast<QCheckBox *>(control))
                box->setChecked(text == QLatin1String("on"));
            else if (auto *list = qobject_cast<QComboBox *>(control))
                list->setCurrentIndex(text.toInt());
            else
                static_cast<QLineEdit *>(control)->setText(text);
        }
        QVERIFY2(near(shown(), after), qPrintable(QString::number(shown())));
        // Undone step by step, the axis is as it was.
        auto *undo = window.findChild<QAction *>(QStringLiteral("mnuEditUndo"));
        for (qsizetype k = 0; k < edits.size(); ++k)
            undo->trigger();
        QVERIFY(window.axis() == start.axis && window.move() == start.move);
        QVERIFY(near(shown(), before));
    }

    // The breakaway line on the Motor tab is in the Move tab's units, also
    // when a unit list alone changes there (no recompute).
    void breakaway_line_follows_the_unit_lists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("unit");
        QTest::newRow("torque") << "cmbTorqueUnits"
                                << "lbf-in";
        QTest::newRow("torque back") << "cmbTorqueUnits"
                                     << "N-m";
    }
    void breakaway_line_follows_the_unit_lists()
    {
        QFETCH(QString, list);
        QFETCH(QString, unit);
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        enter(&window, {{"cmbTorqueUnits", unit == u"N-m" ? "lbf-in" : "N-m"}},
              {{"txtDistance", "200"},
               {"txtMoveTime", "0.6"},
               {"txtPeakTorque", "0.5"},
               {"txtStaticFriction", "0.3"}},
              0);
        enter(&window, {{list, unit}}, {}, 0);
        const QString line = child<QLabel>(&window, QStringLiteral("lblCheck_breakaway"))->text();
        QVERIFY2(line.contains(u' ' + unit + u' '), qPrintable(line));
    }

    // Ramps the move works out show as its figures do, to the window's
    // digits; taken over as given they keep the move's own value, not the
    // rounded one.
    void worked_out_ramps_show_to_the_digits()
    {
        frmAxisSizing window(m_context);
        window.setAxis(axis({inertiaValue(0.5)}, 10, 1e-4, 1e-3));
        enter(&window, {{"cmbMoveTimeUnits", "s"}, {"cmbAccelTimeUnits", "s"}}, {{"txtMoveTime", "0.5"}}, 0);
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtAccelTime"))->text(),
                 QStringLiteral("0.166667"));
        child<QComboBox>(&window, QStringLiteral("cmbProfile"))->setCurrentIndex(1);
        QVERIFY(closeTo(window.move().moves[0].accelTime.value, 0.5 / 3, 1e-12));
    }

    // A value read from a file shows to the digits its unit's factor carries
    // (the factors are single precision), not the noise of the conversion;
    // it is kept exactly while its box is not edited, through edits of other
    // boxes, the item editor and a save.
    void file_values_show_the_digits_typed_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<AxisQuantity>("held"); // in base units, as a file stores it exactly
        QTest::addColumn<QString>("shown");
        constexpr double Lb = 0.45359237;
        constexpr double In = 0.0254;
        QTest::newRow("rotor inertia in lb-in²")
            << "txtRotorInertia" << AxisQuantity{0.02 * Lb * In * In, "lb-in²"} << "0.02";
        QTest::newRow("rated torque in lbf-in")
            << "txtRatedTorque" << AxisQuantity{1.77 * NmPerLbfIn, "lbf-in"} << "1.77";
        QTest::newRow("item mass in lb") << "txtMass" << AxisQuantity{2.5 * Lb, "lb"} << "2.5";
        QTest::newRow("base unit, every digit")
            << "txtGearboxInertia" << AxisQuantity{1.23456789012e-5, "kg-m²"} << "1.23456789012E-05";
    }
    void file_values_show_the_digits_typed()
    {
        QFETCH(QString, box);
        QFETCH(AxisQuantity, held);
        QFETCH(QString, shown);
        Axis axis = ballScrewAxis();
        AxisQuantity *field = box == QLatin1String("txtRotorInertia")  ? &axis.motor.inertia
                              : box == QLatin1String("txtRatedTorque") ? &axis.motor.ratedTorque
                              : box == QLatin1String("txtMass")        ? &axis.items[0][AxisParam::Mass]
                                                                       : &axis.gearbox.inertia;
        *field = held;
        if (box == QLatin1String("txtMass")) {
            frmAxisItem editor(axis.items[0], m_context);
            QCOMPARE(child<QLineEdit>(&editor, box)->text(), shown);
            QCOMPARE(editor.item()[AxisParam::Mass], held);
            child<QLineEdit>(&editor, box)->setText(QStringLiteral("3")); // an edit is read as typed
            QVERIFY(closeTo(editor.item()[AxisParam::Mass].value, 3 * 0.45359237, 1e-7));
            return;
        }
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("digits.tvaxis"));
        {
            frmAxisSizing saver(m_context);
            saver.setAxis(axis);
            QVERIFY(saver.saveFile(path));
        }
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(path));
        QCOMPARE(child<QLineEdit>(&window, box)->text(), shown);
        child<QLineEdit>(&window, QStringLiteral("txtTargetRatio"))->setText(QStringLiteral("5"));
        child<QLineEdit>(&window, QStringLiteral("txtDistance"))->setText(QStringLiteral("150"));
        QCOMPARE(*field, box == QLatin1String("txtRatedTorque")    ? window.axis().motor.ratedTorque
                         : box == QLatin1String("txtRotorInertia") ? window.axis().motor.inertia
                                                                   : window.axis().gearbox.inertia);
    }

    // A cycle of two moves built in the window (out, then back on an
    // S-curve carrying a payload) shows the figures the core gives for the
    // same cycle written out here, the segments of both moves in its table.
    void two_move_cycle_gives_the_core_figures()
    {
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        child<QTabWidget>(&window, QStringLiteral("tabAxis"))->setCurrentIndex(1);
        window.show();
        enter(&window, {{"cmbDistanceUnits", "mm"}},
              {{"txtDistance", "200"}, {"txtMoveTime", "0.5"}, {"txtDwell", "0.25"}}, 0);
        MoveInputs cycle = window.move();
        QTest::mouseClick(child<QWidget>(&window, QStringLiteral("cmdAddMove")), Qt::LeftButton);
        enter(&window, {{"cmbPayloadUnits", "kg"}},
              {{"txtMoveTime", "0.4"}, {"txtPayload", "5"}, {"txtJerkPercent", "40"}, {"txtDwell", "0.1"}},
              3);
        CycleMove back;
        back.distance.value = -cycle.moves[0].distance.value;
        back.moveTime.value = 0.4;
        back.profile = MoveProfile::SCurve;
        back.jerkPercent = 40;
        back.payload.value = 5;
        back.dwell.value = 0.1;
        cycle.moves.append(back);

        const Axis axis = window.axis();
        const MoveResults core = ComputeMove(axis, ComputeAxis(axis), cycle);
        const MoveResults &shown = child<MovePane>(&window, QStringLiteral("fraMove"))->results();
        QCOMPARE(shown.moves.size(), std::size_t(2));
        for (const MoveFigureRow &row : MoveFigures) {
            const AxisFigure &figure = shown.*row.member;
            QVERIFY2(figure.ok() && closeTo(figure.value(), (core.*row.member).value(), 1e-12), row.key);
        }
        QVERIFY(core.accelFactor.value() > 1);
        // One row a segment, each move's in turn.
        QCOMPARE(child<QTableView>(&window, QStringLiteral("tblSegments"))->model()->rowCount(),
                 int(core.segments.size()));
    }

    // The moves table at the window's opening size shows every column
    // whole, without scrolling sideways: the units under the headings, a
    // value in another unit with its own, a move set by its limits with the
    // time they give.
    void moves_table_fits_the_opening_width_data()
    {
        QTest::addColumn<bool>("screw"); // the ball-screw axis, else a new (rotary) axis
        QTest::addColumn<QList<CycleMove>>("moves");
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("second"); // the second move's row
        const auto move = [](double distance, const char *unit, MoveProfile profile) {
            CycleMove made;
            made.distance = {distance, QString::fromLatin1(unit)};
            made.moveTime = {0.5, u"s"_s};
            made.profile = profile;
            made.dwell = {0, u"s"_s};
            return made;
        };
        const double turn = std::numbers::pi / 2;
        CycleMove carrying = move(-turn, "deg", MoveProfile::SCurve);
        carrying.payload = {0.001, u"kg-m\u00b2"_s};
        carrying.loadTorque = {0.25, u"N-m"_s};
        QTest::newRow("rotary, out and back carrying a part")
            << false << QList<CycleMove>{move(turn, "deg", MoveProfile::Trapezoidal), carrying}
            << u"Distance\n(deg)|Profile|Time\n(s)|Payload\n(kg-m\u00b2)|Torque\n(N-m)|Dwell\n(s)|Brake"_s
            << u"-90.0|S-curve|0.5|0.001|0.25|0.0|Off"_s;
        CycleMove heavy = move(-1.25, "m", MoveProfile::Trapezoidal);
        heavy.defaultRamps = false;
        heavy.moveTime = {12.25, u"s"_s};
        heavy.payload = {150, u"kg"_s};
        heavy.thrust = {2500, u"N"_s};
        heavy.dwell = {10.5, u"s"_s};
        heavy.holdingBrake = true;
        QTest::newRow("screw, long values and given ramps")
            << true << QList<CycleMove>{move(1.25, "m", MoveProfile::Trapezoidal), heavy}
            << u"Distance\n(m)|Profile|Time\n(s)|Payload\n(kg)|Force\n(N)|Dwell\n(s)|Brake"_s
            << u"-1.25|Trapezoidal|12.25|150.0|2500.0|10.5|Holds"_s;
        // 5 in at up to 0.5 m/s and 2 m/s²: 0.127/0.5 + 0.5/2 = 0.504 s.
        CycleMove limited = move(-0.127, "in", MoveProfile::Limited);
        limited.speedLimit = {0.5, u"m/s"_s};
        limited.accelLimit = {2, u"m/s\u00b2"_s};
        QTest::newRow("screw, set by limits in other units")
            << true << QList<CycleMove>{move(0.1, "mm", MoveProfile::Trapezoidal), limited}
            << u"Distance\n(mm)|Profile|Time\n(s)|Payload\n|Force\n|Dwell\n(s)|Brake"_s
            << u"-5.0 in|Set by limits|0.504|0.0|0.0|0.0|Off"_s;
    }
    void moves_table_fits_the_opening_width()
    {
        QFETCH(bool, screw);
        QFETCH(QList<CycleMove>, moves);
        QFETCH(QString, header);
        QFETCH(QString, second);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cycle.tvaxis"_s);
        MoveInputs cycle;
        cycle.moves = moves;
        QVERIFY(WriteAxisFile(path, {screw ? ballScrewAxis() : Axis(), cycle}).ok);
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(path));
        child<QTabWidget>(&window, u"tabAxis"_s)->setCurrentIndex(1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *table = child<QTableView>(&window, u"tblMoves"_s);
        QAbstractItemModel *model = table->model();
        QStringList headings, row;
        for (int c = 0; c < model->columnCount(); ++c) {
            headings << model->headerData(c, Qt::Horizontal).toString();
            row << model->index(1, c).data().toString();
        }
        // Every heading and value has room in its column, and the columns in the table.
        QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
        const QFontMetrics metrics = table->fontMetrics();
        for (int c = 0; c < model->columnCount(); ++c) {
            QStringList texts = headings[c].split(u'\n');
            for (int r = 0; r < model->rowCount(); ++r)
                texts << model->index(r, c).data().toString();
            for (const QString &text : texts)
                QVERIFY2(metrics.horizontalAdvance(text) < table->horizontalHeader()->sectionSize(c),
                         qPrintable(text));
        }
        QCOMPARE(headings.join(u'|'), header);
        QCOMPARE(row.join(u'|'), second);
    }

    // A cycle of several moves is numbered move by move at each start, in
    // place of the segment names, clear of every line and text; at any
    // length, a number that has no room is left out rather than crowded in.
    void plots_number_the_moves_data()
    {
        QTest::addColumn<int>("moves");
        QTest::addColumn<QString>("numbers"); // the texts drawn last, above the speed plot
        QTest::newRow("one move: its segments") << 1 << "accel|constant|decel|dwell";
        QTest::newRow("three moves") << 3 << "1|2|3";
        QTest::newRow("fifty moves") << 50 << "";
    }
    void plots_number_the_moves()
    {
        QFETCH(int, moves);
        QFETCH(QString, numbers);
        const QString texts = plotTexts(cyclePlot(moves), QSize(640, 480));
        QVERIFY(!texts.isEmpty());
        QVERIFY2(texts.endsWith(numbers), qPrintable(texts));
        QCOMPARE(texts.contains(QLatin1String("accel")), moves == 1);
    }

    // The plots over time mark the selected move of a cycle of several:
    // from its start to the next move's, the last one to the cycle's end;
    // nothing for a single move or a move the cycle lacks.
    void plots_mark_the_selected_move_data()
    {
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("marked");
        QTest::addColumn<double>("from"); // s; NaN: nothing marked
        QTest::addColumn<double>("to");
        const double none = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("first of three") << 3 << 0 << 0.0 << 1.2;
        QTest::newRow("second of three") << 3 << 1 << 1.2 << 2.4;
        QTest::newRow("the last to the cycle's end") << 3 << 2 << 2.4 << 3.6;
        QTest::newRow("a single move") << 1 << 0 << none << none;
        QTest::newRow("none selected") << 3 << -1 << none << none;
        QTest::newRow("a move the cycle lacks") << 3 << 3 << none << none;
    }
    void plots_mark_the_selected_move()
    {
        QFETCH(int, moves);
        QFETCH(int, marked);
        QFETCH(double, from);
        QFETCH(double, to);
        MovePlotData data = cyclePlot(moves);
        data.markedMove = marked;
        const std::optional<std::pair<double, double>> span = MarkedSpan(data);
        QCOMPARE(span.has_value(), !std::isnan(from));
        if (span) {
            QVERIFY(closeTo(span->first, from, 1e-12) && closeTo(span->second, to, 1e-12));
        }
        // Marked or not, every text stays clear of the others and of the lines.
        QVERIFY(!plotTexts(data, QSize(640, 480)).isEmpty());
    }

    // Selecting a move in the table marks it in the plots at once.
    void selecting_a_move_marks_it()
    {
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        child<QTabWidget>(&window, u"tabAxis"_s)->setCurrentIndex(1);
        window.show();
        enter(&window, {}, {{"txtDistance", "0.2"}, {"txtMoveTime", "0.6"}}, 0);
        QTest::mouseClick(child<QWidget>(&window, u"cmdAddMove"_s), Qt::LeftButton);
        const auto *pane = child<MovePane>(&window, u"fraMove"_s);
        QCOMPARE(pane->plotData().markedMove, 1);
        auto *table = child<QTableView>(&window, u"tblMoves"_s);
        table->setCurrentIndex(table->model()->index(0, 0));
        QCOMPARE(pane->plotData().markedMove, 0);
        const std::optional<std::pair<double, double>> span = MarkedSpan(pane->plotData());
        QVERIFY(span && span->first == 0 && span->second == pane->results().moves[1].start);
    }

    // The peak check's worst point inside a segment is marked on the
    // torque–speed path too, after its segment's start.
    void torque_speed_plot_marks_the_worst_point_inside()
    {
        MovePlotData data = cyclePlot(1);
        data.speedTorqueOnly = true;
        MotorCheck &peak = data.results.checks[std::size_t(MotorCheckKind::PeakTorque)];
        peak.point = 0;
        peak.at = data.results.points[0];
        peak.at.speed = 50; // half way up the ramp
        const auto drawn = [&data]() {
            QImage image(640, 480, QImage::Format_RGB32);
            QPainter painter(&image);
            return DrawMovePlots(painter, QRectF(image.rect()), data).lines;
        };
        const std::vector<QPolygonF> atEnds = drawn();
        peak.at.inside = true;
        const std::vector<QPolygonF> inside = drawn();
        QCOMPARE(inside.size(), atEnds.size() + 1); // its marker
        const auto longest = [](const std::vector<QPolygonF> &lines) {
            return std::max_element(
                       lines.begin(), lines.end(),
                       [](const QPolygonF &a, const QPolygonF &b) { return a.size() < b.size(); })
                ->size();
        };
        QCOMPARE(longest(inside), longest(atEnds) + 1); // the path through it
    }

    // A keystroke in a box repaints the tab once: the figures, the motor
    // check and the plots change, and nothing lays the tab out again.
    void keystroke_paints_the_tab_once_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("typed");
        QTest::newRow("move time") << u"txtMoveTime"_s << u"0.6"_s << u"5"_s;
        QTest::newRow("distance, every figure longer") << u"txtDistance"_s << u"0.2"_s << u"7"_s;
        QTest::newRow("peak torque, too low for the move") << u"txtPeakTorque"_s << u"0.9"_s << u"\b1"_s;
    }
    void keystroke_paints_the_tab_once()
    {
        QFETCH(QString, box);
        QFETCH(QString, before);
        QFETCH(QString, typed);
        frmAxisSizing window(m_context);
        Axis axis = ballScrewAxis();
        axis.motor.ratedTorque = {0.3, QStringLiteral("N-m")};
        axis.motor.peakTorque = {0.9, QStringLiteral("N-m")};
        window.setAxis(axis);
        child<QTabWidget>(&window, QStringLiteral("tabAxis"))->setCurrentIndex(1);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        enter(&window, {}, {{"txtDistance", "0.2"}, {"txtMoveTime", "0.6"}}, 0);
        auto *edit = child<QLineEdit>(&window, box);
        edit->setFocus();
        edit->setText(before);
        edit->end(false);
        PaintCount count(child<QWidget>(&window, QStringLiteral("fraMove")));
        count.settle();
        count.paints = 0;
        auto *check = child<QLabel>(&window, QStringLiteral("lblCheck_peakTorque"));
        const QString checkBefore = check->text();
        for (const QChar key : typed) {
            QTest::keyClicks(edit, key);
            count.settle();
        }
        QVERIFY(check->text() != checkBefore);
        QCOMPARE(count.paints, typed.size());
    }

    // A box typed back to what it held is no change, in a new axis too,
    // where the boxes read their values back with the units they show.
    void value_typed_back_is_no_change()
    {
        frmAxisSizing window(m_context);
        for (const char *name : {"txtDistance", "txtRatedTorque"}) {
            auto *box = child<QLineEdit>(&window, QString::fromLatin1(name));
            const QString held = box->text();
            box->setText(QStringLiteral("90"));
            QVERIFY2(window.isModified(), name);
            box->setText(held);
            QVERIFY2(!window.isModified(), name);
        }
    }

    // The move, the motor's torques and speed and the target ratio, typed in,
    // mark the axis changed and come back from its file as typed, units
    // included, with the same J_M.
    void move_kept_in_the_file()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("move.tvaxis"));
        frmAxisSizing saver(m_context);
        Axis axis = ballScrewAxis();
        axis.motor.ratedTorque = axis.motor.peakTorque = {0, QStringLiteral("N-m")};
        axis.motor.maxSpeed = {0, QStringLiteral("rpm")};
        saver.setAxis(axis);
        QVERIFY(saver.saveFile(path));
        const Texts units = {{"cmbDistanceUnits", "in"},
                             {"cmbMoveTimeUnits", "ms"}, //
                             {"cmbAccelTimeUnits", "ms"},
                             {"cmbThrustUnits", "lbf"}};
        const Texts boxes = {{"txtDistance", "8"},    {"txtMoveTime", "750"}, {"txtAccelTime", "150"},
                             {"txtDecelTime", "200"}, {"txtThrust", "12.5"},  {"txtIncline", "30"},
                             {"txtFriction", "0.1"}};
        enter(&saver, units, boxes, 1);
        QVERIFY(saver.isModified()); // by the move alone
        enter(&saver, {{"cmbMaxSpeedUnits", "rev/s"}}, {{"txtMaxSpeed", "50"}, {"txtTargetRatio", "5"}}, 1);
        QCOMPARE(saver.move().moves[0].distance.unit, QStringLiteral("in"));
        QVERIFY(closeTo(saver.move().moves[0].distance.value, 8 * 0.0254));
        QVERIFY(!saver.move().moves[0].defaultRamps);
        QVERIFY(saver.saveFile(path));
        QVERIFY(!saver.isModified());

        frmAxisSizing opener(m_context);
        QVERIFY(opener.openFile(path));
        QCOMPARE(opener.move(), saver.move());
        QCOMPARE(opener.axis(), saver.axis());
        QVERIFY(!opener.isModified());
        QVERIFY(matches(opener.results().atMotor, 2.444166e-5));
        for (const char *name :
             {"txtDistance", "txtMoveTime", "txtAccelTime", "txtThrust", "txtMaxSpeed", "txtTargetRatio"})
            QCOMPARE(child<QLineEdit>(&opener, QString::fromLatin1(name))->text(),
                     child<QLineEdit>(&saver, QString::fromLatin1(name))->text());
        QCOMPARE(copied(&opener, QStringLiteral("cmdCopyAll_peakTorque")),
                 copied(&saver, QStringLiteral("cmdCopyAll_peakTorque")));
        // The item table exported as it shows, one line per item after the header.
        const QString csv = dir.filePath(QStringLiteral("items.csv"));
        QVERIFY(opener.exportCsv(csv));
        QCOMPARE(TestSupport::fileContents(csv).count("\r\n"), 1 + opener.axis().items.size());
    }
};

QTEST_MAIN(TestMovePane)
#include "tst_movepane.moc"
