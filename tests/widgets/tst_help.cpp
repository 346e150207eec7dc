// The help: contents built from the pages, the compiled pages themselves,
// what they say measured against the program, and the help window's navigation.

#include "app/frmtoolbar.h"
#include "axiswin/frmaxissizing.h"
#include "core/datafiles.h"
#include "widgets/chrome.h"
#include "widgets/helppages.h"
#include "widgets/helpwindow.h"
#include "widgets/shellhyperlink.h"

#include "testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRegularExpression>
#include <QSettings>
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

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void sortHelpContents_puts_home_first_then_by_order()
    {
        const QList<HelpPageEntry> sorted = SortHelpContents({{"zeta.html", "Zeta"},
                                                              {"settings.html", "Settings", 95},
                                                              {"index.html", "Getting started", 500},
                                                              {"alpha.html", "Alpha"},
                                                              {"unitcalc.html", "Unit calculator", 20},
                                                              {"beta.html", "Beta", 20}});
        QStringList files;
        for (const HelpPageEntry &page : sorted)
            files << page.fileName;
        QCOMPARE(files, (QStringList{"index.html", "beta.html", "unitcalc.html", "settings.html",
                                     "alpha.html", "zeta.html"}));
    }

    void data_file_places_are_filled_in_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("filled");
        QTest::newRow("each place") << "<td>{{path:a.dat}}</td><td>{{path:b.txt}}</td>"
                                    << "<td>/data/a.dat</td><td>/data/b.txt</td>";
        QTest::newRow("escaped for the page") << "{{path:&.dat}}"
                                              << "/data/&amp;.dat";
        QTest::newRow("nothing to fill") << "<p>{{path:}} {path:x}</p>"
                                         << "<p>{{path:}} {path:x}</p>";
        QTest::newRow("broken place, then one") << "{{path:a{{path:b.dat}}{{path:c.dat}}"
                                                << "{{path:a/data/b.dat/data/c.dat";
    }
    void data_file_places_are_filled_in()
    {
        QFETCH(QString, html);
        QTEST(FillDataFilePaths(html, [](const QString &file) { return "/data/" + file; }), "filled");
    }

    // Pages are read with a plain scan: its edges, as the pages may be written.
    void page_title_and_order_are_read_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("order");
        const int none = HelpPageEntry::NoOrder;
        QTest::newRow("usual") << R"(<meta name="contents-order" content="20"><title>Unit calculator</title>)"
                               << "Unit calculator" << 20;
        QTest::newRow("any case, attributes, quotes, spaces")
            << "<META content = ' -3 ' NAME='Contents-Order'><TITLE lang=en>\n A &amp; B </Title>"
            << "A & B" << -3;
        QTest::newRow("other meta first")
            << R"(<meta charset="utf-8"><meta name="contents-order" content="7">)"
            << "page" << 7;
        QTest::newRow("no title, bad order")
            << R"(<titles>x</titles><meta name="contents-order" content="x">)"
            << "page" << none;
        QTest::newRow("title never closed") << "<title>Lost"
                                            << "page" << none;
    }
    void page_title_and_order_are_read()
    {
        QFETCH(QString, html);
        const HelpPageEntry page = ReadHelpPageEntry(QStringLiteral("page.html"), html);
        QTEST(page.title, "title");
        QTEST(page.order, "order");
    }

    // The page the user reads names the files this run really uses.
    void data_files_page_shows_this_runs_places()
    {
        QWidget owner;
        HelpWindow *help = HelpWindow::forOwner(m_context, &owner);
        QVERIFY(help->showPage(QStringLiteral("datafiles.html")));
        const QString text = help->findChild<QTextBrowser *>(QStringLiteral("txtHelpPage"))->toPlainText();
        QVERIFY2(!text.contains(QLatin1String("{{")), qPrintable(text));
        QVERIFY(text.contains(
            QDir::toNativeSeparators(m_context.userFileLocation(QStringLiteral("buglog.txt")))));
    }

    void compiled_pages_have_titles_orders_and_working_links()
    {
        const QStringList pages = helpPages();
        QVERIFY(pages.contains(QStringLiteral("index.html")));
        QStringList unlisted = pages; // the home page lists every other page
        unlisted.removeAll(QStringLiteral("index.html"));
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
                if (fileName == QLatin1String("index.html"))
                    unlisted.removeAll(target);
                QVERIFY2(QFile::exists(HelpRoot + target), qPrintable(where));
                if (link.hasFragment() && !target.endsWith(QLatin1String(".css")))
                    QVERIFY2(pageText(target).contains(QStringLiteral("name=\"%1\"").arg(link.fragment())),
                             qPrintable(where));
            }
        }
        QVERIFY2(unlisted.isEmpty(), qPrintable(unlisted.join(u", ")));
    }

    // Each button the toolbar page says "Opens" a window opens one; the others open nothing.
    void toolbar_page_promises_only_windows_that_open()
    {
        static const QRegularExpression rowPattern(QStringLiteral("<tr><td>([^<]+)</td><td>([^<]+)"));
        const QHash<QString, QString> buttons{{"Velmora logo", "cmdLogo"}, {"Units", "cmdUnits"},
                                              {"Inertia", "cmdInertia"},   {"Density", "cmdDensity"},
                                              {"Trig", "cmdTrig"},         {"Axis", "cmdAxis"}};
        frmToolbar toolbar(m_context);
        toolbar.show();
        int rows = 0;
        for (auto it = rowPattern.globalMatch(pageText(QStringLiteral("toolbar.html"))); it.hasNext();
             ++rows) {
            const QRegularExpressionMatch row = it.next();
            auto *button = toolbar.findChild<QAbstractButton *>(buttons.value(row.captured(1)));
            QVERIFY2(button, qPrintable(row.captured(1)));
            QString opened;
            {
                const auto watch = TestSupport::closeNextModal(opened, TestSupport::Modal::MayOpen);
                button->click();
            }
            QVERIFY2(row.captured(2).startsWith(QLatin1String("Opens")) == !opened.isEmpty(),
                     qPrintable(row.captured(1) + QStringLiteral(" opened '") + opened + u'\''));
        }
        QCOMPARE(rows, buttons.size());
    }

    // After each calculator has been used and the toolbar exited, the settings
    // files together hold exactly the entries the settings page lists (bar the
    // one the program never writes), and each calculator's page names every
    // section that calculator wrote.
    void pages_name_the_settings_the_program_keeps()
    {
        const std::pair<const char *, const char *> calculators[] = {{"cmdUnits", "unitcalc.html"},
                                                                     {"cmdInertia", "inertia.html"},
                                                                     {"cmdDensity", "densities.html"},
                                                                     {"cmdAxis", "axis.html"}};
        QSet<QString> written;
        QTemporaryDir saved;
        for (const auto &[button, page] : calculators) {
            QFile::remove(m_context.settings().fileName());
            {
                frmToolbar toolbar(m_context);
                toolbar.show();
                const auto watch = TestSupport::whenModalShown([&saved](QWidget *calculator) {
                    // The axis window keeps its recent files as a file is saved.
                    if (auto *axis = qobject_cast<frmAxisSizing *>(calculator))
                        axis->saveFile(saved.filePath(QStringLiteral("kept.tvaxis")));
                    // The inertia calculator's default units are stored by Save in their window.
                    if (auto *defaults =
                            calculator->findChild<QAction *>(QStringLiteral("mnuSetDefaultUnits"))) {
                        const auto watch = TestSupport::whenModalShown([](QWidget *dialog) {
                            dialog->findChild<QAbstractButton *>(QStringLiteral("cmdSave"))->click();
                        });
                        defaults->trigger();
                    }
                    calculator->close();
                });
                toolbar.findChild<QAbstractButton *>(QLatin1String(button))->click();
                toolbar.exitFromTray();
            }
            const QString text = pageText(QLatin1String(page));
            const QString kept = text.mid(text.indexOf(QLatin1String("name=\"kept\"")));
            QSettings file(m_context.settings().fileName(), QSettings::IniFormat);
            for (const QString &section : file.childGroups()) {
                // Window places are kept by every window alike, under its name.
                if (section == QLatin1String(Settings::WindowPlacesSection.data()))
                    continue;
                file.beginGroup(section);
                for (const QString &key : file.childKeys())
                    written.insert(section + u'/' + key);
                file.endGroup();
                if (section != QLatin1String("Toolbar"))
                    QVERIFY2(
                        kept.contains(u'[' + QString(section).replace(u' ', QLatin1String("%20")) + u']'),
                        qPrintable(QLatin1String(page) + u' ' + section));
            }
        }

        static const QRegularExpression rowPattern(QStringLiteral("<tr><td>([^<]+)</td><td>([^<]+)</td>"));
        QSet<QString> listed;
        for (auto it = rowPattern.globalMatch(pageText(QStringLiteral("settings.html"))); it.hasNext();) {
            const QRegularExpressionMatch row = it.next();
            listed.insert(row.captured(1) + u'/' + row.captured(2));
        }
        QVERIFY(listed.remove(QStringLiteral("Settings/Language offset")));
        QCOMPARE(written, listed);
    }

    // The settings page lists every fixed setting of the settings table, no
    // other, each with the table's default where it has one.
    void settings_page_lists_the_settings_table_with_defaults()
    {
        static const QRegularExpression rowPattern(QStringLiteral("<tr>(.*?)</tr>"),
                                                   QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>(.*?)</td>"),
                                                    QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression markup(QStringLiteral("<[^>]*>"));
        QHash<QString, QString> listed; // "section/key" -> when absent
        for (auto row = rowPattern.globalMatch(pageText(QStringLiteral("settings.html"))); row.hasNext();) {
            QStringList cells;
            for (auto cell = cellPattern.globalMatch(row.next().captured(1)); cell.hasNext();)
                cells << cell.next().captured(1).remove(markup).simplified();
            if (cells.size() >= 2 && cells[0] != QLatin1String(Settings::DefaultUnitsSection.data()) &&
                cells[0] != QLatin1String(Settings::WindowPlacesSection.data()))
                listed.insert(cells[0] + u'/' + cells[1], cells.value(3));
        }
        QSet<QString> expected;
        for (const Settings::Row &row : Settings::Table) {
            const QString name = QString::fromUtf8(row.section.data(), row.section.size()) + u'/' +
                                 QString::fromUtf8(row.name.data(), row.name.size());
            expected.insert(name);
            const QString byDefault = QString::fromUtf8(row.defaultText.data(), row.defaultText.size());
            if (!byDefault.isEmpty())
                QVERIFY2(listed.value(name).startsWith(byDefault),
                         qPrintable(name + u' ' + listed.value(name)));
        }
        QCOMPARE(QSet<QString>(listed.keyBegin(), listed.keyEnd()), expected);
    }

    // A closed help window is gone, with its window picture; help asked for
    // again opens a new one, with or without an owner.
    void closed_help_window_is_released_data()
    {
        QTest::addColumn<bool>("owned");
        QTest::newRow("from a calculator") << true;
        QTest::newRow("standing alone") << false;
    }
    void closed_help_window_is_released()
    {
        QFETCH(bool, owned);
        QWidget owner;
        QWidget *const by = owned ? &owner : nullptr;
        QPointer<HelpWindow> help = HelpWindow::forOwner(m_context, by);
        help->showContents();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->close());
        QTRY_VERIFY(help.isNull());
        HelpWindow *again = HelpWindow::forOwner(m_context, by);
        again->showContents();
        QCOMPARE(again->currentPage(), QStringLiteral("index.html"));
        again->close();
    }

    void helpWindow_follows_contents_and_keeps_page_on_missing_link()
    {
        QWidget owner;
        HelpWindow *help = HelpWindow::forOwner(m_context, &owner);
        auto *contents = TestSupport::child<QListWidget>(help, QStringLiteral("lstHelpContents"));
        auto *page = TestSupport::child<QTextBrowser>(help, QStringLiteral("txtHelpPage"));
        QCOMPARE(HelpWindow::forOwner(m_context, &owner), help);
        QCOMPARE(contents->count(), int(helpPages().size()));
        QCOMPARE(contents->item(0)->text(), QStringLiteral("Getting started"));
        QCOMPARE(contents->currentRow(), 0);
        help->show();
        QVERIFY(QTest::qWaitForWindowExposed(help));
        for (int i = 0; i < contents->count(); ++i) // no title is cut off
            QVERIFY2(contents->visualItemRect(contents->item(i)).width() <= contents->viewport()->width() &&
                         contents->sizeHintForColumn(0) <= contents->viewport()->width(),
                     qPrintable(contents->item(i)->text()));

        contents->setCurrentItem(contents->findItems(QStringLiteral("Settings"), Qt::MatchExactly).value(0));
        QCOMPARE(help->currentPage(), QStringLiteral("settings.html"));
        QVERIFY(page->toPlainText().contains(QStringLiteral("Language%20offset")));

        // A link followed inside a page moves the contents selection along.
        emit page->anchorClicked(QUrl(QStringLiteral("unitcalc.html#digits")));
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
        QCOMPARE(contents->currentItem()->text(), QStringLiteral("Unit calculator"));

        // A page the help does not have yet: the current page stays, no message.
        emit page->anchorClicked(QUrl(QStringLiteral("maintenance.html")));
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
        QVERIFY(!help->showPage(QStringLiteral("nothing.html")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);

        // A web or mail link goes to the desktop; the page stays.
        TestSupport::RecordingOpener opener(m_context);
        emit page->anchorClicked(QUrl(QStringLiteral("mailto:appsupport@velmora.example")));
        QCOMPARE(opener.opened, QStringList{QStringLiteral("mailto:appsupport@velmora.example")});
        QCOMPARE(help->currentPage(), QStringLiteral("unitcalc.html"));
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
