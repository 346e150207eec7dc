// Mechanism limits, against examples worked by hand.
//
// Critical speed of a steel screw (E = 206 GPa, ρ = 7850 kg/m³, so
// √(E/ρ) = 5122.7 m/s), root diameter d = 16.5 mm, free length L = 1.2 m:
//     ω = (λ/L)² · (d/4) · √(E/ρ) = λ² · (0.004125 m · 5122.7 m/s) / 1.44 m²
//       = λ² · 14.675 rad/s
//   fixed–free           λ² = 1.8751² = 3.5160   ω =  51.60 rad/s =  492.7 rpm
//   supported–supported  λ² = π²      = 9.8696   ω = 144.83 rad/s = 1383.0 rpm
//   fixed–supported      λ² = 3.9266² = 15.418   ω = 226.25 rad/s = 2160.6 rpm
//   fixed–fixed          λ² = 4.7300² = 22.373   ω = 328.31 rad/s = 3135.2 rpm
// At 80 % of 1383.0 rpm a screw may turn 1106.4 rpm: at 1000 rpm the margin
// is 1 − 1000/1106.4 = 9.6 %. Fixed–free, 80 % of 492.7 = 394.2 rpm: 300 rpm
// leaves 24 %.
// d·n: 25 mm at 3000 rpm is 75,000 mm·rpm; against 70,000 that is 7.1 % over.
// Surface speed: a 50 mm pulley at 3000 rpm (314.16 rad/s) runs at
// 314.16 · 0.025 = 7.854 m/s: 21 % under 10 m/s, 57 % over 5 m/s.
// Gearbox rated 40 N·m peak, 25 N·m continuous, 4000 rpm: a peak of 30 N·m
// leaves 25 %, an RMS of 27 N·m is 8 % over, 4400 rpm is 10 % over.
//
// Through an axis: the worked ball screw (10 mm lead, 3 : 1) moving 0.1 m in
// 0.6 s with ramps of 0.2 s peaks at 0.1 / 0.4 = 0.25 m/s, the screw at
// 25 rev/s = 1500 rpm (the motor at 4500). A screw of 16 mm root, 1 m free,
// fixed–supported: ω = 3.9266² · 0.004 m · 5122.7 m/s / 1 m² = 315.93 rad/s
// = 3017 rpm, 80 % of it 2414 rpm: 37.85 % margin (fixed–free: 688 rpm). A 20 mm screw at 1500 rpm
// is 30000 mm·rpm. A belt of 50 mm pitch diameter at 0.25 m/s has that
// surface speed: 25 % over 0.2 m/s.

#include "axis/mechanismchecks.h"
#include "axisbuild.h"

#include <QtTest>

#include <functional>
#include <numbers>

namespace {

constexpr double Rpm = 2 * std::numbers::pi / 60;

Axis withLimits(Axis axis, const AxisMechanismLimits &limits)
{
    axis.mechanismLimits = limits;
    return axis;
}

} // namespace

class TestMechanismLimits : public QObject
{
    Q_OBJECT

private slots:
    void critical_speed_by_end_fixity_data()
    {
        QTest::addColumn<int>("fixity");
        QTest::addColumn<double>("rpm");
        QTest::newRow("fixed-free") << int(EndFixity::FixedFree) << 492.70;
        QTest::newRow("supported-supported") << int(EndFixity::SupportedSupported) << 1383.03;
        QTest::newRow("fixed-supported") << int(EndFixity::FixedSupported) << 2160.56;
        QTest::newRow("fixed-fixed") << int(EndFixity::FixedFixed) << 3135.17;
    }
    void critical_speed_by_end_fixity()
    {
        QFETCH(int, fixity);
        QFETCH(double, rpm);
        const double speed = CriticalSpeed(0.0165, 1.2, EndFixity(fixity));
        QVERIFY2(std::abs(speed / Rpm - rpm) < 0.01, qPrintable(QString::number(speed / Rpm)));
        // Half the length, four times the speed; twice the diameter, twice.
        QVERIFY(std::abs(CriticalSpeed(0.0165, 0.6, EndFixity(fixity)) / speed - 4) < 1e-12);
        QVERIFY(std::abs(CriticalSpeed(0.033, 1.2, EndFixity(fixity)) / speed - 2) < 1e-12);
    }

    void checks_in_words_data()
    {
        QTest::addColumn<std::function<LimitCheck()>>("check");
        QTest::addColumn<QString>("text");
        using F = std::function<LimitCheck()>;
        const auto ss = EndFixity::SupportedSupported;
        QTest::newRow("critical speed, passes")
            << F([=] { return CriticalSpeedCheck(1000 * Rpm, 0.0165, 1.2, ss); })
            << "Screw speed 1000 rpm of 1106 rpm (80 % of the critical speed 1383 rpm): passes, 9.6 % margin";
        QTest::newRow("critical speed, turning backwards")
            << F([=] { return CriticalSpeedCheck(-1000 * Rpm, 0.0165, 1.2, ss); })
            << "Screw speed 1000 rpm of 1106 rpm (80 % of the critical speed 1383 rpm): passes, 9.6 % margin";
        QTest::newRow("critical speed, fixed-free fails")
            << F([] { return CriticalSpeedCheck(1000 * Rpm, 0.0165, 1.2, EndFixity::FixedFree); })
            << "Screw speed 1000 rpm of 394.2 rpm (80 % of the critical speed 492.7 rpm): fails, 154 % over";
        QTest::newRow("critical speed, fixed-free at 300 rpm")
            << F([] { return CriticalSpeedCheck(300 * Rpm, 0.0165, 1.2, EndFixity::FixedFree); })
            << "Screw speed 300 rpm of 394.2 rpm (80 % of the critical speed 492.7 rpm): passes, 24 % margin";
        QTest::newRow("critical speed, no diameter")
            << F([=] { return CriticalSpeedCheck(1000 * Rpm, 0, 1.2, ss); })
            << "Screw speed: the screw's root diameter must be above zero.";
        QTest::newRow("critical speed, no length")
            << F([=] { return CriticalSpeedCheck(1000 * Rpm, 0.0165, -1, ss); })
            << "Screw speed: the screw's free length must be above zero.";
        QTest::newRow("critical speed, share above the whole")
            << F([=] { return CriticalSpeedCheck(1000 * Rpm, 0.0165, 1.2, ss, 1.5); })
            << "Screw speed: the share of the critical speed allowed must lie above 0 and at most 100 %.";
        QTest::newRow("d·n fails") << F([] { return DnCheck(3000 * Rpm, 0.025, 70000); })
                                   << "Screw d·n value 75000 mm·rpm of 70000 mm·rpm: fails, 7.1 % over";
        QTest::newRow("d·n, no limit") << F([] { return DnCheck(3000 * Rpm, 0.025, 0); })
                                       << "Screw d·n value: the d·n limit must be above zero.";
        QTest::newRow("surface speed passes") << F([] { return SurfaceSpeedCheck(3000 * Rpm, 0.05, 10); })
                                              << "Surface speed 7.854 m/s of 10 m/s: passes, 21 % margin";
        QTest::newRow("surface speed fails") << F([] { return SurfaceSpeedCheck(3000 * Rpm, 0.05, 5); })
                                             << "Surface speed 7.854 m/s of 5 m/s: fails, 57 % over";
        QTest::newRow("surface speed, speed unknown")
            << F([] { return SurfaceSpeedCheck(std::nan(""), 0.05, 5); })
            << "Surface speed: the speed or torque is not known.";
        const GearboxRatings rated{40, 25, 4000 * Rpm};
        const auto gearbox = [rated](int which) {
            return F(
                [rated, which] { return GearboxChecks(rated, -30, 27, 4400 * Rpm)[std::size_t(which)]; });
        };
        QTest::newRow("gearbox peak, braking")
            << gearbox(0) << "Gearbox peak output torque 30 N·m of 40 N·m: passes, 25 % margin";
        QTest::newRow("gearbox continuous")
            << gearbox(1) << "Gearbox continuous output torque 27 N·m of 25 N·m: fails, 8 % over";
        QTest::newRow("gearbox input speed")
            << gearbox(2) << "Gearbox input speed 4400 rpm of 4000 rpm: fails, 10 % over";
        QTest::newRow("gearbox without a rating") << F([] {
            return GearboxChecks({40, 0, 4000 * Rpm}, 30, 20, 100)[1];
        })
                                                  << "Gearbox continuous output torque: the gearbox's "
                                                     "permitted continuous output torque must be above "
                                                     "zero.";
    }
    void checks_in_words()
    {
        QFETCH(std::function<LimitCheck()>, check);
        QFETCH(QString, text);
        QCOMPARE(LimitCheckText(check()), text);
    }

    void checks_through_the_axis_data()
    {
        using namespace AxisBuild;
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("levels");
        const Axis screw = ballScrewAxis();
        const Axis belt = axis({beltLoad(12, 0.05)}, 3, 0, 2e-5);
        const int passes = int(CheckLevel::Passes), fails = int(CheckLevel::Fails);
        const int open = int(CheckLevel::Unknown);
        AxisMechanismLimits all;
        all.rootDiameter = {0.016, QStringLiteral("mm")};
        all.freeLength = {1, {}};
        all.nominalDiameter = {0.02, {}};
        all.dnLimit = 70000;
        all.surfaceSpeed = {0.2, {}};
        QTest::newRow("screw")
            << withLimits(screw, all)
            << QStringList{"Screw speed 1500 rpm of 2414 rpm (80 % of the critical speed 3017 rpm): passes, "
                           "38 % margin",
                           "Screw d·n value 30000 mm·rpm of 70000 mm·rpm: passes, 57 % margin"}
            << QList<int>{passes, passes};
        AxisMechanismLimits tight = all;
        tight.fixity = EndFixity::FixedFree;
        tight.criticalShare = 50;
        tight.dnLimit = 25000;
        QTest::newRow("screw fixed-free at half, tight d·n")
            << withLimits(screw, tight)
            << QStringList{"Screw speed 1500 rpm of 344 rpm (50 % of the critical speed 688 rpm): fails, "
                           "336 % over",
                           "Screw d·n value 30000 mm·rpm of 25000 mm·rpm: fails, 20 % over"}
            << QList<int>{fails, fails};
        QTest::newRow("screw, none given")
            << screw
            << QStringList{"Screw speed: not checked, no root diameter or free length is given.",
                           "Screw d·n value: not checked, no nominal diameter or d·n limit is given."}
            << QList<int>{open, open};
        AxisMechanismLimits half;
        half.rootDiameter = {0.016, {}};
        half.dnLimit = 70000;
        QTest::newRow("screw, half given")
            << withLimits(screw, half)
            << QStringList{"Screw speed: the screw's free length must be above zero.",
                           "Screw d·n value: the screw's nominal diameter must be above zero."}
            << QList<int>{open, open};
        QTest::newRow("belt") << withLimits(belt, all)
                              << QStringList{"Surface speed 0.25 m/s of 0.2 m/s: fails, 25 % over"}
                              << QList<int>{fails};
        QTest::newRow("belt, none given")
            << belt << QStringList{"Surface speed: not checked, no permitted surface speed is given."}
            << QList<int>{open};
        QTest::newRow("rotary") << withLimits(axis({inertiaValue(0.01)}, 3, 0, 2e-5), all) << QStringList{}
                                << QList<int>{};
    }
    void checks_through_the_axis()
    {
        QFETCH(Axis, axis);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, levels);
        MoveInputs move;
        move.moves.first().distance = {0.1, {}};
        move.moves.first().moveTime = {0.6, {}};
        const std::vector<MechanismCheck> checks =
            MechanismChecks(axis, ComputeMove(axis, ComputeAxis(axis), move));
        QStringList shown;
        QList<int> judged;
        for (const MechanismCheck &check : checks) {
            shown << MechanismCheckText(check);
            judged << int(check.level());
        }
        QCOMPARE(shown, texts);
        QCOMPARE(judged, levels);
    }

    // A value exactly at its limit passes with no margin; a hair above fails.
    void at_the_limit_passes()
    {
        QVERIFY(SurfaceSpeedCheck(200, 0.1, 10).passes());
        QVERIFY(!SurfaceSpeedCheck(200.000001, 0.1, 10).passes());
        QVERIFY(!SurfaceSpeedCheck(200, 0, 10).passes());
    }
};

QTEST_APPLESS_MAIN(TestMechanismLimits)
#include "tst_mechanismlimits.moc"
