// Any bytes as converts.dat: reading, sorting, indexing and converting must
// never crash, and every record read must survive a write and re-read.

#include "units/conversiontable.h"
#include "units/convertunits.h"

#include <QBuffer>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    LoadConversionTable(buffer);

    const ConversionTableData &table = ConversionTable();
    for (const ConversionRecord &record : table.records()) {
        const ConversionRecord again = DecodeConversionRecord(EncodeConversionRecord(record));
        if (again.UnitName != record.UnitName || again.UnitType != record.UnitType || again.SameAs != record.SameAs)
            std::abort();
        if (!table.records().isEmpty())
            (void)ConvertUnits(1.5f, record.UnitName, table.records().first().UnitName);
    }
    return 0;
}
