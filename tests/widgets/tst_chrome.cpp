// Shared window chrome: link opening and its failures, link labels, the
// calculator menus and the logo.

#include "core/tags.h"
#include "widgets/chrome.h"
#include "widgets/helpwindow.h"
#include "widgets/linklabel.h"
#include "widgets/selectall.h"
#include "widgets/shellhyperlink.h"

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

namespace {

// " [address]" when a message box shows an address the user can select and copy.
QString selectableAddress(QMessageBox *box)
{
    for (const QLabel *label : box->findChildren<QLabel *>()) {
        if (label->text() == box->informativeText() && !label->text().isEmpty() &&
            label->textInteractionFlags().testFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard))
            return " [" + label->text() + ']';
    }
    return {};
}

// Closes every modal window that opens while it lives, so a test never blocks
// in exec(), and notes "name|title|text" of each: a message box's text, or
// the procedure an error report names.
struct ModalWatcher
{
    QStringList seen;
    QTimer timer;
    ModalWatcher()
    {
        QObject::connect(&timer, &QTimer::timeout, [this]() {
            auto *modal = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            if (!modal || !modal->isVisible())
                return;
            auto *box = qobject_cast<QMessageBox *>(modal);
            auto *proc = modal->findChild<QLabel *>(QStringLiteral("lblProc"));
            seen << modal->objectName() + u'|' + modal->windowTitle() + u'|' +
                        (box    ? box->text() + selectableAddress(box)
                         : proc ? proc->text()
                                : QString());
            modal->reject();
        });
        timer.start(5);
    }
};

const QString Report = QStringLiteral("frmErrorHandler|Error Handler|ShellHyperlink in mdlConvert");
// The message for a link that did not open, with its address to copy.
QString aborted(const char *address)
{
    return QStringLiteral("msgHyperlinkAborted|Hyperlink Aborted|Unable to open hyperlink at this time. [") +
           QString::fromUtf8(address) + u']';
}

} // namespace

class TestChrome : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    // Tabbing or clicking into a value box selects all of it, so typing replaces
    // it; the click must not move the caret afterwards and drop the selection.
    void selectAllOnFocus_survives_the_focusing_click()
    {
        QWidget window;
        auto *other = new QLineEdit(QStringLiteral("other"), &window);
        auto *box = new QLineEdit(QStringLiteral("0.0"), &window);
        box->move(0, 40);
        SelectAllOnFocus(box);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        other->setFocus();
        QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
        QCoreApplication::processEvents();
        QVERIFY(box->hasFocus());
        QCOMPARE(box->selectedText(), QStringLiteral("0.0"));
    }

    // The label's target is its Protocol tag entry, with or without its
    // caption. ShellHyperlink opens it, reporting an unusable link or a failing
    // opener; the message follows when the desktop refused the link.
    void openLinkLabel_builds_the_target_and_reports_failures_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("appendCaption");
        QTest::addColumn<QStringList>("expectedOpened");
        QTest::addColumn<QStringList>("expectedWindows");
        const auto row = [](const char *name, const char *tag, const char *caption, bool appendCaption,
                            const char *opened, const QStringList &windows) {
            QTest::newRow(name) << QString::fromUtf8(tag) << QString::fromUtf8(caption) << appendCaption
                                << QString::fromUtf8(opened).split(u' ', Qt::SkipEmptyParts) << windows;
        };
        // Targets the desktop accepts are checked through the about window; an
        // opener that throws (the report alone) end to end (e2e_errorreport).
        row("no protocol: nothing, no message", "Tooltip=1951;", "Visit us at", true, "", {});
        row("prefix and caption, refused by the desktop: message only", "Protocol=http://www.;",
            "velmora.example", true, "http://www.velmora.example", {aborted("http://www.velmora.example")});
        row("whole entry, refused by the desktop", "Protocol=mailto:toolbar@velmora.example;", "Write to us",
            false, "mailto:toolbar@velmora.example", {aborted("mailto:toolbar@velmora.example")});
        // A failure the report shows is told once, by the report.
        row("not a link: the report only", "Protocol=http://;", "Visit our website at", true, "", {Report});
        row("no scheme: the report only", "Protocol=www.;", "velmora.example", true, "", {Report});
    }
    void openLinkLabel_builds_the_target_and_reports_failures()
    {
        QFETCH(QString, tag);
        QFETCH(QString, caption);
        QFETCH(bool, appendCaption);
        QFETCH(QStringList, expectedWindows);
        // A desktop that opens nothing, asked under the busy cursor or not.
        TestSupport::RecordingOpener opener(m_context);
        bool cursorWasBusy = false;
        opener.answer = [&cursorWasBusy]() -> bool {
            cursorWasBusy =
                QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            return false;
        };
        QWidget window;
        QLabel label(caption, &window);
        SetTag(&label, tag);
        // Windows open under the normal cursor: 1 once one was seen so, 2 if
        // any was seen under an override (the busy cursor left on).
        int cursorUnderWindows = 0;
        QTimer cursorProbe;
        QObject::connect(&cursorProbe, &QTimer::timeout, [&cursorUnderWindows]() {
            if (QApplication::activeModalWidget())
                cursorUnderWindows = qMax(cursorUnderWindows, QApplication::overrideCursor() ? 2 : 1);
        });
        cursorProbe.start(1);
        ModalWatcher watcher;

        OpenLinkLabel(m_context, &label, appendCaption, &window);

        QTEST(opener.opened, "expectedOpened");
        // The desktop is asked under the busy cursor, which is gone afterwards.
        QVERIFY(opener.opened.isEmpty() || cursorWasBusy);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        QCOMPARE(cursorUnderWindows, expectedWindows.isEmpty() ? 0 : 1);
        QCOMPARE(watcher.seen, expectedWindows);
    }

    void linkLabel_is_keyboard_usable_only_as_a_link()
    {
        LinkLabel label(QStringLiteral("velmora.example"));
        QSignalSpy clicked(&label, &LinkLabel::clicked);
        QTest::keyClick(&label, Qt::Key_Return); // a heading ignores the keys
        QCOMPARE(clicked.size(), 0);
        label.setLinkAppearance(true);
        QTest::keyClick(&label, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(clicked.size(), 1);
    }

    void calculatorMenus_order_help_and_tooltips_flips_once_per_click()
    {
        QDialog window;
        CalculatorMenus menus(m_context, new QMenuBar(&window), &window);
        // The separator sits between Search and About, as the menu reads.
        QCOMPARE(menus.helpMenu()->actions(),
                 (QList<QAction *>{menus.mnuHelpContents, menus.mnuHelpSearch, menus.mnuHelpBreak,
                                   menus.mnuHelpAboutToolbar}));
        QVERIFY(menus.mnuHelpBreak->isSeparator());

        // Tooltips: the menu flips the check mark itself; the option must not flip it back.
        QSignalSpy toggled(&menus, &CalculatorMenus::tooltipsToggled);
        QList<bool> checks{menus.mnuOptionsTooltips->isChecked()};
        for (int click = 0; click < 2; ++click) {
            menus.mnuOptionsTooltips->trigger();
            checks << menus.mnuOptionsTooltips->isChecked();
        }
        for (const QList<QVariant> &args : toggled)
            checks << args.at(0).toBool();
        // Checked, unchecked, checked again; then one signal per click with the new state.
        QCOMPARE(checks, (QList<bool>{true, false, true, false, true}));
    }

    // About opens modally; Contents opens one help window per owner, back on
    // its contents page each time.
    void calculatorMenus_help_entries_open_their_windows()
    {
        QDialog window;
        CalculatorMenus menus(m_context, new QMenuBar(&window), &window);
        QSignalSpy aboutDone(&menus, &CalculatorMenus::aboutDone);
        QSignalSpy contentsDone(&menus, &CalculatorMenus::helpContentsDone);
        {
            ModalWatcher watcher;
            menus.mnuHelpAboutToolbar->trigger();
            QCOMPARE(watcher.seen.value(0).section(u'|', 0, 0), QStringLiteral("frmAbout"));
        }
        QCOMPARE(aboutDone.size(), 1);

        menus.mnuHelpContents->trigger();
        HelpWindow *help = window.findChild<HelpWindow *>();
        QVERIFY(help && help->isVisible());
        help->showPage(QStringLiteral("settings.html"));
        menus.mnuHelpContents->trigger();
        QCOMPARE(window.findChildren<HelpWindow *>().size(), 1);
        QCOMPARE(help->currentPage(), QStringLiteral("index.html"));
        QCOMPARE(contentsDone.size(), 2);
    }

    void logoButton_opens_company_info_by_mouse_and_keys()
    {
        QWidget window;
        auto *logo = new LogoButton(m_context, &window);
        QSignalSpy closed(logo, &LogoButton::companyInfoClosed);
        ModalWatcher watcher;
        QTest::mouseClick(logo, Qt::LeftButton);
        QTest::keyClick(logo, Qt::Key_Return);
        QCOMPARE(watcher.seen.filter(QRegularExpression("^frmCompanyInfo\\|")).size(), 2);
        QCOMPARE(closed.size(), 2);
        QVERIFY(logo->focusPolicy() & Qt::TabFocus);
    }
};

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
