// The fixed-record codec: text and number fields, the record count, and
// reading and writing whole records through a device that may fail.
#include "core/fixedrecord.h"

#include "faildevice.h"

#include <QtTest>

using namespace FixedRecord;
using TestSupport::FailDevice;

class TestFixedRecord : public QObject
{
    Q_OBJECT

private slots:
    void text_is_windows1252_of_fixed_width_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("readBack");

        // clang-format off
        QTest::newRow("padded with spaces") << "kg/m³" << 7 << QByteArray("kg/m\xB3  ") << "kg/m³  ";
        QTest::newRow("cut to width") << "Aluminium alloy" << 9 << QByteArray("Aluminium") << "Aluminium";
        QTest::newRow("euro from the high table") << "€" << 2 << QByteArray("\x80 ") << "€ ";
        QTest::newRow("undefined byte kept") << QString(QChar(0x81)) << 1 << QByteArray("\x81") << QString(QChar(0x81));
        QTest::newRow("unencodable becomes ?") << "Ω·m" << 3 << QByteArray("?\xB7m") << "?·m";
        // clang-format on
    }

    void text_is_windows1252_of_fixed_width()
    {
        QFETCH(QString, text);
        QFETCH(int, width);

        QByteArray bytes(width, '\xEE');
        WriteText(text, bytes.data(), width);
        QTEST(bytes, "stored");
        QTEST(ReadText(bytes.constData(), width), "readBack");
    }

    void every_byte_survives_a_read_and_write()
    {
        QByteArray all(256, Qt::Uninitialized);
        for (int b = 0; b < 256; ++b)
            all[b] = char(b);
        QByteArray again(256, '\0');
        WriteText(ReadText(all.constData(), 256), again.data(), 256);
        QCOMPARE(again.toHex(), all.toHex());
    }

    void numbers_are_little_endian()
    {
        char single[4], int16[2], boolean[2];
        WriteSingle(7850.0f, single);
        WriteInt16(-2, int16);
        WriteBoolean16(true, boolean);
        QCOMPARE((QByteArrayList{QByteArray(single, 4).toHex(), QByteArray(int16, 2).toHex(),
                                 QByteArray(boolean, 2).toHex()}),
                 (QByteArrayList{"0050f545", "feff", "ffff"}));
        QCOMPARE(ReadSingle(single), 7850.0f);
        QCOMPARE(ReadInt16(int16), qint16(-2));
        // Any non-zero value reads true, even in the high byte only.
        QVERIFY(ReadBoolean16("\x00\x80") && !ReadBoolean16("\x00\x00"));
    }

    void record_count_rounds_half_to_even_data()
    {
        QTest::addColumn<qint64>("length");
        QTest::addColumn<int>("recordSize");
        QTest::addColumn<qsizetype>("maxRecords");
        QTest::addColumn<qsizetype>("count"); // -1: over the limit

        QTest::newRow("12 of 24: half to 0") << qint64(12) << 24 << NoRecordLimit << qsizetype(0);
        QTest::newRow("36 of 24: half to 2") << qint64(36) << 24 << NoRecordLimit << qsizetype(2);
        QTest::newRow("60 of 24: half to 2") << qint64(60) << 24 << NoRecordLimit << qsizetype(2);
        QTest::newRow("119 of 60") << qint64(119) << 60 << NoRecordLimit << qsizetype(2);
        QTest::newRow("no limit past 16 bits") << qint64(786420) << 24 << NoRecordLimit << qsizetype(32768);
        QTest::newRow("over the limit") << qint64(786420) << 24 << qsizetype(32767) << qsizetype(-1);
    }

    void record_count_rounds_half_to_even()
    {
        QFETCH(qint64, length);
        QFETCH(int, recordSize);
        QFETCH(qsizetype, maxRecords);
        QTEST(RecordCount(length, recordSize, maxRecords).value_or(-1), "count");
    }

    void reader_keeps_whole_records_and_says_where_it_stopped_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<qint64>("failAt");
        QTest::addColumn<int>("records");
        QTest::addColumn<qint64>("stoppedAt");
        QTest::addColumn<bool>("complete");

        QTest::newRow("whole file") << 72 << qint64(1000) << 3 << qint64(72) << true;
        QTest::newRow("fails inside record 3") << 72 << qint64(50) << 2 << qint64(50) << false;
        QTest::newRow("fails at once") << 72 << qint64(0) << 0 << qint64(0) << false;
        QTest::newRow("partial last record") << 84 << qint64(1000) << 4 << qint64(84) << true;
    }

    void reader_keeps_whole_records_and_says_where_it_stopped()
    {
        QFETCH(int, length);
        QFETCH(qint64, failAt);
        QFETCH(int, records);
        QFETCH(bool, complete);

        QByteArray data(length, Qt::Uninitialized);
        for (int i = 0; i < length; ++i)
            data[i] = char('a' + i % 26);
        FailDevice device(&data, failAt);
        QVERIFY(device.open(QIODevice::ReadOnly));
        const QByteArray blank = QByteArray(20, ' ') + QByteArray(4, '\0');

        const ReadResult read = ReadRecords(device, 24, blank);
        QCOMPARE(read.bytes.size(), records * 24);
        QTEST(read.stoppedAt, "stoppedAt");
        QCOMPARE(read.complete, complete);
        // The bytes read come through unchanged; a partial record is completed from the blank one.
        const int whole = std::min<int>(read.bytes.size(), length - length % 24);
        QCOMPARE(read.bytes.left(whole), data.left(whole));
        if (length % 24 && complete)
            QCOMPARE(read.bytes.mid(length), blank.mid(length % 24));
    }

    void writer_reports_a_device_failure()
    {
        const QByteArray records(48, 'x');
        QByteArray target;
        FailDevice failing(&target, 30);
        QVERIFY(failing.open(QIODevice::WriteOnly));
        QVERIFY(!WriteRecords(failing, records) && !failing.errorString().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestFixedRecord)
#include "tst_fixedrecord.moc"
