// Preloaded into the program by the error-report scenario: the desktop's
// link handler fails by throwing, as a broken one can. Everything else of Qt
// is the real library, so the program's own error path runs as it would.

#include <QDesktopServices>
#include <QUrl>

#include <stdexcept>

bool QDesktopServices::openUrl(const QUrl &url)
{
    throw std::runtime_error("No program could open " + url.toString().toStdString());
}
