// Any bytes as a motor or gearbox table, or as rows imported from a
// spreadsheet: reading never crashes, a table with a problem gives no
// records, every problem is placed within the text, and an accepted table is
// written in a form that reads back and writes again to the same bytes.

#include "drives/drivetables.h"
#include "fuzzsupport.h"

namespace {

template <class Read, class Write>
void trial(const QByteArray &bytes, MarkerRow marker, Read read, Write write)
{
    const auto table = read(bytes, marker);
    Fuzz::check(table.ok() || table.records.empty(), "records kept beside a problem");
    const int lines = int(bytes.count('\n')) + 1;
    for (const TableProblem &problem : table.problems)
        Fuzz::check(problem.line >= 0 && problem.line <= lines && problem.column >= 0, "a problem out of the text",
                    problem.text());
    if (!table.ok())
        return;
    const QByteArray written = write(table.records);
    const auto again = read(written, MarkerRow::Required);
    Fuzz::check(again.ok(), "a written table refused", again.message(QStringLiteral("written")));
    Fuzz::check(again.records.size() == table.records.size(), "rows lost in writing");
    Fuzz::check(write(again.records) == written, "the written form changed on a second write");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    const MarkerRow marker = data[0] & 1 ? MarkerRow::Optional : MarkerRow::Required;
    if (data[0] & 2)
        trial(bytes, marker, ReadGearboxTable, GearboxTableBytes);
    else
        trial(bytes, marker, ReadMotorTable, MotorTableBytes);
    return 0;
}
