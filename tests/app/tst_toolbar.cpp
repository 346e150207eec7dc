// The launcher strip: where it appears, what it saves, how its buttons look
// and what they open, and that only one toolbar runs.

#include "app/frmtoolbar.h"
#include "app/singleinstance.h"
#include "axis/axisfile.h"
#include "axiswin/frmaxissizing.h"
#include "core/datafiles.h"
#include "core/settingsstore.h"
#include "testsupport.h"
#include "units/conversiontable.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QtTest>

#include <array>
#include <chrono>
#include <cstring>
#include <future>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TestToolbar : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

    QString stored(const QString &key) { return m_context.settings().read(QStringLiteral("Toolbar"), key); }
    void store(const QString &x, const QString &y)
    {
        m_context.settings().write(QStringLiteral("Toolbar"), QStringLiteral("X"), x);
        m_context.settings().write(QStringLiteral("Toolbar"), QStringLiteral("Y"), y);
    }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init() { QFile::remove(m_context.settings().fileName()); }

    void unusable_position_is_corrected_onto_the_screen_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::newRow("not numbers") << QStringLiteral("left") << QStringLiteral("top");
        // The frame, not just the strip, must end inside the panel-free area
        // (where a stored place is pulled back to is checked with the position rules).
        QTest::newRow("below the bottom") << QStringLiteral("1500") << QStringLiteral("90000");
    }
    void unusable_position_is_corrected_onto_the_screen()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        store(x, y);
        frmToolbar toolbar(m_context);
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(toolbar.frameGeometry() != toolbar.geometry(), "the platform shows no frame");
        QVERIFY2(area.contains(toolbar.frameGeometry()),
                 qPrintable(QStringLiteral("frame at %1,%2").arg(toolbar.x()).arg(toolbar.y())));
    }

    // It starts where it was left. However it ends, it stores where it stands
    // in twips (Exit and Ctrl+Q: e2e_tray); minimized, it keeps the place
    // stored before. The headless platform has no notification area: hiding
    // the strip would leave nothing to bring it back, so there the close box
    // ends the program too.
    void ending_stores_the_position_in_twips_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("close box without a tray") << "close";
        QTest::newRow("minimized keeps the stored place") << "minimized";
    }
    void ending_stores_the_position_in_twips()
    {
        QFETCH(QString, how);
        store(QStringLiteral("1500"), QStringLiteral("300"));
        frmToolbar toolbar(m_context);
        QCOMPARE(toolbar.pos(), QPoint(100, 20));
        if (how == u"minimized") {
            toolbar.showMinimized();
            QTRY_VERIFY(toolbar.isMinimized());
        } else {
            toolbar.show();
        }
        toolbar.move(120, 40);
        if (how == u"close") {
            QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
            QVERIFY(toolbar.close());
        } else {
            toolbar.findChild<QAction *>(QStringLiteral("mnuFileExit"))->trigger();
            QVERIFY(toolbar.quitFromSysTray());
        }
        QVERIFY(!toolbar.isVisible());
        const QPoint at = how == u"minimized" ? QPoint(100, 20) : toolbar.pos();
        QCOMPARE(QStringList({stored(QStringLiteral("X")), stored(QStringLiteral("Y"))}),
                 QStringList({QString::number(at.x() * 15), QString::number(at.y() * 15)}));
    }

    void tray_menu_brings_the_strip_back_on_top()
    {
        frmToolbar toolbar(m_context);
        // An ordinary window until it comes back from the tray.
        QVERIFY(!(toolbar.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(toolbar.windowTitle(), QStringLiteral("Torvane Toolbar"));
        toolbar.hide();
        toolbar.findChild<QAction *>(QStringLiteral("mnuFileShow"))->trigger();
        QVERIFY(toolbar.isVisible());
        QVERIFY(toolbar.windowFlags() & Qt::WindowStaysOnTopHint);
        QStringList entries;
        for (const QAction *action : toolbar.trayMenu()->actions()) {
            if (!action->isSeparator())
                entries.append(action->text());
        }
        // Each with its own access key.
        QCOMPARE(entries, QStringList({"&Show toolbar", "&Unit calculator", "&Inertia calculator",
                                       "&Density table", "&Reference", "&Axis sizing", "&Help", "E&xit"}));
    }

    void buttons_show_pressed_face_and_name_themselves_in_the_caption()
    {
        frmToolbar toolbar(m_context);
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
            // Spoken by the caption it shows, its hint as the description.
            QVERIFY(!launcher->toolTip().isEmpty());
            QCOMPARE(launcher->accessibleName(), QLatin1String(caption));
            QCOMPARE(launcher->accessibleDescription(), launcher->toolTip());
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

    // (The logo's window is the logo button's own test.)
    void buttons_and_tray_entries_open_their_windows_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("trayEntry");
        QTest::addColumn<QString>("window");
        const char *const rows[][4] = {{"units", "cmdUnits", "mnuFileUnits", "frmUnitCalculator"},
                                       {"inertia", "cmdInertia", "mnuFileInertia", "frmInertiaCalc"},
                                       {"density", "cmdDensity", "mnuFileDensity", "frmDensitySelect"},
                                       {"trig", "cmdTrig", "mnuFileTrig", "frmIntegral"},
                                       {"axis", "cmdAxis", "mnuFileAxis", "frmAxisSizing"}};
        for (const auto &[row, button, entry, window] : rows)
            QTest::newRow(row) << QString::fromLatin1(button) << QString::fromLatin1(entry)
                               << QString::fromLatin1(window);
    }
    void buttons_and_tray_entries_open_their_windows()
    {
        QFETCH(QString, button);
        QFETCH(QString, trayEntry);
        QFETCH(QString, window);
        frmToolbar toolbar(m_context);
        toolbar.show();
        QString opened;
        const auto watch = TestSupport::closeNextModal(opened);
        toolbar.findChild<QAbstractButton *>(button)->click();
        QCOMPARE(opened, window);
        // From the tray too, even with the strip hidden; while a window is
        // open over the strip the menu offers no second one, only the open
        // one's own entry (which brings it back).
        toolbar.hide();
        QAction *entry = toolbar.findChild<QAction *>(trayEntry);
        const auto offered = [&toolbar] {
            QStringList names;
            for (const char *name :
                 {"mnuFileUnits", "mnuFileInertia", "mnuFileDensity", "mnuFileTrig", "mnuFileAxis"}) {
                if (toolbar.findChild<QAction *>(QLatin1String(name))->isEnabled())
                    names.append(QLatin1String(name));
            }
            return names;
        };
        opened.clear();
        QStringList offeredWhileOpen;
        const auto trayWatch = TestSupport::whenModalShown([&](QWidget *modal) {
            opened = modal->objectName();
            Q_EMIT toolbar.trayMenu()->aboutToShow();
            offeredWhileOpen = offered();
            modal->close();
        });
        entry->trigger();
        QCOMPARE(opened, window);
        QCOMPARE(offeredWhileOpen, QStringList(trayEntry));
        Q_EMIT toolbar.trayMenu()->aboutToShow();
        QCOMPARE(offered().size(), 5);
    }

    // A window the strip opens is a window of its own (its own taskbar
    // entry; minimising it leaves the strip), opens beside the strip, and
    // while it is open the tray icon names it and a click on the icon, or
    // on the strip, brings it back to the front.
    void open_window_stands_apart_and_is_brought_back_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("units") << "cmdUnits";
        QTest::newRow("inertia") << "cmdInertia";
        QTest::newRow("density") << "cmdDensity";
        QTest::newRow("trig") << "cmdTrig";
        QTest::newRow("axis") << "cmdAxis";
        QTest::newRow("logo") << "cmdLogo";
    }
    void open_window_stands_apart_and_is_brought_back()
    {
        QFETCH(QString, button);
        frmToolbar toolbar(m_context);
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        const qint64 plainIcon = toolbar.trayIcon()->icon().cacheKey();
        QStringList seen;
        const auto watch = TestSupport::whenModalShown([&](QWidget *window) {
            const QRect strip = toolbar.frameGeometry();
            const QRect frame = window->frameGeometry();
            const QRect area = toolbar.screen()->availableGeometry();
            // Over the strip only when it fits beside it nowhere.
            const bool fits =
                strip.bottom() + 9 + frame.height() <= area.bottom() + 1 ||
                (strip.left() - area.left() >= frame.width() + 8 && frame.height() <= area.height());
            seen << QString::number(window->windowType() == Qt::Window)
                 << QString::number(!fits || !frame.intersects(strip))
                 << QString::number(toolbar.trayIcon()->toolTip().contains(window->windowTitle()) &&
                                    toolbar.trayIcon()->icon().cacheKey() != plainIcon);
            window->showMinimized();
            Q_EMIT toolbar.trayIcon()->activated(QSystemTrayIcon::Trigger);
            seen << QString::number(!window->isMinimized() && toolbar.isVisible());
            bool stripActivated = false;
            const auto focus = connect(qApp, &QGuiApplication::focusWindowChanged, [&](QWindow *now) {
                stripActivated = stripActivated || now == toolbar.windowHandle();
            });
            toolbar.activateWindow(); // as a click on it does
            QVERIFY(QTest::qWaitFor([&stripActivated] { return stripActivated; }));
            disconnect(focus);
            seen << QString::number(
                QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
            window->close();
        });
        toolbar.findChild<QAbstractButton *>(button)->click();
        QCOMPARE(seen, QStringList({"1", "1", "1", "1", "1"}));
        QCOMPARE(toolbar.trayIcon()->toolTip(), QStringLiteral("Torvane Toolbar"));
        QCOMPARE(toolbar.toolWindow(), nullptr);
    }

    // A window the user minimised comes back, restored and in front with the
    // keyboard, from its strip button, its tray entry or a press anywhere on
    // the strip (which the open window blocks: only the X server's event
    // tells of it, in the core or the input extension's form); no second
    // window opens.
    void minimised_window_comes_back_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("again");
        const char *const rows[][3] = {{"units, button", "cmdUnits", "cmdUnits"},
                                       {"units, tray", "cmdUnits", "mnuFileUnits"},
                                       {"units, press", "cmdUnits", "press"},
                                       {"inertia, button", "cmdInertia", "cmdInertia"},
                                       {"inertia, tray", "cmdInertia", "mnuFileInertia"},
                                       {"density, button", "cmdDensity", "cmdDensity"},
                                       {"density, tray", "cmdDensity", "mnuFileDensity"},
                                       {"trig, button", "cmdTrig", "cmdTrig"},
                                       {"trig, tray", "cmdTrig", "mnuFileTrig"},
                                       {"axis, button", "cmdAxis", "cmdAxis"},
                                       {"axis, tray", "cmdAxis", "mnuFileAxis"},
                                       {"axis, device press", "cmdAxis", "device press"}};
        for (const auto &[row, button, again] : rows)
            QTest::newRow(row) << QString::fromLatin1(button) << QString::fromLatin1(again);
    }
    void minimised_window_comes_back()
    {
        QFETCH(QString, button);
        QFETCH(QString, again);
        frmToolbar toolbar(m_context);
        toolbar.show();
        QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
        // A left press on the strip as the X server reports it: the core
        // event, or the input extension's generic event (type 4, the press).
        const auto pressOnStrip = [&toolbar](bool device) {
            const quint32 window = quint32(toolbar.windowHandle()->winId());
            std::array<quint8, 48> event{};
            event[0] = device ? 35 : 4;
            if (device) {
                event[8] = 4;
                event[16] = 1;
                std::memcpy(&event[24], &window, sizeof window);
            } else {
                event[1] = 1;
                std::memcpy(&event[12], &window, sizeof window);
            }
            qintptr result = 0;
            QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", event.data(),
                                                                    &result);
        };
        QStringList seen;
        const auto watch = TestSupport::whenModalShown([&](QWidget *window) {
            window->showMinimized();
            QTest::qWaitFor([window] { return window->isMinimized(); });
            QString second;
            {
                const auto extra = TestSupport::closeNextModal(second, TestSupport::Modal::MayOpen);
                if (again.endsWith(u"press")) {
                    pressOnStrip(again.startsWith(u"device"));
                } else if (auto *entry = toolbar.findChild<QAction *>(again)) {
                    Q_EMIT toolbar.trayMenu()->aboutToShow();
                    entry->trigger();
                } else {
                    toolbar.findChild<QAbstractButton *>(again)->click();
                }
            }
            seen << QString::number(QTest::qWaitFor([window] {
                return window->isVisible() && !(window->windowState() & Qt::WindowMinimized);
            })) << QString::number(QTest::qWaitFor([window] {
                return QApplication::activeWindow() == window;
            })) << (second.isEmpty() ? QStringLiteral("no second window") : second);
            window->close();
        });
        toolbar.findChild<QAbstractButton *>(button)->click();
        QCOMPARE(seen, QStringList({"1", "1", "no second window"}));
    }

    // Exit closes the open window first; one kept open (an axis whose
    // unsaved changes the user keeps) keeps the program and the strip.
    void exit_kept_back_by_an_open_window()
    {
        frmToolbar toolbar(m_context);
        toolbar.show();
        bool keptOpen = false;
        const auto watch = TestSupport::whenModalShown([&](QWidget *window) {
            window->findChild<QLineEdit *>(QStringLiteral("txtGearRatio"))->setText(QStringLiteral("4"));
            const auto keep = TestSupport::whenModalShown(
                [](QWidget *box) { static_cast<QMessageBox *>(box)->button(QMessageBox::Cancel)->click(); });
            toolbar.findChild<QAction *>(QStringLiteral("mnuFileExit"))->trigger();
            keptOpen = window->isVisible() && toolbar.isVisible() && !toolbar.quitFromSysTray();
            const auto discard = TestSupport::whenModalShown(
                [](QWidget *box) { static_cast<QMessageBox *>(box)->button(QMessageBox::Discard)->click(); });
            window->close();
        });
        toolbar.findChild<QAbstractButton *>(QStringLiteral("cmdAxis"))->click();
        QVERIFY(keptOpen);
    }

    void tray_help_opens_the_help_window()
    {
        frmToolbar toolbar(m_context);
        toolbar.findChild<QAction *>(QStringLiteral("mnuFileHelp"))->trigger();
        auto *help = toolbar.findChild<QWidget *>(QStringLiteral("frmHelp"));
        QVERIFY(help && help->isVisible());
    }

    // A later start asks the running toolbar, through the socket beside the
    // lock, to show its strip; a socket left by a crash is no obstacle, a
    // client that is no toolbar holds nothing up and is hung up on, and with
    // nobody listening the later start learns it.
    void second_start_shows_the_running_strip_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QByteArray>("sent");  // by an intruding client first
        QTest::addColumn<int>("hungUpWithin"); // ms the toolbar gives the intruder
        QTest::addColumn<bool>("answered");
        QTest::newRow("socket left by a crashed toolbar") << "stale socket" << QByteArray() << 0 << true;
        QTest::newRow("nobody listening") << "not listening" << QByteArray() << 0 << false;
        QTest::newRow("socket path too long") << "long path" << QByteArray() << 0 << false;
        QTest::newRow("a client that sends nothing") << "intruder" << QByteArray("") << 5000 << true;
        QTest::newRow("a client that sends garbage") << "intruder" << QByteArray("garbage\n") << 1500 << true;
        QTest::newRow("a client that sends no end") << "intruder" << QByteArray(100000, 'x') << 1500 << true;
    }
    void second_start_shows_the_running_strip()
    {
        QFETCH(QString, situation);
        QFETCH(QByteArray, sent);
        QFETCH(int, hungUpWithin);
        QFETCH(bool, answered);
        QTemporaryDir temporary;
        QString folder = temporary.path();
        if (situation == u"long path") {
            folder = temporary.filePath(QString(110, u'd'));
            QVERIFY(QDir().mkdir(folder));
            QTest::ignoreMessage(QtWarningMsg,
                                 QRegularExpression(QStringLiteral("too long for a local socket")));
        }
        SingleInstance first(QStringLiteral("toolbar.lock"), folder);
        QVERIFY(first.acquired());
        if (situation == u"stale socket")
            QVERIFY(TestSupport::writeFile(first.socketPath(), "stale"));
        frmToolbar toolbar(m_context); // hidden, as when closed to the tray
        connect(&first, &SingleInstance::showRequested, &toolbar, &frmToolbar::showForAnotherStart);
        if (situation != u"not listening")
            QCOMPARE(first.listen(), answered);
        if (answered) // no one else may connect
            QVERIFY(!(QFileInfo(first.socketPath()).permissions() &
                      (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther)));
        const int intruder = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const auto closing = qScopeGuard([intruder] { ::close(intruder); });
        if (situation == u"intruder") {
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            qstrncpy(address.sun_path, QFile::encodeName(first.socketPath()).constData(),
                     sizeof address.sun_path);
            QVERIFY(::connect(intruder, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0);
            QVERIFY(::send(intruder, sent.constData(), size_t(sent.size()), MSG_DONTWAIT | MSG_NOSIGNAL) ==
                    sent.size());
        }

        SingleInstance second(QStringLiteral("toolbar.lock"), folder);
        QCOMPARE(second.status(), SingleInstance::Status::HeldByAnother);
        // The later start waits for its answer while this one's loop runs.
        std::future<bool> asked =
            std::async(std::launch::async, [&second] { return second.askRunningToShow(1000); });
        QTRY_VERIFY(asked.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(asked.get(), answered);
        QCOMPARE(toolbar.isVisible(), answered);
        if (answered)
            QVERIFY(QTest::qWaitForWindowActive(&toolbar));
        const auto hungUp = [intruder] {
            char byte = 0;
            const ssize_t got = ::recv(intruder, &byte, 1, MSG_DONTWAIT);
            return got == 0 || (got < 0 && errno != EAGAIN);
        };
        if (hungUpWithin > 0)
            QTRY_VERIFY_WITH_TIMEOUT(hungUp(), hungUpWithin);
    }

    // A later start with a file hands it over the same way: the running
    // toolbar opens it in a new axis window (e2e_start), or in the one
    // already open.
    void second_start_opens_its_file_in_the_open_axis_window()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("given.tvaxis"));
        QVERIFY(TestSupport::writeFile(path, AxisFileBytes({}).value_or(QByteArray())));
        SingleInstance first(QStringLiteral("toolbar.lock"), folder.path());
        frmToolbar toolbar(m_context);
        connect(&first, &SingleInstance::openRequested, &toolbar, &frmToolbar::openAxisFile);
        QVERIFY(first.listen());
        SingleInstance second(QStringLiteral("toolbar.lock"), folder.path());
        std::future<bool> answered;
        QString opened;
        qsizetype windows = 0;
        auto watch = TestSupport::whenModalShown([&](QWidget *modal) {
            auto *axis = qobject_cast<frmAxisSizing *>(modal);
            answered =
                std::async(std::launch::async, [&second, path] { return second.askRunningToOpen(path); });
            (void)QTest::qWaitFor([&] { return axis->filePath() == path; }, 10000);
            opened = axis->filePath();
            windows = toolbar.findChildren<frmAxisSizing *>().size();
            modal->close();
        });
        toolbar.findChild<QAbstractButton *>(QStringLiteral("cmdAxis"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(!opened.isEmpty(), 15000);
        QVERIFY(answered.get());
        QCOMPARE(opened, path);
        QCOMPARE(windows, 1);
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
        WindowContext installed(TestSupport::settingsFile(m_dir), layout);
        {
            frmToolbar toolbar(installed);
        }
        QCOMPARE(installed.units().unitTypes().isEmpty(), !installedTable);
        QVERIFY(m_context.units().records().isEmpty()); // each context keeps its own table
        QCOMPARE(QFile::exists(table), installedTable);
        QVERIFY(QDir(layout.programFolder).isEmpty());
    }
};

QTEST_MAIN(TestToolbar)
#include "tst_toolbar.moc"
