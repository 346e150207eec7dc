#include "testsupport.h"
#include "units/numberformat.h"

#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

class TestNumberFormat : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void pattern_elements_format_exactly_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("expected");

        QTest::newRow("scientific 6 digits") << 1234.5 << u"#.0####E+00"_s << u"1.2345E+03"_s;
        QTest::newRow("scientific zero with hash integer") << 0.0 << u"#.0###E+00"_s << u"0.0E+00"_s;
        QTest::newRow("scientific negative exponent") << -0.00123 << u"0.00E+00"_s << u"-1.23E-03"_s;
        QTest::newRow("scientific mantissa carries") << 9.96 << u"0.0E+00"_s << u"1.0E+01"_s;
        QTest::newRow("E-## positive exponent unsigned") << 1234.5 << u"0.#####E-##"_s << u"1.2345E3"_s;

        // 0.1 * 3 is 0.30000000000000004.
        QTest::newRow("no noise above") << 0.1 * 3 << u"0.0####"_s << u"0.3"_s;
        QTest::newRow("shortest decimal half") << 1.005 << u"0.00"_s << u"1.01"_s;
        QTest::newRow("negative rounding to zero loses sign") << -0.001 << u"0.0"_s << u"0.0"_s;
        QTest::newRow("NaN is empty") << std::nan("") << u"0.0"_s << u""_s;
    }

    void pattern_elements_format_exactly()
    {
        QFETCH(double, value);
        QFETCH(QString, pattern);
        QTEST(FormatWithPattern(value, pattern, QChar(u'.')), "expected");
    }

    // Exact texts; that every shown text reads back as the value rounded to
    // the digits promised is checked over all floats by fuzz_numbers.
    void significant_display_matches_worked_results_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("expected");

        QTest::newRow("9.99/2 carries") << 9.99f << 2 << u"10.0"_s;
        QTest::newRow("9999999/7 is scientific") << 9999999.0f << 7 << u"1.0E+07"_s;
        QTest::newRow("largest float") << std::numeric_limits<float>::max() << 7 << u"3.402823E+38"_s;
        QTest::newRow("smallest denormal") << std::numeric_limits<float>::denorm_min() << 2 << u"1.4E-45"_s;
        QTest::newRow("123456/3 integer only") << 123456.0f << 3 << u"123000"_s;
        QTest::newRow("negative zero") << -0.0f << 6 << u"0.0"_s;
        QTest::newRow("digits above 7 clamp") << 3.14159265f << 9 << u"3.141593"_s;
        QTest::newRow("NaN is empty") << std::numeric_limits<float>::quiet_NaN() << 6 << u""_s;
    }

    void significant_display_matches_worked_results()
    {
        QFETCH(float, value);
        QFETCH(int, digits);
        QTEST(FormatSignificant(value, digits), "expected");
    }

    void general_form_is_like_percent_7G_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("negative zero") << -0.0f << u"0"_s;
        QTest::newRow("float 0.1 shows 0.1") << 0.1f << u"0.1"_s;
        QTest::newRow("seven digits plain") << 1234567.0f << u"1234567"_s;
        QTest::newRow("eight digits scientific") << 12345678.0f << u"1.234568E+07"_s;
        QTest::newRow("1E-05 is scientific") << 0.00001f << u"1E-05"_s;
        QTest::newRow("infinity is empty") << std::numeric_limits<float>::infinity() << u""_s;
    }

    void general_form_is_like_percent_7G()
    {
        QFETCH(float, value);
        QFETCH(QString, expected);
        QCOMPARE(FormatGeneral(value), expected);
        // What an entry box is given must read back as (nearly) the same value.
        if (!expected.isEmpty())
            QVERIFY(TestSupport::closeTo(ParseLocaleNumber(expected).value_or(NAN), value, 1e-6));
    }

    // Every locale-following function shows and reads the locale's mark, and
    // refuses the other; no group separator ever appears. Locales whose mark is
    // neither '.' nor ',' (U+066B) get the point, so no value loses its mark.
    void every_function_uses_the_locale_mark_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QChar>("mark");
        QTest::newRow("German") << u"de_DE"_s << QChar(u',');
        QTest::newRow("Arabic, Egypt") << u"ar_EG"_s << QChar(u'.');
    }
    void every_function_uses_the_locale_mark()
    {
        QFETCH(QString, locale);
        QFETCH(QChar, mark);
        QLocale::setDefault(QLocale(locale));
        const auto marked = [mark](QString text) { return text.replace(u'.', mark); };
        const QChar other = mark == u',' ? u'.' : u',';
        QCOMPARE(LocaleDecimalSeparator(), mark);
        QCOMPARE(FormatWithPattern(2.5, u"0.0"_s), marked(u"2.5"_s));
        QCOMPARE(FormatSignificant(3.14159f, 4), marked(u"3.142"_s));
        QCOMPARE(FormatGeneral(-12345.5f), marked(u"-12345.5"_s));
        QCOMPARE(ParseLocaleNumber(marked(u"1.5E3"_s)), std::optional<float>(1500.0f));
        for (const QString &text : {u"3"_s + other + u"5"_s, u"1"_s + other + u"000"_s, marked(u"1.2.3"_s)})
            QVERIFY2(!ParseLocaleNumber(text).has_value(), qPrintable(text));
        // An explicit null separator means the point.
        QCOMPARE(FormatSignificant(2.5f, 6, QChar()), u"2.5"_s);
        QCOMPARE(ParseLocaleNumber(u"0.5"_s, QChar()), std::optional<float>(0.5f));
    }

    void strict_reading_accepts_numbers_only_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<float>("expected");
        QTest::addColumn<bool>("outOfRange"); // a number, but too large to hold

        const auto row = [](const char *name, const QString &text, bool isNumber, float expected = 0,
                            bool outOfRange = false) {
            QTest::newRow(name) << text << isNumber << expected << outOfRange;
        };
        row("surrounding spaces", u"  2.5 "_s, true, 2.5f);
        // Bits are compared: negative zero must keep its sign.
        row("negative zero", u"-0"_s, true, -0.0f);
        row("no integer digits", u".5"_s, true, 0.5f);
        row("lower-case exponent", u"1e-5"_s, true, 1e-5f);
        row("largest float", u"3.4028235e38"_s, true, std::numeric_limits<float>::max());
        row("a thousand digits after the point", u"0."_s + u"0"_s.repeated(999) + u"1"_s, true, 0.0f);

        row("empty", u""_s, false);
        row("exponent without digits", u"1E"_s, false);
        row("group separator", u"1,000"_s, false);
        row("unit suffix", u"1.5kg"_s, false);
        row("inf", u"inf"_s, false);
        row("Arabic-Indic digits", QString::fromUtf8("١٢"), false);
        // Numbers too large to hold are told apart from texts that are none.
        row("huge exponent", u"1e99999999999999"_s, false, 0, true);
        row("just beyond the largest float", u"-3.4028236e38"_s, false, 0, true);
        row("a thousand digits", u"9"_s.repeated(1000), false, 0, true);
    }

    void strict_reading_accepts_numbers_only()
    {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(float, expected);
        const std::optional<float> value = ParseLocaleNumber(text);
        QCOMPARE(value.has_value(), isNumber);
        QTEST(ReadLocaleNumber(text).outOfRange, "outOfRange");
        if (isNumber)
            QCOMPARE(std::bit_cast<quint32>(*value), std::bit_cast<quint32>(expected));
    }

    void leading_number_stops_at_first_foreign_character_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("expected");
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("leading blanks and sign") << u" \t-7.25x"_s << -7.25;
        QTest::newRow("signed exponent then junk") << u"1E+2z"_s << 100.0;
        QTest::newRow("exponent sign without digits") << u"2E+"_s << 2.0;
        QTest::newRow("second point stops") << u"1.2.3"_s << 1.2;
        QTest::newRow("overflow") << u"1e400"_s << inf;
    }

    void leading_number_stops_at_first_foreign_character()
    {
        QFETCH(QString, text);
        QTEST(LeadingNumber(text), "expected");
    }

    void int16_rounding_is_half_even_and_range_checked_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("expected");
        QTest::newRow("2.5 down") << 2.5 << true << 2;
        QTest::newRow("3.5 up") << 3.5 << true << 4;
        QTest::newRow("top plus half") << 32767.5 << false << 0;
        QTest::newRow("bottom minus half") << -32768.5 << true << -32768;
        QTest::newRow("bottom minus 0.6") << -32768.6 << false << 0;
        QTest::newRow("NaN") << std::nan("") << false << 0;
    }

    void int16_rounding_is_half_even_and_range_checked()
    {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, expected);
        QCOMPARE(RoundToInt16(value), fits ? std::optional<qint16>(qint16(expected)) : std::nullopt);
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestNumberFormat)
#include "tst_numberformat.moc"
