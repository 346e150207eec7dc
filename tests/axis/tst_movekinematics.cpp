// Move kinematics: the profiles given a time and those set by limits against
// worked moves, the inputs that must fail, every profile's pieces making its
// move (a property over a table of moves), the integrals the RMS torque is
// built from, and the curves sampled for plotting.
//
// Worked apart from the program. A ramp of time T with each corner rounded
// over t_j reaches v at a peak acceleration A = v/(T − t_j) and, being
// point-symmetric about its middle, covers v·T/2 whatever t_j is; over it
// ∫a² dt = A²(T − 4t_j/3).
//
// The trapezoidal moves are those of the move-profile tests: v = s/(t − (ta +
// td)/2): 0.2 m in 0.6 s with ramps 0.25 and 0.05 s gives 0.444444 m/s,
// 1.777778 and 8.888889 m/s²; 1 m in 1 s triangular 2 m/s and 4 m/s².
//
// S-curve against its trapezoidal twin: 0.2 m in 0.6 s, ramps of 0.2 s. The
// twin: v = 0.2/0.4 = 0.5 m/s, a = 2.5 m/s². Rounded over 0.05 s (50 % of the
// ramp): the same v, A = 0.5/0.15 = 3.333333 m/s², 4/3 of the twin's, jerk
// 66.67 m/s³. After the first corner v = 66.67·0.05²/2 = 0.083333 m/s at
// 0.025 s in: 0.020833 m/s. Over the speeding-up ramp ∫a² = 11.1111·(0.2 −
// 0.06667) = 1.481481 (the twin 2.5²·0.2 = 1.25); with T = 0.06·a + 0.05 N·m,
// ∫T² = 0.0036·1.481481 + 2·0.06·0.05·0.5 + 0.05²·0.2 = 0.0088333 (the twin
// 0.008; with −0.05 N·m 0.0028333). At 100 % a triangular 1 m in 1 s peaks
// at 8 m/s², twice 4.
//
// Set by limits, 1 m/s and 5 m/s²: 0.1 m is short of V²/A = 0.2 m, so
// triangular, v = √(0.1·5) = 0.707107 m/s, t = 2v/A = 0.282843 s; 0.5 m
// reaches 1 m/s: ramps 0.2 s, 0.3 s at speed, 0.7 s. With a jerk limit of
// 100 m/s³ the corners take A/J = 0.05 s and a ramp to 1 m/s takes 0.25 s and
// 0.25 m both ways: 0.5 m holds 1 m/s for 0.25 s, 0.75 s in all; 0.1 m is
// triangular, v²/A + 0.05·v = 0.1 gives v = 0.593070 m/s, ramps 0.05 + v/5 =
// 0.168614 s, 0.337228 s in all; 0.007 m reaches 5 m/s² only above v = A²/J
// = 0.25 m/s, v²/A + 0.05·v = 0.007 gives 0.1: too short, so two corners a
// ramp, 0.007 = 2·100·t_j³, t_j = 0.0327107 s, v = 100·t_j² = 0.1069987 m/s,
// A = 3.271066 m/s², 0.1308426 s. A jerk limit of 20 m/s³ reaches 5 m/s² only
// above A²/J = 1.25 m/s: to 1 m/s two corners of √(1/20) = 0.223607 s peak at
// 4.472136 m/s², 0.5 m takes 0.894427 s of ramps and 0.052786 s at speed,
// 0.947214 s; 0.01 m reaches neither limit: 0.01 = 2·20·t_j³, t_j = 0.0629961
// s, v = 20·t_j² = 0.0793701 m/s, A = 1.259921 m/s², 0.251984 s.
//
// Single pieces (a0, v0 at the start, jerk j, 1 s): a0 = 1, j = −3 turns back
// at 2/3 s: ∫v = 0, ∫|v| = 2·(2/9 − 4/27) = 0.148148, ∫a² = 1 − 3 + 3 = 1;
// v0 = 0.5, a0 = −3, j = 8 is 0 at 0.25 and 0.5 s: ∫v = 1/3, ∫|v| = 1/3 +
// 2·0.0104167 = 0.354167, ∫a² = 9 − 24 + 64/3 = 6.333333.

#include "axis/movekinematics.h"

#include <QtTest>

#include <array>
#include <cmath>
#include <limits>
#include <numbers>

Q_DECLARE_METATYPE(MoveKinematics)
Q_DECLARE_METATYPE(MoveLimits)
Q_DECLARE_METATYPE(KinematicPiece)

namespace {

constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

// To the worked examples' six digits.
bool near(double actual, double expected, double tolerance = 5e-6)
{
    return std::fabs(actual - expected) <= tolerance * std::max(1.0, std::fabs(expected));
}

QString describe(const MoveKinematics &move)
{
    return move.ok() ? QStringLiteral("v %1, a %2, d %3, t %4")
                           .arg(move.peakSpeed.value())
                           .arg(move.accel.value())
                           .arg(move.decel.value())
                           .arg(move.moveTime.value())
                     : move.reason();
}

} // namespace

class TestMoveKinematics : public QObject
{
    Q_OBJECT

private slots:
    void worked_moves_data()
    {
        QTest::addColumn<MoveKinematics>("move");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("accel");
        QTest::addColumn<double>("decel");
        QTest::addColumn<double>("factor"); // the acceleration's over the sharp twin's
        QTest::addColumn<double>("time");
        const double quarter = std::numbers::pi / 2;
        // clang-format off
        QTest::newRow("ramps of a third") << TrapezoidalMove(0.2, 0.6, 0.2, 0.2) << 0.5 << 2.5 << 2.5 << 1.0 << 0.6;
        QTest::newRow("short braking ramp") << TrapezoidalMove(0.2, 0.6, 0.25, 0.05)
            << 0.444444 << 1.777778 << 8.888889 << 1.0 << 0.6;
        QTest::newRow("triangular") << TriangularMove(1, 1) << 2.0 << 4.0 << 4.0 << 1.0 << 1.0;
        QTest::newRow("a quarter turn") << TrapezoidalMove(quarter, 0.5, 0.1, 0.1)
            << quarter / 0.4 << quarter / 0.04 << quarter / 0.04 << 1.0 << 0.5;
        QTest::newRow("backwards") << TrapezoidalMove(-0.2, 0.6, 0.2, 0.2) << 0.5 << 2.5 << 2.5 << 1.0 << 0.6;
        QTest::newRow("S-curve, jerk time") << SCurveMove(0.2, 0.6, 0.2, 0.2, 0.05)
            << 0.5 << 3.333333 << 3.333333 << 4 / 3.0 << 0.6;
        QTest::newRow("S-curve, 50 %") << SCurveMoveByPercent(0.2, 0.6, 0.2, 0.2, 50)
            << 0.5 << 3.333333 << 3.333333 << 4 / 3.0 << 0.6;
        QTest::newRow("S-curve, 100 % triangular") << SCurveMoveByPercent(1, 1, 0.5, 0.5, 100)
            << 2.0 << 8.0 << 8.0 << 2.0 << 1.0;
        // One jerk time rounds the short ramp more: 0.025 s is half of 0.05 s.
        QTest::newRow("S-curve, unequal ramps") << SCurveMove(0.2, 0.6, 0.25, 0.05, 0.025)
            << 0.444444 << 0.444444 / 0.225 << 0.444444 / 0.025 << 0.25 / 0.225 << 0.6;
        QTest::newRow("S-curve, 0 %") << SCurveMoveByPercent(0.2, 0.6, 0.25, 0.05, 0)
            << 0.444444 << 1.777778 << 8.888889 << 1.0 << 0.6;
        QTest::newRow("limits, triangular") << LimitedMove(0.1, {1, 5, {}}) << 0.707107 << 5.0 << 5.0 << 1.0 << 0.282843;
        QTest::newRow("limits, reaching the speed") << LimitedMove(0.5, {1, 5, {}}) << 1.0 << 5.0 << 5.0 << 1.0 << 0.7;
        QTest::newRow("jerk, triangular") << LimitedMove(0.1, {1, 5, 100})
            << 0.593070 << 5.0 << 5.0 << 0.168614 / 0.118614 << 0.337228;
        QTest::newRow("jerk, reaching the speed") << LimitedMove(0.5, {1, 5, 100}) << 1.0 << 5.0 << 5.0 << 1.25 << 0.75;
        QTest::newRow("jerk, just reaching the speed") << LimitedMove(0.25, {1, 5, 100})
            << 1.0 << 5.0 << 5.0 << 1.25 << 0.5;
        QTest::newRow("jerk, backwards") << LimitedMove(-0.5, {1, 5, 100}) << 1.0 << 5.0 << 5.0 << 1.25 << 0.75;
        QTest::newRow("jerk, too short for the acceleration") << LimitedMove(0.007, {1, 5, 100})
            << 0.1069987 << 3.271066 << 3.271066 << 2.0 << 0.1308426;
        QTest::newRow("jerk holding the acceleration down") << LimitedMove(0.5, {1, 5, 20})
            << 1.0 << 4.472136 << 4.472136 << 2.0 << 0.947214;
        QTest::newRow("jerk, too short for either limit") << LimitedMove(0.01, {1, 5, 20})
            << 0.0793701 << 1.259921 << 1.259921 << 2.0 << 0.251984;
        // clang-format on
    }
    void worked_moves()
    {
        QFETCH(MoveKinematics, move);
        QFETCH(double, speed);
        QFETCH(double, accel);
        QFETCH(double, decel);
        QFETCH(double, factor);
        QFETCH(double, time);
        QVERIFY2(move.ok(), qPrintable(move.reason()));
        const AxisFigure got[] = {move.peakSpeed, move.accel, move.decel, move.accelFactor, move.moveTime};
        const double expected[] = {speed, accel, decel, factor, time};
        for (int k = 0; k < 5; ++k)
            QVERIFY2(near(got[k].value(), expected[k]),
                     qPrintable(QString::number(k) + u' ' + describe(move)));
    }

    void refused_data()
    {
        QTest::addColumn<MoveKinematics>("move");
        QTest::addColumn<QString>("reason");
        // clang-format off
        QTest::newRow("no distance") << TrapezoidalMove(0, 0.6, 0.2, 0.2) << "distance must not be 0";
        QTest::newRow("distance not a number") << TriangularMove(Nan, 1) << "distance is not a usable";
        QTest::newRow("no time") << TriangularMove(0.2, 0) << "move time must be greater than 0";
        QTest::newRow("time backwards") << TrapezoidalMove(0.2, -0.6, 0.2, 0.2) << "move time must be greater";
        QTest::newRow("no ramp") << TrapezoidalMove(0.2, 0.6, 0, 0.2) << "acceleration time must be greater";
        QTest::newRow("ramps longer than the move") << TrapezoidalMove(0.2, 0.6, 0.4, 0.3) << "longer than the move";
        QTest::newRow("jerk time negative") << SCurveMove(0.2, 0.6, 0.2, 0.2, -0.01) << "jerk time must not be negative";
        QTest::newRow("jerk time over half the ramp up")
            << SCurveMove(0.2, 0.6, 0.2, 0.3, 0.11) << "at most half";
        QTest::newRow("jerk time over half the ramp down")
            << SCurveMove(0.2, 0.6, 0.25, 0.05, 0.03) << "at most half";
        QTest::newRow("over 100 %") << SCurveMoveByPercent(0.2, 0.6, 0.2, 0.2, 101) << "between 0 % and 100 %";
        QTest::newRow("below 0 %") << SCurveMoveByPercent(0.2, 0.6, 0.2, 0.2, -1) << "between 0 % and 100 %";
        QTest::newRow("per cent not a number") << SCurveMoveByPercent(0.2, 0.6, 0.2, 0.2, Nan) << "between 0 %";
        QTest::newRow("no speed limit") << LimitedMove(0.5, {0, 5, {}}) << "speed limit must be greater than 0";
        QTest::newRow("endless acceleration") << LimitedMove(0.5, {1, Inf, {}}) << "acceleration limit is not a usable";
        QTest::newRow("no jerk") << LimitedMove(0.5, {1, 5, 0.0}) << "jerk limit must be greater than 0";
        QTest::newRow("jerk not a number") << LimitedMove(0.5, {1, 5, Nan}) << "jerk limit is not a usable";
        QTest::newRow("limits, no distance") << LimitedMove(0, {1, 5, {}}) << "distance must not be 0";
        QTest::newRow("beyond double") << LimitedMove(1e300, {1e-300, 1, {}}) << "too large";
        QTest::newRow("time too short for double") << TriangularMove(1e300, 1e-300) << "too large";
        // clang-format on
    }
    void refused()
    {
        QFETCH(MoveKinematics, move);
        QFETCH(QString, reason);
        QVERIFY(move.pieces.empty());
        for (const AxisFigure &figure :
             {move.moveTime, move.peakSpeed, move.accel, move.decel, move.accelFactor})
            QVERIFY2(!figure.ok() && figure.reason().contains(reason), qPrintable(figure.reason()));
    }

    // Every profile's pieces run from rest to rest over its distance, never
    // back, within its peaks (and its limits), and their integrals agree with
    // Simpson's rule, exact for a's quadratic.
    void pieces_make_the_move_data()
    {
        QTest::addColumn<MoveKinematics>("move");
        QTest::addColumn<double>("distance");
        QTest::addColumn<MoveLimits>("limits"); // speed 0 when the move is given its time
        for (const double s : {1e-4, 0.2, -0.2, 30.0}) {
            for (const auto &[ta, td] : {std::pair(0.2, 0.2), std::pair(0.25, 0.05), std::pair(0.3, 0.3)}) {
                for (const double percent : {0.0, 30.0, 100.0})
                    QTest::addRow("%g in 0.6 s, ramps %g and %g, %g %%", s, ta, td, percent)
                        << SCurveMoveByPercent(s, 0.6, ta, td, percent) << s << MoveLimits{};
            }
            for (const double v : {0.5, 2.0})
                for (const double a : {1.0, 20.0})
                    for (const std::optional<double> j :
                         std::array<std::optional<double>, 3>{{{}, 10.0, 1000.0}}) {
                        const MoveLimits limits{v, a, j};
                        QTest::addRow("%g at most %g, %g, %g", s, v, a, j.value_or(0))
                            << LimitedMove(s, limits) << s << limits;
                    }
        }
    }
    void pieces_make_the_move()
    {
        QFETCH(MoveKinematics, move);
        QFETCH(double, distance);
        QFETCH(MoveLimits, limits);
        QVERIFY2(move.ok() && !move.pieces.empty(), qPrintable(move.reason()));
        const double direction = distance < 0 ? -1 : 1;
        const double peakA = std::max(move.accel.value(), move.decel.value()) * (1 + 1e-9);
        const double peakV = move.peakSpeed.value() * (1 + 1e-9);
        double time = 0, travel = 0, change = 0;
        for (const KinematicPiece &piece : move.pieces) {
            QVERIFY(piece.duration > 0);
            time += piece.duration;
            for (const double f : {0.0, 0.5, 1.0}) { // a is linear, v monotone or peaking at a = 0
                const KinematicState state = StateAt(piece, f * piece.duration);
                QVERIFY2(state.speed * direction >= -1e-12 * peakV, qPrintable(QString::number(state.speed)));
                QVERIFY(std::fabs(state.speed) <= peakV && std::fabs(state.accel) <= peakA);
            }
            if (limits.speed > 0) {
                QVERIFY(peakV <= limits.speed * (1 + 2e-9) && peakA <= limits.accel * (1 + 2e-9));
                QVERIFY(std::fabs(piece.jerk) <= limits.jerk.value_or(0) * (1 + 1e-9));
            }
            const PieceIntegrals integrals = IntegralsOf(piece);
            const double a0 = piece.start.accel, a1 = StateAt(piece, piece.duration / 2).accel,
                         a2 = EndOf(piece).accel;
            const double simpson = piece.duration / 6 * (a0 * a0 + 4 * a1 * a1 + a2 * a2);
            QVERIFY2(std::fabs(integrals.accelSquared - simpson) <= 1e-9 * std::max(simpson, 1e-300),
                     qPrintable(QStringLiteral("%1 against %2").arg(integrals.accelSquared).arg(simpson)));
            travel += integrals.absSpeed;
            change += integrals.accel;
        }
        const KinematicState end = EndOf(move.pieces.back());
        const double s = std::fabs(distance);
        QVERIFY2(near(time, move.moveTime.value(), 1e-12), qPrintable(describe(move)));
        QVERIFY2(std::fabs(end.position - distance) <= 1e-12 * s, qPrintable(QString::number(end.position)));
        QVERIFY(std::fabs(end.speed) <= 1e-12 * peakV);
        // A rounded last corner brings the acceleration to 0 too; a sharp one steps there.
        QVERIFY(move.pieces.back().jerk == 0 || std::fabs(end.accel) <= 1e-9 * peakA);
        QVERIFY(std::fabs(travel - s) <= 1e-12 * s && std::fabs(change) <= 1e-12 * peakV);
    }

    void integrals_of_a_piece_data()
    {
        QTest::addColumn<KinematicPiece>("piece");
        QTest::addColumn<double>("accelSquared");
        QTest::addColumn<double>("speed");
        QTest::addColumn<double>("absSpeed");
        // clang-format off
        QTest::newRow("braking through 0") << KinematicPiece{1, 0, {-2, 1, 0}} << 4.0 << 0.0 << 0.5;
        QTest::newRow("turning back under jerk") << KinematicPiece{1, -3, {1, 0, 0}} << 1.0 << 0.0 << 0.148148;
        QTest::newRow("through 0 twice") << KinematicPiece{1, 8, {-3, 0.5, 0}} << 6.333333 << 1 / 3.0 << 0.354167;
        QTest::newRow("touching 0") << KinematicPiece{1, 8, {-4, 1, 0}} << 16 / 3.0 << 1 / 3.0 << 1 / 3.0;
        QTest::newRow("backwards") << KinematicPiece{0.5, 0, {0, -2, 7}} << 0.0 << -1.0 << 1.0;
        // clang-format on
    }
    void integrals_of_a_piece()
    {
        QFETCH(KinematicPiece, piece);
        QFETCH(double, accelSquared);
        QFETCH(double, speed);
        QFETCH(double, absSpeed);
        const PieceIntegrals got = IntegralsOf(piece);
        QVERIFY2(near(got.accelSquared, accelSquared), qPrintable(QString::number(got.accelSquared)));
        QVERIFY2(near(got.speed, speed, 1e-12), qPrintable(QString::number(got.speed)));
        QVERIFY2(near(got.absSpeed, absSpeed), qPrintable(QString::number(got.absSpeed)));
    }

    // ∫T² over the speeding-up ramp of the S-curve and of its twin.
    void torque_squared_over_a_ramp_data()
    {
        QTest::addColumn<MoveKinematics>("move");
        QTest::addColumn<double>("other");
        QTest::addColumn<double>("integral");
        const MoveKinematics twin = TrapezoidalMove(0.2, 0.6, 0.2, 0.2);
        const MoveKinematics sCurve = SCurveMove(0.2, 0.6, 0.2, 0.2, 0.05);
        QTest::newRow("S-curve, load against") << sCurve << 0.05 << 0.0088333;
        QTest::newRow("S-curve, load helping") << sCurve << -0.05 << 0.0028333;
        QTest::newRow("twin, load against") << twin << 0.05 << 0.008;
    }
    void torque_squared_over_a_ramp()
    {
        QFETCH(MoveKinematics, move);
        QFETCH(double, other);
        QFETCH(double, integral);
        double sum = 0, time = 0;
        for (const KinematicPiece &piece : move.pieces) {
            if (time < move.accelTime.value() - 1e-12)
                sum += TorqueSquaredIntegral(piece, 0.06, other);
            time += piece.duration;
        }
        QVERIFY2(near(sum, integral, 5e-5), qPrintable(QString::number(sum)));
    }

    void curves_for_plotting_data()
    {
        QTest::addColumn<MoveKinematics>("move");
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("speedPoints");
        QTest::addColumn<int>("accelPoints");
        QTest::addColumn<int>("probe");     // a point of both curves
        QTest::addColumn<QPointF>("speed"); // there, from the start time 1 s
        QTest::addColumn<QPointF>("accel");
        // Four rounded corners of 5 points each, the three straight pieces'
        // 2; the speed shares its points at the boundaries, the acceleration
        // steps.
        QTest::newRow("S-curve") << SCurveMove(0.2, 0.6, 0.2, 0.2, 0.05) << 5 << 20 << 26 << 2
                                 << QPointF(1.025, 0.0208333) << QPointF(1.025, 1.666667);
        QTest::newRow("trapezoid: only the ends") << TrapezoidalMove(0.2, 0.6, 0.2, 0.2) << 50 << 4 << 6 << 2
                                                  << QPointF(1.4, 0.5) << QPointF(1.2, 0.0);
    }
    void curves_for_plotting()
    {
        QFETCH(MoveKinematics, move);
        QFETCH(int, samples);
        QFETCH(int, probe);
        QFETCH(QPointF, speed);
        QFETCH(QPointF, accel);
        KinematicCurves curves;
        SampleKinematics(move.pieces, 1.0, samples, curves);
        QTEST(int(curves.speed.size()), "speedPoints");
        QTEST(int(curves.accel.size()), "accelPoints");
        QCOMPARE(curves.speed.front(), QPointF(1, 0));
        QVERIFY(near(curves.speed.back().x(), 1.6, 1e-12));
        const QPointF gotSpeed = curves.speed[std::size_t(probe)],
                      gotAccel = curves.accel[std::size_t(probe)];
        QVERIFY2(near(gotSpeed.x(), speed.x()) && near(gotSpeed.y(), speed.y()),
                 qPrintable(QStringLiteral("%1, %2").arg(gotSpeed.x()).arg(gotSpeed.y())));
        QVERIFY2(near(gotAccel.x(), accel.x()) && near(gotAccel.y(), accel.y()),
                 qPrintable(QStringLiteral("%1, %2").arg(gotAccel.x()).arg(gotAccel.y())));
    }
};

QTEST_GUILESS_MAIN(TestMoveKinematics)
#include "tst_movekinematics.moc"
