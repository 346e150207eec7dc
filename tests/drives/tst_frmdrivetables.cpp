// The table window, driven headless on tables of the test's own: every
// change reaches the file at once and every step undoes and redoes down to
// the file's bytes; entries, imports and damaged tables are refused in words
// that name the line and column, and nothing is saved over a damaged table.

#include "axiswin/frmaxissizing.h"
#include "driveswin/frmdrivetables.h"
#include "testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <functional>

namespace {

const QByteArray Motors = "Torvane motor table,1\r\n"
                          "Name,Rotor inertia [kg·cm²],Maximum speed [rpm],Peak torque [rpm:N·m],"
                          "Continuous torque [rpm:N·m]\r\n"
                          "Servo A,0.35,6000,3.8,1.27\r\n"
                          "Servo B,1.1,5000,7.1,2.4\r\n";
const QByteArray Gearboxes = "Torvane gearbox table,1\r\n"
                             "Name,Ratios,Input inertia [kg·cm²],Efficiency [%],Peak output torque [N·m],"
                             "Continuous output torque [N·m],Maximum input speed [rpm]\r\n"
                             "P40,3 5 10,0.03,97,30,15,6000\r\n";

// Fills the entry window's boxes shown (by position, empty ones kept) and presses OK.
TestSupport::ModalWatch enter(const QStringList &cells, QString *problem = nullptr)
{
    return TestSupport::whenModalShown([cells, problem](QWidget *modal) {
        QList<QLineEdit *> boxes = modal->findChildren<QLineEdit *>();
        boxes.removeIf([modal](const QLineEdit *box) { return !box->isVisibleTo(modal); });
        for (qsizetype i = 0; i < cells.size() && i < boxes.size(); ++i)
            if (!cells[i].isNull())
                boxes[i]->setText(cells[i]);
        TestSupport::child<QPushButton>(modal, QStringLiteral("cmdOK"))->click();
        if (problem) {
            *problem = TestSupport::child<QLabel>(modal, QStringLiteral("lblProblem"))->text();
            modal->close();
        }
    });
}

// Notes the text of the next message box and closes it.
TestSupport::ModalWatch message(QString &text)
{
    return TestSupport::whenModalShown([&text](QWidget *modal) {
        text = static_cast<QMessageBox *>(modal)->text();
        modal->close();
    });
}

} // namespace

class TestFrmDriveTables : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString file(const QString &name) const { return m_dir.filePath(name); }
    void writeTables(const QByteArray &motors = Motors, const QByteArray &gearboxes = Gearboxes)
    {
        for (const auto &[name, bytes] :
             {std::pair{"motors.csv", motors}, std::pair{"gearboxes.csv", gearboxes}}) {
            QFile f(file(QLatin1String(name)));
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(bytes);
        }
    }
    QByteArray tableBytes() const
    {
        return TestSupport::fileContents(file("motors.csv")) +
               TestSupport::fileContents(file("gearboxes.csv"));
    }

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    // Each change is saved at once; Undo puts the files back as they were,
    // Redo as the change left them, both tables apart.
    void every_step_undoes_and_redoes_data()
    {
        QTest::addColumn<std::function<void(frmDriveTables &)>>("step");
        QTest::addColumn<QString>("shown"); // the first cells of the changed table's rows after the step
        using Step = std::function<void(frmDriveTables &)>;
        const auto select = [](frmDriveTables &w, const char *view, int row) {
            TestSupport::child<QTableView>(&w, QLatin1String(view))->selectRow(row);
        };
        QTest::newRow("add a motor") << Step([](frmDriveTables &w) {
            auto entry = enter({"Servo C", "", "0.06", "6000", "0:0.95 3000:0.95 6000:0.5", "0.32"});
            TestSupport::child<QPushButton>(&w, "cmdAddM")->click();
        }) << "Servo A|Servo B|Servo C";
        QTest::newRow("edit a motor") << Step([select](frmDriveTables &w) {
            select(w, "tblMotors", 1);
            auto entry = enter({"Servo B2", QString(), "1.2"});
            TestSupport::child<QPushButton>(&w, "cmdEditM")->click();
        }) << "Servo A|Servo B2";
        QTest::newRow("delete a motor by its key") << Step([select](frmDriveTables &w) {
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            auto *view = TestSupport::child<QTableView>(&w, "tblMotors");
            view->setFocus();
            select(w, "tblMotors", 0);
            QTest::keyClick(view, Qt::Key_Delete);
        }) << "Servo B";
        QTest::newRow("add a gearbox") << Step([](frmDriveTables &w) {
            w.showTab(DriveTableKind::Gearboxes);
            auto entry = enter({"P60", "", "5 10", "0.13", "96", "80", "40", "6000"});
            TestSupport::child<QPushButton>(&w, "cmdAddG")->click();
        }) << "P40|P60";
        QTest::newRow("import gearboxes, one replacing") << Step([this](frmDriveTables &w) {
            w.showTab(DriveTableKind::Gearboxes);
            const QString path = file("import.csv");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(Gearboxes.mid(25, Gearboxes.indexOf("P40") - 25) +
                    "p40,4,0.03,97,30,15,6000\r\nW50,10 20,0.2,70,60,30,3000\r\n");
            f.close();
            QString told;
            auto box = message(told);
            QVERIFY2(w.importFile(path), qPrintable(told));
            QCOMPARE(told, QStringLiteral("Imported 2 gearboxes: 1 added, 1 replaced."));
        }) << "p40|W50";
    }
    void every_step_undoes_and_redoes()
    {
        QFETCH(std::function<void(frmDriveTables &)>, step);
        QFETCH(QString, shown);
        writeTables();
        TestSupport::TestContext context(m_dir);
        frmDriveTables window(context);
        const DriveTables before = window.tables();
        const QByteArray beforeBytes = tableBytes();
        step(window);
        const DriveTables after = window.tables();
        QStringList names;
        for (const auto &m : after.motors)
            names << m.name;
        if (window.currentKind() == DriveTableKind::Gearboxes) {
            names.clear();
            for (const auto &g : after.gearboxes)
                names << g.name;
        }
        QCOMPARE(names.join(u'|'), shown);
        const QByteArray afterBytes = tableBytes();
        QVERIFY(afterBytes != beforeBytes);
        QCOMPARE(LoadMotorTable(file("motors.csv")).records, after.motors);
        QCOMPARE(LoadGearboxTable(file("gearboxes.csv")).records, after.gearboxes);

        auto *undo = TestSupport::child<QAction>(&window, "mnuEditUndo");
        auto *redo = TestSupport::child<QAction>(&window, "mnuEditRedo");
        QVERIFY(undo->isEnabled() && !redo->isEnabled());
        undo->trigger();
        QVERIFY(window.tables() == before);
        QCOMPARE(LoadMotorTable(file("motors.csv")).records, before.motors);
        QCOMPARE(LoadGearboxTable(file("gearboxes.csv")).records, before.gearboxes);
        QVERIFY(!undo->isEnabled() && redo->isEnabled());
        redo->trigger();
        QVERIFY(window.tables() == after);
        QCOMPARE(tableBytes(), afterBytes);
    }

    // A corner curve shows as its three boxes; edited there (or its form
    // changed) it is written as the same three points, and shows as boxes
    // again. A change of form is an edit the box's own Undo takes back.
    void corner_boxes_round_trip_data()
    {
        QTest::addColumn<QString>("peak");   // the cell in the file
        QTest::addColumn<int>("form");       // shown: 0 the point list, 1 the corner
        QTest::addColumn<int>("switchTo");   // the form chosen; -1: none
        QTest::addColumn<QString>("corner"); // typed as the corner speed; null: nothing
        QTest::addColumn<QString>("stored"); // the cell written
        QTest::addColumn<int>("formAfter");  // shown when edited again
        const QString corner = "0:3.8 3000:3.8 6000:2.2";
        QTest::newRow("corner speed edited") << corner << 1 << -1 << "2500"
                                             << "0:3.8 2500:3.8 6000:2.2" << 1;
        QTest::newRow("points made a corner")
            << "0:3.8 3000:3.8 5000:3 6000:2.2" << 0 << 1 << QString() << corner << 1;
        QTest::newRow("flat made a corner") << "3.8" << 0 << 1 << "4000"
                                            << "0:3.8 4000:3.8 6000:3.8" << 1;
        QTest::newRow("corner made points") << corner << 1 << 0 << QString() << corner << 1;
        QTest::newRow("falls before the corner: points")
            << "0:3.9 3000:3.8 6000:2.2" << 0 << -1 << QString() << "0:3.9 3000:3.8 6000:2.2" << 0;
    }
    void corner_boxes_round_trip()
    {
        QFETCH(QString, peak);
        QFETCH(int, form);
        QFETCH(int, switchTo);
        QFETCH(QString, corner);
        QFETCH(QString, stored);
        QFETCH(int, formAfter);
        writeTables(Motors.left(Motors.indexOf("Servo A")) + "Servo A,0.35,6000," + peak.toUtf8() + ",1\r\n",
                    Gearboxes);
        TestSupport::TestContext context(m_dir);
        frmDriveTables window(context);
        const auto editFirst = [&](const std::function<void(QWidget *)> &inEntry) {
            TestSupport::child<QTableView>(&window, "tblMotors")->selectRow(0);
            auto entry = TestSupport::whenModalShown([&](QWidget *modal) {
                inEntry(modal);
                TestSupport::child<QPushButton>(modal, QStringLiteral("cmdOK"))->click();
                if (modal->isVisible()) // refused: fail below, not hang
                    modal->close();
            });
            window.editRecord();
        };
        const auto box = [](QWidget *modal, const char *name) {
            return TestSupport::child<QLineEdit>(modal, QLatin1String(name));
        };
        editFirst([&](QWidget *modal) {
            auto *chooser = TestSupport::child<QComboBox>(modal, QStringLiteral("cmbPeakTorqueForm"));
            QCOMPARE(chooser->currentIndex(), form);
            QCOMPARE(box(modal, "txtPeakTorque")->isVisibleTo(modal), form == 0);
            QCOMPARE(box(modal, "txtPeakTorqueStall")->isVisibleTo(modal), form == 1);
            if (switchTo >= 0) {
                chooser->setCurrentIndex(switchTo);
                QLineEdit *changed = box(modal, switchTo == 1 ? "txtPeakTorqueStall" : "txtPeakTorque");
                QCOMPARE(changed->isUndoAvailable(), form == 0);
            }
            if (!corner.isNull())
                box(modal, "txtPeakTorqueCornerSpeed")->setText(corner);
        });
        QVERIFY(TestSupport::fileContents(file("motors.csv")).contains("," + stored.toUtf8() + ","));
        editFirst([&](QWidget *modal) {
            QCOMPARE(
                TestSupport::child<QComboBox>(modal, QStringLiteral("cmbPeakTorqueForm"))->currentIndex(),
                formAfter);
            if (formAfter == 1)
                QCOMPARE(box(modal, "txtPeakTorqueCornerSpeed")->text(),
                         stored.section(u' ', 1, 1).section(u':', 0, 0));
        });
    }

    // The entry stays open while it does not read, saying why, and the table is unchanged.
    void entry_refused_in_words_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("problem");
        QTest::newRow("not a number")
            << QStringList{"Servo C", "", "x", "6000", "3", "1"} << "Rotor inertia: \"x\" is not a number.";
        QTest::newRow("a name taken, other letters")
            << QStringList{"servo a", "", "1", "6000", "3", "1"}
            << "Name: a motor named \"servo a\" is in the table already.";
        QTest::newRow("continuous above peak")
            << QStringList{"Servo C", "", "1", "6000", "3", "0:4 6000:1"}
            << "Continuous torque: the continuous torque is above the peak "
               "torque at 0 rpm.";
    }
    void entry_refused_in_words()
    {
        QFETCH(QStringList, cells);
        QFETCH(QString, problem);
        writeTables();
        TestSupport::TestContext context(m_dir);
        frmDriveTables window(context);
        QString shown;
        {
            auto entry = enter(cells, &shown);
            window.addRecord();
        }
        QCOMPARE(shown, problem);
        QCOMPARE(window.tables().motors.size(), 2u);
        QCOMPARE(TestSupport::fileContents(file("motors.csv")), Motors);
        QVERIFY(!TestSupport::child<QAction>(&window, "mnuEditUndo")->isEnabled());
    }

    // The axis window's Tools menu opens the tables over it.
    void axis_window_opens_the_tables()
    {
        TestSupport::TestContext context(m_dir);
        frmAxisSizing axis(context);
        QString opened;
        {
            auto watch = TestSupport::closeNextModal(opened);
            TestSupport::child<QAction>(&axis, "mnuToolsDriveTables")->trigger();
        }
        QCOMPARE(opened, QStringLiteral("frmDriveTables"));
    }

    // A damaged import names its line and column and changes nothing.
    void damaged_import_changes_nothing()
    {
        writeTables();
        TestSupport::TestContext context(m_dir);
        frmDriveTables window(context);
        const QString path = file("import.csv");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(Motors.mid(23) + "Servo C,0.2,6000,3,1\r\nServo D,-1,6000,3,1\r\n");
        f.close();
        QString told;
        {
            auto box = message(told);
            QVERIFY(!window.importFile(path));
        }
        QVERIFY2(told.contains(u"Line 5, column 2 (Rotor inertia): -1 is not above zero.") &&
                     told.endsWith(u"Nothing was imported."),
                 qPrintable(told));
        QCOMPARE(window.tables().motors.size(), 2u);
        QCOMPARE(TestSupport::fileContents(file("motors.csv")), Motors);
    }

    // A table that cannot be read whole opens read-only, its problem shown,
    // and no key or import can save over it; the other table stays usable.
    void damaged_table_opens_read_only()
    {
        const QByteArray damaged = QByteArray(Motors).replace("0.35", "0,35");
        writeTables(damaged);
        TestSupport::TestContext context(m_dir);
        frmDriveTables window(context);
        QVERIFY(window.isReadOnly(DriveTableKind::Motors) && !window.isReadOnly(DriveTableKind::Gearboxes));
        auto *note = TestSupport::child<QLabel>(&window, "lblNoteM");
        QVERIFY2(note->text().contains(u"Line 3, column 2 (Rotor inertia)"), qPrintable(note->text()));
        for (const char *key : {"cmdAddM", "cmdEditM", "cmdDeleteM", "cmdImportM"})
            QVERIFY2(!TestSupport::child<QPushButton>(&window, key)->isEnabled(), key);
        window.addRecord();
        window.deleteRecord();
        QVERIFY(!window.importFile(file("gearboxes.csv")));
        QCOMPARE(TestSupport::fileContents(file("motors.csv")), damaged);
        QVERIFY(TestSupport::child<QPushButton>(&window, "cmdAddG")->isEnabled());
    }
};

QTEST_MAIN(TestFrmDriveTables)
#include "tst_frmdrivetables.moc"
