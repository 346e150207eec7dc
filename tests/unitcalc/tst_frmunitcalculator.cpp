// The unit calculator window, driven headless on a small hand-made table.

#include "unitcalcwin/frmunitcalculator.h"
#include "unitcalctable.h"
#include "widgets/picturebutton.h"

#include "core/settingsstore.h"
#include "testsupport.h"
#include "widgets/artwork.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>

#include <limits>
#include <memory>

using namespace UnitCalcTable;

namespace {
const QString Section = QStringLiteral("Units Calculator");

// The window, loaded after the clipboard is given clip (when not empty), and shown when asked.
struct Window
{
    explicit Window(WindowContext &context, const QString &clip = QString(), bool shown = false)
    {
        if (!clip.isEmpty())
            setClipboard(clip);
        form = std::make_unique<frmUnitCalculator>(context);
        if (shown) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        }
    }
    std::unique_ptr<frmUnitCalculator> form;
    static QString clipboard() { return QGuiApplication::clipboard()->text(); }
    static void setClipboard(const QString &text) { QGuiApplication::clipboard()->setText(text); }

    template <typename T> T *child(const char *name) const
    {
        return TestSupport::child<T>(form.get(), QLatin1String(name));
    }
    QLineEdit *number() const { return child<QLineEdit>("txtNumber"); }
    QComboBox *units() const { return child<QComboBox>("cmbUnits"); }
    QListWidget *types() const { return child<QListWidget>("cmbUnitTypes"); }
    QTreeWidget *list() const { return child<QTreeWidget>("lvConversions"); }
    QScrollBar *digits() const { return child<QScrollBar>("vscrlDigits"); }
    QAction *button(const char *key) const { return child<QAction>(key); }
    QTreeWidgetItem *row(int i) const { return list()->topLevelItem(i); }
    // Type, unit and number as the window shows them.
    QStringList entry() const
    {
        const QString type = types()->currentItem() ? types()->currentItem()->text().trimmed() : QString();
        return {type, units()->currentText().trimmed(), number()->text()};
    }
    // "unit=value" per row.
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < list()->topLevelItemCount(); ++i)
            out << row(i)->text(2).trimmed() + u'=' + row(i)->text(1);
        return out;
    }
};
} // namespace

class TestFrmUnitCalculator : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        m_context.units() = TestSupport::unitTable(records());
    }
    void init()
    {
        QFile::remove(m_context.settings().fileName());
        QGuiApplication::clipboard()->clear();
    }
    void cleanup()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        m_context.units() = TestSupport::unitTable(records()); // after the tests of other tables
    }

    // The reading rules are checked with the settings store; digits and the
    // decimal convention read back at opening end to end (e2e_unitcalc).
    void stored_notation_is_read_at_load()
    {
        m_context.settings().write(Section, QStringLiteral("NotationMode"), QStringLiteral("True"));
        Window w(m_context);
        QVERIFY(w.form->notationMode() && w.button("SciNotation")->isChecked());
    }

    void clipboard_value_and_unit_are_taken_at_load_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<bool>("commaLocale");
        QTest::addColumn<QStringList>("entry"); // type, unit, number
        QTest::addColumn<QString>("separator");
        const auto row = [](const char *name, const char *clip, bool comma, QStringList entry,
                            const char *separator) {
            QTest::newRow(name) << QString(clip) << comma << entry << QString(separator);
        };
        row("empty: the first type and unit", "", false, {"Aaa", "dup", "0.0"}, "");
        row("empty, comma locale: zero as it reads there", "", true, {"Aaa", "dup", "0,0"}, "");
        row("alias to an unlisted unit: first unit", "1 oddalias", false, {"Mass", "dup", "1"}, " ");
        row("space groups", "1 500 kg", false, {"Mass", "kg", "1500"}, " ");
        row("not a number: as if empty", "1.234,5 kg", false, {"Aaa", "dup", "0.0"}, "");
        row("words after the unit: as if empty", "7 kg extra", false, {"Aaa", "dup", "0.0"}, "");
    }
    void clipboard_value_and_unit_are_taken_at_load()
    {
        QFETCH(QString, clip);
        QFETCH(bool, commaLocale);
        if (commaLocale)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        Window w(m_context, clip);
        QTEST(w.entry(), "entry");
        QTEST(w.form->copySeparator(), "separator");
        QVERIFY(!w.rows().isEmpty() && w.row(0)->isSelected());
        // With no convention stored, the list writes the box's decimal mark.
        QCOMPARE(w.form->usConvention(), !commaLocale);
    }

    void only_a_mouse_choice_of_unit_returns_the_focus_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("focusHome");
        QTest::newRow("arrow key, twice") << QString("down down") << QString("tiny") << false;
        QTest::newRow("first letter") << QString("h") << QString("half") << false;
        QTest::newRow("mouse in the open list") << QString("mouse") << QString("half") << true;
    }
    void only_a_mouse_choice_of_unit_returns_the_focus()
    {
        QFETCH(QString, how);
        QFETCH(QString, unit);
        QFETCH(bool, focusHome);
        Window w(m_context, QStringLiteral("2 kg"), true);
        QVERIFY(QTest::qWaitForWindowActive(w.form.get()));
        w.units()->setFocus();
        if (how == u"mouse") {
            w.units()->showPopup();
            QAbstractItemView *view = w.units()->view();
            QVERIFY(QTest::qWaitForWindowExposed(view->window()));
            const QRect item = view->visualRect(view->model()->index(w.units()->findText(unitName(unit)), 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        } else {
            for (const QString &key : how.split(u' ')) {
                if (key == u"down")
                    QTest::keyClick(w.units(), Qt::Key_Down);
                else
                    QTest::keyClick(w.units(), key.at(0).toLatin1());
            }
        }
        QCOMPARE(w.units()->currentText().trimmed(), unit);
        QCOMPARE(QApplication::focusWidget(), focusHome ? static_cast<QWidget *>(w.number()) : w.units());
        // The list follows every choice, keyboard or mouse.
        QVERIFY(!w.rows().join(u' ').contains(unit + u'='));
    }

    void every_close_saves_the_settings_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Off key") << "off";
        QTest::newRow("Escape") << "escape";
        QTest::newRow("close box") << "close";
        QTest::newRow("Enter on a row, as a double-click, copies the row") << "enter";
    }
    void every_close_saves_the_settings()
    {
        QFETCH(QString, how);
        m_context.settings().write(QStringLiteral("Global Settings"), QStringLiteral("Tooltips"),
                                   QStringLiteral("x"));
        Window w(m_context, QStringLiteral("5\tkg"), true);
        w.button("EuropeanDecimal")->trigger();
        w.digits()->setValue(7);
        if (how == u"off") {
            w.child<PictureButton>("cmdOff")->click();
        } else if (how == u"escape") {
            QTest::keyClick(w.form.get(), Qt::Key_Escape);
        } else if (how == u"close") {
            w.form->close();
        } else {
            w.list()->setCurrentItem(w.row(1));
            w.list()->setFocus();
            QTest::keyClick(w.list(), Qt::Key_Return);
            QCOMPARE(Window::clipboard(), QStringLiteral("10,0\thalf"));
        }
        QVERIFY(!w.form->isVisible());
        const QStringList saved = {
            m_context.settings().read(Section, QStringLiteral("Digits")),
            m_context.settings().read(Section, QStringLiteral("US Convention")),
            m_context.settings().read(Section, QStringLiteral("NotationMode")),
            m_context.settings().read(QStringLiteral("Global Settings"), QStringLiteral("Tooltips"))};
        QCOMPARE(saved, (QStringList{"7", "False", "False", "Off"}));
    }

    // The copy keys themselves are checked end to end (e2e_unitcalc).
    void list_copy_key_copies_the_selected_row()
    {
        Window w(m_context, QStringLiteral("2 kg"), true);
        w.list()->setCurrentItem(w.row(2));
        QTest::keySequence(w.list(), QKeySequence::Copy); // the list's own copy would take an empty cell
        QCOMPARE(Window::clipboard(), QStringLiteral("4.40925 lb"));
        QVERIFY(w.form->isVisible());
    }

    // What the value box lets in is checked with the number box itself; here
    // how the window takes it: Enter changes nothing, a minus over the
    // selected box starts a new number, a pasted "number unit" picks its type
    // and unit.
    void value_box_takes_keys_and_pastes()
    {
        Window w(m_context, QStringLiteral("25 kg"), true);
        QTest::keyClick(w.number(), Qt::Key_Return);
        QCOMPARE(w.number()->text(), QStringLiteral("25"));
        QVERIFY(w.form->isVisible());
        w.child<QTreeWidget>("lvConversions")->setFocus();
        w.number()->setFocus();
        QTest::keyClick(w.number(), '-');
        QCOMPARE(w.entry(), (QStringList{"Mass", "kg", "-"}));
        Window::setClipboard(QStringLiteral("2 one"));
        QTest::keySequence(w.number(), QKeySequence::Paste);
        QCOMPARE(w.entry(), (QStringList{"Aaa", "one", "2"})); // the whole number replaced
        Window::setClipboard(QStringLiteral("1 500 kg"));
        QTest::keySequence(w.number(), QKeySequence::Paste);
        QCOMPARE(w.entry(), (QStringList{"Mass", "kg", "1500"}));
        for (const QString clip : {"7 half extra", "1,500 lb", "3 4"}) { // all refused: nothing changes
            Window::setClipboard(clip);
            w.child<QAction>("mnuEditPaste")->trigger();
            QCOMPARE(w.entry(), (QStringList{"Mass", "kg", "1500"}));
        }
    }

    void empty_table_shows_a_message_row_that_cannot_be_copied()
    {
        m_context.units() = TestSupport::unitTable({});
        Window w(m_context, QStringLiteral("2 kg"));
        QCOMPARE(w.types()->count(), 0);
        w.number()->setText(QStringLiteral("5"));
        QCOMPARE(w.list()->topLevelItemCount(), 1);
        QVERIFY(w.row(0)->text(0).contains(QLatin1String("converts.dat")));
        Window::setClipboard(QStringLiteral("keep me"));
        w.button("CopyAll")->trigger();
        QCOMPARE(Window::clipboard(), QStringLiteral("keep me"));
    }

    // Which texts overflow is checked with the conversion rows; here the window shows it.
    void overflowing_value_says_out_of_range()
    {
        Window w(m_context, QStringLiteral("1E999 kg"));
        QCOMPARE(w.number()->text(), QStringLiteral("1E999"));
        QCOMPARE(w.list()->topLevelItemCount(), 1);
        QVERIFY2(w.row(0)->text(0).startsWith(QLatin1String("Out of range")), qPrintable(w.row(0)->text(0)));
    }

    void settings_that_cannot_be_saved_are_told_once()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("settings.ini"))); // a folder: no write can succeed
        TestSupport::TestContext refusing(dir);
        QStringList told;
        for (const TestSupport::Modal message : {TestSupport::Modal::MustOpen, TestSupport::Modal::MayOpen}) {
            Window w(refusing, QString(), true);
            const auto watch = TestSupport::whenModalShown(
                [&told](QWidget *modal) {
                    told << modal->objectName();
                    modal->close();
                },
                message);
            w.child<PictureButton>("cmdOff")->click();
        }
        QCOMPARE(told, QStringList{QStringLiteral("msgSettingsNotSaved")});
    }

    void damaged_table_shows_its_rows_and_a_note_under_them()
    {
        QList<ConversionRecord> damaged = records();
        damaged.insert(5, unitRecord("Mass", "bad", std::numeric_limits<float>::quiet_NaN()));
        m_context.units() = TestSupport::unitTable(damaged);
        Window w(m_context, QStringLiteral("2 kg"));
        const int count = w.list()->topLevelItemCount();
        QCOMPARE(w.rows().mid(0, count - 1),
                 (QStringList{"dup=0.002", "half=4.0", "lb=4.40925", "tiny=2.0E+30"}));
        QTreeWidgetItem *note = w.row(count - 1);
        QVERIFY2(note->text(0).contains(QLatin1String("damaged")), qPrintable(note->text(0)));
        QVERIFY(!(note->flags() & Qt::ItemIsSelectable));
        QVERIFY(w.row(0)->isSelected());
    }
};

QTEST_MAIN(TestFrmUnitCalculator)
#include "tst_frmunitcalculator.moc"
