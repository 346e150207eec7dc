// Where the data files live: a portable copy keeps them beside the program,
// whatever the working folder,
// an installed program reads from its install and writes only to the user's
// data folder, copying the shipped material table there once.
#include "core/datafiles.h"

#include "testsupport.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace DataFiles;

using TestSupport::fileContents;

namespace {

// A folder's files as "name=contents", by name.
QStringList folderFiles(const QString &folder)
{
    QStringList files;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name))
        files.append(name + '=' + QString::fromUtf8(fileContents(QDir(folder).filePath(name))));
    return files;
}

} // namespace

class TestDataFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    QTemporaryDir m_root;

    QString at(const QString &relative) const { return m_root.filePath(relative); }
    // An install under prefix/ that the test can write (as root can), a user
    // data folder and a working folder, with the working folder current (the
    // program never looks there).
    Layout installedLayout() const { return DetectLayout(at("prefix/bin"), at("home/data")); }

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        QVERIFY(QDir().mkpath(at("prefix/bin")) && QDir().mkpath(at("work")));
        QVERIFY(TestSupport::writeFile(at("prefix/share/torvane-toolbar/converts.dat"), "units"));
        QVERIFY(TestSupport::writeFile(at("prefix/share/torvane-toolbar/density.dat"), "shipped"));
        QVERIFY(QDir::setCurrent(at("work")));
    }
    void init() { QDir(at("home")).removeRecursively(); }

    void layout_tells_an_install_from_a_portable_copy_data()
    {
        QTest::addColumn<QStringList>("files"); // beside the program, in share/torvane-toolbar
        QTest::addColumn<bool>("installed");
        QTest::newRow("build folder or portable copy") << QStringList{"copy/bin/converts.dat"} << false;
        QTest::newRow("installed, even where the user may write")
            << QStringList{"copy/share/torvane-toolbar/converts.dat"} << true;
        QTest::newRow("portable copy beside an install")
            << QStringList{"copy/bin/converts.dat", "copy/share/torvane-toolbar/converts.dat"} << false;
        QTest::newRow("no table anywhere: a portable start") << QStringList{} << false;
    }
    void layout_tells_an_install_from_a_portable_copy()
    {
        QFETCH(QStringList, files);
        QDir(at("copy")).removeRecursively();
        QVERIFY(QDir().mkpath(at("copy/bin")));
        for (const QString &file : files)
            QVERIFY(TestSupport::writeFile(at(file), "units"));
        const Layout layout = DetectLayout(at("copy/bin"), at("home/data"));
        QTEST(layout.installed, "installed");
        QCOMPARE(layout.sharedFolder, at("copy/share/torvane-toolbar"));
    }

    void folder_the_user_cannot_write_is_an_install()
    {
        const QString folder = at("readonly");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(TestSupport::writeFile(folder + "/converts.dat", "units"));
        QVERIFY(IsWritableFolder(folder));
        QVERIFY(!IsWritableFolder(at("missing")));
        if (::geteuid() == 0)
            QSKIP("root writes whatever the permissions say; the install test runs the program as another "
                  "user");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const bool installed = DetectLayout(folder, at("home/data")).installed;
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(installed);
    }

    void files_are_found_where_the_layout_keeps_them_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("tableBesideProgram"); // a read-only portable copy
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, bool installed, bool tableBesideProgram, const char *file,
                            const char *expected) {
            QTest::newRow(name) << installed << tableBesideProgram << QString(file) << QString(expected);
        };
        row("portable: unit table", false, false, "converts.dat", "prefix/bin/converts.dat");
        row("installed: unit table", true, false, "converts.dat",
            "prefix/share/torvane-toolbar/converts.dat");
        row("installed: unit table beside the program", true, true, "converts.dat",
            "prefix/bin/converts.dat");
        row("installed: materials", true, false, "density.dat", "home/data/density.dat");
        row("portable: materials, nothing made", false, false, "density.dat", "prefix/bin/density.dat");
    }
    void files_are_found_where_the_layout_keeps_them()
    {
        QFETCH(bool, installed);
        QFETCH(bool, tableBesideProgram);
        QFETCH(QString, file);
        QFETCH(QString, expected);
        Layout layout = installedLayout();
        QVERIFY(layout.installed);
        layout.installed = installed;
        if (tableBesideProgram)
            QVERIFY(TestSupport::writeFile(at("prefix/bin/converts.dat"), "units"));
        const QString path = file == "converts.dat" ? ReadOnlyFile(layout, file) : UserFile(layout, file);
        QFile::remove(at("prefix/bin/converts.dat"));
        QCOMPARE(path, at(expected));
        if (!installed) // a portable copy makes no files, here or in the user's folders
            QVERIFY(QDir(at("work")).isEmpty() && !QFile::exists(path) && !QDir(at("home")).exists());
    }

    // The shipped table is copied once, editable even when installed read-only,
    // and never over the user's own; other files are not made up.
    void installed_program_copies_the_shipped_materials_once()
    {
        const Layout layout = installedLayout();
        const QString shipped = at("prefix/share/torvane-toolbar/density.dat");
        QFile::setPermissions(shipped, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const mode_t umaskBefore = ::umask(077); // the copy is private, as the user's umask asks
        const QString mine = UserFile(layout, "density.dat");
        ::umask(umaskBefore);
        QCOMPARE(fileContents(mine), QByteArray("shipped"));
        QCOMPARE(QFile::permissions(mine),
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

        QVERIFY(TestSupport::writeFile(mine, "edited"));
        QCOMPARE(UserFile(layout, "density.dat"), mine);
        QCOMPARE(fileContents(mine), QByteArray("edited"));

        UserFile(layout, "buglog.txt");
        QCOMPARE(QDir(at("home/data")).entryList(QDir::Files), QStringList{"density.dat"});
        QCOMPARE(fileContents(shipped), QByteArray("shipped"));
    }

    // The running program's files are found from its own folder, whatever
    // folder it was started from (this test runs with another one current).
    void running_program_looks_beside_itself()
    {
        const Layout layout = ProgramLayout();
        QCOMPARE(layout.programFolder, QDir::cleanPath(QCoreApplication::applicationDirPath()));
        QVERIFY(!layout.installed);
        QCOMPARE(ReadOnlyFile(layout, "converts.dat"), QDir(layout.programFolder).filePath("converts.dat"));
    }

    // The files of the former, doubled user folder move up into the one
    // folder, never over a file there; what stays is told once.
    void former_user_files_are_moved_once_data()
    {
        QTest::addColumn<QStringList>("former");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("nothing to move") << QStringList{} << QStringList{"density.dat=new"}
                                         << QStringList{"density.dat=new"} << QStringList{};
        QTest::newRow("all moved") << QStringList{"buglog.txt=log", "density.dat=mine"} << QStringList{}
                                   << QStringList{"buglog.txt=log", "density.dat=mine"} << QStringList{};
        QTest::newRow("a file there stays")
            << QStringList{"buglog.txt=log", "density.dat=mine"} << QStringList{"density.dat=new"}
            << QStringList{"buglog.txt=log", "density.dat=new"} << QStringList{"density.dat=mine"};
    }
    void former_user_files_are_moved_once()
    {
        QFETCH(QStringList, former);
        QFETCH(QStringList, present);
        QFETCH(QStringList, left);
        const QString folder = at("home/Torvane Toolbar");
        const QString formerFolder = folder + "/Torvane Toolbar";
        for (const QString &file : former)
            QVERIFY(TestSupport::writeFile(formerFolder + '/' + file.section('=', 0, 0),
                                           file.section('=', 1).toUtf8()));
        for (const QString &file : present)
            QVERIFY(TestSupport::writeFile(folder + '/' + file.section('=', 0, 0),
                                           file.section('=', 1).toUtf8()));

        const QString notice = MoveFormerUserFiles(formerFolder, folder);
        QTEST(folderFiles(folder), "after");
        QCOMPARE(notice.isEmpty(), left.isEmpty());
        QCOMPARE(QDir(formerFolder).exists(), !left.isEmpty());
        if (left.isEmpty())
            return;
        QVERIFY2(notice.contains("density.dat"), qPrintable(notice));
        const QStringList leftWithNote = folderFiles(formerFolder);
        QCOMPARE(leftWithNote.filter(QRegularExpression("^density.dat=")), left);
        QCOMPARE(leftWithNote.size(), left.size() + 1); // and the note naming them
        // Said once: the next start tries again without telling again.
        QVERIFY(MoveFormerUserFiles(formerFolder, folder).isEmpty());
        // Once the user has cleared the way, the rest moves and the folder goes.
        QVERIFY(QFile::remove(folder + "/density.dat"));
        QVERIFY(MoveFormerUserFiles(formerFolder, folder).isEmpty());
        QVERIFY(!QDir(formerFolder).exists());
        QCOMPARE(folderFiles(folder), QStringList({"buglog.txt=log", "density.dat=mine"}));
    }
};

QTEST_GUILESS_MAIN(TestDataFiles)
#include "tst_datafiles.moc"
