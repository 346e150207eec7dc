// Torque curves: the torque between points, at the ends and beyond them, the
// corner form, and the curves that must be refused.

#include "axis/torquecurve.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(TorqueCurve)

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();

// Stall 2 N·m to 100 rad/s, then falling to 0.5 N·m at 400 rad/s.
const TorqueCurve Corner = CornerCurve(2, 100, 0.5, 400);

} // namespace

class TestTorqueCurve : public QObject
{
    Q_OBJECT

private slots:
    void torque_at_a_speed_data()
    {
        QTest::addColumn<TorqueCurve>("curve");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("torque");
        QTest::newRow("stall") << Corner << 0.0 << 2.0;
        QTest::newRow("before the corner") << Corner << 60.0 << 2.0;
        QTest::newRow("at the corner") << Corner << 100.0 << 2.0;
        QTest::newRow("falling, a third of the way") << Corner << 200.0 << 1.5;
        QTest::newRow("turning the other way") << Corner << -200.0 << 1.5;
        QTest::newRow("at maximum speed") << Corner << 400.0 << 0.5;
        QTest::newRow("beyond maximum speed") << Corner << 400.001 << 0.0;
        QTest::newRow("speed not a number") << Corner << Nan << 0.0;
        QTest::newRow("empty curve") << TorqueCurve{} << 0.0 << 0.0;
        QTest::newRow("flat") << FlatCurve(3, 300) << 299.0 << 3.0;
        QTest::newRow("corner past maximum: flat") << CornerCurve(2, 500, 0.5, 400) << 400.0 << 2.0;
        QTest::newRow("rising curve") << TorqueCurve{{{0, 1}, {10, 3}}} << 2.5 << 1.5;
    }
    void torque_at_a_speed()
    {
        QFETCH(TorqueCurve, curve);
        QFETCH(double, speed);
        QFETCH(double, torque);
        QCOMPARE(TorqueAt(curve, speed), torque);
    }

    void curves_refused_data()
    {
        QTest::addColumn<TorqueCurve>("curve");
        QTest::addColumn<QString>("problem");
        QTest::newRow("usable") << Corner << QString();
        QTest::newRow("one point") << TorqueCurve{{{0, 1}}} << QStringLiteral("C needs at least two points.");
        QTest::newRow("starts above 0")
            << TorqueCurve{{{1, 1}, {2, 1}}} << QStringLiteral("C must start at speed 0.");
        QTest::newRow("speeds repeat")
            << TorqueCurve{{{0, 1}, {5, 1}, {5, 2}}}
            << QStringLiteral("C must have its speeds rising from point to point.");
        QTest::newRow("negative torque")
            << TorqueCurve{{{0, 1}, {5, -1}}} << QStringLiteral("C has a negative torque.");
        QTest::newRow("not a number")
            << TorqueCurve{{{0, 1}, {Nan, 1}}} << QStringLiteral("C has a value that is not a number.");
    }
    void curves_refused()
    {
        QFETCH(TorqueCurve, curve);
        QFETCH(QString, problem);
        QCOMPARE(CurveProblem(curve, QStringLiteral("C")), problem);
    }
};

QTEST_GUILESS_MAIN(TestTorqueCurve)
#include "tst_torquecurve.moc"
