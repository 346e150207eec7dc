#include "drives/drivetables.h"

#include "core/csvtext.h"

#include <QHash>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

namespace {

enum class Quantity { Text, Note, Inertia, Speed, Torque, Voltage, Percent, Curve, Ratios };

struct Column
{
    const char *name;
    Quantity quantity;
    bool required;
    const char *unit; // the unit a written table uses; for a curve "speed:torque"
};

// The columns in the order a written table has them; a read table may order them anyhow.
enum MotorColumn {
    MName,
    MNote,
    MInertia,
    MMaxSpeed,
    MPeak,
    MContinuous,
    MVoltage,
    MBrake,
    MotorColumnCount
};
const Column MotorTable[MotorColumnCount] = {
    {"Name", Quantity::Text, true, ""},
    {"Maker or note", Quantity::Note, false, ""},
    {"Rotor inertia", Quantity::Inertia, true, "kg·cm²"},
    {"Maximum speed", Quantity::Speed, true, "rpm"},
    {"Peak torque", Quantity::Curve, true, "rpm:N·m"},
    {"Continuous torque", Quantity::Curve, true, "rpm:N·m"},
    {"Rated voltage", Quantity::Voltage, false, "V"},
    {"Brake torque", Quantity::Torque, false, "N·m"},
};
enum GearboxColumn {
    GName,
    GNote,
    GRatios,
    GInertia,
    GEfficiency,
    GPeak,
    GContinuous,
    GMaxSpeed,
    GearboxColumnCount
};
const Column GearboxTable[GearboxColumnCount] = {
    {"Name", Quantity::Text, true, ""},
    {"Maker or note", Quantity::Note, false, ""},
    {"Ratios", Quantity::Ratios, true, ""},
    {"Input inertia", Quantity::Inertia, true, "kg·cm²"},
    {"Efficiency", Quantity::Percent, true, "%"},
    {"Peak output torque", Quantity::Torque, true, "N·m"},
    {"Continuous output torque", Quantity::Torque, true, "N·m"},
    {"Maximum input speed", Quantity::Speed, true, "rpm"},
};

struct TableLayout
{
    const Column *columns;
    int count;
    const char *marker; // the first cell of row 1
    const char *record; // "motor"
};
const TableLayout MotorLayout{MotorTable, MotorColumnCount, "Torvane motor table", "motor"};
const TableLayout GearboxLayout{GearboxTable, GearboxColumnCount, "Torvane gearbox table", "gearbox"};
constexpr int TableVersion = 1;

// Exact factors into SI: the inch is 0.0254 m, the pound 0.45359237 kg, the
// pound-force 4.4482216152605 N (the international definitions).
constexpr double Inch = 0.0254;
constexpr double Foot = 0.3048;
constexpr double Pound = 0.45359237;
constexpr double PoundForce = 4.4482216152605;
constexpr double Rpm = 2 * std::numbers::pi / 60;

struct UnitFactor
{
    const char *key; // the unit's spelling squeezed (see squeezed())
    double factor;
};
const UnitFactor InertiaUnits[] = {{"kgm2", 1},
                                   {"kgcm2", 1e-4},
                                   {"kgmm2", 1e-6},
                                   {"gcm2", 1e-7},
                                   {"gmm2", 1e-9},
                                   {"lbin2", Pound *Inch *Inch},
                                   {"lbft2", Pound *Foot *Foot}};
const UnitFactor SpeedUnits[] = {{"rpm", Rpm},
                                 {"rev/min", Rpm},
                                 {"r/min", Rpm},
                                 {"1/min", Rpm},
                                 {"rad/s", 1},
                                 {"rev/s", 2 * std::numbers::pi},
                                 {"rps", 2 * std::numbers::pi}};
const UnitFactor TorqueUnits[] = {{"nm", 1},
                                  {"ncm", 0.01},
                                  {"mnm", 1e-3},
                                  {"knm", 1e3},
                                  {"lbfin", PoundForce *Inch},
                                  {"lbin", PoundForce *Inch},
                                  {"ozfin", PoundForce / 16 * Inch},
                                  {"ozin", PoundForce / 16 * Inch},
                                  {"lbfft", PoundForce *Foot},
                                  {"lbft", PoundForce *Foot}};
const UnitFactor VoltageUnits[] = {{"v", 1}};
const UnitFactor PercentUnits[] = {{"%", 0.01}};

// A unit's spelling without what spellings differ in: case, spaces, the
// product dots and stars, powers written with ^ or as superscripts.
QString squeezed(const QString &unit)
{
    QString key;
    for (const QChar c : unit.toLower()) {
        if (c == u'²')
            key += u'2';
        else if (c != u' ' && c != u'·' && c != u'⋅' && c != u'*' && c != u'.' && c != u'^' && c != u'-')
            key += c;
    }
    return key;
}

template <std::size_t N> std::optional<double> findUnit(const UnitFactor (&units)[N], const QString &unit)
{
    const QString key = squeezed(unit);
    for (const UnitFactor &u : units)
        if (key == QLatin1String(u.key))
            return u.factor;
    return std::nullopt;
}

std::optional<double> unitFactor(Quantity quantity, const QString &unit)
{
    switch (quantity) {
    case Quantity::Inertia:
        return findUnit(InertiaUnits, unit);
    case Quantity::Speed:
        return findUnit(SpeedUnits, unit);
    case Quantity::Torque:
        return findUnit(TorqueUnits, unit);
    case Quantity::Voltage:
        return findUnit(VoltageUnits, unit);
    case Quantity::Percent:
        return findUnit(PercentUnits, unit);
    default:
        return std::nullopt;
    }
}

QString unitChoices(Quantity quantity)
{
    switch (quantity) {
    case Quantity::Inertia:
        return QStringLiteral("kg·m², kg·cm², kg·mm², g·cm², g·mm², lb·in² or lb·ft²");
    case Quantity::Speed:
        return QStringLiteral("rpm, rev/min, rad/s or rev/s");
    case Quantity::Torque:
        return QStringLiteral("N·m, N·cm, mN·m, kN·m, lbf·in, ozf·in or lbf·ft");
    case Quantity::Voltage:
        return QStringLiteral("V");
    case Quantity::Percent:
        return QStringLiteral("%");
    case Quantity::Curve:
        return QStringLiteral("a speed unit and a torque unit, as in [rpm:N·m]");
    default:
        return QString();
    }
}

bool hasUnit(Quantity q)
{
    return q != Quantity::Text && q != Quantity::Note && q != Quantity::Ratios;
}

// Where each column of the layout is in the rows and the units it is in.
struct Binding
{
    std::vector<int> cell;      // index into a row's cells by layout column; -1: absent
    std::vector<double> factor; // into SI; for a curve, the speed's
    std::vector<double> torqueFactor;
    std::vector<bool> named; // by a row's cell: whether its column has a heading
};

Binding writtenBinding(const TableLayout &layout)
{
    Binding b;
    for (int i = 0; i < layout.count; ++i) {
        const Column &c = layout.columns[i];
        const QString unit = QString::fromUtf8(c.unit);
        b.cell.push_back(i);
        if (c.quantity == Quantity::Curve) {
            b.factor.push_back(*unitFactor(Quantity::Speed, unit.section(u':', 0, 0)));
            b.torqueFactor.push_back(*unitFactor(Quantity::Torque, unit.section(u':', 1)));
        } else {
            b.factor.push_back(hasUnit(c.quantity) ? *unitFactor(c.quantity, unit) : 1.0);
            b.torqueFactor.push_back(1);
        }
    }
    b.named.assign(std::size_t(layout.count), true);
    return b;
}

QString shownNumber(double value)
{
    return QString::number(value, 'g', 15);
}

// A cell's words: split at spaces, tabs and semicolons.
QStringList words(const QString &cell)
{
    QStringList list;
    QString word;
    for (const QChar c : cell) {
        if (c == u' ' || c == u'\t' || c == u';') {
            if (!word.isEmpty())
                list << std::exchange(word, QString());
        } else {
            word += c;
        }
    }
    if (!word.isEmpty())
        list << word;
    return list;
}

// A cell's text as a message quotes it: at most 40 characters.
QString shortened(const QString &text)
{
    return text.size() > 40 ? text.left(39) + u'…' : text;
}

class Problems
{
public:
    explicit Problems(std::vector<TableProblem> &list) : m_list(list) {}
    void add(int line, int column, const QString &columnName, const QString &what)
    {
        if (full())
            return;
        m_list.push_back({line, column, columnName, what});
        if (full())
            m_list.push_back({0, 0, {}, QStringLiteral("Further problems are not listed")});
    }
    bool full() const { return int(m_list.size()) >= MaxTableProblems; }

private:
    std::vector<TableProblem> &m_list;
};

// The typed values of one row's cells; each problem is noted where it is.
class RowCells
{
public:
    RowCells(const TableLayout &layout, const Binding &binding, const QStringList &cells, int line,
             Problems &problems)
        : m_layout(layout), m_binding(binding), m_cells(cells), m_line(line), m_problems(problems)
    {}

    bool failed() const { return m_failed; }

    void problem(int column, const QString &what)
    {
        m_failed = true;
        const int at = m_binding.cell[column];
        m_problems.add(m_line, m_line > 0 && at >= 0 ? at + 1 : 0,
                       QString::fromUtf8(m_layout.columns[column].name), what);
    }

    QString raw(int column) const
    {
        const int at = m_binding.cell[column];
        return at >= 0 ? m_cells.value(at).trimmed() : QString();
    }

    std::optional<QString> text(int column, int maxChars)
    {
        const QString cell = raw(column);
        if (cell.isEmpty() && m_layout.columns[column].required) {
            problem(column, QStringLiteral("the name is missing"));
            return std::nullopt;
        }
        if (cell.size() > maxChars) {
            problem(column, QStringLiteral("longer than %1 characters").arg(maxChars));
            return std::nullopt;
        }
        // A spreadsheet opening the table would run a cell starting so as a
        // formula (which may fetch or start anything): never stored.
        if (!cell.isEmpty() && QStringLiteral("=+-@").contains(cell.front())) {
            problem(column, QStringLiteral("starts with \"%1\", which a spreadsheet would run as a formula")
                                .arg(cell.front()));
            return std::nullopt;
        }
        // A note may run over lines; nothing else may hold control characters.
        const bool lines = m_layout.columns[column].quantity == Quantity::Note;
        if (std::any_of(cell.cbegin(), cell.cend(), [lines](QChar c) {
                return c.category() == QChar::Other_Control && !(lines && c == u'\n');
            })) {
            problem(column, QStringLiteral("holds a line break or another control character"));
            return std::nullopt;
        }
        return cell;
    }

    // A number > 0 (or >= 0 when zeroAllowed) in SI; nullopt for an empty
    // cell of an optional column (and for a problem, noted).
    std::optional<double> number(int column, bool zeroAllowed = false)
    {
        const QString cell = raw(column);
        if (cell.isEmpty()) {
            if (m_layout.columns[column].required)
                problem(column, QStringLiteral("the value is missing"));
            return std::nullopt;
        }
        const std::optional<double> typed = readNumber(column, cell);
        if (!typed)
            return std::nullopt;
        return positive(column, *typed * m_binding.factor[column], zeroAllowed, cell);
    }

    std::optional<TorqueCurve> curve(int column, double maxSpeed, bool toTheEnd)
    {
        const QString cell = raw(column);
        // Told only when something is wrong: words cost more than the reading.
        const auto what = [&] {
            return QStringLiteral("the %1 curve")
                .arg(QString::fromUtf8(m_layout.columns[column].name).toLower());
        };
        if (cell.isEmpty()) {
            problem(column, QStringLiteral("the value is missing"));
            return std::nullopt;
        }
        if (!cell.contains(u':')) {
            const std::optional<double> typed = readNumber(column, cell);
            if (!typed)
                return std::nullopt;
            const std::optional<double> torque =
                positive(column, *typed * m_binding.torqueFactor[column], false, cell);
            if (!torque)
                return std::nullopt;
            return FlatCurve(*torque, maxSpeed);
        }
        const QStringList points = words(cell);
        if (points.size() > MaxCurvePoints) {
            problem(column, QStringLiteral("more than %1 points").arg(MaxCurvePoints));
            return std::nullopt;
        }
        TorqueCurve curve;
        for (const QString &point : points) {
            const qsizetype colon = point.indexOf(u':');
            if (colon < 0 || point.indexOf(u':', colon + 1) >= 0) {
                problem(column, QStringLiteral("\"%1\" is no point (write speed:torque, as 3000:1.27)")
                                    .arg(shortened(point)));
                return std::nullopt;
            }
            const std::optional<double> speed = readNumber(column, point.left(colon));
            const std::optional<double> torque =
                speed ? readNumber(column, point.mid(colon + 1)) : std::nullopt;
            if (!torque)
                return std::nullopt;
            curve.points.push_back(
                {*speed * m_binding.factor[column], *torque * m_binding.torqueFactor[column]});
        }
        if (!CurveProblem(curve, {}).isEmpty()) {
            QString shape = CurveProblem(curve, what());
            shape.chop(1);
            problem(column, shape.left(1).toLower() + shape.mid(1));
            return std::nullopt;
        }
        const double end = CurveEndSpeed(curve);
        const double slack = 1e-9 * maxSpeed;
        if (end > maxSpeed + slack || (toTheEnd && end < maxSpeed - slack)) {
            problem(column, QStringLiteral("%1 ends at %2 rpm, %3 the maximum speed of %4 rpm")
                                .arg(what(), shownNumber(end / Rpm),
                                     end > maxSpeed ? QStringLiteral("beyond") : QStringLiteral("short of"),
                                     shownNumber(maxSpeed / Rpm)));
            return std::nullopt;
        }
        // Within rounding of the maximum speed is at it.
        curve.points.back().speed = toTheEnd ? maxSpeed : std::min(end, maxSpeed);
        if (!CurveProblem(curve, {}).isEmpty()) {
            problem(column, QStringLiteral("%1 has two points at the maximum speed").arg(what()));
            return std::nullopt;
        }
        return curve;
    }

    std::optional<std::vector<double>> ratios(int column)
    {
        const QString cell = raw(column);
        const QStringList listed = words(cell);
        if (listed.isEmpty()) {
            problem(column, QStringLiteral("the value is missing"));
            return std::nullopt;
        }
        if (listed.size() > MaxRatios) {
            problem(column, QStringLiteral("more than %1 ratios").arg(MaxRatios));
            return std::nullopt;
        }
        std::vector<double> ratios;
        for (const QString &word : listed) {
            const std::optional<double> typed = readNumber(column, word);
            if (!typed || !positive(column, *typed, false, word))
                return std::nullopt;
            ratios.push_back(*typed);
        }
        return ratios;
    }

private:
    std::optional<double> readNumber(int column, const QString &text)
    {
        const QByteArray latin = text.trimmed().toLatin1();
        const char *first = latin.constData();
        const char *last = first + latin.size();
        if (first != last && *first == '+')
            ++first;
        double value = 0;
        const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
        const bool plain = std::all_of(first, last, [](char c) {
            return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == 'e' || c == 'E' || c == '+';
        });
        if (plain && end == last && error == std::errc::result_out_of_range) {
            problem(column, QStringLiteral("%1 is out of range").arg(shortened(text)));
            return std::nullopt;
        }
        if (first == last || error != std::errc() || end != last || !plain || !std::isfinite(value)) {
            problem(column, text.contains(u',')
                                ? QStringLiteral("\"%1\" is not a number (write the decimal mark as a point)")
                                      .arg(shortened(text))
                                : QStringLiteral("\"%1\" is not a number").arg(shortened(text)));
            return std::nullopt;
        }
        return value;
    }

    std::optional<double> positive(int column, double value, bool zeroAllowed, const QString &text)
    {
        if (!std::isfinite(value)) {
            problem(column, QStringLiteral("%1 is too large").arg(shortened(text)));
            return std::nullopt;
        }
        if (value < 0 || (value == 0 && !zeroAllowed)) {
            problem(column, zeroAllowed ? QStringLiteral("%1 is negative").arg(shortened(text))
                                        : QStringLiteral("%1 is not above zero").arg(shortened(text)));
            return std::nullopt;
        }
        return value;
    }

    const TableLayout &m_layout;
    const Binding &m_binding;
    const QStringList &m_cells;
    int m_line;
    Problems &m_problems;
    bool m_failed = false;
};

std::optional<MotorRecord> readMotor(RowCells &row)
{
    MotorRecord m;
    const std::optional<QString> name = row.text(MName, MaxNameChars);
    const std::optional<QString> note = row.text(MNote, MaxNoteChars);
    const std::optional<double> inertia = row.number(MInertia);
    const std::optional<double> maxSpeed = row.number(MMaxSpeed);
    const std::optional<double> voltage = row.number(MVoltage);
    const std::optional<double> brake = row.number(MBrake);
    if (maxSpeed) {
        const std::optional<TorqueCurve> peak = row.curve(MPeak, *maxSpeed, true);
        const std::optional<TorqueCurve> continuous = row.curve(MContinuous, *maxSpeed, false);
        if (peak && continuous) {
            // Both curves' corners: a straight line between them cannot cross above elsewhere.
            for (const TorqueCurve *curve : {&*peak, &*continuous}) {
                for (const TorquePoint &p : curve->points) {
                    if (p.speed <= CurveEndSpeed(*continuous) &&
                        TorqueAt(*continuous, p.speed) > TorqueAt(*peak, p.speed) * (1 + 1e-12)) {
                        row.problem(MContinuous,
                                    QStringLiteral("the continuous torque is above the peak torque at "
                                                   "%1 rpm")
                                        .arg(shownNumber(p.speed / Rpm)));
                        return std::nullopt;
                    }
                }
            }
            m.peak = *peak;
            m.continuous = *continuous;
        }
    }
    if (row.failed())
        return std::nullopt;
    m.name = *name;
    m.note = *note;
    m.rotorInertia = *inertia;
    m.maxSpeed = *maxSpeed;
    m.ratedVoltage = voltage;
    m.brakeTorque = brake;
    return m;
}

std::optional<GearboxRecord> readGearbox(RowCells &row)
{
    GearboxRecord g;
    const std::optional<QString> name = row.text(GName, MaxNameChars);
    const std::optional<QString> note = row.text(GNote, MaxNoteChars);
    const std::optional<std::vector<double>> ratios = row.ratios(GRatios);
    const std::optional<double> inertia = row.number(GInertia, true);
    const std::optional<double> efficiency = row.number(GEfficiency);
    const std::optional<double> peak = row.number(GPeak);
    const std::optional<double> continuous = row.number(GContinuous);
    const std::optional<double> maxSpeed = row.number(GMaxSpeed);
    if (efficiency && *efficiency > 1)
        row.problem(GEfficiency, QStringLiteral("an efficiency above 100 %"));
    if (peak && continuous && *continuous > *peak)
        row.problem(GContinuous,
                    QStringLiteral("the continuous output torque is above the peak output torque"));
    if (row.failed())
        return std::nullopt;
    g.name = *name;
    g.note = *note;
    g.ratios = *ratios;
    g.inputInertia = *inertia;
    g.efficiency = *efficiency;
    g.peakOutputTorque = *peak;
    g.continuousOutputTorque = *continuous;
    g.maxInputSpeed = *maxSpeed;
    return g;
}

// Reads the marker row (when there) and the column names into binding.
// Gives the index of the first record row, or -1 after a problem.
int readHead(const TableLayout &layout, const std::vector<CsvRow> &rows, MarkerRow marker, Binding &binding,
             Problems &problems)
{
    std::size_t at = 0;
    const QString markerName = QString::fromLatin1(layout.marker);
    const auto isMarker = [](const CsvRow &row, const char *name) {
        return !row.cells.isEmpty() &&
               row.cells.front().trimmed().compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (rows.empty()) {
        if (marker == MarkerRow::Required)
            problems.add(0, 0, {},
                         QStringLiteral("the file is empty; a %1 table begins with the line \"%2,%3\"")
                             .arg(QLatin1String(layout.record), markerName)
                             .arg(TableVersion));
        else
            problems.add(0, 0, {}, QStringLiteral("the file is empty"));
        return -1;
    }
    const auto semicolons = [&problems](const CsvRow &row) {
        if (row.cells.size() != 1 || !row.cells.front().contains(u';'))
            return false;
        problems.add(row.line, 0, {},
                     QStringLiteral("the columns are separated by semicolons; save the table with commas "
                                    "between the columns"));
        return true;
    };
    if (semicolons(rows[0]))
        return -1;
    if (isMarker(rows[0], layout.marker)) {
        const CsvRow &row = rows[0];
        bool number = false;
        const int version = row.cells.value(1).trimmed().toInt(&number);
        if (!number || version < 1) {
            problems.add(row.line, 2, {},
                         QStringLiteral("\"%1\" is no table version").arg(row.cells.value(1)));
            return -1;
        }
        if (version > TableVersion) {
            problems.add(row.line, 2, {},
                         QStringLiteral("the table is of version %1, made by a newer Torvane "
                                        "Toolbar; this one reads version %2")
                             .arg(version)
                             .arg(TableVersion));
            return -1;
        }
        for (qsizetype c = 2; c < row.cells.size(); ++c)
            if (!row.cells[c].trimmed().isEmpty()) {
                problems.add(row.line, int(c) + 1, {},
                             QStringLiteral("unexpected text after the table version"));
                return -1;
            }
        ++at;
    } else if (marker == MarkerRow::Required) {
        const char *other = &layout == &MotorLayout ? GearboxLayout.marker : MotorLayout.marker;
        problems.add(rows[0].line, 1, {},
                     isMarker(rows[0], other)
                         ? QStringLiteral("this is a %1, not a %2 table")
                               .arg(QString::fromLatin1(other).mid(8), QLatin1String(layout.record))
                         : QStringLiteral("a %1 table begins with the line \"%2,%3\"")
                               .arg(QLatin1String(layout.record), markerName)
                               .arg(TableVersion));
        return -1;
    }
    if (at >= rows.size()) {
        problems.add(0, 0, {}, QStringLiteral("the line naming the columns is missing"));
        return -1;
    }
    const CsvRow &head = rows[at];
    if (semicolons(head))
        return -1;
    binding.cell.assign(std::size_t(layout.count), -1);
    binding.factor.assign(std::size_t(layout.count), 1.0);
    binding.torqueFactor.assign(std::size_t(layout.count), 1.0);
    bool bad = false;
    binding.named.assign(std::size_t(head.cells.size()), false);
    for (qsizetype c = 0; c < head.cells.size(); ++c) {
        const QString cell = head.cells[c].trimmed();
        if (cell.isEmpty())
            continue;
        binding.named[std::size_t(c)] = true;
        const auto fail = [&](const QString &what) {
            problems.add(head.line, int(c) + 1, {}, what);
            bad = true;
        };
        const qsizetype open = cell.indexOf(u'[');
        const QString name = (open < 0 ? cell : cell.left(open)).trimmed();
        const QString unit =
            open < 0 ? QString() : cell.mid(open + 1).chopped(cell.endsWith(u']') ? 1 : 0).trimmed();
        if (open >= 0 && !cell.endsWith(u']')) {
            fail(QStringLiteral("the unit in \"%1\" lacks its closing bracket").arg(shortened(cell)));
            continue;
        }
        int column = -1;
        for (int i = 0; i < layout.count; ++i)
            if (name.compare(QLatin1String(layout.columns[i].name), Qt::CaseInsensitive) == 0)
                column = i;
        if (column < 0) {
            QStringList names;
            for (int i = 0; i < layout.count; ++i)
                names << QString::fromLatin1(layout.columns[i].name);
            fail(QStringLiteral("\"%1\" is not a column of a %2 table (its columns: %3)")
                     .arg(shortened(name), QLatin1String(layout.record), names.join(QStringLiteral(", "))));
            continue;
        }
        if (binding.cell[std::size_t(column)] >= 0) {
            fail(QStringLiteral("the column \"%1\" is named twice").arg(name));
            continue;
        }
        const Quantity q = layout.columns[column].quantity;
        if (!hasUnit(q)) {
            if (open >= 0)
                fail(QStringLiteral("the column \"%1\" takes no unit").arg(name));
        } else if (unit.isEmpty()) {
            fail(QStringLiteral("the column \"%1\" needs its unit in brackets, as in \"%1 [%2]\"")
                     .arg(name, QString::fromUtf8(layout.columns[column].unit)));
        } else if (q == Quantity::Curve) {
            const std::optional<double> speed = unitFactor(Quantity::Speed, unit.section(u':', 0, 0));
            const std::optional<double> torque =
                unit.count(u':') == 1 ? unitFactor(Quantity::Torque, unit.section(u':', 1)) : std::nullopt;
            if (!speed || !torque)
                fail(QStringLiteral("\"%1\" is not a unit this column takes: %2")
                         .arg(shortened(unit), unitChoices(q)));
            else {
                binding.factor[std::size_t(column)] = *speed;
                binding.torqueFactor[std::size_t(column)] = *torque;
            }
        } else if (const std::optional<double> factor = unitFactor(q, unit)) {
            binding.factor[std::size_t(column)] = *factor;
        } else {
            fail(QStringLiteral("\"%1\" is not a unit this column takes: %2")
                     .arg(shortened(unit), unitChoices(q)));
        }
        binding.cell[std::size_t(column)] = int(c);
    }
    for (int i = 0; i < layout.count; ++i)
        if (layout.columns[i].required && binding.cell[std::size_t(i)] < 0) {
            problems.add(
                head.line, 0, {},
                QStringLiteral("the column \"%1\" is missing").arg(QLatin1String(layout.columns[i].name)));
            bad = true;
        }
    return bad ? -1 : int(at) + 1;
}

template <class Record, class ReadRow>
DriveTableRead<Record> readTable(const TableLayout &layout, const QByteArray &bytes, MarkerRow marker,
                                 ReadRow readRow)
{
    DriveTableRead<Record> read;
    Problems problems(read.problems);
    if (bytes.size() > MaxDriveTableBytes) {
        problems.add(0, 0, {}, QStringLiteral("the file is larger than %1 MB").arg(MaxDriveTableBytes >> 20));
        return read;
    }
    const CsvText csv = ReadCsv(bytes, {MaxDriveTableRows + 3, 4096, 64});
    if (!csv.ok()) {
        problems.add(csv.line, csv.column, {}, csv.problem);
        return read;
    }
    Binding binding;
    const int first = readHead(layout, csv.rows, marker, binding, problems);
    if (first < 0)
        return read;
    if (csv.rows.size() - std::size_t(first) > std::size_t(MaxDriveTableRows)) {
        problems.add(csv.rows[std::size_t(first + MaxDriveTableRows)].line, 0, {},
                     QStringLiteral("more than %1 %2s; a table holds at most %1")
                         .arg(MaxDriveTableRows)
                         .arg(QLatin1String(layout.record)));
        return read;
    }
    QHash<QString, int> names; // folded name → line
    std::vector<Record> records;
    for (std::size_t r = std::size_t(first); r < csv.rows.size() && !problems.full(); ++r) {
        const CsvRow &row = csv.rows[r];
        if (std::all_of(row.cells.cbegin(), row.cells.cend(),
                        [](const QString &c) { return c.trimmed().isEmpty(); }))
            continue; // a blank row a spreadsheet left
        bool extra = false;
        for (qsizetype c = 0; c < row.cells.size(); ++c)
            if (!(std::size_t(c) < binding.named.size() && binding.named[std::size_t(c)]) &&
                !row.cells[c].trimmed().isEmpty() && !extra) {
                problems.add(row.line, int(c) + 1, {}, QStringLiteral("a value under no named column"));
                extra = true;
            }
        RowCells cells(layout, binding, row.cells, row.line, problems);
        std::optional<Record> record = readRow(cells);
        if (record) {
            const QString key = record->name.toCaseFolded();
            if (const auto seen = names.constFind(key); seen != names.cend()) {
                cells.problem(0, QStringLiteral("a %1 named \"%2\" is on line %3 already")
                                     .arg(QLatin1String(layout.record), record->name)
                                     .arg(*seen));
                continue;
            }
            names.insert(key, row.line);
            if (!extra)
                records.push_back(std::move(*record));
        }
    }
    if (read.problems.empty())
        read.records = std::move(records);
    return read;
}

template <class Record>
DriveTableRead<Record> loadTable(const QString &path,
                                 DriveTableRead<Record> (*read)(const QByteArray &, MarkerRow))
{
    const FileRead file = ReadRegularFile(path, MaxDriveTableBytes);
    if (file.missing) {
        DriveTableRead<Record> empty;
        empty.missing = true;
        return empty;
    }
    if (!file.bytes) {
        DriveTableRead<Record> refused;
        refused.problems.push_back({0, 0, {}, file.problem});
        refused.fileProblem = file.problem;
        return refused;
    }
    return read(*file.bytes, MarkerRow::Required);
}

QStringList columns(const TableLayout &layout)
{
    QStringList names;
    for (int i = 0; i < layout.count; ++i) {
        const Column &c = layout.columns[i];
        names << (hasUnit(c.quantity)
                      ? QStringLiteral("%1 [%2]").arg(QLatin1String(c.name), QString::fromUtf8(c.unit))
                      : QString::fromLatin1(c.name));
    }
    return names;
}

QString curveCell(const TorqueCurve &curve, double maxSpeed)
{
    const auto &p = curve.points;
    if (p.size() == 2 && p[0].torque == p[1].torque && p[1].speed == maxSpeed)
        return shownNumber(p[0].torque);
    QStringList points;
    for (const TorquePoint &point : p)
        points << shownNumber(point.speed / Rpm) + u':' + shownNumber(point.torque);
    return points.join(u' ');
}

QString optionalCell(const std::optional<double> &value)
{
    return value ? shownNumber(*value) : QString();
}

template <class Record>
QByteArray tableBytes(const TableLayout &layout, const std::vector<Record> &records,
                      QStringList (*cells)(const Record &))
{
    QString text = QStringLiteral("\uFEFF%1,%2\r\n").arg(QLatin1String(layout.marker)).arg(TableVersion);
    text += CsvLine(columns(layout));
    for (const Record &record : records)
        text += CsvLine(cells(record));
    return text.toUtf8();
}

template <class Record, class ReadRow>
std::optional<Record> fromCells(const TableLayout &layout, const QStringList &cells,
                                std::vector<TableProblem> &list, ReadRow readRow)
{
    Problems problems(list);
    const Binding binding = writtenBinding(layout);
    RowCells row(layout, binding, cells, 0, problems);
    return readRow(row);
}

} // namespace

QString DriveTableFileName(DriveTableKind kind)
{
    return kind == DriveTableKind::Motors ? QStringLiteral("motors.csv") : QStringLiteral("gearboxes.csv");
}

QString TableProblem::text() const
{
    const QString where = columnName.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(columnName);
    QString sentence = what.left(1).toUpper() + what.mid(1);
    if (line > 0 && column > 0)
        sentence = QStringLiteral("Line %1, column %2%3: %4").arg(line).arg(column).arg(where, what);
    else if (line > 0)
        sentence = QStringLiteral("Line %1: %2").arg(line).arg(what);
    else if (!columnName.isEmpty())
        sentence = QStringLiteral("%1: %2").arg(columnName, what);
    return sentence + u'.';
}

template <class Record> QString DriveTableRead<Record>::message(const QString &fileName) const
{
    if (!fileProblem.isEmpty())
        return OpenFailureMessage(fileName, fileProblem);
    if (problems.empty())
        return QString();
    QStringList lines{OpenFailureMessage(fileName, QStringLiteral("the table is damaged"))};
    for (const TableProblem &problem : problems)
        lines << problem.text();
    return lines.join(u'\n');
}
template struct DriveTableRead<MotorRecord>;
template struct DriveTableRead<GearboxRecord>;

MotorTableRead ReadMotorTable(const QByteArray &bytes, MarkerRow marker)
{
    return readTable<MotorRecord>(MotorLayout, bytes, marker, readMotor);
}

GearboxTableRead ReadGearboxTable(const QByteArray &bytes, MarkerRow marker)
{
    return readTable<GearboxRecord>(GearboxLayout, bytes, marker, readGearbox);
}

MotorTableRead LoadMotorTable(const QString &path)
{
    return loadTable<MotorRecord>(path, ReadMotorTable);
}

GearboxTableRead LoadGearboxTable(const QString &path)
{
    return loadTable<GearboxRecord>(path, ReadGearboxTable);
}

QStringList MotorColumns()
{
    return columns(MotorLayout);
}

QStringList GearboxColumns()
{
    return columns(GearboxLayout);
}

QStringList MotorCells(const MotorRecord &m)
{
    return {m.name,
            m.note,
            shownNumber(m.rotorInertia / 1e-4),
            shownNumber(m.maxSpeed / Rpm),
            curveCell(m.peak, m.maxSpeed),
            curveCell(m.continuous, m.maxSpeed),
            optionalCell(m.ratedVoltage),
            optionalCell(m.brakeTorque)};
}

QStringList GearboxCells(const GearboxRecord &g)
{
    QStringList ratios;
    for (const double ratio : g.ratios)
        ratios << shownNumber(ratio);
    return {g.name,
            g.note,
            ratios.join(u' '),
            shownNumber(g.inputInertia / 1e-4),
            shownNumber(g.efficiency * 100),
            shownNumber(g.peakOutputTorque),
            shownNumber(g.continuousOutputTorque),
            shownNumber(g.maxInputSpeed / Rpm)};
}

std::optional<MotorRecord> MotorFromCells(const QStringList &cells, std::vector<TableProblem> &problems)
{
    return fromCells<MotorRecord>(MotorLayout, cells, problems, readMotor);
}

std::optional<GearboxRecord> GearboxFromCells(const QStringList &cells, std::vector<TableProblem> &problems)
{
    return fromCells<GearboxRecord>(GearboxLayout, cells, problems, readGearbox);
}

QByteArray MotorTableBytes(const std::vector<MotorRecord> &motors)
{
    return tableBytes(MotorLayout, motors, MotorCells);
}

QByteArray GearboxTableBytes(const std::vector<GearboxRecord> &gearboxes)
{
    return tableBytes(GearboxLayout, gearboxes, GearboxCells);
}

FileWrite SaveMotorTable(const QString &path, const std::vector<MotorRecord> &motors)
{
    return WriteFileAtomically(path, MotorTableBytes(motors));
}

FileWrite SaveGearboxTable(const QString &path, const std::vector<GearboxRecord> &gearboxes)
{
    return WriteFileAtomically(path, GearboxTableBytes(gearboxes));
}
