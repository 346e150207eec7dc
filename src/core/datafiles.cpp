#include "core/datafiles.h"

#include "core/safefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef TORVANE_SHARED_DATA_FROM_BIN
#define TORVANE_SHARED_DATA_FROM_BIN "../share/torvane-toolbar"
#endif
#ifndef TORVANE_MODULES_FROM_BIN
#define TORVANE_MODULES_FROM_BIN "../lib/torvane-toolbar/plugins"
#endif

namespace DataFiles {

namespace {

// The file whose place tells a portable copy from an installed program.
const QString UnitTable = QStringLiteral("converts.dat");

// Left in a former user data folder beside the files that could not be moved.
const QString NotMovedNote = QStringLiteral("Files not moved - read me.txt");

// The program's own folder under the user's data folders.
const QString UserFolderName = QStringLiteral("Torvane Toolbar");

// Above any shipped data file; a larger one is not copied.
constexpr qint64 MaxCopiedDataFile = 16 * 1024 * 1024;

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
    // Never over a file that appeared meanwhile, and whole or not at all, so
    // a copy cut short is never taken for the user's file. The copy is the
    // user's own: permissions from the umask, not those of the installed file.
    if (const FileRead shipped = ReadRegularFile(ReadOnlyFile(layout, name), MaxCopiedDataFile);
        shipped.bytes)
        WriteFileAtomically(path, *shipped.bytes, WriteMode::CreateOnly);
    return path;
}

QString MoveFormerUserFiles(const QString &formerFolder, const QString &folder)
{
    const QDir former(formerFolder);
    if (!former.exists())
        return QString();
    QStringList left;
    const QStringList entries =
        former.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : entries) {
        if (name == NotMovedNote)
            continue;
        const QString target = QDir(folder).filePath(name);
        // QFile::rename never replaces an existing file.
        if (QFile::exists(target) || !QDir().mkpath(folder) || !QFile::rename(former.filePath(name), target))
            left.append(name);
    }
    const QString note = former.filePath(NotMovedNote);
    if (left.isEmpty()) {
        QFile::remove(note);
        QDir().rmdir(formerFolder); // only when empty
        return QString();
    }
    if (QFile::exists(note))
        return QString(); // told at an earlier start
    const QString where = QDir::toNativeSeparators(folder);
    const QString list = left.join(QStringLiteral(", "));
    WriteFileAtomically(note,
                        QStringLiteral("Torvane Toolbar now keeps your files in %1.\n"
                                       "The files left here were not moved there, because a file of the same "
                                       "name is there already or they could not be moved:\n%2\n"
                                       "Compare them with the files there and keep what you need.\n")
                            .arg(where, left.join(QLatin1Char('\n')))
                            .toUtf8(),
                        WriteMode::CreateOnly);
    return QStringLiteral("Your files are now kept in %1. Some could not be moved there and were left in %2: "
                          "%3.")
        .arg(where, QDir::toNativeSeparators(formerFolder), list);
}

QStringList ModuleFolders(const QString &programFolder)
{
    return {QDir::cleanPath(programFolder),
            QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(TORVANE_MODULES_FROM_BIN)))};
}

QString FindModule(const QStringList &folders, const QString &name)
{
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(name);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

Layout ProgramLayout()
{
    // One folder named after the program. Earlier versions used Qt's
    // application folder, which names it twice (organisation, then
    // application); their files are moved up at the first start.
    const QDir data(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    const QString folder = data.filePath(UserFolderName);
    Layout layout = DetectLayout(QCoreApplication::applicationDirPath(), folder);
    if (layout.installed)
        layout.notice = MoveFormerUserFiles(QDir(folder).filePath(UserFolderName), folder);
    return layout;
}

} // namespace DataFiles
