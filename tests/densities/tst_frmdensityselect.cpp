// The density select window, driven headless on the shipped unit table and a
// density file of the test's own, checked down to the file's bytes.

#include "densitieswin/frmdensityselect.h"
#include "units/conversiontable.h"

#include "core/settingsstore.h"
#include "densitytest.h"
#include "filesizelimit.h"
#include "testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace DensityTest;
using TestSupport::fileContents;
using TestSupport::unitName;

namespace {

const QString Section = QStringLiteral("Density Select");
const QString Metals = QStringLiteral("Aluminium=2700,Copper=8960,Steel=7850");

// Notes the text of the next message box and closes it.
TestSupport::ModalWatch captureNextMessage(QString &message)
{
    return TestSupport::whenModalShown([&message](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            message = box->text();
        modal->close();
    });
}

struct Window
{
    explicit Window(WindowContext &context, bool shown = false)
    {
        form = std::make_unique<frmDensitySelect>(context);
        if (shown) {
            form->show();
            QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        }
    }
    std::unique_ptr<frmDensitySelect> form;

    template <typename T> T *child(const QString &name) const
    {
        return TestSupport::child<T>(form.get(), name);
    }
    QListView *list() const { return child<QListView>("lstMaterials"); }
    QModelIndex row(int i) const { return list()->model()->index(i, 0); }
    QString line(int i) const { return row(i).data().toString(); }
    int lines() const { return list()->model()->rowCount(); }
    QLineEdit *name() const { return child<QLineEdit>("txtMaterial"); }
    QLineEdit *density() const { return child<QLineEdit>("txtDensity"); }
    QComboBox *densityUnits() const { return child<QComboBox>("cmbDensityUnits"); }
    QComboBox *displayUnits() const { return child<QComboBox>("cmbDisplayUnits"); }
    QAbstractButton *button(const QString &name) const { return child<QAbstractButton>(name); }
    int selected() const
    {
        const QModelIndexList rows = list()->selectionModel()->selectedIndexes();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    // The shown buttons of Add, Select, Save and Cancel, and which of Select and Delete can be clicked.
    QString appearance() const
    {
        QStringList shown;
        for (const char *name : {"cmdAdd", "cmdSelect", "cmdSave", "cmdCancel"})
            if (!button(name)->isHidden())
                shown << QString::fromLatin1(name).mid(3);
        QStringList enabled;
        for (const char *name : {"cmdSelect", "cmdDelete"})
            if (button(name)->isEnabled())
                enabled << QString::fromLatin1(name).mid(3);
        return shown.join(u',') + u'|' + enabled.join(u',');
    }
    static void choose(QComboBox *list, const QString &unit)
    {
        const int index = list->findText(TestSupport::unitName(unit));
        QVERIFY2(index >= 0, qPrintable(unit));
        list->setCurrentIndex(index);
    }
    // Runs "click 2; name Tin; density 7300; unit g/cm³; show g/cm³; Save; ..."; a
    // bare word clicks the button of that name, which must be shown and enabled.
    void run(const QString &script) const
    {
        for (const QString &step : script.split(u';', Qt::SkipEmptyParts)) {
            const QString op = step.trimmed().section(u' ', 0, 0);
            const QString arg = step.trimmed().section(u' ', 1);
            if (op == u"click") {
                list()->setCurrentIndex(row(arg.toInt()));
            } else if (op == u"name") {
                name()->setText(arg);
            } else if (op == u"density") {
                density()->setText(arg);
            } else if (op == u"unit") {
                choose(densityUnits(), arg);
            } else if (op == u"show") {
                choose(displayUnits(), arg);
            } else if (op == u"Esc") {
                QTest::keyClick(form.get(), Qt::Key_Escape);
            } else if (op == u"Undo") {
                QAction *undo = child<QAction>("mnuEditUndo");
                QVERIFY2(undo->isEnabled(), "Undo");
                undo->trigger();
            } else {
                QAbstractButton *target = button(QStringLiteral("cmd") + op);
                QVERIFY2(!target->isHidden() && target->isEnabled(), qPrintable(op));
                target->click();
            }
        }
    }
};

} // namespace

class TestFrmDensitySelect : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<TestSupport::TestContext> m_context;
    QString m_file;

    void writeTable(const QString &text) { QVERIFY(SaveDensityFile(m_file, table(text)).ok()); }
    // M00 to M59: more lines than the list shows.
    void writeSixtyMaterials()
    {
        QString many;
        for (int i = 0; i < 60; ++i)
            many += QStringLiteral("M%1=7850,").arg(i, 2, 10, QLatin1Char('0'));
        writeTable(many);
    }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }
    void init()
    {
        m_dataDir = std::make_unique<QTemporaryDir>();
        m_context = std::make_unique<TestSupport::TestContext>(m_settingsDir, *m_dataDir);
        TestSupport::loadShippedUnits(m_context->units());
        QFile::remove(m_context->settings().fileName());
        m_file = DensityFilePath(m_context->dataFiles());
        writeTable(Metals);
        QGuiApplication::clipboard()->setText(QStringLiteral("untouched"));
    }

    // The reading rules are checked with the settings store, the defaults
    // written back end to end (e2e_density).
    void settings_are_read_at_load_and_written_back()
    {
        m_context->settings().write(Section, QStringLiteral("Digits"), QStringLiteral("3"));
        m_context->settings().write(Section, QStringLiteral("NotationMode"), QStringLiteral("True"));
        {
            Window w(*m_context);
            QCOMPARE(w.line(2), MaterialListLine(QStringLiteral("Steel"), QStringLiteral("7.85E+03")));
            QCOMPARE(w.child<QScrollBar>("vscrlDigits")->value(), 3);
            w.child<QScrollBar>("vscrlDigits")->setValue(4);
            w.button("cmdNotationMode")->click();
        }
        QCOMPARE((QStringList{m_context->settings().read(Section, QStringLiteral("Digits")),
                              m_context->settings().read(Section, QStringLiteral("NotationMode"))}),
                 (QStringList{"4", "False"}));
    }

    void opens_ready_to_save_with_density_zero()
    {
        m_context->settings().write(QStringLiteral("Default Units"), QStringLiteral("Density"),
                                    QStringLiteral("g/cm³"));
        Window w(*m_context);
        QCOMPARE(w.appearance(), QStringLiteral("Save,Cancel|"));
        QCOMPARE(w.form->property("Density").toFloat(), 0.0f);
        QCOMPARE(w.displayUnits()->currentText(), unitName("g/cm³"));
        QCOMPARE(w.densityUnits()->currentText(), unitName("g/cm³"));
        QCOMPARE(w.line(2), MaterialListLine(QStringLiteral("Steel"), QStringLiteral("7.85")));
    }

    // After each Save the saved material is selected; Undo puts the file
    // back as before the last Delete or Save and selects what came back.
    void edits_rewrite_the_file_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("selected"); // the selected line's material; empty for none
        const auto row = [](const char *name, const char *script, const QString &file, const char *selected) {
            QTest::newRow(name) << QString::fromUtf8(script) << file << QString::fromUtf8(selected);
        };
        row("renaming moves the record", "click 0; name Zinc; Save", "Copper=8960,Steel=7850,Zinc=2700",
            "Zinc");
        row("Add after a click duplicates", "click 2; Add; Save", Metals + ",Steel=7850", "Steel");
        row("Save right after opening adds", "name Lead; density 11340; Save", Metals + ",Lead=11340",
            "Lead");
        row("On/C then typing adds", "click 2; On; name Tin; density 7300; Save", Metals + ",Tin=7300",
            "Tin");
        row("shown in another unit, saved unchanged", "show g/cm³; click 1; name Copper C101; Save",
            "Aluminium=2700,Copper C101=8960,Steel=7850", "Copper C101");
        row("delete down to an empty file", "click 1; Delete; click 0; Delete; click 0; Delete", "", "");
        row("Undo a delete", "click 1; Delete; Undo", Metals, "Copper");
        row("Undo a change", "click 2; density 8000; Save; Undo", Metals, "Steel");
        row("Undo an addition", "name Lead; density 11340; Save; Undo", Metals, "");
        row("Undo twice", "click 0; Delete; click 0; Delete; Undo; Undo", Metals, "Aluminium");
    }
    void edits_rewrite_the_file()
    {
        QFETCH(QString, script);
        QFETCH(QString, file);
        QFETCH(QString, selected);
        Window w(*m_context);
        bool closed = false;
        QObject::connect(w.form.get(), &QDialog::finished, [&closed]() { closed = true; });
        w.run(script);
        QList<DensityRecord> expected = table(file);
        SortDensityTable(expected);
        QCOMPARE(fileContents(m_file), fileOf(expected));
        QCOMPARE(w.lines(), expected.size());
        QCOMPARE(w.selected() < 0 ? QString()
                                  : w.form->densityTable().at(w.selected()).MaterialName.trimmed(),
                 selected);
        QVERIFY(!closed);
    }

    // Esc closes the window as in every other; an entry not yet saved is
    // asked about first, and Cancel keeps the window and the entry.
    void escape_closes_asking_about_an_entry_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("answer"); // 0: no question expected
        QTest::addColumn<bool>("closed");
        QTest::addColumn<QString>("file");
        QTest::newRow("as opened") << "" << 0 << true << Metals;
        QTest::newRow("a listed material shown") << "click 2" << 0 << true << Metals;
        QTest::newRow("a change kept open")
            << "click 2; density 1" << int(QMessageBox::Cancel) << false << Metals;
        QTest::newRow("a change dropped")
            << "click 2; density 1" << int(QMessageBox::Discard) << true << Metals;
        QTest::newRow("a change saved")
            << "click 2; density 1" << int(QMessageBox::Save) << true << "Aluminium=2700,Copper=8960,Steel=1";
        QTest::newRow("a new material saved")
            << "name Lead; density 11340" << int(QMessageBox::Save) << true << Metals + ",Lead=11340";
    }
    void escape_closes_asking_about_an_entry()
    {
        QFETCH(QString, script);
        QFETCH(int, answer);
        QFETCH(bool, closed);
        QFETCH(QString, file);
        Window w(*m_context, true);
        w.run(script);
        bool asked = false;
        const auto watch = TestSupport::whenModalShown(
            [answer, &asked](QWidget *box) {
                asked = true;
                static_cast<QMessageBox *>(box)
                    ->button(answer ? QMessageBox::StandardButton(answer) : QMessageBox::Cancel)
                    ->click();
            },
            TestSupport::Modal::MayOpen, 2000);
        w.run(QStringLiteral("Esc"));
        QCOMPARE(asked, answer != 0);
        QCOMPARE(w.form->isVisible(), !closed);
        QList<DensityRecord> expected = table(file);
        SortDensityTable(expected);
        QCOMPARE(fileContents(m_file), fileOf(expected));
        if (!closed)
            QCOMPARE(w.density()->text(), QStringLiteral("1"));
    }

    void saved_material_is_selected_in_view()
    {
        writeSixtyMaterials();
        Window w(*m_context, true);
        w.run(QStringLiteral("name Zz; density 1; Save"));
        QCOMPARE(w.selected(), 60);
        QVERIFY(w.list()->viewport()->rect().contains(w.list()->visualRect(w.row(60))));
    }

    // Which entries are refused, and each message, is checked with the entry rules.
    void refused_entry_stores_nothing_and_says_why_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("density");
        QTest::addColumn<QString>("says");
        QTest::newRow("no number") << QString("Steel") << QString("-") << QString("number");
        QTest::newRow("blank name") << QString("   ") << QString("7850") << QString("name");
    }
    void refused_entry_stores_nothing_and_says_why()
    {
        QFETCH(QString, name);
        QFETCH(QString, density);
        QFETCH(QString, says);
        Window w(*m_context, true);
        w.run(QStringLiteral("click 2; name %1; density %2").arg(name, density));
        w.name()->setText(name); // the script trims
        QString message;
        const auto watch = captureNextMessage(message);
        w.run(QStringLiteral("Save"));
        QVERIFY2(message.contains(says), qPrintable(message));
        QCOMPARE(fileContents(m_file), fileOf(table(Metals)));
        QCOMPARE(w.density()->text(), density);
        QCOMPARE(w.appearance(), QStringLiteral("Save,Cancel|Select,Delete"));
    }

    // The file used to be deleted before it was rewritten: a failed write lost every material.
    void failed_save_keeps_the_old_file_and_says_why()
    {
        Window w(*m_context, true);
        w.run(QStringLiteral("name Lead; density 11340"));
        QString message;
        const auto watch = captureNextMessage(message);
        {
            // The three records fit; a fourth does not, as on a full disk.
            const TestSupport::FileSizeLimit fullDisk(3 * DensityRecordSize);
            QVERIFY(fullDisk.active());
            w.run(QStringLiteral("Save"));
        }
        QVERIFY2(message.contains(QDir::toNativeSeparators(m_file)) && message.contains("Could not save"),
                 qPrintable(message));
        QCOMPARE(fileContents(m_file), fileOf(table(Metals)));
        QCOMPARE(QFileInfo(m_file).dir().entryList(QDir::Files), QStringList{"density.dat"});
        QCOMPARE(w.lines(), 3);
        QCOMPARE(w.name()->text(), QStringLiteral("Lead"));
    }

    void unit_digits_and_notation_keep_the_line_and_the_scroll_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("shownDensity");
        QTest::newRow("display unit") << QString("unit") << QString("7.85");
        QTest::newRow("digits") << QString("digits") << QString("7850");
        QTest::newRow("notation") << QString("notation") << QString("7850");
    }
    void unit_digits_and_notation_keep_the_line_and_the_scroll()
    {
        QFETCH(QString, change);
        writeSixtyMaterials();
        Window w(*m_context, true);
        QScrollBar *scroll = w.list()->verticalScrollBar();
        w.run(QStringLiteral("click 40"));
        scroll->setValue(5); // the selected line scrolled out of view
        QVERIFY(scroll->maximum() > 5);
        const QString before = w.line(40);

        if (change == QLatin1String("unit"))
            w.run(QStringLiteral("show g/cm³"));
        else if (change == QLatin1String("digits"))
            w.child<QScrollBar>("vscrlDigits")->setValue(3);
        else
            w.button("cmdNotationMode")->click();

        QVERIFY(w.line(40) != before);
        QCOMPARE(w.selected(), 40);
        QCOMPARE(scroll->value(), 5);
        QTEST(w.density()->text(), "shownDensity");
        QCOMPARE(w.densityUnits()->currentText(), w.displayUnits()->currentText());
        QCOMPARE(w.appearance(), QStringLiteral("Add,Select|Select,Delete"));
    }

    void closing_hands_over_only_a_selected_density_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<float>("density");
        QTest::addColumn<QString>("clipboard");
        QTest::newRow("double-click") << "double-click" << 7.85f << QStringLiteral("7.85 g/cm³");
        QTest::newRow("Off") << "Off" << 0.0f << "untouched";
        QTest::newRow("close box") << "close" << 0.0f << "untouched";
        QTest::newRow("Esc with no entry pending") << "Esc" << 0.0f << "untouched";
    }
    void closing_hands_over_only_a_selected_density()
    {
        QFETCH(QString, how);
        QFETCH(float, density);
        Window w(*m_context);
        w.form->setProperty("Density", 0.0f);
        const auto watch = TestSupport::whenModalShown([&w, how](QWidget *) {
            w.run(QStringLiteral("show g/cm³; click 2"));
            if (how == QLatin1String("double-click")) {
                w.list()->doItemsLayout();
                const QRect line = w.list()->visualRect(w.row(2));
                QVERIFY(line.isValid());
                // A double-click is a click followed by the double-click event.
                QTest::mouseClick(w.list()->viewport(), Qt::LeftButton, {}, line.center());
                QTest::mouseDClick(w.list()->viewport(), Qt::LeftButton, {}, line.center());
            } else if (how == QLatin1String("close")) {
                w.form->close();
            } else {
                w.run(how);
            }
            if (w.form->isVisible()) // still open: fail rather than hang
                w.form->reject();
        });
        w.form->exec();
        // The opener reads the properties once the window has closed.
        QVERIFY(!w.form->isVisible());
        QCOMPARE(w.form->property("Density").toFloat(), density);
        QCOMPARE(w.form->property("Chosen").toBool(), density != 0);
        QTEST(QGuiApplication::clipboard()->text(), "clipboard");
        if (density != 0)
            QCOMPARE(w.form->property("DensityUnits").toString(), unitName("g/cm³"));
        QCOMPARE(m_context->settings().read(Section, QStringLiteral("Digits")), QStringLiteral("6"));
    }

    // Typing in the list goes to the next material whose name begins so,
    // whatever its case, from the selected line on and round to the top.
    void typing_in_the_list_finds_a_material_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("selected");
        QTest::newRow("from no selection") << QString() << QString("st") << 2;
        QTest::newRow("round to the top") << QString("click 2") << QString("C") << 1;
        QTest::newRow("no such name") << QString("click 1") << QString("zinc") << 1;
    }
    void typing_in_the_list_finds_a_material()
    {
        QFETCH(QString, script);
        QFETCH(QString, typed);
        Window w(*m_context, true);
        w.run(script);
        w.list()->setFocus();
        QTest::keyClicks(w.list(), typed);
        QTEST(w.selected(), "selected");
    }

    void name_box_takes_only_storable_names()
    {
        Window w(*m_context, true);
        w.name()->setFocus();
        // Key by key, as typed (QTest::keyClicks knows Latin-1 only).
        for (const QChar c : QStringLiteral("Œuvre €Ωabcdefghijklmn")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w.name(), &press);
            QApplication::sendEvent(w.name(), &release);
        }
        // Windows-1252 beyond Latin-1 is kept, Greek refused, and 20 characters at most.
        QCOMPARE(w.name()->text(), QStringLiteral("Œuvre €abcdefghijklm"));
    }

    // A table not read whole is never saved over: the window says why, names
    // the file, keeps its editing keys disabled and leaves the file as it is.
    // Which files are not read whole is checked with the density table.
    void table_not_read_whole_is_read_only()
    {
        const QByteArray bytes = fileOf(table(Metals)) + QByteArray("Tin  ");
        QVERIFY(TestSupport::writeFile(m_file, bytes));
        Window w(*m_context);
        QString message;
        const auto watch = captureNextMessage(message);
        w.form->show();
        QTRY_VERIFY(!message.isEmpty());
        QVERIFY2(message.contains(QDir::toNativeSeparators(m_file)) && message.contains("24-byte records"),
                 qPrintable(message));
        auto *note = w.child<QLabel>("lblNote");
        QCOMPARE(note->text(), message);
        // The whole note shows, below the list rather than over it.
        QVERIFY(note->height() >= note->heightForWidth(note->width()));
        QVERIFY(!note->geometry().intersects(w.list()->geometry()));
        QVERIFY(w.form->isReadOnly());
        w.run(QStringLiteral("click 0"));
        for (const char *name : {"cmdAdd", "cmdSave", "cmdDelete"})
            QVERIFY2(!w.button(name)->isEnabled(), name);
        QVERIFY(!w.child<QAction>("mnuEditUndo")->isEnabled());
        QVERIFY(w.name()->isReadOnly() && w.density()->isReadOnly());
        w.form.reset();
        QCOMPARE(fileContents(m_file), bytes);
    }
};

QTEST_MAIN(TestFrmDensitySelect)
#include "tst_frmdensityselect.moc"
