#include "core/datafiles.h"

#include "core/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <optional>

#ifndef TORVANE_SHARED_DATA_FROM_BIN
#define TORVANE_SHARED_DATA_FROM_BIN "../share/torvane-toolbar"
#endif

namespace DataFiles {

namespace {

// The file whose place tells a portable copy from an installed program.
const QString UnitTable = QStringLiteral("converts.dat");

std::optional<Layout> &liveLayout()
{
    static std::optional<Layout> layout;
    return layout;
}

} // namespace

bool IsWritableFolder(const QString &folder)
{
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".torvane-write-test-XXXXXX")));
    return probe.open(); // removed again when probe goes
}

Layout DetectLayout(const QString &programFolder, const QString &userFolder)
{
    Layout layout;
    layout.programFolder = QDir::cleanPath(programFolder);
    layout.sharedFolder =
        QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(TORVANE_SHARED_DATA_FROM_BIN)));
    layout.userFolder = QDir::cleanPath(userFolder);
    const bool tableBeside = QFile::exists(QDir(layout.programFolder).filePath(UnitTable));
    const bool tableShared = QFile::exists(QDir(layout.sharedFolder).filePath(UnitTable));
    layout.installed = (!tableBeside && tableShared) || !IsWritableFolder(layout.programFolder);
    return layout;
}

QString ReadOnlyFile(const Layout &layout, const QString &name)
{
    if (!layout.installed)
        return QDir::current().absoluteFilePath(name);
    const QString beside = QDir(layout.programFolder).filePath(name);
    return QFile::exists(beside) ? beside : QDir(layout.sharedFolder).filePath(name);
}

QString UserFileLocation(const Layout &layout, const QString &name)
{
    if (!layout.installed)
        return QDir::current().absoluteFilePath(name);
    return QDir(layout.userFolder).filePath(name);
}

QString UserFile(const Layout &layout, const QString &name)
{
    const QString path = UserFileLocation(layout, name);
    if (!layout.installed || QFile::exists(path) || !QDir().mkpath(layout.userFolder))
        return path;
    const QString shipped = ReadOnlyFile(layout, name);
    // QFile::copy never replaces an existing file and writes through a
    // temporary one, so a copy cut short is never taken for the user's file.
    if (QFile::exists(shipped) && QFile::copy(shipped, path)) {
        // The copy is the user's own file: permissions from the umask, as any
        // file the user creates, not those of the installed file.
        QFile::setPermissions(path, NewFilePermissions() | QFile::ReadOwner | QFile::WriteOwner);
    }
    return path;
}

const Layout &current()
{
    std::optional<Layout> &layout = liveLayout();
    if (!layout) {
        layout = DetectLayout(QCoreApplication::applicationDirPath(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    }
    return *layout;
}

void useLayout(const Layout &layout)
{
    liveLayout() = layout;
}

QString readOnlyFile(const QString &name)
{
    return ReadOnlyFile(current(), name);
}

QString userFileLocation(const QString &name)
{
    return UserFileLocation(current(), name);
}

QString userFile(const QString &name)
{
    return UserFile(current(), name);
}

} // namespace DataFiles
