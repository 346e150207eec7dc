// The density table: its file, its order and its list lines.
#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include "densitytest.h"
#include "faildevice.h"
#include "filesizelimit.h"
#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

using namespace DensityTest;
using TestSupport::FailDevice;
using TestSupport::fileContents;

namespace {} // namespace

class TestDensityTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        LoadConversionTable(TestSupport::runtimeDir() + QStringLiteral("/converts.dat"));
        QVERIFY(ConversionTable().indexOfName(TestSupport::unitName("g/cm³")) >= 0);
    }

    void record_is_a_padded_name_and_a_little_endian_single()
    {
        const QByteArray bytes = EncodeDensityRecord({"Steel", 7850.0f});
        QCOMPARE(bytes, QByteArray("Steel               \x00\x50\xF5\x45", 24));
        const DensityRecord back = DecodeDensityRecord(bytes);
        QCOMPARE(back.MaterialName, QString("Steel").leftJustified(20));
        QCOMPARE(back.DensityValue, 7850.0f);

        QCOMPARE(DecodeDensityRecord(EncodeDensityRecord({"Polytetrafluoroethene", 1})).MaterialName,
                 QString("Polytetrafluoroethen"));
    }

    // The rounding rule itself is checked with the fixed-record codec.
    void record_count_follows_the_file_length_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::newRow("36 bytes: half rounds to 2") << 36 << 2;
        QTest::newRow("beyond a 16-bit count") << 32768 * 24 << 32768;
    }

    void record_count_follows_the_file_length()
    {
        QFETCH(int, length);
        QFETCH(int, count);
        QByteArray data = EncodeDensityRecord(material("Brass", 8500)).repeated(length / 24 + 1).left(length);
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));

        const DensityFileLoad load = LoadDensityFile(buffer);
        QVERIFY(load.complete);
        QCOMPARE(load.records.size(), count);
        if (length == 36) // the partial second record: 12 name bytes, blank after them
            QCOMPARE(load.records.at(1).MaterialName, QString("Brass       ").leftJustified(20));
    }

    void read_failure_keeps_the_records_read_and_says_so()
    {
        QByteArray data = fileOf(table("Zinc,Lead,Copper"));
        FailDevice device(&data, 60); // inside the third record
        QVERIFY(device.open(QIODevice::ReadOnly));

        const DensityFileLoad load = LoadDensityFile(device);
        QVERIFY(!load.complete);
        QCOMPARE(names(load.records), (QStringList{"Lead", "Zinc"}));
    }

    void missing_file_is_an_empty_table_and_is_not_created()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("density.dat");
        const DensityFileLoad load = LoadDensityFile(path);
        QVERIFY(load.complete);
        QVERIFY(load.records.isEmpty());
        QVERIFY(!QFile::exists(path));
    }

    // Random names over letters of both cases, blanks, punctuation and accents
    // cover stability, padding and character-code order at once.
    void fast_sort_matches_the_bubble_sort()
    {
        QRandomGenerator rng(5150);
        const QString alphabet = QStringLiteral("aAbB -_éÉÿ");
        QList<DensityRecord> records;
        for (int i = 0; i < 2000; ++i)
            records.append(material(TestSupport::randomText(rng, alphabet, 3), float(i)));
        QList<DensityRecord> expected = records;
        TestSupport::referenceBubbleSort(expected, [](const DensityRecord &r) { return r.MaterialName; });
        SortDensityTable(records);
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(records[i].DensityValue, expected[i].DensityValue);
    }

    void list_lines_are_33_characters_data()
    {
        QTest::addColumn<DensityRecord>("record");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("notation");
        QTest::addColumn<QString>("line");
        const auto row = [](const char *name, const char *material, float density, const char *unit,
                            int digits, bool notation, const char *line) {
            QTest::newRow(name) << DensityRecord{material, density} << QString::fromUtf8(unit) << digits
                                << notation << QString::fromUtf8(line);
        };
        row("kg/m³, 6 digits", "Steel", 7850, "kg/m³", 6, false, "Steel                      7850.0");
        row("converted, 3 digits", "Steel", 7850, "g/cm³", 3, false, "Steel                        7.85");
        row("scientific", "Water", 998, "kg/m³", 6, true, "Water                    9.98E+02");
        row("long text loses its left end", "Odd", -1.234567e-5f, "kg/m³", 7, false,
            "Odd                  1.234567E-05");
        row("failed conversion", "Huge", 3.0e38f, "lb/yd³", 6, false, "Huge                     Overflow");
        row("unit not in the table", "Lead", 11340, "furlong/ft³", 6, false,
            "Lead                          0.0");
        row("name cut to 20", "Polytetrafluoroethene", 2170, "kg/m³", 4, false,
            "Polytetrafluoroethen         2170");
    }

    void list_lines_are_33_characters()
    {
        QFETCH(DensityRecord, record);
        QFETCH(QString, unit);
        QFETCH(int, digits);
        QFETCH(bool, notation);
        QFETCH(QString, line);
        QCOMPARE(MaterialListLines({record}, TestSupport::unitName(unit), digits, notation),
                 QStringList{line});
        QCOMPARE(line.size(), MaterialLineWidth);
    }

    void save_writes_every_record_in_order_or_reports_failure()
    {
        const QList<DensityRecord> records = table("Lead=11340,Zinc=7140");
        QByteArray written;
        QBuffer buffer(&written);
        QVERIFY(buffer.open(QIODevice::WriteOnly));
        QVERIFY(SaveDensityFile(buffer, records));
        QCOMPARE(written, fileOf(records));

        QByteArray partial;
        FailDevice failing(&partial, 30);
        QVERIFY(failing.open(QIODevice::WriteOnly));
        QVERIFY(!SaveDensityFile(failing, records));

        // Deleting the last record leaves a 0-byte file.
        QTemporaryDir dir;
        const QString path = dir.filePath("density.dat");
        QVERIFY(SaveDensityFile(path, records).ok);
        QCOMPARE(fileContents(path), fileOf(records));
        QVERIFY(SaveDensityFile(path, {}).ok);
        QCOMPARE(fileContents(path), QByteArray());
    }

    // The file used to be deleted and then rewritten: a failure in between lost every material.
    void failed_save_leaves_the_old_file_whole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("density.dat");
        const QList<DensityRecord> old = table("Lead=11340");
        QVERIFY(SaveDensityFile(path, old).ok);

        QList<DensityRecord> grown;
        for (int i = 0; i < 100; ++i)
            grown.append(material(QString::number(i), float(i)));
        DensitySaveResult result;
        {
            const TestSupport::FileSizeLimit fullDisk(100);
            QVERIFY(fullDisk.active());
            result = SaveDensityFile(path, grown);
        }
        QVERIFY(!result.ok);
        QVERIFY(!result.reason.isEmpty());
        QVERIFY(result.message().contains(QDir::toNativeSeparators(path)));
        QVERIFY(result.message().contains(result.reason));
        QCOMPARE(fileContents(path), fileOf(old));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"density.dat"});
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestDensityTable)
#include "tst_densitytable.moc"
