// The settings store keeps text exactly, and each entry's rule turns stored
// text into the value a window starts with.

#include "core/settingsstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

const QString Units = QStringLiteral("Units Calculator");
using Settings::Calculator;
Q_DECLARE_METATYPE(Settings::Calculator)

class TestSettingsStore : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    static QString get(const QString &section, const char *key) { return SettingsStore::read(section, key); }
    static void put(const QString &section, const char *key, const QString &value)
    {
        SettingsStore::write(section, QString::fromUtf8(key), value);
    }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init() { QFile::remove(SettingsStore::fileName()); }

    void values_round_trip_exactly_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *name, const char *section, const char *key, const QString &value) {
            QTest::newRow(name) << QString::fromUtf8(section) << QString::fromUtf8(key) << value;
        };
        row("padded unit", "Default Units", "Mass", QStringLiteral("kg             "));
        row("superscripts", "Default Units", "Inertia", QStringLiteral("kg-m²          "));
        row("leading spaces", "Default Units", "Other", QStringLiteral("  x  "));
        row("comma", "Units Calculator", "Digits", QStringLiteral("1,5"));
        row("key with space", "Settings", "Language offset", QStringLiteral("100"));
        row("quotes and semicolon", "Global Settings", "Odd", QStringLiteral("a \"b\"; c=d"));
        row("empty", "Toolbar", "Y", QString());
    }
    void values_round_trip_exactly()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        SettingsStore::write(section, key, value);
        QCOMPARE(SettingsStore::read(section, key), value);
    }

    // Root may write any file, so the store is made unwritable by its shape.
    void refused_write_is_reported_once_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("why");
        QTest::newRow("settings file is a folder") << "folder"
                                                   << "not a regular file";
        QTest::newRow("folder is a file") << "under a file"
                                          << "folder cannot be made";
    }
    void refused_write_is_reported_once()
    {
        QFETCH(QString, shape);
        QFETCH(QString, why);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("settings.ini"));
        if (shape == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("settings.ini")));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            path += QStringLiteral("/settings.ini");
        }
        SettingsStore::useFile(path);
        QVERIFY(!SettingsStore::write(Units, QStringLiteral("Digits"), QStringLiteral("3")));
        QVERIFY(!SettingsStore::write(Units, QStringLiteral("Digits"), QStringLiteral("4")));
        const QString failure = SettingsStore::takeWriteFailure();
        SettingsStore::useFile(m_dir.filePath(QStringLiteral("settings.ini")));
        QVERIFY2(failure.contains(path) && failure.contains(why), qPrintable(failure));
        QVERIFY(SettingsStore::takeWriteFailure().isEmpty());
        QVERIFY(SettingsStore::write(Units, QStringLiteral("Digits"), QStringLiteral("5")));
        QVERIFY(SettingsStore::takeWriteFailure().isEmpty());
    }

    // An unparsable file is rewritten whole by the write: that is no failure to report.
    void rewritten_damaged_file_is_no_failure()
    {
        QVERIFY(TestSupport::writeFile(SettingsStore::fileName(), "[Units Calculator\nDigits=4\n"));
        QVERIFY(SettingsStore::write(Units, QStringLiteral("Digits"), QStringLiteral("5")));
        QCOMPARE(SettingsStore::takeWriteFailure(), QString());
        QCOMPARE(get(Units, "Digits"), QStringLiteral("5"));
    }

    void every_calculator_keeps_its_own_section_data()
    {
        QTest::addColumn<Calculator>("calculator");
        QTest::addColumn<QString>("section");
        QTest::newRow("units") << Calculator::Units << Units;
        QTest::newRow("inertia") << Calculator::Inertia << QStringLiteral("Inertia Calculator");
        QTest::newRow("density") << Calculator::Density << QStringLiteral("Density Select");
    }
    void every_calculator_keeps_its_own_section()
    {
        QFETCH(Calculator, calculator);
        QFETCH(QString, section);
        Settings::setDigits(calculator, 3);
        Settings::setNotationMode(calculator, true);
        QCOMPARE(get(section, "Digits"), QStringLiteral("3"));
        QCOMPARE(get(section, "NotationMode"), QStringLiteral("True"));
        for (Calculator other : {Calculator::Units, Calculator::Inertia, Calculator::Density}) {
            QCOMPARE(Settings::digits(other), other == calculator ? 3 : 6);
            QCOMPARE(Settings::notationMode(other), other == calculator);
        }
    }

    void toolbar_position_and_default_units_use_their_sections()
    {
        Settings::setToolbarPosition(QPoint(674, 20));
        QCOMPARE(get(QStringLiteral("Toolbar"), "X"), QStringLiteral("10110"));
        QCOMPARE(get(QStringLiteral("Toolbar"), "Y"), QStringLiteral("300"));
        QCOMPARE(Settings::toolbarPosition(), std::optional<QPoint>(QPoint(674, 20)));
        Settings::setDefaultUnit(QStringLiteral("Linear distance"), QStringLiteral("mm             "));
        QCOMPARE(get(QStringLiteral("Default Units"), "Linear distance"), QStringLiteral("mm             "));
        QCOMPARE(Settings::defaultUnit(QStringLiteral("Linear distance")), QStringLiteral("mm             "));
        put(QStringLiteral("Settings"), "Language offset", QStringLiteral("100"));
        QCOMPARE(Settings::languageOffsetText(), QStringLiteral("100"));
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
            put(Units, "Digits", stored);
        QCOMPARE(Settings::digits(Calculator::Units), digits);
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
            put(QStringLiteral("Global Settings"), "Tooltips", stored);
            put(Units, "NotationMode", stored);
            put(Units, "US Convention", stored);
        }
        QCOMPARE(Settings::tooltips(), tooltips);
        QCOMPARE(Settings::notationMode(Calculator::Units), notation);
        QCOMPARE(Settings::usConvention(), usConvention);
    }

    void flags_are_written_as_words()
    {
        Settings::setTooltips(false);
        Settings::setNotationMode(Calculator::Units, true);
        Settings::setUsConvention(false);
        Settings::setDigits(Calculator::Units, 3);
        QCOMPARE(get(QStringLiteral("Global Settings"), "Tooltips"), QStringLiteral("Off"));
        QCOMPARE(get(Units, "NotationMode"), QStringLiteral("True"));
        QCOMPARE(get(Units, "US Convention"), QStringLiteral("False"));
        QCOMPARE(get(Units, "Digits"), QStringLiteral("3"));
    }

    void hand_edited_file_is_read()
    {
        // What a user writes by hand in the INI file, as the README tells them
        // to; an unquoted comma must not turn the text into a list.
        QFile file(SettingsStore::fileName());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings]\nLanguage%20offset=100\n\n[Units%20Calculator]\nDigits=4\nOdd=a, b\n");
        file.close();
        QCOMPARE(get(QStringLiteral("Settings"), "Language offset"), QStringLiteral("100"));
        QCOMPARE(Settings::digits(Calculator::Units), 4);
        QCOMPARE(get(Units, "Odd"), QStringLiteral("a, b"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
