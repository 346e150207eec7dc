// Any bytes as density.dat: loading, sorting and listing must never crash,
// only whole records are read, and the table must save to bytes that load
// back to the same records.

#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include <QBuffer>

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const DensityFileLoad load = LoadDensityFile(buffer);
    // Whole records only, and a partial one makes the table read-only.
    if (load.records.size() != qsizetype(size / DensityRecordSize) ||
        (size % DensityRecordSize != 0) != (load.problem == DensityFileProblem::PartialRecord))
        std::abort();
    (void)MaterialListLines(ConversionTableData(), load.records, DensityStorageUnit(), 6, size % 2 == 1);

    QByteArray saved;
    QBuffer out(&saved);
    out.open(QIODevice::WriteOnly);
    if (!SaveDensityFile(out, load.records) || saved.size() != load.records.size() * DensityRecordSize)
        std::abort();
    out.close();
    out.open(QIODevice::ReadOnly);
    const DensityFileLoad again = LoadDensityFile(out);
    if (again.records.size() != load.records.size())
        std::abort();
    for (qsizetype i = 0; i < again.records.size(); ++i) {
        const DensityRecord &a = load.records.at(i);
        const DensityRecord &b = again.records.at(i);
        if (a.MaterialName != b.MaterialName ||
            std::memcmp(&a.DensityValue, &b.DensityValue, sizeof(float)) != 0)
            std::abort();
    }
    return 0;
}
