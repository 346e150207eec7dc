// Axis files checked without a window: each check's status on the worked
// ball-screw axis (passing, failing each check, motor figures missing, a move
// that cannot be computed, a refused file), the JSON against its published
// schema with every figure equal to the core's, and text and CSV in units.
//
// The worked axis (see tst_moveprofile), ramps 0.25 s up and 0.05 s down:
// 8000 rpm; accelerating 0.172145 N·m, braking −0.688497 N·m (the load
// drives the motor there, so the efficiencies multiply), the peak, from the
// start of the deceleration at 8000 rpm; RMS 0.176506 N·m at the mean speed
// (4000·0.25 + 8000·0.3 + 4000·0.05)/1 s = 3600 rpm; λ = 2.44417e-5 / 2e-5 =
// 1.22. Breakaway with μs = μ is the accelerating torque; each 1 of μs − μ
// adds 392.266 N·0.01 m/(2π·3)/0.855 = 0.243396 N·m, so μs = 4 takes
// 1.133559 N·m. Braking energy 0.688497·(837.758/2)·0.05 = 14.4199 J, the
// peak braking power 0.688497·837.758 = 576.796 W. Every check but the
// ratio needs 20 % to spare.

#include "axis/axischeck.h"
#include "checkaxes.h"
#include "core/settingsstore.h"

#include "testsupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include <numbers>

namespace {

using namespace AxisBuild;

enum Status {
    P = int(CheckStatus::Passes),
    F = int(CheckStatus::Fails),
    N = int(CheckStatus::NotChecked),
    C = int(CheckStatus::NotComputed)
};

// A JSON Schema validator for the keywords the check's schema uses; a
// keyword it does not know is itself a violation, so the schema cannot
// grow past what is checked. Gives the first violation with its place.
QString violation(const QJsonValue &value, const QJsonObject &schema, const QJsonObject &root,
                  const QString &at)
{
    static const QStringList Known{"$schema", "$id",   "title",    "description", "type",
                                   "const",   "enum",  "required", "properties",  "additionalProperties",
                                   "items",   "oneOf", "$ref",     "$defs"};
    for (const QString &keyword : schema.keys()) {
        if (!Known.contains(keyword))
            return QStringLiteral("schema keyword %1 is not checked").arg(keyword);
    }
    if (schema.contains(QLatin1String("$ref"))) {
        const QString name = schema.value(QLatin1String("$ref")).toString().section(u'/', -1);
        return violation(value, root.value(QLatin1String("$defs"))[name].toObject(), root, at);
    }
    if (schema.contains(QLatin1String("oneOf"))) {
        int matching = 0;
        for (const QJsonValue &option : schema.value(QLatin1String("oneOf")).toArray())
            matching += violation(value, option.toObject(), root, at).isEmpty();
        return matching == 1 ? QString() : QStringLiteral("%1 matches %2 of oneOf").arg(at).arg(matching);
    }
    if (schema.contains(QLatin1String("type"))) {
        const QJsonValue type = schema.value(QLatin1String("type"));
        const QStringList types =
            type.isArray() ? type.toVariant().toStringList() : QStringList{type.toString()};
        const bool whole = value.isDouble() && value.toDouble() == std::floor(value.toDouble());
        const QString actual = value.isObject()   ? QStringLiteral("object")
                               : value.isArray()  ? QStringLiteral("array")
                               : value.isString() ? QStringLiteral("string")
                               : value.isBool()   ? QStringLiteral("boolean")
                               : value.isNull()   ? QStringLiteral("null")
                                                  : QStringLiteral("number");
        if (!types.contains(actual) && !(whole && types.contains(QLatin1String("integer"))))
            return QStringLiteral("%1 is %2, not %3").arg(at, actual, types.join(u'|'));
    }
    if (schema.contains(QLatin1String("const")) && value != schema.value(QLatin1String("const")))
        return QStringLiteral("%1 is not the constant").arg(at);
    if (schema.contains(QLatin1String("enum")) &&
        !schema.value(QLatin1String("enum")).toArray().contains(value))
        return QStringLiteral("%1 is %2, not one of the enum").arg(at, value.toVariant().toString());
    const QJsonObject properties = schema.value(QLatin1String("properties")).toObject();
    for (const QJsonValue &name : schema.value(QLatin1String("required")).toArray()) {
        if (!value.toObject().contains(name.toString()))
            return QStringLiteral("%1 lacks %2").arg(at, name.toString());
    }
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!properties.contains(it.key())) {
                if (schema.value(QLatin1String("additionalProperties")) == QJsonValue(false))
                    return QStringLiteral("%1 has %2, which the schema does not list").arg(at, it.key());
                continue;
            }
            const QString inner =
                violation(it.value(), properties.value(it.key()).toObject(), root, at + u'.' + it.key());
            if (!inner.isEmpty())
                return inner;
        }
    }
    if (value.isArray() && schema.contains(QLatin1String("items"))) {
        const QJsonArray array = value.toArray();
        for (qsizetype k = 0; k < array.size(); ++k) {
            const QString inner = violation(array.at(k), schema.value(QLatin1String("items")).toObject(),
                                            root, QStringLiteral("%1[%2]").arg(at).arg(k));
            if (!inner.isEmpty())
                return inner;
        }
    }
    return {};
}

// The fields of a CSV line (RFC 4180 quoting).
QStringList csvFields(const QString &line)
{
    QStringList fields{QString()};
    bool quoted = false;
    for (qsizetype k = 0; k < line.size(); ++k) {
        const QChar c = line.at(k);
        if (c == u'"' && quoted && k + 1 < line.size() && line.at(k + 1) == u'"')
            fields.last() += line.at(++k);
        else if (c == u'"')
            quoted = !quoted;
        else if (c == u',' && !quoted)
            fields.append(QString());
        else
            fields.last() += c;
    }
    return fields;
}

QJsonObject schema()
{
    const QByteArray text =
        TestSupport::fileContents(TestSupport::sourceDir() + QStringLiteral("/docs/check-json.schema.json"));
    return QJsonDocument::fromJson(text).object();
}

QString schemaViolation(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return error.errorString();
    const QJsonObject root = schema();
    return root.isEmpty() ? QStringLiteral("no schema")
                          : violation(document.object(), root, root, QStringLiteral("$"));
}

} // namespace

class tst_AxisCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initAxisTest(m_settings, m_units); }

    void every_check_is_judged_data();
    void every_check_is_judged();
    void json_figures_are_the_cores();
    void cycle_in_every_format();
    void units_show_in_text_and_csv_data();
    void units_show_in_text_and_csv();
    void default_units_are_the_windows_data();
    void default_units_are_the_windows();
    void mechanism_limits_are_checked_data();
    void mechanism_limits_are_checked();

private:
    QTemporaryDir m_settings;
    ConversionTableData m_units;
};

void tst_AxisCheck::every_check_is_judged_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("statuses"); // peak, RMS, speed, ratio, breakaway; empty when refused
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("says"); // in the text, SI units; empty: nothing more

    QTest::newRow("every check passes") << bytes(ballScrew({})) << QList<int>{P, P, P, P, P} << 0
                                        << "Peak torque 0.688497 N-m of 1.0 N-m at 837.758 rad/s (the start "
                                           "of the deceleration): passes, 31 % "
                                           "margin (20 % required)";
    QTest::newRow("peak torque over") << bytes(ballScrew({.peak = 0.6})) << QList<int>{F, P, P, P, P} << 1
                                      << "fails, 15 % over (20 % required)";
    // Within the motor's limit, but short of the margin it asks.
    QTest::newRow("peak torque short of its margin")
        << bytes(ballScrew({.peak = 0.8})) << QList<int>{F, P, P, P, P} << 1
        << "Peak torque 0.688497 N-m of 0.8 N-m at 837.758 rad/s (the start of the deceleration): fails, "
           "14 % margin of 20 % required";
    QTest::newRow("RMS torque fails") << bytes(ballScrew({.rated = 0.17})) << QList<int>{P, F, P, P, P} << 1
                                      << "RMS torque 0.176506 N-m of 0.17 N-m continuous at the mean speed "
                                         "376.991 rad/s: fails";
    QTest::newRow("speed short of its margin")
        << bytes(ballScrew({.maxRpm = 9000})) << QList<int>{P, P, F, P, P} << 1
        << "Maximum speed 837.758 rad/s of 942.478 rad/s: fails, 11 % margin of 20 % required";
    QTest::newRow("ratio fails") << bytes(ballScrew({.target = 1.2})) << QList<int>{P, P, P, F, P} << 1 << "";
    AxisDocument sticky = ballScrew({});
    sticky.move.staticFriction = 4;
    QTest::newRow("breakaway fails") << bytes(sticky) << QList<int>{P, P, P, P, F} << 1
                                     << "Breakaway torque 1.13356 N-m of 1.0 N-m at standstill: fails, 13 % "
                                        "over (20 % required)";
    // Not given is not checked, and fails nothing.
    QTest::newRow("no motor ratings")
        << bytes(ballScrew({.peak = 0, .rated = 0, .maxRpm = 0})) << QList<int>{N, N, N, P, N} << 0 << "";
    QTest::newRow("no rotor inertia")
        << bytes(ballScrew({.rotor = 0})) << QList<int>{N, N, P, N, N} << 0 << "";
    // A rating given but wrong is no rating left empty: it must not pass.
    QTest::newRow("a negative peak torque")
        << bytes(ballScrew({.peak = -1})) << QList<int>{C, P, P, P, C} << 1
        << "NOT COMPUTED  Peak torque: The peak torque of the motor must be";
    // An axis sized for its inertia alone (as a file of the first version
    // opens): no move, no ratings, judged on its ratio.
    AxisDocument inertiaOnly = ballScrew({.peak = 0, .rated = 0, .maxRpm = 0});
    inertiaOnly.move = MoveInputs();
    QTest::newRow("no move, no ratings") << bytes(inertiaOnly) << QList<int>{N, N, N, P, N} << 0 << "";
    // A move that cannot be computed as saved must not pass a build.
    QTest::newRow("ramps longer than the move")
        << bytes(ballScrew({}, 0.2)) << QList<int>{C, C, C, P, C} << 1 << "";
    AxisDocument mixed = ballScrew({});
    mixed.axis.items.append(beltLoad(1, 0.05));
    QTest::newRow("screw and belt together") << bytes(mixed) << QList<int>{C, C, C, P, C} << 1 << "";
    QTest::newRow("refused") << QByteArray("{\"format\": \"Torvane axis\", \"version\": 2, \"items\": 3}")
                             << QList<int>{} << 2 << "";
}

void tst_AxisCheck::every_check_is_judged()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, statuses);
    QFETCH(int, exit);
    QFETCH(QString, says);

    const QString name = QStringLiteral("axes/x-1.tvaxis");
    const AxisCheck check = CheckAxisFile(name, ReadAxisFile(file));
    QCOMPARE(CheckExitStatus({check}), exit);
    const CheckView view{m_units, *PresetCheckUnits(QStringLiteral("SI")), 6};
    const QString text = CheckText({check}, view);
    const QStringList csv = CheckCsv({check}, view).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(csv.size(), 2);
    const QJsonObject json = QJsonDocument::fromJson(CheckJson({check})).object();
    const QJsonObject jsonFile = json[QLatin1String("files")][0].toObject();
    QCOMPARE(schemaViolation(CheckJson({check})), QString());
    QCOMPARE(json[QLatin1String("exitStatus")].toInt(), exit);

    if (statuses.isEmpty()) {
        QVERIFY(check.refused());
        QVERIFY2(check.problem.startsWith(QStringLiteral("Could not open ") + name),
                 qPrintable(check.problem));
        QCOMPARE(jsonFile[QLatin1String("problem")].toString(), check.problem);
        QVERIFY(csv.at(1).startsWith(name + QStringLiteral(",refused,")));
        return;
    }
    const QString verdict = exit == 0 ? QStringLiteral("pass") : QStringLiteral("fail");
    QVERIFY2(text.startsWith(name + (exit == 0 ? QStringLiteral(": passes") : QStringLiteral(": fails"))),
             qPrintable(text));
    QVERIFY(csv.at(1).startsWith(name + u',' + verdict + u','));
    QVERIFY2(text.contains(says), qPrintable(text));
    QCOMPARE(jsonFile[QLatin1String("status")].toString(), verdict);

    const QJsonArray jsonChecks = jsonFile[QLatin1String("checks")].toArray();
    QCOMPARE(jsonChecks.size(), qsizetype(check.move.checks.size()));
    static const char *const Marks[] = {"pass", "FAIL", "not checked", "NOT COMPUTED"};
    for (std::size_t k = 0; k < check.move.checks.size(); ++k) {
        const MotorCheck &motorCheck = check.move.checks[k];
        const int at = int(motorCheck.kind);
        if (at >= statuses.size())
            continue; // a check this table does not know
        const CheckStatus status = check.statusOf(motorCheck);
        QCOMPARE(int(status), statuses.at(at));
        QCOMPARE(jsonChecks.at(qsizetype(k))[QLatin1String("status")].toString(),
                 QLatin1String(CheckStatusKey(status)));
        // Every check shows in the text with its mark and its words.
        const QString line = QStringLiteral("  %1  %2")
                                 .arg(QLatin1String(Marks[statuses.at(at)]), -12)
                                 .arg(MotorCheckTitle(motorCheck.kind));
        QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n") + text));
        QVERIFY(csv.at(1).contains(QLatin1String(CheckStatusKey(status))));
    }
    // The validator is no formality: a file without its checks is refused.
    QJsonObject broken = json;
    QJsonArray files = broken[QLatin1String("files")].toArray();
    QJsonObject first = files.at(0).toObject();
    first.remove(QStringLiteral("checks"));
    files[0] = first;
    broken[QStringLiteral("files")] = files;
    QVERIFY(!schemaViolation(QJsonDocument(broken).toJson()).isEmpty());
}

void tst_AxisCheck::json_figures_are_the_cores()
{
    // The SI unit of each figure list, by MoveUnit, for a linear axis.
    static const char *const SiUnits[MoveUnitCount] = {
        "m/s", "m/s\u00b2", "rad/s", "rad/s\u00b2", "N\u00b7m", "N", "s",
        "m",   "kg",        "J",     "W",           "1/min",    "1", "1"};
    // Every figure as the core computes it, to the last bit, in SI.
    const AxisDocument document = ballScrew({});
    const AxisResults inertia = ComputeAxis(document.axis);
    const MoveResults move = ComputeMove(document.axis, inertia, document.move);
    const QJsonObject file =
        QJsonDocument::fromJson(
            CheckJson({CheckAxisFile(QStringLiteral("a"), ReadAxisFile(bytes(document)))}))
            .object()[QLatin1String("files")][0]
            .toObject();
    QCOMPARE(file[QLatin1String("mechanism")].toString(), QStringLiteral("screw"));
    const QJsonArray figures = file[QLatin1String("move")].toArray();
    int found = 0;
    for (const QJsonValue &figure : figures) {
        for (const MoveFigureRow &row : MoveFigures) {
            if (figure[QLatin1String("key")].toString() != QLatin1String(row.key))
                continue;
            QCOMPARE(figure[QLatin1String("value")].toDouble(), (move.*row.member).value());
            QCOMPARE(figure[QLatin1String("unit")].toString(),
                     QString::fromUtf8(SiUnits[std::size_t(row.unit)]));
            ++found;
        }
    }
    QCOMPARE(found, 26); // every figure of a screw axis (no pitch diameter)
    const QJsonArray rows = file[QLatin1String("inertia")].toArray();
    QCOMPARE(rows.size(), qsizetype(AxisResultRows.size()));
    for (std::size_t r = 0; r < AxisResultRows.size(); ++r)
        QCOMPARE(rows.at(qsizetype(r))[QLatin1String("value")].toDouble(),
                 (inertia.*AxisResultRows[r].member).value());
    // Each check with its margin, the margin it needs, and where it looks.
    const QJsonArray checks = file[QLatin1String("checks")].toArray();
    QCOMPARE(checks.size(), qsizetype(MotorCheckCount));
    for (const MotorCheck &motorCheck : move.checks) {
        const QJsonObject check = checks.at(qsizetype(motorCheck.kind)).toObject();
        QCOMPARE(check[QLatin1String("key")].toString(), CheckKey(motorCheck));
        QCOMPARE(check[QLatin1String("margin")][QLatin1String("value")].toDouble(),
                 motorCheck.margin.value());
        QCOMPARE(check[QLatin1String("required")][QLatin1String("value")].toDouble(),
                 motorCheck.kind == MotorCheckKind::InertiaRatio ? 0.0 : 0.2);
        QCOMPARE(check.contains(QLatin1String("speed")),
                 motorCheck.kind != MotorCheckKind::Speed && motorCheck.kind != MotorCheckKind::InertiaRatio);
    }
    const QJsonObject peak = checks.at(0).toObject();
    QCOMPARE(peak[QLatin1String("value")][QLatin1String("unit")].toString(), QStringLiteral("N\u00b7m"));
    QCOMPARE(peak[QLatin1String("speed")][QLatin1String("value")].toDouble(),
             8000 * 2 * std::numbers::pi / 60);
    QCOMPARE(peak[QLatin1String("point")].toObject(),
             (QJsonObject{{"segment", "decelerate"},
                          {"at", "start"},
                          {"move", 1},
                          {"text", "the start of the deceleration"}}));
    // A curve dipping at 4000 rpm: the worst point lies inside the braking ramp.
    AxisDocument dipping = document;
    dipping.axis.motor.peak.form = CurveForm::Points;
    const double dip = 4000 * 2 * std::numbers::pi / 60;
    dipping.axis.motor.peak.points = {{{0, 1}, {dip, 0.8}, {2 * dip, 1}, {3 * dip, 1}}};
    const QJsonObject inside =
        QJsonDocument::fromJson(CheckJson({CheckAxisFile(QStringLiteral("a"), ReadAxisFile(bytes(dipping)))}))
            .object()[QLatin1String("files")][0][QLatin1String("checks")][0]
            .toObject();
    QCOMPARE(inside[QLatin1String("speed")][QLatin1String("value")].toDouble(), dip);
    QCOMPARE(
        inside[QLatin1String("point")].toObject(),
        (QJsonObject{
            {"segment", "decelerate"}, {"at", "inside"}, {"move", 1}, {"text", "inside the deceleration"}}));
    QCOMPARE(checks.at(1)[QLatin1String("speed")][QLatin1String("value")].toDouble(), move.meanSpeed.value());
    QCOMPARE(checks.at(4)[QLatin1String("key")].toString(), QStringLiteral("breakawayTorque"));
    QCOMPARE(checks.at(4)[QLatin1String("value")][QLatin1String("value")].toDouble(),
             move.breakawayTorque.value());
    QCOMPARE(file[QLatin1String("segments")][2][QLatin1String("torque")][QLatin1String("value")].toDouble(),
             move.segments[2].torque.value());
}

// Out and back: the moves counted, each segment's move named, the
// throughput as engineers quote it (20 cycles a minute at 3 s, 40 % moving).
void tst_AxisCheck::cycle_in_every_format()
{
    AxisDocument document = ballScrew({});
    CycleMove &out = document.move.moves[0];
    out.moveTime = {0.6, {}};
    out.dwell = {0.9, {}};
    CycleMove back = out;
    back.distance.value = -out.distance.value;
    document.move.moves.append(back);
    const AxisCheck check = CheckAxisFile(QStringLiteral("a"), ReadAxisFile(bytes(document)));
    const QJsonObject file =
        QJsonDocument::fromJson(CheckJson({check})).object()[QLatin1String("files")][0].toObject();
    QCOMPARE(file[QLatin1String("moves")].toInt(), 2);
    const QJsonArray segments = file[QLatin1String("segments")].toArray();
    QCOMPARE(segments.size(), 8);
    QCOMPARE(segments.at(4)[QLatin1String("move")].toInt(), 2);
    QVERIFY(segments.at(4)[QLatin1String("speedTo")][QLatin1String("value")].toDouble() < 0);
    QCOMPARE(schemaViolation(CheckJson({check})), QString());

    const CheckView view{m_units, *PresetCheckUnits(QStringLiteral("SI")), 6};
    const QString text = CheckText({check}, view);
    const std::pair<const char *, const char *> lines[] = {
        {"Moves in the cycle", " 2"},
        {"Cycles per minute", " 20.0 1/min"},
        {"Duty cycle, moving time over cycle time", " 40.0 %"}};
    for (const auto &[title, value] : lines) {
        const QString line = text.mid(text.indexOf(QLatin1String(title))).section(u'\n', 0, 0).simplified();
        QVERIFY2(line.startsWith(QLatin1String(title)) && line.endsWith(QLatin1String(value)),
                 qPrintable(line));
    }
    const QStringList csv = CheckCsv({check}, view).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const QStringList header = csvFields(csv.at(0));
    const QStringList row = csvFields(csv.at(1));
    QCOMPARE(row.at(header.indexOf(QStringLiteral("moves"))), QStringLiteral("2"));
    QCOMPARE(row.at(header.indexOf(QStringLiteral("dutyCycle"))).toDouble(), 40.0);
    QCOMPARE(row.at(header.indexOf(QStringLiteral("dutyCycle unit"))), QStringLiteral("%"));
}

void tst_AxisCheck::units_show_in_text_and_csv_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<QString>("column"); // of the CSV
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("perUnit"); // SI value of one unit, worked out apart
    QTest::addColumn<double>("si");      // the figure in SI

    const double rpm = 2 * std::numbers::pi / 60;
    QTest::newRow("SI torque") << "SI"
                               << "peakTorque"
                               << "N-m" << 1.0 << 0.688497;
    QTest::newRow("SI speed") << "si"
                              << "motorSpeed"
                              << "rad/s" << 1.0 << 8000 * rpm;
    QTest::newRow("inch-pound torque") << "inch-pound"
                                       << "peakTorque"
                                       << "lbf-in" << 0.1129848290276167 << 0.688497;
    QTest::newRow("inch-pound speed") << "Inch-Pound"
                                      << "motorSpeed"
                                      << "rpm" << rpm << 8000 * rpm;
    QTest::newRow("inch-pound load speed") << "inch-pound"
                                           << "peakSpeed"
                                           << "in/s" << 0.0254 << 0.2 / 0.45;
    QTest::newRow("SI braking energy") << "SI"
                                       << "brakingEnergy"
                                       << "J" << 1.0 << 0.688497 * 4000 * rpm * 0.05;
    QTest::newRow("inch-pound braking energy")
        << "inch-pound"
        << "brakingEnergy"
        << "ft-lbf" << 1.3558179483314004 << 0.688497 * 4000 * rpm * 0.05;
    QTest::newRow("inch-pound braking power") << "inch-pound"
                                              << "peakBrakingPower"
                                              << "hp" << 745.69987158227022 << 0.688497 * 8000 * rpm;
    QTest::newRow("inch-pound mass") << "inch-pound"
                                     << "movingMass"
                                     << "lb" << 0.45359237 << 40.0;
}

void tst_AxisCheck::units_show_in_text_and_csv()
{
    QFETCH(QString, preset);
    QFETCH(QString, column);
    QFETCH(QString, unit);
    QFETCH(double, perUnit);
    QFETCH(double, si);

    const std::optional<CheckUnits> units = PresetCheckUnits(preset);
    QVERIFY(units);
    const CheckView view{m_units, *units, 6};
    const AxisCheck check = CheckAxisFile(QStringLiteral("a"), ReadAxisFile(bytes(ballScrew({}))));
    const QStringList lines = CheckCsv({check}, view).split(QStringLiteral("\r\n"));
    const QStringList header = csvFields(lines.at(0));
    const QStringList row = csvFields(lines.at(1));
    QCOMPARE(row.size(), header.size());
    const qsizetype at = header.indexOf(column);
    QVERIFY(at > 0);
    QCOMPARE(row.at(at + 1), unit);
    QVERIFY2(TestSupport::closeTo(row.at(at).toDouble(), si / perUnit, 1e-5), qPrintable(row.at(at)));
    QVERIFY(CheckText({check}, view).contains(u' ' + unit + u'\n'));
    // The checks' speeds in the preset's speed unit too: the mean speed, 3600 rpm.
    const QString speedUnit = units->of(QStringLiteral("Angular velocity"));
    const qsizetype speedAt = header.indexOf(QStringLiteral("rmsTorque speed (%1)").arg(speedUnit));
    QVERIFY(speedAt > 0);
    const double meanSpeed = speedUnit == QLatin1String("rpm") ? 3600 : 3600 * 2 * std::numbers::pi / 60;
    QVERIFY2(TestSupport::closeTo(row.at(speedAt).toDouble(), meanSpeed, 1e-6), qPrintable(row.at(speedAt)));
    const QString said =
        speedUnit == QLatin1String("rpm") ? QStringLiteral("3600.0 rpm") : QStringLiteral("376.991 rad/s");
    QVERIFY(CheckText({check}, view).contains(QStringLiteral("at the mean speed %1: passes").arg(said)));
    QCOMPARE(row.at(header.indexOf(QStringLiteral("breakawayTorque required margin (%)"))),
             QStringLiteral("20"));
}

// The ball screw turns at most 0.2 / 0.45 m/s / 10 mm = 2667 rpm. A 16 mm
// root, 0.8 m free, fixed–supported: 3017 rpm / 0.64 = 4714 rpm, 80 % of it
// 3771 rpm, 29 % to spare; 1 m free allows 2414 rpm. 20 mm at 2667 rpm is
// 53333 mm·rpm.
void tst_AxisCheck::mechanism_limits_are_checked_data()
{
    QTest::addColumn<double>("freeLength");
    QTest::addColumn<double>("nominalDiameter");
    QTest::addColumn<QList<int>>("statuses"); // critical speed, d·n
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("says");
    QTest::newRow("both pass")
        << 0.8 << 0.02 << QList<int>{P, P} << 0
        << "pass          Screw speed 2667 rpm of 3771 rpm (80 % of the critical speed "
           "4714 rpm): passes, 29 % margin";
    QTest::newRow("critical speed fails")
        << 1.0 << 0.02 << QList<int>{F, P} << 1 << "FAIL          Screw speed 2667 rpm of 2414 rpm";
    QTest::newRow("none given") << 0.0 << 0.0 << QList<int>{N, N} << 0
                                << "not checked   Screw speed: not checked, no root diameter";
    QTest::newRow("free length missing")
        << -1.0 << 0.0 << QList<int>{C, N} << 1
        << "NOT COMPUTED  Screw speed: the screw's free length must be above zero.";
}

void tst_AxisCheck::mechanism_limits_are_checked()
{
    QFETCH(double, freeLength);
    QFETCH(double, nominalDiameter);
    QFETCH(QList<int>, statuses);
    QFETCH(int, exit);
    QFETCH(QString, says);
    AxisDocument document = ballScrew({});
    AxisMechanismLimits &limits = document.axis.mechanismLimits;
    if (freeLength != 0) {
        limits.rootDiameter = {0.016, {}};
        limits.freeLength = {std::max(freeLength, 0.0), {}};
    }
    if (nominalDiameter > 0) {
        limits.nominalDiameter = {nominalDiameter, {}};
        limits.dnLimit = 70000;
    }
    const AxisCheck check = CheckAxisFile(QStringLiteral("a"), ReadAxisFile(bytes(document)));
    QCOMPARE(CheckExitStatus({check}), exit);
    const CheckView view{m_units, *PresetCheckUnits(QStringLiteral("SI")), 6};
    const QString text = CheckText({check}, view);
    QVERIFY2(text.contains(says), qPrintable(text));

    const QByteArray json = CheckJson({check});
    QCOMPARE(schemaViolation(json), QString());
    const QJsonArray checks =
        QJsonDocument::fromJson(json)[QLatin1String("files")][0][QLatin1String("mechanismChecks")].toArray();
    const QStringList lines = CheckCsv({check}, view).split(QStringLiteral("\r\n"));
    const QStringList header = csvFields(lines.at(0)), row = csvFields(lines.at(1));
    QCOMPARE(row.size(), header.size());
    QCOMPARE(checks.size(), statuses.size());
    for (qsizetype k = 0; k < checks.size(); ++k) {
        const QString status = QLatin1String(CheckStatusKey(CheckStatus(statuses.at(k))));
        QCOMPARE(checks.at(k)[QLatin1String("status")].toString(), status);
        const QString key = checks.at(k)[QLatin1String("key")].toString();
        QCOMPARE(row.at(header.indexOf(key + QStringLiteral(" check"))), status);
    }
    // The screw's fastest in rad/s, as the JSON and the CSV in SI give it.
    const double screwSpeed = 0.2 / 0.45 / 0.01 * 2 * std::numbers::pi;
    QVERIFY(TestSupport::closeTo(checks.at(0)[QLatin1String("value")][QLatin1String("value")].toDouble(),
                                 screwSpeed, 1e-9));
    QVERIFY(TestSupport::closeTo(
        row.at(header.indexOf(QStringLiteral("criticalSpeed value (rad/s)"))).toDouble(), screwSpeed, 1e-9));
}

void tst_AxisCheck::default_units_are_the_windows_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a stored unit") << "Torque"
                                   << "ozf-in"
                                   << "ozf-in";
    QTest::newRow("none stored") << "Torque"
                                 << ""
                                 << "N-m";
    QTest::newRow("a unit the table lacks") << "Torque"
                                            << "furlong"
                                            << "N-m";
    QTest::newRow("the window's speed") << "Angular velocity"
                                        << ""
                                        << "rpm";
    QTest::newRow("the window's energy") << "Energy"
                                         << ""
                                         << "J";
    QTest::newRow("the window's power") << "Power"
                                        << ""
                                        << "W";
    QTest::newRow("inertia") << "Inertia"
                             << "g-cm\u00b2"
                             << "g-cm\u00b2";
}

void tst_AxisCheck::default_units_are_the_windows()
{
    QFETCH(QString, type);
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    QTemporaryDir folder;
    Settings settings(folder.filePath(QStringLiteral("settings.ini")));
    settings.setDefaultUnit(type, stored);
    QCOMPARE(DefaultCheckUnits(m_units, settings).of(type), expected);
}

QTEST_GUILESS_MAIN(tst_AxisCheck)
#include "tst_axischeck.moc"
