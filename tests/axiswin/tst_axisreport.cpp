// The axis report's content, built from worked axes: every item with its
// inertias in the result unit, the results with units, the verdict in words
// with its tone; and the HTML it is painted from.

#include "../axis/axisbuild.h"
#include "axis/axisentry.h"
#include "axis/axisreport.h"

#include <QtTest>

using namespace AxisBuild;
using TestSupport::closeTo;

Q_DECLARE_METATYPE(ReportBlock::Tone)

namespace {
constexpr double GramCm2 = 1e-7; // kg·m²

// "<number> g-cm²" read back in kg·m².
double inKgM2(const QString &text)
{
    const QString number = text.section(u' ', 0, 0);
    return ReadAxisNumber(number).value_or(std::nan("")) * GramCm2;
}

const ReportBlock *blockOf(const ReportDocument &report, const QString &section, ReportBlock::Kind kind)
{
    for (const ReportSection &s : report.sections)
        for (const ReportBlock &block : s.blocks)
            if (s.title == section && block.kind == kind)
                return &block;
    return nullptr;
}
} // namespace

class TestAxisReport : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    ConversionTableData m_units;
    ReportFigures figures() const
    {
        return {m_units, PadRight(QStringLiteral("g-cm\u00b2"), UnitNameWidth), 4, false};
    }

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_units); }

    void report_of_a_worked_axis_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<double>("atMotor"); // kg·m²
        QTest::addColumn<QString>("ratio");
        QTest::addColumn<ReportBlock::Tone>("tone");
        QTest::newRow("ball screw, within")
            << ballScrewAxis() << 2.444166e-5 << "1.222 : 1" << ReportBlock::Tone::Good;
        Axis over = ballScrewAxis();
        over.motor.targetRatio = 1;
        QTest::newRow("over the target") << over << 2.444166e-5 << "1.222 : 1" << ReportBlock::Tone::Bad;
        Axis noRotor = ballScrewAxis();
        noRotor.motor.inertia = {0, {}};
        QTest::newRow("no rotor inertia") << noRotor << 2.444166e-5 << "\u2014" << ReportBlock::Tone::Plain;
        Axis badGear = ballScrewAxis();
        badGear.gearbox.ratio = 0;
        QTest::newRow("gearbox ratio 0") << badGear << std::nan("") << "\u2014" << ReportBlock::Tone::Plain;
    }
    void report_of_a_worked_axis()
    {
        QFETCH(Axis, axis);
        QFETCH(double, atMotor);
        QFETCH(QString, ratio);
        QFETCH(ReportBlock::Tone, tone);
        const AxisResults results = ComputeAxis(axis);
        const ReportDocument report = AxisReport(axis, results, figures(), "screw.tvaxis", "7 December 2026");

        const ReportBlock *items = blockOf(report, "Items", ReportBlock::Kind::Table);
        QVERIFY(items);
        QCOMPARE(items->rows.size(), 1 + axis.items.size());
        QCOMPARE(items->rows[0].mid(6),
                 (QStringList{"J\n(g-cm\u00b2)", "J at motor\n(g-cm\u00b2)", "Share\n(%)"}));
        // The coupling, 1.2e-5 kg·m² on the load side, and its share of J_M.
        const QStringList coupling = items->rows[3];
        QVERIFY2(closeTo(inKgM2(coupling[6]), 1.2e-5, 1e-3), qPrintable(coupling.join(u'|')));
        if (std::isnan(atMotor)) {
            QCOMPARE(coupling[7], results.items[2].atMotor.reason());
        } else {
            QVERIFY(closeTo(inKgM2(coupling[7]), 1.2e-5 / 9, 1e-3));
            QVERIFY(closeTo(ReadAxisNumber(coupling[8]).value_or(0), 100 * 1.2e-5 / 9 / atMotor, 1e-3));
        }

        const ReportBlock *facts = blockOf(report, "Results", ReportBlock::Kind::Facts);
        QVERIFY(facts);
        const QString jm = facts->rows[3][1];
        if (std::isnan(atMotor))
            QCOMPARE(jm, results.atMotor.reason());
        else
            QVERIFY2(closeTo(inKgM2(jm), atMotor, 1e-3) && jm.endsWith(QStringLiteral(" g-cm\u00b2")),
                     qPrintable(jm));
        QCOMPARE(facts->rows[4][1], ratio);
        const ReportBlock *verdict = blockOf(report, "Results", ReportBlock::Kind::Paragraph);
        QVERIFY(verdict);
        QCOMPARE(verdict->text, QStringLiteral("Verdict: ") + results.verdict.text);
        QCOMPARE(verdict->tone, tone);
        // The inputs as entered, in their own units.
        const ReportBlock *drive = blockOf(report, "Gearbox and motor", ReportBlock::Kind::Facts);
        QVERIFY(drive);
        QCOMPARE(drive->rows[0][1], AxisEntryText(axis.gearbox.ratio) + QStringLiteral(" : 1"));
    }

    // A value typed in unit, as its box reads it.
    AxisQuantity typed(double value, const char *unit) const
    {
        return {ToBaseUnits(m_units, value, QString::fromUtf8(unit)).value_or(0), QString::fromUtf8(unit)};
    }

    // The move after the inertia: as entered, its figures, segments and motor
    // check in the units and words of the Move tab, the conventions, the
    // plots; a move that cannot be computed says why and draws nothing. The
    // motor's ratings stand beside the gearbox.
    //
    // Worked by hand (see tst_moveprofile): lifting 40 kg, F = 40 g = 392.3 N,
    // T_peak 0.4684 N·m; horizontal with ramps of 0.25 s up and 0.05 s down,
    // a_dec = 0.4444/0.05 = 8.889 m/s², α = 3351 rad/s², T_dec = 0.6974 N·m,
    // braking at −0.6885 N·m for 50 ms, the load driving the motor. Both run
    // beyond the motor's 6000 rpm, where its curves give no torque.
    void report_of_a_move_data()
    {
        QTest::addColumn<MoveInputs>("move");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<bool>("plotted");
        // clang-format off
        MoveInputs lifting;
        lifting.moves[0].distance = typed(200, "mm");
        lifting.moves[0].moveTime = typed(0.6, "s");
        lifting.moves[0].dwell = typed(0.4, "s");
        lifting.incline = typed(90, "deg");
        lifting.friction = 0.05;
        lifting.mechanismEfficiency = 90;
        lifting.gearboxEfficiency = 95;
        MoveInputs braking = lifting;
        braking.incline = typed(0, "deg");
        braking.moves[0].defaultRamps = false;
        braking.moves[0].accelTime = typed(250, "ms");
        braking.moves[0].decelTime = typed(50, "ms");
        MoveInputs fifth = lifting;
        fifth.moves[0].moveTime = typed(0.5, "s");
        MoveInputs still = lifting;
        still.moves[0].moveTime = typed(0, "s");
        QTest::newRow("ball screw, lifting") << lifting << QStringList{"200 mm", "90 deg", "95 %", "9000 rpm",
            "Load force F", "392.3 N", "Screw lead p", "10.0 mm", "Moving mass m", "40.0 kg",
            "Maximum speed 9000 rpm of 6000 rpm: fails, 50 % over",
            "Peak torque 0.4684 N-m of 0.0 N-m at 9000 rpm (the end of the acceleration): fails, the motor gives no torque there",
            "Peak torque curve", "flat", "Required margins", "peak torque 20 %, RMS torque 20 %, speed 20 %",
            "Back-driving efficiency", "as forward", "Holding brake", "none",
            "A negative incline means the load moves down.", "positive in the direction of a positive distance",
            "friction", "Efficiencies follow the power flow"} << true;
        QTest::newRow("ramps 0.25 s up, 0.05 s down") << braking << QStringList{"250 ms", "50 ms",
            "Load deceleration adec", "8.889 m/s\u00b2", "Motor acceleration \u03b1", "3351 rad/s\u00b2",
            "Deceleration torque Tdec", "0.6974 N-m", "Decelerate", "-0.6885", "Cycle time", "1.0 s",
            "Braking energy per cycle, for the braking resistor Ebrake"} << true;
        QTest::newRow("ramps worked out, to the digits") << fifth << QStringList{"166.7 ms"} << true;
        // Up and back down on an S-curve: the moves in a table, the segments by move.
        MoveInputs upAndDown = lifting;
        CycleMove down = lifting.moves[0];
        down.distance = typed(-200, "mm");
        down.profile = MoveProfile::SCurve;
        upAndDown.moves.append(down);
        QTest::newRow("up and back down on an S-curve") << upAndDown << QStringList{"Time or limits",
            "-200 mm", "S-curve, ramps t/3 each", "0.6 s, rounding 50 %", "1.333 \u00d7", "Torque at end",
            "Cycles per minute", "30.0 1/min", "Duty cycle, moving time over cycle time", "60.0 %"} << true;
        QTest::newRow("move time 0") << still << QStringList{"90 deg", "The move time must"} << false;
        // clang-format on
    }
    void report_of_a_move()
    {
        QFETCH(MoveInputs, move);
        QFETCH(QStringList, texts);
        QFETCH(bool, plotted);
        Axis axis = ballScrewAxis(); // 40 kg on a 10 mm lead: 9000 rpm at the motor
        // The rated torque as a file written elsewhere holds it, exact in N·m: shown as typed.
        const AxisQuantity rated{1.77 * 0.45359237 * 9.80665 * 0.0254, "lbf-in"};
        AxisMotor motor;
        motor.inertia = axis.motor.inertia;
        motor.ratedTorque = rated;
        motor.peakTorque = typed(0.5, "N-m");
        motor.maxSpeed = typed(6000, "rpm");
        axis.motor = motor;
        const AxisResults inertia = ComputeAxis(axis);
        ReportDocument report = AxisReport(axis, inertia, figures(), "screw.tvaxis", "today");
        MoveReportUnits units;
        units.figures = {"mm/s", "m/s\u00b2", "rpm", "rad/s\u00b2", "N-m", "N", "s", "mm", "kg"};
        units.accelTime = units.decelTime = "ms";
        AppendMoveReport(report, move, ComputeMove(axis, inertia, move), units, figures());

        const QString html = ReportHtml(report);
        for (const QString &text : texts)
            QVERIFY2(html.contains(text.toHtmlEscaped()), qPrintable(text));
        QCOMPARE(blockOf(report, "Move results", ReportBlock::Kind::Plot) != nullptr, plotted);
        // The ratings beside the gearbox, under names no one misreads, as
        // typed: not the digits the single-precision unit factor adds.
        const ReportBlock *drive = blockOf(report, "Gearbox and motor", ReportBlock::Kind::Facts);
        QCOMPARE(drive->rows[1].mid(2), (QStringList{"Rated torque", "1.77 lbf-in"}));
        QVERIFY(drive->rows[0].contains("J rotor"));
    }

    // The mechanism's limits as entered and their checks (see
    // tst_mechanismlimits): the screw at 1500 rpm, the belt at 0.25 m/s; a
    // rotary axis has no such section.
    void mechanism_limits_in_the_report_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<QStringList>("texts"); // empty: no section
        QTest::addColumn<ReportBlock::Tone>("tone");
        Axis screw = ballScrewAxis();
        screw.mechanismLimits.rootDiameter = typed(16, "mm");
        screw.mechanismLimits.freeLength = typed(1, "m");
        screw.mechanismLimits.dnLimit = 70000;
        Axis belt = axis({beltLoad(12, 0.05)}, 3, 0, 2e-5);
        belt.mechanismLimits.surfaceSpeed = typed(0.2, "m/s");
        QTest::newRow("screw")
            << screw
            << QStringList{"Root diameter",
                           "16 mm",
                           "Fixed\u2013supported",
                           "80 %",
                           "70000 mm\u00b7rpm",
                           "Screw speed 1500 rpm of 2414 rpm (80 % of the critical speed "
                           "3017 rpm): passes, 38 % margin",
                           "Screw d\u00b7n value: the screw's nominal diameter must be above "
                           "zero."}
            << ReportBlock::Tone::Good;
        QTest::newRow("belt") << belt
                              << QStringList{"Permitted surface speed", "0.2 m/s",
                                             "Surface speed 0.25 m/s of 0.2 m/s: fails, 25 % over"}
                              << ReportBlock::Tone::Bad;
        QTest::newRow("rotary") << axis({inertiaValue(0.01)}, 3, 0, 2e-5) << QStringList{}
                                << ReportBlock::Tone::Plain;
    }
    void mechanism_limits_in_the_report()
    {
        QFETCH(Axis, axis);
        QFETCH(QStringList, texts);
        QFETCH(ReportBlock::Tone, tone);
        MoveInputs move;
        move.moves.first().distance = typed(100, "mm");
        move.moves.first().moveTime = typed(0.6, "s");
        const AxisResults inertia = ComputeAxis(axis);
        ReportDocument report = AxisReport(axis, inertia, figures(), "a.tvaxis", "today");
        AppendMechanismReport(report, axis, ComputeMove(axis, inertia, move), figures());
        const ReportBlock *check = blockOf(report, "Mechanism limits", ReportBlock::Kind::Paragraph);
        QCOMPARE(check != nullptr, !texts.isEmpty());
        if (!check)
            return;
        QCOMPARE(check->tone, tone);
        const QString html = ReportHtml(report);
        for (const QString &text : texts)
            QVERIFY2(html.contains(text.toHtmlEscaped()), qPrintable(text));
    }

    // Every text is escaped; a table's header repeats on the pages it runs
    // onto; a section appended later, plot included, takes its place.
    void html_escapes_and_takes_later_sections()
    {
        Axis axis = ballScrewAxis();
        axis.items[0].name = QStringLiteral("<Table & co>");
        ReportDocument report = AxisReport(axis, ComputeAxis(axis), figures(), "a&b.tvaxis", "today");
        report.sections.append({"Move", {ReportBlock::plotBlock("velocity", "Speed", 0.4)}});
        const QString html = ReportHtml(report);
        QVERIFY(html.contains(QStringLiteral("&lt;Table &amp; co&gt;")) &&
                !html.contains(QStringLiteral("<Table")));
        QVERIFY(html.contains(QStringLiteral("a&amp;b.tvaxis")));
        QVERIFY(html.contains(QStringLiteral("<thead><tr><th align=\"right\" width=\"1%\">#</th>")));
        QVERIFY(html.contains(
            QStringLiteral("<h2>Move</h2><p><img src=\"plot:velocity\" width=\"1000\" height=\"400\">")));
    }

    // A shape part set up in the calculator shows its values to the digits
    // their units carry; taken back, the values still shown as they were
    // are the part's own exactly, and an edited one is read as typed.
    void shape_part_kept_through_the_calculator()
    {
        AxisShapePart part = shapePart(InertiaShape::Cylinder, MassMode::Mass, InertiaAxis::Izz, {}).shape;
        part[InertiaInput::Mass] = {2.5 * 0.45359237, QStringLiteral("lb")};
        part[InertiaInput::Radius] = {0.7 * 0.0254, QStringLiteral("in")};
        part[InertiaInput::Height] = {0.123456789, QStringLiteral("m")};
        part.offset = {0.3 * 0.3048, QStringLiteral("ft")};
        InertiaPick pick = PickFromShapePart(m_units, part);
        QCOMPARE(pick.entries[int(InertiaInput::Mass)].text, QStringLiteral("2.5"));
        QCOMPARE(pick.entries[int(InertiaInput::Height)].text, QStringLiteral("0.123456789"));
        QCOMPARE(ShapePartFromPick(m_units, pick, &part), part);
        pick.entries[int(InertiaInput::Radius)].text = QStringLiteral("0.8");
        const std::optional<AxisShapePart> edited = ShapePartFromPick(m_units, pick, &part);
        QVERIFY(edited && closeTo((*edited)[InertiaInput::Radius].value, 0.8 * 0.0254, 1e-12));
        QCOMPARE((*edited)[InertiaInput::Mass], part[InertiaInput::Mass]);
    }
};

QTEST_GUILESS_MAIN(TestAxisReport)
#include "tst_axisreport.moc"
