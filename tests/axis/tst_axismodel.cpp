// Axis sizing against worked examples: each kind of item, the totals through
// the gearbox, the shares, the ratio and its verdict, and the failures that
// must never become numbers.
//
// Expected values were worked out apart from the program from the textbook
// formulas (screw m(p/2π)², belt m(D/2)², point mass mr², parallel axis
// J + md², solid cylinder about its axis mR²/2 with the shape formulas'
// pi = 3.141593), in double precision.

#include "axisbuild.h"

#include "testsupport.h"

#include <QtTest>

#include <cmath>
#include <limits>

namespace {

using namespace AxisBuild;
using In = InertiaInput;
using Shape = InertiaShape;
constexpr double Fails = std::numeric_limits<double>::quiet_NaN();
constexpr MassMode ByMass = MassMode::Mass;

} // namespace

class TestAxisModel : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void item_inertia_data()
    {
        QTest::addColumn<AxisItem>("item");
        QTest::addColumn<double>("expected"); // kg·m², quantity included; Fails for a failure
        QTest::addColumn<QString>("reason");  // part of the failure's reason
        // clang-format off
        QTest::newRow("table on a 10 mm lead") << screwLoad(40, 0.01) << 1.013211836e-4 << "";
        QTest::newRow("steel screw from its density") << steelScrew() << 6.16537626e-5 << "";
        QTest::newRow("carriage on a 50 mm pulley") << beltLoad(12, 0.05) << 7.5e-3 << "";
        QTest::newRow("two point masses") << item(AxisItemKind::PointMass, {{AxisParam::Mass, 3}, {AxisParam::Radius, 0.1}}, 2) << 0.06 << "";
        QTest::newRow("four couplings") << inertiaValue(1.2e-5, 4) << 4.8e-5 << "";
        QTest::newRow("cylinder off its axis") << shapePart(Shape::Cylinder, ByMass, InertiaAxis::Ixx,
            {{In::Length, 0.2}, {In::OutsideDia, 0.1}, {In::InsideDia, 0}, {In::Mass, 2}}, 0.05) << 0.01291666667 << "";
        QTest::newRow("three spheres on a 0.2 m radius") << shapePart(Shape::Sphere, ByMass, InertiaAxis::Izz,
            {{In::Radius, 0.1}, {In::Mass, 1}}, 0.2, 3) << 0.132 << "";
        QTest::newRow("rod about its end") << shapePart(Shape::SlenderRod, ByMass, InertiaAxis::IxxEnd,
            {{In::Length, 1}, {In::Mass, 3}}) << 1.0 << "";
        QTest::newRow("end axis takes no offset") << shapePart(Shape::SlenderRod, ByMass, InertiaAxis::IxxEnd,
            {{In::Length, 1}, {In::Mass, 3}}, 0.1) << Fails << "centre of mass";
        QTest::newRow("tetrahedron takes no offset") << shapePart(Shape::Tetrahedron, ByMass, InertiaAxis::Izz,
            {{In::Length, 1}, {In::Width, 1}, {In::Height, 1}, {In::Mass, 1}}, 0.1) << Fails << "corner edges";
        QTest::newRow("shape input beyond single precision") << shapePart(Shape::Sphere, ByMass, InertiaAxis::Izz,
            {{In::Radius, 1e39}, {In::Mass, 1}}) << Fails << "too large for the shape";
        QTest::newRow("shape result beyond single precision") << shapePart(Shape::Sphere, ByMass, InertiaAxis::Izz,
            {{In::Radius, 1e20}, {In::Mass, 1e30}}) << Fails << "too large";
        QTest::newRow("quantity 0") << screwLoad(40, 0.01, 0) << Fails << "at least 1";
        QTest::newRow("negative mass") << screwLoad(-40, 0.01) << Fails << "mass must not be negative";
        QTest::newRow("screw of no lead") << screwLoad(40, 0) << Fails << "lead must be greater than 0";
        QTest::newRow("pulley of no diameter") << beltLoad(12, 0) << Fails << "diameter must be greater than 0";
        QTest::newRow("negative offset") << shapePart(Shape::Sphere, ByMass, InertiaAxis::Izz,
            {{In::Radius, 0.1}, {In::Mass, 1}}, -0.2) << Fails << "offset must not be negative";
        QTest::newRow("overflow") << item(AxisItemKind::PointMass, {{AxisParam::Mass, 1e200}, {AxisParam::Radius, 1e100}})
            << Fails << "too large";
        // clang-format on
    }
    void item_inertia()
    {
        QFETCH(AxisItem, item);
        QFETCH(double, expected);
        QFETCH(QString, reason);
        const AxisFigure j = ItemInertia(item);
        QVERIFY2(matches(j, expected), qPrintable(describe(j)));
        QVERIFY2(j.reason().contains(reason), qPrintable(j.reason()));
    }

    void axis_totals_data()
    {
        QTest::addColumn<Axis>("axis");
        QTest::addColumn<double>("loadSide");
        QTest::addColumn<double>("atMotor");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<QString>("verdict"); // the verdict, or part of the reason there is none
        QTest::addColumn<RatioLevel>("level");
        const Axis worked = ballScrewAxis();
        Axis noRotor = worked;
        noRotor.motor.inertia.value = 0;
        Axis badTarget = worked;
        badTarget.motor.targetRatio = 0;
        Axis badRatio = worked;
        badRatio.gearbox.ratio = -3;
        Axis badItem = worked;
        badItem.items[2] = inertiaValue(-1, 1, AxisSide::Load, QStringLiteral("Coupling"));
        badItem.items.append(inertiaValue(1e-5, 1, AxisSide::Motor));
        // clang-format off
        QTest::newRow("ball-screw axis") << worked << 1.749749463e-4 << 2.44416607e-5 << 1.222083035
            << "1.2 : 1, within the 10 : 1 target" << RatioLevel::Within;
        QTest::newRow("heavy load, motor-side part") << axis({inertiaValue(0.1008), inertiaValue(5e-5, 1, AxisSide::Motor)},
            12, 2.04e-5, 2e-5) << 0.1008 << 7.704e-4 << 38.52 << "38.5 : 1, 3.9 × the 10 : 1 target" << RatioLevel::Over;
        QTest::newRow("below 1 : 1") << axis({inertiaValue(1e-6)}, 1, 0, 1e-5, 5) << 1e-6 << 1e-6 << 0.1
            << "0.1 : 1, within the 5 : 1 target" << RatioLevel::Within;
        QTest::newRow("huge ratio in short form") << axis({inertiaValue(250)}, 1, 0, 1e-5) << 250.0 << 250.0 << 2.5e7
            << "2.5E+07 : 1, 2.5E+06 × the 10 : 1 target" << RatioLevel::Over;
        QTest::newRow("no rotor inertia: no ratio") << noRotor << 1.749749463e-4 << 2.44416607e-5 << Fails
            << "No rotor inertia" << RatioLevel::Unknown;
        QTest::newRow("target 0") << badTarget << 1.749749463e-4 << 2.44416607e-5 << 1.222083035
            << "target ratio must be greater than 0" << RatioLevel::Unknown;
        QTest::newRow("negative gearbox ratio") << badRatio << 1.749749463e-4 << Fails << Fails
            << "gearbox ratio must be greater than 0" << RatioLevel::Unknown;
        QTest::newRow("a bad item fails its side, named") << badItem << Fails << Fails << Fails
            << "Item 3 (Coupling): The inertia must not be negative." << RatioLevel::Unknown;
        // clang-format on
    }
    void axis_totals()
    {
        QFETCH(Axis, axis);
        QFETCH(double, loadSide);
        QFETCH(double, atMotor);
        QFETCH(double, ratio);
        QFETCH(QString, verdict);
        const AxisResults r = ComputeAxis(axis);
        QVERIFY2(matches(r.loadSide, loadSide), qPrintable(describe(r.loadSide)));
        QVERIFY2(matches(r.atMotor, atMotor), qPrintable(describe(r.atMotor)));
        QVERIFY2(matches(r.ratio, ratio), qPrintable(describe(r.ratio)));
        QTEST(r.verdict.level, "level");
        QVERIFY2(r.verdict.text.contains(verdict), qPrintable(r.verdict.text));
        // Every share and the gearbox's add up to the whole.
        if (r.atMotor.ok()) {
            AxisFigure total = r.gearboxShare;
            for (const AxisItemResult &item : r.items)
                total = total + item.share;
            QVERIFY2(matches(total, 100, 1e-12), qPrintable(describe(total)));
        }
    }

    void shares_of_the_worked_axis()
    {
        const AxisResults r = ComputeAxis(ballScrewAxis());
        QVERIFY(matches(r.items.at(0).atMotor, 1.013211836e-4 / 9));
        QVERIFY(matches(r.items.at(0).share, 46.06032885));
        QVERIFY(matches(r.gearboxShare, 5e-6 / 2.44416607e-5 * 100));
        QVERIFY(matches(r.motorSideItems, 0));
        const AxisResults empty = ComputeAxis(axis({}, 1, 0, 1e-4));
        QVERIFY(!empty.gearboxShare.ok() && empty.gearboxShare.reason().contains("nothing to share"));
        QCOMPARE(empty.verdict.text, QStringLiteral("0.0 : 1, within the 10 : 1 target"));
    }
};

QTEST_GUILESS_MAIN(TestAxisModel)
#include "tst_axismodel.moc"
