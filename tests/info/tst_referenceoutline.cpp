// The reference sheet's text: reading it, and finding the section a search
// names; the shipped text against the sheet it was written with.

#include "info/referenceoutline.h"

#include "testsupport.h"

#include <QTest>

namespace {

ReferenceOutline outlineOf(QByteArray text)
{
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    return ReadReferenceOutline(buffer);
}

const QByteArray Sample = "# comment\n"
                          "Title\n"
                          "== 10 Identities\n"
                          "sin(\xE2\x88\x92\xCE\xB8) = \xE2\x88\x92sin \xCE\xB8\n"
                          "== 90 Integrals\n"
                          "== x malformed\n"
                          "\xE2\x88\xAB tan x dx = \xE2\x88\x92ln|cos x| + C\n";

} // namespace

class TestReferenceOutline : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_sections_with_their_rows_and_lines()
    {
        const ReferenceOutline outline = outlineOf(Sample);
        QCOMPARE(outline.preamble, QStringList{QStringLiteral("Title")});
        QCOMPARE(outline.sections.size(), 2);
        QCOMPARE(outline.sections[0].title, QStringLiteral("Identities"));
        QCOMPARE(outline.sections[1].top, 90);
        // A line that only looks like a section line is text of the section before.
        QCOMPARE(outline.sections[1].lines.size(), 2);
        QVERIFY(ReferenceOutlineText(outline).contains(QStringLiteral("\n\nIntegrals\n== x malformed\n")));
    }

    void finds_the_first_section_that_matches_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("expected");
        QTest::newRow("title, any case") << "INTEGRALS" << 0 << 1;
        QTest::newRow("a typed minus finds the sheet's minus sign") << "= -sin" << 0 << 0;
        QTest::newRow("from a later section, wrapping round") << "sin" << 1 << 0;
        QTest::newRow("next match after the last") << "cos" << 1 << 1;
        QTest::newRow("no match") << "cosh" << 0 << -1;
        QTest::newRow("blank") << "  " << 0 << -1;
    }
    void finds_the_first_section_that_matches()
    {
        QFETCH(QString, query);
        QFETCH(int, from);
        QTEST(FindReferenceSection(outlineOf(Sample), query, from), "expected");
    }

    void shipped_text_has_every_section_in_sheet_order()
    {
        QFile file(TestSupport::sourceDir() + QStringLiteral("/resources/reference/sheet.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const ReferenceOutline outline = ReadReferenceOutline(file);
        QVERIFY(outline.sections.size() >= 15);
        int above = -1;
        for (const ReferenceSection &section : outline.sections) {
            QVERIFY2(section.top > above && !section.lines.isEmpty(), qPrintable(section.title));
            above = section.top;
        }
    }
};

QTEST_GUILESS_MAIN(TestReferenceOutline)
#include "tst_referenceoutline.moc"
