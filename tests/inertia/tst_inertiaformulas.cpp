// The six shapes' moments of inertia against worked examples, and the
// window's compute from box texts and units.
//
// Expected values were worked out by hand from the textbook formulas (hollow
// cylinder m(3(Ro²+Ri²)+L²)/12, block m(a²+b²)/12, solid sphere 2mR²/5, thin
// shell 2mR²/3, rod mL²/12, corner tetrahedron m(a²+b²)/10, end axes by the
// parallel-axis rule + m(L/2)²) in exact rational arithmetic on the
// single-precision inputs, with pi = 3.141593, then rounded once to single
// precision. None lies near a rounding midpoint, so results compare bit for bit.

#include "core/fixedtext.h"
#include "inertia/inertiarows.h"
#include "inertiatable.h"
#include "units/conversiontable.h"

#include "testsupport.h"

#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(InertiaInputs)
Q_DECLARE_METATYPE(InertiaShape)
Q_DECLARE_METATYPE(MassMode)

namespace {

using In = InertiaInput;
using Shape = InertiaShape;
constexpr float Fails = std::numeric_limits<float>::quiet_NaN();
constexpr float Inf = std::numeric_limits<float>::infinity();

// Expected values by InertiaAxis; Fails for a failed result (or an end axis
// the shape has not).
using Expected = QList<float>;

QString describe(std::optional<float> value)
{
    return value ? QString::number(*value, 'g', 9) : QStringLiteral("failed");
}

bool sameBits(std::optional<float> actual, float expected)
{
    if (std::isnan(expected))
        return !actual;
    return actual && std::bit_cast<quint32>(*actual) == std::bit_cast<quint32>(expected);
}

InertiaInput inputNamed(const QString &key)
{
    static const QHash<QString, InertiaInput> keys = {
        {"rho", In::Density}, {"m", In::Mass},  {"R", In::Radius},      {"H", In::Height},
        {"L", In::Length},    {"W", In::Width}, {"OD", In::OutsideDia}, {"ID", In::InsideDia}};
    return keys.value(key);
}

// "L=1;OD=0.2;m=10" as inputs, each the float nearest its decimal; the inputs
// not named are missing.
InertiaInputs inputs(const char *text)
{
    InertiaInputs result;
    for (const QString &item : QString::fromLatin1(text).split(u';', Qt::SkipEmptyParts)) {
        const std::string value = item.section(u'=', 1).toStdString();
        float number = 0;
        std::from_chars(value.data(), value.data() + value.size(), number);
        result[inputNamed(item.section(u'=', 0, 0))] = number;
    }
    return result;
}

// "L=1000 mm;W=1E- m;m=10": each box's text and unit (none when absent);
// boxes not named stay empty, so reading one fails.
InertiaEntries entries(const QString &text)
{
    InertiaEntries result;
    for (const QString &item : text.split(u';', Qt::SkipEmptyParts)) {
        const QString value = item.section(u'=', 1);
        InertiaEntry &entry = result[std::size_t(inputNamed(item.section(u'=', 0, 0)))];
        entry.text = value.section(u' ', 0, 0);
        entry.unit = PadRight(value.section(u' ', 1), UnitNameWidth);
        if (value.section(u' ', 1).isEmpty())
            entry.unit.clear();
    }
    return result;
}

} // namespace

class TestInertiaFormulas : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        InertiaTable::loadInto(m_units);
    }

    void results_match_worked_examples_data()
    {
        QTest::addColumn<InertiaShape>("shape");
        QTest::addColumn<MassMode>("mode");
        QTest::addColumn<InertiaInputs>("in");
        QTest::addColumn<Expected>("expected");
        QTest::addColumn<float>("mass"); // mass found from the density; Fails for none
        const MassMode M = MassMode::Mass;
        const MassMode D = MassMode::Density;
        // clang-format off
        QTest::newRow("hollow cylinder from density") << Shape::Cylinder << D << inputs("L=2;OD=0.5;ID=0.3;rho=7850")
            << Expected{699.564636f, 699.564636f, 83.8491135f, 2672.48486f, 2672.48486f} << 1972.92029f;
        QTest::newRow("inside dia. equal to outside: no mass") << Shape::Cylinder << D << inputs("L=1;OD=0.2;ID=0.2;rho=1000")
            << Expected{0, 0, 0, 0, 0} << 0.0f;
        QTest::newRow("parallelepiped from density") << Shape::Parallelepiped << D << inputs("L=0.3;W=0.2;H=0.1;rho=2700")
            << Expected{0.13500002f, 0.17550002f, 0.0675000027f, 0.499500066f, 0.540000081f} << 16.2000008f;
        QTest::newRow("spherical shell") << Shape::SphericalShell << M << inputs("R=0.1;m=2")
            << Expected{0.0133333337f, 0.0133333337f, 0.0133333337f, Fails, Fails} << Fails;
        QTest::newRow("sphere") << Shape::Sphere << M << inputs("R=0.1;m=2")
            << Expected{0.00800000038f, 0.00800000038f, 0.00800000038f, Fails, Fails} << Fails;
        // With pi at full precision the mass would be 4188.79004.
        QTest::newRow("sphere from density, pi = 3.141593") << Shape::Sphere << D << inputs("R=1;rho=1000")
            << Expected{1675.51624f, 1675.51624f, 1675.51624f, Fails, Fails} << 4188.79053f;
        QTest::newRow("slender rod") << Shape::SlenderRod << M << inputs("L=3;m=4")
            << Expected{3, 3, 0, 12, 12} << Fails;
        QTest::newRow("tetrahedron about its corner edges") << Shape::Tetrahedron << M << inputs("L=3;W=1;H=2;m=10")
            << Expected{13, 10, 5, Fails, Fails} << Fails;
        QTest::newRow("tetrahedron reads the mass in density mode") << Shape::Tetrahedron << D << inputs("L=0.4;W=0.3;H=0.2;m=2.5")
            << Expected{0.0500000007f, 0.0625f, 0.0325000025f, Fails, Fails} << Fails;

        // Failures: any missing input, a non-finite value or a store beyond
        // single precision fails the result; the others stand.
        QTest::newRow("result beyond single precision") << Shape::Sphere << M << inputs("R=1e10;m=1e30")
            << Expected{Fails, Fails, Fails, Fails, Fails} << Fails;
        QTest::newRow("mass from density overflows") << Shape::Parallelepiped << D << inputs("L=1e5;W=1e5;H=1e5;rho=1e30")
            << Expected{Fails, Fails, Fails, Fails, Fails} << Fails;
        QTest::newRow("mass fits, some results overflow") << Shape::Parallelepiped << D << inputs("L=1e4;W=1e-4;H=1;rho=1e38")
            << Expected{Fails, Fails, 8.33333286e+36f, Fails, Fails} << 9.99999968e+37f;
        QTest::newRow("missing width fails every result") << Shape::Tetrahedron << M << inputs("L=3;H=2;m=10")
            << Expected{Fails, Fails, Fails, Fails, Fails} << Fails;
        QTest::newRow("rod Izz is 0 even when the rest fails") << Shape::SlenderRod << M << inputs("m=4")
            << Expected{Fails, Fails, 0, Fails, Fails} << Fails;
        QTest::newRow("zero times infinity") << Shape::SlenderRod << M << inputs("L=inf;m=0")
            << Expected{Fails, Fails, 0, Fails, Fails} << Fails;
        // clang-format on
    }
    void results_match_worked_examples()
    {
        QFETCH(InertiaShape, shape);
        QFETCH(MassMode, mode);
        QFETCH(InertiaInputs, in);
        QFETCH(Expected, expected);
        QFETCH(float, mass);

        const InertiaResults results = ComputeInertia(shape, in, mode);
        for (int axis = 0; axis < InertiaAxisCount; ++axis) {
            QVERIFY2(sameBits(results.values[axis], expected[axis]),
                     qPrintable(QStringLiteral("axis %1: %2, expected %3")
                                    .arg(axis)
                                    .arg(describe(results.values[axis]), describe(expected[axis]))));
            // Each result function on its own gives the same value.
            const InertiaFunction function = ShapeInfo(shape).results[axis];
            QCOMPARE(function ? describe(function(in, mode)) : describe(std::nullopt),
                     describe(results.values[axis]));
        }
        QVERIFY2(sameBits(results.computedMass, mass), qPrintable(describe(results.computedMass)));
    }

    // The window's compute: box texts in their units; only the boxes the
    // shape reads count. Values within 1e-6 relative (unit factors are
    // single precision).
    void compute_reads_the_boxes_in_their_units_data()
    {
        QTest::addColumn<InertiaShape>("shape");
        QTest::addColumn<MassMode>("mode");
        QTest::addColumn<QString>("boxes");
        QTest::addColumn<Expected>("expected");
        // The mass box ("-": left alone), Ixx as shown in kg-m², the reason shown.
        QTest::addColumn<QString>("shown");
        const MassMode M = MassMode::Mass;
        const MassMode D = MassMode::Density;
        // clang-format off
        QTest::newRow("mixed units") << Shape::Cylinder << M << "L=1000 mm;OD=20 cm;ID=0 m;m=10000 g"
            << Expected{0.8583333f, 0.8583333f, 0.05f, 3.358333f, 3.358333f} << "-|0.858333|";
        QTest::newRow("mass shown in grams") << Shape::Sphere << D << "R=1 m;rho=1 g/cm\u00b3;m=0.0 g"
            << Expected{1675.516f, 1675.516f, 1675.516f, Fails, Fails} << "4188790|1675.52|"; // g is 0.001f
        QTest::newRow("inside dia. beyond outside: no mass shown") << Shape::Cylinder << D << "L=1 m;OD=2 cm;ID=21 mm;rho=1000 kg/m\u00b3;m=x kg"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "|Invalid input|Inside diameter exceeds outside diameter";
        QTest::newRow("negative length") << Shape::SlenderRod << M << "L=-3 m;m=4 kg"
            << Expected{Fails, Fails, 0, Fails, Fails} << "-|Invalid input|Length cannot be negative";
        QTest::newRow("negative density") << Shape::Parallelepiped << D << "L=1 m;W=1 m;H=1 m;rho=-1 kg/m\u00b3"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "|Invalid input|Density cannot be negative";
        QTest::newRow("half-typed wins over negative") << Shape::Sphere << M << "R=-1 m;m=1E- kg"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "-||";
        QTest::newRow("empty box") << Shape::Sphere << M << "R= m;m=1 kg"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "-||";
        QTest::newRow("beyond single precision is no blank") << Shape::Sphere << M << "R=1E39 m;m=1 kg"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "-|Overflow|";
        QTest::newRow("zero sizes and a negative zero") << Shape::Parallelepiped << M << "L=0 m;W=0 m;H=-0 m;m=0 kg"
            << Expected{0, 0, 0, 0, 0} << "-|0.0|";
        QTest::newRow("density half-typed: no mass shown") << Shape::Sphere << D << "R=1 m;rho=1E kg/m\u00b3;m=5 kg"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "||";
        QTest::newRow("boxes the shape lacks are not read") << Shape::Cylinder << M << "L=1 m;OD=0.2 m;ID=0 m;m=10 kg;rho=-;R=1E-"
            << Expected{0.8583333f, 0.8583333f, 0.05f, 3.358333f, 3.358333f} << "-|0.858333|";
        QTest::newRow("no unit selected fails") << Shape::SlenderRod << M << "L=3;m=4 kg"
            << Expected{Fails, Fails, 0, Fails, Fails} << "-|Overflow|";
        // The mass overflows its display unit: the results fail and the box
        // keeps its text rather than show a stale mass beside them.
        QTest::newRow("mass beyond its display unit") << Shape::Sphere << D << "R=1 m;rho=1E30 kg/m\u00b3;m=0 tiny"
            << Expected{Fails, Fails, Fails, Fails, Fails} << "-|Overflow|";
        // clang-format on
    }
    void compute_reads_the_boxes_in_their_units()
    {
        QFETCH(InertiaShape, shape);
        QFETCH(MassMode, mode);
        QFETCH(QString, boxes);
        QFETCH(Expected, expected);
        QFETCH(QString, shown);

        const InertiaOutcome outcome = ComputeInertiaEntries(m_units, shape, entries(boxes), mode);
        for (int axis = 0; axis < InertiaAxisCount; ++axis) {
            const std::optional<float> value = outcome.values[axis];
            const bool ok =
                std::isnan(expected[axis]) ? !value : value && TestSupport::closeTo(*value, expected[axis]);
            QVERIFY2(ok, qPrintable(QStringLiteral("axis %1: %2").arg(axis).arg(describe(value))));
        }
        QCOMPARE(outcome.massText.value_or(QStringLiteral("-")) + u'|' +
                     FormatInertiaResult(m_units, outcome.values[0], InertiaBaseUnit(), 6, false,
                                         outcome.problem) +
                     u'|' + QLatin1String(InertiaProblemText(outcome.problem)),
                 shown);
    }

    // A unit table that lost a base unit (its damaged record skipped) fails
    // every result rather than compute on a 0.
    void missing_base_unit_fails_every_result_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<MassMode>("mode");
        QTest::newRow("kg-m\u00b2") << "kg-m\u00b2" << MassMode::Mass;
        QTest::newRow("kg") << "kg" << MassMode::Mass;
        QTest::newRow("kg, mass from the density") << "kg" << MassMode::Density;
        QTest::newRow("m") << "m" << MassMode::Mass;
        QTest::newRow("kg/m\u00b3") << "kg/m\u00b3" << MassMode::Density;
    }
    void missing_base_unit_fails_every_result()
    {
        QFETCH(QString, missing);
        QFETCH(MassMode, mode);
        QList<ConversionRecord> records = m_units.records();
        records.removeIf([&missing](const ConversionRecord &r) { return r.UnitName.trimmed() == missing; });
        const ConversionTableData damaged = TestSupport::unitTable(records);
        const InertiaOutcome outcome =
            ComputeInertiaEntries(damaged, Shape::Parallelepiped,
                                  entries("L=100 cm;W=100 cm;H=100 cm;m=1000 g;rho=1 g/cm\u00b3"), mode);
        QStringList shown;
        for (int axis = 0; axis < 3; ++axis)
            shown << FormatInertiaResult(damaged, outcome.values[axis],
                                         PadRight("kg-cm\u00b2", UnitNameWidth), 6, false, outcome.problem);
        QCOMPARE(shown, QStringList(3, QStringLiteral("Overflow")));
    }

    void results_show_in_the_chosen_unit_data()
    {
        QTest::addColumn<float>("value"); // kg-m²; Fails for a failed result
        QTest::addColumn<QString>("unit");
        QTest::addColumn<bool>("notation");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("notation, 6 digits") << 1234.5f << "kg-m\u00b2" << true << "1.2345E+03";
        QTest::newRow("failed result") << Fails << "kg-m\u00b2" << false << "Overflow";
        QTest::newRow("unit without the result") << 1e38f << "g-mm\u00b2" << false << "Overflow";
        QTest::newRow("unit missing from the table") << 5.0f << "furlong" << false << "Overflow";
        // clang-format on
    }
    void results_show_in_the_chosen_unit()
    {
        QFETCH(float, value);
        QFETCH(QString, unit);
        QFETCH(bool, notation);
        const std::optional<float> result = std::isnan(value) ? std::nullopt : std::optional<float>(value);
        QTEST(FormatInertiaResult(m_units, result, PadRight(unit, UnitNameWidth), 6, notation), "expected");
    }

    // Each shape's picture ships as artwork of the picture box's size, its
    // words as outlines, so drawing it loads no font.
    void every_shape_has_its_picture()
    {
        for (int shape = 0; shape < InertiaShapeCount; ++shape) {
            const QString name = QString::fromLatin1(ShapeInfo(InertiaShape(shape)).picture);
            QFile file(TestSupport::sourceDir() + QStringLiteral("/resources/art/") + name +
                       QStringLiteral(".svg"));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
            const QByteArray text = file.readAll();
            QVERIFY2(!text.contains("<text"), qPrintable(name));
            QXmlStreamReader svg(text);
            QVERIFY(svg.readNextStartElement());
            QCOMPARE(svg.attributes().value(QLatin1String("width")), QLatin1String("221"));
            QCOMPARE(svg.attributes().value(QLatin1String("height")), QLatin1String("181"));
        }
    }

    void shape_names_match_exactly()
    {
        const QStringList names = {"Cylinder", "Parallelepiped", "Spherical shell",
                                   "Sphere",   "Slender rod",    "Tetrahedron"};
        QCOMPARE(FindShape(names, QStringLiteral("Sphere")), std::optional(Shape::Sphere));
        QCOMPARE(FindShape(names, QStringLiteral("sphere")), std::nullopt);
        QCOMPARE(FindShape(names, QStringLiteral("Sphere ")), std::nullopt);
    }
};

QTEST_GUILESS_MAIN(TestInertiaFormulas)
#include "tst_inertiaformulas.moc"
