// Every writer of the program under every fault a disk can put in its way: a
// full disk, a read-only folder, a FIFO, a link to a device or a folder where
// the file should go. What was there stays byte for byte, nothing is left
// beside it, and the message names the file and says why. A new writer gets
// the same trials by adding a row to writers().

#include "../axis/axisbuild.h"
#include "axiswin/frmaxissizing.h"
#include "core/datafiles.h"
#include "core/recentfiles.h"
#include "core/safefile.h"
#include "densities/densitytable.h"
#include "drives/drivetables.h"
#include "errors/bugreport.h"
#include "filesizelimit.h"
#include "units/conversiontable.h"

#include <QCryptographicHash>
#include <QMessageBox>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <future>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace AxisBuild;

namespace {

enum class Fault { FullDisk, ReadOnlyFolder, Fifo, DeviceLink, Folder };

// A writer as the user meets it: the message it shows for path (empty when it wrote).
struct Writer
{
    QString name;
    bool createOnly = false; // never replaces a file: tried with none there
    bool namesFile = true;   // its message names the file (else the window around it does)
    std::function<QString(const QString &path)> write;
};

QByteArray native(const QString &path)
{
    return EncodeFileName(path);
}

// Writes a file under any name, UTF-8 or not.
bool writeNative(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(native(path), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool written = fd >= 0 && ::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && written;
}

// Runs action. Should it block on a FIFO at path, after 10 s the other end
// comes: a blocked reader gets an empty FIFO, and what a blocked writer
// writes is drained. True when it blocked.
bool blocksOnFifo(const QString &path, const std::function<void()> &action)
{
    std::atomic<bool> done = false;
    auto otherEnd = std::async(std::launch::async, [&] {
        QDeadlineTimer patience(10000);
        while (!done && !patience.hasExpired())
            QThread::msleep(20);
        if (done)
            return false;
        const int reader = ::open(native(path), O_RDONLY | O_NONBLOCK);
        char sink[4096];
        while (!done) {
            if (const int writer = ::open(native(path), O_WRONLY | O_NONBLOCK); writer >= 0)
                ::close(writer);
            QThread::msleep(::read(reader, sink, sizeof sink) > 0 ? 0 : 20);
        }
        ::close(reader);
        return true;
    });
    action();
    done = true;
    return otherEnd.get();
}

// A folder of the test's own on a small memory disk where root may mount one,
// so a full or read-only disk is real; elsewhere a plain folder.
class Place
{
public:
    Place()
    {
        m_path = m_dir.filePath(QStringLiteral("disk"));
        QDir().mkpath(m_path);
        m_mounted = ::geteuid() == 0 && ::mount("tmpfs", native(m_path), "tmpfs", 0, "size=256k") == 0;
    }
    ~Place()
    {
        if (m_mounted)
            ::umount2(native(m_path), MNT_DETACH);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    Place(const Place &) = delete;
    Place &operator=(const Place &) = delete;

    QString file(const QString &name) const { return QDir(m_path).filePath(name); }
    bool mounted() const { return m_mounted; }
    // Fills the disk to its last byte; false where there is no disk of its own.
    bool fill() const
    {
        if (!m_mounted)
            return false;
        QFile filler(file(QStringLiteral("filler")));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size()) {
        }
        return true;
    }
    // Read-only: the disk remounted so, or the folder's permissions where they count.
    bool makeReadOnly() const
    {
        if (m_mounted)
            return ::mount(nullptr, native(m_path), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
        return ::geteuid() != 0 && QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ExeOwner);
    }
    QStringList entries() const
    {
        QStringList list = QDir(m_path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        list.removeAll(QStringLiteral("filler"));
        return list;
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_mounted = false;
};

// One page of text, so that an append needs a page the full disk does not have.
QByteArray oldContent()
{
    QByteArray bytes = "[Old]\nkept=";
    bytes += QByteArray(4096 - bytes.size() - 2, 'x');
    return bytes + "\r\n";
}

// What must be there after a refused write: the kind of thing and its bytes.
QString describe(const QString &path)
{
    struct stat info = {};
    if (::lstat(native(path), &info) != 0)
        return QStringLiteral("nothing");
    if (S_ISLNK(info.st_mode))
        return QStringLiteral("link to ") + QFile::symLinkTarget(path);
    if (S_ISFIFO(info.st_mode))
        return QStringLiteral("FIFO");
    if (S_ISDIR(info.st_mode))
        return QStringLiteral("folder holding ") + QDir(path).entryList(QDir::Files).join(u',');
    return QStringLiteral("file of %1 bytes, %2")
        .arg(info.st_size)
        .arg(QString::fromLatin1(
            QCryptographicHash::hash(TestSupport::fileContents(path), QCryptographicHash::Sha1).toHex()));
}

} // namespace

class TestFileFaults : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

    // The message box the window shows while action runs; empty when none.
    static QString shownMessage(const std::function<void()> &action)
    {
        QString message;
        auto watch = TestSupport::whenModalShown(
            [&message](QWidget *box) {
                message = static_cast<QMessageBox *>(box)->text();
                box->close();
            },
            TestSupport::Modal::MayOpen, 1000);
        action();
        return message;
    }

    QList<Writer> writers()
    {
        const auto window = [this](const std::function<bool(frmAxisSizing &, const QString &)> &write) {
            return [this, write](const QString &path) {
                frmAxisSizing window(m_context);
                window.setAxis(ballScrewAxis());
                return shownMessage([&] { write(window, path); });
            };
        };
        return {
            {QStringLiteral("axis file"), false, true,
             window([](frmAxisSizing &w, const QString &path) { return w.saveFile(path); })},
            {QStringLiteral("CSV export"), false, true,
             window([](frmAxisSizing &w, const QString &path) { return w.exportCsv(path); })},
            {QStringLiteral("PDF export"), false, true,
             window([](frmAxisSizing &w, const QString &path) { return w.exportPdf(path); })},
            {QStringLiteral("density table"), false, true,
             [](const QString &path) {
                 const DensitySaveResult saved = SaveDensityFile(path, {{QStringLiteral("Tin"), 7310}});
                 return saved.ok() ? QString() : saved.message();
             }},
            {QStringLiteral("motor table"), false, true,
             [](const QString &path) {
                 const FileWrite saved = SaveMotorTable(
                     path,
                     {{QStringLiteral("M"), {}, 1e-5, 300, FlatCurve(2, 300), FlatCurve(1, 300), {}, {}}});
                 return saved.ok ? QString() : SaveFailureMessage(path, saved);
             }},
            {QStringLiteral("gearbox table"), false, true,
             [](const QString &path) {
                 const FileWrite saved =
                     SaveGearboxTable(path, {{QStringLiteral("G"), {}, {5}, 0, 0.9, 40, 20, 600}});
                 return saved.ok ? QString() : SaveFailureMessage(path, saved);
             }},
            {QStringLiteral("bug log"), false, false,
             [](const QString &path) {
                 BugLogError error;
                 return AppendBugLogLine(path, BugLogLine({}, QDateTime::currentDateTime(), QLocale()),
                                         &error)
                            ? QString()
                            : error.description;
             }},
            {QStringLiteral("settings"), false, true,
             [](const QString &path) {
                 Settings settings(path);
                 settings.setRecentFiles({QStringLiteral("/a.tvaxis")});
                 return settings.takeWriteFailure();
             }},
            {QStringLiteral("first-use copy"), true, false,
             [this](const QString &path) {
                 DataFiles::Layout layout = TestSupport::dataLayout(m_dir);
                 layout.installed = true;
                 layout.userFolder = QFileInfo(path).path();
                 const QString shipped = m_dir.filePath(QFileInfo(path).fileName());
                 writeNative(shipped, "shipped");
                 DataFiles::UserFile(layout, QFileInfo(path).fileName());
                 ::unlink(native(shipped));
                 return QString();
             }},
        };
    }

    // A reader as the user meets it: what it says of path (empty when it read it).
    QList<std::pair<QString, std::function<QString(const QString &)>>> readers()
    {
        return {
            {QStringLiteral("axis file"),
             [this](const QString &path) {
                 frmAxisSizing window(m_context);
                 return shownMessage([&] { window.openFile(path); });
             }},
            {QStringLiteral("density table"),
             [](const QString &path) { return LoadDensityFile(path).message(path); }},
            {QStringLiteral("motor table"),
             [](const QString &path) { return LoadMotorTable(path).message(path); }},
            {QStringLiteral("gearbox table"),
             [](const QString &path) { return LoadGearboxTable(path).message(path); }},
            {QStringLiteral("unit table"),
             [](const QString &path) {
                 ConversionTableData table;
                 table.load(path);
                 return table.report().message();
             }},
            {QStringLiteral("settings"),
             [](const QString &path) {
                 Settings(path).recentFiles(); // reads as no settings
                 return OpenFailureMessage(path, ReadRegularFile(path, 1 << 20).problem);
             }},
        };
    }

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }

    // Whatever is under a file's name, reading never blocks (a FIFO named
    // x.tvaxis froze the window) and says what it is, naming the file.
    void every_reader_refuses_what_is_no_file_data()
    {
        QTest::addColumn<int>("reader");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("says");
        const auto all = readers();
        for (int r = 0; r < all.size(); ++r) {
            QTest::addRow("%s, FIFO", qPrintable(all[r].first))
                << r << int(Fault::Fifo) << "is a pipe (FIFO), not a file.";
            QTest::addRow("%s, folder", qPrintable(all[r].first))
                << r << int(Fault::Folder) << "is a folder, not a file.";
        }
    }
    void every_reader_refuses_what_is_no_file()
    {
        QFETCH(int, reader);
        QFETCH(int, fault);
        QFETCH(QString, says);
        Place place;
        const QString path = place.file(QStringLiteral("x.tvaxis"));
        if (Fault(fault) == Fault::Fifo)
            QCOMPARE(::mkfifo(native(path), 0600), 0);
        else
            QVERIFY(QDir().mkpath(path));
        QString message;
        QVERIFY2(!blocksOnFifo(path, [&] { message = readers().at(reader).second(path); }),
                 "blocked on the FIFO");
        QVERIFY2(message.contains(QStringLiteral("Could not open ")) && message.contains(says),
                 qPrintable(message));
        QVERIFY2(message.contains(QFileInfo(path).fileName()), qPrintable(message));
    }

    // A name that is no UTF-8 opens, from the command line as from the recent files.
    void file_name_in_latin1_opens()
    {
        Place place;
        const QString path = place.file(DecodeFileName("caf\xe9.tvaxis"));
        QVERIFY(writeNative(path, *AxisFileBytes({ballScrewAxis(), {}})));
        QVERIFY(EncodeFileName(path).endsWith("/caf\xe9.tvaxis"));
        frmAxisSizing window(m_context);
        QCOMPARE(shownMessage([&] { window.openFile(path); }), QString());
        QCOMPARE(window.axis(), ballScrewAxis());
        QCOMPARE(m_context.settings().recentFiles().value(0), path);
        QCOMPARE(shownMessage([&] { window.openRecent(path); }), QString());
    }

    void every_writer_keeps_what_is_there_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("says"); // words of the message, any one of them (|)
        const std::pair<Fault, QString> faults[] = {
            {Fault::FullDisk, "disk is full|larger than the system allows"},
            {Fault::ReadOnlyFolder, "disk is read-only|not allowed to write"},
            {Fault::Fifo, "pipe (FIFO), not a file"},
            {Fault::DeviceLink, "link to a device, not to a file"},
            {Fault::Folder, "folder, not a file"},
        };
        const QList<Writer> all = writers();
        for (int w = 0; w < all.size(); ++w) {
            for (const auto &[fault, says] : faults)
                QTest::addRow("%s, %s", qPrintable(all[w].name), qPrintable(says.section(u'|', 0, 0)))
                    << w << int(fault) << says;
        }
    }
    void every_writer_keeps_what_is_there()
    {
        QFETCH(int, writer);
        QFETCH(int, fault);
        QFETCH(QString, says);
        const Writer write = writers().at(writer);
        Place place;
        const QString path = place.file(QStringLiteral("target"));
        std::optional<TestSupport::FileSizeLimit> limit;
        switch (Fault(fault)) {
        case Fault::FullDisk:
            if (!write.createOnly)
                QVERIFY(TestSupport::writeFile(path, oldContent()));
            if (!place.fill())
                limit.emplace(16); // every write past 16 bytes fails, as on a full disk
            break;
        case Fault::ReadOnlyFolder:
            if (!write.createOnly)
                QVERIFY(TestSupport::writeFile(path, oldContent()));
            if (!place.makeReadOnly())
                QSKIP("no read-only folder stops this user");
            break;
        case Fault::Fifo:
            QCOMPARE(::mkfifo(native(path), 0600), 0);
            break;
        case Fault::DeviceLink: {
            // A null device of the test's own where root may make one, so a
            // wrong write never touches /dev.
            const QString node = place.file(QStringLiteral("null"));
            const bool made = ::mknod(native(node), S_IFCHR | 0666, makedev(1, 3)) == 0;
            QVERIFY(QFile::link(made ? node : QStringLiteral("/dev/null"), path));
            break;
        }
        case Fault::Folder:
            QVERIFY(TestSupport::writeFile(path + QStringLiteral("/inside.txt"), oldContent()));
            break;
        }
        const QString before = describe(path);
        const QStringList entries = place.entries();

        // Run apart, so a writer that blocks on the FIFO fails instead of hanging.
        QString message;
        QVERIFY2(!blocksOnFifo(path, [&] { message = write.write(path); }), "blocked on the FIFO");
        limit.reset();

        QCOMPARE(describe(path), before);
        QCOMPARE(place.entries(), entries); // no temporary file left behind
        if (write.createOnly)
            return;
        const QStringList words = says.split(u'|');
        QVERIFY2(
            std::any_of(words.begin(), words.end(), [&](const QString &w) { return message.contains(w); }),
            qPrintable(message));
        if (write.namesFile)
            QVERIFY2(message.contains(QDir::toNativeSeparators(path)), qPrintable(message));
    }

    // A link to a regular file is written through, the file keeping its
    // permissions; a name that is no UTF-8 is written under its own bytes.
    void every_writer_writes_through_links_and_odd_names_data()
    {
        QTest::addColumn<int>("writer");
        QTest::addColumn<bool>("link");
        const QList<Writer> all = writers();
        for (int w = 0; w < all.size(); ++w) {
            if (!all[w].createOnly)
                QTest::addRow("%s, link", qPrintable(all[w].name)) << w << true;
            QTest::addRow("%s, name in Latin-1", qPrintable(all[w].name)) << w << false;
        }
    }
    void every_writer_writes_through_links_and_odd_names()
    {
        QFETCH(int, writer);
        QFETCH(bool, link);
        const Writer write = writers().at(writer);
        Place place;
        const QString real = place.file(DecodeFileName("caf\xe9"));
        const QString path = link ? place.file(QStringLiteral("link")) : real;
        if (link) {
            QVERIFY(writeNative(real, oldContent()));
            QCOMPARE(::chmod(native(real), 0640), 0);
            QCOMPARE(::symlink(native(real), native(path)), 0);
        }
        QCOMPARE(write.write(path), QString());
        struct stat info = {};
        QCOMPARE(::stat(native(real), &info), 0);
        QVERIFY(S_ISREG(info.st_mode));
        QVERIFY(info.st_size > 0 && info.st_size != oldContent().size());
        if (link) {
            QCOMPARE(int(info.st_mode & 0777), 0640);
            QVERIFY(QFileInfo(path).isSymLink());
        }
    }
};

QTEST_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
