// Any text on the clipboard, under a point, a comma and an Arabic locale:
// splitting it into number and unit, finding the unit in a small table and
// converting must never crash; the number part never grows, and what a copy
// puts on the clipboard (no padding after the unit) pastes back to the same
// value and unit.
// Input: 1 byte locale, then the clipboard text.

#include "core/fixedtext.h"
#include "fuzzsupport.h"
#include "unitcalc/conversionlist.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"
#include "units/numericentry.h"

namespace {

bool isMarkOrBlank(QChar c)
{
    return c == u'.' || c == u',' || c == QChar(0x066B) || c == QChar(0x066C) || c.isSpace();
}

// The digits a text states, as ASCII, in order.
QString digitsOf(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (const std::optional<QChar> d = AsciiDigit(c))
            digits += *d;
    }
    return digits;
}

// The number part read with its decimal point at the mark numbered point
// (none for -1), every other mark and blank left out.
std::optional<float> readWithPointAt(const QString &number, int point)
{
    QString text;
    int mark = 0;
    for (const QChar c : number) {
        if (const std::optional<QChar> d = AsciiDigit(c)) {
            text += *d;
        } else if (isMarkOrBlank(c)) {
            if (c != QChar(0x066C) && !c.isSpace() && mark++ == point)
                text += u'.';
        } else {
            text += c == QChar(0x2212) ? QChar(u'-') : c;
        }
    }
    return ReadLocaleNumber(text, u'.').value;
}

// Whether the number part is a lone "." or "," (not the locale's mark)
// between one to three digits and exactly three: "1,500" under a point.
bool loneForeignMarkBeforeThreeDigits(const QString &number, QChar localeSeparator)
{
    const QString digitsAndMarks = QString(number).remove(u'-').remove(u'+').remove(QChar(0x2212));
    const QChar foreign = localeSeparator == u'.' ? u',' : u'.';
    const qsizetype at = digitsAndMarks.indexOf(foreign);
    if (at < 1 || at > 3 || digitsAndMarks.size() != at + 4 || digitsAndMarks.count(foreign) != 1)
        return false;
    const QString digits = digitsOf(digitsAndMarks);
    return digits.size() == at + 3 && !digits.startsWith(u'0');
}

const ConversionTableData &smallTable()
{
    static const ConversionTableData table = [] {
        const auto unit = [](const char *name, float x, float plus, const char *type, bool display = true,
                             const char *sameAs = "") {
            return ConversionRecord{PadRight(QString::fromUtf8(name), UnitNameWidth),
                                    x,
                                    plus,
                                    PadRight(QString::fromUtf8(type), UnitTypeWidth),
                                    display,
                                    PadRight(QString::fromUtf8(sameAs), UnitNameWidth)};
        };
        QList<ConversionRecord> records = {unit("cu. in", 1.6387064e-5f, 0, "Volume"),
                                           unit("m³", 1, 0, "Volume"),
                                           unit("K", 1, 0, "Temperature"),
                                           unit("°C", 1, 273.15f, "Temperature"),
                                           unit("kg", 1, 0, "Mass"),
                                           unit("lb", 0.45359237f, 0, "Mass"),
                                           unit("lbs", 0.45359237f, 0, "Mass", false, "lb"),
                                           unit("µm", 1e-6f, 0, "Length"),
                                           unit("nm", 1e-9f, 0, "Length"),
                                           unit("Nm", 1, 0, "Torque")};
        SortConversionTable(records);
        ConversionTableData data;
        data.reset(records, true);
        return data;
    }();
    return table;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    Fuzz::useLocaleFrom(in.byte());
    const QString clip = in.text();
    const QChar separator = LocaleDecimalSeparator();
    const std::optional<ClipboardParts> parts = ParseClipboardText(clip, separator);
    QString bare = clip;
    for (const char16_t mark :
         {0x200E, 0x200F, 0x061C, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069})
        bare.remove(QChar(mark));
    bare = bare.trimmed();
    Fuzz::check(parts.has_value() == !bare.isEmpty(), "empty clipboard");
    if (!parts)
        return 0;
    Fuzz::check(parts->numberText.size() <= clip.size(), "number grew");

    // Never a value the text does not state.
    const PasteReading reading =
        ReadPastedText(clip, separator, &smallTable(), [](const PastedUnit &) { return true; });
    if (reading.problem == PasteProblem::None) {
        QString stated = bare;
        stated.chop(reading.parts.unitsText.size());
        stated = stated.trimmed();
        Fuzz::check(digitsOf(reading.parts.numberText) == digitsOf(stated), "digits changed", clip);
        Fuzz::check(!loneForeignMarkBeforeThreeDigits(stated, separator), "two readings guessed", clip);
        if (const std::optional<float> value = ReadLocaleNumber(reading.parts.numberText).value) {
            bool found = false;
            for (int point = -1; point < int(stated.size()) && !found; ++point) {
                const std::optional<float> candidate = readWithPointAt(stated, point);
                found = candidate && (*candidate == *value || (std::isnan(*candidate) && std::isnan(*value)));
            }
            Fuzz::check(found, "a value the text does not state", clip);
        }
    }

    const std::optional<PastedUnit> unit = FindPastedUnit(smallTable(), parts->unitsText);
    if (!unit)
        return 0;

    ConversionProblem problem;
    const auto rows = ComputeConversionRows(smallTable(), unit->unitType, unit->unitToSelect,
                                            parts->numberText, ConversionDisplay{}, &problem);
    if (!rows || rows->isEmpty())
        return 0;
    // Copy the first row and paste it back, under the same locale.
    const ConversionRow &row = rows->first();
    const QString copied = NumberUnitText(row.value, parts->separator, row.unitName);
    Fuzz::check(!copied.endsWith(QLatin1Char(' ')), "copy ends in spaces", copied);
    // The program's own copy carries the decimal mark it was written with.
    const QChar written = ConversionDisplay{}.usConvention ? QChar(u'.') : QChar(u',');
    const std::optional<ClipboardParts> again = ParseClipboardText(copied, separator, written);
    Fuzz::check(again && again->problem == PasteProblem::None && again->unitsText == row.unitName.trimmed(),
                "copied unit does not paste back", copied);
    const std::optional<float> shown = ParseLocaleNumber(QString(row.value).replace(u',', u'.'), u'.');
    Fuzz::check(shown && ParseLocaleNumber(again->numberText) == shown, "copied value does not paste back",
                copied);
    const std::optional<PastedUnit> landed = FindPastedUnit(smallTable(), again->unitsText);
    Fuzz::check(landed && landed->unitToSelect == row.unitName, "copied unit lands elsewhere", copied);
    return 0;
}
