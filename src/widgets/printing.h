#pragma once
// Printing from any window: the print module (printjob.h) loaded on first
// use, from the folders the context names, and kept for the rest of the run.

#include "widgets/printjob.h"

#include <QStringList>

class WindowContext;

// The print module's dialogs from the first of folders that has the module;
// nullptr, with problem saying why, when none has it or it cannot be loaded.
// Once loaded, the same dialogs come back whatever the folders.
PrintDialogs *LoadPrintDialogs(const QStringList &folders, QString *problem = nullptr);

// Whether the print module has been loaded in this run.
bool PrintDialogsLoaded();

// Asks for a printer over parent and prints job on it. Without the print
// module a message over parent says printing is not available and why.
PrintOutcome Print(QWidget *parent, const WindowContext &context, const PrintJob &job);
