// The print module: Qt's printer and print dialog behind the program's
// PrintDialogs, in a library of its own that the program loads on first print.

#include "widgets/printjob.h"

#include <QPrintDialog>
#include <QPrinter>

namespace {

class QtPrintDialogs final : public PrintDialogs
{
public:
    PrintOutcome print(QWidget *parent, const PrintJob &job) override
    {
        QPrinter printer(QPrinter::HighResolution);
        if (job.pageLayout.isValid())
            printer.setPageLayout(job.pageLayout);
        printer.setDocName(job.documentName);
        QPrintDialog dialog(&printer, parent);
        dialog.setObjectName(job.dialogName);
        if (!job.dialogTitle.isEmpty())
            dialog.setWindowTitle(job.dialogTitle);
        if (dialog.exec() != QDialog::Accepted)
            return PrintOutcome::Cancelled;
        return job.paint && job.paint(printer) ? PrintOutcome::Printed : PrintOutcome::Failed;
    }
};

} // namespace

extern "C" Q_DECL_EXPORT PrintDialogs *torvanePrintDialogs1()
{
    static QtPrintDialogs dialogs;
    return &dialogs;
}

// The entry the program resolves by the name PrintModuleEntry, of its type.
[[maybe_unused]] static constexpr PrintModuleEntryFunction CheckedEntry = &torvanePrintDialogs1;
