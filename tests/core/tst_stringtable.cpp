#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include "core/stringtable.h"
#include "testsupport.h"

using OptionalText = std::optional<QString>;
Q_DECLARE_METATYPE(OptionalText)

class TstStringTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void shipped_table_parses_and_holds_exactly_the_program_ids()
    {
        QFile file(QStringLiteral(":/strings/strings.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList problems;
        ParseStringTable(QString::fromUtf8(file.readAll()), &problems);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

        const std::pair<int, int> ranges[] = {{1100, 1105}, {1107, 1111}, {1200, 1203}, {1205, 1221},
                                              {1300, 1306}, {1400, 1409}, {1411, 1418}, {1600, 1610},
                                              {1700, 1707}, {1950, 1972}, {1992, 1995}, {1997, 1999}};
        QList<int> expected;
        for (const auto &[first, last] : ranges)
            for (int id = first; id <= last; ++id)
                expected.append(id);
        QList<int> ids = StringTable().keys();
        std::sort(ids.begin(), ids.end());
        QCOMPARE(ids, expected);
        for (const QString &text : StringTable())
            QVERIFY2(!text.isEmpty() && text == text.trimmed(), qPrintable(text));
    }

    void shipped_texts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("space before ellipsis") << 1110 << QStringLiteral("&Search For Help On ...");
        QTest::newRow("mnemonic inside word") << 1408 << QStringLiteral("E&xit");
        QTest::newRow("two spaces after full stop")
            << 1701
            << QStringLiteral("Pellridge is committed to delivering quality software at a reasonable price.  "
                              "If you have any questions or comments, please contact us:");
        QTest::newRow("apostrophes") << 1966 << QStringLiteral("Copy Ix'x' and units to clipboard");
    }
    void shipped_texts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(StringById(id), OptionalText(text));
    }

    void parse_rules_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("id");
        QTest::addColumn<OptionalText>("text");
        QTest::addColumn<int>("problemCount");

        QTest::newRow("plain") << "1100\tUnits calculator\n" << 1100 << OptionalText("Units calculator") << 0;
        QTest::newRow("comment and blank lines")
            << "# 1100\tnot this\n\n   \n1100\tyes" << 1100 << OptionalText("yes") << 0;
        QTest::newRow("crlf line ends") << "1100\tA\r\n1101\tB\r\n" << 1100 << OptionalText("A") << 0;
        QTest::newRow("escapes") << "5\tone\\ntwo\\tthree\\\\four" << 5
                                 << OptionalText("one\ntwo\tthree\\four") << 0;
        QTest::newRow("no tab") << "1100 Units" << 1100 << OptionalText() << 1;
        QTest::newRow("id not a number") << "x1\tText\n1100\tok" << 1100 << OptionalText("ok") << 1;
        QTest::newRow("id beyond 16 bits") << "40000\tText" << 40000 << OptionalText() << 1;
        QTest::newRow("first repeated id wins") << "7\tfirst\n7\tsecond" << 7 << OptionalText("first") << 1;
    }
    void parse_rules()
    {
        QFETCH(QString, source);
        QFETCH(int, id);
        QFETCH(int, problemCount);

        QStringList problems;
        const QHash<int, QString> table = ParseStringTable(source, &problems);
        QTEST(table.contains(id) ? OptionalText(table.value(id)) : OptionalText(), "text");
        QCOMPARE(problems.size(), problemCount);
    }

    void local_string_data()
    {
        QTest::addColumn<int>("baseId");
        QTest::addColumn<int>("languageOffset");
        QTest::addColumn<OptionalText>("text");

        QTest::newRow("base language") << 1305 << 0 << OptionalText("&Save");
        // A language block is the same layout at a distance: an id present
        // under the offset is taken from there.
        QTest::newRow("id under the offset") << 1410 << 1 << OptionalText("&Add");
        QTest::newRow("offset block exists") << 1301 << -200 << OptionalText("&File");
        QTest::newRow("offset block missing falls back") << 1305 << 1000 << OptionalText("&Save");
        QTest::newRow("missing in both") << 1410 << 1000 << OptionalText();
        QTest::newRow("sum overflows") << 1999 << 32767 << OptionalText();
        QTest::newRow("sum at the limit") << 1100 << 32767 - 1100 << OptionalText("Units calculator");
        QTest::newRow("base id beyond 16 bits") << 40000 << 0 << OptionalText();
    }
    void local_string()
    {
        QFETCH(int, baseId);
        QFETCH(int, languageOffset);
        QFETCH(OptionalText, text);
        QCOMPARE(LocalString(baseId, qint16(languageOffset)), text);
    }

    // The lookup rules are above; this is the form that gives a text in any case.
    void local_text_is_empty_when_unresolvable()
    {
        QCOMPARE((QStringList{LocalText(1999, 1000), LocalText(1410, 1000)}),
                 (QStringList{QStringLiteral("Units Calculator"), QString()}));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TstStringTable)
#include "tst_stringtable.moc"
