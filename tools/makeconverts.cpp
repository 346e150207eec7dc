// Generates converts.dat from the reviewed unit table (resources/units/units.txt).
// Usage: makeconverts <units.txt> <converts.dat>
//
// Every problem is reported as "<file>:<line>: error: ..." and makes the tool
// exit non-zero without touching the output, so a bad edit of the table fails
// the build instead of shipping a broken converts.dat.

#include "diagnostics.h"

#include "core/fixedtext.h"
#include "units/conversiontable.h"

#include <QByteArray>
#include <QFile>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QSaveFile>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <optional>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isNameStart(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || isAsciiDigit(c);
}

// Recursive-descent evaluator for factor and offset expressions: numbers,
// named constants, + - * / ^ and parentheses, in double precision.
//   expression := term { ('+' | '-') term }
//   term       := unary { ('*' | '/') unary }
//   unary      := ('+' | '-') unary | power
//   power      := primary [ '^' unary ]          (right-associative, binds tighter than unary minus)
//   primary    := number | name | '(' expression ')'
class ExpressionEvaluator
{
public:
    ExpressionEvaluator(const QString &text, const QHash<QString, double> &constants)
        : m_text(text), m_constants(constants)
    {}

    std::optional<double> evaluate(QString *error)
    {
        skipSpaces();
        if (atEnd()) {
            *error = QStringLiteral("empty expression");
            return std::nullopt;
        }
        const double value = expression();
        skipSpaces();
        if (m_error.isEmpty() && !atEnd())
            fail(QStringLiteral("unexpected '%1'").arg(m_text.at(m_pos)));
        if (!m_error.isEmpty()) {
            *error = QStringLiteral("in expression '%1': %2").arg(m_text, m_error);
            return std::nullopt;
        }
        return value;
    }

private:
    // Deep enough for any real expression, shallow enough that nesting cannot exhaust the stack.
    static constexpr int MaxDepth = 64;

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return atEnd() ? QChar() : m_text.at(m_pos); }
    void skipSpaces()
    {
        while (!atEnd() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }
    bool accept(QChar c)
    {
        skipSpaces();
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    double fail(const QString &message)
    {
        if (m_error.isEmpty())
            m_error = message;
        return 0;
    }
    double checked(double value, const char *operation)
    {
        if (!std::isfinite(value))
            return fail(QStringLiteral("%1 gives a result that is not a finite number")
                            .arg(QLatin1String(operation)));
        return value;
    }

    double expression()
    {
        double value = term();
        while (m_error.isEmpty()) {
            if (accept(QLatin1Char('+')))
                value = checked(value + term(), "addition");
            else if (accept(QLatin1Char('-')))
                value = checked(value - term(), "subtraction");
            else
                break;
        }
        return value;
    }

    double term()
    {
        double value = unary();
        while (m_error.isEmpty()) {
            if (accept(QLatin1Char('*'))) {
                value = checked(value * unary(), "multiplication");
            } else if (accept(QLatin1Char('/'))) {
                const double divisor = unary();
                if (divisor == 0 && m_error.isEmpty())
                    return fail(QStringLiteral("division by zero"));
                value = checked(value / divisor, "division");
            } else {
                break;
            }
        }
        return value;
    }

    double unary()
    {
        if (++m_depth > MaxDepth) {
            --m_depth;
            return fail(QStringLiteral("expression nested too deeply"));
        }
        double value;
        if (accept(QLatin1Char('-')))
            value = -unary();
        else if (accept(QLatin1Char('+')))
            value = unary();
        else
            value = power();
        --m_depth;
        return value;
    }

    double power()
    {
        const double base = primary();
        if (m_error.isEmpty() && accept(QLatin1Char('^')))
            return checked(std::pow(base, unary()), "power");
        return base;
    }

    double primary()
    {
        skipSpaces();
        if (atEnd())
            return fail(QStringLiteral("expression ends where a value is expected"));
        const QChar c = peek();
        if (c == QLatin1Char('(')) {
            ++m_pos;
            const double value = expression();
            if (m_error.isEmpty() && !accept(QLatin1Char(')')))
                return fail(QStringLiteral("missing ')'"));
            return value;
        }
        if (isAsciiDigit(c) || c == QLatin1Char('.'))
            return number();
        if (isNameStart(c))
            return constant();
        return fail(QStringLiteral("unexpected '%1'").arg(c));
    }

    double number()
    {
        const qsizetype start = m_pos;
        while (isAsciiDigit(peek()) || peek() == QLatin1Char('.'))
            ++m_pos;
        if (peek() == QLatin1Char('e') || peek() == QLatin1Char('E')) {
            qsizetype p = m_pos + 1;
            if (p < m_text.size() && (m_text.at(p) == QLatin1Char('+') || m_text.at(p) == QLatin1Char('-')))
                ++p;
            if (p < m_text.size() && isAsciiDigit(m_text.at(p))) {
                m_pos = p;
                while (isAsciiDigit(peek()))
                    ++m_pos;
            }
        }
        const QString token = m_text.mid(start, m_pos - start);
        bool ok = false;
        const double value = QLocale::c().toDouble(token, &ok);
        if (!ok || !std::isfinite(value))
            return fail(QStringLiteral("'%1' is not a valid number").arg(token));
        return value;
    }

    double constant()
    {
        const qsizetype start = m_pos;
        while (isNameChar(peek()))
            ++m_pos;
        const QString name = m_text.mid(start, m_pos - start);
        const auto found = m_constants.constFind(name);
        if (found == m_constants.constEnd())
            return fail(QStringLiteral("unknown constant '%1'").arg(name));
        return *found;
    }

    const QString m_text;
    const QHash<QString, double> &m_constants;
    qsizetype m_pos = 0;
    int m_depth = 0;
    QString m_error;
};

// Printable characters that one Windows-1252 byte can hold.
bool isWindows1252Printable(QChar c)
{
    static const QString high = QStringLiteral(
        u"\u20AC\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u017D\u2018\u2019\u201C"
        u"\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u017E\u0178");
    const char16_t u = c.unicode();
    return (u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF) || high.contains(c);
}

struct UnitRow
{
    int line = 0;
    QString name;
    QString type;
    double factor = 0;
    double offset = 0;
    bool display = false;
    QString sameAs;
    bool valid = false; // false when the row had an error: it is kept only to avoid follow-up errors
};

// Names declared on one "distinct" line.
struct DistinctNames
{
    int line = 0;
    QStringList names;
};

class TableBuilder
{
public:
    explicit TableBuilder(Diagnostics &diagnostics) : m_diag(diagnostics)
    {
        m_required = {{QStringLiteral("kg"), QStringLiteral("Mass")},
                      {QStringLiteral("m"), QStringLiteral("Linear distance")},
                      {QStringLiteral("kg/m³"), QStringLiteral("Density")},
                      {QStringLiteral("kg-m²"), QStringLiteral("Inertia")}};
    }

    void parse(const QString &text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            QString line = lines.at(i);
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            parseLine(i + 1, line);
        }
    }

    void validate()
    {
        if (m_rows.isEmpty()) {
            m_diag.error(QStringLiteral("the table has no unit rows"));
            return;
        }
        if (m_rows.size() > MaxConversionRecords)
            m_diag.error(QStringLiteral("%1 units exceed the limit of %2 records")
                             .arg(m_rows.size())
                             .arg(MaxConversionRecords));
        resolveAliases();
        checkCaseTwins();
        checkBases();
        checkRequiredBases();
    }

    QList<ConversionRecord> records() const
    {
        QList<ConversionRecord> result;
        result.reserve(m_rows.size());
        for (const UnitRow &row : m_rows) {
            ConversionRecord record;
            record.UnitName = PadRight(row.name, UnitNameWidth);
            record.XFactor = static_cast<float>(row.factor);
            record.PlusFactor = static_cast<float>(row.offset);
            record.UnitType = PadRight(row.type, UnitTypeWidth);
            record.DisplayUnit = row.display;
            record.SameAs = PadRight(row.sameAs, UnitNameWidth);
            result.append(record);
        }
        return result;
    }

    const QList<UnitRow> &rows() const { return m_rows; }
    int typeCount() const { return static_cast<int>(m_typeLine.size()); }

private:
    void parseLine(int lineNo, const QString &line)
    {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#')))
            return;
        if (trimmed.startsWith(QLatin1String("const")) && trimmed.size() > 5 && trimmed.at(5).isSpace()) {
            parseConstant(lineNo, trimmed.mid(6));
            return;
        }
        if (trimmed.startsWith(QLatin1String("distinct")) && trimmed.size() > 8 && trimmed.at(8).isSpace()) {
            parseDistinct(lineNo, trimmed.mid(9));
            return;
        }
        const QStringList columns = trimmed.split(QLatin1Char('|'));
        if (columns.size() != 7) {
            m_diag.error(lineNo, QStringLiteral("expected 7 columns separated by '|' (name | type | factor | "
                                                "offset | display | same-as | source), found %1")
                                     .arg(columns.size()));
            return;
        }
        parseUnit(lineNo, columns);
    }

    void parseConstant(int lineNo, QString definition)
    {
        const qsizetype comment = definition.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            definition.truncate(comment);
        const qsizetype equals = definition.indexOf(QLatin1Char('='));
        if (equals < 0) {
            m_diag.error(lineNo, QStringLiteral("a constant line reads 'const <name> = <expression>'"));
            return;
        }
        const QString name = definition.left(equals).trimmed();
        if (!isIdentifier(name)) {
            m_diag.error(lineNo, QStringLiteral("'%1' is not a valid constant name (letters, digits and '_', "
                                                "starting with a letter)")
                                     .arg(name));
            return;
        }
        if (m_constantLine.contains(name)) {
            m_diag.error(lineNo, QStringLiteral("constant '%1' is already defined at line %2")
                                     .arg(name)
                                     .arg(m_constantLine.value(name)));
            return;
        }
        QString error;
        const std::optional<double> value =
            ExpressionEvaluator(definition.mid(equals + 1).trimmed(), m_constants).evaluate(&error);
        m_constantLine.insert(name, lineNo);
        if (!value) {
            m_diag.error(lineNo, QStringLiteral("constant '%1': %2").arg(name, error));
            return;
        }
        m_constants.insert(name, *value);
    }

    // "distinct nm Nm": standard symbols that differ only in letter case.
    void parseDistinct(int lineNo, QString names)
    {
        const qsizetype comment = names.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            names.truncate(comment);
        const QStringList list = names.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = list.size() >= 2;
        for (const QString &name : list)
            ok = ok && name.compare(list.first(), Qt::CaseInsensitive) == 0 && list.count(name) == 1;
        if (!ok) {
            m_diag.error(lineNo, QStringLiteral("a distinct line names two or more units that differ only in "
                                                "letter case: 'distinct <name> <name> ...'"));
            return;
        }
        m_distinct.append({lineNo, list});
    }

    void parseUnit(int lineNo, QStringList columns)
    {
        for (QString &column : columns)
            column = column.trimmed();
        UnitRow row;
        row.line = lineNo;
        row.name = columns.at(0);
        row.type = columns.at(1);
        row.sameAs = columns.at(5);
        bool ok = checkText(lineNo, QStringLiteral("unit name"), row.name, UnitNameWidth);
        if (ok && row.name.contains(QLatin1Char('.'))) {
            m_diag.error(lineNo,
                         QStringLiteral("unit name '%1' contains '.': pasted unit texts lose every '.', "
                                        "so it could never be matched")
                             .arg(row.name));
            ok = false;
        }
        ok = checkText(lineNo, QStringLiteral("unit type"), row.type, UnitTypeWidth) && ok;

        const QString display = columns.at(4);
        if (display == QLatin1String("yes")) {
            row.display = true;
        } else if (display != QLatin1String("no")) {
            m_diag.error(lineNo, QStringLiteral("display must be 'yes' or 'no', not '%1'").arg(display));
            ok = false;
        }

        if (row.display) {
            // A copied "value<Tab>name" is pasted back by splitting at the first space, if any.
            if (row.name.contains(QLatin1Char(' '))) {
                m_diag.error(lineNo, QStringLiteral("display unit '%1' contains a space: a copied value and "
                                                    "unit could not be pasted back; only aliases may")
                                         .arg(row.name));
                ok = false;
            }
            if (!row.sameAs.isEmpty()) {
                m_diag.error(lineNo,
                             QStringLiteral("display unit '%1' must leave same-as empty").arg(row.name));
                ok = false;
            }
            ok = parseFactors(lineNo, row, columns.at(2), columns.at(3)) && ok;
        } else {
            if (row.sameAs.isEmpty()) {
                m_diag.error(
                    lineNo, QStringLiteral("alias '%1' needs a same-as unit (the display unit it stands for)")
                                .arg(row.name));
                ok = false;
            }
            if (!columns.at(2).isEmpty() || !columns.at(3).isEmpty()) {
                m_diag.error(lineNo,
                             QStringLiteral("alias '%1' takes factor and offset from its same-as unit; "
                                            "leave both columns empty")
                                 .arg(row.name));
                ok = false;
            }
        }

        ok = registerName(row) && ok;
        ok = registerType(row) && ok;
        row.valid = ok;
        m_rows.append(row);
    }

    bool parseFactors(int lineNo, UnitRow &row, const QString &factorText, const QString &offsetText)
    {
        QString error;
        const std::optional<double> factor = ExpressionEvaluator(factorText, m_constants).evaluate(&error);
        if (!factor) {
            m_diag.error(lineNo, QStringLiteral("factor of '%1': %2").arg(row.name, error));
            return false;
        }
        const std::optional<double> offset = ExpressionEvaluator(offsetText, m_constants).evaluate(&error);
        if (!offset) {
            m_diag.error(lineNo, QStringLiteral("offset of '%1': %2").arg(row.name, error));
            return false;
        }
        // The stored values are floats: they must survive that rounding as usable numbers.
        const double storedFactor = static_cast<float>(*factor);
        if (!(*factor > 0) || !std::isfinite(storedFactor) || storedFactor < FLT_MIN) {
            m_diag.error(lineNo, QStringLiteral("factor of '%1' is %2: it must be positive and within the "
                                                "single-precision range")
                                     .arg(row.name)
                                     .arg(*factor, 0, 'g', 17));
            return false;
        }
        if (!std::isfinite(static_cast<float>(*offset))) {
            m_diag.error(lineNo, QStringLiteral("offset of '%1' is %2: beyond the single-precision range")
                                     .arg(row.name)
                                     .arg(*offset, 0, 'g', 17));
            return false;
        }
        row.factor = *factor;
        row.offset = *offset;
        return true;
    }

    bool checkText(int lineNo, const QString &what, const QString &text, int width)
    {
        if (text.isEmpty()) {
            m_diag.error(lineNo, QStringLiteral("%1 is empty").arg(what));
            return false;
        }
        if (text.size() > width) {
            m_diag.error(lineNo, QStringLiteral("%1 '%2' has %3 characters; at most %4 fit")
                                     .arg(what, text)
                                     .arg(text.size())
                                     .arg(width));
            return false;
        }
        for (QChar c : text) {
            if (!isWindows1252Printable(c)) {
                m_diag.error(lineNo, QStringLiteral("%1 '%2' contains U+%3, which Windows-1252 cannot store")
                                         .arg(what, text)
                                         .arg(c.unicode(), 4, 16, QLatin1Char('0')));
                return false;
            }
        }
        return true;
    }

    // Names are unique. Names that differ only in letter case are checked
    // once the whole table is read (checkCaseTwins).
    bool registerName(const UnitRow &row)
    {
        if (row.name.isEmpty())
            return false;
        const auto found = m_nameRow.constFind(row.name);
        if (found == m_nameRow.constEnd()) {
            const int index = static_cast<int>(m_rows.size());
            m_nameRow.insert(row.name, index);
            m_caseFolded[row.name.toLower()].append(index);
            return true;
        }
        m_diag.error(row.line, QStringLiteral("unit name '%1' is already used at line %2")
                                   .arg(row.name)
                                   .arg(m_rows.at(*found).line));
        return false;
    }

    bool declaredDistinct(const QString &a, const QString &b) const
    {
        for (const DistinctNames &declared : m_distinct) {
            if (declared.names.contains(a) && declared.names.contains(b))
                return true;
        }
        return false;
    }

    // A pasted name is matched as written first and without regard to case
    // only when that is unambiguous, so names such as nm (nanometre) and Nm
    // (newton metre) can both exist. Each such pair must be declared on a
    // distinct line, so that a slip of the shift key cannot add a unit.
    void checkCaseTwins()
    {
        for (const UnitRow &row : std::as_const(m_rows)) {
            for (int earlier : m_caseFolded.value(row.name.toLower())) {
                const UnitRow &first = m_rows.at(earlier);
                if (first.line >= row.line)
                    break;
                if (!declaredDistinct(first.name, row.name))
                    m_diag.error(row.line,
                                 QStringLiteral("unit name '%1' differs only in letter case from '%2' "
                                                "at line %3; if both are standard, declare them on a "
                                                "'distinct' line")
                                     .arg(row.name, first.name)
                                     .arg(first.line));
            }
        }
        for (const DistinctNames &declared : std::as_const(m_distinct)) {
            for (const QString &name : declared.names) {
                if (!m_nameRow.contains(name))
                    m_diag.error(
                        declared.line,
                        QStringLiteral("distinct names '%1', which is not a unit of the table").arg(name));
            }
        }
    }

    // A type spelled in two letter cases would show up as two entries of the type list.
    bool registerType(const UnitRow &row)
    {
        if (row.type.isEmpty())
            return false;
        const QString key = row.type.toLower();
        const auto found = m_typeSpelling.constFind(key);
        if (found == m_typeSpelling.constEnd()) {
            m_typeSpelling.insert(key, row.type);
            m_typeLine.insert(row.type, row.line);
            return true;
        }
        if (*found == row.type)
            return true;
        m_diag.error(row.line,
                     QStringLiteral("unit type '%1' differs only in letter case from '%2' at line %3")
                         .arg(row.type, *found)
                         .arg(m_typeLine.value(*found)));
        return false;
    }

    const UnitRow *findExact(const QString &name) const
    {
        const auto found = m_nameRow.constFind(name);
        return found == m_nameRow.constEnd() ? nullptr : &m_rows.at(*found);
    }

    // Aliases point at a display unit of their own type and copy its factors.
    void resolveAliases()
    {
        for (UnitRow &row : m_rows) {
            if (row.display || row.sameAs.isEmpty())
                continue;
            const UnitRow *target = findExact(row.sameAs);
            if (!target) {
                m_diag.error(row.line, QStringLiteral("same-as '%1' of alias '%2' is not a unit of the table")
                                           .arg(row.sameAs, row.name));
                row.valid = false;
            } else if (!target->display) {
                m_diag.error(row.line,
                             QStringLiteral("same-as '%1' of alias '%2' is itself an alias (line %3); "
                                            "name the display unit")
                                 .arg(row.sameAs, row.name)
                                 .arg(target->line));
                row.valid = false;
            } else if (target->type != row.type) {
                m_diag.error(row.line,
                             QStringLiteral("same-as '%1' of alias '%2' is a unit of type '%3', not '%4'")
                                 .arg(row.sameAs, row.name, target->type, row.type));
                row.valid = false;
            } else {
                row.factor = target->factor;
                row.offset = target->offset;
            }
        }
    }

    static bool isBase(const UnitRow &row)
    {
        return row.display && static_cast<float>(row.factor) == 1.0f &&
               static_cast<float>(row.offset) == 0.0f;
    }

    void checkBases()
    {
        QHash<QString, const UnitRow *> baseOfType;
        for (const UnitRow &row : m_rows) {
            if (!row.valid || !isBase(row))
                continue;
            if (const UnitRow *first = baseOfType.value(row.type)) {
                m_diag.error(row.line,
                             QStringLiteral("'%1' is a second base unit (factor 1, offset 0) of type "
                                            "'%2'; '%3' at line %4 is the first")
                                 .arg(row.name, row.type, first->name)
                                 .arg(first->line));
            } else {
                baseOfType.insert(row.type, &row);
            }
        }
        for (auto it = m_typeLine.constBegin(); it != m_typeLine.constEnd(); ++it) {
            if (!baseOfType.contains(it.key()) && typeRowsValid(it.key()))
                m_diag.error(it.value(),
                             QStringLiteral("unit type '%1' has no base unit (a display unit with "
                                            "factor 1 and offset 0)")
                                 .arg(it.key()));
        }
    }

    bool typeRowsValid(const QString &type) const
    {
        for (const UnitRow &row : m_rows) {
            if (row.type == type && !row.valid)
                return false;
        }
        return true;
    }

    // The windows compute in these units; the program cannot work without them.
    void checkRequiredBases()
    {
        for (const auto &[name, type] : m_required) {
            const UnitRow *row = findExact(name);
            if (!row || row->type != type || !isBase(*row))
                m_diag.error(
                    QStringLiteral("the table needs '%1' as the base unit of type '%2'").arg(name, type));
        }
    }

    static bool isIdentifier(const QString &name)
    {
        if (name.isEmpty() || !isNameStart(name.at(0)))
            return false;
        for (QChar c : name) {
            if (!isNameChar(c))
                return false;
        }
        return true;
    }

    Diagnostics &m_diag;
    QList<std::pair<QString, QString>> m_required;
    QHash<QString, double> m_constants;
    QHash<QString, int> m_constantLine;
    QList<UnitRow> m_rows;
    QHash<QString, int> m_nameRow;           // name -> index in m_rows
    QHash<QString, QList<int>> m_caseFolded; // lower-cased name -> rows spelling it
    QList<DistinctNames> m_distinct;         // declared case twins
    QHash<QString, QString> m_typeSpelling;  // lower-cased type -> its first spelling
    QHash<QString, int> m_typeLine;          // type -> line of its first row
};

// Encodes the records and checks that each one reads back unchanged.
std::optional<QByteArray> encodeTable(const QList<ConversionRecord> &records, const QList<UnitRow> &rows,
                                      Diagnostics &diag)
{
    QByteArray bytes;
    bytes.reserve(records.size() * ConversionRecordSize);
    for (int i = 0; i < records.size(); ++i) {
        const ConversionRecord &record = records.at(i);
        const QByteArray encoded = EncodeConversionRecord(record);
        const ConversionRecord back = DecodeConversionRecord(encoded);
        const bool same = encoded.size() == ConversionRecordSize && back.UnitName == record.UnitName &&
                          back.UnitType == record.UnitType && back.SameAs == record.SameAs &&
                          back.DisplayUnit == record.DisplayUnit && back.XFactor == record.XFactor &&
                          back.PlusFactor == record.PlusFactor;
        if (!same) {
            diag.error(
                rows.at(i).line,
                QStringLiteral("unit '%1' does not survive encoding into converts.dat").arg(rows.at(i).name));
            continue;
        }
        bytes.append(encoded);
    }
    if (diag.errorCount() > 0)
        return std::nullopt;
    return bytes;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makeconverts <units.txt> <converts.dat>\n");
        return ExitUsage;
    }
    const QString inputName = QString::fromLocal8Bit(argv[1]);
    const QString outputName = QString::fromLocal8Bit(argv[2]);
    Diagnostics diag(inputName);

    QFile input(inputName);
    if (!input.open(QIODevice::ReadOnly)) {
        diag.error(QStringLiteral("cannot read: %1").arg(input.errorString()));
        return ExitIoError;
    }
    const QByteArray raw = input.readAll();
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(raw);
    if (decoder.hasError()) {
        diag.error(QStringLiteral("the file is not valid UTF-8"));
        return ExitDataError;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    TableBuilder builder(diag);
    builder.parse(text);
    builder.validate();
    if (diag.errorCount() > 0) {
        std::fprintf(stderr, "makeconverts: %d error(s); %s not written\n", diag.errorCount(),
                     qPrintable(outputName));
        return ExitDataError;
    }

    const std::optional<QByteArray> bytes = encodeTable(builder.records(), builder.rows(), diag);
    if (!bytes)
        return ExitDataError;

    QSaveFile output(outputName);
    if (!output.open(QIODevice::WriteOnly) || output.write(*bytes) != bytes->size() || !output.commit()) {
        std::fprintf(stderr, "makeconverts: cannot write %s: %s\n", qPrintable(outputName),
                     qPrintable(output.errorString()));
        return ExitIoError;
    }

    int displayUnits = 0;
    for (const UnitRow &row : builder.rows())
        displayUnits += row.display ? 1 : 0;
    std::printf("makeconverts: %lld units (%d types, %d display units, %lld aliases) written to %s\n",
                static_cast<long long>(builder.rows().size()), builder.typeCount(), displayUnits,
                static_cast<long long>(builder.rows().size() - displayUnits), qPrintable(outputName));
    return ExitOk;
}
