#include "app/registerwindows.h"

#include "errors/frmerrorhandler.h"
#include "info/frmabout.h"
#include "info/frmcompanyinfo.h"
#include "widgets/windowlinks.h"

void RegisterWindows()
{
    WindowLinks::setErrorReportOpener(&ShowErrorReport);
    WindowLinks::setAboutOpener([](QWidget *owner) {
        frmAbout about(owner);
        about.exec();
    });
    WindowLinks::setCompanyInfoOpener([](QWidget *owner) {
        frmCompanyInfo info(owner);
        info.exec();
    });
}
