#include "core/datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef TORVANE_SHARED_DATA_FROM_BIN
#define TORVANE_SHARED_DATA_FROM_BIN "../share/torvane-toolbar"
#endif

namespace DataFiles {

namespace {

// The file whose place tells a portable copy from an installed program.
const QString UnitTable = QStringLiteral("converts.dat");

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
    const QString beside = QDir(layout.programFolder).filePath(name);
    if (!layout.installed)
        return beside;
    return QFile::exists(beside) ? beside : QDir(layout.sharedFolder).filePath(name);
}

QString UserFileLocation(const Layout &layout, const QString &name)
{
    return QDir(layout.installed ? layout.userFolder : layout.programFolder).filePath(name);
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
        // The user edits the copy, whatever the installed file's permissions.
        QFile::setPermissions(path, QFile::permissions(path) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return path;
}

Layout ProgramLayout()
{
    return DetectLayout(QCoreApplication::applicationDirPath(),
                        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

} // namespace DataFiles
