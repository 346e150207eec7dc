#pragma once
// The shared window pieces open a few windows that sit above them: the error
// report, the about window and the contact window. The top of the program
// tells them how (RegisterWindows at start), so every dependency runs one way.

#include <QString>

#include <functional>

class QWidget;

namespace WindowLinks {
using ErrorReportOpener =
    std::function<void(int errNumber, const QString &errDesc, const QString &procLabel)>;
using WindowOpener = std::function<void(QWidget *owner)>;

void setErrorReportOpener(ErrorReportOpener opener);
void setAboutOpener(WindowOpener opener);
void setCompanyInfoOpener(WindowOpener opener);

// Each shows its window modally over owner and returns when it closes;
// nothing happens while no opener is registered.
void showAbout(QWidget *owner);
void showCompanyInfo(QWidget *owner);
} // namespace WindowLinks

// The one entry point for trapped errors: shows the error report window
// modally and returns (always true) when it closes. With no window to show
// (no GUI, or none registered) the error goes to the debug output instead.
bool ReportError(int errNumber, const QString &errDesc, const QString &procLabel);
