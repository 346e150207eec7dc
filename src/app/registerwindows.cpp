#include "app/registerwindows.h"

#include "app/frmtoolbar.h"
#include "axiswin/frmaxissizing.h"
#include "densities/frmdensityselect.h"
#include "errors/frmerrorhandler.h"
#include "inertia/frminertiacalc.h"
#include "inertia/frmsetdefaultunits.h"
#include "info/frmabout.h"
#include "info/frmcompanyinfo.h"
#include "info/frmintegral.h"
#include "unitcalc/frmunitcalculator.h"
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

namespace {
template <typename Window> ProgramWindow entry(const char *name)
{
    return {QString::fromLatin1(name), [] { return std::unique_ptr<QWidget>(new Window()); }};
}
} // namespace

QList<ProgramWindow> ProgramWindows()
{
    return {entry<frmToolbar>("frmToolbar"),
            entry<frmUnitCalculator>("frmUnitCalculator"),
            entry<frmInertiaCalc>("frmInertiaCalc"),
            entry<frmSetDefaultUnits>("frmSetDefaultUnits"),
            entry<frmDensitySelect>("frmDensitySelect"),
            entry<frmIntegral>("frmIntegral"),
            entry<frmErrorHandler>("frmErrorHandler"),
            entry<frmAbout>("frmAbout"),
            entry<frmCompanyInfo>("frmCompanyInfo"),
            entry<frmAxisSizing>("frmAxisSizing")};
}
