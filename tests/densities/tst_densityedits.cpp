// What the density window's buttons do to the table: the entry read into a
// record, where Save puts it, deletion, the Select text and storable names.
#include "densities/densityedits.h"
#include "units/conversiontable.h"

#include "densitytest.h"
#include "testsupport.h"

#include <QtTest>

#include <bit>

using namespace DensityTest;
using TestSupport::unitName;

class TestDensityEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        TestSupport::loadShippedUnits(m_units);
    }

    void save_slot()
    {
        QCOMPARE(DensitySaveSlot(false, 2, 3), qsizetype(2));    // the selected line is replaced
        QCOMPARE(DensitySaveSlot(true, 2, 3), NewDensitySlot);   // adding appends
        QCOMPARE(DensitySaveSlot(false, -1, 3), NewDensitySlot); // nothing selected
        QCOMPARE(DensitySaveSlot(false, 3, 3), NewDensitySlot);  // selection beyond the table
    }

    void entry_becomes_a_record_in_kg_per_m3_data()
    {
        QTest::addColumn<QString>("entry"); // name|density text|unit
        QTest::addColumn<QString>("storedName");
        QTest::addColumn<float>("stored");
        QTest::addColumn<int>("error");
        const auto row = [](const char *name, const char *entry, const char *storedName, float stored,
                            DensityEntryError error = DensityEntryError::None) {
            QTest::newRow(name) << QString::fromUtf8(entry) << QString::fromUtf8(storedName) << stored
                                << int(error);
        };
        const DensityEntryError notANumber = DensityEntryError::NotANumber;
        row("kg/m³ as typed", "Steel|7850|kg/m³", "Steel               ", 7850);
        row("g/cm³ converted", "Brass|8.5|g/cm³", "Brass               ", 8500);
        row("long name cut to 20", "Polytetrafluoroethene|2170|kg/m³", "Polytetrafluoroethen", 2170);
        const DensityEntryError tooLarge = DensityEntryError::TooLarge;
        const DensityEntryError notPositive = DensityEntryError::NotPositive;
        row("empty density", "Tin||kg/m³", "", 0, notANumber);
        row("beyond kg/m³ after conversion", "Star|3E38|g/cm³", "", 0, tooLarge);
        row("blank name", "    |7850|kg/m³", "", 0, DensityEntryError::BlankName);
        row("zero", "Void|0|kg/m³", "", 0, notPositive);
        row("unit the table lacks", "Tin|7300|furlong/ft³", "", 0, DensityEntryError::NoStorageUnit);
    }
    void entry_becomes_a_record_in_kg_per_m3()
    {
        QFETCH(QString, entry);
        QFETCH(float, stored);
        QFETCH(int, error);
        const QStringList parts = entry.split(u'|');
        const DensityEntry read = ReadDensityEntry(m_units, parts[0], parts[1], unitName(parts[2]));
        QCOMPARE(int(read.error), error);
        QCOMPARE(read.ok(), error == 0);
        if (read.ok()) {
            QTEST(read.record.MaterialName, "storedName");
            QCOMPARE(std::bit_cast<quint32>(read.record.DensityValue), std::bit_cast<quint32>(stored));
        } else {
            QVERIFY(!DensityEntryMessage(read.error).isEmpty());
        }
    }

    void store_replaces_or_appends_then_sorts()
    {
        QList<DensityRecord> records = table("Copper,Lead,Zinc");
        QCOMPARE(StoreDensityRecord(records, 1, material("Aluminium", 2700)), qsizetype(0));
        QCOMPARE(names(records), (QStringList{"Aluminium", "Copper", "Zinc"}));
        QCOMPARE(StoreDensityRecord(records, NewDensitySlot, material("copper", 8960)), qsizetype(2));
        QCOMPARE(names(records), (QStringList{"Aluminium", "Copper", "copper", "Zinc"}));
        QCOMPARE(records.at(2).DensityValue, 8960.0f);
    }

    void delete_keeps_the_order_and_refuses_a_missing_line()
    {
        QList<DensityRecord> records = table("Copper,Lead,Zinc");
        QVERIFY(!DeleteDensityRecord(records, -1));
        QVERIFY(!DeleteDensityRecord(records, 3));
        QVERIFY(DeleteDensityRecord(records, 1));
        QCOMPARE(names(records), (QStringList{"Copper", "Zinc"}));
    }

    void select_text_is_value_space_and_unit_data()
    {
        QTest::addColumn<float>("stored");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, float stored, const char *unit, const char *text) {
            QTest::newRow(name) << stored << QString::fromUtf8(unit) << QString::fromUtf8(text);
        };
        row("kg/m³", 7850, "kg/m³", "7850 kg/m³");
        row("g/cm³", 7850, "g/cm³", "7.85 g/cm³");
        row("seven digits at most", 1000.0f / 3, "kg/m³", "333.3333 kg/m³");
        row("failed conversion: no number", 3e38f, "lb/yd³", "");
    }
    void select_text_is_value_space_and_unit()
    {
        QFETCH(float, stored);
        QFETCH(QString, unit);
        QFETCH(QString, text);
        const std::optional<float> value = DensityInUnit(m_units, material("Steel", stored), unitName(unit));
        QCOMPARE(value.has_value(), !text.isEmpty());
        if (value)
            QCOMPARE(DensitySelectText(*value, unitName(unit)), text);
        QCOMPARE(DensityEntryText(m_units, material("Steel", stored), unitName(unit)),
                 text.section(u' ', 0, 0));
    }

    void storable_names()
    {
        for (const QString &name : {QStringLiteral("Polytetrafluoroethen"), QStringLiteral(""),
                                    QStringLiteral("Steels") + QString(15, u' '), // listed name, typed into
                                    QStringLiteral("\u0152uvre \u20ac")}) // Windows-1252 beyond Latin-1
            QVERIFY2(IsStorableMaterialName(name), qPrintable(name));
        for (const QString &name : {QStringLiteral("Polytetrafluoroethene"), QStringLiteral("\u03a9 alloy"),
                                    QStringLiteral("\u9244")})
            QVERIFY2(!IsStorableMaterialName(name), qPrintable(name));
    }

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;
};

QTEST_GUILESS_MAIN(TestDensityEdits)
#include "tst_densityedits.moc"
