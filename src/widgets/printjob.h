#pragma once
// What the program hands the print module: Qt's print support (the printer,
// its dialog and the print system's plugins) lives in a module of its own,
// loaded the first time something is printed, so a start that prints nothing
// never maps it. Only Qt types cross between the two, and the module links
// nothing of the program.

#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed, Unavailable };

struct PrintJob
{
    QString dialogName;     // the print dialog's object name
    QString dialogTitle;    // empty: the dialog's own
    QString documentName;   // the job's name in the print queue
    QPageLayout pageLayout; // invalid: the printer's own
    // Paints the job on the printer the user chose; false when the printer
    // did not take it.
    std::function<bool(QPagedPaintDevice &printer)> paint;
};

// The module's side: asks for a printer over parent and prints job on it.
class PrintDialogs
{
public:
    virtual ~PrintDialogs() = default;
    virtual PrintOutcome print(QWidget *parent, const PrintJob &job) = 0;
};

// The module's file, and the function it exports that returns its one
// PrintDialogs; the name carries the version of the two types above.
inline constexpr char PrintModuleFileName[] = "torvane-print.so";
inline constexpr char PrintModuleEntry[] = "torvanePrintDialogs1";
using PrintModuleEntryFunction = PrintDialogs *(*)();
