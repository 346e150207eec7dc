// Shared window chrome: link opening and its failures, link labels,
// select-all on focus, the calculator menus and the logo.

#include "shell/chrome.h"
#include "shell/helpwindow.h"
#include "shell/tags.h"

#include "testsupport.h"

#include <QAction>
#include <QApplication>
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
        QObject::connect(&m_timer, &QTimer::timeout, [this]() { poll(); });
        m_timer.start(5);
    }

    QStringList titles, names, texts, procs;

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

    FakeOpener()
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

class TestChrome : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void shellHyperlink_reports_unusable_links_and_fails_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("openerThrows");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("spaces in host") << QStringLiteral("http://Visit our website at") << false;
        QTest::newRow("no scheme") << QStringLiteral("www.velmora.example") << false;
        QTest::newRow("opener throws") << QStringLiteral("http://www.velmora.example") << true;
    }
    void shellHyperlink_reports_unusable_links_and_fails()
    {
        QFETCH(QString, target);
        QFETCH(bool, openerThrows);
        FakeOpener opener;
        opener.throws = openerThrows;

        // The report window must open under the normal cursor.
        bool cursorRestoredBeforeReport = false;
        QTimer cursorProbe;
        QObject::connect(&cursorProbe, &QTimer::timeout, [&cursorRestoredBeforeReport]() {
            if (QApplication::activeModalWidget() && QApplication::overrideCursor() == nullptr)
                cursorRestoredBeforeReport = true;
        });
        cursorProbe.start(1);
        ModalWatcher watcher;

        QVERIFY(!ShellHyperlink(target));

        QCOMPARE(opener.opened.size(), openerThrows ? 1 : 0);
        QCOMPARE(watcher.names, QStringList{QStringLiteral("frmErrorHandler")});
        QCOMPARE(watcher.procs, QStringList{QStringLiteral("ShellHyperlink in mdlConvert")});
        QVERIFY(cursorRestoredBeforeReport);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    void openLinkLabel_builds_the_target_from_the_protocol_tag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("expectedOpened");
        QTest::addColumn<QStringList>("expectedWindows");
        // Targets the desktop accepts are checked through the about window.
        const QString aborted = QStringLiteral("Hyperlink Aborted");
        QTest::newRow("no protocol: nothing, no message")
            << QStringLiteral("Tooltip=1951;") << QStringLiteral("Visit us at") << QStringList()
            << QStringList();
        QTest::newRow("refused by the desktop")
            << QStringLiteral("Protocol=http://www.;") << QStringLiteral("velmora.example")
            << QStringList{QStringLiteral("http://www.velmora.example")} << QStringList{aborted};
        QTest::newRow("unusable link: report, then message")
            << QStringLiteral("Protocol=http://;") << QStringLiteral("Visit our website at") << QStringList()
            << QStringList{QStringLiteral("Error Handler"), aborted};
    }
    void openLinkLabel_builds_the_target_from_the_protocol_tag()
    {
        QFETCH(QString, tag);
        QFETCH(QString, caption);
        QFETCH(QStringList, expectedOpened);
        QFETCH(QStringList, expectedWindows);

        FakeOpener opener;
        opener.answer = false;
        QWidget window;
        QLabel label(caption, &window);
        SetTag(&label, tag);
        ModalWatcher watcher;

        OpenLinkLabel(&label, true, &window);

        QCOMPARE(opener.opened, expectedOpened);
        // The desktop is asked under the busy cursor, which is gone afterwards.
        QVERIFY(opener.opened.isEmpty() || opener.cursorWasBusy);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        // A refusal is not an error report: only the message shows.
        QCOMPARE(watcher.titles, expectedWindows);
        if (!expectedWindows.isEmpty())
            QCOMPARE(watcher.texts.last(), QStringLiteral("Unable to open hyperlink at this time."));
    }

    void selectAllOnFocus_survives_the_focusing_click()
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

    void linkLabel_is_keyboard_usable_only_as_a_link_data()
    {
        QTest::addColumn<bool>("link");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("clicks");
        QTest::newRow("link, keypad Enter") << true << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true;
        QTest::newRow("link, Space") << true << int(Qt::Key_Space) << int(Qt::NoModifier) << true;
        QTest::newRow("link, Ctrl+Return")
            << true << int(Qt::Key_Return) << int(Qt::ControlModifier) << false;
        QTest::newRow("heading, Return") << false << int(Qt::Key_Return) << int(Qt::NoModifier) << false;
    }
    void linkLabel_is_keyboard_usable_only_as_a_link()
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

    void calculatorMenus_have_named_entries()
    {
        QDialog window;
        CalculatorMenus menus(new QMenuBar(&window), &window);
        const char *const entries[][2] = {{"mnuOptions", "&Options"},
                                          {"mnuOptionsSelectLanguage", "Select &Language"},
                                          {"mnuOptionsTooltips", "Tooltips"},
                                          {"mnuOptionsSelectWallpaper", "Select &Wallpaper"},
                                          {"mnuHelp", "&Help"},
                                          {"mnuHelpContents", "&Contents"},
                                          {"mnuHelpSearch", "&Search For Help On..."},
                                          {"mnuHelpBreak", ""},
                                          {"mnuHelpAboutToolbar", "&About Torvane Toolbar"}};
        for (const auto &[name, caption] : entries) {
            const QList<QAction *> found = window.findChildren<QAction *>(QLatin1String(name));
            QVERIFY2(found.size() == 1, name);
            QCOMPARE(found.first()->text(), QLatin1String(caption));
            // Search starts hidden; every other entry shows.
            QCOMPARE(found.first()->isVisible(), found.first() != menus.mnuHelpSearch);
        }
        QVERIFY(menus.mnuOptionsTooltips->isCheckable() && menus.mnuOptionsTooltips->isChecked());
        QVERIFY(menus.mnuHelpBreak->isSeparator());
        // The separator sits between Search and About, as the menu reads.
        QCOMPARE(menus.helpMenu()->actions(),
                 (QList<QAction *>{menus.mnuHelpContents, menus.mnuHelpSearch, menus.mnuHelpBreak,
                                   menus.mnuHelpAboutToolbar}));
    }

    void calculatorMenus_tooltips_flips_once_per_click()
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

    void calculatorMenus_about_opens_frmAbout_modally()
    {
        QDialog window;
        CalculatorMenus menus(new QMenuBar(&window), &window);
        QSignalSpy done(&menus, &CalculatorMenus::aboutDone);
        ModalWatcher watcher;

        menus.mnuHelpAboutToolbar->trigger();

        QCOMPARE(watcher.names, QStringList{QStringLiteral("frmAbout")});
        QCOMPARE(done.size(), 1);
    }

    void calculatorMenus_contents_reuses_one_help_window_per_owner()
    {
        QDialog first;
        QDialog second;
        CalculatorMenus firstMenus(new QMenuBar(&first), &first);
        CalculatorMenus secondMenus(new QMenuBar(&second), &second);
        QSignalSpy done(&firstMenus, &CalculatorMenus::helpContentsDone);

        firstMenus.mnuHelpContents->trigger();
        HelpWindow *help = first.findChild<HelpWindow *>();
        QVERIFY(help && help->isVisible());
        help->showPage(QStringLiteral("settings.html"));
        firstMenus.mnuHelpContents->trigger();
        secondMenus.mnuHelpContents->trigger();

        QCOMPARE(first.findChildren<HelpWindow *>().size(), 1);
        QCOMPARE(help->currentPage(), QStringLiteral("index.html"));
        QCOMPARE(second.findChildren<HelpWindow *>().size(), 1);
        QVERIFY(second.findChild<HelpWindow *>() != help);
        QCOMPARE(done.size(), 2);
    }

    void logoButton_opens_company_info_by_mouse_and_keys_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("click") << 0;
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Return") << int(Qt::Key_Return);
    }
    void logoButton_opens_company_info_by_mouse_and_keys()
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
        QVERIFY(logo->focusPolicy() & Qt::TabFocus);
    }
};

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
