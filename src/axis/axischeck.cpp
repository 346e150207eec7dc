#include "axis/axischeck.h"

#include "core/settingsstore.h"
#include "units/conversiontable.h"
#include "units/unitlists.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace {

// Every unit type a check shows, with its SI base unit as JSON writes it and
// the presets' table units.
struct UnitTypeRow
{
    const char *type;
    const char *si;     // the symbol in JSON
    const char *siName; // the unit table's name for it
    const char *inchPound;
};
// clang-format off
constexpr UnitTypeRow UnitTypes[] = {
    {"Inertia", "kg\u00b7m\u00b2", "kg-m\u00b2", "lb-in\u00b2"},
    {"Mass", "kg", "kg", "lb"},
    {"Linear distance", "m", "m", "in"},
    {"Force", "N", "N", "lbf"},
    {"Torque", "N\u00b7m", "N-m", "lbf-in"},
    {"Linear velocity", "m/s", "m/s", "in/s"},
    {"Linear acceleration", "m/s\u00b2", "m/s\u00b2", "in/s\u00b2"},
    {"Angular velocity", "rad/s", "rad/s", "rpm"},
    {"Angular acceleration", "rad/s\u00b2", "rad/s\u00b2", "rad/s\u00b2"},
    {"Time", "s", "s", "s"},
    {"Energy", "J", "J", "ft-lbf"},
    {"Power", "W", "W", "hp"},
};
// clang-format on

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString siSymbol(const char *unitType)
{
    for (const UnitTypeRow &row : UnitTypes) {
        if (qstrcmp(row.type, unitType) == 0)
            return text(row.si);
    }
    return QStringLiteral("1");
}

// The unit a move figure is written in to JSON: SI, or per minute.
QString moveSymbol(MoveUnit unit, MechanismKind kind)
{
    return unit == MoveUnit::PerMinute ? MoveFixedUnit(unit) : siSymbol(MoveUnitType(unit, kind));
}

// Keys for the inertia results, which the window names by position.
QString inertiaKey(const AxisResultRowInfo &row)
{
    static const std::pair<AxisFigure AxisResults::*, const char *> Keys[] = {
        {&AxisResults::loadSide, "loadSide"},
        {&AxisResults::reflected, "reflected"},
        {&AxisResults::motorSideItems, "motorSide"},
        {&AxisResults::atMotor, "atMotor"},
        {&AxisResults::ratio, "ratio"}};
    for (const auto &[member, key] : Keys) {
        if (member == row.member)
            return QLatin1String(key);
    }
    return QLatin1String(row.key);
}

const char *mechanismKey(MechanismKind kind)
{
    static const char *const Keys[] = {"rotary", "screw", "belt"};
    return Keys[std::size_t(kind)];
}

const char *ratioLevelKey(RatioLevel level)
{
    static const char *const Keys[] = {"within", "over", "unknown"};
    return Keys[std::size_t(level)];
}

// The unit type of a check's value and limit.
const char *checkUnitType(const MotorCheck &check, MechanismKind kind)
{
    const std::optional<MoveUnit> unit = CheckUnit(check);
    return unit ? MoveUnitType(*unit, kind) : "";
}

// The speed a torque check judges at; the peak check judged at no operating
// point has none.
AxisFigure checkSpeed(const MotorCheck &check)
{
    if (check.kind != MotorCheckKind::PeakTorque || check.point >= 0)
        return check.speed;
    return check.margin.ok() ? AxisFigure::failed(QStringLiteral("No operating point is judged."))
                             : check.margin;
}

// The check list of any axis: the same checks every file has, for the CSV header.
decltype(MoveResults::checks) everyCheck()
{
    const Axis none;
    return ComputeMove(none, ComputeAxis(none), MoveInputs()).checks;
}

// A figure in JSON: its value in SI base units and the unit, or null and why.
QJsonObject jsonFigure(const AxisFigure &figure, const QString &unit)
{
    QJsonObject object{{QStringLiteral("value"), figure.ok() ? QJsonValue(figure.value()) : QJsonValue()},
                       {QStringLiteral("unit"), unit}};
    if (!figure.ok())
        object.insert(QStringLiteral("reason"), figure.reason());
    return object;
}

QJsonObject jsonCheck(const AxisCheck &file, const MotorCheck &check)
{
    const QString unit = siSymbol(checkUnitType(check, file.move.mechanism.kind));
    const CheckStatus status = file.statusOf(check);
    QJsonObject object{{QStringLiteral("key"), CheckKey(check)},
                       {QStringLiteral("title"), MotorCheckTitle(check.kind)},
                       {QStringLiteral("status"), QLatin1String(CheckStatusKey(status))},
                       {QStringLiteral("value"), jsonFigure(check.value, unit)},
                       {QStringLiteral("limit"), jsonFigure(check.limit, unit)},
                       {QStringLiteral("margin"), jsonFigure(check.margin, QStringLiteral("1"))},
                       {QStringLiteral("required"), jsonFigure(check.required, QStringLiteral("1"))}};
    // Where a torque check looks: the worst operating point's speed, the
    // mean speed, or standstill.
    if (CheckLooksAtSpeed(check))
        object.insert(QStringLiteral("speed"), jsonFigure(checkSpeed(check), siSymbol("Angular velocity")));
    if (check.point >= 0 && std::size_t(check.point) < file.move.points.size()) {
        static const char *const Segments[] = {"accelerate", "constant", "decelerate", "dwell"};
        const OperatingPoint &point = check.at;
        const QString at = point.inside ? QStringLiteral("inside")
                           : point.end  ? QStringLiteral("end")
                                        : QStringLiteral("start");
        object.insert(
            QStringLiteral("point"),
            QJsonObject{{QStringLiteral("segment"), QLatin1String(Segments[std::size_t(point.segment)])},
                        {QStringLiteral("at"), at},
                        {QStringLiteral("text"), PointWords(point, int(file.move.moves.size()))},
                        {QStringLiteral("move"), point.move + 1}});
    }
    if (const QString reason = file.reasonOf(check); !reason.isEmpty())
        object.insert(QStringLiteral("reason"), reason);
    return object;
}

// The SI unit of a mechanism check's value and limit, and the unit type the
// text and CSV show it in (none: d·n, in mm·rpm always).
struct LimitUnit
{
    const char *si;
    const char *type;
};
LimitUnit limitUnit(MechanismCheckKind kind)
{
    static const LimitUnit Units[MechanismCheckKindCount] = {
        {"rad/s", "Angular velocity"}, {"mm\u00b7rpm", ""}, {"m/s", "Linear velocity"}};
    return Units[std::size_t(kind)];
}

// A mechanism check's value, limit and margin as figures; without a verdict
// the limit and margin fail with the reason.
std::array<AxisFigure, 3> limitFigures(const MechanismCheck &check)
{
    const QString reason = MechanismCheckReason(check);
    const LimitCheck &c = check.check;
    const AxisFigure value = std::isfinite(c.value) ? AxisFigure(c.value) : AxisFigure::failed(reason);
    if (check.level() == CheckLevel::Unknown)
        return {value, AxisFigure::failed(reason), AxisFigure::failed(reason)};
    return {value, c.limit, c.margin()};
}

QJsonObject jsonMechanismCheck(const MechanismCheck &check)
{
    const QString unit = text(limitUnit(check.kind).si);
    const auto [value, limit, margin] = limitFigures(check);
    QJsonObject object{{QStringLiteral("key"), QLatin1String(MechanismCheckKey(check.kind))},
                       {QStringLiteral("title"), check.check.title},
                       {QStringLiteral("status"), QLatin1String(CheckStatusKey(AxisCheck::statusOf(check)))},
                       {QStringLiteral("value"), jsonFigure(value, unit)},
                       {QStringLiteral("limit"), jsonFigure(limit, unit)},
                       {QStringLiteral("margin"), jsonFigure(margin, QStringLiteral("1"))},
                       {QStringLiteral("text"), MechanismCheckText(check)}};
    if (const QString reason = MechanismCheckReason(check); !reason.isEmpty())
        object.insert(QStringLiteral("reason"), reason);
    return object;
}

QJsonObject jsonFile(const AxisCheck &check)
{
    QJsonObject file{{QStringLiteral("file"), check.file}};
    if (check.refused()) {
        file.insert(QStringLiteral("status"), QStringLiteral("refused"));
        file.insert(QStringLiteral("problem"), check.problem);
        return file;
    }
    const MechanismKind kind = check.move.mechanism.kind;
    file.insert(QStringLiteral("status"), check.fails() ? QStringLiteral("fail") : QStringLiteral("pass"));
    file.insert(QStringLiteral("mechanism"), QLatin1String(mechanismKey(kind)));
    QJsonArray checks;
    for (const MotorCheck &motorCheck : check.move.checks)
        checks.append(jsonCheck(check, motorCheck));
    file.insert(QStringLiteral("checks"), checks);
    QJsonArray mechanismChecks;
    for (const MechanismCheck &mechanismCheck : check.mechanism)
        mechanismChecks.append(jsonMechanismCheck(mechanismCheck));
    file.insert(QStringLiteral("mechanismChecks"), mechanismChecks);
    file.insert(
        QStringLiteral("ratioVerdict"),
        QJsonObject{{QStringLiteral("level"), QLatin1String(ratioLevelKey(check.inertia.verdict.level))},
                    {QStringLiteral("text"), check.inertia.verdict.text}});

    QJsonArray inertia;
    for (const AxisResultRowInfo &row : AxisResultRows) {
        QJsonObject figure =
            jsonFigure(check.inertia.*row.member, row.ratio ? QStringLiteral("1") : siSymbol("Inertia"));
        figure.insert(QStringLiteral("key"), inertiaKey(row));
        figure.insert(QStringLiteral("title"), text(row.title));
        inertia.append(figure);
    }
    file.insert(QStringLiteral("inertia"), inertia);

    QJsonArray items;
    const QList<AxisItem> &axisItems = check.document.axis.items;
    for (qsizetype k = 0; k < axisItems.size(); ++k) {
        const AxisItem &item = axisItems.at(k);
        const AxisItemResult &result = check.inertia.items.at(k);
        items.append(
            QJsonObject{{QStringLiteral("name"), item.name},
                        {QStringLiteral("kind"), QLatin1String(KindInfo(item.kind).key)},
                        {QStringLiteral("quantity"), item.quantity},
                        {QStringLiteral("side"),
                         item.side == AxisSide::Motor ? QStringLiteral("motor") : QStringLiteral("load")},
                        {QStringLiteral("inertia"), jsonFigure(result.inertia, siSymbol("Inertia"))},
                        {QStringLiteral("atMotor"), jsonFigure(result.atMotor, siSymbol("Inertia"))},
                        {QStringLiteral("share"), jsonFigure(result.share, QStringLiteral("%"))}});
    }
    file.insert(QStringLiteral("items"), items);

    QJsonArray move;
    for (const MoveFigureRow &row : MoveFigures) {
        if (!MoveFigureApplies(row, kind))
            continue;
        QJsonObject figure = jsonFigure(check.move.*row.member, moveSymbol(row.unit, kind));
        figure.insert(QStringLiteral("key"), QLatin1String(row.key));
        figure.insert(QStringLiteral("title"), text(row.title));
        move.append(figure);
    }
    file.insert(QStringLiteral("move"), move);
    file.insert(QStringLiteral("moves"), int(check.move.moves.size()));

    QJsonArray segments;
    const QString s = siSymbol("Time");
    const QString speed = siSymbol("Angular velocity");
    for (const MoveSegment &segment : check.move.segments) {
        segments.append(
            QJsonObject{{QStringLiteral("title"), SegmentTitle(segment.kind)},
                        {QStringLiteral("move"), segment.move + 1},
                        {QStringLiteral("start"), jsonFigure(segment.start, s)},
                        {QStringLiteral("duration"), jsonFigure(segment.duration, s)},
                        {QStringLiteral("speedFrom"), jsonFigure(segment.speedFrom, speed)},
                        {QStringLiteral("speedTo"), jsonFigure(segment.speedTo, speed)},
                        {QStringLiteral("torque"), jsonFigure(segment.torque, siSymbol("Torque"))},
                        {QStringLiteral("torqueEnd"),
                         jsonFigure(segment.torque.ok() ? AxisFigure(segment.torqueEnd) : segment.torque,
                                    siSymbol("Torque"))}});
    }
    file.insert(QStringLiteral("segments"), segments);
    return file;
}

// A check's mark in the text, by CheckStatus.
constexpr const char *CheckMarks[] = {"pass", "FAIL", "not checked", "NOT COMPUTED"};

QString checkLine(const AxisCheck &file, const MotorCheck &check, const CheckView &view)
{
    const std::optional<MoveUnit> unit = CheckUnit(check);
    const QString shown = unit ? ShownUnit(view, *unit, file.move.mechanism.kind) : QString();
    const QString reason = file.reasonOf(check);
    const QString speed = ShownUnit(view, MoveUnit::MotorSpeed, file.move.mechanism.kind);
    return QStringLiteral("  %1  %2\n")
        .arg(QLatin1String(CheckMarks[std::size_t(file.statusOf(check))]), -12)
        .arg(reason.isEmpty() ? MotorCheckText(view.table, check, shown, view.digits, speed)
                              : MotorCheckTitle(check.kind) + QStringLiteral(": ") + reason);
}

// The text's figure lines, titles padded to the longest so the values line up.
QString titled(const QString &title, const QString &value)
{
    static const int width = [] {
        qsizetype longest = 0;
        for (const AxisResultRowInfo &row : AxisResultRows)
            longest = std::max(longest, text(row.title).size());
        for (const MoveFigureRow &row : MoveFigures)
            longest = std::max(longest, text(row.title).size());
        return int(longest);
    }();
    return QStringLiteral("    %1  %2\n").arg(title, -width).arg(value);
}

QString figureLine(const QString &title, const AxisFigure &figure, const QString &unit, const CheckView &view)
{
    return titled(title, figure.ok() ? FormatQuantity(view.table, {figure.value(), unit}, view.digits)
                                     : figure.reason());
}

QString fileText(const AxisCheck &file, const CheckView &view)
{
    if (file.refused())
        return QStringLiteral("%1: refused\n").arg(file.file);
    // The motor's checks not checked are counted; the mechanism's, rarely
    // given, are only listed.
    const auto count = [&file](CheckStatus status) {
        return std::count_if(
            file.move.checks.cbegin(), file.move.checks.cend(),
            [&file, status](const MotorCheck &check) { return file.statusOf(check) == status; });
    };
    QString verdict = file.fails() ? QStringLiteral("fails") : QStringLiteral("passes");
    if (const auto open = count(CheckStatus::NotChecked); open > 0)
        verdict += QStringLiteral(", %1 not checked").arg(open);
    QString out = QStringLiteral("%1: %2\n").arg(file.file, verdict);
    for (const MotorCheck &check : file.move.checks)
        out += checkLine(file, check, view);
    for (const MechanismCheck &check : file.mechanism)
        out += QStringLiteral("  %1  %2\n")
                   .arg(QLatin1String(CheckMarks[std::size_t(AxisCheck::statusOf(check))]), -12)
                   .arg(MechanismCheckText(check));
    out += QStringLiteral("  Verdict: %1\n").arg(file.inertia.verdict.text);

    out += QStringLiteral("  Inertia\n");
    for (const AxisResultRowInfo &row : AxisResultRows) {
        const AxisFigure &figure = file.inertia.*row.member;
        const QString title = text(row.title);
        out += row.ratio
                   ? titled(title, figure.ok() ? RatioText(figure.value(), false) + QStringLiteral(" : 1")
                                               : figure.reason())
                   : figureLine(title, figure, ShownInertiaUnit(view), view);
    }
    const MechanismKind kind = file.move.mechanism.kind;
    out += QStringLiteral("  Move\n");
    out += titled(QStringLiteral("Moves in the cycle"), QString::number(file.move.moves.size()));
    for (const MoveFigureRow &row : MoveFigures) {
        if (!MoveFigureApplies(row, kind))
            continue;
        const AxisFigure &figure = file.move.*row.member;
        const QString fixed = MoveFixedUnit(row.unit);
        if (fixed.isEmpty())
            out += figureLine(text(row.title), figure, ShownUnit(view, row.unit, kind), view);
        else
            out += titled(text(row.title), figure.ok() ? MoveFigureText(view.table, figure, row.unit, fixed,
                                                                        view.digits, false) +
                                                             u' ' + fixed
                                                       : figure.reason());
    }
    return out;
}

// "Peak torque" → "peakTorque", "RMS torque" → "rmsTorque".
QString camelKey(const QString &title)
{
    QString spaced = title;
    for (QChar &c : spaced) {
        if (!c.isLetterOrNumber())
            c = u' ';
    }
    QString key;
    const QStringList words = spaced.split(u' ', Qt::SkipEmptyParts);
    for (const QString &word : words)
        key += key.isEmpty() ? word.toLower() : word.front().toUpper() + word.mid(1);
    return key;
}

} // namespace

namespace {

// A verdict's status; none for a check without one.
std::optional<CheckStatus> judged(CheckLevel level)
{
    if (level == CheckLevel::Unknown)
        return std::nullopt;
    return level == CheckLevel::Passes ? CheckStatus::Passes : CheckStatus::Fails;
}

} // namespace

CheckStatus AxisCheck::statusOf(const MotorCheck &check) const
{
    if (const std::optional<CheckStatus> status = judged(check.level))
        return *status;
    if (!motorGives[std::size_t(check.kind)])
        return CheckStatus::NotChecked;
    // Without the rotor the torques and the ratio of a move that computes
    // leave it out: not checked. Anything else given that still has no
    // verdict (a move that cannot be computed, a rating that cannot be
    // right) cannot pass a build.
    const bool needsRotor = check.kind != MotorCheckKind::Speed;
    return needsRotor && !rotorGiven && computable ? CheckStatus::NotChecked : CheckStatus::NotComputed;
}

CheckStatus AxisCheck::statusOf(const MechanismCheck &check)
{
    if (const std::optional<CheckStatus> status = judged(check.level()))
        return *status;
    return check.given ? CheckStatus::NotComputed : CheckStatus::NotChecked;
}

QString AxisCheck::reasonOf(const MotorCheck &check) const
{
    if (check.level != CheckLevel::Unknown)
        return {};
    return check.limit.ok() ? check.margin.reason() : check.limit.reason();
}

const char *CheckStatusKey(CheckStatus status)
{
    static const char *const Keys[] = {"pass", "fail", "notChecked", "notComputed"};
    return Keys[std::size_t(status)];
}

QString CheckKey(const MotorCheck &check)
{
    return camelKey(MotorCheckTitle(check.kind));
}

std::optional<MoveUnit> CheckUnit(const MotorCheck &check)
{
    switch (check.kind) {
    case MotorCheckKind::InertiaRatio:
        return std::nullopt;
    case MotorCheckKind::Speed:
        return MoveUnit::MotorSpeed;
    default:
        return MoveUnit::Torque;
    }
}

bool CheckLooksAtSpeed(const MotorCheck &check)
{
    return check.kind == MotorCheckKind::PeakTorque || check.kind == MotorCheckKind::RmsTorque ||
           check.kind == MotorCheckKind::Breakaway;
}

bool AxisCheck::fails() const
{
    const auto failing = [](CheckStatus status) {
        return status == CheckStatus::Fails || status == CheckStatus::NotComputed;
    };
    return std::any_of(move.checks.cbegin(), move.checks.cend(),
                       [&](const MotorCheck &check) { return failing(statusOf(check)); }) ||
           std::any_of(mechanism.cbegin(), mechanism.cend(),
                       [&](const MechanismCheck &check) { return failing(statusOf(check)); });
}

AxisCheck CheckAxisFile(const QString &file, const AxisFileRead &read)
{
    AxisCheck check;
    check.file = file;
    if (!read.document) {
        check.problem = read.message(file);
        return check;
    }
    check.document = *read.document;
    // What the motor gives to judge by, whether it stands or not.
    const AxisMotor &motor = check.document.axis.motor;
    const auto curveGiven = [](const MotorCurveInput &curve, const AxisQuantity &stall) {
        return curve.form == CurveForm::Points ? !curve.points.points.empty() : stall.value != 0;
    };
    const bool peakGiven = curveGiven(motor.peak, motor.peakTorque);
    const bool speedGiven = motor.maxSpeed.value != 0 || (motor.peak.form == CurveForm::Points && peakGiven);
    check.motorGives = {peakGiven, curveGiven(motor.continuous, motor.ratedTorque), speedGiven,
                        motor.targetRatio != 0, peakGiven};
    check.rotorGiven = motor.inertia.value != 0;
    check.inertia = ComputeAxis(check.document.axis);
    check.move = ComputeMove(check.document.axis, check.inertia, check.document.move);
    check.mechanism = MechanismChecks(check.document.axis, check.move);
    const MechanismKind kind = check.move.mechanism.kind;
    check.computable =
        check.inertia.atMotor.ok() &&
        std::all_of(MoveFigures.cbegin(), MoveFigures.cend(), [&check, kind](const MoveFigureRow &row) {
            return !MoveFigureApplies(row, kind) || (check.move.*row.member).ok();
        });
    return check;
}

int CheckExitStatus(const QList<AxisCheck> &checks)
{
    if (std::any_of(checks.cbegin(), checks.cend(), [](const AxisCheck &c) { return c.refused(); }))
        return 2;
    return std::any_of(checks.cbegin(), checks.cend(), [](const AxisCheck &c) { return c.fails(); }) ? 1 : 0;
}

std::optional<CheckUnits> PresetCheckUnits(const QString &name)
{
    const bool si = name.compare(QLatin1String("SI"), Qt::CaseInsensitive) == 0;
    if (!si && name.compare(QLatin1String("inch-pound"), Qt::CaseInsensitive) != 0)
        return std::nullopt;
    CheckUnits units;
    for (const UnitTypeRow &row : UnitTypes)
        units.byType.insert(text(row.type), text(si ? row.siName : row.inchPound));
    return units;
}

CheckUnits DefaultCheckUnits(const ConversionTableData &table, const Settings &settings)
{
    CheckUnits units;
    for (const QString &type : CheckUnitTypes()) {
        const QStringList entries = UnitsForListTag(table, type);
        const int at = DefaultUnitIndex(entries, type, settings.defaultUnit(type));
        units.byType.insert(type, at < 0 ? QString() : entries.at(at).trimmed());
    }
    return units;
}

QStringList CheckUnitTypes()
{
    QStringList types;
    for (const UnitTypeRow &row : UnitTypes)
        types << text(row.type);
    return types;
}

QString ShownUnit(const CheckView &view, MoveUnit unit, MechanismKind kind)
{
    if (const QString fixed = MoveFixedUnit(unit); !fixed.isEmpty())
        return fixed;
    return view.units.of(QLatin1String(MoveUnitType(unit, kind)));
}

QString ShownInertiaUnit(const CheckView &view)
{
    return view.units.of(QStringLiteral("Inertia"));
}

QString CheckText(const QList<AxisCheck> &checks, const CheckView &view)
{
    QStringList files;
    for (const AxisCheck &check : checks)
        files << fileText(check, view);
    return files.join(u'\n');
}

QByteArray CheckJson(const QList<AxisCheck> &checks)
{
    static const char *const Overall[] = {"pass", "fail", "refused"};
    const int exit = CheckExitStatus(checks);
    QJsonArray files;
    for (const AxisCheck &check : checks)
        files.append(jsonFile(check));
    const QJsonObject root{{QStringLiteral("format"), QLatin1String(CheckJsonFormat)},
                           {QStringLiteral("version"), CheckJsonVersion},
                           {QStringLiteral("status"), QLatin1String(Overall[exit])},
                           {QStringLiteral("exitStatus"), exit},
                           {QStringLiteral("files"), files}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QString CheckCsv(const QList<AxisCheck> &checks, const CheckView &view)
{
    QStringList header{QStringLiteral("file"), QStringLiteral("status"), QStringLiteral("problem")};
    const QString speedUnit = ShownUnit(view, MoveUnit::MotorSpeed, MechanismKind::Rotary);
    const auto unitOf = [&view](const MotorCheck &check) {
        const std::optional<MoveUnit> unit = CheckUnit(check);
        return unit ? ShownUnit(view, *unit, MechanismKind::Rotary) : QString();
    };
    // The checks any axis has, then any a file alone has, each in its columns.
    QList<MotorCheck> columns;
    const auto addColumns = [&columns](const auto &list) {
        for (const MotorCheck &check : list) {
            if (std::none_of(columns.cbegin(), columns.cend(),
                             [&check](const MotorCheck &known) { return known.kind == check.kind; }))
                columns.append(check);
        }
    };
    addColumns(everyCheck());
    for (const AxisCheck &file : checks)
        addColumns(file.move.checks);
    for (const MotorCheck &check : columns) {
        const QString key = CheckKey(check);
        const QString unit = unitOf(check);
        const QString in = unit.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(unit);
        header << key + QStringLiteral(" check") << key + QStringLiteral(" value") + in
               << key + QStringLiteral(" limit") + in << key + QStringLiteral(" margin (%)")
               << key + QStringLiteral(" required margin (%)");
        if (CheckLooksAtSpeed(check))
            header << QStringLiteral("%1 speed (%2)").arg(key, speedUnit);
    }
    header << QStringLiteral("verdict");
    for (const AxisResultRowInfo &row : AxisResultRows)
        header << (row.ratio ? inertiaKey(row)
                             : QStringLiteral("%1 (%2)").arg(inertiaKey(row), ShownInertiaUnit(view)));
    for (const MoveFigureRow &row : MoveFigures)
        header << QLatin1String(row.key) << QLatin1String(row.key) + QStringLiteral(" unit");
    header << QStringLiteral("moves");
    // The mechanism's checks last, so columns read by place stay where they were.
    const auto limitShown = [&view](MechanismCheckKind kind) {
        const LimitUnit unit = limitUnit(kind);
        return *unit.type ? view.units.of(text(unit.type)) : QString();
    };
    for (int k = 0; k < MechanismCheckKindCount; ++k) {
        const auto kind = MechanismCheckKind(k);
        const QString key = QLatin1String(MechanismCheckKey(kind));
        const QString unit = limitShown(kind);
        const QString in = QStringLiteral(" (%1)").arg(unit.isEmpty() ? text(limitUnit(kind).si) : unit);
        header << key + QStringLiteral(" check") << key + QStringLiteral(" value") + in
               << key + QStringLiteral(" limit") + in << key + QStringLiteral(" margin (%)");
    }
    for (QString &field : header)
        field = CsvField(field);
    QString csv = header.join(u',') + QStringLiteral("\r\n");

    for (const AxisCheck &file : checks) {
        QStringList row{CsvField(file.file)};
        if (file.refused()) {
            row << QStringLiteral("refused") << CsvField(file.problem);
            csv += row.join(u',') + QStringLiteral("\r\n");
            continue;
        }
        row << (file.fails() ? QStringLiteral("fail") : QStringLiteral("pass")) << QString();
        for (const MotorCheck &column : columns) {
            const auto found =
                std::find_if(file.move.checks.cbegin(), file.move.checks.cend(),
                             [&column](const MotorCheck &check) { return check.kind == column.kind; });
            if (found == file.move.checks.cend()) {
                for (int k = CheckLooksAtSpeed(column) ? 6 : 5; k > 0; --k)
                    row << QString();
                continue;
            }
            const MotorCheck &check = *found;
            const QString unit = unitOf(check);
            row << QLatin1String(CheckStatusKey(file.statusOf(check)))
                << CsvNumber(view.table, check.value, unit) << CsvNumber(view.table, check.limit, unit)
                << CsvNumber(view.table, check.margin * AxisFigure(100.0), QString())
                << CsvNumber(view.table, AxisFigure(check.required * 100), QString());
            if (CheckLooksAtSpeed(check))
                row << CsvNumber(view.table, checkSpeed(check), speedUnit);
        }
        row << CsvField(file.inertia.verdict.text);
        for (const AxisResultRowInfo &row_ : AxisResultRows)
            row << CsvNumber(view.table, file.inertia.*row_.member,
                             row_.ratio ? QString() : ShownInertiaUnit(view));
        const MechanismKind kind = file.move.mechanism.kind;
        for (const MoveFigureRow &figure : MoveFigures) {
            if (!MoveFigureApplies(figure, kind)) {
                row << QString() << QString();
                continue;
            }
            const QString unit = ShownUnit(view, figure.unit, kind);
            const AxisFigure &value = file.move.*figure.member;
            if (MoveFixedUnit(figure.unit).isEmpty())
                row << CsvNumber(view.table, value, unit) << CsvField(unit);
            else
                row << CsvNumber(view.table, figure.unit == MoveUnit::Percent ? value * 100.0 : value,
                                 QString())
                    << CsvField(unit);
        }
        row << QString::number(file.move.moves.size());
        for (int k = 0; k < MechanismCheckKindCount; ++k) {
            const auto found =
                std::find_if(file.mechanism.cbegin(), file.mechanism.cend(),
                             [k](const MechanismCheck &check) { return int(check.kind) == k; });
            if (found == file.mechanism.cend()) {
                row << QString() << QString() << QString() << QString();
                continue;
            }
            const QString unit = limitShown(found->kind);
            const auto [value, limit, margin] = limitFigures(*found);
            row << QLatin1String(CheckStatusKey(AxisCheck::statusOf(*found)))
                << CsvNumber(view.table, value, unit) << CsvNumber(view.table, limit, unit)
                << CsvNumber(view.table, margin * AxisFigure(100.0), QString());
        }
        csv += row.join(u',') + QStringLiteral("\r\n");
    }
    return csv;
}
