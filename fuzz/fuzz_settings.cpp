// Any bytes as the settings file: every typed reader must never crash and
// must give a value in its range, whatever a hand edit or a damaged disk left.
// Input: a unit type up to byte 0, then the INI file's bytes.

#include "core/recentfiles.h"
#include "core/settingsstore.h"
#include "core/startup.h"
#include "core/toolbarposition.h"
#include "fuzzsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static int run = 0;
    Fuzz::Input in(data, size);
    const QString unitType = in.field();
    // A new name each time: the settings library caches a file it has read.
    const QString path = dir.filePath(QStringLiteral("s%1.ini").arg(++run));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(in.rest());
    }
    const Settings settings(path);

    (void)ParseLanguageOffset(settings.languageOffsetText());
    if (const std::optional<QPoint> position = settings.toolbarPosition())
        (void)BringOntoScreen(QRect(*position, QSize(308, 36)), {QRect(0, 0, 1280, 1024)});
    (void)settings.tooltips();
    for (Settings::Calculator calculator :
         {Settings::Calculator::Units, Settings::Calculator::Inertia, Settings::Calculator::Density,
          Settings::Calculator::Axis}) {
        const int digits = settings.digits(calculator);
        Fuzz::check(digits >= 1 && digits <= 7, "digits out of range");
        (void)settings.notationMode(calculator);
    }
    (void)settings.usConvention();
    const QStringList recent = settings.recentFiles();
    Fuzz::check(recent.size() <= MaxRecentFiles, "too many recent files");
    for (const QString &file : recent)
        Fuzz::check(QDir::isAbsolutePath(file) && !file.contains(u'\n'), "a recent file that is no absolute path");
    if (!unitType.isEmpty()) {
        (void)settings.defaultUnit(unitType);
        if (const std::optional<QRect> place = settings.windowPlace(unitType))
            Fuzz::check(place->width() > 0 && place->height() > 0, "window place without a size");
    }

    QFile::remove(path);
    return 0;
}
