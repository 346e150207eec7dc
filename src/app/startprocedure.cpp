#include "app/startprocedure.h"

#include "app/frmtoolbar.h"
#include "app/registerwindows.h"
#include "app/singleinstance.h"
#include "core/settingsstore.h"
#include "core/startup.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>

namespace {
void showStartError(int number, const QString &description)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Error"),
                    QStringLiteral("Error: ") + QString::number(number) + QStringLiteral("\r\n") +
                        description,
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("msgStartError"));
    box.exec();
}
} // namespace

int StartProcedure(QApplication &app)
{
    app.setApplicationName(Settings::ApplicationName);
    app.setOrganizationName(Settings::ApplicationName);
    app.setApplicationVersion(QStringLiteral(TORVANE_VERSION_TEXT));
    // Ties the windows to the installed desktop entry (its icon and name in
    // the task switcher).
    QApplication::setDesktopFileName(QStringLiteral("example.velmora.TorvaneToolbar"));
    // The tray icon keeps the program alive while the strip is hidden; the
    // toolbar ends the program itself on "Exit".
    app.setQuitOnLastWindowClosed(false);

    SingleInstance instance;
    if (instance.status() == SingleInstance::Status::HeldByAnother) {
        // Another toolbar runs: it shows itself, and this start ends at once,
        // writing nothing. Should it not answer, say where it is instead.
        if (!instance.askRunningToShow()) {
            QMessageBox box(QMessageBox::Information, Settings::ApplicationName,
                            QStringLiteral("Torvane Toolbar is running already. Click its icon in the "
                                           "notification area to show it."),
                            QMessageBox::Ok);
            box.setObjectName(QStringLiteral("msgAlreadyRunning"));
            box.exec();
        }
        return 0;
    }
    if (instance.status() == SingleInstance::Status::CannotLock) {
        // Never a silent end: the user could not tell it from a running toolbar.
        QMessageBox box(QMessageBox::Critical, Settings::ApplicationName, instance.problem(),
                        QMessageBox::Ok);
        qWarning("%s", qPrintable(instance.problem()));
        box.setObjectName(QStringLiteral("msgCannotLock"));
        box.exec();
        return 1;
    }

    // Data files are opened by bare name from the program's own folder.
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    const std::optional<qint16> offset = ParseLanguageOffset(Settings::languageOffsetText());
    if (!offset) {
        showStartError(6, QStringLiteral("Overflow"));
        return 0;
    }
    LanguageOffset = *offset;

    RegisterWindows();
    frmToolbar toolbar;
    QObject::connect(&instance, &SingleInstance::showRequested, &toolbar, &frmToolbar::showForAnotherStart);
    instance.listen();
    toolbar.show();
    return app.exec();
}
