// "Compare motors" from the axis window: the candidates sorted by a click on
// a check's column (again to turn the order round), and the first row taken
// into the axis as one undo step, with its gearbox's ratio, inertia and
// efficiency when it has one (Close takes nothing). The axis and motors are
// those of the comparison's own tests: a 0.5 N·m motor passes the peak torque
// by 80 %, a 0.11 N·m one fails it.

#include "../axis/axisbuild.h"
#include "axis/axisfile.h"
#include "axiswin/frmaxissizing.h"
#include "driveswin/frmcomparemotors.h"

#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

using namespace AxisBuild;
using TestSupport::child;

namespace {

MotorRecord motor(const QString &name, double rotor, double peak)
{
    return {name, {}, rotor, 100, FlatCurve(peak, 100), FlatCurve(0.1, 100), {}, {}};
}

AxisDocument rotaryAxis()
{
    AxisDocument document;
    document.axis = axis({inertiaValue(0.01)}, 10, 0, 5e-5);
    document.move.moves[0].distance = {1, {}};
    document.move.moves[0].moveTime = {0.3, {}};
    return document;
}

} // namespace

class TestFrmCompareMotors : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_dir);
        QVERIFY(SaveMotorTable(
                    m_context.userFileLocation(DriveTableFileName(DriveTableKind::Motors)),
                    {motor(QStringLiteral("weak"), 2e-4, 0.11), motor(QStringLiteral("strong"), 1e-4, 0.5)})
                    .ok);
        QVERIFY(SaveGearboxTable(m_context.userFileLocation(DriveTableFileName(DriveTableKind::Gearboxes)),
                                 {{QStringLiteral("box"), {}, {5, 8}, 3e-5, 0.9, 3, 1, 100}})
                    .ok);
    }

    void chosen_candidate_is_one_undo_step_data()
    {
        QTest::addColumn<int>("peakClicks"); // on the peak torque's column; -1: Close
        QTest::addColumn<int>("ratioRow");   // checked in the ratio list; -1: none
        QTest::addColumn<double>("rotor");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("efficiency");
        QTest::addColumn<double>("gearboxInertia");
        QTest::newRow("largest margin first") << 1 << -1 << 1e-4 << 10.0 << 100.0 << 0.0;
        QTest::newRow("turned round") << 2 << -1 << 2e-4 << 10.0 << 100.0 << 0.0;
        QTest::newRow("with a gearbox") << 1 << 1 << 1e-4 << 8.0 << 90.0 << 3e-5;
        QTest::newRow("closed") << -1 << 0 << 5e-5 << 10.0 << 100.0 << 0.0;
    }
    void chosen_candidate_is_one_undo_step()
    {
        QFETCH(int, peakClicks);
        QFETCH(int, ratioRow);
        QFETCH(double, rotor);
        QFETCH(double, ratio);
        QFETCH(double, efficiency);
        QFETCH(double, gearboxInertia);
        const QString path = m_dir.filePath(QStringLiteral("rotary.tvaxis"));
        QVERIFY(WriteAxisFile(path, rotaryAxis()).ok);
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(path));
        bool seen = false;
        QTimer::singleShot(0, &window, [&]() {
            auto *dialog = qobject_cast<frmCompareMotors *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            auto *motors = child<QListWidget>(dialog, QStringLiteral("lstMotors"));
            for (int k = 0; k < motors->count(); ++k)
                motors->item(k)->setCheckState(Qt::Checked);
            if (ratioRow >= 0)
                child<QListWidget>(dialog, QStringLiteral("lstGearboxRatios"))
                    ->item(ratioRow)
                    ->setCheckState(Qt::Checked);
            if (peakClicks < 0)
                return dialog->reject();
            auto *table = child<QTableWidget>(dialog, QStringLiteral("tblCandidates"));
            const int peakColumn = 3 + int(MotorCheckKind::PeakTorque);
            for (int k = 0; k < peakClicks; ++k)
                emit table->horizontalHeader()->sectionClicked(peakColumn);
            table->selectRow(0);
            QTest::keyClick(table, Qt::Key_Return);
            if (dialog->isVisible()) // the key did not take it: fail below, not hang
                dialog->reject();
        });
        child<QAction>(&window, QStringLiteral("mnuToolsCompareMotors"))->trigger();
        QVERIFY(seen);
        QCOMPARE(window.axis().motor.inertia.value, rotor);
        QCOMPARE(window.axis().gearbox.ratio, ratio);
        QCOMPARE(window.axis().gearbox.inertia.value, gearboxInertia);
        QCOMPARE(window.move().gearboxEfficiency, efficiency);
        QCOMPARE(window.isModified(), peakClicks >= 0);
        child<QAction>(&window, QStringLiteral("mnuEditUndo"))->trigger();
        QCOMPARE(window.axis(), rotaryAxis().axis);
        QVERIFY(!window.isModified());
    }
};

QTEST_MAIN(TestFrmCompareMotors)
#include "tst_frmcomparemotors.moc"
