#include "errors/reporterror.h"

#include "errors/frmerrorhandler.h"
#include "shell/settingsstore.h"

#include <QApplication>

bool ReportError(int errNumber, const QString &errDesc, const QString &procLabel)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance())) {
        qWarning("%s: error %d: %s", qUtf8Printable(procLabel), errNumber, qUtf8Printable(errDesc));
        return true;
    }
    // A report raised from inside an open report window opens over it; the
    // first window stays usable once this one closes.
    QWidget *owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    frmErrorHandler form(owner);
    form.setApplicationName(Settings::ApplicationName);
    form.setApplicationVersion(QStringLiteral(TORVANE_VERSION_TEXT));
    form.setProc(procLabel);
    form.setErrNumber(QString::number(errNumber));
    form.setErrDesc(errDesc);
    form.exec();
    return true;
}
