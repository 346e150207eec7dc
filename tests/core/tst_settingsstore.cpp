// The settings store keeps text exactly, and each entry's rule turns stored
// text into the value a window starts with.

#include "core/settingsstore.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

const QString Units = QStringLiteral("Units Calculator");
using Calculator = Settings::Calculator;
Q_DECLARE_METATYPE(Settings::Calculator)

class TestSettingsStore : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    Settings m_settings{TestSupport::settingsFile(m_dir)};

    QString get(const QString &section, const char *key) const { return m_settings.read(section, key); }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }
    void init() { QFile::remove(m_settings.fileName()); }

    void values_round_trip_exactly_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *name, const char *section, const char *key, const QString &value) {
            QTest::newRow(name) << QString::fromUtf8(section) << QString::fromUtf8(key) << value;
        };
        row("superscripts", "Default Units", "Inertia", QStringLiteral("kg-m²          "));
        row("comma", "Units Calculator", "Digits", QStringLiteral("1,5"));
        row("quotes and semicolon", "Global Settings", "Odd", QStringLiteral("a \"b\"; c=d"));
        row("empty", "Toolbar", "Y", QString());
        row("escapes and an @ first", "Section/with=odd;name", "Key %U",
            QStringLiteral("@\\ \t\x01"
                           "2\n\u00e9\U0001F600 "));
    }
    void values_round_trip_exactly()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        m_settings.write(section, key, value);
        QCOMPARE(m_settings.read(section, key), value);
    }

    // Root may write any file, so the store is made unwritable by its shape.
    void refused_write_is_reported_once_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<QString>("why");
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
        Settings refusing(path);
        QVERIFY(!refusing.write(Units, QStringLiteral("Digits"), QStringLiteral("3")));
        QVERIFY(!refusing.write(Units, QStringLiteral("Digits"), QStringLiteral("4")));
        const QString failure = refusing.takeWriteFailure();
        QVERIFY2(failure.contains(path) && failure.contains(why), qPrintable(failure));
        QVERIFY(refusing.takeWriteFailure().isEmpty());
    }

    // A value written again unchanged leaves the file as it is, comments and all.
    void unchanged_value_is_not_rewritten()
    {
        QVERIFY(m_settings.write(Units, QStringLiteral("Digits"), QStringLiteral("5")));
        QFile file(m_settings.fileName());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray byHand = file.readAll() + "; mine\n";
        file.close();
        QVERIFY(TestSupport::writeFile(m_settings.fileName(), byHand));
        QVERIFY(m_settings.write(Units, QStringLiteral("Digits"), QStringLiteral("5")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), byHand);
        QVERIFY(m_settings.write(Units, QStringLiteral("Digits"), QStringLiteral("6")));
        QCOMPARE(get(Units, "Digits"), QStringLiteral("6"));
    }

    // An unparsable file is rewritten whole by the write: that is no failure to report.
    void rewritten_damaged_file_is_no_failure()
    {
        QVERIFY(TestSupport::writeFile(m_settings.fileName(), "[Units Calculator\nDigits=4\n"));
        QVERIFY(m_settings.write(Units, QStringLiteral("Digits"), QStringLiteral("5")));
        QCOMPARE(m_settings.takeWriteFailure(), QString());
        QCOMPARE(get(Units, "Digits"), QStringLiteral("5"));
    }

    void every_calculator_keeps_its_own_section_data()
    {
        QTest::addColumn<Calculator>("calculator");
        QTest::addColumn<QString>("section");
        QTest::newRow("units") << Calculator::Units << Units;
        QTest::newRow("inertia") << Calculator::Inertia << QStringLiteral("Inertia Calculator");
        QTest::newRow("density") << Calculator::Density << QStringLiteral("Density Select");
        QTest::newRow("axis") << Calculator::Axis << QStringLiteral("Axis Sizing");
    }
    void every_calculator_keeps_its_own_section()
    {
        QFETCH(Calculator, calculator);
        QFETCH(QString, section);
        m_settings.setDigits(calculator, 3);
        m_settings.setNotationMode(calculator, true);
        QCOMPARE(get(section, "Digits"), QStringLiteral("3"));
        QCOMPARE(get(section, "NotationMode"), QStringLiteral("True"));
        for (Calculator other :
             {Calculator::Units, Calculator::Inertia, Calculator::Density, Calculator::Axis}) {
            QCOMPARE(m_settings.digits(other), other == calculator ? 3 : 6);
            QCOMPARE(m_settings.notationMode(other), other == calculator);
        }
    }

    // Typed setters write the keys and words users' files have.
    void setters_write_the_stored_words()
    {
        m_settings.setToolbarPosition(QPoint(674, 20));
        m_settings.setDefaultUnit(QStringLiteral("Linear distance"), QStringLiteral("mm             "));
        m_settings.setTooltips(false);
        m_settings.setUsConvention(false);
        const QStringList stored{get(QStringLiteral("Toolbar"), "X"), get(QStringLiteral("Toolbar"), "Y"),
                                 get(QStringLiteral("Default Units"), "Linear distance"),
                                 get(QStringLiteral("Global Settings"), "Tooltips"),
                                 get(Units, "US Convention")};
        QCOMPARE(stored, (QStringList{"10110", "300", "mm             ", "Off", "False"}));
        QCOMPARE(m_settings.toolbarPosition(), std::optional<QPoint>(QPoint(674, 20)));
        QCOMPARE(m_settings.defaultUnit(QStringLiteral("Linear distance")),
                 QStringLiteral("mm             "));
    }

    void digits_rule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("digits");
        QTest::newRow("absent") << QString() << 6;
        QTest::newRow("spaces") << " 2 " << 2;
        QTest::newRow("zero clamps up") << "0" << 1;
        QTest::newRow("large clamps down") << "9" << 7;
        QTest::newRow("half to even") << "2.5" << 2;
        QTest::newRow("number then text") << "5abc" << 6;
        QTest::newRow("infinite") << "inf" << 6;
    }
    void digits_rule()
    {
        QFETCH(QString, stored);
        if (!stored.isNull())
            m_settings.write(Units, QStringLiteral("Digits"), stored);
        QTEST(m_settings.digits(Calculator::Units), "digits");
    }

    // Every flag of the settings table, by its type and default: On/Off
    // (Tooltips), True/False by default False (NotationMode) or True (US Convention).
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
        QTest::newRow("lower-case false") << "false" << false << false << true;
    }
    void flag_rules()
    {
        QFETCH(QString, stored);
        QFETCH(bool, tooltips);
        QFETCH(bool, notation);
        QFETCH(bool, usConvention);
        int flags = 0;
        for (const Settings::Row &row : Settings::Table) {
            if (row.type != Settings::Type::OnOff && row.type != Settings::Type::TrueFalse)
                continue;
            ++flags;
            if (!stored.isNull())
                m_settings.setText(row.key, stored);
            const bool expected = row.type == Settings::Type::OnOff ? tooltips
                                  : row.defaultText == "True"       ? usConvention
                                                                    : notation;
            QVERIFY2(m_settings.flag(row.key) == expected, row.name.data());
        }
        QCOMPARE(flags, 6);
        QCOMPARE(get(QStringLiteral("Global Settings"), "Tooltips"), stored); // the keys users' files have
        QCOMPARE(get(Units, "US Convention"), stored);
    }

    void hand_edited_file_is_read()
    {
        // What a user writes by hand in the INI file, as the README tells them
        // to; an unquoted comma must not turn the text into a list.
        QVERIFY(TestSupport::writeFile(
            m_settings.fileName(),
            "[Settings]\nLanguage%20offset=100\n\n[Units%20Calculator]\n; by hand\nDigits=4\nOdd=a, b\n"
            "Quoted=\"x,\" y ; a comment\n"));
        QCOMPARE(m_settings.languageOffsetText(), QStringLiteral("100"));
        QCOMPARE(m_settings.digits(Calculator::Units), 4);
        QCOMPARE(get(Units, "Odd"), QStringLiteral("a, b"));
        QCOMPARE(get(Units, "Quoted"), QStringLiteral("x, y"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
