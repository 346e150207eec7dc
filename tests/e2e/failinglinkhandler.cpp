// Preloaded into the program by the error-report scenarios: the desktop's
// link handler fails by throwing, as a broken one can. Everything else of Qt
// is the real library, so the program's own error path runs as it would.
// With TORVANE_E2E_MAIL_WORKS set, mailto: links still reach Qt's own
// handler, which hands them to the desktop's xdg-open (the scenario puts a
// stand-in first on the PATH): web links fail while the mail program opens.

#include <QDesktopServices>
#include <QUrl>

#include <dlfcn.h>

#include <stdexcept>

bool QDesktopServices::openUrl(const QUrl &url)
{
    if (url.scheme() == QLatin1String("mailto") && qEnvironmentVariableIsSet("TORVANE_E2E_MAIL_WORKS")) {
        using OpenUrl = bool (*)(const QUrl &);
        static const auto qtOpenUrl =
            reinterpret_cast<OpenUrl>(dlsym(RTLD_NEXT, "_ZN16QDesktopServices7openUrlERK4QUrl"));
        if (qtOpenUrl)
            return qtOpenUrl(url);
    }
    throw std::runtime_error("No program could open " + url.toString().toStdString());
}
