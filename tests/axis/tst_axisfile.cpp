// The axis file: every kind of item and every move setting come back as
// saved, units included; damaged, wrong-typed and newer files are refused
// with the problem named; an older file opens with defaults; a failing
// device fails the read or write; and the item table's CSV.

#include "axis/axisfile.h"
#include "axisbuild.h"

#include "testsupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <limits>

namespace {

using namespace AxisBuild;

// One of each kind and each shape, in units other than the base units.
AxisDocument everything()
{
    AxisDocument document;
    Axis &axis = document.axis;
    axis = ballScrewAxis();
    axis.items[0].name = QStringLiteral("Table, \"work\" & fixture");
    axis.items[0][AxisParam::Lead].unit = QStringLiteral("mm");
    axis.items.append(beltLoad(12, 0.05));
    axis.items.append(item(AxisItemKind::PointMass, {{AxisParam::Mass, 3}, {AxisParam::Radius, 0.1}}, 2,
                           AxisSide::Motor, QStringLiteral("Weights")));
    for (int s = 0; s < InertiaShapeCount; ++s) {
        AxisItem part = shapePart(InertiaShape(s), MassMode::Density, InertiaAxis::Iyy, {}, 0.125);
        for (int k = 0; k < InertiaInputCount; ++k)
            part.shape[InertiaInput(k)] = ShapeReads(part.shape, InertiaInput(k))
                                              ? AxisQuantity{0.1 * (k + 1), QStringLiteral("cm")}
                                              : AxisQuantity{};
        axis.items.append(part);
    }
    axis.gearbox.inertia.unit = QStringLiteral("kg-cm²");
    axis.motor.ratedTorque = {0.64, QStringLiteral("N-m")};
    axis.motor.peakTorque = {1.9, QStringLiteral("lbf-in")};
    axis.motor.maxSpeed = {628.3185307179586, QStringLiteral("rpm")};
    MoveInputs &move = document.move;
    move.moves[0].distance = {0.2, QStringLiteral("mm")};
    move.moves[0].moveTime = {0.6, QStringLiteral("ms")};
    move.moves[0].profile = MoveProfile::Triangular;
    move.moves[0].defaultRamps = false;
    move.moves[0].accelTime = {0.1, {}};
    move.moves[0].decelTime = {0.15, {}};
    move.moves[0].dwell = {0.4, {}};
    move.incline = {0.3, QStringLiteral("deg")};
    move.friction = 0.05;
    move.moves[0].thrust = {-25, QStringLiteral("lbf")};
    move.mechanismEfficiency = 90;
    move.moves[0].loadTorque = {1.5, {}};
    move.gearboxEfficiency = 95;
    move.backDriveAsForward = false;
    move.backDriveEfficiency = -12.5;
    move.staticFriction = 0.08;
    move.preloadFromForce = true;
    move.preloadTorque = {0.03, QStringLiteral("N-cm")};
    move.preloadForce = {900, QStringLiteral("lbf")};
    move.bearingTorque = {0.02, QStringLiteral("ozf-in")};
    move.gearboxDragTorque = {0.01, {}};
    move.counterweight = {12, QStringLiteral("lb")};
    move.moves[0].holdingBrake = true;
    // Back with an S-curve of a given jerk time carrying a part, then out by limits.
    CycleMove back;
    back.distance = {-0.15, QStringLiteral("in")};
    back.moveTime = {0.5, {}};
    back.profile = MoveProfile::SCurve;
    back.defaultRamps = false;
    back.accelTime = {0.2, QStringLiteral("ms")};
    back.decelTime = {0.1, {}};
    back.jerkAsPercent = false;
    back.jerkPercent = 30;
    back.jerkTime = {0.02, QStringLiteral("ms")};
    back.payload = {2.5, QStringLiteral("lb")};
    back.thrust = {10, {}};
    back.dwell = {1, {}};
    CycleMove limited;
    limited.distance = {0.15, {}};
    limited.profile = MoveProfile::Limited;
    limited.speedLimit = {0.5, QStringLiteral("in/s")};
    limited.accelLimit = {3, {}};
    limited.jerkLimit = {45, {}};
    limited.loadTorque = {0.25, {}};
    move.moves << back << limited;
    axis.motor.continuous.form = CurveForm::Corner;
    axis.motor.continuous.cornerSpeed = {300, QStringLiteral("rpm")};
    axis.motor.continuous.torqueAtMaxSpeed = {0.4, QStringLiteral("N-m")};
    axis.motor.peak.form = CurveForm::Points;
    axis.motor.peak.points = {{{0, 1.9}, {314.159, 1.9}, {628.3185307179586, 0.7}}};
    axis.motor.peakMargin = 15;
    axis.motor.rmsMargin = 25.5;
    axis.motor.speedMargin = 0;
    axis.motor.pointSpeedUnit = QStringLiteral("rad/s");
    axis.motor.pointTorqueUnit = QStringLiteral("lbf-in");
    return document;
}

QByteArray bytesOf(const AxisDocument &document)
{
    return AxisFileBytes(document).value_or(QByteArray());
}

// A motor as a file of an older version gives it: what that version lacked at its defaults.
AxisMotor withDefaults(const AxisMotor &motor, int version)
{
    AxisMotor older;
    older.inertia = motor.inertia;
    older.targetRatio = motor.targetRatio;
    if (version >= 2) {
        older.ratedTorque = motor.ratedTorque;
        older.peakTorque = motor.peakTorque;
        older.maxSpeed = motor.maxSpeed;
    }
    return older;
}

AxisFileRead readBytes(const QByteArray &bytes)
{
    return ReadAxisFile(bytes);
}

// The file of a document as an older version wrote it: the first move's
// members in the move itself, without what came with the cycle.
QJsonObject olderRoot(const AxisDocument &document, int version)
{
    QJsonObject root = QJsonDocument::fromJson(bytesOf(document)).object();
    root.insert(QStringLiteral("version"), version);
    QJsonObject move = root.value(QStringLiteral("move")).toObject();
    const QJsonObject first = move.take(QStringLiteral("moves")).toArray().first().toObject();
    for (auto it = first.begin(); it != first.end(); ++it)
        move.insert(it.key(), it.value());
    for (const char *name :
         {"jerkAsPercent", "jerkPercent", "jerkTime", "speedLimit", "accelLimit", "jerkLimit", "payload"})
        move.remove(QLatin1String(name));
    root.insert(QStringLiteral("move"), move);
    return root;
}

} // namespace

class TestAxisFile : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_settingsDir;
    ConversionTableData m_units;

private slots:
    void initTestCase() { initAxisTest(m_settingsDir, m_units); }

    void every_value_comes_back()
    {
        const AxisDocument document = everything();
        const QByteArray bytes = bytesOf(document);
        const AxisFileRead read = readBytes(bytes);
        QVERIFY2(read.document, qPrintable(read.problem));
        QCOMPARE(read.version, AxisFileVersion);
        QVERIFY(*read.document == document);
        QCOMPARE(bytesOf(*read.document), bytes);
    }

    void refused_data()
    {
        QTest::addColumn<QString>("from"); // text of the valid file to replace
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("problem"); // part of the problem named
        // clang-format off
        QTest::newRow("not JSON") << "\"format\"" << "format" << "it is damaged at byte ";
        QTest::newRow("empty") << "" << "" << "it is empty";
        QTest::newRow("name longer than the editor takes") << "\"name\": \"" << QString("\"name\": \"%1").arg(QString(201, u'n')) << "item 1, name is longer than 200 characters";
        QTest::newRow("another file") << "Torvane axis" << "Torvane text" << "not an axis file";
        QTest::newRow("newer version") << "\"version\": 4" << "\"version\": 5" << "newer version of the program (file version 5";
        QTest::newRow("version 0") << "\"version\": 4" << "\"version\": 0" << "version is not a version number";
        QTest::newRow("unknown curve form") << "\"form\": \"points\"" << "\"form\": \"steps\"" << "motor, peak, form is not a known word (\"steps\")";
        QTest::newRow("curve point as text") << "\"torque\": 0.7" << "\"torque\": \"0.7\"" << "motor, peak, points, point 3, torque is not a number";
        QTest::newRow("curve points not a list") << "\"points\": [" << "\"points\": {}, \"x\": [" << "motor, continuous, points is not a list";
        QTest::newRow("brake flag as text") << "\"holdingBrake\": true" << "\"holdingBrake\": \"yes\"" << "move, move 1, holdingBrake is not true or false";
        QTest::newRow("unknown kind") << "\"screwLoad\"" << "\"nutLoad\"" << "item 1, kind is not a known word (\"nutLoad\")";
        QTest::newRow("quantity not whole") << "\"quantity\": 1," << "\"quantity\": 1.5," << "item 1, quantity is not a whole number";
        QTest::newRow("mass as text") << "\"value\": 40" << "\"value\": \"40\"" << "item 1, mass, value is not a number";
        QTest::newRow("value beyond double") << "\"value\": 40" << "\"value\": 1e999" << "damaged";
        QTest::newRow("gearbox not a group") << "\"gearbox\": {" << "\"gearbox\": [], \"x\": {" << "gearbox is not a group of values";
        QTest::newRow("moves not a list") << "\"moves\": [" << "\"moves\": {}, \"x\": [" << "move, moves is not a list";
        QTest::newRow("move not a group") << "\"moves\": [" << "\"moves\": [3, " << "move, move 1 is not a group of values";
        QTest::newRow("unknown profile") << "\"limited\"" << "\"jerky\"" << "move, move 3, profile is not a known word (\"jerky\")";
        QTest::newRow("ramps flag as number") << "\"defaultRamps\": false" << "\"defaultRamps\": 0" << "move, move 1, defaultRamps is not true or false";
        QTest::newRow("shape input missing") << "\"outsideDiameter\"" << "\"outside\"" << "item 2, inputs, outsideDiameter is missing";
        // clang-format on
    }
    void refused()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, problem);
        QByteArray bytes = from.isEmpty() ? QByteArray("\n") : bytesOf(everything());
        QVERIFY(bytes.contains(from.toUtf8()));
        bytes.replace(from.toUtf8(), to.toUtf8());
        const AxisFileRead read = readBytes(bytes);
        QVERIFY(!read.document);
        QVERIFY2(read.problem.contains(problem), qPrintable(read.problem));
        QVERIFY(read.message(QStringLiteral("lift.tvaxis"))
                    .startsWith(QStringLiteral("Could not open lift.tvaxis: ")));
    }

    void version_1_opens_with_defaults_for_the_move()
    {
        QJsonObject root = QJsonDocument::fromJson(bytesOf(everything())).object();
        root.insert(QStringLiteral("version"), 1);
        root.remove(QStringLiteral("move"));
        QJsonObject motor = root.value(QStringLiteral("motor")).toObject();
        motor.remove(QStringLiteral("peakTorque"));
        root.insert(QStringLiteral("motor"), motor);
        const AxisFileRead read = readBytes(QJsonDocument(root).toJson());
        QVERIFY2(read.document, qPrintable(read.problem));
        QCOMPARE(read.version, 1);
        AxisDocument expected = everything();
        expected.move = MoveInputs();
        expected.axis.motor = withDefaults(expected.axis.motor, 1);
        QVERIFY(*read.document == expected);
    }

    // A version 2 file knew the motor by three figures and the move without
    // lost torques: flat curves, the default margins and nothing lost.
    void version_2_opens_with_flat_curves()
    {
        QJsonObject root = olderRoot(everything(), 2);
        QJsonObject motor = root.value(QStringLiteral("motor")).toObject();
        for (const char *name : {"continuous", "peak", "peakMargin", "rmsMargin", "speedMargin"})
            motor.remove(QLatin1String(name));
        root.insert(QStringLiteral("motor"), motor);
        QJsonObject move = root.value(QStringLiteral("move")).toObject();
        for (const char *name : {"backDriveAsForward", "backDriveEfficiency", "staticFriction",
                                 "preloadFromForce", "preloadTorque", "preloadForce", "bearingTorque",
                                 "gearboxDragTorque", "counterweight", "holdingBrake"})
            move.remove(QLatin1String(name));
        root.insert(QStringLiteral("move"), move);
        const AxisFileRead read = readBytes(QJsonDocument(root).toJson());
        QVERIFY2(read.document, qPrintable(read.problem));
        QCOMPARE(read.version, 2);
        AxisDocument expected = everything();
        expected.move.moves = {expected.move.moves.first()};
        expected.axis.motor = withDefaults(expected.axis.motor, 2);
        MoveInputs &m = expected.move;
        MoveInputs defaults;
        for (auto member : {&MoveInputs::backDriveAsForward, &MoveInputs::preloadFromForce})
            m.*member = defaults.*member;
        m.moves[0].holdingBrake = false;
        for (auto member : {&MoveInputs::backDriveEfficiency, &MoveInputs::staticFriction})
            m.*member = defaults.*member;
        for (auto member : {&MoveInputs::preloadTorque, &MoveInputs::preloadForce, &MoveInputs::bearingTorque,
                            &MoveInputs::gearboxDragTorque, &MoveInputs::counterweight})
            m.*member = defaults.*member;
        QVERIFY(*read.document == expected);
        const MotorCurves curves = CurvesOf(read.document->axis.motor);
        QCOMPARE(curves.peak, FlatCurve(1.9, 628.3185307179586));
        QCOMPARE(curves.continuous, FlatCurve(0.64, 628.3185307179586));
    }

    // The point lists' units came later to version 3: without them its
    // points are shown as they were, in rpm and N·m.
    void version_3_without_point_units_shows_rpm_and_newton_metres()
    {
        QJsonObject root = olderRoot(everything(), 3);
        QJsonObject motor = root.value(QStringLiteral("motor")).toObject();
        motor.remove(QStringLiteral("pointSpeedUnit"));
        motor.remove(QStringLiteral("pointTorqueUnit"));
        root.insert(QStringLiteral("motor"), motor);
        const AxisFileRead read = readBytes(QJsonDocument(root).toJson());
        QVERIFY2(read.document, qPrintable(read.problem));
        AxisDocument expected = everything();
        expected.move.moves = {expected.move.moves.first()};
        expected.axis.motor.pointSpeedUnit = QStringLiteral("rpm");
        expected.axis.motor.pointTorqueUnit = QStringLiteral("N-m");
        QVERIFY(*read.document == expected);
    }

    // A cycle holds at least one move and at most MaxCycleMoves.
    void moves_counted_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("problem"); // empty: opens
        QTest::newRow("none") << 0 << "move, moves holds no move";
        QTest::newRow("the most") << MaxCycleMoves << "";
        QTest::newRow("one too many") << MaxCycleMoves + 1 << "move, moves has more than 10000 moves";
    }
    void moves_counted()
    {
        QFETCH(int, count);
        QFETCH(QString, problem);
        AxisDocument document = everything();
        const CycleMove last = document.move.moves.last();
        document.move.moves.clear();
        for (int k = 0; k < count; ++k)
            document.move.moves.append(last);
        const AxisFileRead read = readBytes(bytesOf(document));
        QCOMPARE(read.problem, problem.isEmpty() ? QString() : QStringLiteral("it is damaged: ") + problem);
        QCOMPARE(bool(read.document), problem.isEmpty());
        if (read.document)
            QCOMPARE(read.document->move.moves.size(), qsizetype(count));
    }

    // A value that could not be read back is not written at all.
    void value_not_finite_is_not_saved()
    {
        AxisDocument infinite = everything();
        infinite.axis.items[3][AxisParam::Mass].value = std::numeric_limits<double>::infinity();
        QString problem;
        QVERIFY(!AxisFileBytes(infinite, &problem));
        QCOMPARE(problem, QStringLiteral("item 4, mass is not a finite number"));
    }

    void item_table_as_csv()
    {
        Axis axis = ballScrewAxis();
        axis.items[0].name = QStringLiteral("Table, \"40 kg\"");
        axis.items[1].name = QStringLiteral("=HYPERLINK(\"x\")");
        axis.items[2].quantity = 0;
        const QString csv = ItemTableCsv(m_units, axis, ComputeAxis(axis), QStringLiteral("kg-cm²"), 4);
        // Names quoted and guarded against formulas; J in kg·cm²; a failed item says why in every figure.
        QCOMPARE(
            csv.split(QStringLiteral("\r\n")),
            (QStringList{
                QStringLiteral("Kind,Name,Quantity,Side,Inputs,J (kg-cm²),J at motor (kg-cm²),Share (%)"),
                QStringLiteral("Screw load,\"Table, \"\"40 kg\"\"\",1,Load side,\"m = 40.0, p = "
                               "0.01\",1.013211836423378,0.11257909293593088,"
                               "Item 3: The quantity must be at least 1."),
                QStringLiteral("Shape,\"'=HYPERLINK(\"\"x\"\")\",1,Load side,\"Cylinder, L = 0.5, OD = 0.02, "
                               "ID = 0.0, \u03c1 = 7850, Izz\",0.6165375089040026,"
                               "0.06850416765600027,Item 3: The quantity must be at least 1."),
                QStringLiteral(
                    "Inertia value,,0,Load side,J = 1.2E-05,The quantity must be at least 1.,The quantity "
                    "must be at least 1.,The quantity must be at least 1."),
                QString()}));
    }
};

QTEST_GUILESS_MAIN(TestAxisFile)
#include "tst_axisfile.moc"
