// Reading, sorting and indexing the unit table.
#include "units/conversiontable.h"

#include "testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {

ConversionRecord makeRecord(const QString &type, const QString &name, float xFactor = 1, float plusFactor = 0,
                            bool display = true, const QString &sameAs = QString())
{
    ConversionRecord r;
    r.UnitName = PadRight(name, UnitNameWidth);
    r.XFactor = xFactor;
    r.PlusFactor = plusFactor;
    r.UnitType = PadRight(type, UnitTypeWidth);
    r.DisplayUnit = display;
    r.SameAs = PadRight(sameAs, UnitNameWidth);
    return r;
}

QByteArray fileOf(const QList<ConversionRecord> &records)
{
    QByteArray bytes;
    for (const ConversionRecord &r : records)
        bytes += EncodeConversionRecord(r);
    return bytes;
}

// A device that delivers its data but fails once a given number of bytes has
// been read, as a disk error part way through the file would.
class FailingDevice : public QIODevice
{
public:
    FailingDevice(QByteArray data, qint64 failAfter) : m_data(std::move(data)), m_failAfter(failAfter) {}
    bool isSequential() const override { return false; }
    qint64 size() const override { return m_data.size(); }

protected:
    qint64 readData(char *out, qint64 maxSize) override
    {
        const qint64 at = pos();
        if (at >= m_failAfter)
            return -1;
        const qint64 n = std::min({maxSize, m_failAfter - at, qint64(m_data.size()) - at});
        std::memcpy(out, m_data.constData() + at, n);
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_failAfter;
};

// The order the table has always had: bubble sort with a shrinking bound and
// an early stop, swapping only on a strictly greater upper-cased key.
void referenceBubbleSort(QList<ConversionRecord> &records)
{
    QStringList keys;
    for (const ConversionRecord &r : std::as_const(records))
        keys.append((r.UnitType + r.UnitName).toUpper());
    qsizetype upper = records.size();
    bool sorted = false;
    while (!sorted) {
        sorted = true;
        for (qsizetype i = 0; i + 1 < upper; ++i) {
            if (keys[i] > keys[i + 1]) {
                std::swap(keys[i], keys[i + 1]);
                std::swap(records[i], records[i + 1]);
                sorted = false;
            }
        }
        --upper;
    }
}

QStringList names(const QList<ConversionRecord> &records)
{
    QStringList result;
    for (const ConversionRecord &r : records)
        result.append(r.UnitName.trimmed());
    return result;
}

QStringList trimmed(const QStringList &list)
{
    QStringList result;
    for (const QString &s : list)
        result.append(s.trimmed());
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
        const ConversionRecord r = makeRecord(QStringLiteral("Mass"), QStringLiteral("lb"), 0.45359237f,
                                              -2.5f, true, QStringLiteral("kg"));
        const QByteArray bytes = EncodeConversionRecord(r);
        QCOMPARE(bytes.size(), ConversionRecordSize);
        QCOMPARE(bytes.mid(0, 15), QByteArray("lb             "));
        QCOMPARE(qFromLittleEndian<float>(bytes.constData() + 15), 0.45359237f);
        QCOMPARE(qFromLittleEndian<float>(bytes.constData() + 19), -2.5f);
        QCOMPARE(bytes.mid(23, 20), QByteArray("Mass                "));
        QCOMPARE(bytes.mid(43, 2), QByteArray("\xFF\xFF"));
        QCOMPARE(bytes.mid(45, 15), QByteArray("kg             "));

        const ConversionRecord back = DecodeConversionRecord(bytes);
        QCOMPARE(back.UnitName, r.UnitName);
        QCOMPARE(back.XFactor, r.XFactor);
        QCOMPARE(back.PlusFactor, r.PlusFactor);
        QCOMPARE(back.UnitType, r.UnitType);
        QCOMPARE(back.DisplayUnit, true);
        QCOMPARE(back.SameAs, r.SameAs);

        QCOMPARE(EncodeConversionRecord(makeRecord("Mass", "kg", 1, 0, false)).mid(43, 2),
                 QByteArray("\0\0", 2));
    }

    void name_text_is_windows1252_padded_to_width_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");

        // clang-format off
        QTest::newRow("short name padded") << "kg" << QByteArray("kg             ") << "kg             ";
        QTest::newRow("squared") << "m²" << QByteArray("m\xB2             ") << "m²             ";
        QTest::newRow("cubed") << "kg/m³" << QByteArray("kg/m\xB3          ") << "kg/m³          ";
        QTest::newRow("micro and degree") << "µm °C" << QByteArray("\xB5m \xB0"
                                                        // clang-format on
                                                        "C          ")
                                          << "µm °C          ";
        // clang-format off
        QTest::newRow("euro from high table") << "€/kg" << QByteArray("\x80/kg           ") << "€/kg           ";
        QTest::newRow("unencodable becomes ?") << "Ω·m" << QByteArray("?\xB7m            ") << "?·m            ";
        QTest::newRow("long name cut") << "abcdefghijklmnopq" << QByteArray("abcdefghijklmno") << "abcdefghijklmno";
        // clang-format on
    }

    void name_text_is_windows1252_padded_to_width()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, stored);
        QFETCH(QString, readBack);

        ConversionRecord r = makeRecord("Type", QString());
        r.UnitName = name;
        const QByteArray bytes = EncodeConversionRecord(r);
        QCOMPARE(bytes.mid(0, 15), stored);
        QCOMPARE(DecodeConversionRecord(bytes).UnitName, readBack);
    }

    void every_byte_survives_a_read_and_write()
    {
        for (int b = 0; b < 256; ++b) {
            QByteArray bytes = EncodeConversionRecord(makeRecord("Type", "x"));
            bytes.replace(0, 15, QByteArray(15, char(b)));
            bytes.replace(23, 20, QByteArray(20, char(b)));
            QCOMPARE(EncodeConversionRecord(DecodeConversionRecord(bytes)).toHex(), bytes.toHex());
        }
    }

    void display_unit_is_true_for_any_nonzero_value_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("display");
        // clang-format off
        QTest::newRow("0") << QByteArray("\0\0", 2) << false;
        QTest::newRow("-1") << QByteArray("\xFF\xFF") << true;
        QTest::newRow("1") << QByteArray("\x01\0", 2) << true;
        QTest::newRow("high byte only") << QByteArray("\0\x80", 2) << true;
        // clang-format on
    }

    void display_unit_is_true_for_any_nonzero_value()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, display);
        QByteArray bytes = EncodeConversionRecord(makeRecord("Mass", "kg"));
        bytes.replace(43, 2, stored);
        QCOMPARE(DecodeConversionRecord(bytes).DisplayUnit, display);
    }

    void record_count_is_length_over_60_rounded_half_to_even_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        // clang-format off
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("29 bytes") << 29 << 0;
        QTest::newRow("30 bytes, half to even 0") << 30 << 0;
        QTest::newRow("31 bytes") << 31 << 1;
        QTest::newRow("89 bytes") << 89 << 1;
        QTest::newRow("90 bytes, half to even 2") << 90 << 2;
        QTest::newRow("119 bytes") << 119 << 2;
        QTest::newRow("120 bytes") << 120 << 2;
        QTest::newRow("150 bytes, half to even 2") << 150 << 2;
        QTest::newRow("210 bytes, half to even 4") << 210 << 4;
        // clang-format on
    }

    void record_count_is_length_over_60_rounded_half_to_even()
    {
        QFETCH(int, length);
        QFETCH(int, count);
        QList<ConversionRecord> records;
        for (int i = 0; i < 4; ++i)
            records.append(makeRecord("Type", QStringLiteral("u%1").arg(i)));
        QByteArray data = fileOf(records).left(length);
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));

        const ConversionTableLoad load = ReadConversionRecords(buffer);
        QVERIFY(load.complete);
        QCOMPARE(load.records.size(), count);
    }

    void partial_last_record_reads_missing_bytes_as_blank()
    {
        // 90 bytes: the second record has only its first 30 bytes, which end
        // seven characters into the type.
        QByteArray data =
            fileOf({makeRecord("Mass", "kg"), makeRecord("Pressure", "psi", 6894.757f, 1.5f, true, "Pa")})
                .left(90);
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));

        const ConversionTableLoad load = ReadConversionRecords(buffer);
        QCOMPARE(load.records.size(), 2);
        const ConversionRecord &partial = load.records.at(1);
        QCOMPARE(partial.UnitName, PadRight("psi", 15));
        QCOMPARE(partial.XFactor, 6894.757f);
        QCOMPARE(partial.PlusFactor, 1.5f);
        QCOMPARE(partial.UnitType, PadRight("Pressur", 20));
        QCOMPARE(partial.DisplayUnit, false);
        QCOMPARE(partial.SameAs, QString(15, QLatin1Char(' ')));
    }

    void count_beyond_16_bits_reads_nothing_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("complete");
        // clang-format off
        QTest::newRow("32767 records") << qint64(MaxConversionRecords) * 60 << MaxConversionRecords << true;
        QTest::newRow("rounds down to 32767") << qint64(MaxConversionRecords) * 60 + 29 << MaxConversionRecords << true;
        QTest::newRow("rounds half to 32768") << qint64(MaxConversionRecords) * 60 + 30 << 0 << false;
        QTest::newRow("32768 records") << qint64(MaxConversionRecords + 1) * 60 << 0 << false;
        // clang-format on
    }

    void count_beyond_16_bits_reads_nothing()
    {
        QFETCH(qint64, length);
        QFETCH(int, count);
        QFETCH(bool, complete);
        QByteArray one = EncodeConversionRecord(makeRecord("Type", "u"));
        QByteArray data = one.repeated(length / 60 + 1).left(length);
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));

        const ConversionTableLoad load = ReadConversionRecords(buffer);
        QCOMPARE(load.complete, complete);
        QCOMPARE(load.records.size(), count);
    }

    void read_failure_keeps_whole_records_read_so_far_data()
    {
        QTest::addColumn<int>("failAfter");
        QTest::addColumn<QStringList>("kept");
        // clang-format off
        QTest::newRow("at once") << 0 << QStringList();
        QTest::newRow("inside first record") << 59 << QStringList();
        QTest::newRow("after first record") << 60 << QStringList{"z"};
        QTest::newRow("inside third record") << 150 << QStringList{"z", "y"};
        // clang-format on
    }

    void read_failure_keeps_whole_records_read_so_far()
    {
        QFETCH(int, failAfter);
        QFETCH(QStringList, kept);
        // File order is the reverse of sorted order, so an unsorted result shows.
        const QByteArray data =
            fileOf({makeRecord("B", "z"), makeRecord("B", "y"), makeRecord("A", "x"), makeRecord("A", "w")});
        FailingDevice device(data, failAfter);
        QVERIFY(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));

        const ConversionTableLoad load = ReadConversionRecords(device);
        QVERIFY(!load.complete);
        QCOMPARE(names(load.records), kept);

        device.seek(0);
        LoadConversionTable(device);
        QCOMPARE(names(ConversionTable().records()), kept);
        QVERIFY(UnitTypeList().isEmpty());
    }

    void sort_orders_by_type_then_name_ignoring_case_data()
    {
        QTest::addColumn<QStringList>("fileTypes");
        QTest::addColumn<QStringList>("fileNames");
        QTest::addColumn<QList<int>>("order");
        QTest::addColumn<QStringList>("types");

        // clang-format off
        QTest::newRow("case-differing types sort together but list twice")
            << QStringList{"mass", "Length", "Mass"} << QStringList{"lb", "m", "kg"} << QList<int>{1, 2, 0} << QStringList{"Length", "Mass", "mass"};
        QTest::newRow("prefix type first whatever the names")
            << QStringList{"Forces", "Force"} << QStringList{"a", "zz"} << QList<int>{1, 0} << QStringList{"Force", "Forces"};
        QTest::newRow("equal keys keep file order")
            << QStringList{"MASS", "Mass", "Mass", "Area"} << QStringList{"KG", "kg", "kg", "m²"} << QList<int>{3, 0, 1, 2} << QStringList{"Area", "MASS", "Mass"};
        QTest::newRow("padding sorts before any printable character")
            << QStringList{"T", "T", "T"} << QStringList{"kg!", "kg", "kg-m"} << QList<int>{1, 0, 2} << QStringList{"T"};
        QTest::newRow("compared upper-cased, not lower-cased")
            << QStringList{"T", "T"} << QStringList{"_x", "a"} << QList<int>{1, 0} << QStringList{"T"};
        QTest::newRow("accented letters upper-cased one for one")
            << QStringList{"T", "T", "T"} << QStringList{"ÿb", "z", "Ÿa"} << QList<int>{1, 2, 0} << QStringList{"T"};
        // clang-format on
    }

    void sort_orders_by_type_then_name_ignoring_case()
    {
        QFETCH(QStringList, fileTypes);
        QFETCH(QStringList, fileNames);
        QFETCH(QList<int>, order);
        QFETCH(QStringList, types);

        QList<ConversionRecord> records;
        for (int i = 0; i < fileTypes.size(); ++i)
            records.append(makeRecord(fileTypes[i], fileNames[i], float(i)));
        SortConversionTable(records);

        QList<int> actual;
        for (const ConversionRecord &r : records)
            actual.append(int(r.XFactor));
        QCOMPARE(actual, order);
        QCOMPARE(trimmed(BuildUnitTypeList(records)), types);
    }

    void fast_sort_matches_the_bubble_sort()
    {
        // Few distinct letters in both cases, so equal and case-equal keys abound.
        QRandomGenerator rng(20240611);
        const QString alphabet = QStringLiteral("aAbB ²ÿŸ_");
        const auto randomText = [&](int maxLength) {
            QString s;
            const int length = rng.bounded(1, maxLength + 1);
            for (int i = 0; i < length; ++i)
                s.append(alphabet.at(rng.bounded(int(alphabet.size()))));
            return s;
        };
        QList<ConversionRecord> records;
        for (int i = 0; i < 3000; ++i)
            records.append(makeRecord(randomText(3), randomText(3), float(i)));

        QList<ConversionRecord> expected = records;
        referenceBubbleSort(expected);
        SortConversionTable(records);

        QCOMPARE(records.size(), expected.size());
        for (int i = 0; i < records.size(); ++i)
            QCOMPARE(records[i].XFactor, expected[i].XFactor);
    }

    void load_sorts_and_indexes_names_in_table_order()
    {
        QByteArray data = fileOf({makeRecord("Torque", "N-m", 1), makeRecord("Mass", "kg", 2),
                                  makeRecord("Energy", "N-m", 3), makeRecord("Mass", "g", 4)});
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        LoadConversionTable(buffer);

        const ConversionTableData &table = ConversionTable();
        QCOMPARE(names(table.records()), (QStringList{"N-m", "g", "kg", "N-m"}));
        QCOMPARE(trimmed(UnitTypeList()), (QStringList{"Energy", "Mass", "Torque"}));
        QCOMPARE(UnitTypeList().constFirst().size(), UnitTypeWidth);
        QCOMPARE(table.indexOfName(PadRight("N-m", 15)), 0);
        QCOMPARE(table.indexesOfName(PadRight("N-m", 15)), (QList<int>{0, 3}));
        QCOMPARE(table.indexOfName(PadRight("kg", 15)), 2);
        QCOMPARE(table.indexOfName("kg"), -1);
        QCOMPARE(table.indexOfName(PadRight("KG", 15)), -1);
    }

    void missing_file_is_created_empty()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("converts.dat");
        QByteArray data = fileOf({makeRecord("Mass", "kg")});
        QBuffer buffer(&data);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        LoadConversionTable(buffer);

        LoadConversionTable(path);
        QVERIFY(QFile::exists(path));
        QCOMPARE(QFile(path).size(), 0);
        QVERIFY(ConversionTable().records().isEmpty());
        QVERIFY(UnitTypeList().isEmpty());
        QCOMPARE(ConversionTable().indexOfName(PadRight("kg", 15)), -1);
    }

    void file_is_read_by_name()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("converts.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(fileOf({makeRecord("Mass", "lb"), makeRecord("Mass", "kg")}));
        file.close();

        LoadConversionTable(file.fileName());
        QCOMPARE(names(ConversionTable().records()), (QStringList{"kg", "lb"}));
        QCOMPARE(UnitTypeList(), QStringList{PadRight("Mass", 20)});
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestConversionTable)
#include "tst_conversiontable.moc"
