// Any bytes as converts.dat: reading, sorting, indexing, converting between
// the units it holds and the unit calculator's rows over it must never crash.
// Every record read has usable factors and survives a write and re-read; the
// rows list only other display units of the chosen type.
// Input: 1 byte locale, 2 bytes unit choice, a number text up to byte 0, then the file.

#include "fuzzsupport.h"
#include "unitcalc/conversionlist.h"
#include "units/conversiontable.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    Fuzz::useLocaleFrom(in.byte());
    const uint16_t choice = in.word();
    const QString number = in.field();
    QByteArray bytes = in.rest();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ConversionTableData table;
    table.load(buffer);

    const QList<ConversionRecord> &records = table.records();
    const ConversionTableReport &report = table.report();
    Fuzz::check(report.loadedRecords == records.size(), "loaded count");
    Fuzz::check(report.hasProblem() == !report.message().isEmpty(), "problem without message");
    for (const ConversionRecord &record : records) {
        Fuzz::check(HasUsableFactors(record), "unusable factors loaded");
        const ConversionRecord again = DecodeConversionRecord(EncodeConversionRecord(record));
        Fuzz::check(again.UnitName == record.UnitName && again.UnitType == record.UnitType &&
                        again.SameAs == record.SameAs,
                    "record round trip");
    }
    if (records.isEmpty())
        return 0;

    const ConversionRecord &from = records.at(choice % records.size());
    const ConversionRecord &to = records.at((choice / 7) % records.size());
    const float value = ParseLocaleNumber(number).value_or(1.5f);
    (void)ConvertUnits(table, value, from.UnitName, to.UnitName);
    const std::optional<float> same = ConvertUnits(table, value, from.UnitName, from.UnitName);
    Fuzz::check(same && std::memcmp(&*same, &value, sizeof value) == 0, "same unit changes the value");

    ConversionProblem problem = ConversionProblem::None;
    const ConversionDisplay display{1 + choice % 7, (choice & 0x100) != 0, (choice & 0x200) != 0};
    if (const auto rows =
            ComputeConversionRows(table, from.UnitType, from.UnitName, number, display, &problem)) {
        for (const ConversionRow &row : *rows) {
            Fuzz::check(row.unitName != from.UnitName, "source listed");
            Fuzz::check(!row.value.isEmpty(), "empty value");
            bool listed = false;
            for (int i : table.indexesOfName(row.unitName))
                listed = listed || (records.at(i).DisplayUnit && records.at(i).UnitType == from.UnitType);
            Fuzz::check(listed, "row is no display unit of the type");
        }
        Fuzz::check(rows->isEmpty() || problem == ConversionProblem::None, "rows and a problem");
    }
    return 0;
}
