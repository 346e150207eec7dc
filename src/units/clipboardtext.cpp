#include "units/clipboardtext.h"

#include "units/conversiontable.h"
#include "units/numberformat.h"
#include "units/numericentry.h"

#include <QStringList>

#include <algorithm>

namespace {

// Marks that only steer the direction of text, which copies from
// right-to-left documents carry around numbers.
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x200E || u == 0x200F || u == 0x061C || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

// Blanks that group thousands: a space, the no-break spaces and the thin space.
bool isBlankGroup(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == 0x00A0 || u == 0x202F || u == 0x2009;
}

constexpr QChar ArabicThousandsSeparator(0x066C);

bool isMinus(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x2212);
}

bool isSign(QChar c)
{
    return isMinus(c) || c == QLatin1Char('+');
}

bool isMark(QChar c)
{
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == ArabicDecimalSeparator ||
           c == ArabicThousandsSeparator || isBlankGroup(c);
}

bool isDigit(QChar c)
{
    return AsciiDigit(c).has_value();
}

// Whether a blank at `at` groups digits: a digit before it, exactly three after.
bool blankGroupsAt(const QString &text, qsizetype at)
{
    if (at == 0 || at + 3 >= text.size() || !isDigit(text.at(at - 1)))
        return false;
    for (qsizetype i = at + 1; i <= at + 3; ++i) {
        if (!isDigit(text.at(i)))
            return false;
    }
    return at + 4 >= text.size() || !isDigit(text.at(at + 4));
}

// Where the number part of text ends: its sign, digits, marks and exponent,
// and blanks only where they group three digits.
qsizetype numberEnd(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        const bool part = isDigit(c) || isSign(c) || c == QLatin1Char('e') || c == QLatin1Char('E') ||
                          (isMark(c) && !isBlankGroup(c));
        if (!part && !(isBlankGroup(c) && blankGroupsAt(text, i)))
            break;
        ++i;
    }
    return i;
}

// Digit groups written with group marks: a first group of one to three
// digits (not a leading zero), then groups of three.
bool groupsAreValid(const QStringList &groups)
{
    if (groups.size() < 2 || groups.first().isEmpty() || groups.first().size() > 3 ||
        groups.first().startsWith(QLatin1Char('0')))
        return false;
    return std::all_of(groups.cbegin() + 1, groups.cend(), [](const QString &g) { return g.size() == 3; });
}

// The number part in the form a number box holds it, or why it cannot be.
struct NumberReading
{
    QString text;
    PasteProblem problem = PasteProblem::None;
};

NumberReading numberAsBoxHoldsIt(const QString &written, QChar localeSeparator, QChar textDecimalMark)
{
    const NumberReading notANumber{written, PasteProblem::NotANumber};
    const qsizetype n = written.size();
    qsizetype i = 0;
    QString sign;
    if (i < n && isSign(written.at(i))) {
        if (isMinus(written.at(i)))
            sign = QStringLiteral("-");
        ++i;
    }
    // The mantissa as digit groups between marks.
    QStringList groups{QString()};
    QList<QChar> marks;
    for (; i < n; ++i) {
        const QChar c = written.at(i);
        if (const std::optional<QChar> digit = AsciiDigit(c)) {
            groups.last() += *digit;
        } else if (isMark(c)) {
            marks.append(isBlankGroup(c) ? QLatin1Char(' ') : c);
            groups.append(QString());
        } else {
            break;
        }
    }
    QString exponent;
    if (i < n && (written.at(i) == QLatin1Char('e') || written.at(i) == QLatin1Char('E'))) {
        exponent = QStringLiteral("E");
        if (++i < n && isSign(written.at(i)))
            exponent += isMinus(written.at(i++)) ? QLatin1Char('-') : QLatin1Char('+');
        for (; i < n && isDigit(written.at(i)); ++i)
            exponent += *AsciiDigit(written.at(i));
    }
    if (i != n)
        return notANumber;

    // Which mark is the decimal mark: the writer's when known, else the
    // locale's; the Arabic one always.
    const QChar decimal = textDecimalMark.isNull() ? localeSeparator : textDecimalMark;
    const QChar foreign = decimal == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    qsizetype decimalAt = -1;
    int decimals = 0;
    for (qsizetype k = 0; k < marks.size(); ++k) {
        if (marks.at(k) == decimal || marks.at(k) == ArabicDecimalSeparator) {
            ++decimals;
            decimalAt = k;
        }
    }
    if (decimals > 1)
        return notANumber;
    // With the writer's mark unknown, a lone foreign mark is a decimal mark
    // written the other way, unless it could just as well group thousands:
    // "1,500" is 1500 to one reader and 1.5 to another.
    if (decimals == 0 && marks.count(foreign) == 1 && textDecimalMark.isNull()) {
        if (groupsAreValid(groups))
            return {written, PasteProblem::TwoReadings};
        decimalAt = marks.indexOf(foreign);
    }
    // Group marks only before the decimal mark, all of one kind, in groups of three.
    const qsizetype groupMarks = decimalAt >= 0 ? decimalAt : marks.size();
    if (groupMarks != marks.size() && groupMarks != marks.size() - 1)
        return notANumber;
    if (groupMarks > 0) {
        const QList<QChar> used = marks.mid(0, groupMarks);
        if (used.count(used.first()) != used.size() || used.first() == decimal ||
            used.first() == ArabicDecimalSeparator || !groupsAreValid(groups.mid(0, groupMarks + 1)))
            return notANumber;
    }
    QString text = sign + groups.mid(0, groupMarks + 1).join(QString());
    if (decimalAt >= 0)
        text += localeSeparator + groups.last();
    return {text + exponent, PasteProblem::None};
}

// Whether a unit part starts as a number does: a second number, not a unit.
bool startsAsNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && i < 2 && (isSign(text.at(i)) || isMark(text.at(i))))
        ++i;
    return i < text.size() && isDigit(text.at(i));
}

} // namespace

std::optional<ClipboardParts> ParseClipboardText(const QString &clip, QChar localeSeparator,
                                                 QChar textDecimalMark)
{
    if (localeSeparator.isNull())
        localeSeparator = QLatin1Char('.');
    QString text;
    text.reserve(clip.size());
    for (const QChar c : clip) {
        if (!isDirectionMark(c))
            text += c;
    }
    // Line ends and stray blanks around a copied value are trimmed too, so a
    // line copied from a text editor still reads.
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    ClipboardParts parts;
    const qsizetype end = numberEnd(text);
    // The unit follows after a blank; "12kg" or "kg" is no number.
    if (end == 0 || (end < text.size() && !text.at(end).isSpace())) {
        parts.numberText = text;
        parts.problem = PasteProblem::NotANumber;
        return parts;
    }
    if (end < text.size()) {
        parts.separator = text.at(end) == QLatin1Char('\t') ? QStringLiteral("\t") : QStringLiteral(" ");
        parts.unitsText = text.mid(end).trimmed();
    }
    const NumberReading number = numberAsBoxHoldsIt(text.left(end), localeSeparator, textDecimalMark);
    parts.numberText = number.text;
    parts.problem = number.problem;
    return parts;
}

QString PastedUnitKey(const QString &unitsText)
{
    return UnitNameCaseFreeKey(unitsText);
}

std::optional<PastedUnit> FindPastedUnit(const ConversionTableData &table, const QString &unitsText)
{
    if (unitsText.isEmpty())
        return std::nullopt;
    const QList<ConversionRecord> &records = table.records();
    auto landing = [&records](int slot) {
        const ConversionRecord &record = records.at(slot);
        return PastedUnit{record.UnitType, record.DisplayUnit ? record.UnitName : record.SameAs};
    };
    // Letter case first: nm and Nm, mW and MW are different units.
    QList<int> found = table.slotsWithNameForm(UnitNameForm::Trimmed, unitsText, 1);
    if (!found.isEmpty())
        return landing(found.first());
    // Periods left out: an abbreviation written with a trailing period
    // matches the name without it.
    const QString spelled = UnitNameSpelling(unitsText);
    found = table.slotsWithNameForm(UnitNameForm::Spelled, spelled, 1);
    if (!found.isEmpty())
        return landing(found.first());
    // Then without regard to case, but only when that cannot pick the wrong
    // unit: "NM" could be nanometres or newton metres, so it finds neither.
    found = table.slotsWithNameForm(UnitNameForm::CaseFree, spelled.toLower());
    if (found.isEmpty())
        return std::nullopt;
    const PastedUnit first = landing(found.first());
    for (const int slot : found) {
        const PastedUnit other = landing(slot);
        if (records.at(slot).UnitName != records.at(found.first()).UnitName &&
            (other.unitType != first.unitType || other.unitToSelect != first.unitToSelect))
            return std::nullopt;
    }
    return first;
}

PasteReading ReadPastedText(const QString &clip, QChar localeSeparator, const ConversionTableData *table,
                            const UnitOffered &offered, QChar textDecimalMark)
{
    PasteReading reading;
    const std::optional<ClipboardParts> parts = ParseClipboardText(clip, localeSeparator, textDecimalMark);
    if (!parts) {
        reading.problem = PasteProblem::Nothing;
        return reading;
    }
    reading.parts = *parts;
    auto refuse = [&reading](PasteProblem problem, const QString &detail) {
        reading.problem = problem;
        reading.detail = detail;
        return reading;
    };
    if (parts->problem != PasteProblem::None)
        return refuse(parts->problem,
                      parts->problem == PasteProblem::NotANumber ? clip.trimmed() : parts->numberText);
    const LocaleNumber number = ReadLocaleNumber(parts->numberText, localeSeparator);
    if (!number.value && !number.outOfRange)
        return refuse(PasteProblem::NotANumber, clip.trimmed());

    const QString &units = parts->unitsText;
    if (units.isEmpty())
        return reading;
    if (startsAsNumber(units))
        return refuse(PasteProblem::TwoNumbers, units);
    if (!table)
        return refuse(PasteProblem::UnitNotOffered, units);
    reading.unit = FindPastedUnit(*table, units);
    if (reading.unit)
        return offered && offered(*reading.unit) ? reading : refuse(PasteProblem::UnitNotOffered, units);
    // A unit followed by more words: say what follows rather than "unknown".
    for (qsizetype at = units.size() - 1; at > 0; --at) {
        if (units.at(at).isSpace() && !units.at(at - 1).isSpace() &&
            FindPastedUnit(*table, units.left(at).trimmed()))
            return refuse(PasteProblem::TextAfterUnit, units.mid(at).trimmed());
    }
    return refuse(PasteProblem::UnknownUnit, units);
}

QString NumberUnitText(const QString &number, const QString &separator, const QString &unitName)
{
    qsizetype used = unitName.size();
    while (used > 0 && unitName.at(used - 1) == QLatin1Char(' '))
        --used;
    return number + (separator.isEmpty() ? QStringLiteral(" ") : separator) + unitName.left(used);
}
