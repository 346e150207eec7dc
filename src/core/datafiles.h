#pragma once
// Where the program's data files live.
//
// A copy run from a folder the user can write (the build folder, a portable
// copy that carries converts.dat beside the program) keeps every file beside
// the program, found from the program's own folder (never the working folder,
// so the program may be started from anywhere). An installed program never
// writes into its install folders: the files the user changes (density.dat,
// buglog.txt) live in the per-user data folder, density.dat copied there from
// the shipped one on first use, and the read-only data (converts.dat, the
// shipped density.dat) is read from beside the program or else from
// <prefix>/share/torvane-toolbar.

#include <QString>
#include <QStringList>

namespace DataFiles {

struct Layout
{
    QString programFolder; // the executable's folder
    QString sharedFolder;  // read-only data of an installed program
    QString userFolder;    // the per-user data folder of an installed program
    bool installed = false;
    QString notice{}; // what the user should be told about the files, once (else empty)
};

// Whether a file can be created in folder, found by creating and removing one:
// permission bits do not tell (root, read-only mounts, access control lists).
bool IsWritableFolder(const QString &folder);

// The layout of a program in programFolder. It counts as installed when that
// folder is not writable, or when its unit table is not beside it but in the
// installed data folder (an install the user may write, root included, is
// still an install).
Layout DetectLayout(const QString &programFolder, const QString &userFolder);

// A file the program only reads: beside the program when there, else in the
// installed data folder. A portable copy looks beside the program only.
QString ReadOnlyFile(const Layout &layout, const QString &name);
// Where a file the user's actions change lives (nothing is created).
QString UserFileLocation(const Layout &layout, const QString &name);
// UserFileLocation made ready for use: for an installed program the user data
// folder is created and, on first use, the shipped file of that name is copied
// there (never over an existing one). A failure shows when the file is opened.
QString UserFile(const Layout &layout, const QString &name);

// Moves the files of a former user data folder into folder: each file goes
// unless one of its name is there already (never replaced). Files that stay
// are listed in a note left beside them, and the returned sentence tells the
// user, only when that note is new; the former folder goes once empty.
QString MoveFormerUserFiles(const QString &formerFolder, const QString &folder);

// The folders the program's modules are looked for in, in order: beside the
// program (a build folder, a portable copy), then the install's library
// folder, <prefix>/lib/torvane-toolbar/plugins (found relative to the program).
QStringList ModuleFolders(const QString &programFolder);
// The first file called name in folders, or empty when none has it.
QString FindModule(const QStringList &folders, const QString &name);

// The running program's layout, from the executable's folder and the
// per-user data folder (chosen here and nowhere else), with the files of a
// former user data folder moved into it. Called once at start.
Layout ProgramLayout();

} // namespace DataFiles
