// The recent-files list: its order, limit and repeats, as added to and as
// read back from a hand-edited settings value.

#include "core/recentfiles.h"
#include "core/settingsstore.h"
#include "testsupport.h"

#include <QtTest>

namespace {
QStringList numbered(int from, int to)
{
    QStringList list;
    for (int k = from; k <= to; ++k)
        list << QStringLiteral("/axes/%1.tvaxis").arg(k);
    return list;
}
} // namespace

class TestRecentFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    void add_data()
    {
        QTest::addColumn<QStringList>("list");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("first") << QStringList{} << "/axes/a.tvaxis" << QStringList{"/axes/a.tvaxis"};
        QTest::newRow("opened again moves to the top")
            << numbered(1, 3) << "/axes/./3.tvaxis"
            << QStringList{"/axes/3.tvaxis", "/axes/1.tvaxis", "/axes/2.tvaxis"};
        QTest::newRow("the oldest goes past the limit")
            << numbered(2, 9) << "/axes/1.tvaxis" << numbered(1, 8);
        QTest::newRow("a line break cannot be kept")
            << numbered(1, 2) << "/axes/a\nb.tvaxis" << numbered(1, 2);
    }
    void add()
    {
        QFETCH(QStringList, list);
        QFETCH(QString, path);
        QTEST(AddRecentFile(list, path), "expected");
    }

    // A hand-edited value is read under the same rules; a relative path
    // would depend on the folder the program started in.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("blank, relative and repeated lines")
            << "\n/axes/1.tvaxis\r\n\nrelative.tvaxis\n/axes/2.tvaxis\n/axes/1.tvaxis\n"
            << numbered(1, 2);
        QTest::newRow("too many lines") << numbered(1, 12).join(u'\n') << numbered(1, 8);
    }
    void parse()
    {
        QFETCH(QString, text);
        QTEST(ParseRecentFiles(text), "expected");
    }

    // Through the settings file, names with what INI files treat specially
    // come back as they were.
    void settings_keep_the_list_exactly()
    {
        Settings settings(m_dir.filePath(QStringLiteral("recent.ini")));
        const QStringList files{"/home/u/a, b; c=d.tvaxis", "/home/u/\"quoted\" %20 ü.tvaxis", "/x.tvaxis"};
        settings.setRecentFiles(files);
        QCOMPARE(Settings(settings.fileName()).recentFiles(), files);
        QCOMPARE(RemoveRecentFile(files, QStringLiteral("/x.tvaxis")), files.mid(0, 2));
    }
};

QTEST_GUILESS_MAIN(TestRecentFiles)
#include "tst_recentfiles.moc"
