// The density table: its file, its order and its list lines.
#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include "densitytest.h"
#include "faildevice.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <future>

#include <sys/stat.h>
#include <sys/sysmacros.h>

using namespace DensityTest;
using TestSupport::FailDevice;
using TestSupport::fileContents;

class TestDensityTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        TestSupport::loadShippedUnits(m_units);
        QVERIFY(m_units.indexOfName(TestSupport::unitName("g/cm³")) >= 0);
    }

    void record_is_a_padded_name_and_a_little_endian_single()
    {
        const QByteArray bytes = EncodeDensityRecord({"Steel", 7850.0f});
        QCOMPARE(bytes, QByteArray("Steel               \x00\x50\xF5\x45", 24));
        const DensityRecord back = DecodeDensityRecord(bytes);
        QCOMPARE(std::pair(back.MaterialName, back.DensityValue),
                 std::pair(QString("Steel").leftJustified(20), 7850.0f));
        QCOMPARE(DecodeDensityRecord(EncodeDensityRecord({"Polytetrafluoroethene", 1})).MaterialName,
                 QString("Polytetrafluoroethen"));
    }

    // Whatever is under the file's name, loading never blocks and never reads
    // beyond the limit, and says which problem the file has. Saves meet every
    // fault in the writers' table (tst_filefaults).
    void file_type_and_size_rules_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("problem");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("says");
        using P = DensityFileProblem;
        QTest::newRow("missing") << "missing" << int(P::None) << 0 << "";
        // A file the program never wrote is read as whole records only; the window then opens it read-only.
        QTest::newRow("partial record") << "partial" << int(P::PartialRecord) << 1 << "36 bytes long";
        QTest::newRow("link to a regular file") << "link" << int(P::None) << 2 << "";
        QTest::newRow("FIFO") << "fifo" << int(P::NotRegularFile) << 0 << "not a file";
        QTest::newRow("link to a device") << "device" << int(P::NotRegularFile) << 0 << "a device, not";
        QTest::newRow("oversized sparse file") << "oversized" << int(P::TooLarge) << 0 << "too large";
    }
    void file_type_and_size_rules()
    {
        QFETCH(QString, kind);
        QFETCH(int, problem);
        QFETCH(int, records);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString path = dir.filePath("density.dat");
        const QByteArray native = QFile::encodeName(path);
        const QByteArray two = fileOf(table("Lead=11340,Zinc=7140"));
        if (kind == u"partial") {
            QVERIFY(TestSupport::writeFile(path, two.left(36)));
        } else if (kind == u"link") {
            QVERIFY(TestSupport::writeFile(dir.filePath("real.dat"), two));
            QVERIFY(QFile::setPermissions(dir.filePath("real.dat"), QFile::ReadOwner | QFile::WriteOwner));
            QVERIFY(QFile::link(dir.filePath("real.dat"), path));
        } else if (kind == u"fifo") {
            QCOMPARE(::mkfifo(native.constData(), 0600), 0);
        } else if (kind == u"device") {
            // A null device of the test's own where root may make one, so a
            // failing save never touches /dev.
            const QString node = dir.filePath("null");
            const bool made =
                ::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0;
            QVERIFY(QFile::link(made ? node : QStringLiteral("/dev/null"), path));
        } else if (kind == u"oversized") {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(qint64(MaxDensityRecords + 1) * DensityRecordSize)); // sparse: no disk space
        }

        auto loading = std::async(std::launch::async, [&path] { return LoadDensityFile(path); });
        if (loading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            QFile writer(path); // lets a blocked open return
            writer.open(QIODevice::WriteOnly);
            loading.wait();
            QFAIL("loading blocked");
        }
        const DensityFileLoad load = loading.get();
        QCOMPARE(int(load.problem), problem);
        QCOMPARE(load.records.size(), records);
        QCOMPARE(QFile::exists(path), kind != u"missing"); // a missing file is not created by a load
        QVERIFY2(load.message(path).contains(says), qPrintable(load.message(path)));
    }

    void read_failure_keeps_the_records_read_and_says_so()
    {
        QByteArray data = fileOf(table("Zinc,Lead,Copper"));
        FailDevice device(&data, 60); // inside the third record
        QVERIFY(device.open(QIODevice::ReadOnly));

        const DensityFileLoad load = LoadDensityFile(device);
        QCOMPARE(load.problem, DensityFileProblem::ReadFailed);
        QCOMPARE(names(load.records), (QStringList{"Lead", "Zinc"}));
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
        // The shipped table's lines at 6 digits in kg/m³: e2e_density; names
        // come at 20 characters from the record codec.
        row("converted, 3 digits", "Steel", 7850, "g/cm³", 3, false, "Steel                        7.85");
        row("scientific", "Water", 998, "kg/m³", 6, true, "Water                    9.98E+02");
        row("a longer text keeps its sign", "Odd", -1.234567e-5f, "kg/m³", 7, false,
            "Odd                  -1.234567E-05");
        row("failed conversion", "Huge", 3.0e38f, "lb/yd³", 6, false, "Huge                     Overflow");
        row("unit not in the table", "Lead", 11340, "furlong/ft³", 6, false,
            "Lead                     Overflow");
    }

    void list_lines_are_33_characters()
    {
        QFETCH(DensityRecord, record);
        QFETCH(QString, unit);
        QFETCH(int, digits);
        QFETCH(bool, notation);
        QFETCH(QString, line);
        QCOMPARE(MaterialListLines(m_units, {record}, TestSupport::unitName(unit), digits, notation),
                 QStringList{line});
        QVERIFY(line.size() >= MaterialLineWidth);
    }

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;
};

QTEST_GUILESS_MAIN(TestDensityTable)
#include "tst_densitytable.moc"
