// The unit calculator's conversion rows and clipboard texts, on a small table.

#include "unitcalc/conversionlist.h"
#include "unitcalctable.h"

#include "testsupport.h"

#include <QTest>

using namespace UnitCalcTable;

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
        m_table.reset(records(), true);
    }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void rows_list_every_other_display_unit_of_the_type_data()
    {
        QTest::addColumn<QString>("unitType");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("digits");
        QTest::addColumn<bool>("notation");
        QTest::addColumn<bool>("us");
        QTest::addColumn<bool>("commaLocale");
        QTest::addColumn<QString>("expected"); // "unit=value;..."; "*" skips a value

        QTest::newRow("table order, no source, aliases or failing targets")
            << "Mass"
            << "kg"
            << "2" << 6 << false << true << false << "dup=0.002;half=4.0;lb=4.40925;tiny=2.0E+30";
        QTest::newRow("overflowing target left out")
            << "Mass"
            << "kg"
            << "1E9" << 6 << false << true << false << "dup=1000000;half=2.0E+09;lb=*";
        QTest::newRow("overflowing source record gives way to a later one")
            << "Mass"
            << "dup"
            << "2" << 6 << false << true << false << "half=4000.0;kg=2000.0;lb=*;tiny=*";
        QTest::newRow("first source record that converts wins")
            << "Mass"
            << "dup"
            << "0.5" << 6 << false << true << false << "half=3.0E+38;kg=1.5E+38;lb=*";
        QTest::newRow("notation, 3 digits")
            << "Mass"
            << "half"
            << "2469" << 3 << true << true << false << "dup=1.23E+00;kg=1.23E+03;lb=2.72E+03;tiny=1.23E+33";
        QTest::newRow("European convention")
            << "Mass"
            << "kg"
            << "3" << 6 << false << false << false << "dup=0,003;half=6,0;lb=6,61387;tiny=3,0E+30";
        QTest::newRow("comma locale, US convention")
            << "Mass"
            << "kg"
            << "1,5" << 6 << false << true << true << "dup=0.0015;half=3.0;lb=*;tiny=*";
        QTest::newRow("offsets") << "Temperature"
                                 << "\u00b0C"
                                 << "0" << 6 << false << true << false << "K=273.15;\u00b0F=32.0";
    }
    void rows_list_every_other_display_unit_of_the_type()
    {
        QFETCH(QString, unitType);
        QFETCH(QString, source);
        QFETCH(QString, number);
        QFETCH(int, digits);
        QFETCH(bool, notation);
        QFETCH(bool, us);
        QFETCH(bool, commaLocale);
        QFETCH(QString, expected);
        if (commaLocale)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const auto rows = ComputeConversionRows(m_table, type(unitType), unit(source), number,
                                                ConversionDisplay{digits, notation, us});
        QVERIFY(rows.has_value());
        const QStringList wanted = expected.split(QLatin1Char(';'));
        QStringList actual;
        for (int i = 0; i < rows->size(); ++i) {
            const ConversionRow &row = rows->at(i);
            QCOMPARE(row.unitName.size(), UnitNameWidth);
            const bool any = wanted.value(i).endsWith(QLatin1String("=*"));
            actual << row.unitName.trimmed() + QLatin1Char('=') + (any ? QStringLiteral("*") : row.value);
        }
        QCOMPARE(actual, wanted);
    }

    void nothing_converts_without_a_number_or_a_source_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("number");
        QTest::newRow("empty text") << unit("kg") << "";
        QTest::newRow("lone minus") << unit("kg") << "-";
        QTest::newRow("exponent without digits") << unit("kg") << "1E";
        QTest::newRow("beyond single precision") << unit("kg") << "1E39";
        QTest::newRow("unknown unit") << unit("furlong") << "1";
        QTest::newRow("other letter case") << unit("KG") << "1";
    }
    void nothing_converts_without_a_number_or_a_source()
    {
        QFETCH(QString, source);
        QFETCH(QString, number);
        QVERIFY(!ComputeConversionRows(m_table, type("Mass"), source, number, ConversionDisplay{}));
    }

    void units_list_stops_at_the_first_record_of_another_type()
    {
        QCOMPARE(UnitsOfType(m_table, type("Mass")), (QStringList{unit("dup"), unit("half"), unit("kg"),
                                                                  unit("lb"), unit("tiny"), unit("zero")}));
        ConversionTableData unsorted;
        unsorted.reset({record("a", 1, 0, "Mass"), record("b", 1, 0, "Other"), record("c", 1, 0, "Mass")},
                       false);
        QCOMPARE(UnitsOfType(unsorted, type("Mass")), QStringList{unit("a")});
    }

    void clipboard_text_splits_into_number_and_unit_data()
    {
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QChar>("localeSeparator");
        QTest::addColumn<QString>("expected"); // number|units|separator
        QTest::newRow("point number, comma locale") << "12.5 kg" << QChar(u',') << "12,5|kg| ";
        QTest::newRow("comma number, point locale") << "3,5" << QChar(u'.') << "3.5||";
        QTest::newRow("only the first comma changes") << "1,234.5" << QChar(u'.') << "1.234.5||";
        QTest::newRow("Tab separator") << "5\tKG." << QChar(u'.') << "5|KG.|\t";
        QTest::newRow("spaces and a line end") << "  2.5   lb \r\n" << QChar(u'.') << "2.5|lb| ";
        QTest::newRow("Tab before a unit with a space")
            << "1.5\tcu. in    " << QChar(u'.') << "1.5|cu. in|\t";
    }
    void clipboard_text_splits_into_number_and_unit()
    {
        QFETCH(QString, clip);
        QFETCH(QChar, localeSeparator);
        QFETCH(QString, expected);
        const std::optional<ClipboardParts> parts = ParseClipboardText(clip, localeSeparator);
        QVERIFY(parts.has_value());
        QCOMPARE(parts->numberText + u'|' + parts->unitsText + u'|' + parts->separator, expected);
        QVERIFY(!ParseClipboardText(QStringLiteral(" \r\n"), localeSeparator));
    }

    void pasted_unit_lands_on_a_listed_unit_data()
    {
        QTest::addColumn<QString>("unitsText");
        QTest::addColumn<QString>("expected"); // type|unit, or empty for none
        QTest::newRow("capitals and trailing period") << "KG."
                                                      << "Mass|kg";
        QTest::newRow("alias selects its SameAs") << "Pound"
                                                  << "Mass|lb";
        QTest::newRow("first record in table order") << "dup"
                                                     << "Aaa|dup";
        QTest::newRow("name with a period, written without") << "CU IN"
                                                             << "Volume|cu. in";
        QTest::newRow("unknown") << "furlong"
                                 << "";
    }
    void pasted_unit_lands_on_a_listed_unit()
    {
        QFETCH(QString, unitsText);
        QFETCH(QString, expected);
        const std::optional<PastedUnit> found = FindPastedUnit(m_table, unitsText);
        QCOMPARE(found ? found->unitType.trimmed() + u'|' + found->unitToSelect.trimmed() : QString(),
                 expected);
    }

    void copied_text_keeps_the_padded_unit_and_pastes_back_data()
    {
        QTest::addColumn<QString>("unitName");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no pasted separator: a space") << "kg"
                                                      << ""
                                                      << "2.5 kg             ";
        QTest::newRow("Tab and a name with a period") << "cu. in"
                                                      << "\t"
                                                      << "2.5\tcu. in         ";
    }
    void copied_text_keeps_the_padded_unit_and_pastes_back()
    {
        QFETCH(QString, unitName);
        QFETCH(QString, separator);
        QFETCH(QString, expected);
        const QString copied = CopyValueAndUnitsText(QStringLiteral("2.5"), separator, unit(unitName));
        QCOMPARE(copied, expected);
        const std::optional<ClipboardParts> parts = ParseClipboardText(copied, QLatin1Char('.'));
        QCOMPARE(parts->numberText, QStringLiteral("2.5"));
        QCOMPARE(FindPastedUnit(m_table, parts->unitsText)->unitToSelect, unit(unitName));
    }
};

QTEST_GUILESS_MAIN(TestConversionList)
#include "tst_conversionlist.moc"
