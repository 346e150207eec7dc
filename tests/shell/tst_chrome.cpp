// Shared window chrome: link opening and its failures, link labels,
// select-all on focus, the calculator menus and the logo.

#include "shell/chrome.h"
#include "shell/helpwindow.h"
#include "shell/tags.h"

#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

#include <stdexcept>

namespace {

// Closes every modal window that opens while it lives and records it, so a
// test never blocks in exec().
class ModalWatcher
{
public:
    ModalWatcher()
    {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { poll(); });
        m_timer.start();
    }

    QStringList titles;
    QStringList names;
    QStringList texts;
    QStringList procs;
    QList<int> buttonCounts;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        titles << modal->windowTitle();
        names << modal->objectName();
        auto *box = qobject_cast<QMessageBox *>(modal);
        texts << (box ? box->text() : QString());
        buttonCounts << (box ? int(box->buttons().size()) : 0);
        auto *proc = modal->findChild<QLabel *>(QStringLiteral("lblProc"));
        procs << (proc ? proc->text() : QString());
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    QTimer m_timer;
};

// Stands in for the desktop: records what it was asked to open.
struct FakeOpener
{
    bool answer = true;
    bool throws = false;
    QStringList opened;
    bool cursorWasBusy = false;

    void install()
    {
        SetUrlOpenerForTesting([this](const QUrl &url) {
            opened << url.toString();
            cursorWasBusy =
                QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            if (throws)
                throw std::runtime_error("desktop handler crashed");
            return answer;
        });
    }
    ~FakeOpener() { SetUrlOpenerForTesting({}); }
};

} // namespace

// Receives the test scheme from QDesktopServices.
class UrlReceiver : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> received;
    Q_INVOKABLE void openUrl(const QUrl &url) { received << url; }
};

class TestChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void shellHyperlink_returns_the_desktops_answer_under_a_busy_cursor_data();
    void shellHyperlink_returns_the_desktops_answer_under_a_busy_cursor();
    void shellHyperlink_hands_links_to_desktop_url_handlers();
    void shellHyperlink_reports_unusable_links_and_fails_data();
    void shellHyperlink_reports_unusable_links_and_fails();

    void openLinkLabel_builds_the_target_from_the_protocol_tag_data();
    void openLinkLabel_builds_the_target_from_the_protocol_tag();

    void selectAllOnFocus_survives_the_focusing_click();

    void linkLabel_is_keyboard_usable_only_as_a_link_data();
    void linkLabel_is_keyboard_usable_only_as_a_link();

    void calculatorMenus_have_named_entries_data();
    void calculatorMenus_have_named_entries();
    void calculatorMenus_tooltips_flips_once_per_click();
    void calculatorMenus_about_opens_frmAbout_modally();
    void calculatorMenus_contents_reuses_one_help_window_per_owner();

    void logoButton_opens_company_info_by_mouse_and_keys_data();
    void logoButton_opens_company_info_by_mouse_and_keys();

private:
    QTemporaryDir m_settingsDir;
};

void TestChrome::initTestCase()
{
    TestSupport::initTestEnvironment(m_settingsDir);
}

void TestChrome::shellHyperlink_returns_the_desktops_answer_under_a_busy_cursor_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("accepted") << true;
    QTest::newRow("refused") << false;
}

void TestChrome::shellHyperlink_returns_the_desktops_answer_under_a_busy_cursor()
{
    QFETCH(bool, answer);
    FakeOpener opener;
    opener.answer = answer;
    opener.install();
    ModalWatcher watcher;

    QCOMPARE(ShellHyperlink(QStringLiteral("mailto:appsupport@velmora.example")), answer);

    QCOMPARE(opener.opened, QStringList{QStringLiteral("mailto:appsupport@velmora.example")});
    QVERIFY(opener.cursorWasBusy);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
    QVERIFY2(watcher.titles.isEmpty(), "a refusal is not an error report");
}

void TestChrome::shellHyperlink_hands_links_to_desktop_url_handlers()
{
    UrlReceiver receiver;
    QDesktopServices::setUrlHandler(QStringLiteral("torvanetest"), &receiver, "openUrl");
    const bool opened = ShellHyperlink(QStringLiteral("torvanetest://www.velmora.example/support"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("torvanetest"));

    QVERIFY(opened);
    QCOMPARE(receiver.received,
             QList<QUrl>{QUrl(QStringLiteral("torvanetest://www.velmora.example/support"))});
}

void TestChrome::shellHyperlink_reports_unusable_links_and_fails_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("openerThrows");
    QTest::addColumn<bool>("reachesOpener");

    QTest::newRow("empty") << QString() << false << false;
    QTest::newRow("blank") << QStringLiteral("   ") << false << false;
    QTest::newRow("spaces in host") << QStringLiteral("http://Visit our website at") << false << false;
    QTest::newRow("no scheme") << QStringLiteral("www.velmora.example") << false << false;
    QTest::newRow("opener throws") << QStringLiteral("http://www.velmora.example") << true << true;
}

void TestChrome::shellHyperlink_reports_unusable_links_and_fails()
{
    QFETCH(QString, target);
    QFETCH(bool, openerThrows);
    QFETCH(bool, reachesOpener);
    FakeOpener opener;
    opener.throws = openerThrows;
    opener.install();

    bool cursorRestoredBeforeReport = false;
    QTimer cursorProbe;
    cursorProbe.setInterval(1);
    QObject::connect(&cursorProbe, &QTimer::timeout, [&cursorRestoredBeforeReport]() {
        if (QApplication::activeModalWidget() && QApplication::overrideCursor() == nullptr)
            cursorRestoredBeforeReport = true;
    });
    cursorProbe.start();
    ModalWatcher watcher;

    QVERIFY(!ShellHyperlink(target));

    QCOMPARE(opener.opened.size(), reachesOpener ? 1 : 0);
    QCOMPARE(watcher.names, QStringList{QStringLiteral("frmErrorHandler")});
    QCOMPARE(watcher.procs, QStringList{QStringLiteral("ShellHyperlink in mdlConvert")});
    QVERIFY(cursorRestoredBeforeReport);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestChrome::openLinkLabel_builds_the_target_from_the_protocol_tag_data()
{
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("appendCaption");
    QTest::addColumn<bool>("desktopAccepts");
    QTest::addColumn<QStringList>("expectedOpened");
    QTest::addColumn<QStringList>("expectedWindows");

    const QStringList none;
    const QString aborted = QStringLiteral("Hyperlink Aborted");
    QTest::newRow("prefix and caption")
        << QStringLiteral("Protocol=mailto:;") << QStringLiteral("toolbar@pellridge.example") << true << true
        << QStringList{QStringLiteral("mailto:toolbar@pellridge.example")} << none;
    QTest::newRow("whole target with a query")
        << QStringLiteral("Protocol=http://www.velmora.example/enews/signup?source=toolbar;")
        << QStringLiteral("Sign up for Velmora eNews") << false << true
        << QStringList{QStringLiteral("http://www.velmora.example/enews/signup?source=toolbar")} << none;
    QTest::newRow("no protocol: nothing, no message")
        << QString() << QStringLiteral("Visit us at") << true << false << none << none;
    QTest::newRow("other keys only") << QStringLiteral("Tooltip=1951;") << QStringLiteral("Visit us at")
                                     << true << false << none << none;
    QTest::newRow("refused by the desktop")
        << QStringLiteral("Protocol=http://www.;") << QStringLiteral("velmora.example") << true << false
        << QStringList{QStringLiteral("http://www.velmora.example")} << QStringList{aborted};
    QTest::newRow("unusable link: report, then message")
        << QStringLiteral("Protocol=http://;") << QStringLiteral("Visit our website at") << true << true
        << none << QStringList{QStringLiteral("Error Handler"), aborted};
}

void TestChrome::openLinkLabel_builds_the_target_from_the_protocol_tag()
{
    QFETCH(QString, tag);
    QFETCH(QString, caption);
    QFETCH(bool, appendCaption);
    QFETCH(bool, desktopAccepts);
    QFETCH(QStringList, expectedOpened);
    QFETCH(QStringList, expectedWindows);

    FakeOpener opener;
    opener.answer = desktopAccepts;
    opener.install();
    QWidget window;
    QLabel label(caption, &window);
    SetTag(&label, tag);
    ModalWatcher watcher;

    OpenLinkLabel(&label, appendCaption, &window);

    QCOMPARE(opener.opened, expectedOpened);
    QCOMPARE(watcher.titles, expectedWindows);
    const int aborted = int(watcher.titles.indexOf(QStringLiteral("Hyperlink Aborted")));
    if (aborted >= 0) {
        QCOMPARE(watcher.texts[aborted], QStringLiteral("Unable to open hyperlink at this time."));
        QCOMPARE(watcher.buttonCounts[aborted], 1);
    }
}

void TestChrome::selectAllOnFocus_survives_the_focusing_click()
{
    QWidget window;
    auto *other = new QLineEdit(QStringLiteral("other"), &window);
    auto *box = new QLineEdit(QStringLiteral("0.0"), &window);
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(other);
    layout->addWidget(box);
    SelectAllOnFocus(box);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    // The click lands in the middle of the text, where the caret would go.
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    QCoreApplication::processEvents();

    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), QStringLiteral("0.0"));
}

void TestChrome::linkLabel_is_keyboard_usable_only_as_a_link_data()
{
    QTest::addColumn<bool>("link");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("clicks");

    QTest::newRow("link, Return") << true << int(Qt::Key_Return) << int(Qt::NoModifier) << true;
    QTest::newRow("link, keypad Enter") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
    QTest::newRow("link, Space") << true << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
    QTest::newRow("link, Ctrl+Return") << true << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
    QTest::newRow("heading, Return") << false << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
}

void TestChrome::linkLabel_is_keyboard_usable_only_as_a_link()
{
    QFETCH(bool, link);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, clicks);

    LinkLabel label(QStringLiteral("velmora.example"));
    label.setLinkAppearance(link);
    QSignalSpy clicked(&label, &LinkLabel::clicked);

    QTest::keyClick(&label, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(clicked.size(), clicks ? 1 : 0);

    QTest::mouseClick(&label, Qt::LeftButton);
    QCOMPARE(clicked.size(), clicks ? 2 : 1);

    QCOMPARE(label.focusPolicy(), link ? Qt::StrongFocus : Qt::NoFocus);
    QCOMPARE(label.cursor().shape(), link ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QCOMPARE(label.palette().color(QPalette::WindowText) == QColor(0, 0, 255), link);
}

void TestChrome::calculatorMenus_have_named_entries_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<bool>("checkable");

    QTest::newRow("options") << "mnuOptions"
                             << "&Options" << true << false;
    QTest::newRow("language") << "mnuOptionsSelectLanguage"
                              << "Select &Language" << true << false;
    QTest::newRow("tooltips") << "mnuOptionsTooltips"
                              << "Tooltips" << true << true;
    QTest::newRow("wallpaper") << "mnuOptionsSelectWallpaper"
                               << "Select &Wallpaper" << true << false;
    QTest::newRow("help") << "mnuHelp"
                          << "&Help" << true << false;
    QTest::newRow("contents") << "mnuHelpContents"
                              << "&Contents" << true << false;
    QTest::newRow("search") << "mnuHelpSearch"
                            << "&Search For Help On..." << false << false;
    QTest::newRow("break") << "mnuHelpBreak"
                           << "" << true << false;
    QTest::newRow("about") << "mnuHelpAboutToolbar"
                           << "&About Torvane Toolbar" << true << false;
}

void TestChrome::calculatorMenus_have_named_entries()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    QFETCH(bool, checkable);

    QDialog window;
    auto *menuBar = new QMenuBar(&window);
    CalculatorMenus menus(menuBar, &window);

    const QList<QAction *> found = window.findChildren<QAction *>(name);
    QCOMPARE(found.size(), 1);
    QAction *action = found.first();
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->isVisible(), visible);
    QCOMPARE(action->isCheckable(), checkable);
    QCOMPARE(action->isSeparator(), name == QLatin1String("mnuHelpBreak"));
    if (checkable)
        QVERIFY(action->isChecked());
    // The separator sits between Search and About, as the menu reads.
    const QList<QAction *> help = menus.helpMenu()->actions();
    QCOMPARE(help, (QList<QAction *>{menus.mnuHelpContents, menus.mnuHelpSearch, menus.mnuHelpBreak,
                                     menus.mnuHelpAboutToolbar}));
}

void TestChrome::calculatorMenus_tooltips_flips_once_per_click()
{
    QDialog window;
    CalculatorMenus menus(new QMenuBar(&window), &window);
    QSignalSpy toggled(&menus, &CalculatorMenus::tooltipsToggled);

    menus.mnuOptionsTooltips->trigger();
    QVERIFY(!menus.mnuOptionsTooltips->isChecked());
    menus.mnuOptionsTooltips->trigger();
    QVERIFY(menus.mnuOptionsTooltips->isChecked());

    QCOMPARE(toggled.size(), 2);
    QCOMPARE(toggled[0][0].toBool(), false);
    QCOMPARE(toggled[1][0].toBool(), true);
}

void TestChrome::calculatorMenus_about_opens_frmAbout_modally()
{
    QDialog window;
    CalculatorMenus menus(new QMenuBar(&window), &window);
    QSignalSpy done(&menus, &CalculatorMenus::aboutDone);
    ModalWatcher watcher;

    menus.mnuHelpAboutToolbar->trigger();

    QCOMPARE(watcher.names, QStringList{QStringLiteral("frmAbout")});
    QCOMPARE(done.size(), 1);
}

void TestChrome::calculatorMenus_contents_reuses_one_help_window_per_owner()
{
    QDialog first;
    QDialog second;
    CalculatorMenus firstMenus(new QMenuBar(&first), &first);
    CalculatorMenus secondMenus(new QMenuBar(&second), &second);
    QSignalSpy done(&firstMenus, &CalculatorMenus::helpContentsDone);

    firstMenus.mnuHelpContents->trigger();
    HelpWindow *help = first.findChild<HelpWindow *>();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    help->showPage(QStringLiteral("settings.html"));
    firstMenus.mnuHelpContents->trigger();
    secondMenus.mnuHelpContents->trigger();

    QCOMPARE(first.findChildren<HelpWindow *>().size(), 1);
    QCOMPARE(help->currentPage(), QStringLiteral("index.html"));
    QCOMPARE(second.findChildren<HelpWindow *>().size(), 1);
    QVERIFY(second.findChild<HelpWindow *>() != help);
    QCOMPARE(done.size(), 2);
}

void TestChrome::logoButton_opens_company_info_by_mouse_and_keys_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("click") << 0;
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
}

void TestChrome::logoButton_opens_company_info_by_mouse_and_keys()
{
    QFETCH(int, key);
    QWidget window;
    auto *logo = new LogoButton(&window);
    QSignalSpy closed(logo, &LogoButton::companyInfoClosed);
    ModalWatcher watcher;

    if (key == 0)
        QTest::mouseClick(logo, Qt::LeftButton);
    else
        QTest::keyClick(logo, Qt::Key(key));

    QCOMPARE(watcher.names, QStringList{QStringLiteral("frmCompanyInfo")});
    QCOMPARE(closed.size(), 1);
    QCOMPARE(logo->objectName(), QStringLiteral("imgLogo"));
    QVERIFY(logo->focusPolicy() & Qt::TabFocus);
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
