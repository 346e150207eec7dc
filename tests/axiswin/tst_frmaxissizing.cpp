// The axis sizing window driven as a user would: items added and edited
// through the item editor, the gearbox and motor typed in, the results read
// from the labels.

#include "../axis/axisbuild.h"
#include "axiswin/frmaxissizing.h"

#include "testsupport.h"
#include "widgets/numericedit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

using namespace AxisBuild;
using TestSupport::child;
using TestSupport::whenModalShown;

using Boxes = QList<std::pair<QString, QString>>;

namespace {

QString kg_m2()
{
    return PadRight(QStringLiteral("kg-m\u00b2"), UnitNameWidth);
}

// Fills the open item editor: each box named by its objectName gets its text
// ("number unit" texts pasted), units stay at what the test selected, then OK.
void fillEditor(QWidget *editor, const Boxes &boxes, int quantity)
{
    for (const auto &[name, text] : boxes) {
        if (text.contains(u' '))
            child<NumericEdit>(editor, name)->pasteNumber(text);
        else
            child<QLineEdit>(editor, name)->setText(text);
    }
    child<QSpinBox>(editor, QStringLiteral("spnQuantity"))->setValue(quantity);
    QTest::mouseClick(child<QPushButton>(editor, QStringLiteral("cmdOK")), Qt::LeftButton);
}

} // namespace

class TestFrmAxisSizing : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }

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
        // 12 kg on a 50 mm pulley: 7.5e-3 kg·m², no gearbox.
        QTest::newRow("belt load, cm")
            << "mnuAdd_beltLoad"
            << "kg"
            << "cm" << Boxes{{"txtMass", "12"}, {"txtPitchDiameter", "5"}} << 1 << 1.0 << 7.5e-3 + 5e-6;
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

    // Edit, duplicate, move and remove change the axis and its total; a
    // cancelled edit changes nothing.
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

        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdDuplicate")), Qt::LeftButton);
        QCOMPARE(window.axis().items.size(), 4);
        QVERIFY(matches(window.results().atMotor, 2.444166e-5 + 1.2e-5 / 9));
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdMoveUp")), Qt::LeftButton);
        QCOMPARE(window.axis().items.at(2), window.axis().items.at(3));
        QApplication::setActiveWindow(&window);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_Delete);
        QTest::mouseClick(child<QPushButton>(&window, QStringLiteral("cmdRemove")), Qt::LeftButton);
        QCOMPARE(window.axis().items.size(), 2);
        QVERIFY(matches(window.results().atMotor, 2.444166e-5 - 1.2e-5 / 9));
        // Undo puts the last removed item back in its place.
        child<QAction>(&window, QStringLiteral("mnuEditUndo"))->trigger();
        QCOMPARE(window.axis().items.size(), 3);
        QCOMPARE(window.axis().items.at(2), ballScrewAxis().items.at(2));
        QVERIFY(!child<QAction>(&window, QStringLiteral("mnuEditUndo"))->isEnabled());

        // A rotor inertia of 0 gives no ratio, said in words.
        child<QLineEdit>(&window, QStringLiteral("txtRotorInertia"))->setText(QStringLiteral("0"));
        QVERIFY(!window.results().ratio.ok());
        QCOMPARE(child<QLabel>(&window, QStringLiteral("lblVerdict"))->text(), window.results().verdict.text);
    }

    // Saved and opened again through the window, the axis is the same and so
    // is J_M; the title loses its mark of unsaved changes.
    void file_round_trip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("screw.tvaxis"));
        frmAxisSizing saver(m_context);
        saver.setAxis(ballScrewAxis());
        child<QLineEdit>(&saver, QStringLiteral("txtTargetRatio"))->setText(QStringLiteral("5"));
        QVERIFY(saver.isModified());
        QVERIFY(saver.saveFile(path));
        QVERIFY(!saver.isModified());
        QVERIFY(!saver.windowTitle().contains(u'*'));

        frmAxisSizing opener(m_context);
        QVERIFY(opener.openFile(path));
        QCOMPARE(opener.axis(), saver.axis());
        QVERIFY(!opener.isModified());
        QVERIFY(matches(opener.results().atMotor, 2.444166e-5));
        QCOMPARE(child<QLineEdit>(&opener, QStringLiteral("txtTargetRatio"))->text(), QStringLiteral("5"));

        // The item table exported as it shows, one line per item after the header.
        const QString csv = dir.filePath(QStringLiteral("items.csv"));
        QVERIFY(opener.exportCsv(csv));
        QCOMPARE(TestSupport::fileContents(csv).count("\r\n"), 1 + opener.axis().items.size());
    }

    // A file that cannot be read is refused whole, with a message naming it
    // and the problem, and the axis on screen stays as it was.
    void unreadable_file_changes_nothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problemWord");
        QTest::newRow("damaged") << QByteArray(R"({"format": "Torvane axis", "version": 1, "items": [)")
                                 << "damaged";
        QTest::newRow("newer") << QByteArray(R"({"format": "Torvane axis", "version": 99, "items": []})")
                               << "newer";
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
