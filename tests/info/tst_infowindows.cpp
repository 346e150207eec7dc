// The about and contact windows: version, link targets, looks and keys.

#include "core/tags.h"
#include "infowin/frmabout.h"
#include "infowin/frmcompanyinfo.h"
#include "widgets/shellhyperlink.h"

#include "testsupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <memory>

namespace {

// Records the links a window hands to the desktop instead of opening them.
using TestSupport::RecordingOpener;

QLabel *label1(QWidget *window, int index)
{
    return TestSupport::child<QLabel>(window, QStringLiteral("Label1_%1").arg(index));
}

} // namespace

class TestInfoWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void about_shows_the_project_version()
    {
        frmAbout about(m_context);
        QCOMPARE(TestSupport::child<QLabel>(&about, QStringLiteral("lblVersion"))->text(),
                 QStringLiteral("1.2.0"));
    }

    void about_label1_click_opens_its_target_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("target");
        const auto row = [](const char *name, int index, const char *caption, const char *target) {
            QTest::newRow(name) << index << QString::fromUtf8(caption) << QString::fromUtf8(target);
        };
        // One label of each kind; the headings 3, 4 and 6 behave as 0 does.
        row("0 heading", 0, "Version:", "");
        row("1 support page, whole entry", 1, "Global Customer Support Center",
            "http://www.velmora.example/support/global");
        row("5 web site, prefix and caption", 5, "velmora.example", "http://www.velmora.example");
        row("7 mail, prefix and caption", 7, "appsupport@velmora.example",
            "mailto:appsupport@velmora.example");
    }
    void about_label1_click_opens_its_target()
    {
        QFETCH(int, index);
        QFETCH(QString, caption);
        QFETCH(QString, target);
        RecordingOpener opener(m_context);
        frmAbout about(m_context);
        QLabel *label = label1(&about, index);

        QTest::mouseClick(label, Qt::LeftButton);

        QCOMPARE(opener.opened, target.isEmpty() ? QStringList() : QStringList{target});
        QCOMPARE(label->text(), caption);
        // Links are blue and reachable by Tab; headings keep the default colour.
        const bool link = !target.isEmpty();
        QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(0, 0, 255), link);
        QCOMPARE(bool(label->focusPolicy() & Qt::TabFocus), link);
    }

    // The heading's own caption would make "http://Visit our website at"; the
    // address below it is followed end to end (e2e_errorreport).
    void companyInfo_heading_opens_the_web_site()
    {
        RecordingOpener opener(m_context);
        frmCompanyInfo info(m_context);
        QLabel *label = label1(&info, 0);
        QCOMPARE(label->text(), QStringLiteral("Visit our website at"));
        QCOMPARE(GetTagValue(label, QStringLiteral("Protocol")), QStringLiteral("http://"));

        QTest::mouseClick(label, Qt::LeftButton);

        QCOMPARE(opener.opened, QStringList{QStringLiteral("http://www.velmora.example")});
    }

    void dialogs_close_with_enter_and_escape_data()
    {
        QTest::addColumn<bool>("about");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("about, Enter") << true << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("company, Enter") << false << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("company, Esc") << false << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void dialogs_close_with_enter_and_escape()
    {
        QFETCH(bool, about);
        QFETCH(int, key);
        RecordingOpener opener(m_context);
        std::unique_ptr<QDialog> dialog;
        if (about)
            dialog = std::make_unique<frmAbout>(m_context);
        else
            dialog = std::make_unique<frmCompanyInfo>(m_context);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(TestSupport::child<QPushButton>(dialog.get(), QStringLiteral("cmdOk"))->isDefault());

        QWidget *focus = dialog->focusWidget() ? dialog->focusWidget() : dialog.get();
        QTest::keyClick(focus, Qt::Key(key));

        QVERIFY(!dialog->isVisible());
        QTEST(dialog->result(), "result");
        QVERIFY2(opener.opened.isEmpty(), "closing must not follow a link");
    }
};

QTEST_MAIN(TestInfoWindows)
#include "tst_infowindows.moc"
