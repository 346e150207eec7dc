#include "app/registerwindows.h"

#include "app/frmtoolbar.h"
#include "axiswin/frmaxissizing.h"
#include "densitieswin/frmdensityselect.h"
#include "errorswin/frmerrorhandler.h"
#include "inertiawin/frminertiacalc.h"
#include "inertiawin/frmsetdefaultunits.h"
#include "infowin/frmabout.h"
#include "infowin/frmcompanyinfo.h"
#include "infowin/frmintegral.h"
#include "unitcalcwin/frmunitcalculator.h"
#include "widgets/windowcontext.h"
#include "widgets/windowrole.h"

void RegisterWindows(WindowContext &context)
{
    InstallWindowRole();
    context.errorReportOpener = [&context](int errNumber, const QString &errDesc, const QString &procLabel) {
        ShowErrorReport(context, errNumber, errDesc, procLabel);
    };
    context.aboutOpener = [&context](QWidget *owner) {
        frmAbout about(context, owner);
        about.exec();
    };
    context.companyInfoOpener = [&context](QWidget *owner) {
        frmCompanyInfo info(context, owner);
        // From the strip's logo it is one of the strip's windows; from a
        // calculator's, a dialog over that calculator.
        if (auto *strip = qobject_cast<frmToolbar *>(owner))
            strip->runToolWindow(info);
        else
            info.exec();
    };
}

namespace {
template <typename Window> ProgramWindow entry(WindowContext &context, const char *name)
{
    return {QString::fromLatin1(name),
            [&context]() -> std::unique_ptr<QWidget> { return std::make_unique<Window>(context); }};
}
} // namespace

QList<ProgramWindow> ProgramWindows(WindowContext &context)
{
    return {entry<frmToolbar>(context, "frmToolbar"),
            entry<frmUnitCalculator>(context, "frmUnitCalculator"),
            entry<frmInertiaCalc>(context, "frmInertiaCalc"),
            entry<frmSetDefaultUnits>(context, "frmSetDefaultUnits"),
            entry<frmDensitySelect>(context, "frmDensitySelect"),
            entry<frmIntegral>(context, "frmIntegral"),
            entry<frmErrorHandler>(context, "frmErrorHandler"),
            entry<frmAbout>(context, "frmAbout"),
            entry<frmCompanyInfo>(context, "frmCompanyInfo"),
            entry<frmAxisSizing>(context, "frmAxisSizing")};
}
