// Candidates on one rotary axis worked by hand: a load J_L = 0.01 kg·m²
// behind a 10 : 1 gearbox, a move of 1 rad in 0.3 s with ramps of 0.1 s, so
// the load runs at 5 rad/s and 50 rad/s², the motor at 50 rad/s and 500 rad/s².
// A rotor of 1e-4 kg·m² needs 500·1e-4 + 50·0.01 / 10 = 0.1 N·m to accelerate
// (braking the same), an RMS of 0.1·√(2/3) = 0.0816497 N·m, and sees an
// inertia ratio of (0.01 / 100) / 1e-4 = 1 against the target 10. The axis
// requires 20 % margins.
//
// The "box" gearbox at 10 : 1 adds 1e-4 kg·m² at its input: 0.15 N·m to
// accelerate, 1.5 N·m and an RMS of 1.224745 N·m at its output. At half
// efficiency the load's share doubles while driving: 0.1 + 0.05 / 0.5 = 0.2 N·m.
#include "drives/comparecandidates.h"

#include "../axis/axisbuild.h"

#include <QTest>

#include <cmath>

using namespace AxisBuild;

namespace {

MotorRecord motor(const QString &name, double rotor, double peak, double rated, double maxSpeed)
{
    return {name, {}, rotor, maxSpeed, FlatCurve(peak, maxSpeed), FlatCurve(rated, maxSpeed), {}, {}};
}

GearboxChoice box(double efficiency)
{
    return {{QStringLiteral("box"), {}, {10}, 1e-4, efficiency, 3, 1, 100}, 10};
}

const Axis TheAxis = axis({inertiaValue(0.01)}, 10, 0, 5e-5);

MoveInputs theMove()
{
    MoveInputs move;
    move.moves[0].distance = {1, {}};
    move.moves[0].moveTime = {0.3, {}};
    return move;
}

constexpr int Peak = int(MotorCheckKind::PeakTorque);
constexpr int Rms = int(MotorCheckKind::RmsTorque);
constexpr int Speed = int(MotorCheckKind::Speed);
constexpr int Ratio = int(MotorCheckKind::InertiaRatio);
constexpr int BoxPeak = MotorCheckCount, BoxRms = MotorCheckCount + 1, BoxSpeed = MotorCheckCount + 2;
constexpr double None = std::numeric_limits<double>::quiet_NaN();

} // namespace

Q_DECLARE_METATYPE(MotorRecord)

class CompareCandidatesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void judges_each_check_data();
    void judges_each_check();
    void sorts_by_margin_unjudged_last();
};

void CompareCandidatesTest::judges_each_check_data()
{
    QTest::addColumn<MotorRecord>("candidate");
    QTest::addColumn<double>("efficiency"); // of the "box" gearbox; 0: the axis's own
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("margin");
    QTest::addColumn<QString>("text");

    const MotorRecord strong = motor(QStringLiteral("strong"), 1e-4, 0.5, 0.2, 100);
    const MotorRecord weak = motor(QStringLiteral("weak"), 1e-4, 0.11, 0.2, 100);
    const MotorRecord slow = motor(QStringLiteral("slow"), 1e-4, 0.5, 0.2, 40);
    const MotorRecord noRotor = motor(QStringLiteral("no rotor"), 0, 0.5, 0.2, 100);
    QTest::newRow("peak passes") << strong << 0.0 << Peak << 0.8 << "passes, 80 %";
    QTest::newRow("peak under the margin") << weak << 0.0 << Peak << 1 - 0.1 / 0.11 << "fails, 9 % of 20 %";
    QTest::newRow("rms") << strong << 0.0 << Rms << 1 - 0.0816497 / 0.2 << "passes, 59 %";
    QTest::newRow("speed passes") << strong << 0.0 << Speed << 0.5 << "passes, 50 %";
    QTest::newRow("speed over") << slow << 0.0 << Speed << -0.25 << "fails, 25 % over";
    QTest::newRow("inertia ratio") << strong << 0.0 << Ratio << 0.9 << "passes, 90 %";
    QTest::newRow("beyond the curve") << slow << 0.0 << WorstColumn << None << "fails";
    QTest::newRow("no rotor") << noRotor << 0.0 << Peak << None << "not judged";
    QTest::newRow("no gearbox") << strong << 0.0 << BoxPeak << None << "no gearbox";
    QTest::newRow("worst") << weak << 0.0 << WorstColumn << 1 - 0.1 / 0.11 << "fails, 9 % of 20 %";
    QTest::newRow("gearbox inertia") << strong << 1.0 << Peak << 0.7 << "passes, 70 %";
    QTest::newRow("gearbox efficiency") << strong << 0.5 << Peak << 0.6 << "passes, 60 %";
    QTest::newRow("gearbox output peak") << strong << 1.0 << BoxPeak << 0.5 << "passes, 50 %";
    QTest::newRow("gearbox output rms") << strong << 1.0 << BoxRms << 1 - 1.224745 << "fails, 22 % over";
    QTest::newRow("gearbox input speed") << strong << 1.0 << BoxSpeed << 0.5 << "passes, 50 %";
}

void CompareCandidatesTest::judges_each_check()
{
    QFETCH(MotorRecord, candidate);
    QFETCH(double, efficiency);
    QFETCH(int, column);
    QFETCH(double, margin);
    QFETCH(QString, text);
    std::vector<GearboxChoice> gearboxes;
    if (efficiency > 0)
        gearboxes.push_back(box(efficiency));
    const std::vector<Candidate> rows = CompareCandidates(TheAxis, theMove(), {candidate}, gearboxes);
    QCOMPARE(rows.size(), std::size_t(1));
    const CandidateCell cell = rows[0].cell(column);
    QCOMPARE(cell.margin.has_value(), !std::isnan(margin));
    if (cell.margin)
        QVERIFY2(std::fabs(*cell.margin - margin) < 1e-6, qPrintable(QString::number(*cell.margin)));
    QCOMPARE(CandidateCellText(rows[0], column), text);
}

void CompareCandidatesTest::sorts_by_margin_unjudged_last()
{
    const std::vector<MotorRecord> motors{motor(QStringLiteral("mid"), 1e-4, 0.25, 0.2, 100),
                                          motor(QStringLiteral("none"), 0, 0.5, 0.2, 100),
                                          motor(QStringLiteral("high"), 1e-4, 0.5, 0.2, 100),
                                          motor(QStringLiteral("low"), 1e-4, 0.11, 0.2, 100),
                                          motor(QStringLiteral("slow"), 1e-4, 0.5, 0.2, 40)};
    std::vector<Candidate> rows = CompareCandidates(TheAxis, theMove(), motors, {});
    const auto order = [&] {
        QStringList names;
        for (const Candidate &row : rows)
            names << motors[row.motor].name;
        return names.join(u' ');
    };
    SortCandidates(rows, Peak, true);
    QCOMPARE(order(), QStringLiteral("high mid low slow none"));
    SortCandidates(rows, Peak, false);
    QCOMPARE(order(), QStringLiteral("slow low mid high none"));
}

QTEST_GUILESS_MAIN(CompareCandidatesTest)
#include "tst_comparecandidates.moc"
