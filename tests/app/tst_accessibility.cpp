// Every control of every window has a name a screen reader can speak, and the
// windows can be driven through the accessibility interface.

#include "app/frmtoolbar.h"
#include "densities/frmdensityselect.h"
#include "errors/frmerrorhandler.h"
#include "info/frmabout.h"
#include "info/frmcompanyinfo.h"
#include "testsupport.h"
#include "unitcalc/frmunitcalculator.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QtTest>

#include <memory>

class TestAccessibility : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    void every_control_has_a_spoken_name_data()
    {
        QTest::addColumn<QString>("window");
        for (const char *name : {"frmToolbar", "frmUnitCalculator", "frmDensitySelect", "frmErrorHandler",
                                 "frmAbout", "frmCompanyInfo"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void every_control_has_a_spoken_name()
    {
        QFETCH(QString, window);
        std::unique_ptr<QWidget> form;
        if (window == QLatin1String("frmToolbar"))
            form = std::make_unique<frmToolbar>();
        else if (window == QLatin1String("frmUnitCalculator"))
            form = std::make_unique<frmUnitCalculator>();
        else if (window == QLatin1String("frmDensitySelect"))
            form = std::make_unique<frmDensitySelect>();
        else if (window == QLatin1String("frmErrorHandler"))
            form = std::make_unique<frmErrorHandler>();
        else if (window == QLatin1String("frmAbout"))
            form = std::make_unique<frmAbout>();
        else
            form = std::make_unique<frmCompanyInfo>();
        form->show();

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
    }

    void picture_buttons_can_be_pressed_through_accessibility()
    {
        frmToolbar toolbar;
        toolbar.show();
        QString opened;
        TestSupport::closeNextModal(opened);
        QAccessibleInterface *units =
            QAccessible::queryAccessibleInterface(toolbar.findChild<QWidget *>(QStringLiteral("cmdUnits")));
        QVERIFY(units && units->actionInterface());
        units->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(opened, QStringLiteral("frmUnitCalculator"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
