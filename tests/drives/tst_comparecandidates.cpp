// Candidates on one rotary axis worked by hand: a load J_L = 0.01 kg·m²
// behind a 10 : 1 gearbox, a move of 1 rad in 0.3 s with ramps of 0.1 s, so
// the load runs at 5 rad/s and 50 rad/s², the motor at 50 rad/s and 500 rad/s².
// A rotor of 1e-4 kg·m² needs 500·1e-4 + 50·0.01 / 10 = 0.1 N·m to accelerate
// (braking the same), an RMS of 0.1·√(2/3) = 0.0816497 N·m, and sees an
// inertia ratio of (0.01 / 100) / 1e-4 = 1 against the target 10. The axis
// requires 20 % margins.
//
// The "box" gearbox at 10 : 1 adds 1e-4 kg·m² at its input: 0.15 N·m to
// accelerate. At half efficiency the load's share doubles while driving:
// 0.1 + 0.05 / 0.5 = 0.2 N·m. Its output carries the load's torque only,
// J_L·α_L = 0.01·50 = 0.5 N·m each way, an RMS of 0.5·√(2/3) = 0.408248 N·m,
// whatever the efficiency and the inertia ahead of it: with no rotor and a
// box of no inertia at half efficiency the motor drives with 0.05 / 0.5 =
// 0.1 N·m (× 10 × 0.5 = 0.5 out) and brakes with 0.05·0.5 = 0.025 N·m
// (× 10 ÷ 0.5 = 0.5 out).
// The same candidates make the report's table, sorted as the window sorts them.
#include "drives/candidatetable.h"
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

GearboxChoice box(double efficiency, double inertia = 1e-4)
{
    return {{QStringLiteral("box"), {}, {10}, inertia, efficiency, 3, 1, 100}, 10};
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
constexpr int PeakColumn = CandidateFirstCheckColumn + Peak;

// The weak and the strong motor, the "box" gearbox at full efficiency when asked.
CandidateComparison compared(int sortColumn, bool descending, bool gearbox)
{
    CandidateComparison c{{motor(QStringLiteral("weak"), 1e-4, 0.11, 0.2, 100),
                           motor(QStringLiteral("strong"), 1e-4, 0.5, 0.2, 100)},
                          {},
                          sortColumn,
                          descending};
    if (gearbox)
        c.gearboxes.push_back(box(1));
    return c;
}

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
    // Rows sorted as the window sorts them, gearbox columns only with a
    // gearbox, the verdict in words, and the row the axis holds named.
    void report_section_data()
    {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<bool>("gearbox");
        QTest::addColumn<int>("inAxis"); // the motor put into the axis; -1: none
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("said");
        const QString header = "#|Candidate|Verdict, deciding check|Peak torque|RMS torque|Maximum speed|"
                               "Inertia ratio|Breakaway torque";
        const QString strong =
            "strong\nthe axis's own, 10 : 1|passes\nMaximum speed: passes, 50 %|passes, 80 %|"
            "passes, 59 %|passes, 50 %|passes, 90 %|passes, 80 %";
        const QString weak = "weak\nthe axis's own, 10 : 1|fails\nPeak torque: fails, 9 % of 20 %|"
                             "fails, 9 % of 20 %|passes, 59 %|passes, 50 %|passes, 90 %|fails, 9 % of 20 %";
        QTest::newRow("by the deciding check, none in the axis")
            << int(CandidateDecidingColumn) << true << false << -1 << header + "\n1|" + strong + "\n2|" + weak
            << "In the axis: none of these candidates; its motor is as entered.";
        QTest::newRow("peak turned round, the strong one in")
            << PeakColumn << false << false << 1 << header + "\n1|" + weak + "\n2\nin the axis|" + strong
            << "In the axis: strong with the axis's own, 10 : 1 (row 2).";
        QTest::newRow("by name, with a gearbox")
            << int(CandidateMotorColumn) << false << true << 0
            << header +
                   "|Gearbox peak output torque|Gearbox continuous output torque|Gearbox input speed\n"
                   "1|strong\nbox, 10 : 1|passes\nRMS torque: passes, 39 %|"
                   "passes, 70 %|passes, 39 %|passes, 50 %|passes, 80 %|passes, 70 %|passes, 83 %|"
                   "passes, 59 %|passes, 50 %\n"
                   "2\nin the axis|weak\nbox, 10 : 1|fails\nPeak torque: fails, 36 % over|fails, 36 % over|"
                   "passes, 39 %|passes, 50 %|passes, 80 %|fails, 36 % over|passes, 83 %|passes, 59 %|"
                   "passes, 50 %"
            << "In the axis: weak with box, 10 : 1 (row 2).";
    }
    void report_section()
    {
        QFETCH(int, sortColumn);
        QFETCH(bool, descending);
        QFETCH(bool, gearbox);
        QFETCH(int, inAxis);
        QFETCH(QString, table);
        QFETCH(QString, said);
        const CandidateComparison c = compared(sortColumn, descending, gearbox);
        Axis axis = TheAxis;
        MoveInputs move = theMove();
        if (inAxis >= 0) {
            const GearboxChoice *box = gearbox ? &c.gearboxes[0] : nullptr;
            axis = CandidateAxis(axis, c.motors[std::size_t(inAxis)], box);
            move = CandidateMove(move, box);
        }
        const ReportSection section = CandidateReportSection(axis, move, c);
        QCOMPARE(section.title, QStringLiteral("Candidates compared"));
        QVERIFY(section.blocks.first().text.contains("Required margins: peak torque 20 %, RMS torque 20 %"));
        QStringList rows;
        for (const QStringList &row : section.blocks.at(2).rows)
            rows << row.join(u'|').replace(QChar::Nbsp, u' ');
        QCOMPARE(rows.join(u'\n'), table);
        QCOMPARE(section.blocks.at(1).text, said);
        // The colour repeats the verdict: the verdict's cell and each check's.
        const auto &tones = section.blocks.at(2).cellTones;
        for (qsizetype r = 1; r < rows.size(); ++r)
            QCOMPARE(tones[r][2], section.blocks.at(2).rows[r][2].startsWith("passes") ? VerdictTone::Good
                                                                                       : VerdictTone::Bad);
    }
};

void CompareCandidatesTest::judges_each_check_data()
{
    QTest::addColumn<MotorRecord>("candidate");
    QTest::addColumn<double>("efficiency"); // of the "box" gearbox; 0: the axis's own
    QTest::addColumn<double>("boxInertia");
    QTest::addColumn<int>("column");
    QTest::addColumn<double>("margin");
    QTest::addColumn<QString>("text");

    const MotorRecord strong = motor(QStringLiteral("strong"), 1e-4, 0.5, 0.2, 100);
    const MotorRecord weak = motor(QStringLiteral("weak"), 1e-4, 0.11, 0.2, 100);
    const MotorRecord slow = motor(QStringLiteral("slow"), 1e-4, 0.5, 0.2, 40);
    const MotorRecord noRotor = motor(QStringLiteral("no rotor"), 0, 0.5, 0.2, 100);
    QTest::newRow("peak passes") << strong << 0.0 << 1e-4 << Peak << 0.8 << "passes, 80 %";
    QTest::newRow("peak under the margin")
        << weak << 0.0 << 1e-4 << Peak << 1 - 0.1 / 0.11 << "fails, 9 % of 20 %";
    QTest::newRow("rms") << strong << 0.0 << 1e-4 << Rms << 1 - 0.0816497 / 0.2 << "passes, 59 %";
    QTest::newRow("speed passes") << strong << 0.0 << 1e-4 << Speed << 0.5 << "passes, 50 %";
    QTest::newRow("speed over") << slow << 0.0 << 1e-4 << Speed << -0.25 << "fails, 25 % over";
    QTest::newRow("inertia ratio") << strong << 0.0 << 1e-4 << Ratio << 0.9 << "passes, 90 %";
    QTest::newRow("beyond the curve") << slow << 0.0 << 1e-4 << WorstColumn << None << "fails";
    QTest::newRow("no rotor") << noRotor << 0.0 << 1e-4 << Peak << None << "not judged";
    QTest::newRow("no gearbox") << strong << 0.0 << 1e-4 << BoxPeak << None << "no gearbox";
    QTest::newRow("worst") << weak << 0.0 << 1e-4 << WorstColumn << 1 - 0.1 / 0.11 << "fails, 9 % of 20 %";
    QTest::newRow("gearbox inertia") << strong << 1.0 << 1e-4 << Peak << 0.7 << "passes, 70 %";
    QTest::newRow("gearbox efficiency") << strong << 0.5 << 1e-4 << Peak << 0.6 << "passes, 60 %";
    QTest::newRow("gearbox output peak") << strong << 1.0 << 1e-4 << BoxPeak << 1 - 0.5 / 3 << "passes, 83 %";
    QTest::newRow("gearbox output rms") << strong << 1.0 << 1e-4 << BoxRms << 1 - 0.408248 << "passes, 59 %";
    QTest::newRow("output peak, lossy") << noRotor << 0.5 << 0.0 << BoxPeak << 1 - 0.5 / 3 << "passes, 83 %";
    QTest::newRow("output rms, lossy") << noRotor << 0.5 << 0.0 << BoxRms << 1 - 0.408248 << "passes, 59 %";
    QTest::newRow("gearbox input speed") << strong << 1.0 << 1e-4 << BoxSpeed << 0.5 << "passes, 50 %";
}

void CompareCandidatesTest::judges_each_check()
{
    QFETCH(MotorRecord, candidate);
    QFETCH(double, efficiency);
    QFETCH(double, boxInertia);
    QFETCH(int, column);
    QFETCH(double, margin);
    QFETCH(QString, text);
    std::vector<GearboxChoice> gearboxes;
    if (efficiency > 0)
        gearboxes.push_back(box(efficiency, boxInertia));
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
