// The inertia calculator window, driven headless as a user would: typing into
// the boxes, picking units, reading the result labels and the clipboard.
// Each shape's results through the copy keys are checked end to end (e2e_inertia),
// its formulas in the core.

#include "inertiawin/frminertiacalc.h"
#include "inertiatable.h"

#include "core/settingsstore.h"
#include "densities/densitytable.h"
#include "testsupport.h"
#include "units/numberformat.h"
#include "widgets/numericedit.h"
#include "widgets/picturebutton.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <tuple>

namespace {

const QString Section = QStringLiteral("Inertia Calculator");
const char *const ResultLabels[] = {"lblIxx", "lblIyy", "lblIzz", "lblIxxPrime", "lblIyyPrime"};
// Default units chosen in the default-units window: mass, density, length, inertia.
const QStringList Chosen = {"g", "g/cm\u00b3", "mm", "kg-cm\u00b2"};

struct Window
{
    explicit Window(WindowContext &context) : form(std::make_unique<frmInertiaCalc>(context))
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    std::unique_ptr<frmInertiaCalc> form;

    template <typename T> T *child(const QString &name) const
    {
        return TestSupport::child<T>(form.get(), name);
    }
    QLineEdit *box(const QString &name) const { return child<QLineEdit>(name); }
    QComboBox *list(const QString &name) const { return child<QComboBox>(name); }
    QString result(int axis) const { return child<QLabel>(QLatin1String(ResultLabels[axis]))->text(); }

    void pick(const QString &listName, const QString &unit) const
    {
        QComboBox *units = list(listName);
        const int at = units->findText(PadRight(unit, UnitNameWidth));
        QVERIFY2(at >= 0, qPrintable(unit));
        units->setCurrentIndex(at);
    }
    void chooseShape(const QString &shape) const
    {
        QComboBox *shapes = list(QStringLiteral("cmbShape"));
        shapes->setCurrentIndex(shapes->findText(shape));
    }
    // Types text into a box the way a user does: focus selects it all, keys replace it.
    void type(const QString &boxName, const QString &text) const
    {
        QLineEdit *target = box(boxName);
        target->setFocus();
        target->selectAll();
        QTest::keyClick(target, Qt::Key_Backspace);
        QTest::keyClicks(target, text);
    }
    // "txtLength=1000 mm;txtMass=10 kg": each box's text and its unit.
    void enter(const QString &entries) const
    {
        static const QHash<QString, QString> unitLists = {
            {"txtDensity", "cmbDensityUnits"}, {"txtMass", "cmbMassUnits"},
            {"txtRadius", "cmbRadiusUnits"},   {"txtHeight", "cmbHeightUnits"},
            {"txtLength", "cmbLengthUnits"},   {"txtWidth", "cmbWidthUnits"},
            {"txtOutsideDia", "cmbODUnits"},   {"txtInsideDia", "cmbIDUnits"}};
        for (const QString &entry : entries.split(u';', Qt::SkipEmptyParts)) {
            const QString name = entry.section(u'=', 0, 0);
            type(name, entry.section(u'=', 1).section(u' ', 0, 0));
            pick(unitLists.value(name), entry.section(u' ', 1));
        }
    }
    void click(const QString &name) const { child<QAbstractButton>(name)->click(); }
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
};

} // namespace

class TestFrmInertiaCalc : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        InertiaTable::loadInto(m_context.units());
        // A stored 0 (older files may hold one) is a choice like any other.
        QVERIFY(SaveDensityFile(DensityFilePath(m_context.dataFiles()),
                                {{PadRight(QStringLiteral("Steel"), MaterialNameWidth), 7850},
                                 {PadRight(QStringLiteral("Void"), MaterialNameWidth), 0}})
                    .ok());
    }
    void init()
    {
        QFile::remove(m_context.settings().fileName());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void opens_on_the_cylinder_in_density_mode_with_default_units()
    {
        Window w(m_context);
        const auto state = [&w](const char *name) {
            return w.form->findChild<QWidget *>(name)->property("enabled").toBool();
        };
        QCOMPARE(QStringList({w.list(QStringLiteral("cmbShape"))->currentText(),
                              w.list(QStringLiteral("cmbDensityUnits"))->currentText().trimmed(),
                              w.list(QStringLiteral("cmbODUnits"))->currentText().trimmed(),
                              w.list(QStringLiteral("cmbResultUnits"))->currentText().trimmed(),
                              w.box(QStringLiteral("txtLength"))->text(), w.result(0)}),
                 QStringList({"Cylinder", "kg/m\u00b3", "m", "kg-m\u00b2", "0.0", "0.0"}));
        QCOMPARE(QList({w.child<QRadioButton>(QStringLiteral("optDensity"))->isChecked(), state("txtMass"),
                        state("cmdFindDensity"), w.box(QStringLiteral("txtDensity"))->hasFocus()}),
                 QList({true, false, true, true}));
        // The axis window's pick pane is not part of the plain calculator.
        QVERIFY(!w.form->findChild<QWidget *>(QStringLiteral("cmdAddToAxis")));
    }

    void shapes_lay_out_their_rows_and_modes_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("boxes"); // visible dimension boxes
        QTest::addColumn<bool>("densityOffered");
        QTest::addColumn<bool>("endAxes");
        // clang-format off
        QTest::newRow("cylinder") << "Cylinder" << "txtLength txtOutsideDia txtInsideDia" << true << true;
        QTest::newRow("parallelepiped") << "Parallelepiped" << "txtHeight txtLength txtWidth" << true << true;
        QTest::newRow("spherical shell") << "Spherical shell" << "txtRadius" << false << false;
        QTest::newRow("sphere") << "Sphere" << "txtRadius" << true << false;
        QTest::newRow("slender rod") << "Slender rod" << "txtLength" << false << true;
        QTest::newRow("tetrahedron") << "Tetrahedron" << "txtHeight txtLength txtWidth" << false << false;
        // clang-format on
    }
    void shapes_lay_out_their_rows_and_modes()
    {
        QFETCH(QString, shape);
        QFETCH(bool, densityOffered);
        QFETCH(bool, endAxes);
        Window w(m_context);
        w.chooseShape(shape == QLatin1String("Tetrahedron") ? QStringLiteral("Cylinder")
                                                            : QStringLiteral("Tetrahedron"));
        w.type(QStringLiteral("txtLength"), QStringLiteral("7"));
        const QPoint pictureAt = w.child<QLabel>(QStringLiteral("picShape"))->pos();
        w.chooseShape(shape);
        QCOMPARE(w.form->shape(), shape);
        QStringList shown;
        for (const char *name :
             {"txtRadius", "txtHeight", "txtLength", "txtWidth", "txtOutsideDia", "txtInsideDia"}) {
            if (w.box(QLatin1String(name))->isVisible())
                shown << QLatin1String(name);
        }
        QTEST(shown.join(u' '), "boxes");
        // A shape change puts every box back to its default; nothing moves.
        QCOMPARE(w.box(QStringLiteral("txtLength"))->text(), QStringLiteral("0.0"));
        QCOMPARE(w.child<QLabel>(QStringLiteral("picShape"))->pos(), pictureAt);
        QVERIFY(!w.child<QLabel>(QStringLiteral("picShape"))->pixmap().isNull());
        // Coming from the mass-only tetrahedron, or going to a mass-only
        // shape, leaves the window in mass mode.
        auto *optDensity = w.child<QRadioButton>(QStringLiteral("optDensity"));
        QCOMPARE(QList({w.child<QLabel>(QStringLiteral("lblIxxPrime"))->isVisible(),
                        w.child<QAbstractButton>(QStringLiteral("cmdCopyAll_4"))->isVisible(),
                        optDensity->isVisible(), optDensity->isChecked()}),
                 QList({endAxes, endAxes, densityOffered, false}));

        // Clicking the Density caption selects density only where it is offered.
        QTest::mouseClick(w.child<QLabel>(QStringLiteral("Label11")), Qt::LeftButton);
        QCOMPARE(QList({optDensity->isChecked(), w.list(QStringLiteral("cmbDensityUnits"))->isEnabled()}),
                 QList({false, false}));
        QTest::mouseClick(w.child<QLabel>(QStringLiteral("Label10")), Qt::LeftButton);
        QCOMPARE(QList({optDensity->isChecked(), w.box(QStringLiteral("txtMass"))->isEnabled(),
                        w.list(QStringLiteral("cmbDensityUnits"))->isEnabled()}),
                 QList({densityOffered, !densityOffered, densityOffered}));
    }

    // A minus typed over the box the focus selected starts a new number; until
    // it is one the results stay empty, and the reason line says nothing.
    void half_typed_box_shows_no_results_until_a_number()
    {
        Window w(m_context);
        w.chooseShape(QStringLiteral("Slender rod"));
        w.enter(QStringLiteral("txtLength=3 m;txtMass=4 kg"));
        QLineEdit *mass = w.box(QStringLiteral("txtMass"));
        w.box(QStringLiteral("txtLength"))->setFocus();
        mass->setFocus();
        QCOMPARE(mass->selectedText(), QStringLiteral("4"));
        QTest::keyClick(mass, '-');
        QCOMPARE(mass->text(), QStringLiteral("-"));
        QCOMPARE(w.result(0) + u'|' + w.result(2) + u'|' + w.result(3), QStringLiteral("|0.0|"));
        QTest::keyClick(mass, '4');
        QCOMPARE(w.result(0) + u'|' + w.child<QLabel>(QStringLiteral("lblInputProblem"))->text(),
                 QStringLiteral("Invalid input|Mass cannot be negative"));
        mass->clear();
        QCOMPARE(w.result(0), QString());
        w.box(QStringLiteral("txtLength"))->setFocus();
        QCOMPARE(mass->text() + u'|' + w.result(0) + u'|' +
                     w.child<QLabel>(QStringLiteral("lblInputProblem"))->text(),
                 QStringLiteral("0|0.0|"));
    }

    // A pasted "number unit" picks the unit where the box's list holds it;
    // with any other unit the box and its list stay as they were.
    void paste_takes_the_number_and_its_unit_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("expected"); // box text and list text afterwards
        QTest::addColumn<bool>("told");
        auto row = [](const char *name, const char *box, const char *list, const char *clip,
                      const char *expected,
                      bool told) { QTest::newRow(name) << box << list << clip << expected << told; };
        row("unit of another list", "txtLength", "cmbLengthUnits", "5 kg", "0.0 m", true);
        row("unknown unit", "txtMass", "cmbMassUnits", "3 stone", "0 kg", true);
        row("unit of its list", "txtLength", "cmbLengthUnits", "1 500 mm", "1500 mm", false);
    }
    void paste_takes_the_number_and_its_unit()
    {
        QFETCH(QString, box);
        QFETCH(QString, list);
        QFETCH(QString, clip);
        Window w(m_context);
        if (box == QLatin1String("txtMass"))
            w.child<QRadioButton>(QStringLiteral("optMass"))->setChecked(true);
        auto *target = w.child<NumericEdit>(box);
        target->setFocus();
        QGuiApplication::clipboard()->setText(clip);
        QTest::keySequence(target, QKeySequence::Paste);
        QTEST(target->text() + u' ' + w.list(list)->currentText().trimmed(), "expected");
        QTEST(!target->pasteMessage().isEmpty(), "told");
    }

    // On/C clears every box in order, to a 0 that reads back (also under a
    // comma locale, where a cleared box once failed to read).
    void on_c_clears_every_box_in_order_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany);
    }
    void on_c_clears_every_box_in_order()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        Window w(m_context);
        w.child<QRadioButton>(QStringLiteral("optMass"))->setChecked(true);
        const QStringList order = {"txtDensity", "txtMass",       "txtHeight", "txtRadius",
                                   "txtLength",  "txtOutsideDia", "txtWidth",  "txtInsideDia"};
        QStringList cleared;
        for (const QString &name : order) {
            QLineEdit *box = w.box(name);
            box->setText(QStringLiteral("5"));
            QObject::connect(box, &QLineEdit::textChanged, box, [&cleared, name] { cleared << name; });
        }
        w.click(QStringLiteral("cmdOn"));
        QCOMPARE(cleared, order);
        for (const QString &name : order)
            QCOMPARE(ParseLocaleNumber(w.box(name)->text(), locale.decimalPoint().at(0)), 0.0f);
        QCOMPARE(w.result(0), QLatin1String("0") + locale.decimalPoint() + QLatin1String("0"));

        // In density mode the mass box then shows the mass found, 0.
        w.child<QRadioButton>(QStringLiteral("optDensity"))->setChecked(true);
        w.enter(QStringLiteral("txtLength=1 m;txtOutsideDia=1 m;txtDensity=1000 kg/m\u00b3"));
        QVERIFY(w.box(QStringLiteral("txtMass"))->text() != QStringLiteral("0"));
        w.click(QStringLiteral("cmdOn"));
        QCOMPARE(w.box(QStringLiteral("txtMass"))->text(), QStringLiteral("0"));
    }

    // Digits and notation come from the settings (their reading rules are
    // checked with the settings store), and closing writes them back (after
    // other changes: e2e_inertia).
    void display_settings_are_read_and_written()
    {
        m_context.settings().write(Section, QStringLiteral("Digits"), QStringLiteral("3"));
        m_context.settings().write(Section, QStringLiteral("NotationMode"), QStringLiteral("True"));
        Window w(m_context);
        QCOMPARE(
            std::tuple(w.form->displayDigits(), w.child<QLabel>(QStringLiteral("lblDigits"))->text().toInt(),
                       w.child<QScrollBar>(QStringLiteral("vscrlDigits"))->value(), w.form->notationMode()),
            std::tuple(3, 3, 3, true));
        w.child<QScrollBar>(QStringLiteral("vscrlDigits"))->setValue(1);
        w.click(QStringLiteral("cmdNotationMode"));
        w.click(QStringLiteral("cmdOff"));
        QVERIFY(!w.form->isVisible());
        QCOMPARE(QStringList({m_context.settings().read(Section, QStringLiteral("Digits")),
                              m_context.settings().read(Section, QStringLiteral("NotationMode"))}),
                 QStringList({QStringLiteral("1"), QStringLiteral("False")}));
    }

    // The find-density key opens the density window; a density selected there
    // comes back in its unit and recomputes, a window closed without one changes nothing.
    void density_window_hands_its_choice_over_data()
    {
        QTest::addColumn<int>("select");      // the line selected; -1 closes without choosing
        QTest::addColumn<QString>("density"); // density box and unit afterwards
        QTest::addColumn<QString>("mass");
        QTest::newRow("a density of 0 selected") << 1 << QStringLiteral("0 g/cm\u00b3") << "0";
        QTest::newRow("closed without choosing") << -1 << QStringLiteral("1000 kg/m\u00b3") << "1000";
    }
    void density_window_hands_its_choice_over()
    {
        QFETCH(int, select);
        QFETCH(QString, density);
        Window w(m_context);
        w.chooseShape(QStringLiteral("Parallelepiped"));
        w.enter(QStringLiteral("txtLength=1 m;txtWidth=1 m;txtHeight=1 m;txtDensity=1000 kg/m\u00b3"));
        w.box(QStringLiteral("txtLength"))->setFocus();
        QString opened;
        const auto watch = TestSupport::whenModalShown([&](QWidget *window) {
            opened = window->objectName();
            if (select < 0) {
                window->close();
                return;
            }
            auto *list = window->findChild<QListView *>(QStringLiteral("lstMaterials"));
            list->setCurrentIndex(list->model()->index(select, 0));
            auto *units = window->findChild<QComboBox *>(QStringLiteral("cmbDisplayUnits"));
            units->setCurrentIndex(units->findText(PadRight(QStringLiteral("g/cm\u00b3"), UnitNameWidth)));
            window->findChild<QAbstractButton *>(QStringLiteral("cmdSelect"))->click();
        });
        w.click(QStringLiteral("cmdFindDensity"));
        QCOMPARE(opened, QStringLiteral("frmDensitySelect"));
        QCOMPARE(w.box(QStringLiteral("txtDensity"))->text() + u' ' +
                     w.list(QStringLiteral("cmbDensityUnits"))->currentText().trimmed(),
                 density);
        QTEST(w.box(QStringLiteral("txtMass"))->text(), "mass");
        QCOMPARE(w.form->focusWidget(),
                 w.box(select >= 0 ? QStringLiteral("txtDensity") : QStringLiteral("txtLength")));
    }

    void set_default_units_reselects_every_list_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QStringList>("expected"); // mass, density, length and inertia units afterwards
        QTest::newRow("save") << "cmdSave" << Chosen;
        QTest::newRow("cancel") << "cmdCancel" << QStringList{"kg", "kg/m\u00b3", "m", "kg-m\u00b2"};
    }
    void set_default_units_reselects_every_list()
    {
        QFETCH(QString, button);
        QFETCH(QStringList, expected);
        Window w(m_context);
        w.chooseShape(QStringLiteral("Slender rod"));
        w.enter(QStringLiteral("txtLength=3 m;txtMass=4 kg"));
        // A list the user changed goes back to the default too.
        w.pick(QStringLiteral("cmbIDUnits"), QStringLiteral("cm"));
        QString opened;
        const auto watch = TestSupport::whenModalShown([&](QWidget *dialog) {
            opened = dialog->objectName();
            const char *const lists[] = {"cmbDefaultMassUnits", "cmbDefaultDensityUnits", "cmbDefaultLDUnits",
                                         "cmbDefaultInertiaUnits"};
            for (int i = 0; i < 4; ++i) {
                auto *list = dialog->findChild<QComboBox *>(QLatin1String(lists[i]));
                list->setCurrentIndex(list->findText(PadRight(Chosen[i], UnitNameWidth)));
            }
            dialog->findChild<QAbstractButton *>(button)->click();
        });
        w.child<QAction>(QStringLiteral("mnuSetDefaultUnits"))->trigger();
        QCOMPARE(opened, QStringLiteral("frmSetDefaultUnits"));

        QStringList shown;
        for (const char *name : {"cmbMassUnits", "cmbDensityUnits", "cmbRadiusUnits", "cmbLengthUnits",
                                 "cmbIDUnits", "cmbResultUnits"})
            shown << w.list(QLatin1String(name))->currentText().trimmed();
        QCOMPARE(shown,
                 QStringList({expected[0], expected[1], expected[2], expected[2], expected[2], expected[3]}));
        QCOMPARE(m_context.settings().defaultUnit(QStringLiteral("Mass")),
                 button == QLatin1String("cmdSave") ? PadRight(expected[0], UnitNameWidth) : QString());
        // The values kept their quantities in the new units: still 4 kg over
        // 3 m, now shown in kg-cm².
        if (button == QLatin1String("cmdSave")) {
            QCOMPARE(w.box(QStringLiteral("txtMass"))->text() + u'|' +
                         w.box(QStringLiteral("txtLength"))->text(),
                     QStringLiteral("4000|3000"));
            QCOMPARE(w.result(0), QStringLiteral("30000.0"));
        }
    }
};

QTEST_MAIN(TestFrmInertiaCalc)
#include "tst_frminertiacalc.moc"
