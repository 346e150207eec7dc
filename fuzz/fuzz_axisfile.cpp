// Any bytes as an axis file: reading never crashes, a refused file says why,
// and an accepted one computes, samples and exports without crashing and
// saves to bytes that read back to the same axis and save again unchanged.

#include "axis/axisfile.h"
#include "fuzzsupport.h"
#include "units/conversiontable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const AxisFileRead read = ReadAxisFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.document) {
        Fuzz::check(!read.problem.isEmpty(), "a refused file names its problem");
        return 0;
    }
    const AxisDocument &document = *read.document;
    const AxisResults results = ComputeAxis(document.axis);
    const MoveResults move = ComputeMove(document.axis, results, document.move);
    (void)SampleMove(move, 8);
    const ConversionTableData units; // no table: every unit fails to convert
    (void)ItemTableCsv(units, document.axis, results, QStringLiteral("kg-m²"), 6);
    for (const MotorCheck &check : move.checks)
        (void)MotorCheckText(units, check, QString(), 6);

    QString problem;
    const std::optional<QByteArray> saved = AxisFileBytes(document, &problem);
    Fuzz::check(saved.has_value(), "an accepted file saves", problem);
    const AxisFileRead again = ReadAxisFile(*saved);
    Fuzz::check(again.document && *again.document == document, "a saved file reads back the same",
                again.problem);
    Fuzz::check(AxisFileBytes(*again.document) == saved, "a re-read file saves to the same bytes");
    return 0;
}
