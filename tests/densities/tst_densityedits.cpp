// What the density window's buttons do to the table: the entry read into a
// record, where Save puts it, deletion, the Select text and storable names.
#include "densities/densityedits.h"
#include "units/conversiontable.h"

#include "testsupport.h"

#include <QtTest>

#include <cstring>

namespace {

DensityRecord material(const QString &name, float density = 1000)
{
    return {PadRight(name, MaterialNameWidth), density};
}

QStringList names(const QList<DensityRecord> &records)
{
    QStringList result;
    for (const DensityRecord &record : records)
        result.append(record.MaterialName.trimmed());
    return result;
}

quint32 bits(float value)
{
    quint32 out;
    std::memcpy(&out, &value, sizeof out);
    return out;
}

QString unit(const char *name)
{
    return PadRight(QString::fromUtf8(name), UnitNameWidth);
}

} // namespace

class TestDensityEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        LoadConversionTable(TestSupport::runtimeDir() + QStringLiteral("/converts.dat"));
    }

    void save_slot_data()
    {
        QTest::addColumn<bool>("adding");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("slot");
        QTest::newRow("selected line is replaced") << false << 2 << 2;
        QTest::newRow("adding appends") << true << 2 << int(NewDensitySlot);
        QTest::newRow("nothing selected appends") << false << -1 << int(NewDensitySlot);
        QTest::newRow("selection beyond the table appends") << false << 3 << int(NewDensitySlot);
    }
    void save_slot()
    {
        QFETCH(bool, adding);
        QFETCH(int, selected);
        QFETCH(int, slot);
        QCOMPARE(DensitySaveSlot(adding, selected, 3), qsizetype(slot));
    }

    void entry_becomes_a_record_in_kg_per_m3_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("unitName");
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<quint32>("storedBits");
        QTest::addColumn<int>("error");
        QTest::newRow("kg/m³ as typed") << "Steel"
                                        << "7850"
                                        << "kg/m³"
                                        << "Steel               " << 0x45F55000u << 0;
        QTest::newRow("g/cm³ converted") << "Brass"
                                         << "8.5"
                                         << "g/cm³"
                                         << "Brass               " << bits(8500.0f) << 0;
        QTest::newRow("long name cut to 20") << "Polytetrafluoroethene"
                                             << "2170"
                                             << "kg/m³"
                                             << "Polytetrafluoroethen" << bits(2170.0f) << 0;
        QTest::newRow("empty density") << "Tin"
                                       << ""
                                       << "kg/m³"
                                       << "" << 0u << int(DensityEntryError::NotANumber);
        QTest::newRow("lone minus") << "Tin"
                                    << "-"
                                    << "kg/m³"
                                    << "" << 0u << int(DensityEntryError::NotANumber);
        QTest::newRow("comma under a point locale") << "Tin"
                                                    << "7,3"
                                                    << "kg/m³"
                                                    << "" << 0u << int(DensityEntryError::NotANumber);
        QTest::newRow("beyond kg/m³ after conversion") << "Star"
                                                       << "3E38"
                                                       << "g/cm³"
                                                       << "" << 0u << int(DensityEntryError::OutOfRange);
    }
    void entry_becomes_a_record_in_kg_per_m3()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, unitName);
        QFETCH(QString, storedName);
        QFETCH(quint32, storedBits);
        QFETCH(int, error);
        const DensityEntry entry = ReadDensityEntry(name, text, PadRight(unitName, UnitNameWidth));
        QCOMPARE(int(entry.error), error);
        QCOMPARE(entry.ok(), error == 0);
        if (entry.ok()) {
            QCOMPARE(entry.record.MaterialName, storedName);
            QCOMPARE(bits(entry.record.DensityValue), storedBits);
        } else {
            QVERIFY(!DensityEntryMessage(entry.error).isEmpty());
        }
    }

    void store_replaces_or_appends_then_sorts()
    {
        QList<DensityRecord> table = {material("Copper"), material("Lead"), material("Zinc")};
        StoreDensityRecord(table, 1, material("Aluminium", 2700));
        QCOMPARE(names(table), (QStringList{"Aluminium", "Copper", "Zinc"}));
        StoreDensityRecord(table, NewDensitySlot, material("copper", 8960));
        QCOMPARE(names(table), (QStringList{"Aluminium", "Copper", "copper", "Zinc"}));
        QCOMPARE(table.at(2).DensityValue, 8960.0f);
    }

    void delete_keeps_the_order_and_refuses_a_missing_line()
    {
        QList<DensityRecord> table = {material("Copper"), material("Lead"), material("Zinc")};
        QVERIFY(!DeleteDensityRecord(table, -1));
        QVERIFY(!DeleteDensityRecord(table, 3));
        QVERIFY(DeleteDensityRecord(table, 1));
        QCOMPARE(names(table), (QStringList{"Copper", "Zinc"}));
    }

    void select_text_is_value_space_and_padded_unit_data()
    {
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("unitName");
        QTest::addColumn<QString>("text");
        QTest::newRow("kg/m³") << 7850.0f << "kg/m³"
                               << "7850 kg/m³          ";
        QTest::newRow("g/cm³") << 7850.0f << "g/cm³"
                               << "7.85 g/cm³          ";
        QTest::newRow("seven digits at most") << 1000.0f / 3 << "kg/m³"
                                              << "333.3333 kg/m³          ";
    }
    void select_text_is_value_space_and_padded_unit()
    {
        QFETCH(float, stored);
        QFETCH(QString, unitName);
        QFETCH(QString, text);
        const QString padded = PadRight(unitName, UnitNameWidth);
        const std::optional<float> value = DensityInUnit(material("Steel", stored), padded);
        QVERIFY(value);
        QCOMPARE(DensitySelectText(*value, padded), text);
        QCOMPARE(DensityEntryText(material("Steel", stored), padded), text.section(u' ', 0, 0));
    }

    void failed_conversion_shows_no_number()
    {
        QCOMPARE(DensityInUnit(material("Star", 3e38f), unit("lb/yd³")), std::nullopt);
        QCOMPARE(DensityEntryText(material("Star", 3e38f), unit("lb/yd³")), QString());
    }

    void storable_names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("storable");
        QTest::newRow("plain") << "Steel" << true;
        QTest::newRow("20 characters") << "Polytetrafluoroethen" << true;
        QTest::newRow("21 characters") << "Polytetrafluoroethene" << false;
        QTest::newRow("listed name with padding, typed into")
            << QStringLiteral("Steels") + QString(15, u' ') << true;
        QTest::newRow("Windows-1252 beyond Latin-1") << QStringLiteral("\u0152uvre \u20ac") << true;
        QTest::newRow("Greek") << QStringLiteral("\u03a9 alloy") << false;
        QTest::newRow("CJK") << QStringLiteral("\u9244") << false;
        QTest::newRow("empty") << "" << true;
    }
    void storable_names()
    {
        QFETCH(QString, name);
        QFETCH(bool, storable);
        QCOMPARE(IsStorableMaterialName(name), storable);
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestDensityEdits)
#include "tst_densityedits.moc"
