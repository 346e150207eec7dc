// The launcher strip: where it appears, what it saves, how its buttons look
// and what they open, and that only one toolbar runs.

#include "app/frmtoolbar.h"
#include "app/singleinstance.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "testsupport.h"
#include "units/conversiontable.h"

#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>

class TestToolbar : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    static QString stored(const QString &key) { return SettingsStore::read(QStringLiteral("Toolbar"), key); }
    static void store(const QString &x, const QString &y)
    {
        SettingsStore::write(QStringLiteral("Toolbar"), QStringLiteral("X"), x);
        SettingsStore::write(QStringLiteral("Toolbar"), QStringLiteral("Y"), y);
    }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init() { QFile::remove(SettingsStore::fileName()); }

    void starts_where_it_was_left()
    {
        store(QStringLiteral("1500"), QStringLiteral("300"));
        frmToolbar toolbar;
        QCOMPARE(toolbar.pos(), QPoint(100, 20));
    }

    void unusable_position_is_corrected_onto_the_screen_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::newRow("not numbers") << QStringLiteral("left") << QStringLiteral("top");
        // Stored on a screen that is gone: pulled back onto this one.
        QTest::newRow("off every screen") << QStringLiteral("600000") << QStringLiteral("-90000");
        // The frame, not just the strip, must end inside the panel-free area.
        QTest::newRow("below the bottom") << QStringLiteral("1500") << QStringLiteral("90000");
        QTest::newRow("beyond the right") << QStringLiteral("90000") << QStringLiteral("1500");
    }
    void unusable_position_is_corrected_onto_the_screen()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        store(x, y);
        frmToolbar toolbar;
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(toolbar.frameGeometry() != toolbar.geometry(), "the platform shows no frame");
        QVERIFY2(area.contains(toolbar.frameGeometry()),
                 qPrintable(QStringLiteral("frame at %1,%2").arg(toolbar.x()).arg(toolbar.y())));
    }

    void exit_saves_the_position_in_twips()
    {
        frmToolbar toolbar;
        toolbar.show();
        toolbar.move(120, 40);
        toolbar.exitFromTray();
        QVERIFY(toolbar.quitFromSysTray());
        QVERIFY(!toolbar.isVisible());
        QCOMPARE(stored(QStringLiteral("X")), QString::number(toolbar.x() * 15));
        QCOMPARE(stored(QStringLiteral("Y")), QString::number(toolbar.y() * 15));
    }

    void minimized_at_exit_keeps_the_stored_position()
    {
        store(QStringLiteral("1500"), QStringLiteral("300"));
        frmToolbar toolbar;
        toolbar.showMinimized();
        QTRY_VERIFY(toolbar.isMinimized());
        toolbar.move(300, 300);
        toolbar.exitFromTray();
        QCOMPARE(stored(QStringLiteral("X")), QStringLiteral("1500"));
        QCOMPARE(stored(QStringLiteral("Y")), QStringLiteral("300"));
    }

    void close_box_without_a_tray_ends_like_exit()
    {
        // The headless platform has no notification area: hiding the strip
        // would leave nothing to bring it back, so closing ends the program.
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        frmToolbar toolbar;
        toolbar.show();
        toolbar.move(60, 90);
        QVERIFY(toolbar.close());
        QCOMPARE(stored(QStringLiteral("X")), QString::number(toolbar.x() * 15));
    }

    void tray_click_brings_the_strip_back_on_top()
    {
        frmToolbar toolbar;
        // An ordinary window until it comes back from the tray.
        QVERIFY(!(toolbar.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(toolbar.windowTitle(), QStringLiteral("Torvane Toolbar"));
        toolbar.hide();
        toolbar.restoreFromTray();
        QVERIFY(toolbar.isVisible());
        QVERIFY(toolbar.windowFlags() & Qt::WindowStaysOnTopHint);
        const QList<QAction *> trayEntries = toolbar.trayMenu()->actions();
        QCOMPARE(trayEntries.size(), 1);
        QCOMPARE(trayEntries.first()->text(), QStringLiteral("Exit"));
    }

    void buttons_show_pressed_face_and_name_themselves_in_the_caption()
    {
        frmToolbar toolbar;
        toolbar.show();
        toolbar.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&toolbar));
        const auto moveOver = [](QWidget *widget) {
            QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), widget->mapToGlobal(QPointF(5, 5)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(widget, &move);
        };
        const char *const buttons[][3] = {{"cmdUnits", "units", "Units Calculator"},
                                          {"cmdInertia", "inertia", "Inertia Calculator"},
                                          {"cmdDensity", "density", "Table of densities"},
                                          {"cmdTrig", "angle", "Trig Reference"},
                                          {"cmdAxis", "axis", "Axis sizing"}};
        for (const auto &[name, face, caption] : buttons) {
            auto *launcher = toolbar.findChild<LauncherButton *>(QLatin1String(name));
            QVERIFY2(launcher, name);
            QVERIFY(!launcher->toolTip().isEmpty());
            QCOMPARE(launcher->accessibleName(), launcher->toolTip());
            QCOMPARE(launcher->currentFace(), QLatin1String(face) + QStringLiteral("_up"));
            QTest::mousePress(launcher, Qt::LeftButton);
            QCOMPARE(launcher->currentFace(), QLatin1String(face) + QStringLiteral("_down"));
            // Released outside the button: back to the up face, nothing opened.
            QTest::mouseRelease(launcher, Qt::LeftButton, {}, QPoint(-20, -20));
            QCOMPARE(launcher->currentFace(), QLatin1String(face) + QStringLiteral("_up"));

            moveOver(launcher);
            QCOMPARE(toolbar.windowTitle(), QLatin1String(caption));
            // Moving over the background puts the program's name back.
            moveOver(&toolbar);
            QCOMPARE(toolbar.windowTitle(), QStringLiteral("Torvane Toolbar"));
        }
        // So do the logo and leaving the strip straight from a button.
        moveOver(toolbar.findChild<QWidget *>(QStringLiteral("cmdLogo")));
        QCOMPARE(toolbar.windowTitle(), QStringLiteral("Torvane Toolbar"));
        moveOver(toolbar.findChild<QWidget *>(QStringLiteral("cmdTrig")));
        QCOMPARE(toolbar.windowTitle(), QStringLiteral("Trig Reference"));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&toolbar, &leave);
        QCOMPARE(toolbar.windowTitle(), QStringLiteral("Torvane Toolbar"));
    }

    void buttons_open_their_windows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("logo") << QStringLiteral("cmdLogo") << QStringLiteral("frmCompanyInfo");
        QTest::newRow("units") << QStringLiteral("cmdUnits") << QStringLiteral("frmUnitCalculator");
        QTest::newRow("inertia") << QStringLiteral("cmdInertia") << QStringLiteral("frmInertiaCalc");
        QTest::newRow("density") << QStringLiteral("cmdDensity") << QStringLiteral("frmDensitySelect");
        QTest::newRow("trig") << QStringLiteral("cmdTrig") << QStringLiteral("frmIntegral");
        QTest::newRow("axis") << QStringLiteral("cmdAxis") << QStringLiteral("frmAxisSizing");
    }
    void buttons_open_their_windows()
    {
        QFETCH(QString, button);
        QFETCH(QString, window);
        frmToolbar toolbar;
        toolbar.show();
        QString opened;
        const auto watch = TestSupport::closeNextModal(opened);
        toolbar.findChild<QAbstractButton *>(button)->click();
        QCOMPARE(opened, window);
    }

    void second_instance_ends_at_once_and_writes_nothing()
    {
        const QString program = TestSupport::runtimeDir() + QStringLiteral("/torvane-toolbar");
        QVERIFY(QFile::exists(program));
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(program, {});
        QVERIFY(first.waitForStarted());
        // The first instance holds its lock once it is running.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(home.filePath(QStringLiteral("torvane-toolbar.lock"))), 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program, {});
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(second.readAllStandardOutput().isEmpty());

        first.kill();
        first.waitForFinished();
        QVERIFY(!QFile::exists(home.filePath(QStringLiteral("config/Torvane Toolbar/Torvane Toolbar.ini"))));
    }

    // Installed, the unit table comes from share/torvane-toolbar; a missing one
    // loads empty without an empty file being made in the install.
    void installed_toolbar_reads_the_installed_table_and_creates_none_data()
    {
        QTest::addColumn<bool>("installedTable");
        QTest::newRow("installed table") << true;
        QTest::newRow("table missing") << false;
    }
    void installed_toolbar_reads_the_installed_table_and_creates_none()
    {
        QFETCH(bool, installedTable);
        QTemporaryDir prefix;
        const DataFiles::Layout layout{prefix.filePath(QStringLiteral("bin")),
                                       prefix.filePath(QStringLiteral("share/torvane-toolbar")),
                                       prefix.filePath(QStringLiteral("home")), true};
        QVERIFY(QDir().mkpath(layout.programFolder) && QDir().mkpath(layout.sharedFolder));
        const QString table = QDir(layout.sharedFolder).filePath(QStringLiteral("converts.dat"));
        if (installedTable)
            QVERIFY(QFile::copy(TestSupport::runtimeDir() + QStringLiteral("/converts.dat"), table));
        const DataFiles::Layout previous = DataFiles::current();
        DataFiles::useLayout(layout);
        {
            frmToolbar toolbar;
        }
        DataFiles::useLayout(previous);
        QCOMPARE(UnitTypeList().isEmpty(), !installedTable);
        QCOMPARE(QFile::exists(table), installedTable);
        QVERIFY(QDir(layout.programFolder).isEmpty());
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
