// The axis window's files beyond Open and Save: the recent-files list, a file
// handed from outside (a start with a file, a second start), and the report
// exported as a PDF.

#include "../axis/axisbuild.h"
#include "axis/axisfile.h"
#include "axis/axisreport.h"
#include "axiswin/frmaxissizing.h"
#include "drives/candidatetable.h"
#include "widgets/reportprinter.h"

#include <QAbstractTextDocumentLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace AxisBuild;
using TestSupport::child;
using TestSupport::whenModalShown;

namespace {
// A PDF's text as pdftotext reads it (with -layout, in columns as on the
// page); empty when it cannot be read.
QString pdfText(const QByteArray &pdf, bool layout = false)
{
    QProcess extract;
    extract.start(QStringLiteral("pdftotext"),
                  layout ? QStringList{"-layout", "-", "-"} : QStringList{"-", "-"});
    extract.write(pdf);
    extract.closeWriteChannel();
    return extract.waitForFinished(60000) ? QString::fromUtf8(extract.readAllStandardOutput()) : QString();
}
} // namespace

class TestAxisFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

    QString axisFile(const QString &name, const Axis &axis)
    {
        const QString path = m_dir.filePath(name);
        TestSupport::writeFile(path, AxisFileBytes({axis, {}}).value_or(QByteArray()));
        return path;
    }

    // The report of a long axis: many items, a cycle of many moves (its moves
    // and segments tables running over pages), the candidates compared, and
    // a note after them all.
    ReportDocument longReport(int items, int moves, int candidates)
    {
        QList<AxisItem> parts{screwLoad(40, 0.01)};
        for (int k = 1; k <= items; ++k)
            parts << inertiaValue(1e-6 * k, 1, AxisSide::Load, QStringLiteral("Pulley %1").arg(k));
        const auto si = [](double value, const char *unit) {
            return AxisQuantity{value, QString::fromUtf8(unit)};
        };
        Axis axis = AxisBuild::axis(parts, 3, 5e-6, 2e-5);
        axis.motor.peakTorque = si(20, "N-m");
        axis.motor.ratedTorque = si(8, "N-m");
        axis.motor.maxSpeed = si(300, "rad/s");
        MoveInputs move;
        move.moves.clear();
        for (int k = 0; k < moves; ++k) { // out and back, by every profile in turn
            CycleMove step;
            step.distance = si(k % 2 ? -0.2 : 0.2, "m");
            step.moveTime = si(0.5, "s");
            step.profile =
                std::array{MoveProfile::Trapezoidal, MoveProfile::SCurve, MoveProfile::Limited}[k % 3];
            step.speedLimit = si(0.6, "m/s");
            step.accelLimit = si(4, "m/s\u00b2");
            step.dwell = si(0.2, "s");
            move.moves << step;
        }
        const ConversionTableData &units = m_context.units();
        const ReportFigures figures{units, QStringLiteral("kg-cm\u00b2"), 6, false};
        const AxisResults inertia = ComputeAxis(axis);
        ReportDocument report = AxisReport(axis, inertia, figures, "long.tvaxis", "today");
        MoveReportUnits shown;
        shown.figures = {"mm/s", "m/s\u00b2", "rpm", "rad/s\u00b2", "N-m", "N", "s", "mm", "kg"};
        shown.accelTime = shown.decelTime = "s";
        const MoveResults results = ComputeMove(axis, inertia, move);
        AppendMoveReport(report, move, results, shown, figures);
        AppendMechanismReport(report, axis, results, figures);
        CandidateComparison comparison;
        for (int k = 0; k < candidates; ++k)
            comparison.motors.push_back({QStringLiteral("Example motor %1").arg(k),
                                         {},
                                         1e-4 * (1 + k * 0.1),
                                         600,
                                         CornerCurve(6, 300, 3, 600),
                                         CornerCurve(2, 300, 1, 600),
                                         {},
                                         {}});
        const GearboxRecord box{QStringLiteral("Planetary box"), {}, {3, 5, 7}, 2e-5, 0.95, 200, 100, 600};
        for (double ratio : box.ratios)
            comparison.gearboxes.push_back({box, ratio});
        if (candidates > 0)
            report.sections.append(CandidateReportSection(axis, move, comparison));
        report.sections.append({"Notes", {ReportBlock::paragraph("Checked by the night shift.")}});
        return report;
    }

private Q_SLOTS:
    void initTestCase() { initAxisTest(m_dir, m_context.units()); }
    void init() { m_context.settings().setRecentFiles({}); }

    // Open and Save put a file at the top of File > Open Recent; an entry
    // opens its file; a file gone since is refused, said and dropped; Clear
    // list empties it.
    void recent_files_follow_open_and_save()
    {
        const QString a = m_dir.filePath(QStringLiteral("a.tvaxis"));
        const QString b = m_dir.filePath(QStringLiteral("b.tvaxis"));
        frmAxisSizing window(m_context);
        auto *recent = child<QMenu>(&window, QStringLiteral("mnuFileRecent"));
        QVERIFY(!recent->menuAction()->isEnabled());
        window.setAxis(ballScrewAxis());
        QVERIFY(window.saveFile(a) && window.saveFile(b));
        QVERIFY(window.openFile(a));
        QCOMPARE(m_context.settings().recentFiles(), (QStringList{a, b}));

        Q_EMIT recent->aboutToShow();
        QVERIFY(child<QAction>(recent, QStringLiteral("mnuFileRecent1"))
                    ->text()
                    .startsWith(QStringLiteral("&1  a.tvaxis")));
        child<QAction>(recent, QStringLiteral("mnuFileRecent2"))->trigger();
        QCOMPARE(window.filePath(), b);

        QVERIFY(QFile::remove(a));
        QString message;
        auto watch = whenModalShown([&message](QWidget *box) {
            message = static_cast<QMessageBox *>(box)->text();
            box->close();
        });
        window.openRecent(a);
        QVERIFY2(message.contains(QStringLiteral("a.tvaxis")) &&
                     message.contains(QStringLiteral("no longer")),
                 qPrintable(message));
        QCOMPARE(window.filePath(), b);
        QCOMPARE(m_context.settings().recentFiles(), (QStringList{b}));

        Q_EMIT recent->aboutToShow();
        child<QAction>(recent, QStringLiteral("mnuFileRecentClear"))->trigger();
        QVERIFY(m_context.settings().recentFiles().isEmpty());
        QVERIFY(!recent->menuAction()->isEnabled());
    }

    // A value too large for the unit it is shown in reads "Overflow", never
    // 0, in the window and in the item editor; an edit elsewhere, the editor's
    // OK and a save keep the value itself.
    void value_too_large_for_its_unit_is_kept()
    {
        Axis large = ballScrewAxis();
        large.motor.inertia = {1e308, QStringLiteral("g-cm²")};
        large.items[0][AxisParam::Mass] = {1e308, QStringLiteral("g")};
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(axisFile(QStringLiteral("large.tvaxis"), large)));
        QCOMPARE(child<QLineEdit>(&window, QStringLiteral("txtRotorInertia"))->text(),
                 QStringLiteral("Overflow"));
        child<QLineEdit>(&window, QStringLiteral("txtTargetRatio"))->setText(QStringLiteral("4"));
        QString shown;
        auto watch = whenModalShown([&shown](QWidget *editor) {
            shown = child<QLineEdit>(editor, QStringLiteral("txtMass"))->text();
            child<QPushButton>(editor, QStringLiteral("cmdOK"))->click();
        });
        child<QTableView>(&window, QStringLiteral("tblItems"))->selectRow(0);
        child<QPushButton>(&window, QStringLiteral("cmdEdit"))->click();
        QCOMPARE(shown, QStringLiteral("Overflow"));
        const QString saved = m_dir.filePath(QStringLiteral("large-saved.tvaxis"));
        QVERIFY(window.saveFile(saved));
        const AxisFileRead read = ReadAxisFile(saved);
        QVERIFY2(read.document, qPrintable(read.problem));
        QCOMPARE(read.document->axis.motor.inertia.value, 1e308);
        QCOMPARE(read.document->axis.items[0][AxisParam::Mass].value, 1e308);
    }

    // A file handed from outside opens as File > Open does: unsaved changes
    // are asked about first, and while the item editor is open over the
    // window the file waits for it to close. One handed over before the
    // window shows (a start with a file) is open once the window is up,
    // without waiting on a timer.
    void file_from_outside_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer"); // to the question about changes
        QTest::addColumn<bool>("editorOpen");
        QTest::addColumn<bool>("beforeShow");
        QTest::addColumn<bool>("opened");
        QTest::newRow("no changes") << false << 0 << false << false << true;
        QTest::newRow("changes kept: cancel") << true << int(QMessageBox::Cancel) << false << false << false;
        QTest::newRow("changes dropped") << true << int(QMessageBox::Discard) << false << false << true;
        QTest::newRow("item editor open") << false << 0 << true << false << true;
        QTest::newRow("given before the window shows") << false << 0 << false << true << true;
    }
    void file_from_outside()
    {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, editorOpen);
        QFETCH(bool, beforeShow);
        QFETCH(bool, opened);
        const QString path = axisFile(QStringLiteral("outside.tvaxis"), ballScrewAxis());
        frmAxisSizing window(m_context);
        if (beforeShow) {
            window.openFromOutside(path);
            QVERIFY(window.filePath().isEmpty()); // not yet: no window to stand over
            window.show();
            QCoreApplication::processEvents(); // one pass, no waiting
            QCOMPARE(window.filePath(), path);
            return;
        }
        window.show();
        if (modified)
            window.setAxis(axis({beltLoad(12, 0.05)}, 1, 0, 1e-3));
        const Axis before = window.axis();

        bool asked = false;
        bool openedUnderEditor = false;
        auto watch = whenModalShown(
            [&](QWidget *modal) {
                if (editorOpen) { // the item editor: the file comes while it is open
                    window.openFromOutside(path);
                    QTest::qWait(300);
                    openedUnderEditor = window.filePath() == path;
                    child<QPushButton>(modal, QStringLiteral("cmdCancel"))->click();
                    return;
                }
                asked = true;
                static_cast<QMessageBox *>(modal)->button(QMessageBox::StandardButton(answer))->click();
            },
            modified || editorOpen ? TestSupport::Modal::MustOpen : TestSupport::Modal::MayOpen);
        if (editorOpen)
            child<QAction>(&window, QStringLiteral("mnuAdd_inertia"))->trigger();
        else
            window.openFromOutside(path);
        QTRY_COMPARE(window.filePath() == path, opened);
        QCOMPARE(asked, modified);
        QVERIFY(!openedUnderEditor);
        QCOMPARE(window.axis(), opened ? ballScrewAxis() : before);
    }

    // The report as a PDF: its text is text (found by a text extractor, so
    // it stays sharp at any zoom), and a long item table runs onto more pages.
    void report_exports_as_pdf()
    {
        QList<AxisItem> items;
        for (int k = 1; k <= 80; ++k)
            items << inertiaValue(1e-6 * k, 1, AxisSide::Load, QStringLiteral("Pulley %1").arg(k));
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(axisFile(QStringLiteral("long.tvaxis"), axis(items, 2, 0, 1e-4))));
        for (const char *box : {"txtDistance", "txtMoveTime"}) // a move, plotted in the report
            child<QLineEdit>(&window, QString::fromLatin1(box))->setText(QStringLiteral("1"));
        const QString pdf = m_dir.filePath(QStringLiteral("long.pdf"));
        QVERIFY(window.exportPdf(pdf));
        QVERIFY(TestSupport::fileContents(pdf).startsWith("%PDF-"));
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        QProcess extract;
        extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(extract.waitForFinished(20000));
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        for (const char *expected : {"Axis sizing report", "long.tvaxis", "Pulley 80",
                                     "Verdict: ", "Page 2 of", "RMS torque TRMS", "Time (s)"})
            QVERIFY2(text.contains(QLatin1String(expected)), expected);
        QVERIFY(text.count(QStringLiteral("J at motor")) >= 2); // the header again on the next page
    }

    // The PDF's words are found as they are spelt: no "fi", "ffi" or "fl" in
    // a paragraph, a heading, a table, a plot or the foot line is set as one
    // ligature glyph, which a search for the plain word misses.
    void pdf_words_spelt_without_ligatures()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const QStringList words = {"efficiency", "Profile", "flow", "fit", "baffle"};
        ReportDocument report{"Axis sizing report", "Profile office", "today", {}};
        report.sections = {{"Profile and efficiency",
                            {ReportBlock::paragraph(words.join(u' ')),
                             ReportBlock::table({{"Coefficient", "Shuffle"}, {"1", "2"}}, {0}),
                             ReportBlock::plotBlock("move", "Caption", 0.3)}}};
        const auto plots = [](QPainter &painter, const QRectF &rect, const QString &) {
            painter.drawText(rect, Qt::AlignCenter, QStringLiteral("Plotted efficiency"));
        };
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly) && WriteReportPdf(pdf, report, plots));
        QProcess extract;
        extract.start(QStringLiteral("pdftotext"), {QStringLiteral("-"), QStringLiteral("-")});
        extract.write(pdf.data());
        extract.closeWriteChannel();
        QVERIFY(extract.waitForFinished(20000));
        const QString text = QString::fromUtf8(extract.readAllStandardOutput());
        for (const QString &word : words + QStringList{"Profile and efficiency", "Coefficient", "Shuffle",
                                                       "Plotted efficiency", "Profile office"})
            QVERIFY2(text.contains(word), qPrintable(word + u'\n' + text));
    }

    // A plot is drawn whole on one page, moved on when what is left of a page
    // is too short, and never below a page's body, over its foot line. No
    // page ends on a heading or starts with a plot's caption.
    void report_plots_stay_on_their_page()
    {
        const bool readable = !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
        ReportDocument report{"Axis sizing report", "plots", "today", {}};
        for (int filler = 0; filler < 40; filler += 1 + int(!readable) * 2) {
            report.sections = {{"Section", QList<ReportBlock>(filler, ReportBlock::paragraph("Text"))}};
            report.sections.append({"Move", {ReportBlock::plotBlock("move", "Caption", 0.7)}});
            int drawn = 0; // whole on a page 1 each, drawn astray 100 each
            const auto plots = [&](QPainter &painter, const QRectF &rect, const QString &) {
                const QRectF body = painter.hasClipping() ? painter.clipBoundingRect() : QRectF();
                drawn += body.contains(rect) ? 1 : body.intersects(rect) || body.isEmpty() ? 100 : 0;
            };
            QBuffer pdf;
            QVERIFY(pdf.open(QIODevice::WriteOnly) && WriteReportPdf(pdf, report, plots));
            QVERIFY2(drawn == 1, qPrintable(QString::number(filler)));
            if (!readable)
                continue;
            QProcess extract;
            extract.start(QStringLiteral("pdftotext"),
                          {QStringLiteral("-layout"), QStringLiteral("-"), QStringLiteral("-")});
            extract.write(pdf.data());
            extract.closeWriteChannel();
            QVERIFY(extract.waitForFinished(20000));
            const QStringList pages = QString::fromUtf8(extract.readAllStandardOutput()).split(u'\f');
            for (const QString &page : pages) {
                QStringList lines = page.split(u'\n', Qt::SkipEmptyParts);
                for (QString &line : lines)
                    line = line.trimmed();
                lines.removeAll(QString());
                if (lines.size() < 2)
                    continue;
                const QString where = QStringLiteral("%1 fillers: %2").arg(filler).arg(lines.join(u'|'));
                QVERIFY2(lines.first() != QLatin1String("Caption"), qPrintable(where));
                const QString last = lines.at(lines.size() - 2); // above the foot line
                QVERIFY2(last != QLatin1String("Section") && last != QLatin1String("Move"),
                         qPrintable(where));
            }
        }
    }

    void long_report_keeps_every_section_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("moves");
        QTest::addColumn<int>("candidates");
        QTest::newRow("50 moves, 40 items, 30 candidates") << 40 << 50 << 30;
        QTest::newRow("one move, 80 items") << 80 << 1 << 0;
    }
    // Every section's text reaches the PDF, in order, the last after the
    // longest table's last row; and no header is split inside a word.
    void long_report_keeps_every_section()
    {
        QFETCH(int, items);
        QFETCH(int, moves);
        QFETCH(int, candidates);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext is not installed");
        const ReportDocument report = longReport(items, moves, candidates);
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly) && WriteReportPdf(pdf, report));
        const QString text = pdfText(pdf.data());
        qsizetype at = 0;
        for (const ReportSection &section : report.sections) {
            at = text.indexOf(section.title, at);
            QVERIFY2(at >= 0, qPrintable(section.title));
        }
        const qsizetype lastRow = text.lastIndexOf(QStringLiteral("Dwell"));
        QVERIFY(text.indexOf(QStringLiteral("Checked by the night shift."), lastRow) > lastRow);
        QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
        for (const ReportSection &section : report.sections)
            for (const ReportBlock &block : section.blocks)
                if (block.kind == ReportBlock::Kind::Table)
                    for (const QString &word :
                         block.rows.first().join(u' ').split(QRegularExpression("\\s+")))
                        QVERIFY2(words.contains(word),
                                 qPrintable(section.title + QStringLiteral(": ") + word));
    }

    // Laid out: no table is wider than the text, no header line ends inside
    // a word, and each row stands on one page (one taller than a page aside),
    // the header on top of each page a table runs onto.
    void long_report_tables_fit_their_pages_data() { long_report_keeps_every_section_data(); }
    void long_report_tables_fit_their_pages()
    {
        QFETCH(int, items);
        QFETCH(int, moves);
        QFETCH(int, candidates);
        QBuffer pdf;
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        QPdfWriter writer(&pdf);
        writer.setResolution(1200);
        const std::unique_ptr<QTextDocument> document =
            LayOutReport(writer, longReport(items, moves, candidates));
        QAbstractTextDocumentLayout *layout = document->documentLayout();
        const QSizeF page = document->pageSize();
        const auto pageOf = [&page](qreal y) { return int(std::floor(y / page.height())); };
        int tables = 0;
        for (QTextFrame *frame : document->rootFrame()->childFrames()) {
            auto *table = qobject_cast<QTextTable *>(frame);
            if (!table)
                continue;
            ++tables;
            const QRectF bounds = layout->frameBoundingRect(table);
            QVERIFY2(bounds.width() <= page.width() + 1,
                     qPrintable(table->cellAt(0, 0).firstCursorPosition().block().text()));
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    const QRectF top = layout->blockBoundingRect(cell.firstCursorPosition().block());
                    const QRectF bottom = layout->blockBoundingRect(cell.lastCursorPosition().block());
                    const QString where =
                        QStringLiteral("%1 row %2").arg(cell.firstCursorPosition().block().text()).arg(r);
                    if (table->format().border() > 0 && table->rows() > 2) // a grid, not facts
                        QVERIFY2(pageOf(top.top()) == pageOf(bottom.bottom() - 1), qPrintable(where));
                    if (r > 0)
                        continue;
                    for (QTextBlock block = cell.firstCursorPosition().block();
                         block.isValid() && block.position() <= cell.lastPosition(); block = block.next()) {
                        const QTextLayout *lines = block.layout();
                        for (int k = 0; k + 1 < lines->lineCount(); ++k) {
                            const QTextLine line = lines->lineAt(k);
                            const QChar last = block.text().at(line.textStart() + line.textLength() - 1);
                            QVERIFY2(last.isSpace() || last == QChar::LineSeparator,
                                     qPrintable(block.text()));
                        }
                    }
                }
            }
        }
        QVERIFY(tables > 4);
    }
};

QTEST_MAIN(TestAxisFiles)
#include "tst_axisfiles.moc"
