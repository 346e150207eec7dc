// Which units a list offers and which one it starts on.

#include "units/conversiontable.h"
#include "units/unitlists.h"

#include "testsupport.h"

#include <QTest>

using TestSupport::unitRecord;

namespace {
QStringList units(const QString &names)
{
    QStringList out;
    for (const QString &name : names.split(u' ', Qt::SkipEmptyParts))
        out << TestSupport::unitName(name);
    return out;
}
QString type(const char *name)
{
    return PadRight(QString::fromUtf8(name), UnitTypeWidth);
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
        m_table.reset({unitRecord("Density", "g"), unitRecord("Density", "kg/m³"), unitRecord("Mass", "g"),
                       unitRecord("Mass", "kg"), unitRecord("Mass", "lbs", 1, 0, "kg"),
                       unitRecord("Mass", "oz")},
                      true);
    }

    void lists_stop_at_the_first_record_of_another_type()
    {
        QCOMPARE(UnitsOfExactType(m_table, type("Mass")), units("g kg oz"));
        // "Other" between two runs of Mass, as in a table left unsorted.
        ConversionTableData unsorted;
        unsorted.reset({unitRecord("Mass", "a"), unitRecord("Other", "b"), unitRecord("Mass", "c")}, false);
        QCOMPARE(UnitsOfExactType(unsorted, type("Mass")), units("a"));
        QCOMPARE(UnitsForListTag(unsorted, QStringLiteral("Mass")), units("a"));
    }

    void list_tags_match_trimmed_and_ignoring_case_while_the_exact_rule_does_not()
    {
        QCOMPARE(UnitsForListTag(m_table, QStringLiteral(" mass ")), units("g kg oz"));
        QVERIFY(UnitsOfExactType(m_table, type("mass")).isEmpty());
        QVERIFY(UnitsForListTag(m_table, QStringLiteral("Torque")).isEmpty());
        QVERIFY(UnitsForListTag(m_table, QString()).isEmpty());
    }

    void default_unit_index_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        const auto row = [](const char *name, const char *entries, const char *type, const QString &stored,
                            int index) {
            QTest::newRow(name) << units(QString::fromUtf8(entries)) << QString::fromUtf8(type) << stored
                                << index;
        };
        row("stored without its padding", "g kg oz", "Mass", "oz", 2);
        row("stored padded", "g kg oz", "Mass", TestSupport::unitName("g"), 0);
        row("nothing stored: built-in", "g kg oz", "Mass", "", 1);
        row("blank stored: built-in", "g kg oz", "Mass", "      ", 1);
        row("built-ins are case-sensitive", "g kg oz", "mass", "", 0);
        row("stored unit no longer listed: built-in", "g kg oz", "Mass", "stone", 1);
        row("built-in missing too: first", "g oz", "Mass", "stone", 0);
        row("empty list", "", "Mass", "kg", -1);
    }
    void default_unit_index()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, type);
        QFETCH(QString, stored);
        QTEST(DefaultUnitIndex(entries, type, stored), "index");
    }

    void default_tag_text_follows_the_locale_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QLocale de(QLocale::German, QLocale::Germany);
        QTest::newRow("number, comma locale") << de << QString("7850.50") << QString("7850,5");
        QTest::newRow("number, point locale") << us << QString("1.250") << QString("1.25");
        QTest::newRow("not a number") << de << QString("True") << QString("True");
    }
    void default_tag_text_follows_the_locale()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, value);
        QLocale::setDefault(locale);
        const QString text = DefaultTagText(value);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QTEST(text, "shown");
    }
};

QTEST_GUILESS_MAIN(TestUnitLists)
#include "tst_unitlists.moc"
