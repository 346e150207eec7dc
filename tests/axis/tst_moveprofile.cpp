// The move and its torques against worked axes: the ball-screw axis moving
// horizontally and lifting, a belt axis with a triangular move, a rotary
// table behind a gearbox; the motor check in words; the sampled curves; and
// the inputs that must fail the move rather than give a number.
//
// Expected values were worked out apart from the program (g = 9.80665 m/s²)
// in double precision: v = s/(t − (ta + td)/2), the motor speed through
// the screw (2π/p), the pulley (2/D) and the gearbox, T_acc with the
// reflected load divided by the efficiencies, the load force
// m·g·(sin θ + μ cos θ) + F, RMS = √(Σ T²t / Σ t).
//
// The ball screw with ramps of 0.25 s up and 0.05 s down: v = 0.2/(0.6 − 0.15)
// = 0.4444 m/s, 8000 rpm; α = 2π·133.33/0.25 = 3351.03 rad/s², α_dec = 16755.2;
// J = 2e-5 + 5e-6 + 1.94417e-5/(0.9·0.95) = 4.77388e-5 kg·m², so T_acc = 0.159974
// and T_dec = 0.799871; T_L = 40 g·0.05·0.01/(2π·0.9·3·0.95) = 0.0121698; the
// segments 0.172144, 0.0121698, −0.787701, 0 N·m for 0.25, 0.3, 0.05, 0.4 s:
// peak 0.787701 (braking), RMS √(0.0384764/1) = 0.196154. Mirrored (0.05 s up,
// 0.25 s down) the peak is 0.0121698 + 0.799871 = 0.812041, accelerating.

#include "axisbuild.h"

#include "testsupport.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

using namespace AxisBuild;
constexpr double Fails = std::numeric_limits<double>::quiet_NaN();
constexpr double Rpm = 2 * std::numbers::pi / 60;
using Figures = std::array<double, 7>;

MoveInputs ballScrewMove(double inclineDegrees)
{
    MoveInputs move;
    move.distance = {0.2, QStringLiteral("mm")};
    move.moveTime = {0.6, QStringLiteral("s")};
    move.dwell = {0.4, QStringLiteral("s")};
    move.incline = {inclineDegrees * std::numbers::pi / 180, QStringLiteral("deg")};
    move.friction = 0.05;
    move.mechanismEfficiency = 90;
    move.gearboxEfficiency = 95;
    return move;
}

// The ball screw horizontal with ramps of its own.
MoveInputs ramps(double up, double down)
{
    MoveInputs move = ballScrewMove(0);
    move.defaultRamps = false;
    move.accelTime = {up, {}};
    move.decelTime = {down, {}};
    return move;
}

Axis rotaryTable()
{
    return axis({inertiaValue(0.5)}, 10, 1e-4, 1e-3);
}

MoveInputs rotaryMove()
{
    MoveInputs move;
    move.distance = {std::numbers::pi / 2, QStringLiteral("deg")};
    move.moveTime = {0.5, {}};
    move.defaultRamps = false;
    move.accelTime = {0.1, {}};
    move.decelTime = {0.1, {}};
    move.dwell = {0.5, {}};
    move.loadTorque = {2, {}};
    move.gearboxEfficiency = 90;
    return move;
}

} // namespace

Q_DECLARE_METATYPE(Figures)

class TestMoveProfile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;

private slots:
    void initTestCase() { initAxisTest(m_settingsDir, m_units); }

    void torques_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<MoveInputs>("move");
        // maximum motor speed (rpm), accelerating, decelerating, load, holding, peak and RMS torque (N·m)
        QTest::addColumn<Figures>("figures");
        QTest::addColumn<QString>("reason"); // part of the peak torque's failure

        Axis belt = axis({beltLoad(12, 0.05)}, 1, 0, 1e-4);
        MoveInputs triangular;
        triangular.distance = {1, {}};
        triangular.moveTime = {1, {}};
        triangular.profile = MoveProfile::Triangular;
        triangular.dwell = {1, {}};
        triangular.friction = 0.1;
        MoveInputs overlong = ballScrewMove(0);
        overlong.defaultRamps = false;
        overlong.accelTime = {0.4, {}};
        overlong.decelTime = {0.3, {}};
        MoveInputs steep = ballScrewMove(95);
        MoveInputs noEfficiency = ballScrewMove(0);
        noEfficiency.gearboxEfficiency = 0;
        Axis mixed = ballScrewAxis();
        mixed.items.append(beltLoad(1, 0.05));
        Axis twoLeads = ballScrewAxis();
        twoLeads.items.append(screwLoad(1, 0.005));
        Axis screwBeforeGearbox = ballScrewAxis();
        screwBeforeGearbox.items[0].side = AxisSide::Motor;
        screwBeforeGearbox.gearbox.ratio = 1; // even with no gearbox: the efficiency acts on the load side
        Axis noRotor = ballScrewAxis();
        noRotor.motor.inertia.value = 0;
        MoveInputs still = ballScrewMove(0);
        still.distance.value = 0;

        // clang-format off
        QTest::newRow("ball screw, horizontal") << ballScrewAxis() << ballScrewMove(0)
            << Figures{9000.0, 0.224964, 0.224964, 0.0121698, 0.0, 0.237134, 0.142591} << "";
        QTest::newRow("ball screw, lifting") << ballScrewAxis() << ballScrewMove(90)
            << Figures{9000.0, 0.224964, 0.224964, 0.243396, 0.208104, 0.468360, 0.270391} << "";
        QTest::newRow("ball screw, short braking ramp") << ballScrewAxis() << ramps(0.25, 0.05)
            << Figures{8000.0, 0.159974, 0.799871, 0.0121698, 0.0, 0.787701, 0.196154} << "";
        QTest::newRow("ball screw, short starting ramp") << ballScrewAxis() << ramps(0.05, 0.25)
            << Figures{8000.0, 0.799871, 0.159974, 0.0121698, 0.0, 0.812041, 0.196154} << "";
        QTest::newRow("ball screw without its rotor") << noRotor << ballScrewMove(0)
            << Figures{9000.0, 0.130716, 0.130716, 0.0121698, 0.0, 0.142886, 0.0832077} << "";
        QTest::newRow("belt, triangular") << belt << triangular
            << Figures{80 / Rpm, 1.216, 1.216, 0.2941995, 0.0, 1.5101995, 0.8846494633} << "";
        QTest::newRow("rotary table behind a gearbox") << rotaryTable() << rotaryMove()
            << Figures{375.0, 2.613630555, 2.613630555, 0.2222222222, 0.2, 2.835852777, 1.187814924} << "";
        QTest::newRow("no distance") << ballScrewAxis() << still
            << Figures{Fails, Fails, Fails, 0.0121698, 0.0, Fails, Fails} << "distance must be greater than 0";
        QTest::newRow("ramps longer than the move") << ballScrewAxis() << overlong
            << Figures{Fails, Fails, Fails, 0.0121698, 0.0, Fails, Fails} << "longer than the move time";
        QTest::newRow("incline beyond 90°") << ballScrewAxis() << steep
            << Figures{9000.0, 0.224964, 0.224964, Fails, Fails, Fails, Fails} << "between -90° and 90°";
        QTest::newRow("gearbox efficiency 0") << ballScrewAxis() << noEfficiency
            << Figures{9000.0, Fails, Fails, Fails, 0.0, Fails, Fails} << "more than 0 %";
        QTest::newRow("screw and belt together") << mixed << ballScrewMove(0)
            << Figures{Fails, Fails, Fails, Fails, Fails, Fails, Fails} << "one mechanism";
        QTest::newRow("two leads") << twoLeads << ballScrewMove(0)
            << Figures{Fails, Fails, Fails, Fails, Fails, Fails, Fails} << "different leads";
        QTest::newRow("screw on the motor side") << screwBeforeGearbox << ballScrewMove(0)
            << Figures{Fails, Fails, Fails, Fails, Fails, Fails, Fails} << "motor side of the gearbox";
        // clang-format on
    }
    void torques()
    {
        QFETCH(Axis, axis);
        QFETCH(MoveInputs, move);
        QFETCH(Figures, figures);
        QFETCH(QString, reason);
        const MoveResults r = ComputeMove(axis, ComputeAxis(axis), move);
        const AxisFigure got[] = {r.maxMotorSpeed, r.accelTorque, r.decelTorque, r.loadTorque,
                                  r.holdingTorque, r.peakTorque,  r.rmsTorque};
        figures[0] *= Rpm;
        for (std::size_t k = 0; k < figures.size(); ++k) // to the worked example's six digits
            QVERIFY2(matches(got[k], figures[k], 5e-6),
                     qPrintable(QString::number(k) + u' ' + describe(got[k])));
        QVERIFY2(r.peakTorque.reason().contains(reason), qPrintable(r.peakTorque.reason()));
    }

    void motor_check_in_words_data()
    {
        QTest::addColumn<MotorCheckKind>("kind");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("text");
        QTest::addColumn<CheckLevel>("level");
        QTest::addColumn<double>("target"); // inertia ratio
        QTest::addColumn<double>("rotor");  // kg·m²
        QTest::addColumn<double>("rated");  // N·m
        const QString noRotor = QStringLiteral(": No rotor inertia is given; the torques leave it out.");
        // clang-format off
        QTest::newRow("peak torque") << MotorCheckKind::PeakTorque << "N-m"
            << "Peak torque 0.237134 N-m of 0.5 N-m: passes, 53 % margin" << CheckLevel::Passes << 10.0 << 2e-5 << 0.2;
        QTest::newRow("RMS torque in lbf-in") << MotorCheckKind::RmsTorque << "lbf-in"
            << "RMS torque 1.26204 lbf-in of 1.77015 lbf-in: passes, 29 % margin" << CheckLevel::Passes << 10.0
            << 2e-5 << 0.2;
        QTest::newRow("speed") << MotorCheckKind::Speed << "rpm"
            << "Maximum speed 9000.0 rpm of 6000.0 rpm: fails, 50 % over" << CheckLevel::Fails << 10.0 << 2e-5 << 0.2;
        QTest::newRow("inertia ratio") << MotorCheckKind::InertiaRatio << ""
            << "Inertia ratio 1.2 : 1 of 10 : 1: passes, 88 % margin" << CheckLevel::Passes << 10.0 << 2e-5 << 0.2;
        QTest::newRow("inertia ratio over by more than the target") << MotorCheckKind::InertiaRatio << ""
            << "Inertia ratio 1.2 : 1 of 0.1 : 1: fails, 1122 % over" << CheckLevel::Fails << 0.1 << 2e-5 << 0.2;
        // Without the rotor the torques are 40 % low (0.143 N·m would pass with 71 % margin).
        QTest::newRow("peak torque without the rotor") << MotorCheckKind::PeakTorque << "N-m"
            << "Peak torque" + noRotor << CheckLevel::Unknown << 10.0 << 0.0 << 0.2;
        QTest::newRow("RMS torque without the rotor") << MotorCheckKind::RmsTorque << "N-m"
            << "RMS torque" + noRotor << CheckLevel::Unknown << 10.0 << 0.0 << 0.2;
        QTest::newRow("rated torque below 0") << MotorCheckKind::RmsTorque << "N-m"
            << "RMS torque: The rated torque of the motor must be greater than 0." << CheckLevel::Unknown << 10.0
            << 2e-5 << -0.2;
        // clang-format on
    }
    void motor_check_in_words()
    {
        QFETCH(MotorCheckKind, kind);
        QFETCH(QString, unit);
        QFETCH(CheckLevel, level);
        QFETCH(double, target);
        QFETCH(double, rotor);
        QFETCH(double, rated);
        Axis axis = ballScrewAxis();
        axis.motor.inertia.value = rotor;
        axis.motor.targetRatio = target;
        axis.motor.peakTorque = {0.5, QStringLiteral("N-m")};
        axis.motor.ratedTorque = {rated, QStringLiteral("N-m")};
        axis.motor.maxSpeed = {6000 * Rpm, QStringLiteral("rpm")};
        const MoveResults r = ComputeMove(axis, ComputeAxis(axis), ballScrewMove(0));
        const MotorCheck &check = r.checks[std::size_t(kind)];
        QCOMPARE(check.level, level);
        QTEST(MotorCheckText(m_units, check, unit, 6), "text");

        // A motor figure not given leaves the check open, and says so.
        axis.motor.maxSpeed.value = 0;
        const MotorCheck open = ComputeMove(axis, ComputeAxis(axis), ballScrewMove(0)).checks[2];
        QCOMPARE(open.level, CheckLevel::Unknown);
        QCOMPARE(MotorCheckText(m_units, open, QStringLiteral("rpm"), 6),
                 QStringLiteral("Maximum speed: No maximum speed is given for the motor."));
    }

    void curves_step_at_each_boundary()
    {
        const MoveResults r = ComputeMove(ballScrewAxis(), ComputeAxis(ballScrewAxis()), ballScrewMove(90));
        const MoveCurves curves = SampleMove(r, 3);
        const std::vector<double> boundaries = {0, 0.2, 0.4, 0.6, 1.0};
        QCOMPARE(curves.boundaries.size(), boundaries.size());
        for (std::size_t k = 0; k < boundaries.size(); ++k)
            QVERIFY(std::fabs(curves.boundaries[k] - boundaries[k]) < 1e-12);
        QCOMPARE(curves.speed.size(), std::size_t(12));
        QCOMPARE(curves.torque.size(), std::size_t(12));
        // Half way up the ramp, half the speed; the torque steps at 0.2 s.
        QVERIFY(std::fabs(curves.speed[1].y() - 4500 * Rpm) < 1e-9);
        QCOMPARE(curves.torque[2].x(), curves.torque[3].x());
        QVERIFY(matches(AxisFigure(curves.torque[2].y()), 0.468360, 5e-6));
        QVERIFY(matches(AxisFigure(curves.torque[3].y()), 0.243396, 5e-6));
        QVERIFY(matches(AxisFigure(curves.torque.back().y()), 0.208104, 5e-6));
        // A failed move has nothing to plot.
        MoveInputs bad = ballScrewMove(0);
        bad.moveTime.value = 0;
        QVERIFY(SampleMove(ComputeMove(ballScrewAxis(), ComputeAxis(ballScrewAxis()), bad), 3).speed.empty());
    }
};

QTEST_GUILESS_MAIN(TestMoveProfile)
#include "tst_moveprofile.moc"
