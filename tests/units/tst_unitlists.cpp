// Which units a list offers and which one it starts on.

#include "units/conversiontable.h"
#include "units/unitlists.h"

#include "testsupport.h"

#include <QTest>

namespace {
QString unit(const QString &name)
{
    return PadRight(name, UnitNameWidth);
}
ConversionRecord record(const QString &name, const QString &type, bool display = true)
{
    return {unit(name), 1, 0, PadRight(type, UnitTypeWidth), display, unit(QString())};
}
QStringList units(const QStringList &names)
{
    QStringList out;
    for (const QString &name : names)
        out << unit(name);
    return out;
}
} // namespace

class TestUnitLists : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    ConversionTableData m_table;

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        // Sorted as the program sorts; "Other" sits between two runs of Mass
        // in the unsorted variant below.
        m_table.reset({record("g", "Density"), record("kg/m³", "Density"), record("g", "Mass"),
                       record("kg", "Mass"), record("lbs", "Mass", false), record("oz", "Mass")},
                      true);
    }

    void lists_stop_at_the_first_record_of_another_type()
    {
        QCOMPARE(UnitsOfExactType(m_table, PadRight("Mass", UnitTypeWidth)), units({"g", "kg", "oz"}));
        ConversionTableData unsorted;
        unsorted.reset({record("a", "Mass"), record("b", "Other"), record("c", "Mass")}, false);
        QCOMPARE(UnitsOfExactType(unsorted, PadRight("Mass", UnitTypeWidth)), units({"a"}));
        QCOMPARE(UnitsForListTag(unsorted, QStringLiteral("Mass")), units({"a"}));
    }

    void list_tags_match_trimmed_and_ignoring_case_while_the_exact_rule_does_not()
    {
        QCOMPARE(UnitsForListTag(m_table, QStringLiteral(" mass ")), units({"g", "kg", "oz"}));
        QVERIFY(UnitsOfExactType(m_table, PadRight("mass", UnitTypeWidth)).isEmpty());
        QVERIFY(UnitsForListTag(m_table, QStringLiteral("Torque")).isEmpty());
        QVERIFY(UnitsForListTag(m_table, QString()).isEmpty());
    }

    void default_unit_index_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        const QStringList mass = units({"g", "kg", "oz"});
        QTest::newRow("stored without its padding") << mass << "Mass"
                                                    << "oz" << 2;
        QTest::newRow("stored padded") << mass << "Mass" << unit("g") << 0;
        QTest::newRow("nothing stored: built-in") << mass << "Mass"
                                                  << "" << 1;
        QTest::newRow("blank stored: built-in") << mass << "Mass"
                                                << "      " << 1;
        QTest::newRow("built-ins are case-sensitive") << mass << "mass"
                                                      << "" << 0;
        QTest::newRow("other type: first") << units({"N-m", "lb-ft"}) << "Torque"
                                           << "" << 0;
        QTest::newRow("stored unit no longer listed: built-in") << mass << "Mass"
                                                                << "stone" << 1;
        QTest::newRow("built-in missing too: first") << units({"g", "oz"}) << "Mass"
                                                     << "stone" << 0;
        QTest::newRow("empty list") << QStringList() << "Mass"
                                    << "kg" << -1;
    }
    void default_unit_index()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QFETCH(int, index);
        QCOMPARE(DefaultUnitIndex(entries, type, stored), index);
    }

    void default_tag_text_follows_the_locale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("zero, comma locale") << de << "0.0"
                                            << "0,0";
        QTest::newRow("zero, point locale") << us << "0.0"
                                            << "0.0";
        QTest::newRow("number, comma locale") << de << "7850.50"
                                              << "7850,5";
        QTest::newRow("number, point locale") << us << "1.250"
                                              << "1.25";
        QTest::newRow("not a number") << de << "True"
                                      << "True";
    }
    void default_tag_text_follows_the_locale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        QLocale::setDefault(locale);
        const QString text = DefaultTagText(value);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(text, shown);
    }
};

QTEST_GUILESS_MAIN(TestUnitLists)
#include "tst_unitlists.moc"
