#include "widgets/printing.h"

#include "widgets/windowcontext.h"

#include <QDir>
#include <QLibrary>
#include <QMessageBox>

namespace {
PrintDialogs *loaded = nullptr;
} // namespace

PrintDialogs *LoadPrintDialogs(const QStringList &folders, QString *problem)
{
    if (loaded)
        return loaded;
    const QString name = QString::fromLatin1(PrintModuleFileName);
    const QString path = DataFiles::FindModule(folders, name);
    QString why;
    if (path.isEmpty()) {
        QStringList places;
        for (const QString &folder : folders)
            places.append(QDir::toNativeSeparators(folder));
        why = QStringLiteral("its module, %1, is in none of %2").arg(name, places.join(QStringLiteral(", ")));
    } else {
        // Never unloaded: the dialogs are kept for the rest of the run.
        QLibrary library(path);
        const auto entry = reinterpret_cast<PrintModuleEntryFunction>(library.resolve(PrintModuleEntry));
        if (entry)
            loaded = entry();
        if (!loaded)
            why = QStringLiteral("its module, %1, could not be loaded (%2)")
                      .arg(QDir::toNativeSeparators(path), library.errorString());
    }
    if (problem)
        *problem = why;
    return loaded;
}

bool PrintDialogsLoaded()
{
    return loaded != nullptr;
}

PrintOutcome Print(QWidget *parent, const WindowContext &context, const PrintJob &job)
{
    const QStringList folders = context.moduleFolders.isEmpty()
                                    ? DataFiles::ModuleFolders(context.dataFiles().programFolder)
                                    : context.moduleFolders;
    QString problem;
    PrintDialogs *dialogs = LoadPrintDialogs(folders, &problem);
    if (dialogs)
        return dialogs->print(parent, job);
    QMessageBox box(
        QMessageBox::Warning, QStringLiteral("Print"),
        QStringLiteral("Printing is not available: %1. Installing Torvane Toolbar again brings it "
                       "back.")
            .arg(problem),
        QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("msgPrintingUnavailable"));
    box.exec();
    return PrintOutcome::Unavailable;
}
