// The best gearbox ratio against axes worked by hand. All are rotary: a load
// inertia J_L = 0.01 kg·m² behind the gearbox, a rotor J_m = 1e-4 kg·m², and
// a move of 1 rad in 0.3 s with ramps of 0.1 s: ω_L = 1 / (0.3 − 0.1) = 5
// rad/s, α_L = 50 rad/s², the motor at i·ω_L and i·α_L.
//
// Pure inertia: T_acc(i) = α_L (i J_m + J_L / i), the same size braking, is
// least where J_m = J_L / i², at i = √(J_L / J_m) = 10: 0.1 N·m; with a 0.1 s
// cruise at no torque the RMS is 0.1·√(0.2 / 0.3) = 0.0816497 N·m, least at
// the same ratio. A peak torque of 0.2 N·m allows 0.005 i² − 0.2 i + 0.5 ≤ 0:
// 2.679492 ≤ i ≤ 37.32051; the target inertia ratio of 10 : 1, J_L / (J_m i²)
// ≤ 10, asks i ≥ √(J_L / 10 J_m) = 3.162278. So the band is 3.162278 to
// 37.32051.
//
// With friction, a load torque T_f = 0.5 N·m: accelerating takes
// i J_m α_L + (J_L α_L + T_f) / i, least at i* = √((J_L α_L + T_f) / (J_m α_L))
// = √200 = 14.14214: 0.1414214 N·m (braking takes less, friction helping).
// Over the cycle, with A = J_m α_L = 0.005, B = J_L α_L + T_f = 1, C = T_f and
// the braking torque −A i (J_L α_L = T_f), Σ T² t / 0.1 = 2A² i² + 2AB +
// (B² + C²) / i², least at i⁴ = (B² + C²) / 2A² = 25000, i = 12.57433, RMS
// √((2·√(2A²(B² + C²)) + 2AB) / 3) = 0.0927566 N·m. The 0.2 N·m peak allows
// 0.005 i² − 0.2 i + 1 ≤ 0: 5.857864 to 34.14214.
//
// With the default 20 % margin required the peak may reach only 0.16 N·m:
// 0.005 i² − 0.16 i + 0.5 ≤ 0, from 3.510004 to 28.489996.
//
// Limited by speed: the pure inertia with a maximum motor speed of 40 rad/s
// ends the band at 40 / ω_L = 8, below the optimum 10: the best passing ratio
// is that end, 50·(8e-4 + 0.01 / 8) = 0.1025 N·m.
#include "axis/bestratio.h"
#include "axisbuild.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace AxisBuild;

namespace {

constexpr double None = std::numeric_limits<double>::quiet_NaN();

// No margin required unless asked, so the bands are the limits themselves.
Axis loadAxis(double peak, double maxSpeed, double rotor = 1e-4, double margin = 0)
{
    Axis a = axis({inertiaValue(0.01)}, 1, 0, rotor);
    a.motor.peakMargin = a.motor.rmsMargin = a.motor.speedMargin = margin;
    a.motor.peakTorque = {peak, {}};
    a.motor.maxSpeed = {maxSpeed, {}};
    return a;
}

MoveInputs rotaryMove(double loadTorque)
{
    MoveInputs move;
    move.moves[0].distance = {1, {}};
    move.moves[0].moveTime = {0.3, {}};
    move.moves[0].loadTorque = {loadTorque, {}};
    return move;
}

bool near(double value, double expected)
{
    return std::isnan(expected) ? std::isnan(value)
                                : std::fabs(value - expected) <= 1e-5 * std::fabs(expected);
}

} // namespace

class TestBestRatio : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initAxisTest(m_settingsDir, m_units); }
    void finds_the_optima_and_the_band_data();
    void finds_the_optima_and_the_band();

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;
};

void TestBestRatio::finds_the_optima_and_the_band_data()
{
    QTest::addColumn<Axis>("axis");
    QTest::addColumn<MoveInputs>("move");
    QTest::addColumn<double>("peakRatio"); // NaN: none found
    QTest::addColumn<double>("peakTorque");
    QTest::addColumn<double>("rmsRatio");
    QTest::addColumn<double>("rmsTorque");
    QTest::addColumn<double>("from"); // NaN: no band
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("bestPassing"); // least peak within the band
    QTest::addColumn<QString>("says");

    QTest::newRow("pure inertia") << loadAxis(0.2, 0) << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497
                                  << 3.162278 << 37.32051 << 10.0 << "Feasible from 3.16 : 1 to 37.3 : 1.";
    QTest::newRow("margins required")
        << loadAxis(0.2, 0, 1e-4, DefaultRequiredMargin) << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497
        << 3.510004 << 28.489996 << 10.0 << "Feasible from 3.51 : 1 to 28.5 : 1.";
    QTest::newRow("friction") << loadAxis(0.2, 0) << rotaryMove(0.5) << 14.14214 << 0.1414214 << 12.57433
                              << 0.0927566 << 5.857864 << 34.14214 << 14.14214
                              << "Least RMS torque: 12.6 : 1";
    QTest::newRow("speed limited") << loadAxis(0.2, 40) << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497
                                   << 3.162278 << 8.0 << 8.0
                                   << "Least peak torque among the feasible ratios: 8 : 1 (0.103 N-m).";
    QTest::newRow("too weak at every ratio")
        << loadAxis(0.09, 0) << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497 << None << None << None
        << "No ratio from 0.1 : 1 to 1000 : 1 passes every check of the motor.";
    QTest::newRow("open above") << loadAxis(0, 0) << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497
                                << 3.162278 << 1000.0 << 10.0
                                << "above the highest ratio searched (1000 : 1)";
    Axis unrated = loadAxis(0, 0);
    unrated.motor.targetRatio = 0;
    QTest::newRow("nothing to judge by")
        << unrated << rotaryMove(0) << 10.0 << 0.1 << 10.0 << 0.0816497 << None << None << None
        << "No ratio can be judged against this motor";
    // Nothing behind the gearbox: no ratio to match, and the checks that
    // cannot be judged say why at a ratio the search uses, not at 0 : 1.
    Axis unloaded = loadAxis(0.2, 0);
    unloaded.items.clear();
    QTest::newRow("no load")
        << unloaded << rotaryMove(0) << None << 0.0 << None << 0.0 << 0.1 << 40.0 << 0.1
        << "Inertia matching: No load-side inertia is given.\nNot judged: RMS torque: No "
           "rated torque is given for the motor.";
    QTest::newRow("no rotor") << loadAxis(0.2, 0, 0) << rotaryMove(0) << None << 0.0 << None << 0.0 << None
                              << None << None << "The peak torque keeps falling above 1000 : 1";
    Axis idle = loadAxis(0.2, 0, 0);
    idle.items.clear();
    QTest::newRow("no torque at any ratio") << idle << rotaryMove(0) << None << 0.0 << None << 0.0 << None
                                            << None << None << "The peak torque is the same at every ratio searched.";
}

void TestBestRatio::finds_the_optima_and_the_band()
{
    QFETCH(Axis, axis);
    QFETCH(MoveInputs, move);
    QFETCH(double, peakRatio);
    QFETCH(double, peakTorque);
    QFETCH(double, rmsRatio);
    QFETCH(double, rmsTorque);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, bestPassing);
    QFETCH(QString, says);

    const BestRatio best = FindBestRatio(axis, move);
    const QString text = BestRatioText(m_units, best, QStringLiteral("N-m"), 3);
    QVERIFY2(matches(best.peak.ratio, peakRatio, 1e-5), qPrintable(describe(best.peak.ratio)));
    QVERIFY2(matches(best.rms.ratio, rmsRatio, 1e-5), qPrintable(describe(best.rms.ratio)));
    if (!std::isnan(peakRatio)) {
        QVERIFY(matches(best.peak.torque, peakTorque));
        QVERIFY(matches(best.rms.torque, rmsTorque));
    }
    QCOMPARE(best.feasible.size(), std::isnan(from) ? 0u : 1u);
    if (!std::isnan(from)) {
        QVERIFY2(near(best.feasible[0].from, from), qPrintable(QString::number(best.feasible[0].from)));
        QVERIFY2(near(best.feasible[0].to, to), qPrintable(QString::number(best.feasible[0].to)));
        QCOMPARE(best.feasible[0].openAbove, to == best.high);
    }
    QVERIFY2(matches(best.feasiblePeak.ratio, bestPassing, 1e-5),
             qPrintable(describe(best.feasiblePeak.ratio)));
    QVERIFY2(text.contains(says), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestBestRatio)
#include "tst_bestratio.moc"
