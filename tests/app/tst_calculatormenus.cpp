// The Edit and View menus of the three calculators: each entry, pressed by
// its key from where the focus is, does in each window what the window's own
// keys do, and the window's keys and the menu show the same state.

#include "app/registerwindows.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include <array>
#include <memory>

using TestSupport::child;

namespace {

// The result each window's rows below read: the unit calculator's "lb" row,
// the inertia calculator's Ixx, the axis window's inertia at the motor.
QString shownResult(const QWidget *form)
{
    if (auto *list = form->findChild<QTreeWidget *>(QStringLiteral("lvConversions"))) {
        const QList<QTreeWidgetItem *> rows = list->findItems(QStringLiteral("lb"), Qt::MatchStartsWith, 2);
        return rows.isEmpty() ? QString() : rows.first()->text(1);
    }
    const char *label = form->objectName() == u"frmInertiaCalc" ? "lblIxx" : "lblResult_2";
    return child<QLabel>(form, QLatin1String(label))->text();
}

// Gives each window a result whose digits show: 2 kg in pounds, a 2 kg
// spherical shell of radius 100 mm, an axis of 2/3 kg·m² at the motor.
void prepare(QWidget *form)
{
    const QString name = form->objectName();
    if (name == u"frmUnitCalculator") {
        auto *list = child<QTreeWidget>(form, QStringLiteral("lvConversions"));
        const QList<QTreeWidgetItem *> rows = list->findItems(QStringLiteral("lb"), Qt::MatchStartsWith, 2);
        QVERIFY(!rows.isEmpty());
        list->setCurrentItem(rows.first());
        child<QLineEdit>(form, QStringLiteral("txtNumber"))->setFocus();
    } else if (name == u"frmInertiaCalc") {
        auto *shapes = child<QComboBox>(form, QStringLiteral("cmbShape"));
        shapes->setCurrentIndex(shapes->findText(QStringLiteral("Spherical shell")));
        child<QAbstractButton>(form, QStringLiteral("optMass"))->click();
        child<QLineEdit>(form, QStringLiteral("txtRadius"))->setText(QStringLiteral("0.1"));
        child<QLineEdit>(form, QStringLiteral("txtMass"))->setText(QStringLiteral("2"));
        child<QLineEdit>(form, QStringLiteral("txtMass"))->setFocus();
    } else {
        child<QLineEdit>(form, QStringLiteral("txtGearboxInertia"))->setText(QStringLiteral("0.6666667"));
        child<QLineEdit>(form, QStringLiteral("txtGearboxInertia"))->setFocus();
    }
}

} // namespace

class TestCalculatorMenus : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

    std::unique_ptr<QWidget> open(const QString &name)
    {
        for (const ProgramWindow &window : ProgramWindows(m_context)) {
            if (window.name == name) {
                std::unique_ptr<QWidget> form = window.make();
                form->show();
                if (!QTest::qWaitForWindowActive(form.get()))
                    return nullptr;
                return form;
            }
        }
        return nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_dir);
        TestSupport::loadShippedUnits(m_context.units());
    }
    void init() { QFile::remove(m_context.settings().fileName()); }

    void entries_act_by_their_keys_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("focus"); // a control other than the window's box, or empty
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("clipboard"); // afterwards; empty: not changed
        QTest::addColumn<QString>("shown");     // the window's result afterwards
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("notation");
        const auto row = [](const char *window, const char *focus, const char *entry, const char *clipboard,
                            const char *shown, int digits, bool notation) {
            QTest::addRow("%s %s %s", window, entry, focus)
                << QString(window) << QString(focus) << QString(entry) << QString::fromUtf8(clipboard)
                << QString(shown) << digits << notation;
        };
        // Each window's result at 6 digits, 7, 5, in notation, and copied with its unit.
        const std::array<std::array<const char *, 6>, 3> windows{
            {{"frmUnitCalculator", "4.40925", "4.409245", "4.4092", "4.40925E+00", "4.40925 lb"},
             {"frmInertiaCalc", "0.0133333", "0.01333333", "0.013333", "1.33333E-02", "0.0133333 kg-m²"},
             {"frmAxisSizing", "0.666667", "0.6666667", "0.66667", "6.66667E-01", "0.666667 kg-m²"}}};
        for (const auto &[window, six, seven, five, notation, withUnit] : windows) {
            row(window, "", "mnuViewMoreDigits", "", seven, 7, false);
            row(window, "", "mnuViewFewerDigits", "", five, 5, false);
            row(window, "", "mnuViewNotation", "", notation, 6, true);
            row(window, "", "mnuEditCopyValue", six, six, 6, false);
            row(window, "", "mnuEditCopyValueUnit", withUnit, six, 6, false);
        }
        // The Edit menu copies the result whose copy key has the focus.
        row("frmInertiaCalc", "cmdCopyAll_2", "mnuEditCopyValue", "0.0133333", "0.0133333", 6, false);
        row("frmAxisSizing", "cmdCopyValue_3", "mnuEditCopyValueUnit", "0.666667 : 1", "0.666667", 6, false);
        row("frmUnitCalculator", "", "mnuViewDecimalComma", "", "4,40925", 6, false);
    }
    void entries_act_by_their_keys()
    {
        QFETCH(QString, window);
        QFETCH(QString, focus);
        QFETCH(QString, entry);
        QGuiApplication::clipboard()->setText(QStringLiteral("2 kg"));
        std::unique_ptr<QWidget> form = open(window);
        QVERIFY(form);
        prepare(form.get());
        if (window == u"frmAxisSizing")
            child<QLineEdit>(form.get(), QStringLiteral("txtRotorInertia"))->setText(QStringLiteral("1"));
        if (!focus.isEmpty())
            child<QWidget>(form.get(), focus)->setFocus();
        QGuiApplication::clipboard()->clear();

        auto *action = child<QAction>(form.get(), entry);
        QWidget *focused = QApplication::focusWidget();
        QTest::keySequence(focused, action->shortcut());
        QCOMPARE(QApplication::focusWidget(), focused);
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        QTEST(shownResult(form.get()), "shown");
        const QString digitsBox = window == u"frmUnitCalculator" ? "txtDigits" : "lblDigits";
        QTEST(child<QWidget>(form.get(), digitsBox)->property("text").toString().toInt(), "digits");
        // The window's notation key and the menu entry show the same state.
        const bool notation = child<QAction>(form.get(), QStringLiteral("mnuViewNotation"))->isChecked();
        QTEST(notation, "notation");
        const QObject *key =
            window == u"frmUnitCalculator"
                ? static_cast<QObject *>(child<QAction>(form.get(), QStringLiteral("SciNotation")))
                : child<QAbstractButton>(form.get(), QStringLiteral("cmdNotationMode"));
        QCOMPARE(key->property("checked").toBool(), notation);
    }

    // The unit calculator's buttons name the menus' keys in their hints.
    void hints_name_the_menu_keys()
    {
        std::unique_ptr<QWidget> form = open(QStringLiteral("frmUnitCalculator"));
        QVERIFY(form);
        const std::pair<const char *, const char *> pairs[] = {{"CopyAll", "mnuEditCopyValueUnit"},
                                                               {"CopyNumber", "mnuEditCopyValue"},
                                                               {"SciNotation", "mnuViewNotation"},
                                                               {"EnglishDecimal", "mnuViewDecimalPoint"},
                                                               {"EuropeanDecimal", "mnuViewDecimalComma"}};
        for (const auto &[button, entry] : pairs) {
            const QKeySequence key = child<QAction>(form.get(), QLatin1String(entry))->shortcut();
            QVERIFY(!key.isEmpty());
            QVERIFY(child<QAction>(form.get(), QLatin1String(button))
                        ->toolTip()
                        .endsWith(QStringLiteral(" (%1)").arg(key.toString(QKeySequence::NativeText))));
        }
    }

    // Edit > Paste takes the clipboard's "number unit": the unit calculator
    // as it does at opening, the others into the box holding the focus.
    void paste_takes_number_and_unit_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("units");
        // clang-format off
        QTest::newRow("unit calculator, focus in the list") << "frmUnitCalculator" << "lvConversions" << "cmbUnits";
        QTest::newRow("inertia calculator") << "frmInertiaCalc" << "txtLength" << "cmbLengthUnits";
        QTest::newRow("axis sizing") << "frmAxisSizing" << "txtGearboxInertia" << "cmbGearboxInertiaUnits";
        // clang-format on
    }
    void paste_takes_number_and_unit()
    {
        QFETCH(QString, window);
        QFETCH(QString, focus);
        QFETCH(QString, units);
        std::unique_ptr<QWidget> form = open(window);
        QVERIFY(form);
        auto *box = qobject_cast<QLineEdit *>(child<QWidget>(form.get(), focus));
        child<QWidget>(form.get(), focus)->setFocus();
        const bool inertiaUnit = window == u"frmAxisSizing";
        QGuiApplication::clipboard()->setText(inertiaUnit ? QStringLiteral("2.5 g-cm²")
                                                          : QStringLiteral("2.5 mm"));
        child<QAction>(form.get(), QStringLiteral("mnuEditPaste"))->trigger();
        if (!box)
            box = child<QLineEdit>(form.get(), QStringLiteral("txtNumber"));
        QCOMPARE(box->text() + u' ' + child<QComboBox>(form.get(), units)->currentText().trimmed(),
                 QGuiApplication::clipboard()->text());
    }

    // The axis window keeps its digits and notation as the other calculators do.
    void axis_display_is_kept()
    {
        const QString section = QStringLiteral("Axis Sizing");
        m_context.settings().write(section, QStringLiteral("Digits"), QStringLiteral("3"));
        m_context.settings().write(section, QStringLiteral("NotationMode"), QStringLiteral("True"));
        std::unique_ptr<QWidget> form = open(QStringLiteral("frmAxisSizing"));
        QVERIFY(form);
        QCOMPARE(child<QLabel>(form.get(), QStringLiteral("lblDigits"))->text(), QStringLiteral("3"));
        QVERIFY(child<QAction>(form.get(), QStringLiteral("mnuViewNotation"))->isChecked());
        child<QAction>(form.get(), QStringLiteral("mnuViewFewerDigits"))->trigger();
        child<QAction>(form.get(), QStringLiteral("mnuViewNotation"))->trigger();
        form.reset();
        QCOMPARE(QStringList({m_context.settings().read(section, QStringLiteral("Digits")),
                              m_context.settings().read(section, QStringLiteral("NotationMode"))}),
                 QStringList({"2", "False"}));
    }
};

QTEST_MAIN(TestCalculatorMenus)
#include "tst_calculatormenus.moc"
