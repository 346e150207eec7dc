#include "widgets/windowcontext.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

#include <cstdlib>

WindowContext::~WindowContext()
{
    // The shared help window has no owner to close it with.
    delete sharedHelp.data();
}

void WindowContext::showAbout(QWidget *owner) const
{
    if (aboutOpener)
        aboutOpener(owner);
}

void WindowContext::showCompanyInfo(QWidget *owner) const
{
    if (companyInfoOpener)
        companyInfoOpener(owner);
}

bool WindowContext::openUrl(const QUrl &url) const
{
    return urlOpener ? urlOpener(url) : QDesktopServices::openUrl(url);
}

void WindowContext::endProgramNow() const
{
    if (endProgram) {
        endProgram();
        return;
    }
    // At once: no window is unloaded and no setting is written.
    QCoreApplication::exit(0);
    std::_Exit(0);
}

bool WindowContext::reportError(int errNumber, const QString &errDesc, const QString &procLabel) const
{
    if (!errorReportOpener || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning("%s: error %d: %s", qUtf8Printable(procLabel), errNumber, qUtf8Printable(errDesc));
        return true;
    }
    errorReportOpener(errNumber, errDesc, procLabel);
    return true;
}
