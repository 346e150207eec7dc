#include "app/startprocedure.h"

#include "app/frmtoolbar.h"
#include "app/registerwindows.h"
#include "app/singleinstance.h"
#include "app/warmup.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "widgets/windowcontext.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

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

void NameApplication()
{
    QCoreApplication::setApplicationName(Settings::ApplicationName);
    QCoreApplication::setOrganizationName(Settings::ApplicationName);
    QCoreApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION_TEXT));
}

void PrepareApplication(QApplication &app)
{
    NameApplication();
    // Ties the windows to the installed desktop entry (its icon and name in
    // the task switcher).
    QApplication::setDesktopFileName(QStringLiteral("example.velmora.TorvaneToolbar"));
    // The tray icon keeps the program alive while the strip is hidden; the
    // toolbar ends the program itself on "Exit".
    app.setQuitOnLastWindowClosed(false);
}

int StartProcedure(QApplication &app, WindowContext &context, const QString &file)
{
    SingleInstance instance;
    if (instance.status() == SingleInstance::Status::HeldByAnother) {
        // Another toolbar runs: it shows itself, or opens the file, and this
        // start ends at once, writing nothing. Should it not answer, say
        // where it is instead.
        if (!(file.isEmpty() ? instance.askRunningToShow() : instance.askRunningToOpen(file))) {
            const QString where = QStringLiteral("Click its icon in the notification area to show it.");
            QMessageBox box(QMessageBox::Information, Settings::ApplicationName,
                            file.isEmpty()
                                ? QStringLiteral("Torvane Toolbar is running already. ") + where
                                : QStringLiteral("Torvane Toolbar is running already and did not "
                                                 "open %1. %2 Then open the file from Axis sizing.")
                                      .arg(QDir::toNativeSeparators(file), where),
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

    const std::optional<qint16> offset = ParseLanguageOffset(context.settings().languageOffsetText());
    if (!offset) {
        showStartError(6, QStringLiteral("Overflow"));
        return 0;
    }
    context.setLanguageOffset(*offset);

    RegisterWindows(context);
    frmToolbar toolbar(context);
    WarmUpAfterFirstPaint(&toolbar, context);
    // The strip alone stays open for hours: what a window held goes back
    // once it closes.
    ReturnFreedMemoryAsWindowsClose(&toolbar);
    QObject::connect(&instance, &SingleInstance::showRequested, &toolbar, &frmToolbar::showForAnotherStart);
    QObject::connect(&instance, &SingleInstance::openRequested, &toolbar, &frmToolbar::openAxisFile);
    instance.listen();
    toolbar.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &toolbar, [&toolbar, file]() { toolbar.openAxisFile(file); });
    return app.exec();
}
