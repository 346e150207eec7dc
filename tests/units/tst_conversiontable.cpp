// Reading, sorting and indexing the unit table.
#include "units/conversiontable.h"

#include "faildevice.h"
#include "testsupport.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

using TestSupport::unitFile;
using TestSupport::unitRecord;

QStringList names(const QList<ConversionRecord> &records)
{
    QStringList result;
    for (const ConversionRecord &r : records)
        result.append(r.UnitName.trimmed());
    return result;
}

} // namespace

class TestConversionTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void record_fields_sit_at_their_offsets()
    {
        ConversionRecord r = unitRecord("Mass", "lb", 0.45359237f, -2.5f);
        r.SameAs = TestSupport::unitName(QStringLiteral("kg")); // a listed unit naming another keeps it
        const QByteArray bytes = EncodeConversionRecord(r);
        const auto le = [](float f) { return QByteArray(reinterpret_cast<const char *>(&f), 4); };
        static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
        QCOMPARE(bytes, QByteArray("lb             ") + le(0.45359237f) + le(-2.5f) + "Mass                " +
                            "\xFF\xFF" + "kg             ");

        // Decoding reads the same offsets back.
        const ConversionRecord back = DecodeConversionRecord(bytes);
        QCOMPARE(back.UnitType, r.UnitType);
        QCOMPARE(EncodeConversionRecord(back), bytes);
    }

    // Reading stops at the first failure: the whole records read so far are
    // kept, unsorted, and the report names the failure and what was kept.
    void read_failure_keeps_whole_records_read_so_far()
    {
        ConversionTableData table;
        // File order is the reverse of sorted order, so an unsorted result shows.
        QByteArray data = unitFile(
            {unitRecord("B", "z"), unitRecord("B", "y"), unitRecord("A", "x"), unitRecord("A", "w")});
        TestSupport::FailDevice device(&data, 150); // inside the third record
        QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));

        const ConversionTableLoad load = ReadConversionRecords(device);
        QVERIFY(!load.complete);
        QCOMPARE(names(load.records), (QStringList{"z", "y"}));

        TestSupport::FailDevice again(&data, 150);
        QVERIFY(again.open(QIODevice::ReadOnly));
        table.load(again);
        QCOMPARE(names(table.records()), (QStringList{"z", "y"}));
        QVERIFY(table.unitTypes().isEmpty());
        const ConversionTableReport &report = table.report();
        QCOMPARE(report.status, ConversionTableStatus::Unreadable);
        QVERIFY2(report.message().contains(QLatin1String("simulated device failure")) &&
                     report.message().contains(QLatin1String("2 units loaded")),
                 qPrintable(report.message()));
    }

    // The fast sort must give the order the table has always had. The alphabet
    // holds both cases, the padding space, '_' (between upper and lower case in
    // character codes) and accented letters that upper-case one for one, so
    // equal, case-equal and padding-sensitive keys abound.
    void fast_sort_matches_the_bubble_sort()
    {
        QRandomGenerator rng(20240611);
        const QString alphabet = QStringLiteral("aAbB ²ÿŸ_");
        QList<ConversionRecord> records;
        for (int i = 0; i < 3000; ++i)
            records.append(unitRecord(TestSupport::randomText(rng, alphabet, 3),
                                      TestSupport::randomText(rng, alphabet, 3), float(i)));

        QList<ConversionRecord> expected = records;
        TestSupport::referenceBubbleSort(expected,
                                         [](const ConversionRecord &r) { return r.UnitType + r.UnitName; });
        SortConversionTable(records);

        QCOMPARE(records.size(), expected.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(records[i].XFactor, expected[i].XFactor);
    }

    // Each problem is named, not one "missing or empty" for all of them; a
    // table loaded before is replaced, and a missing file is created empty. A
    // folder shows the table is opened as a regular file only, never blocking
    // (a FIFO: the density table's test, through the same opener).
    void load_says_which_problem_the_table_has_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("says");
        using S = ConversionTableStatus;
        QTest::newRow("whole") << "whole" << int(S::Loaded) << 2 << "";
        QTest::newRow("missing") << "missing" << int(S::Missing) << 0 << "is missing";
        QTest::newRow("0 bytes") << "empty" << int(S::Empty) << 0 << "is empty";
        QTest::newRow("a folder") << "folder" << int(S::NotRegularFile) << 0
                                  << "Could not open converts.dat: it is a folder, not a file.";
        QTest::newRow("cannot be opened") << "under a file" << int(S::Unreadable) << 0
                                          << "Could not open converts.dat: part of its path is not a folder.";
        QTest::newRow("32,768 records") << "too many" << int(S::TooManyRecords) << 0 << "more than 32,767";
        QTest::newRow("ends inside a record") << "cut" << int(S::Truncated) << 2 << "cut short";
    }
    void load_says_which_problem_the_table_has()
    {
        ConversionTableData table;
        QFETCH(QString, kind);
        QFETCH(int, records);
        QFETCH(QString, says);
        QTemporaryDir dir;
        QString path = dir.filePath("converts.dat");
        const QByteArray two = unitFile({unitRecord("Mass", "kg"), unitRecord("Mass", "g", 0.001f)});
        QFile file(path);
        if (kind == u"whole" || kind == u"cut" || kind == u"empty" || kind == u"too many") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(kind == u"empty" ? QByteArray() : two);
            if (kind == u"cut")
                file.write("x", 1);
            if (kind == u"too many") // sparse: costs no disk space
                QVERIFY(file.resize(qint64(MaxConversionRecords + 1) * ConversionRecordSize));
            file.close();
        } else if (kind == u"folder") {
            QVERIFY(QDir(dir.path()).mkdir("converts.dat"));
        } else if (kind == u"under a file") {
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.close();
            path += QStringLiteral("/converts.dat");
        }
        table = TestSupport::unitTable({unitRecord("Length", "m"), unitRecord("Length", "cm", 0.01f),
                                        unitRecord("Length", "mm", 0.001f)});
        table.load(path);
        const ConversionTableReport &report = table.report();
        QTEST(int(report.status), "status");
        QCOMPARE(table.records().size(), records);
        QCOMPARE(report.hasProblem(), !says.isEmpty());
        QVERIFY2(report.message().contains(says), qPrintable(report.message()));
        if (!says.isEmpty())
            QVERIFY(report.message().contains(QLatin1String("converts.dat")));
        QCOMPARE(table.unitTypes().isEmpty(), records == 0);
        QCOMPARE(table.indexOfName(PadRight("cm", 15)), -1);
        if (kind == u"missing")
            QCOMPARE(QFile(path).size(), 0);
    }

    void records_with_unusable_factors_are_skipped_and_counted_data()
    {
        QTest::addColumn<float>("xFactor");
        QTest::addColumn<float>("plusFactor");
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        QTest::newRow("zero") << 0.0f << 0.0f;
        QTest::newRow("denormal") << std::numeric_limits<float>::denorm_min() * 7 << 0.0f;
        QTest::newRow("infinite") << inf << 0.0f;
        QTest::newRow("NaN") << nan << 0.0f;
        QTest::newRow("infinite offset") << 0.01f << -inf;
    }
    void records_with_unusable_factors_are_skipped_and_counted()
    {
        QFETCH(float, xFactor);
        QFETCH(float, plusFactor);
        const ConversionTableData table = TestSupport::unitTable(
            {unitRecord("Linear distance", "m"), unitRecord("Linear distance", "cm", xFactor, plusFactor),
             unitRecord("Linear distance", "mm", 0.001f)});
        QCOMPARE(names(table.records()), (QStringList{"m", "mm"}));
        QCOMPARE(table.indexOfName(PadRight("cm", 15)), -1);
        const ConversionTableReport &report = table.report();
        QCOMPARE(report.skippedRecords, 1);
        QVERIFY(report.hasProblem());
        QVERIFY2(report.message().contains(QLatin1String("damaged")), qPrintable(report.message()));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestConversionTable)
#include "tst_conversiontable.moc"
