// The unit calculator's conversion rows and clipboard texts, on a small table.

#include "unitcalc/conversionlist.h"
#include "unitcalctable.h"

#include "testsupport.h"
#include "units/numberformat.h"

#include <QTest>

using namespace UnitCalcTable;

Q_DECLARE_METATYPE(PasteProblem)

class TestConversionList : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_table;

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        // A zero factor never comes out of the loader; here it fails as a target.
        QList<ConversionRecord> list = records();
        const auto tiny = std::find_if(list.cbegin(), list.cend(), [](const ConversionRecord &r) {
            return r.UnitName == unitName("tiny");
        });
        list.insert(tiny - list.cbegin() + 1, unitRecord("Mass", "zero", 0));
        m_table.reset(list, true);
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rows_list_every_other_display_unit_of_the_type_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("expected"); // "unit=value" by row, "*" skips a value; none: no list
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("flags"); // E notation, "," European convention, G German, A Arabic locale
        auto row = [](const char *name, const char *type, const char *source, const char *number,
                      const QStringList &expected, int digits = 6, const QString &flags = QString()) {
            QTest::newRow(name) << QString::fromUtf8(type) << QString::fromUtf8(source)
                                << QString::fromUtf8(number) << expected << digits << flags;
        };
        row("table order, no source, aliases or failing targets", "Mass", "kg", "2",
            {"dup=0.002", "half=4.0", "lb=4.40925", "tiny=2.0E+30"});
        row("overflowing source record gives way to a later one", "Mass", "dup", "2",
            {"half=4000.0", "kg=2000.0", "lb=*", "tiny=*"});
        row("first source record that converts wins", "Mass", "dup", "0.5",
            {"half=3.0E+38", "kg=1.5E+38", "lb=*"});
        row("notation, 3 digits", "Mass", "half", "2469",
            {"dup=1.23E+00", "kg=1.23E+03", "lb=2.72E+03", "tiny=1.23E+33"}, 3, "E");
        row("European convention", "Mass", "kg", "3", {"dup=0,003", "half=6,0", "lb=6,61387", "tiny=3,0E+30"},
            6, ",");
        row("comma locale, US convention", "Mass", "kg", "1,5", {"dup=0.0015", "half=3.0", "lb=*", "tiny=*"},
            6, "G");
        // U+066B is neither mark: the point is read and shown, and the
        // conventions still have a mark to switch.
        row("Arabic locale, US convention", "Mass", "kg", "2.5",
            {"dup=0.0025", "half=5.0", "lb=5.51156", "tiny=2.5E+30"}, 6, "A");
        row("Arabic locale, European convention", "Mass", "kg", "2.5",
            {"dup=0,0025", "half=5,0", "lb=5,51156", "tiny=2,5E+30"}, 6, "A,");
        row("offsets", "Temperature", "\u00b0C", "0", {"K=273.15", "\u00b0F=32.0"});
        // Nothing converts without a number or an exactly named source.
        row("empty text", "Mass", "kg", "", {});
        row("other letter case", "Mass", "KG", "1", {});
    }
    void rows_list_every_other_display_unit_of_the_type()
    {
        QFETCH(QString, type);
        QFETCH(QString, source);
        QFETCH(QString, number);
        QFETCH(QStringList, expected);
        QFETCH(int, digits);
        QFETCH(QString, flags);
        if (flags.contains(u'G'))
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        if (flags.contains(u'A'))
            QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
        const auto rows =
            ComputeConversionRows(m_table, UnitCalcTable::type(type), unitName(source), number,
                                  ConversionDisplay{digits, flags.contains(u'E'), !flags.contains(u',')});
        QCOMPARE(rows.has_value(), !expected.isEmpty());
        QStringList got;
        for (const ConversionRow &row : rows.value_or(QList<ConversionRow>{})) {
            QCOMPARE(row.unitName.size(), UnitNameWidth);
            const bool any = expected.value(got.size()).endsWith(QLatin1String("=*"));
            got << row.unitName.trimmed() + u'=' + (any ? QStringLiteral("*") : row.value);
        }
        QCOMPARE(got, expected);
    }

    // An empty list must not hide a value that is merely too large (which
    // texts are too large is checked with the number reader).
    void overflow_is_told_apart_from_no_number_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("outOfRange");
        const auto row = [](const char *name, const char *type, const char *source, const QString &number,
                            bool outOfRange) {
            QTest::newRow(name) << QString(type) << QString(source) << number << outOfRange;
        };
        row("number beyond single precision", "Mass", "kg", "1e999", true);
        row("every source step overflows", "Mass", "dup", "3e38", true);
        row("every target step overflows", "Line", "m", "3e38", true);
        row("some targets still fit", "Mass", "kg", "3.4e38", false);
        row("lone minus sign", "Mass", "kg", "-", false);
        row("unknown unit", "Mass", "furlong", "1e999", true);
        row("unknown unit, plain number", "Mass", "furlong", "1", false);
    }
    void overflow_is_told_apart_from_no_number()
    {
        QFETCH(QString, type);
        QFETCH(QString, source);
        QFETCH(QString, number);
        QFETCH(bool, outOfRange);
        ConversionTableData table;
        QList<ConversionRecord> list = records();
        list << unitRecord("Line", "m") << unitRecord("Line", "mm", 0.001f);
        table.reset(list, true);
        ConversionProblem problem = ConversionProblem::OutOfRange;
        const auto rows = ComputeConversionRows(table, UnitCalcTable::type(type), unitName(source), number,
                                                ConversionDisplay{}, &problem);
        QCOMPARE(problem == ConversionProblem::OutOfRange, outOfRange);
        if (outOfRange)
            QVERIFY(!rows || rows->isEmpty());
    }

    // A paste is taken only as one number with at most one offered unit;
    // every other text is refused with its reason, never read as another number.
    void pasted_text_reads_as_one_number_and_unit_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QChar>("localeSeparator");
        QTest::addColumn<QChar>("writtenMark"); // the decimal mark when the program wrote the text
        QTest::addColumn<QString>("offered");   // the unit type offered; "*" every type; "" no unit list
        QTest::addColumn<PasteProblem>("problem");
        QTest::addColumn<QStringList>("reading"); // taken: number, unit, separator; refused: the detail
        auto row = [](const char *name, const QString &clip, char16_t localeSeparator, const char *offered,
                      PasteProblem problem, const QStringList &reading, char16_t writtenMark = 0) {
            QTest::newRow(name) << clip << QChar(localeSeparator) << QChar(writtenMark) << QString(offered)
                                << problem << reading;
        };
        using P = PasteProblem;
        row("point number, comma locale", "12.5 kg", u',', "*", P::None, {"12,5", "kg", " "});
        row("comma number, point locale", "3,5", u'.', "*", P::None, {"3.5", "", ""});
        row("spaces and a line end", "  2.5   lb \r\n", u'.', "*", P::None, {"2.5", "lb", " "});
        row("Tab before a unit with a space", "1.5\tcu. in    ", u'.', "*", P::None, {"1.5", "cu. in", "\t"});
        row("native digits, marks, minus", "\u200f\u2212\u0661\u066b\u06f5e+\u0663 kg", u',', "*", P::None,
            {"-1,5E+3", "kg", " "});
        row("plus sign dropped", "+2 kg", u'.', "*", P::None, {"2", "kg", " "});
        row("beyond single precision", "1E999 kg", u'.', "*", P::None, {"1E999", "kg", " "});
        row("blanks only", " \r\n", u'.', "*", P::Nothing, {""});
        // Group marks where they can mean nothing else.
        row("space groups", "1 500 kg", u'.', "*", P::None, {"1500", "kg", " "});
        row("no-break space groups", "1\u00a0500\u00a0000", u'.', "*", P::None, {"1500000", "", ""});
        row("narrow no-break space, comma", "1\u202f500,5 kg", u',', "*", P::None, {"1500,5", "kg", " "});
        row("commas group before a point", "1,500.5 kg", u'.', "*", P::None, {"1500.5", "kg", " "});
        row("points group before a comma", "1.500,5 kg", u',', "*", P::None, {"1500,5", "kg", " "});
        row("two commas group", "1,500,000", u'.', "*", P::None, {"1500000", "", ""});
        row("Arabic thousands mark", "\u0661\u066c\u0665\u0660\u0660", u'.', "*", P::None, {"1500", "", ""});
        row("locale's own mark before three digits", "1,500 kg", u',', "*", P::None, {"1,500", "kg", " "});
        row("leading zero is no group", "0,500", u'.', "*", P::None, {"0.500", "", ""});
        row("the program's own copy", "1.234 kg", u',', "*", P::None, {"1,234", "kg", " "}, u'.');
        row("own copy: the other mark groups", "1,234", u',', "*", P::None, {"1234", "", ""}, u'.');
        // Two readings, malformed groups, glued units.
        row("comma, point locale", "1,500 kg", u'.', "*", P::TwoReadings, {"1,500"});
        row("point, comma locale", "1.500 kg", u',', "*", P::TwoReadings, {"1.500"});
        row("signed with exponent", "-1,500E3", u'.', "*", P::TwoReadings, {"-1,500E3"});
        row("after space groups", "1 500,000", u'.', "*", P::TwoReadings, {"1 500,000"});
        row("point before a comma, point locale", "1.234,5", u'.', "*", P::NotANumber, {"1.234,5"});
        row("groups of two", "1,50,000", u'.', "*", P::NotANumber, {"1,50,000"});
        row("unit glued on", "12kg", u'.', "*", P::NotANumber, {"12kg"});
        row("exponent without digits", "2E kg", u'.', "*", P::NotANumber, {"2E kg"});
        // What follows the number.
        row("second number", "1 50 kg", u'.', "*", P::TwoNumbers, {"50 kg"});
        row("second signed number", "7 -8", u'.', "*", P::TwoNumbers, {"-8"});
        row("words after the unit", "7 kg extra", u'.', "*", P::TextAfterUnit, {"extra"});
        row("no such unit", "7 furlong", u'.', "*", P::UnknownUnit, {"furlong"});
        row("unit of another type", "1.5e3 K", u'.', "Mass", P::UnitNotOffered, {"K"});
        row("unit into a box without units", "25 kg", u'.', "", P::UnitNotOffered, {"kg"});
        row("plain number into a box without units", "25", u'.', "", P::None, {"25", "", ""});
    }
    void pasted_text_reads_as_one_number_and_unit()
    {
        QFETCH(QString, clip);
        QFETCH(QChar, localeSeparator);
        QFETCH(QChar, writtenMark);
        QFETCH(QString, offered);
        const PasteReading reading = ReadPastedText(
            clip, localeSeparator, offered.isEmpty() ? nullptr : &m_table,
            [&offered](const PastedUnit &unit) {
                return offered == u"*" || unit.unitType.trimmed() == offered;
            },
            writtenMark);
        QTEST(reading.problem, "problem");
        const ClipboardParts &parts = reading.parts;
        const QString unit = reading.unit ? reading.unit->unitToSelect.trimmed() : QString();
        const QStringList taken{parts.numberText, unit, parts.separator};
        QTEST(reading.problem == PasteProblem::None ? taken : QStringList{reading.detail}, "reading");
    }

    // A pasted unit lands on a listed unit. Names that differ only in letter case are different
    // units: the name as written wins, and a case-free match counts only when it is unambiguous.
    void pasted_unit_lands_on_a_listed_unit_data()
    {
        QTest::addColumn<bool>("caseTwins"); // the table with units differing only in letter case
        QTest::addColumn<QString>("unitsText");
        QTest::addColumn<QString>("type"); // empty: no unit found
        QTest::addColumn<QString>("unit");
        const auto row = [](bool caseTwins, const char *unitsText, const char *type, const char *unit) {
            QTest::newRow(unitsText) << caseTwins << QString(unitsText) << QString(type) << QString(unit);
        };
        // Onto a listed unit of the calculator's table.
        row(false, "KG.", "Mass", "kg");
        row(false, "Pound", "Mass", "lb");          // alias: its SameAs
        row(false, "dup", "Aaa", "dup");            // first in table order
        row(false, "CU IN", "Volume", "cu. in");    // period left out
        row(false, "\u03bcm", "Length", "\u00b5m"); // Greek mu
        row(false, "furlong", "", "");
        row(true, "nm", "Length", "nm");
        row(true, "Nm", "Torque", "N-m");  // an alias
        row(true, "NM", "", "");           // either of two: none
        row(true, "N-M", "Torque", "N-m"); // one unit in any case
        row(true, "KP", "Force", "kgf");   // two spellings of one unit
    }
    void pasted_unit_lands_on_a_listed_unit()
    {
        QFETCH(bool, caseTwins);
        QFETCH(QString, unitsText);
        ConversionTableData twins;
        twins.reset({unitRecord("Length", "nm", 1e-9f), unitRecord("Force", "kgf", 9.80665f),
                     unitRecord("Force", "kp", 9.80665f, 0, "kgf"),
                     unitRecord("Force", "Kp", 9.80665f, 0, "kgf"), unitRecord("Torque", "N-m"),
                     unitRecord("Torque", "Nm", 1, 0, "N-m")},
                    false);
        const std::optional<PastedUnit> found = FindPastedUnit(caseTwins ? twins : m_table, unitsText);
        QTEST(found ? found->unitType.trimmed() : QString(), "type");
        QTEST(found ? found->unitToSelect.trimmed() : QString(), "unit");
    }
};

QTEST_GUILESS_MAIN(TestConversionList)
#include "tst_conversionlist.moc"
