// Printing loads Qt's print support only when asked: a start maps none of it,
// a missing or broken print module is told in a message, and the first print
// loads the module and shows the print dialog, from each window that prints.

#include "app/frmtoolbar.h"
#include "app/startprocedure.h"
#include "axiswin/frmaxissizing.h"
#include "errorswin/frmerrorhandler.h"
#include "testsupport.h"
#include "widgets/printing.h"

#include <QAction>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

namespace {
bool printSupportMapped()
{
    return TestSupport::fileContents(QStringLiteral("/proc/self/maps")).contains("libQt6PrintSupport");
}

// Asks window to print, as its menu item or button does.
void askToPrint(QWidget *window)
{
    if (auto *print = window->findChild<QAction *>(QStringLiteral("mnuFilePrint")))
        print->trigger();
    else
        TestSupport::child<QPushButton>(window, QStringLiteral("cmdPrint"))->click();
}

// The window that opens when window is asked to print, closed at once:
// "name|text" (the text only for a message box).
QString printWindowOf(QWidget *window)
{
    QString seen;
    {
        const auto watch = TestSupport::whenModalShown([&seen](QWidget *modal) {
            seen = modal->objectName();
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                seen += u'|' + box->text();
            modal->close();
        });
        askToPrint(window);
    }
    return seen;
}
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QTemporaryDir m_modules;
    TestSupport::TestContext m_context{m_dir};

    std::unique_ptr<QWidget> makeWindow(const QString &name)
    {
        if (name == QLatin1String("frmAxisSizing"))
            return std::make_unique<frmAxisSizing>(m_context);
        return std::make_unique<frmErrorHandler>(m_context);
    }

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_dir);
        TestSupport::loadShippedUnits(m_context.units());
    }

    void start_maps_no_print_support()
    {
        bool shown = false;
        bool mapped = true;
        std::function<void()> watch = [&] {
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (auto *toolbar = qobject_cast<frmToolbar *>(top); toolbar && toolbar->isVisible()) {
                    // After the idle work queued by the strip's first paint.
                    QTimer::singleShot(0, toolbar, [&, toolbar] {
                        shown = true;
                        mapped = printSupportMapped();
                        toolbar->exitFromTray();
                    });
                    return;
                }
            }
            QTimer::singleShot(10, watch);
        };
        QTimer::singleShot(0, watch);
        QCOMPARE(StartProcedure(*qApp, m_context), 0);
        QVERIFY(shown);
        QVERIFY(!mapped);
    }

    void print_without_its_module_is_told_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QByteArray>("module"); // the module file's bytes; empty: no file
        QTest::addColumn<QString>("says");
        for (const char *window : {"frmAxisSizing", "frmErrorHandler"}) {
            QTest::addRow("%s, no module", window) << window << QByteArray() << "is in none of";
            QTest::addRow("%s, broken module", window)
                << window << QByteArray("not a library") << "could not be loaded";
        }
    }
    void print_without_its_module_is_told()
    {
        QFETCH(QString, window);
        QFETCH(QByteArray, module);
        QFETCH(QString, says);
        const QString file = m_modules.filePath(QString::fromLatin1(PrintModuleFileName));
        QFile::remove(file);
        if (!module.isEmpty())
            QVERIFY(TestSupport::writeFile(file, module));
        m_context.moduleFolders = {m_modules.path()};
        const auto shown = makeWindow(window);
        shown->show();
        const QString seen = printWindowOf(shown.get());
        QVERIFY2(seen.startsWith(QLatin1String("msgPrintingUnavailable|Printing is not available: ")) &&
                     seen.contains(says),
                 qPrintable(seen));
        QVERIFY(!PrintDialogsLoaded());
        QVERIFY(!printSupportMapped());
    }

    void first_print_loads_the_print_support_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("dialog");
        QTest::newRow("axis report") << "frmAxisSizing"
                                     << "dlgPrintReport";
        QTest::newRow("bug report") << "frmErrorHandler"
                                    << "dlgPrint";
    }
    void first_print_loads_the_print_support()
    {
        QFETCH(QString, window);
        QFETCH(QString, dialog);
        // A module in the first folder that has one; the build's is beside the program.
        m_context.moduleFolders = {m_dir.filePath(QStringLiteral("none")), TestSupport::runtimeDir()};
        const auto shown = makeWindow(window);
        shown->show();
        QCOMPARE(printWindowOf(shown.get()), dialog);
        QVERIFY(PrintDialogsLoaded());
        QVERIFY(printSupportMapped());
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
