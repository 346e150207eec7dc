#include "units/clipboardtext.h"

#include "units/conversiontable.h"
#include "units/numericentry.h"

namespace {

// Marks that only steer the direction of text, which copies from
// right-to-left documents carry around numbers.
bool isDirectionMark(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x200E || u == 0x200F || u == 0x061C || (u >= 0x202A && u <= 0x202E) ||
           (u >= 0x2066 && u <= 0x2069);
}

QString numberAsBoxHoldsIt(const QString &text, QChar localeSeparator)
{
    QString number;
    number.reserve(text.size());
    for (const QChar c : text) {
        if (isDirectionMark(c))
            continue;
        if (c == QChar(0x2212)) // the typographic minus sign
            number += QLatin1Char('-');
        else if (c == QLatin1Char('e'))
            number += QLatin1Char('E');
        else if (c == ArabicDecimalSeparator)
            number += localeSeparator;
        else
            number += AsciiDigit(c).value_or(c);
    }
    if (number.startsWith(QLatin1Char('+')))
        number.remove(0, 1);

    // The number may have been written with the other decimal mark; only the
    // first changes, so "1,234.5" stays no number rather than a wrong one.
    const QChar foreign = localeSeparator == QLatin1Char('.') ? QLatin1Char(',') : QLatin1Char('.');
    const qsizetype at = number.indexOf(foreign);
    if (at >= 0)
        number[at] = localeSeparator;
    return number;
}

// A unit text as the table would spell it: periods removed (an abbreviation
// written with a trailing period matches the name without it), and the
// Greek mu, common in text from the web, as the micro sign the table
// (Windows-1252) can hold.
QString tableSpelling(const QString &unitsText)
{
    return QString(unitsText).remove(QLatin1Char('.')).replace(QChar(0x03BC), QChar(0x00B5));
}

} // namespace

std::optional<ClipboardParts> ParseClipboardText(const QString &clip, QChar localeSeparator)
{
    if (localeSeparator.isNull())
        localeSeparator = QLatin1Char('.');
    // Line ends and stray blanks around a copied value are trimmed too, so a
    // line copied from a text editor still reads.
    const QString text = clip.trimmed();
    if (text.isEmpty())
        return std::nullopt;

    ClipboardParts parts;
    // Number and unit part at the first space or Tab, whichever comes first:
    // a Tab-separated text with a unit such as "cu. in" must not split inside
    // the unit, or the calculator could not read back its own copies.
    const qsizetype space = text.indexOf(QLatin1Char(' '));
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    const qsizetype at = (space < 0 || (tab >= 0 && tab < space)) ? tab : space;
    if (at >= 0) {
        parts.separator = text.at(at);
        parts.numberText = text.left(at).trimmed();
        parts.unitsText = text.mid(at + 1).trimmed();
    } else {
        parts.numberText = text;
    }
    parts.numberText = numberAsBoxHoldsIt(parts.numberText, localeSeparator);
    return parts;
}

QString PastedUnitKey(const QString &unitsText)
{
    return tableSpelling(unitsText).toLower();
}

std::optional<PastedUnit> FindPastedUnit(const ConversionTableData &table, const QString &unitsText)
{
    if (unitsText.isEmpty())
        return std::nullopt;
    const QList<ConversionRecord> &records = table.records();
    auto landing = [](const ConversionRecord &record) {
        return PastedUnit{record.UnitType, record.DisplayUnit ? record.UnitName : record.SameAs};
    };
    // Letter case first: nm and Nm, mW and MW are different units.
    for (const ConversionRecord &record : records) {
        if (record.UnitName.trimmed() == unitsText)
            return landing(record);
    }
    const QString spelled = tableSpelling(unitsText);
    for (const ConversionRecord &record : records) {
        if (tableSpelling(record.UnitName.trimmed()) == spelled)
            return landing(record);
    }
    // Then without regard to case, but only when that cannot pick the wrong
    // unit: "NM" could be nanometres or newton metres, so it finds neither.
    const QString key = spelled.toLower();
    const ConversionRecord *found = nullptr;
    for (const ConversionRecord &record : records) {
        if (PastedUnitKey(record.UnitName.trimmed()) != key)
            continue;
        if (!found) {
            found = &record;
            continue;
        }
        const PastedUnit first = landing(*found);
        const PastedUnit other = landing(record);
        if (record.UnitName != found->UnitName &&
            (other.unitType != first.unitType || other.unitToSelect != first.unitToSelect))
            return std::nullopt;
    }
    if (!found)
        return std::nullopt;
    return landing(*found);
}

QString NumberUnitText(const QString &number, const QString &separator, const QString &unitName)
{
    qsizetype used = unitName.size();
    while (used > 0 && unitName.at(used - 1) == QLatin1Char(' '))
        --used;
    return number + (separator.isEmpty() ? QStringLiteral(" ") : separator) + unitName.left(used);
}
