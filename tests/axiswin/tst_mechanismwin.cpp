// The mechanism's limits in the axis window: each input of the Motor tab's
// Mechanism group, typed on a worked axis, gives its check in words on the
// Move tab beside the motor's, is one undo step named by its box, and
// is taken back whole; only the checks of the axis's mechanism show.
//
// The worked ball screw (10 mm lead, 3 : 1) moving 100 mm in 0.6 s turns
// the screw at 1500 rpm at most. A 16 mm root, 1000 mm free: 3017 rpm
// fixed–supported, 688 rpm fixed–free; 80 % of 3017 is 2414 rpm, half of it
// 1508 rpm. A 20 mm screw at 1500 rpm is 30000 mm·rpm. A 50 mm pulley
// moving its belt 100 mm in 0.6 s runs at 0.25 m/s.

#include "../axis/axisbuild.h"
#include "axiswin/frmaxissizing.h"

#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

using namespace AxisBuild;
using TestSupport::child;

using Texts = QList<std::pair<QString, QString>>; // objectName → text, or a list's unit or index

namespace {

void enter(QWidget *window, const Texts &texts)
{
    for (const auto &[name, text] : texts) {
        if (auto *list = window->findChild<QComboBox *>(name)) {
            const int unit = list->findText(PadRight(text, UnitNameWidth));
            list->setCurrentIndex(unit >= 0 ? unit : text.toInt());
        } else {
            child<QLineEdit>(window, name)->setText(text);
        }
    }
}

} // namespace

class TestMechanismWin : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }

    void each_input_checks_and_undoes_data()
    {
        QTest::addColumn<bool>("belt");
        QTest::addColumn<Texts>("given"); // before the edit
        QTest::addColumn<Texts>("edit");
        QTest::addColumn<QString>("name"); // in the Undo entry
        QTest::addColumn<QString>("says");
        const Texts root{{"txtRootDiameter", "16"}};
        const Texts length{{"txtFreeLength", "1000"}};
        const Texts screw = root + length;
        const QString passes =
            "Screw speed 1500 rpm of 2414 rpm (80 % of the critical speed 3017 rpm): passes, "
            "38 % margin";
        // clang-format off
        QTest::newRow("root diameter") << false << length << root << "root diameter" << passes;
        QTest::newRow("free length") << false << root << length << "free length" << passes;
        QTest::newRow("root diameter unit") << false << screw << Texts{{"cmbRootDiameterUnits", "cm"}}
            << "root diameter" << "(80 % of the critical speed 30169 rpm): passes";
        QTest::newRow("end fixity") << false << screw << Texts{{"cmbEndFixity", "0"}} << "end fixity"
            << "Screw speed 1500 rpm of 550.4 rpm (80 % of the critical speed 688 rpm): fails, 173 % over";
        QTest::newRow("critical share") << false << screw << Texts{{"txtCriticalShare", "50"}}
            << "critical share" << "1500 rpm of 1508 rpm (50 % of the critical speed 3017 rpm): passes, 0.6 %";
        QTest::newRow("nominal diameter") << false << Texts{{"txtDnLimit", "70000"}}
            << Texts{{"txtNominalDiameter", "20"}} << "nominal diameter"
            << "Screw d·n value 30000 mm·rpm of 70000 mm·rpm: passes, 57 % margin";
        QTest::newRow("d·n limit") << false << Texts{{"txtNominalDiameter", "20"}}
            << Texts{{"txtDnLimit", "25000"}} << "d·n limit" << "30000 mm·rpm of 25000 mm·rpm: fails, 20 % over";
        QTest::newRow("surface speed") << true << Texts{}
            << Texts{{"txtSurfaceSpeed", "0.2"}} << "permitted surface speed"
            << "Surface speed 0.25 m/s of 0.2 m/s: fails, 25 % over";
        // clang-format on
    }
    void each_input_checks_and_undoes()
    {
        QFETCH(bool, belt);
        QFETCH(Texts, given);
        QFETCH(Texts, edit);
        QFETCH(QString, name);
        QFETCH(QString, says);
        frmAxisSizing window(m_context);
        window.setAxis(belt ? axis({beltLoad(12, 0.05)}, 3, 0, 2e-5) : ballScrewAxis());
        enter(&window, Texts{{"cmbDistanceUnits", "mm"},
                             {"cmbMoveTimeUnits", "s"},
                             {"cmbRootDiameterUnits", "mm"},
                             {"cmbFreeLengthUnits", "mm"},
                             {"cmbNominalDiameterUnits", "mm"},
                             {"cmbSurfaceSpeedUnits", "m/s"},
                             {"txtDistance", "100"},
                             {"txtMoveTime", "0.6"}} +
                           given);
        const Axis before = window.axis();
        for (const auto &[control, text] : edit)
            QVERIFY2(child<QWidget>(&window, control)->isEnabled(), qPrintable(control));
        enter(&window, edit);
        QVERIFY(!(window.axis() == before));
        QCOMPARE(child<QAction>(&window, QStringLiteral("mnuEditUndo"))->text(),
                 "&Undo change of the " + name);

        // The line of each check of the mechanism beside the motor's; no other.
        const QString key = belt                       ? QStringLiteral("surfaceSpeed")
                            : says.contains(u'\u00b7') ? QStringLiteral("dn")
                                                       : QStringLiteral("criticalSpeed");
        const auto line = [&window](const QString &prefix, const QString &key) {
            return child<QLabel>(&window, prefix + key);
        };
        QVERIFY2(line("lblCheck_", key)->text().contains(says), qPrintable(line("lblCheck_", key)->text()));
        for (const char *other : {"criticalSpeed", "dn", "surfaceSpeed"})
            QCOMPARE(line("lblCheck_", QLatin1String(other))->isHidden(),
                     belt != (QLatin1String(other) == QLatin1String("surfaceSpeed")));

        // Undone whole and redone.
        const Axis typed = window.axis();
        for (qsizetype k = 0; k < edit.size(); ++k)
            child<QAction>(&window, QStringLiteral("mnuEditUndo"))->trigger();
        QCOMPARE(window.axis(), before);
        QVERIFY(!line("lblCheck_", key)->text().contains(says));
        for (qsizetype k = 0; k < edit.size(); ++k)
            child<QAction>(&window, QStringLiteral("mnuEditRedo"))->trigger();
        QCOMPARE(window.axis(), typed);
    }
};

QTEST_MAIN(TestMechanismWin)
#include "tst_mechanismwin.moc"
