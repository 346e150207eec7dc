// The axis sizing window driven as a user would: items added and edited
// through the item editor, the gearbox and motor typed in, the results read
// from the labels.

#include "../axis/axisbuild.h"
#include "axis/axisentry.h"
#include "axiswin/frmaxissizing.h"

#include "testsupport.h"
#include "widgets/numericedit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace AxisBuild;
using TestSupport::child;
using TestSupport::whenModalShown;

using Boxes = QList<std::pair<QString, QString>>;

namespace {

QString kg_m2()
{
    return PadRight(QStringLiteral("kg-m\u00b2"), UnitNameWidth);
}

// Sets a window's controls by objectName, in order: a box gets the text (a
// "number unit" text is pasted), a list the entry (a unit name as given,
// without its padding), an option is selected.
void setControls(QWidget *window, const Boxes &controls)
{
    for (const auto &[name, text] : controls) {
        QWidget *control = child<QWidget>(window, name);
        if (auto *number = qobject_cast<NumericEdit *>(control); number && text.contains(u' ')) {
            number->pasteNumber(text); // a "number unit" text, as pasted
        } else if (auto *box = qobject_cast<QLineEdit *>(control)) {
            box->setText(text);
        } else if (auto *list = qobject_cast<QComboBox *>(control)) {
            const int at = std::max(list->findText(text), list->findText(PadRight(text, UnitNameWidth)));
            QVERIFY2(at >= 0, qPrintable(name + u' ' + text));
            list->setCurrentIndex(at);
        } else {
            static_cast<QAbstractButton *>(control)->click();
        }
    }
}

// Fills the open item editor: each box named by its objectName gets its text,
// units stay at what the test selected, then OK.
void fillEditor(QWidget *editor, const Boxes &boxes, int quantity)
{
    setControls(editor, boxes);
    child<QSpinBox>(editor, QStringLiteral("spnQuantity"))->setValue(quantity);
    QTest::mouseClick(child<QPushButton>(editor, QStringLiteral("cmdOK")), Qt::LeftButton);
}

QString itemNames(const frmAxisSizing &window)
{
    QStringList names;
    for (const AxisItem &item : window.axis().items)
        names << item.name;
    return names.join(u',');
}

} // namespace

class TestFrmAxisSizing : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }

    // Either tab opens no larger than the panes ask, and at that size the
    // Move tab shows whole, without scroll bars (whether every window fits a
    // small screen is tst_windows' table).
    void window_opens_no_larger_than_its_panes_ask_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("Inertia") << 0;
        QTest::newRow("Move") << 1;
    }
    void window_opens_no_larger_than_its_panes_ask()
    {
        QFETCH(int, tab);
        frmAxisSizing window(m_context);
        child<QTabWidget>(&window, QStringLiteral("tabAxis"))->setCurrentIndex(tab);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY2(window.sizeHint().expandedTo(window.size()) == window.sizeHint(),
                 qPrintable(QStringLiteral("%1 × %2").arg(window.width()).arg(window.height())));
    }

    // Every way an item enters the table reaches J_M at once: added through
    // the editor, in its units, with the gearbox and rotor typed in.
    void added_item_reaches_the_motor_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("massUnit");
        QTest::addColumn<QString>("lengthUnit");
        QTest::addColumn<Boxes>("boxes");
        QTest::addColumn<int>("quantity");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<double>("expectedJM");
        // 40 kg on a 10 mm lead: 1.013212e-4 kg·m², through 3 : 1 plus J_g 5e-6.
        QTest::newRow("screw load, mm")
            << "mnuAdd_screwLoad"
            << "kg"
            << "mm" << Boxes{{"txtMass", "40"}, {"txtLead", "10"}} << 1 << 3.0 << 1.013212e-4 / 9 + 5e-6;
        // Two 500 g masses (pasted over kg) at 0.1 m: 2 · 0.5 · 0.01 through 2 : 1.
        QTest::newRow("point mass ×2, pasted in g")
            << "mnuAdd_pointMass"
            << "kg"
            << "m" << Boxes{{"txtMass", "500 g"}, {"txtRadius", "0.1"}} << 2 << 2.0 << 0.01 / 4 + 5e-6;
    }
    void added_item_reaches_the_motor()
    {
        QFETCH(QString, kind);
        QFETCH(QString, massUnit);
        QFETCH(QString, lengthUnit);
        QFETCH(Boxes, boxes);
        QFETCH(int, quantity);
        QFETCH(double, ratio);
        QFETCH(double, expectedJM);

        frmAxisSizing window(m_context);
        window.show();
        child<QLineEdit>(&window, QStringLiteral("txtGearRatio"))->setText(QString::number(ratio));
        child<QComboBox>(&window, QStringLiteral("cmbGearboxInertiaUnits"))->setCurrentText(kg_m2());
        child<QLineEdit>(&window, QStringLiteral("txtGearboxInertia"))->setText(QStringLiteral("5E-6"));
        child<QComboBox>(&window, QStringLiteral("cmbRotorInertiaUnits"))->setCurrentText(kg_m2());
        child<QLineEdit>(&window, QStringLiteral("txtRotorInertia"))->setText(QStringLiteral("2E-5"));

        auto watch = whenModalShown([&](QWidget *editor) {
            for (QComboBox *units : editor->findChildren<QComboBox *>()) {
                if (units->objectName() == QLatin1String("cmbMassUnits"))
                    units->setCurrentText(PadRight(massUnit, UnitNameWidth));
                else if (units->objectName() != QLatin1String("cmbSide"))
                    units->setCurrentText(PadRight(lengthUnit, UnitNameWidth));
            }
            fillEditor(editor, boxes, quantity);
        });
        child<QAction>(&window, kind)->trigger();
        QVERIFY(watch.opened());

        QCOMPARE(window.axis().items.size(), 1);
        QVERIFY2(matches(window.results().atMotor, expectedJM),
                 qPrintable(describe(window.results().atMotor)));
        QVERIFY(matches(window.results().ratio, expectedJM / 2e-5));
        QCOMPARE(child<QTableView>(&window, QStringLiteral("tblItems"))->model()->rowCount(), 1);
        QVERIFY(!child<QLabel>(&window, QStringLiteral("lblVerdict"))->text().isEmpty());
    }

    // A cancelled edit changes nothing; the Delete key removes the item from
    // the total.
    void table_keys_change_the_total()
    {
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        window.show();
        QVERIFY(matches(window.results().atMotor, 2.444166e-5));
        auto *table = child<QTableView>(&window, QStringLiteral("tblItems"));
        table->setCurrentIndex(table->model()->index(2, 0)); // the coupling, 1.2e-5 on the load side

        auto cancel = whenModalShown([](QWidget *editor) {
            child<QLineEdit>(editor, QStringLiteral("txtInertia"))->setText(QStringLiteral("1"));
            QTest::mouseClick(child<QPushButton>(editor, QStringLiteral("cmdCancel")), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdEdit")), Qt::LeftButton);
        QVERIFY(cancel.opened());
        QVERIFY(matches(window.results().atMotor, 2.444166e-5));

        // The other keys' effect on the list is proved with Undo and Redo below.
        QApplication::setActiveWindow(&window);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(window.axis().items.size(), 2);
        QVERIFY(matches(window.results().atMotor, 2.444166e-5 - 1.2e-5 / 9));

        // A rotor inertia of 0 gives no ratio, said in words.
        child<QLineEdit>(&window, QStringLiteral("txtRotorInertia"))->setText(QStringLiteral("0"));
        QVERIFY(!window.results().ratio.ok());
        QCOMPARE(child<QLabel>(&window, QStringLiteral("lblVerdict"))->text(), window.results().verdict.text);
    }

    // A shape set up in the inertia calculator, driven by its controls, comes
    // back with the chosen result and offset: J = J_result + m·d². A choice
    // that cannot be added leaves the key off and says why.
    void shape_picked_in_the_calculator_data()
    {
        QTest::addColumn<Boxes>("controls");
        QTest::addColumn<double>("expectedJ"); // NaN: refused
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("name"); // of the item added
        // clang-format off
        const Boxes screw = {{"cmbShape", "Cylinder"}, {"cmbLengthUnits", "mm"}, {"txtLength", "500"},
            {"cmbODUnits", "cm"}, {"txtOutsideDia", "2"}, {"txtInsideDia", "0"},
            {"cmbDensityUnits", "g/cm\u00b3"}, {"txtDensity", "7.85"}};
        // The worked steel screw about its own axis: 6.165376e-5 kg·m².
        QTest::newRow("screw from its density, Izz") << screw << 6.165376e-5 << "" << "Cylinder";
        // 2 kg, Ø40 × 100 mm across its axis, 5 cm out: 2(3·0.02² + 0.1²)/12 + 2·0.05².
        QTest::newRow("cylinder by mass, Ixx at 5 cm")
            << Boxes{{"cmbShape", "Cylinder"}, {"optMass", ""}, {"cmbMassUnits", "kg"}, {"txtMass", "2"},
                     {"cmbLengthUnits", "mm"}, {"txtLength", "100"}, {"cmbODUnits", "mm"}, {"txtOutsideDia", "40"},
                     {"txtInsideDia", "0"}, {"cmbAxisResult", "Ixx"}, {"cmbOffsetUnits", "cm"}, {"txtOffset", "5"},
                     {"txtPartName", "  Hub on the shaft "}}
            << 0.0068666667 << "" << "Hub on the shaft";
        // One refusal shows the key off and the reason; the core's item table has the others.
        QTest::newRow("end axis with an offset") << Boxes{{"cmbShape", "Slender rod"}, {"txtMass", "3"},
            {"txtLength", "1"}, {"cmbAxisResult", "Ix'x'"}, {"txtOffset", "0.001"}} << qQNaN() << "end-axis" << "";
        // clang-format on
    }
    void shape_picked_in_the_calculator()
    {
        QFETCH(Boxes, controls);
        QFETCH(double, expectedJ);
        QFETCH(QString, reason);
        QFETCH(QString, name);
        frmAxisSizing window(m_context);
        window.show();
        QString said;
        auto watch = whenModalShown([&](QWidget *calculator) {
            setControls(calculator, controls);
            said = child<QLabel>(calculator, QStringLiteral("lblPickProblem"))->text();
            auto *add = child<QPushButton>(calculator, QStringLiteral("cmdAddToAxis"));
            QCOMPARE(add->isEnabled(), reason.isEmpty());
            QTest::mouseClick(add, Qt::LeftButton);
            if (calculator->isVisible())
                calculator->close();
        });
        child<QAction>(&window, QStringLiteral("mnuAdd_shape"))->trigger();
        QVERIFY(watch.opened());
        QVERIFY2(said.contains(reason) && (reason.isEmpty() == said.isEmpty()), qPrintable(said));
        QCOMPARE(window.axis().items.size(), reason.isEmpty() ? 1 : 0);
        if (!reason.isEmpty())
            return;
        QVERIFY2(matches(window.results().items.at(0).inertia, expectedJ, 1e-5),
                 qPrintable(describe(window.results().items.at(0).inertia)));
        QCOMPARE(window.axis().items.at(0).name, name);
    }

    // Editing a shape part opens the calculator on the part as it is; a new
    // result and offset chosen there, and a quantity, reach the item.
    void editing_a_shape_part_reopens_the_calculator()
    {
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        window.show();
        auto *table = child<QTableView>(&window, QStringLiteral("tblItems"));
        table->setCurrentIndex(table->model()->index(1, 0)); // the steel screw
        QString shownLength;
        auto editor = whenModalShown([&](QWidget *item) {
            auto calculator = whenModalShown([&](QWidget *pick) {
                // The part has its name in the item editor, not here.
                QVERIFY(!pick->findChild<QLineEdit *>(QStringLiteral("txtPartName")));
                shownLength =
                    child<QLineEdit>(pick, QStringLiteral("txtLength"))->text() + u' ' +
                    child<QComboBox>(pick, QStringLiteral("cmbLengthUnits"))->currentText().trimmed();
                setControls(pick, {{"cmbAxisResult", "Ixx"}, {"cmbOffsetUnits", "m"}, {"txtOffset", "0.1"}});
                QTest::mouseClick(child<QPushButton>(pick, QStringLiteral("cmdAddToAxis")), Qt::LeftButton);
            });
            QTest::mouseClick(child<QPushButton>(item, QStringLiteral("cmdShape")), Qt::LeftButton);
            fillEditor(item, {}, 2);
        });
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdEdit")), Qt::LeftButton);
        QVERIFY(editor.opened());
        QCOMPARE(shownLength, QStringLiteral("0.5 m"));
        // m = 1.233075 kg: 2 · (m(3·0.01² + 0.5²)/12 + m·0.1²).
        QVERIFY2(matches(window.results().items.at(1).inertia, 2 * 1.233075 * (0.2503 / 12 + 0.01), 1e-5),
                 qPrintable(describe(window.results().items.at(1).inertia)));
    }

    // Every edit can be taken back and done again, by the menu or the keys,
    // in order; the axis, its boxes and the modified mark come back exactly.
    void undo_and_redo_data()
    {
        QTest::addColumn<QStringList>("steps");
        // afterwards: item names, ratio and rated torque boxes, selected row, modified, Undo, Redo texts
        QTest::addColumn<QStringList>("after");
        const QString redoRemove = QStringLiteral("&Redo remove \u201cscrew\u201d");
        const QString undoDown = QStringLiteral("&Undo move \u201ctable\u201d down");
        // clang-format off
        QTest::newRow("removal undone is the saved axis") << QStringList{"select 1", "remove", "ctrl+z"}
            << QStringList{"table,screw,coupling", "3 0", "1", "saved", "&Undo", redoRemove};
        QTest::newRow("redone by either key")
            << QStringList{"select 1", "remove", "ctrl+z", "ctrl+shift+z", "ctrl+z", "ctrl+y"}
            << QStringList{"table,coupling", "3 0", "1", "modified", "&Undo remove \u201cscrew\u201d", "&Redo"};
        QTest::newRow("a new edit ends redo") << QStringList{"select 2", "remove", "undo", "select 0", "down"}
            << QStringList{"screw,table,coupling", "3 0", "1", "modified", undoDown, "&Redo"};
        QTest::newRow("typing a ratio is one step") << QStringList{"ratio 4", "ratio 45", "undo"}
            << QStringList{"table,screw,coupling", "3 0", "0", "saved", "&Undo", "&Redo change of the gearbox ratio"};
        QTest::newRow("ratio redone into its box") << QStringList{"ratio 4", "ratio 45", "undo", "redo"}
            << QStringList{"table,screw,coupling", "45 0", "0", "modified", "&Undo change of the gearbox ratio", "&Redo"};
        // The Move tab's boxes are steps in the same order as the rest.
        QTest::newRow("rated torque undone first") << QStringList{"ratio 4", "rated 2", "undo"}
            << QStringList{"table,screw,coupling", "4 0", "0", "modified", "&Undo change of the gearbox ratio",
                           "&Redo change of the rated torque"};
        QTest::newRow("a new edit ends redo of the ratio") << QStringList{"ratio 4", "undo", "rated 2", "redo"}
            << QStringList{"table,screw,coupling", "3 2", "0", "modified", "&Undo change of the rated torque", "&Redo"};
        // clang-format on
    }
    void undo_and_redo()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        Axis axis = ballScrewAxis();
        axis.items[0].name = QStringLiteral("table");
        axis.items[1].name = QStringLiteral("screw");
        axis.items[2].name = QStringLiteral("coupling");
        frmAxisSizing window(m_context);
        window.setAxis(axis);
        QVERIFY(window.saveFile(dir.filePath(QStringLiteral("axis.tvaxis"))));
        window.show();
        QApplication::setActiveWindow(&window);
        auto *table = child<QTableView>(&window, QStringLiteral("tblItems"));
        table->setFocus();
        const QHash<QString, QString> keys = {
            {"remove", "cmdRemove"}, {"duplicate", "cmdDuplicate"}, {"down", "cmdMoveDown"}};
        const QHash<QString, QString> boxes = {{"ratio", "txtGearRatio"}, {"rated", "txtRatedTorque"}};
        for (const QString &step : steps) {
            const QString argument = step.section(u' ', 1);
            if (step.startsWith(QLatin1String("select")))
                table->setCurrentIndex(table->model()->index(argument.toInt(), 0));
            else if (boxes.contains(step.section(u' ', 0, 0)))
                child<QLineEdit>(&window, boxes.value(step.section(u' ', 0, 0)))->setText(argument);
            else if (step.startsWith(QLatin1String("ctrl+")))
                QTest::keySequence(table, QKeySequence(step));
            else if (keys.contains(step))
                QTest::mouseClick(child<QPushButton>(&window, keys.value(step)), Qt::LeftButton);
            else
                child<QAction>(&window, step == QLatin1String("undo") ? QStringLiteral("mnuEditUndo")
                                                                      : QStringLiteral("mnuEditRedo"))
                    ->trigger();
        }
        QCOMPARE(window.isModified(), window.windowTitle().contains(u'*'));
        const auto box = [&window](const char *name) {
            return child<QLineEdit>(&window, QString::fromLatin1(name))->text();
        };
        QCOMPARE((QStringList{itemNames(window), box("txtGearRatio") + u' ' + box("txtRatedTorque"),
                              QString::number(table->currentIndex().row()),
                              QLatin1String(window.isModified() ? "modified" : "saved"),
                              child<QAction>(&window, QStringLiteral("mnuEditUndo"))->text(),
                              child<QAction>(&window, QStringLiteral("mnuEditRedo"))->text()}),
                 after);
    }

    // Each edit of the cycle's list of moves, by its key or from the
    // keyboard in the table, is one step: undone, the list and the selected
    // move come back as they were, redone as they were after it; the boxes
    // edit the selected move, and a value typed into another move is a step
    // of its own.
    void moves_table_undo_steps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("distances"); // the table's, in order
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("undo"); // and Redo's texts, after "&Undo " and "&Redo "
        QTest::addColumn<QString>("redo");
        const QString typed = QStringLiteral("change of the distance");
        // clang-format off
        QTest::newRow("add") << QStringList{"add"} << "+100,-100" << 1 << "add move 2" << "";
        QTest::newRow("add undone") << QStringList{"add", "undo"} << "+100" << 0 << typed << "add move 2";
        QTest::newRow("add redone") << QStringList{"add", "undo", "redo"} << "+100,-100" << 1 << "add move 2" << "";
        QTest::newRow("duplicate undone") << QStringList{"duplicate", "undo"} << "+100" << 0 << typed << "duplicate move 1";
        QTest::newRow("second move edited") << QStringList{"duplicate", "distance 250"} << "+100,+250" << 1
            << "change of the distance of move 2" << "";
        QTest::newRow("its edit undone from the first") << QStringList{"duplicate", "distance 250", "select 0", "undo"}
            << "+100,+100" << 1 << "duplicate move 1" << "change of the distance of move 2";
        QTest::newRow("and redone from the first") << QStringList{"duplicate", "distance 250", "select 0", "undo", "select 0", "redo"}
            << "+100,+250" << 1 << "change of the distance of move 2" << "";
        QTest::newRow("each move its own step") << QStringList{"duplicate", "distance 250", "select 0", "distance 50", "undo"}
            << "+100,+250" << 0 << "change of the distance of move 2" << "change of the distance of move 1";
        QTest::newRow("remove the first") << QStringList{"add", "select 0", "remove"} << "-100" << 0 << "remove move 1" << "";
        QTest::newRow("remove undone") << QStringList{"add", "select 0", "remove", "undo"} << "+100,-100" << 0
            << "add move 2" << "remove move 1";
        QTest::newRow("never the last") << QStringList{"remove"} << "+100" << 0 << typed << "";
        QTest::newRow("up") << QStringList{"add", "up"} << "-100,+100" << 0 << "move 2 up" << "";
        QTest::newRow("up undone") << QStringList{"add", "up", "undo"} << "+100,-100" << 1 << "add move 2" << "move 2 up";
        QTest::newRow("down redone") << QStringList{"add", "select 0", "down", "undo", "redo"} << "-100,+100" << 1
            << "move 1 down" << "";
        QTest::newRow("keys") << QStringList{"Insert", "Insert", "Alt+Up", "Ctrl+D", "Alt+Down", "Del"}
            << "+100,+100,-100" << 2 << "remove move 4" << "";
        QTest::newRow("keys undone") << QStringList{"Insert", "Insert", "Alt+Up", "undo", "undo"}
            << "+100,-100" << 1 << "add move 2" << "add move 3";
        // clang-format on
    }
    void moves_table_undo_steps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, distances);
        QFETCH(int, selected);
        QFETCH(QString, undo);
        QFETCH(QString, redo);
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        window.show();
        QApplication::setActiveWindow(&window);
        child<QTabWidget>(&window, QStringLiteral("tabAxis"))->setCurrentIndex(1);
        setControls(&window, {{"cmbDistanceUnits", "mm"}, {"txtDistance", "100"}});
        auto *table = child<QTableView>(&window, QStringLiteral("tblMoves"));
        auto *distance = child<QLineEdit>(&window, QStringLiteral("txtDistance"));
        const QHash<QString, QString> keys = {{"add", "cmdAddMove"},
                                              {"duplicate", "cmdDuplicateMove"},
                                              {"remove", "cmdRemoveMove"},
                                              {"up", "cmdRaiseMove"},
                                              {"down", "cmdLowerMove"}};
        for (const QString &step : steps) {
            const QString argument = step.section(u' ', 1);
            if (step.startsWith(QLatin1String("select"))) {
                table->setCurrentIndex(table->model()->index(argument.toInt(), 0));
            } else if (step.startsWith(QLatin1String("distance"))) {
                distance->setFocus();
                distance->setText(argument);
            } else if (keys.contains(step)) {
                QTest::mouseClick(child<QPushButton>(&window, keys.value(step)), Qt::LeftButton);
            } else if (step == QLatin1String("undo") || step == QLatin1String("redo")) {
                child<QAction>(&window, step == QLatin1String("undo") ? QStringLiteral("mnuEditUndo")
                                                                      : QStringLiteral("mnuEditRedo"))
                    ->trigger();
            } else {
                table->setFocus();
                QTest::keySequence(table, QKeySequence(step));
            }
        }
        QStringList shown;
        for (int r = 0; r < table->model()->rowCount(); ++r) {
            // "+100.0 mm" as "+100": a move out keeps its sign.
            QString cell = table->model()->index(r, 0).data().toString().remove(QStringLiteral(" mm"));
            const QString sign = cell.startsWith(u'+') ? QStringLiteral("+") : QString();
            shown << sign + QString::number(ReadAxisNumber(cell.remove(u'+')).value_or(-1));
        }
        QCOMPARE(shown.join(u','), distances);
        QCOMPARE(table->currentIndex().row(), selected);
        QCOMPARE(window.move().moves.size(), shown.size());
        // The box shows the selected move.
        QCOMPARE(ReadAxisNumber(distance->text()), ReadAxisNumber(shown[selected]));
        const auto text = [](const QString &menu, const QString &what) {
            return what.isEmpty() ? menu : menu + u' ' + what;
        };
        QCOMPARE(child<QAction>(&window, QStringLiteral("mnuEditUndo"))->text(),
                 text(QStringLiteral("&Undo"), undo));
        QCOMPARE(child<QAction>(&window, QStringLiteral("mnuEditRedo"))->text(),
                 text(QStringLiteral("&Redo"), redo));
    }

    // Each box of every tab, with the second of two moves selected: a value
    // typed key by key and entered is one step named by its box (a list's
    // choice too), and "of move 2" only when the box is one of that move's
    // own inputs; Ctrl+Z gives back the document exactly as it was,
    // Ctrl+Shift+Z the typed value.
    void every_box_is_one_undo_step_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("screw"); // the ball-screw axis, else a new (rotary) axis
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("name"); // the step's name, "of move 2" where the move's
        const QString ofMove = QStringLiteral(" of move 2");
        // clang-format off
        QTest::newRow("gearbox ratio") << "txtGearRatio" << true << "12.5" << "gearbox ratio";
        QTest::newRow("gearbox inertia") << "txtGearboxInertia" << false << "3e-6" << "gearbox inertia";
        QTest::newRow("rotor inertia") << "txtRotorInertia" << false << "1.2e-5" << "rotor inertia";
        QTest::newRow("rotor inertia pasted with a unit") << "txtRotorInertia" << true << "2 g-cm\u00b2"
                                                          << "rotor inertia";
        QTest::newRow("target ratio") << "txtTargetRatio" << false << "5" << "target ratio";
        QTest::newRow("distance") << "txtDistance" << true << "250" << "distance" + ofMove;
        QTest::newRow("move time") << "txtMoveTime" << true << "0.75" << "move time" + ofMove;
        QTest::newRow("acceleration time") << "txtAccelTime" << true << "0.1" << "acceleration time" + ofMove;
        QTest::newRow("deceleration time") << "txtDecelTime" << true << "0.2" << "deceleration time" + ofMove;
        QTest::newRow("dwell") << "txtDwell" << true << "1.5" << "dwell" + ofMove;
        QTest::newRow("incline") << "txtIncline" << true << "-30" << "incline \u03b8";
        QTest::newRow("friction") << "txtFriction" << true << "0.1" << "friction \u03bc";
        QTest::newRow("external force") << "txtThrust" << true << "20" << "external force" + ofMove;
        QTest::newRow("mechanism efficiency") << "txtMechanismEfficiency" << true << "85" << "mechanism efficiency";
        QTest::newRow("gearbox efficiency") << "txtGearboxEfficiency" << true << "95" << "gearbox efficiency";
        QTest::newRow("load torque") << "txtLoadTorque" << false << "0.4" << "load torque" + ofMove;
        QTest::newRow("rated torque") << "txtRatedTorque" << true << "0.64" << "rated torque";
        QTest::newRow("peak torque") << "txtPeakTorque" << true << "1.9" << "peak torque";
        QTest::newRow("maximum speed") << "txtMaxSpeed" << true << "3000" << "maximum speed";
        QTest::newRow("payload") << "txtPayload" << true << "5" << "payload" + ofMove;
        QTest::newRow("payload of a rotary axis") << "txtPayload" << false << "0.002" << "payload" + ofMove;
        // The Motor tab's boxes are the axis's.
        QTest::newRow("peak torque margin") << "txtPeakMargin" << true << "20" << "peak torque margin";
        QTest::newRow("static friction") << "txtStaticFriction" << true << "0.2" << "static friction \u03bcs";
        QTest::newRow("counterweight") << "txtCounterweight" << true << "10" << "counterweight";
        QTest::newRow("free length") << "txtFreeLength" << true << "0.8" << "free length";
        // The lists are edits of their boxes, and the profile, a curve's form
        // and the brake ones of their own.
        QTest::newRow("rotor inertia unit") << "cmbRotorInertiaUnits" << true << "g-cm\u00b2" << "rotor inertia";
        QTest::newRow("distance unit") << "cmbDistanceUnits" << true << "in" << "distance" + ofMove;
        QTest::newRow("maximum speed unit") << "cmbMaxSpeedUnits" << true << "rad/s" << "maximum speed";
        QTest::newRow("profile") << "cmbProfile" << true << "Triangular" << "profile" + ofMove;
        QTest::newRow("profile set by limits") << "cmbProfile" << true << "Set by limits" << "profile" + ofMove;
        QTest::newRow("holding brake") << "chkHoldingBrake" << true << "" << "holding brake" + ofMove;
        QTest::newRow("peak curve form") << "cmbPeakForm" << true << "Corner" << "peak torque curve form";
        // clang-format on
    }
    void every_box_is_one_undo_step()
    {
        QFETCH(QString, box);
        QFETCH(bool, screw);
        QFETCH(QString, typed);
        QFETCH(QString, name);
        frmAxisSizing window(m_context);
        window.setAxis(screw ? ballScrewAxis() : Axis());
        window.show();
        QApplication::setActiveWindow(&window);
        auto *control = child<QWidget>(&window, box);
        auto *edit = qobject_cast<NumericEdit *>(control);
        auto *list = qobject_cast<QComboBox *>(control);
        auto *tabs = child<QTabWidget>(&window, QStringLiteral("tabAxis"));
        tabs->setCurrentIndex(1);
        setControls(&window, {{"cmdDuplicateMove", {}}});
        QCOMPARE(window.move().moves.size(), 2);
        for (int t = 0; t < tabs->count(); ++t)
            if (tabs->widget(t)->isAncestorOf(control))
                tabs->setCurrentIndex(t);
        if (!control->isEnabled()) { // ramps are typed once the profile takes them as given
            setControls(&window, {{"txtDistance", "100"},
                                  {"txtMoveTime", "1"},
                                  {"cmbProfile", "Trapezoidal, ramps as given"}});
        }
        QVERIFY(control->isEnabled());
        const Axis axis = window.axis();
        const MoveInputs move = window.move();
        auto *undo = child<QAction>(&window, QStringLiteral("mnuEditUndo"));
        const QString before = undo->text();

        control->setFocus();
        QVERIFY(control->hasFocus());
        if (!edit) {
            setControls(&window, {{box, typed}}); // another entry chosen, or the option turned
        } else if (typed.contains(u' ')) {
            edit->pasteNumber(typed);
        } else {
            edit->selectAll();
            QTest::keyClicks(edit, typed);
        }
        QTest::keyClick(control, Qt::Key_Tab);
        QVERIFY(!control->hasFocus());
        const Axis typedAxis = window.axis();
        const MoveInputs typedMove = window.move();
        const auto shown = [edit, list, control]() {
            return edit   ? QString::number(ReadAxisNumber(edit->text()).value_or(-1))
                   : list ? list->currentText()
                          : QString::number(static_cast<QAbstractButton *>(control)->isChecked());
        };
        const QString typedText = shown();
        QVERIFY(!(typedAxis == axis && typedMove == move));
        QCOMPARE(undo->text(), "&Undo change of the " + name);

        // From the box itself, the keys reach the window's Undo and Redo; one
        // step takes the typed value back whole.
        control->setFocus();
        QTest::keySequence(control, QKeySequence::Undo);
        QCOMPARE(window.axis(), axis);
        QCOMPARE(window.move(), move);
        QCOMPARE(undo->text(), before);
        QCOMPARE(child<QAction>(&window, QStringLiteral("mnuEditRedo"))->text(),
                 "&Redo change of the " + name);
        QTest::keySequence(control, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(window.axis(), typedAxis);
        QCOMPARE(window.move(), typedMove);
        QCOMPARE(shown(), typedText);
    }

    // A double-click on a row, of any kind, opens its editor once.
    void double_click_opens_one_editor_data()
    {
        QTest::addColumn<int>("row");
        for (int kind = 0; kind < AxisItemKindCount; ++kind)
            QTest::newRow(KindInfo(AxisItemKind(kind)).key) << kind;
    }
    void double_click_opens_one_editor()
    {
        QFETCH(int, row);
        // One item of each kind, in the order of the kinds.
        const Axis kinds = axis(
            {steelScrew(), item(AxisItemKind::PointMass, {{AxisParam::Mass, 1}, {AxisParam::Radius, 0.1}}),
             inertiaValue(1e-5), screwLoad(40, 0.01), beltLoad(2, 0.05)},
            1, 0, 1e-5);
        frmAxisSizing window(m_context);
        window.setAxis(kinds);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.axis().items.at(row).kind, AxisItemKind(row));
        int editors = 0;
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, &window, [&editors]() {
            if (QWidget *editor = QApplication::activeModalWidget()) {
                ++editors;
                editor->close();
            }
        });
        cancel.start(5);
        auto *table = child<QTableView>(&window, QStringLiteral("tblItems"));
        const QPoint at = table->visualRect(table->model()->index(row, 1)).center();
        // As the window system gives a double-click: a click, then a press
        // that is a double-click, then its release.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(table->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(editors, 1);
    }

    // A file that cannot be read is refused whole, with a message naming it
    // and the problem, and the axis on screen stays as it was.
    void unreadable_file_changes_nothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problemWord");
        QTest::newRow("damaged") << QByteArray(R"({"format": "Torvane axis", "version": 1, "items": [)")
                                 << "damaged";
        QTest::newRow("missing") << QByteArray() << "";
    }
    void unreadable_file_changes_nothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problemWord);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.tvaxis"));
        if (!bytes.isEmpty())
            QVERIFY(TestSupport::writeFile(path, bytes));
        frmAxisSizing window(m_context);
        window.setAxis(ballScrewAxis());
        const Axis before = window.axis();
        QString message;
        auto watch = whenModalShown([&message](QWidget *box) {
            message = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        QVERIFY(!window.openFile(path));
        QVERIFY2(message.contains(QStringLiteral("bad.tvaxis")) &&
                     message.contains(problemWord, Qt::CaseInsensitive),
                 qPrintable(message));
        QCOMPARE(window.axis(), before);
        QVERIFY(window.filePath().isEmpty());
    }

    // Closing with unsaved changes asks; Cancel keeps the window and the
    // axis, Discard closes it.
    void close_with_changes_asks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closed");
        QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
        QTest::newRow("discard") << int(QMessageBox::Discard) << true;
    }
    void close_with_changes_asks()
    {
        QFETCH(int, answer);
        QFETCH(bool, closed);
        frmAxisSizing window(m_context);
        window.show();
        child<QLineEdit>(&window, QStringLiteral("txtGearRatio"))->setText(QStringLiteral("4"));
        auto watch = whenModalShown([answer](QWidget *box) {
            static_cast<QMessageBox *>(box)->button(QMessageBox::StandardButton(answer))->click();
        });
        window.close();
        QVERIFY(watch.opened());
        QCOMPARE(window.isVisible(), !closed);
        QCOMPARE(window.axis().gearbox.ratio, 4.0);
    }
};

QTEST_MAIN(TestFrmAxisSizing)
#include "tst_frmaxissizing.moc"
