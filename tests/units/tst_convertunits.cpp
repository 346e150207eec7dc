// Conversion between two units through the base unit of their type.
#include "units/convertunits.h"

#include "units/conversiontable.h"

#include "testsupport.h"

#include <QtTest>

#include <bit>
#include <cfloat>
#include <limits>

using TestSupport::unitRecord;

class TestConvertUnits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        // File order differs from sorted order on purpose: "dup" is first met
        // under "Zeta" in the file but "Alpha" sorts first.
        m_units = TestSupport::unitTable({
            unitRecord("Zeta", "dup", 2),
            unitRecord("Mass", "kg", 1),
            unitRecord("Mass", "g", 0.001f),
            unitRecord("Mass", "lb", 0.45359237f),
            unitRecord("Temperature", "K", 1),
            unitRecord("Temperature", "°C", 1, 273.15f),
            unitRecord("Temperature", "°F", 5.0f / 9.0f, 255.372222f),
            unitRecord("Odd", "third", 1.0f / 3.0f, 273.15f),
            unitRecord("Odd", "fifth", 5.0f / 9.0f, 255.37222f),
            unitRecord("Odd", "zero", 0),
            unitRecord("Odd", "huge", 1e30f),
            unitRecord("Alpha", "dup", 3),
            unitRecord("Long", "abcdefghijklmno", 10),
        });
        // "zero" is no usable unit: the loader leaves it out.
        QCOMPARE(m_units.records().size(), 12);
    }

    void converts_through_the_base_unit_or_fails_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<float>("expected");
        const float NaN = std::numeric_limits<float>::quiet_NaN();
        // clang-format off
        QTest::newRow("same unit, even unknown, returns the value") << 0.1f << "furlong" << "furlong" << 0.1f;
        QTest::newRow("kg to lb") << 0.45359237f << "kg" << "lb" << 1.0f;
        QTest::newRow("name cut to 15 characters") << 1.0f << "abcdefghijklmnopqr" << "kg" << 10.0f;
        QTest::newRow("offset: 100 °C to °F") << 100.0f << "°C" << "°F" << 212.0f;
        QTest::newRow("type not compared") << 1.0f << "kg" << "K" << 1.0f;
        QTest::newRow("duplicate name: first in sorted order") << 1.0f << "dup" << "kg" << 3.0f;
        QTest::newRow("unknown source gives 0") << 1.0f << "stone" << "kg" << 0.0f;
        QTest::newRow("other letter case: unknown") << 1.0f << "KG" << "g" << 0.0f;
        // A failing step gives nullopt (expected NaN), whatever the other name.
        QTest::newRow("a zero factor never loads: unknown") << 1.0f << "kg" << "zero" << 0.0f;
        QTest::newRow("source overflow reported before unknown target") << 1e10f << "huge" << "stone" << NaN;
        QTest::newRow("target step overflows") << FLT_MAX << "kg" << "g" << NaN;
        // clang-format on
    }

    void converts_through_the_base_unit_or_fails()
    {
        QFETCH(float, value);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(float, expected);
        const std::optional<float> result = ConvertUnits(m_units, value, from, to);
        QCOMPARE(result.has_value(), !std::isnan(expected));
        if (result && from == to) // the same unit comes back bit for bit
            QCOMPARE(std::bit_cast<quint32>(*result), std::bit_cast<quint32>(value));
        else if (result)
            QVERIFY2(TestSupport::closeTo(*result, expected, 1e-6),
                     qPrintable(QString::number(*result, 'g', 9)));
    }

    void each_step_rounds_once_to_single_precision()
    {
        // Rounding the base value to single precision between the two steps
        // changes the last bits here; double all the way, or single-precision
        // arithmetic throughout, give other results.
        const std::optional<float> result =
            ConvertUnits(m_units, std::bit_cast<float>(0x41d36db7), "third", "fifth");
        QVERIFY(result.has_value());
        QCOMPARE(std::bit_cast<quint32>(*result), 0x423f6dacu);
    }

    void base_step_fails_only_beyond_float_range_data()
    {
        QTest::addColumn<float>("value");
        QTest::addColumn<float>("xFactor");
        QTest::addColumn<float>("plusFactor");
        QTest::addColumn<bool>("fits");
        // Half a unit in the last place of the largest float is 2^103, about 1.01e31.
        // clang-format off
        QTest::newRow("rounds down to the largest float") << FLT_MAX << 1.0f << 1e30f << true;
        QTest::newRow("rounds up beyond float range") << FLT_MAX << 1.0f << 2e31f << false;
        QTest::newRow("product beyond range, offset brings it back") << FLT_MAX << 2.0f << -FLT_MAX << true;
        // clang-format on
    }

    void base_step_fails_only_beyond_float_range()
    {
        QFETCH(float, value);
        QFETCH(float, xFactor);
        QFETCH(float, plusFactor);
        QTEST(ToBaseUnit(value, xFactor, plusFactor).has_value(), "fits");
    }

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;
};

QTEST_GUILESS_MAIN(TestConvertUnits)
#include "tst_convertunits.moc"
