// The help: contents built from the pages, the compiled pages themselves,
// and the help window's navigation.

#include "widgets/helppages.h"
#include "widgets/helpwindow.h"
#include "widgets/shellhyperlink.h"

#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

namespace {

const QString HelpRoot = QStringLiteral(":/help/");

QString pageText(const QString &fileName)
{
    QFile file(HelpRoot + fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList helpPages()
{
    return QDir(HelpRoot).entryList({QStringLiteral("*.html")}, QDir::Files);
}

HelpPageEntry entry(const char *fileName, const char *title, int order = HelpPageEntry::NoOrder)
{
    HelpPageEntry page;
    page.fileName = QString::fromUtf8(fileName);
    page.title = QString::fromUtf8(title);
    page.order = order;
    return page;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void readHelpPageEntry_takes_title_and_order_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("order");
        QTest::newRow("single quotes, upper case, spaced")
            << "<HEAD><META NAME='contents-order' CONTENT=' 7 '><TITLE>\n  Data\n files </TITLE>"
            << "Data files" << 7;
        QTest::newRow("entities") << "<title>Help &amp; support &lt;1&gt;</title>"
                                  << "Help & support <1>" << int(HelpPageEntry::NoOrder);
        QTest::newRow("no title: file name") << "<p>text</p>"
                                             << "toolbar" << int(HelpPageEntry::NoOrder);
        QTest::newRow("order not a number")
            << "<meta name=\"contents-order\" content=\"late\"><title>T</title>"
            << "T" << int(HelpPageEntry::NoOrder);
    }
    void readHelpPageEntry_takes_title_and_order()
    {
        QFETCH(QString, html);
        QFETCH(QString, title);
        QFETCH(int, order);
        const HelpPageEntry page = ReadHelpPageEntry(QStringLiteral("toolbar.html"), html);
        QCOMPARE(page.title, title);
        QCOMPARE(page.order, order);
    }

    void sortHelpContents_puts_home_first_then_by_order()
    {
        const QList<HelpPageEntry> sorted = SortHelpContents({
            entry("zeta.html", "Zeta"),
            entry("settings.html", "Settings", 95),
            entry("index.html", "Getting started", 500),
            entry("alpha.html", "Alpha"),
            entry("unitcalc.html", "Unit calculator", 20),
            entry("beta.html", "Beta", 20),
        });
        QStringList files;
        for (const HelpPageEntry &page : sorted)
            files << page.fileName;
        QCOMPARE(files, (QStringList{"index.html", "beta.html", "unitcalc.html", "settings.html",
                                     "alpha.html", "zeta.html"}));
    }

    void compiled_pages_have_titles_orders_and_working_links()
    {
        const QStringList pages = helpPages();
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        static const QRegularExpression hrefPattern(QStringLiteral("href=\"([^\"]+)\""));
        for (const QString &fileName : pages) {
            const QString html = pageText(fileName);
            const HelpPageEntry page = ReadHelpPageEntry(fileName, html);
            QVERIFY2(page.title != QFileInfo(fileName).completeBaseName(),
                     qPrintable(fileName + " has no title"));
            QVERIFY2(page.order != HelpPageEntry::NoOrder, qPrintable(fileName + " has no contents order"));

            for (auto it = hrefPattern.globalMatch(html); it.hasNext();) {
                const QUrl link(it.next().captured(1));
                const QString where = fileName + " -> " + link.toString();
                if (!IsHelpPageLink(link)) {
                    // Only the maker's reserved addresses, never a real third party.
                    QVERIFY2(link.host().endsWith(QLatin1String(".example")) ||
                                 link.path().endsWith(QLatin1String(".example")),
                             qPrintable(where));
                    continue;
                }
                const QString target = link.path().isEmpty() ? fileName : link.path();
                QVERIFY2(QFile::exists(HelpRoot + target), qPrintable(where));
                if (link.hasFragment() && !target.endsWith(QLatin1String(".css")))
                    QVERIFY2(pageText(target).contains(QStringLiteral("name=\"%1\"").arg(link.fragment())),
                             qPrintable(where));
            }
        }
    }

    void helpWindow_follows_contents_and_keeps_page_on_missing_link()
    {
        QWidget owner;
        HelpWindow *help = HelpWindow::forOwner(&owner);
        auto *contents = help->findChild<QListWidget *>(QStringLiteral("lstHelpContents"));
        auto *page = help->findChild<QTextBrowser *>(QStringLiteral("txtHelpPage"));
        QVERIFY(contents && page);
        QCOMPARE(HelpWindow::forOwner(&owner), help);
        QCOMPARE(contents->count(), int(helpPages().size()));
        QCOMPARE(contents->item(0)->text(), QStringLiteral("Getting started"));
        QCOMPARE(contents->currentRow(), 0);

        const QList<QListWidgetItem *> settings =
            contents->findItems(QStringLiteral("Settings"), Qt::MatchExactly);
        QCOMPARE(settings.size(), 1);
        contents->setCurrentItem(settings.first());
        QCOMPARE(help->currentPage(), QStringLiteral("settings.html"));
        QVERIFY(page->toPlainText().contains(QStringLiteral("Language%20offset")));

        // A link followed inside a page moves the contents selection along.
        emit page->anchorClicked(QUrl(QStringLiteral("unitcalc.html#digits")));
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
        QCOMPARE(contents->currentItem()->text(), QStringLiteral("Unit calculator"));

        // A page the help does not have yet: the current page stays, no message.
        emit page->anchorClicked(QUrl(QStringLiteral("inertia.html")));
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
        QVERIFY(!help->showPage(QStringLiteral("nothing.html")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        // A web or mail link goes to the desktop; the page stays.
        QStringList opened;
        SetUrlOpenerForTesting([&opened](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        emit page->anchorClicked(QUrl(QStringLiteral("mailto:appsupport@velmora.example")));
        SetUrlOpenerForTesting({});
        QCOMPARE(opened, QStringList{QStringLiteral("mailto:appsupport@velmora.example")});
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
