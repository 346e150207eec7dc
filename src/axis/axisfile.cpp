#include "axis/axisfile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <limits>
#include <span>

namespace {

constexpr const char *SideKeys[] = {"motor", "load"};
constexpr const char *MassModeKeys[] = {"mass", "density"};
constexpr const char *ProfileKeys[] = {"trapezoidal", "triangular", "sCurve", "limited"};
constexpr const char *CurveFormKeys[] = {"flat", "corner", "points"};
// A motor curve of more points than this is no motor's; the reader refuses it.
constexpr qsizetype MaxCurvePoints = 1000;

template <typename Enum, int Count> std::array<const char *, Count> keysOf(const char *(*key)(Enum))
{
    std::array<const char *, Count> keys{};
    for (int k = 0; k < Count; ++k)
        keys[std::size_t(k)] = key(Enum(k));
    return keys;
}
const char *kindKey(AxisItemKind kind)
{
    return KindInfo(kind).key;
}
const auto KindKeys = keysOf<AxisItemKind, AxisItemKindCount>(kindKey);
const auto ShapeKeys = keysOf<InertiaShape, InertiaShapeCount>(ShapeKey);
const auto ResultKeys = keysOf<InertiaAxis, InertiaAxisCount>(ResultKey);

QString key(const char *latin1)
{
    return QString::fromLatin1(latin1);
}

// Reads members of the document; the first problem is kept and every later
// read gives a default, so the caller checks once at the end.
class Reader
{
public:
    bool failed() const { return !m_problem.isEmpty(); }
    const QString &problem() const { return m_problem; }

    void fail(const QString &where, const QString &what)
    {
        if (m_problem.isEmpty())
            m_problem = QStringLiteral("it is damaged: %1 %2").arg(where, what);
    }

    QJsonValue member(const QJsonObject &object, const char *name, const QString &where)
    {
        const QJsonValue value = object.value(key(name));
        if (value.isUndefined())
            fail(path(where, name), QStringLiteral("is missing"));
        return value;
    }
    // A member that must be of one JSON type.
    QJsonValue typed(const QJsonObject &object, const char *name, const QString &where,
                     bool (QJsonValue::*isType)() const, const char *isNot)
    {
        const QJsonValue value = member(object, name, where);
        if (!value.isUndefined() && !(value.*isType)())
            fail(path(where, name), QString::fromLatin1(isNot));
        return value;
    }
    QJsonObject object(const QJsonObject &parent, const char *name, const QString &where)
    {
        return typed(parent, name, where, &QJsonValue::isObject, "is not a group of values").toObject();
    }
    double number(const QJsonObject &object, const char *name, const QString &where)
    {
        const double value = typed(object, name, where, &QJsonValue::isDouble, "is not a number").toDouble();
        if (!std::isfinite(value)) {
            fail(path(where, name), QStringLiteral("is not a number"));
            return 0;
        }
        return value;
    }
    int whole(const QJsonObject &object, const char *name, const QString &where)
    {
        const double value = number(object, name, where);
        if (value != std::trunc(value) || std::fabs(value) > std::numeric_limits<int>::max()) {
            fail(path(where, name), QStringLiteral("is not a whole number"));
            return 0;
        }
        return int(value);
    }
    bool boolean(const QJsonObject &object, const char *name, const QString &where)
    {
        return typed(object, name, where, &QJsonValue::isBool, "is not true or false").toBool();
    }
    // Text of at most maxLength characters: no editor takes more, and a
    // megabyte-long name would stall every list it is shown in.
    QString text(const QJsonObject &object, const char *name, const QString &where, qsizetype maxLength)
    {
        const QString value = typed(object, name, where, &QJsonValue::isString, "is not text").toString();
        if (value.size() > maxLength) {
            fail(path(where, name), QStringLiteral("is longer than %1 characters").arg(maxLength));
            return QString();
        }
        return value;
    }
    // The index of the word among keys.
    int choice(const QJsonObject &object, const char *name, const QString &where,
               std::span<const char *const> keys)
    {
        const QString word = text(object, name, where, MaxAxisUnitLength);
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (word == key(keys[k]))
                return int(k);
        }
        fail(path(where, name), QStringLiteral("is not a known word (\"%1\")").arg(word.left(40)));
        return 0;
    }
    AxisQuantity quantity(const QJsonObject &parent, const char *name, const QString &where)
    {
        const QString here = path(where, name);
        const QJsonObject object = this->object(parent, name, where);
        return {number(object, "value", here), text(object, "unit", here, MaxAxisUnitLength)};
    }

    static QString path(const QString &where, const char *name)
    {
        return where.isEmpty() ? key(name) : QStringLiteral("%1, %2").arg(where, key(name));
    }

private:
    QString m_problem;
};

AxisItem readItem(Reader &in, const QJsonObject &object, const QString &where)
{
    AxisItem item;
    item.kind = AxisItemKind(in.choice(object, "kind", where, KindKeys));
    item.name = in.text(object, "name", where, MaxAxisItemNameLength);
    item.quantity = in.whole(object, "quantity", where);
    item.side = AxisSide(in.choice(object, "side", where, SideKeys));
    if (in.failed())
        return item;
    if (item.kind != AxisItemKind::Shape) {
        for (int p = 0; p < AxisParamCount; ++p) {
            if (KindInfo(item.kind).uses[std::size_t(p)])
                item[AxisParam(p)] = in.quantity(object, ParamInfo(AxisParam(p)).key, where);
        }
        return item;
    }
    AxisShapePart &part = item.shape;
    part.shape = InertiaShape(in.choice(object, "shape", where, ShapeKeys));
    part.massMode = MassMode(in.choice(object, "massMode", where, MassModeKeys));
    part.result = InertiaAxis(in.choice(object, "result", where, ResultKeys));
    part.offset = in.quantity(object, "offset", where);
    const QJsonObject inputs = in.object(object, "inputs", where);
    const QString inputsWhere = Reader::path(where, "inputs");
    for (int k = 0; k < InertiaInputCount; ++k) {
        if (ShapeReads(part, InertiaInput(k)))
            part[InertiaInput(k)] = in.quantity(inputs, ShapeInputKey(InertiaInput(k)), inputsWhere);
    }
    return item;
}

MotorCurveInput readCurve(Reader &in, const QJsonObject &parent, const char *name, const QString &motorWhere)
{
    MotorCurveInput curve;
    const QJsonObject object = in.object(parent, name, motorWhere);
    const QString where = Reader::path(motorWhere, name);
    curve.form = CurveForm(in.choice(object, "form", where, CurveFormKeys));
    curve.cornerSpeed = in.quantity(object, "cornerSpeed", where);
    curve.torqueAtMaxSpeed = in.quantity(object, "torqueAtMaxSpeed", where);
    const QJsonValue points = in.member(object, "points", where);
    if (!points.isArray() && !points.isUndefined())
        in.fail(Reader::path(where, "points"), QStringLiteral("is not a list"));
    const QJsonArray list = points.toArray();
    if (list.size() > MaxCurvePoints)
        in.fail(Reader::path(where, "points"), QStringLiteral("has more than %1 points").arg(MaxCurvePoints));
    for (qsizetype k = 0; k < list.size() && !in.failed(); ++k) {
        const QString here = QStringLiteral("%1, point %2").arg(Reader::path(where, "points")).arg(k + 1);
        if (!list.at(k).isObject())
            in.fail(here, QStringLiteral("is not a group of values"));
        const QJsonObject point = list.at(k).toObject();
        curve.points.points.push_back({in.number(point, "speed", here), in.number(point, "torque", here)});
    }
    return curve;
}

// One move of the cycle: from an entry of "moves", or from the move object
// itself in files from before the cycle held several (their one move).
CycleMove readCycleMove(Reader &in, const QJsonObject &object, const QString &where, int version)
{
    CycleMove move;
    move.distance = in.quantity(object, "distance", where);
    move.moveTime = in.quantity(object, "moveTime", where);
    move.profile = MoveProfile(in.choice(object, "profile", where,
                                         std::span(ProfileKeys).first(version < 4 ? 2 : MoveProfileCount)));
    move.defaultRamps = in.boolean(object, "defaultRamps", where);
    move.accelTime = in.quantity(object, "accelTime", where);
    move.decelTime = in.quantity(object, "decelTime", where);
    move.dwell = in.quantity(object, "dwell", where);
    move.thrust = in.quantity(object, "thrust", where);
    move.loadTorque = in.quantity(object, "loadTorque", where);
    if (version >= 3)
        move.holdingBrake = in.boolean(object, "holdingBrake", where);
    if (version < 4)
        return move;
    move.jerkAsPercent = in.boolean(object, "jerkAsPercent", where);
    move.jerkPercent = in.number(object, "jerkPercent", where);
    move.jerkTime = in.quantity(object, "jerkTime", where);
    move.speedLimit = in.quantity(object, "speedLimit", where);
    move.accelLimit = in.quantity(object, "accelLimit", where);
    move.jerkLimit = in.quantity(object, "jerkLimit", where);
    move.payload = in.quantity(object, "payload", where);
    return move;
}

QList<CycleMove> readCycleMoves(Reader &in, const QJsonObject &object, const QString &where, int version)
{
    const QString here = Reader::path(where, "moves");
    const QJsonValue value = in.member(object, "moves", where);
    if (!value.isArray() && !value.isUndefined())
        in.fail(here, QStringLiteral("is not a list"));
    const QJsonArray list = value.toArray();
    if (value.isArray() && list.isEmpty())
        in.fail(here, QStringLiteral("holds no move"));
    if (list.size() > MaxCycleMoves)
        in.fail(here, QStringLiteral("has more than %1 moves").arg(MaxCycleMoves));
    QList<CycleMove> moves;
    for (qsizetype k = 0; k < list.size() && !in.failed(); ++k) {
        const QString entry = QStringLiteral("%1, move %2").arg(where).arg(k + 1);
        if (!list.at(k).isObject())
            in.fail(entry, QStringLiteral("is not a group of values"));
        moves.append(readCycleMove(in, list.at(k).toObject(), entry, version));
    }
    if (moves.isEmpty())
        moves.append(CycleMove{});
    return moves;
}

MoveInputs readMove(Reader &in, const QJsonObject &object, int version)
{
    const QString where = QStringLiteral("move");
    MoveInputs move;
    if (version < 4)
        move.moves = {readCycleMove(in, object, where, version)};
    else
        move.moves = readCycleMoves(in, object, where, version);
    move.incline = in.quantity(object, "incline", where);
    move.friction = in.number(object, "friction", where);
    move.mechanismEfficiency = in.number(object, "mechanismEfficiency", where);
    move.gearboxEfficiency = in.number(object, "gearboxEfficiency", where);
    if (version < 3)
        return move;
    move.backDriveAsForward = in.boolean(object, "backDriveAsForward", where);
    move.backDriveEfficiency = in.number(object, "backDriveEfficiency", where);
    move.staticFriction = in.number(object, "staticFriction", where);
    move.preloadFromForce = in.boolean(object, "preloadFromForce", where);
    move.preloadTorque = in.quantity(object, "preloadTorque", where);
    move.preloadForce = in.quantity(object, "preloadForce", where);
    move.bearingTorque = in.quantity(object, "bearingTorque", where);
    move.gearboxDragTorque = in.quantity(object, "gearboxDragTorque", where);
    move.counterweight = in.quantity(object, "counterweight", where);
    return move;
}

AxisDocument readDocument(Reader &in, const QJsonObject &root, int version)
{
    AxisDocument document;
    Axis &axis = document.axis;
    const QJsonObject gearbox = in.object(root, "gearbox", {});
    axis.gearbox.ratio = in.number(gearbox, "ratio", QStringLiteral("gearbox"));
    axis.gearbox.inertia = in.quantity(gearbox, "inertia", QStringLiteral("gearbox"));
    const QJsonObject motor = in.object(root, "motor", {});
    const QString motorWhere = QStringLiteral("motor");
    axis.motor.inertia = in.quantity(motor, "inertia", motorWhere);
    axis.motor.targetRatio = in.number(motor, "targetRatio", motorWhere);
    if (version >= 2) {
        axis.motor.ratedTorque = in.quantity(motor, "ratedTorque", motorWhere);
        axis.motor.peakTorque = in.quantity(motor, "peakTorque", motorWhere);
        axis.motor.maxSpeed = in.quantity(motor, "maxSpeed", motorWhere);
        document.move = readMove(in, in.object(root, "move", {}), version);
    }
    // Older files knew the motor by its three figures: flat curves, and the
    // default margins.
    if (version >= 3) {
        axis.motor.continuous = readCurve(in, motor, "continuous", motorWhere);
        axis.motor.peak = readCurve(in, motor, "peak", motorWhere);
        axis.motor.peakMargin = in.number(motor, "peakMargin", motorWhere);
        axis.motor.rmsMargin = in.number(motor, "rmsMargin", motorWhere);
        axis.motor.speedMargin = in.number(motor, "speedMargin", motorWhere);
        // Files written before the point lists kept their units showed them so.
        const auto unit = [&](const char *name, const char *before) {
            return motor.contains(key(name)) ? in.text(motor, name, motorWhere, MaxAxisUnitLength)
                                             : QString::fromLatin1(before);
        };
        axis.motor.pointSpeedUnit = unit("pointSpeedUnit", "rpm");
        axis.motor.pointTorqueUnit = unit("pointTorqueUnit", "N-m");
    }
    const QJsonValue items = in.member(root, "items", {});
    if (!items.isArray() && !items.isUndefined())
        in.fail(QStringLiteral("items"), QStringLiteral("is not a list"));
    const QJsonArray list = items.toArray();
    axis.items.reserve(list.size());
    for (qsizetype k = 0; k < list.size() && !in.failed(); ++k) {
        const QString where = QStringLiteral("item %1").arg(k + 1);
        if (!list.at(k).isObject())
            in.fail(where, QStringLiteral("is not a group of values"));
        axis.items.append(readItem(in, list.at(k).toObject(), where));
    }
    return document;
}

// Writes members, noting the first value that is not finite.
class Writer
{
public:
    const QString &problem() const { return m_problem; }

    QJsonValue number(double value, const QString &where)
    {
        if (!std::isfinite(value) && m_problem.isEmpty())
            m_problem = QStringLiteral("%1 is not a finite number").arg(where);
        return value;
    }
    QJsonObject quantity(const AxisQuantity &quantity, const QString &where)
    {
        return {{QStringLiteral("value"), number(quantity.value, where)},
                {QStringLiteral("unit"), quantity.unit}};
    }

private:
    QString m_problem;
};

QJsonObject writeItem(Writer &out, const AxisItem &item, const QString &where)
{
    QJsonObject object{{QStringLiteral("kind"), key(KindInfo(item.kind).key)},
                       {QStringLiteral("name"), item.name},
                       {QStringLiteral("quantity"), item.quantity},
                       {QStringLiteral("side"), key(SideKeys[int(item.side)])}};
    if (item.kind != AxisItemKind::Shape) {
        for (int p = 0; p < AxisParamCount; ++p) {
            const AxisParamInfo &info = ParamInfo(AxisParam(p));
            if (KindInfo(item.kind).uses[std::size_t(p)])
                object.insert(key(info.key), out.quantity(item[info.param], Reader::path(where, info.key)));
        }
        return object;
    }
    const AxisShapePart &part = item.shape;
    object.insert(QStringLiteral("shape"), key(ShapeKey(part.shape)));
    object.insert(QStringLiteral("massMode"), key(MassModeKeys[int(part.massMode)]));
    object.insert(QStringLiteral("result"), key(ResultKey(part.result)));
    object.insert(QStringLiteral("offset"), out.quantity(part.offset, Reader::path(where, "offset")));
    QJsonObject inputs;
    for (int k = 0; k < InertiaInputCount; ++k) {
        const char *name = ShapeInputKey(InertiaInput(k));
        if (ShapeReads(part, InertiaInput(k)))
            inputs.insert(key(name), out.quantity(part[InertiaInput(k)], Reader::path(where, name)));
    }
    object.insert(QStringLiteral("inputs"), inputs);
    return object;
}

QJsonObject writeCurve(Writer &out, const MotorCurveInput &curve, const QString &where)
{
    QJsonArray points;
    for (std::size_t k = 0; k < curve.points.points.size(); ++k) {
        const TorquePoint &point = curve.points.points[k];
        const QString here = QStringLiteral("%1, point %2").arg(where).arg(k + 1);
        points.append(QJsonObject{{QStringLiteral("speed"), out.number(point.speed, here)},
                                  {QStringLiteral("torque"), out.number(point.torque, here)}});
    }
    return {
        {QStringLiteral("form"), key(CurveFormKeys[int(curve.form)])},
        {QStringLiteral("cornerSpeed"), out.quantity(curve.cornerSpeed, Reader::path(where, "cornerSpeed"))},
        {QStringLiteral("torqueAtMaxSpeed"),
         out.quantity(curve.torqueAtMaxSpeed, Reader::path(where, "torqueAtMaxSpeed"))},
        {QStringLiteral("points"), points}};
}

QJsonObject writeCycleMove(Writer &out, const CycleMove &move, const QString &where)
{
    const auto q = [&](const AxisQuantity &value, const char *name) {
        return out.quantity(value, Reader::path(where, name));
    };
    return {{QStringLiteral("distance"), q(move.distance, "distance")},
            {QStringLiteral("moveTime"), q(move.moveTime, "moveTime")},
            {QStringLiteral("profile"), key(ProfileKeys[int(move.profile)])},
            {QStringLiteral("defaultRamps"), move.defaultRamps},
            {QStringLiteral("accelTime"), q(move.accelTime, "accelTime")},
            {QStringLiteral("decelTime"), q(move.decelTime, "decelTime")},
            {QStringLiteral("jerkAsPercent"), move.jerkAsPercent},
            {QStringLiteral("jerkPercent"), out.number(move.jerkPercent, Reader::path(where, "jerkPercent"))},
            {QStringLiteral("jerkTime"), q(move.jerkTime, "jerkTime")},
            {QStringLiteral("speedLimit"), q(move.speedLimit, "speedLimit")},
            {QStringLiteral("accelLimit"), q(move.accelLimit, "accelLimit")},
            {QStringLiteral("jerkLimit"), q(move.jerkLimit, "jerkLimit")},
            {QStringLiteral("payload"), q(move.payload, "payload")},
            {QStringLiteral("thrust"), q(move.thrust, "thrust")},
            {QStringLiteral("loadTorque"), q(move.loadTorque, "loadTorque")},
            {QStringLiteral("dwell"), q(move.dwell, "dwell")},
            {QStringLiteral("holdingBrake"), move.holdingBrake}};
}

QJsonObject writeDocument(Writer &out, const AxisDocument &document)
{
    const Axis &axis = document.axis;
    const MoveInputs &move = document.move;
    const QString m = QStringLiteral("move");
    const auto q = [&](const AxisQuantity &value, const char *name, const QString &where) {
        return out.quantity(value, Reader::path(where, name));
    };
    QJsonArray moves;
    for (qsizetype k = 0; k < move.moves.size(); ++k)
        moves.append(writeCycleMove(out, move.moves.at(k), QStringLiteral("move, move %1").arg(k + 1)));
    QJsonArray items;
    for (qsizetype k = 0; k < axis.items.size(); ++k)
        items.append(writeItem(out, axis.items.at(k), QStringLiteral("item %1").arg(k + 1)));
    const QString motor = QStringLiteral("motor");
    const QString gearbox = QStringLiteral("gearbox");
    return {
        {QStringLiteral("format"), key(AxisFileFormat)},
        {QStringLiteral("version"), AxisFileVersion},
        {gearbox, QJsonObject{{QStringLiteral("ratio"), out.number(axis.gearbox.ratio, gearbox)},
                              {QStringLiteral("inertia"), q(axis.gearbox.inertia, "inertia", gearbox)}}},
        {motor,
         QJsonObject{{QStringLiteral("inertia"), q(axis.motor.inertia, "inertia", motor)},
                     {QStringLiteral("targetRatio"), out.number(axis.motor.targetRatio, motor)},
                     {QStringLiteral("ratedTorque"), q(axis.motor.ratedTorque, "ratedTorque", motor)},
                     {QStringLiteral("peakTorque"), q(axis.motor.peakTorque, "peakTorque", motor)},
                     {QStringLiteral("maxSpeed"), q(axis.motor.maxSpeed, "maxSpeed", motor)},
                     {QStringLiteral("continuous"),
                      writeCurve(out, axis.motor.continuous, Reader::path(motor, "continuous"))},
                     {QStringLiteral("peak"), writeCurve(out, axis.motor.peak, Reader::path(motor, "peak"))},
                     {QStringLiteral("peakMargin"), out.number(axis.motor.peakMargin, motor)},
                     {QStringLiteral("rmsMargin"), out.number(axis.motor.rmsMargin, motor)},
                     {QStringLiteral("speedMargin"), out.number(axis.motor.speedMargin, motor)},
                     {QStringLiteral("pointSpeedUnit"), axis.motor.pointSpeedUnit},
                     {QStringLiteral("pointTorqueUnit"), axis.motor.pointTorqueUnit}}},
        {m,
         QJsonObject{{QStringLiteral("moves"), moves},
                     {QStringLiteral("incline"), q(move.incline, "incline", m)},
                     {QStringLiteral("friction"), out.number(move.friction, m)},
                     {QStringLiteral("mechanismEfficiency"), out.number(move.mechanismEfficiency, m)},
                     {QStringLiteral("gearboxEfficiency"), out.number(move.gearboxEfficiency, m)},
                     {QStringLiteral("backDriveAsForward"), move.backDriveAsForward},
                     {QStringLiteral("backDriveEfficiency"), out.number(move.backDriveEfficiency, m)},
                     {QStringLiteral("staticFriction"), out.number(move.staticFriction, m)},
                     {QStringLiteral("preloadFromForce"), move.preloadFromForce},
                     {QStringLiteral("preloadTorque"), q(move.preloadTorque, "preloadTorque", m)},
                     {QStringLiteral("preloadForce"), q(move.preloadForce, "preloadForce", m)},
                     {QStringLiteral("bearingTorque"), q(move.bearingTorque, "bearingTorque", m)},
                     {QStringLiteral("gearboxDragTorque"), q(move.gearboxDragTorque, "gearboxDragTorque", m)},
                     {QStringLiteral("counterweight"), q(move.counterweight, "counterweight", m)}}},
        {QStringLiteral("items"), items},
    };
}

} // namespace

QString AxisFileRead::message(const QString &fileName) const
{
    return OpenFailureMessage(fileName, problem);
}

AxisFileRead ReadAxisFile(const QString &path)
{
    const FileRead file = ReadRegularFile(path, MaxAxisFileSize);
    if (!file.bytes)
        return {std::nullopt, 0, file.problem};
    return ReadAxisFile(*file.bytes);
}

AxisFileRead ReadAxisFile(const QByteArray &bytes)
{
    AxisFileRead result;
    if (bytes.trimmed().isEmpty()) {
        result.problem = QStringLiteral("it is empty");
        return result;
    }
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &error);
    // Damaged when it names itself an axis file; otherwise some other file.
    const bool named = bytes.contains(QByteArray("\"") + AxisFileFormat + '"');
    if (error.error != QJsonParseError::NoError && named) {
        result.problem =
            QStringLiteral("it is damaged at byte %1 (%2)").arg(error.offset).arg(error.errorString());
        return result;
    }
    const QJsonObject root = json.object();
    if (!json.isObject() || root.value(QStringLiteral("format")) != key(AxisFileFormat)) {
        result.problem = QStringLiteral("it is not an axis file");
        return result;
    }
    Reader in;
    const int version = in.whole(root, "version", {});
    if (!in.failed() && version < 1)
        in.fail(QStringLiteral("version"), QStringLiteral("is not a version number"));
    if (in.failed()) {
        result.problem = in.problem();
        return result;
    }
    result.version = version;
    if (version > AxisFileVersion) {
        result.problem = QStringLiteral("it was written by a newer version of the program (file version "
                                        "%1; this version reads up to %2)")
                             .arg(version)
                             .arg(AxisFileVersion);
        return result;
    }
    AxisDocument document = readDocument(in, root, version);
    if (in.failed())
        result.problem = in.problem();
    else
        result.document = std::move(document);
    return result;
}

std::optional<QByteArray> AxisFileBytes(const AxisDocument &document, QString *problem)
{
    Writer out;
    const QJsonObject root = writeDocument(out, document);
    if (!out.problem().isEmpty()) {
        if (problem)
            *problem = out.problem();
        return std::nullopt;
    }
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

FileWrite WriteAxisFile(const QString &path, const AxisDocument &document)
{
    QString problem;
    const std::optional<QByteArray> bytes = AxisFileBytes(document, &problem);
    if (!bytes)
        return {false, QFileInfo::exists(path), problem};
    return WriteFileAtomically(path, *bytes);
}
