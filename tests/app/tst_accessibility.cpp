// Every control of every window has a name a screen reader can speak, and the
// windows can be driven through the accessibility interface.

#include "app/frmtoolbar.h"
#include "app/registerwindows.h"
#include "testsupport.h"
#include "widgets/controlsetup.h"
#include "widgets/helpwindow.h"
#include "widgets/linklabel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QLabel>
#include <QtTest>

#include <memory>

class TestAccessibility : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    void every_control_and_value_is_spoken_data()
    {
        QTest::addColumn<int>("window");
        const QList<ProgramWindow> windows = ProgramWindows(m_context);
        for (int i = 0; i < windows.size(); ++i)
            QTest::newRow(qPrintable(windows[i].name)) << i;
    }
    void every_control_and_value_is_spoken()
    {
        QFETCH(int, window);
        const ProgramWindow entry = ProgramWindows(m_context).at(window);
        std::unique_ptr<QWidget> form = entry.make();
        QCOMPARE(form->objectName(), entry.name);
        form->show();
        const QAccessible::Role role = QAccessible::queryAccessibleInterface(form.get())->role();
        QVERIFY2(role == QAccessible::Window || role == QAccessible::Dialog, "not spoken as a window");

        QStringList unnamed;
        const QList<QWidget *> controls = form->findChildren<QWidget *>();
        for (QWidget *control : controls) {
            // Controls a user can reach: those that take the keyboard focus
            // or are clicked (buttons and picture keys).
            if (!control->isVisible() || control->objectName().isEmpty() ||
                (control->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton *>(control)))
                continue;
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
            if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << control->objectName();
        }
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(u", ")));

        // A label named for what it shows ("Ixx", "Significant digits") must
        // also give its value, or a screen reader speaks the name alone.
        QStringList silent;
        const QList<QLabel *> shown = form->findChildren<QLabel *>();
        for (QLabel *label : shown) {
            const QString name = label->accessibleName();
            if (!label->isVisible() || label->text().isEmpty() || name.isEmpty() || name == label->text() ||
                name == SpokenCaption(label->text()))
                continue;
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
            if (!iface || !iface->text(QAccessible::Description).contains(label->text()))
                silent << label->objectName() + '=' + label->text();
        }
        QVERIFY2(silent.isEmpty(), qPrintable(silent.join(u", ")));

        // A unit list is named as what its unit is for, not by its entry as Qt
        // names a drop-down list on Linux; a list that has a caption beside it
        // is also labelled by that caption. Lists without a caption of their own: the unit calculator's (in
        // the "Value and unit" group) and the density window's display units.
        const QStringList uncaptioned = {"frmUnitCalculator/cmbUnits", "frmDensitySelect/cmbDisplayUnits"};
        QStringList unlabelled;
        for (QComboBox *list : form->findChildren<QComboBox *>()) {
            if (!list->isVisible() || !list->objectName().endsWith(QLatin1String("Units")))
                continue;
            const QString name = form->objectName() + u'/' + list->objectName();
            QStringList labels;
            for (const auto &[label, relation] :
                 QAccessible::queryAccessibleInterface(list)->relations(QAccessible::Label))
                labels << SpokenCaption(label->text(QAccessible::Name));
            // Spoken by its own name, with its unit as its text.
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(list);
            const QString spoken = iface->text(QAccessible::Name);
            QAccessibleTextInterface *text = iface->textInterface();
            if (!spoken.contains(QLatin1String("unit"), Qt::CaseInsensitive) ||
                (labels.isEmpty() && !uncaptioned.contains(name)) || !text ||
                text->text(0, text->characterCount()) != list->currentText().trimmed())
                unlabelled << name + u'=' + spoken + u'/' + labels.join(u',');
        }
        QVERIFY2(unlabelled.isEmpty(), qPrintable(unlabelled.join(u", ")));
    }

    // A link is spoken as a link, underlined, and followed by its press action.
    void links_are_links()
    {
        LinkLabel link(QStringLiteral("velmora.example"));
        link.setLinkAppearance(true);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&link);
        QCOMPARE(iface->role(), QAccessible::Link);
        QVERIFY(link.font().underline());
        QSignalSpy followed(&link, &LinkLabel::clicked);
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(followed.size(), 1);
    }

    void picture_buttons_can_be_pressed_through_accessibility()
    {
        frmToolbar toolbar(m_context);
        toolbar.show();
        QString opened;
        const auto watch = TestSupport::closeNextModal(opened);
        QAccessibleInterface *units =
            QAccessible::queryAccessibleInterface(toolbar.findChild<QWidget *>(QStringLiteral("cmdUnits")));
        QVERIFY(units && units->actionInterface());
        units->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(opened, QStringLiteral("frmUnitCalculator"));
    }

    // F1 opens the help beside the window, on that window's own page.
    void f1_opens_the_windows_help_page_data()
    {
        QTest::addColumn<int>("window");
        QTest::addColumn<QString>("page");
        const QMap<QString, QString> pages = {
            {"frmToolbar", "toolbar.html"},          {"frmUnitCalculator", "unitcalc.html"},
            {"frmInertiaCalc", "inertia.html"},      {"frmSetDefaultUnits", "inertia.html"},
            {"frmDensitySelect", "densities.html"},  {"frmIntegral", "reference.html"},
            {"frmErrorHandler", "errorreport.html"}, {"frmAbout", "about.html"},
            {"frmCompanyInfo", "about.html"},        {"frmAxisSizing", "axis.html"}};
        const QList<ProgramWindow> windows = ProgramWindows(m_context);
        for (int i = 0; i < windows.size(); ++i)
            QTest::newRow(qPrintable(windows[i].name)) << i << pages.value(windows[i].name);
    }
    void f1_opens_the_windows_help_page()
    {
        QFETCH(int, window);
        std::unique_ptr<QWidget> form = ProgramWindows(m_context).at(window).make();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : form.get(), Qt::Key_F1);
        auto *help = form->findChild<HelpWindow *>();
        QVERIFY(help && help->isVisible());
        QTEST(help->currentPage(), "page");
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
