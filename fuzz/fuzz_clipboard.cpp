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

namespace {

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
    Fuzz::check(parts.has_value() == !clip.trimmed().isEmpty(), "empty clipboard");
    if (!parts)
        return 0;
    Fuzz::check(parts->numberText.size() <= clip.size(), "number grew");
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
    const std::optional<ClipboardParts> again = ParseClipboardText(copied, separator);
    Fuzz::check(again && again->unitsText == row.unitName.trimmed(), "copied unit does not paste back",
                copied);
    const std::optional<float> shown = ParseLocaleNumber(QString(row.value).replace(u',', u'.'), u'.');
    Fuzz::check(shown && ParseLocaleNumber(again->numberText) == shown, "copied value does not paste back",
                copied);
    const std::optional<PastedUnit> landed = FindPastedUnit(smallTable(), again->unitsText);
    Fuzz::check(landed && landed->unitToSelect == row.unitName, "copied unit lands elsewhere", copied);
    return 0;
}
