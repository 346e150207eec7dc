#pragma once
// The program context as the windows see it: besides what the core keeps, the
// unit table every window converts with (read at start by the toolbar), how
// the shared window pieces open the windows that sit above them (the error
// report, the about and contact windows; the top of the program tells them at
// start, so every dependency runs one way), how links reach the desktop, and
// the help window shared by windows without an owner.

#include "core/programcontext.h"
#include "units/conversiontable.h"

#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QUrl;
class QWidget;

class WindowContext : public ProgramContext
{
public:
    using ProgramContext::ProgramContext;
    ~WindowContext() override;

    using ErrorReportOpener =
        std::function<void(int errNumber, const QString &errDesc, const QString &procLabel)>;
    using WindowOpener = std::function<void(QWidget *owner)>;
    using UrlOpener = std::function<bool(const QUrl &)>;

    ConversionTableData &units() { return m_units; }
    const ConversionTableData &units() const { return m_units; }

    // Set at start; nothing opens while one is missing.
    ErrorReportOpener errorReportOpener;
    WindowOpener aboutOpener;
    WindowOpener companyInfoOpener;
    // Hands a link to the desktop; empty: QDesktopServices::openUrl. Tests
    // set their own so no browser or mail client starts.
    UrlOpener urlOpener;
    // Ends the whole program at once (the error report's right-button Exit);
    // empty: QCoreApplication::exit(0).
    std::function<void()> endProgram;
    // Where the print module is looked for; empty: beside the program, then
    // in the install's library folder (DataFiles::ModuleFolders).
    QStringList moduleFolders;

    // Each shows its window modally over owner and returns when it closes.
    void showAbout(QWidget *owner) const;
    void showCompanyInfo(QWidget *owner) const;
    bool openUrl(const QUrl &url) const;
    void endProgramNow() const;

    // The one entry point for trapped errors: shows the error report window
    // modally and returns (always true) when it closes. With no window to show
    // (no GUI, or no opener) the error goes to the debug output instead.
    bool reportError(int errNumber, const QString &errDesc, const QString &procLabel) const;

    // The help window of windows without an owner, made on first use by
    // HelpWindow::forOwner; closed with the context.
    QPointer<QWidget> sharedHelp;

private:
    ConversionTableData m_units;
};
