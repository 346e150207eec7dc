#include "widgets/windowlinks.h"

#include <QApplication>

namespace {

struct Openers
{
    WindowLinks::ErrorReportOpener errorReport;
    WindowLinks::WindowOpener about;
    WindowLinks::WindowOpener companyInfo;
};

Openers &openers()
{
    static Openers instance;
    return instance;
}

} // namespace

namespace WindowLinks {

void setErrorReportOpener(ErrorReportOpener opener)
{
    openers().errorReport = std::move(opener);
}

void setAboutOpener(WindowOpener opener)
{
    openers().about = std::move(opener);
}

void setCompanyInfoOpener(WindowOpener opener)
{
    openers().companyInfo = std::move(opener);
}

void showAbout(QWidget *owner)
{
    if (openers().about)
        openers().about(owner);
}

void showCompanyInfo(QWidget *owner)
{
    if (openers().companyInfo)
        openers().companyInfo(owner);
}

} // namespace WindowLinks

bool ReportError(int errNumber, const QString &errDesc, const QString &procLabel)
{
    if (!openers().errorReport || !qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning("%s: error %d: %s", qUtf8Printable(procLabel), errNumber, qUtf8Printable(errDesc));
        return true;
    }
    openers().errorReport(errNumber, errDesc, procLabel);
    return true;
}
