// The start: the language offset rule, the start error, and a normal start
// that shows the strip from the program's own folder.

#include "app/frmtoolbar.h"
#include "app/startprocedure.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init()
    {
        QFile::remove(SettingsStore::fileName());
        LanguageOffset = 0;
    }

    // The number reading and rounding themselves are checked with the number formats.
    void language_offset_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("offset");
        QTest::newRow("empty") << "" << true << 0;
        QTest::newRow("number then letters") << "12abc" << true << 12;
        QTest::newRow("letters only") << "abc" << true << 0;
        QTest::newRow("two and a half") << "2.5" << true << 2;
        QTest::newRow("largest") << "32767" << true << 32767;
        QTest::newRow("too large") << "32768" << false << 0;
    }
    void language_offset()
    {
        QFETCH(QString, text);
        QFETCH(bool, fits);
        QFETCH(int, offset);
        const std::optional<qint16> parsed = ParseLanguageOffset(text);
        QCOMPARE(parsed.has_value(), fits);
        if (fits)
            QCOMPARE(int(*parsed), offset);
    }

    void overflowing_offset_stops_the_start_with_a_message()
    {
        SettingsStore::write(QStringLiteral("Settings"), QStringLiteral("Language offset"),
                             QStringLiteral("99999"));
        QString title;
        QString text;
        TestSupport::whenModalShown([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        QCOMPARE(StartProcedure(*qApp), 0);
        QCOMPARE(title, QStringLiteral("Error"));
        QCOMPARE(text, QStringLiteral("Error: 6\r\nOverflow"));
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<frmToolbar *>(window));
    }

    void start_shows_the_strip_from_the_programs_folder()
    {
        SettingsStore::write(QStringLiteral("Settings"), QStringLiteral("Language offset"),
                             QStringLiteral("0"));
        QDir::setCurrent(QDir::tempPath());
        bool shown = false;
        QString folder;
        QTimer::singleShot(50, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (auto *toolbar = qobject_cast<frmToolbar *>(window)) {
                    shown = toolbar->isVisible();
                    folder = QDir::currentPath();
                    toolbar->exitFromTray();
                }
            }
        });
        QCOMPARE(StartProcedure(*qApp), 0);
        QVERIFY(shown);
        QCOMPARE(QDir(folder).canonicalPath(), QDir(QCoreApplication::applicationDirPath()).canonicalPath());
        QVERIFY(!SettingsStore::read(QStringLiteral("Toolbar"), QStringLiteral("X")).isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
