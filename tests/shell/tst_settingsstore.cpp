// The settings store keeps text exactly, and each entry's rule turns stored
// text into the value a window starts with.

#include "shell/settingsstore.h"
#include "testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestSettingsStore : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init() { QFile::remove(SettingsStore::fileName()); }

    void absent_entry_reads_empty()
    {
        QCOMPARE(SettingsStore::read(QStringLiteral("Toolbar"), QStringLiteral("X")), QString());
    }

    void values_round_trip_exactly_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("padded unit") << "Default Units"
                                     << "Mass" << QStringLiteral("kg             ");
        QTest::newRow("superscripts") << "Default Units"
                                      << "Inertia" << QStringLiteral("kg-m²          ");
        QTest::newRow("cubed") << "Default Units"
                               << "Density" << QStringLiteral("kg/m³          ");
        QTest::newRow("leading spaces") << "Default Units"
                                        << "Other" << QStringLiteral("  x  ");
        QTest::newRow("comma") << "Units Calculator"
                               << "Digits" << QStringLiteral("1,5");
        QTest::newRow("key with space") << "Settings"
                                        << "Language offset" << QStringLiteral("100");
        QTest::newRow("quotes and semicolon") << "Global Settings"
                                              << "Odd" << QStringLiteral("a \"b\"; c=d");
        QTest::newRow("empty") << "Toolbar"
                               << "Y" << QString();
    }
    void values_round_trip_exactly()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        SettingsStore::write(section, key, value);
        QCOMPARE(SettingsStore::read(section, key), value);
    }

    void sections_do_not_mix()
    {
        SettingsStore::write(QStringLiteral("Units Calculator"), QStringLiteral("Digits"),
                             QStringLiteral("3"));
        SettingsStore::write(QStringLiteral("Inertia Calculator"), QStringLiteral("Digits"),
                             QStringLiteral("5"));
        QCOMPARE(Settings::digits(QStringLiteral("Units Calculator")), 3);
        QCOMPARE(Settings::digits(QStringLiteral("Inertia Calculator")), 5);
        QCOMPARE(Settings::digits(QStringLiteral("Density Select")), 6);
    }

    void digits_rule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("digits");
        QTest::newRow("absent") << QString() << 6;
        QTest::newRow("in range") << "4" << 4;
        QTest::newRow("spaces") << " 2 " << 2;
        QTest::newRow("zero clamps up") << "0" << 1;
        QTest::newRow("large clamps down") << "9" << 7;
        QTest::newRow("negative") << "-3" << 1;
        QTest::newRow("beyond 16 bits") << "70000" << 7;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("not a number") << "abc" << 6;
        QTest::newRow("number then text") << "5abc" << 6;
        QTest::newRow("infinite") << "inf" << 6;
    }
    void digits_rule()
    {
        QFETCH(QString, stored);
        QFETCH(int, digits);
        if (!stored.isNull())
            SettingsStore::write(QStringLiteral("Units Calculator"), QStringLiteral("Digits"), stored);
        QCOMPARE(Settings::digits(QStringLiteral("Units Calculator")), digits);
    }

    void flag_rules_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("tooltips");
        QTest::addColumn<bool>("notation");
        QTest::addColumn<bool>("usConvention");
        QTest::newRow("absent") << QString() << true << false << true;
        QTest::newRow("On") << "On" << true << false << true;
        QTest::newRow("Off") << "Off" << false << false << true;
        QTest::newRow("lower-case off") << "off" << false << false << true;
        QTest::newRow("True") << "True" << false << true << true;
        QTest::newRow("False") << "False" << false << false << false;
        QTest::newRow("lower-case true") << "true" << false << false << true;
        QTest::newRow("lower-case false") << "false" << false << false << true;
    }
    void flag_rules()
    {
        QFETCH(QString, stored);
        QFETCH(bool, tooltips);
        QFETCH(bool, notation);
        QFETCH(bool, usConvention);
        if (!stored.isNull()) {
            SettingsStore::write(QStringLiteral("Global Settings"), QStringLiteral("Tooltips"), stored);
            SettingsStore::write(QStringLiteral("Units Calculator"), QStringLiteral("NotationMode"), stored);
            SettingsStore::write(QStringLiteral("Units Calculator"), QStringLiteral("US Convention"), stored);
        }
        QCOMPARE(Settings::tooltips(), tooltips);
        QCOMPARE(Settings::notationMode(QStringLiteral("Units Calculator")), notation);
        QCOMPARE(Settings::usConvention(), usConvention);
    }

    void flags_are_written_as_words()
    {
        Settings::setTooltips(false);
        Settings::setNotationMode(QStringLiteral("Units Calculator"), true);
        Settings::setUsConvention(false);
        Settings::setDigits(QStringLiteral("Units Calculator"), 3);
        QCOMPARE(SettingsStore::read(QStringLiteral("Global Settings"), QStringLiteral("Tooltips")),
                 QStringLiteral("Off"));
        QCOMPARE(SettingsStore::read(QStringLiteral("Units Calculator"), QStringLiteral("NotationMode")),
                 QStringLiteral("True"));
        QCOMPARE(SettingsStore::read(QStringLiteral("Units Calculator"), QStringLiteral("US Convention")),
                 QStringLiteral("False"));
        QCOMPARE(SettingsStore::read(QStringLiteral("Units Calculator"), QStringLiteral("Digits")),
                 QStringLiteral("3"));
    }

    void hand_edited_file_is_read()
    {
        // What a user writes by hand in the INI file, as the README tells them to.
        QFile file(SettingsStore::fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nLanguage%20offset=100\n\n[Units%20Calculator]\nDigits=4\n");
        file.close();
        QCOMPARE(SettingsStore::read(QStringLiteral("Settings"), QStringLiteral("Language offset")),
                 QStringLiteral("100"));
        QCOMPARE(Settings::digits(QStringLiteral("Units Calculator")), 4);
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
