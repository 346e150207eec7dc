// The reference viewer: the sheet it draws, what the window shows at load,
// after each way of scrolling and after a resize, its contents list, search
// and text view.

#include "infowin/frmintegral.h"
#include "infowin/referencesheet.h"

#include "testsupport.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

namespace {

int sheetHeight()
{
    return ReferenceSheet::shared().size().height();
}

const QList<ReferenceSection> &sections()
{
    return ReferenceSheet::shared().outline().sections;
}

int sectionNamed(const QString &title)
{
    for (int index = 0; index < sections().size(); ++index)
        if (sections().at(index).title == title)
            return index;
    return -1;
}

QWidget *display(frmIntegral &window)
{
    return window.findChild<QWidget *>(QStringLiteral("picDisplay"));
}

QScrollBar *scrollBar(frmIntegral &window)
{
    return window.findChild<QScrollBar *>(QStringLiteral("vscrlDisplay"));
}

// The scroll bar's place and range in one value, for one readable compare.
QList<QVariant> barState(QScrollBar *bar)
{
    return {bar->geometry(), bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep()};
}

// What the display should show: the rows of the whole sheet, drawn at once
// from its source, from offset on, white where the band runs past the sheet.
QImage expectedBand(frmIntegral &window, int offset)
{
    const QImage sheet = RenderReferenceSheet(1.0).toImage();
    QImage band(display(window)->size(), QImage::Format_RGB32);
    band.fill(Qt::white);
    QPainter painter(&band);
    painter.drawImage(QPoint(0, 0), sheet, QRect(0, offset, band.width(), band.height()) & sheet.rect());
    return band;
}

QImage shownBand(frmIntegral &window)
{
    return display(window)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The same picture up to antialiasing: the viewer draws the sheet block by
// block, which can shade an edge pixel a level or two apart from drawing it
// whole.
bool samePicture(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 8)
                return false;
    return true;
}

// Rows of a picture that hold ink (anything darker than light grey).
bool hasInk(const QImage &image, int fromRow, int toRow)
{
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
}

// The font files the process has open (FreeType maps each face it loads).
QStringList mappedFontFiles()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return {maps.errorString()};
    static const QStringList FontSuffixes{QStringLiteral("ttf"), QStringLiteral("otf"), QStringLiteral("ttc"),
                                          QStringLiteral("pfb")};
    QStringList files;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const qsizetype path = line.indexOf('/');
        const QString file = path < 0 ? QString() : QString::fromLocal8Bit(line.sliced(path));
        if (FontSuffixes.contains(QFileInfo(file).suffix(), Qt::CaseInsensitive) && !files.contains(file))
            files.append(file);
    }
    return files;
}

// A touchpad sends its pixel distance along with an angle.
void turnWheel(QWidget *target, int angle, int pixels = 0)
{
    const QPointF at(10, 10);
    QWheelEvent wheel(at, target->mapToGlobal(at), QPoint(0, pixels), QPoint(0, angle), Qt::NoButton,
                      Qt::NoModifier, pixels ? Qt::ScrollUpdate : Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &wheel);
}

} // namespace

class TestFrmIntegral : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }
    // Every case opens the window at its designed size, not where the last one left it.
    void init() { QFile::remove(m_context.settings().fileName()); }

    // First of the cases, before any of them draws text: the sheet's words
    // are outlines, so drawing every band at both scales opens no face.
    void sheet_is_drawn_with_no_font()
    {
        const QStringList before = mappedFontFiles();
        for (const qreal scale : {1.0, 2.0}) {
            QImage image(8, 8, QImage::Format_RGB32);
            QPainter painter(&image);
            ReferenceSheet::shared().paint(painter, 0, QSize(400, sheetHeight()), scale);
        }
        QCOMPARE(mappedFontFiles(), before);
    }

    void sheet_is_drawn_crisply_at_the_screen_scale_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::addColumn<int>("top"); // the rows the bands are compared on
        QTest::addColumn<int>("rows");
        // Rows across the seams of three bands.
        QTest::newRow("standard") << 1.0 << 200 << 700;
        QTest::newRow("fractional") << 1.5 << 200 << 700;
        QTest::newRow("a quarter more") << 1.25 << 200 << 700;
        // Every band: each draws the glyph outlines its blocks use.
        QTest::newRow("whole sheet") << 1.0 << 0 << sheetHeight();
    }
    void sheet_is_drawn_crisply_at_the_screen_scale()
    {
        QFETCH(qreal, scale);
        QFETCH(int, top);
        QFETCH(int, rows);
        const QPixmap sheet = RenderReferenceSheet(scale);
        QCOMPARE(sheet.deviceIndependentSize(), QSizeF(400, sheetHeight()));
        // A whole number of device pixels tall, so the last band ends on a pixel edge.
        QCOMPARE(sheetHeight() * scale, qreal(qCeil(sheetHeight() * scale)));
        QCOMPARE(sheet.size(), QSize(qCeil(400 * scale), qCeil(sheetHeight() * scale)));
        // Drawn from the source: ink from the title down to the last lines.
        const QImage image = sheet.toImage();
        QVERIFY(hasInk(image, 0, qRound(40 * scale)));
        QVERIFY(hasInk(image, image.height() - qRound(40 * scale), image.height()));

        // The viewer's bands, drawn block by block and kept, add up to the same picture.
        QImage bands(sheet.size().width(), qCeil(rows * scale), QImage::Format_RGB32);
        bands.setDevicePixelRatio(scale);
        bands.fill(Qt::white);
        QPainter painter(&bands);
        ReferenceSheet::shared().paint(painter, top, QSize(400, rows), scale);
        painter.end();
        const QImage whole = image.copy(0, qRound(top * scale), bands.width(), bands.height());
        QVERIFY(samePicture(bands, whole));
    }

    void load_shows_the_top_with_the_thumb_at_the_top()
    {
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Trigonometric/Calculus Reference"));
        auto *source = window.findChild<QLabel *>(QStringLiteral("picVR"));
        QVERIFY(source && !source->isVisible());
        QCOMPARE(source->size(), QSize(400, sheetHeight()));

        QScrollBar *bar = scrollBar(window);
        QCOMPARE(display(window)->geometry(), QRect(0, 4, 413, 392));
        QCOMPARE(window.scrollOffset(), 0);
        QCOMPARE(bar->value(), 0);
        // The range grows with the sheet: the rows that do not fit.
        QVERIFY(sheetHeight() > 4000);
        const int maximum = sheetHeight() - 392;
        QCOMPARE(barState(bar),
                 QList<QVariant>({QRect(413, 4, 17, 392), 0, maximum, 5, qRound(maximum / 10.0)}));
        QVERIFY(samePicture(shownBand(window), expectedBand(window, 0)));

        // The sheet has the keyboard.
        QCOMPARE(QApplication::focusWidget(), display(window));

        QTest::keyClick(display(window), Qt::Key_Escape);
        QVERIFY(!window.isVisible());
    }

    void each_way_of_scrolling_moves_the_band_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("expected");
        // Designed window: display 392 rows, page 352; -1 stands for the
        // maximum, the sheet's height less 392. The scroll bar's own arrows
        // and trough, End and Home are checked end to end (e2e_reference).
        QTest::newRow("thumb dragged") << "drag" << 0 << 700;
        QTest::newRow("Down key") << "Down" << 0 << 5;
        QTest::newRow("Up key stops at the top") << "Up" << 3 << 0;
        QTest::newRow("Page Down: a screenful less overlap") << "PgDown" << 0 << 352;
        QTest::newRow("Page Down stops at the end") << "PgDown" << sheetHeight() - 500 << -1;
        QTest::newRow("wheel down one notch") << "wheel" << 0 << 60;
        QTest::newRow("wheel up over the scroll bar") << "wheel bar" << 100 << 40;
        QTest::newRow("touchpad: its pixels, not its angle") << "touchpad" << 100 << 145;
    }
    void each_way_of_scrolling_moves_the_band()
    {
        QFETCH(QString, action);
        QFETCH(int, start);
        QFETCH(int, expected);
        if (expected < 0)
            expected = sheetHeight() - 392;
        QApplication::setWheelScrollLines(3);
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QScrollBar *bar = scrollBar(window);
        bar->setValue(start);
        QCOMPARE(window.scrollOffset(), start);

        if (action == QLatin1String("drag")) {
            // While the thumb is held, the picture follows it.
            bar->setSliderDown(true);
            bar->setSliderPosition(expected);
            QCOMPARE(window.scrollOffset(), expected);
            bar->setSliderDown(false);
        } else if (action == QLatin1String("wheel"))
            turnWheel(display(window), -120);
        else if (action == QLatin1String("wheel bar"))
            turnWheel(bar, 120);
        else if (action == QLatin1String("touchpad"))
            turnWheel(display(window), -60, -45);
        else
            QTest::keySequence(display(window), QKeySequence(action));

        QCOMPARE(window.scrollOffset(), expected);
        QCOMPARE(bar->value(), expected);
        QVERIFY(samePicture(shownBand(window), expectedBand(window, expected)));
    }

    void resize_keeps_the_whole_sheet_in_reach_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("maximum");
        QTest::newRow("shrunk") << QSize(300, 250) << sheetHeight() - 246;
        QTest::newRow("taller than the sheet") << QSize(430, sheetHeight() + 100) << 0;
    }
    void resize_keeps_the_whole_sheet_in_reach()
    {
        QFETCH(QSize, size);
        QFETCH(int, maximum);
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QScrollBar *bar = scrollBar(window);
        QTest::keyClick(display(window), Qt::Key_End);

        window.resize(size);
        QTRY_COMPARE(display(window)->size(), size - QSize(17, 4));
        QCOMPARE(barState(bar), QList<QVariant>({QRect(size.width() - 17, 4, 17, size.height() - 4), 0,
                                                 maximum, 5, std::max(1, qRound(maximum / 10.0))}));

        // At the end the last row of the sheet sits at the display's bottom
        // edge (or, with room to spare, the whole sheet shows from the top).
        QTest::keyClick(display(window), Qt::Key_End);
        QCOMPARE(window.scrollOffset(), maximum);
        const QImage shown = shownBand(window);
        QVERIFY(samePicture(shown, expectedBand(window, maximum)));
        if (maximum > 0)
            QCOMPARE(window.scrollOffset() + shown.height(), sheetHeight());
    }

    // A section chosen in the list goes to the top (e2e_reference); the last
    // one only as far as the end allows.
    void contents_list_scrolls_the_last_section_as_far_as_it_can()
    {
        const int section = int(sections().size() - 1);
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(display(window), Qt::Key_G, Qt::ControlModifier);
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), sections().size());
        QCOMPARE(menu->actions().at(section)->text(), sections().at(section).title);
        menu->actions().at(section)->trigger();
        menu->close();
        const int expected = std::min(sections().at(section).top, scrollBar(window)->maximum());
        QCOMPARE(window.scrollOffset(), expected);
        QVERIFY(samePicture(shownBand(window), expectedBand(window, expected)));
    }

    void find_jumps_to_the_first_section_that_matches_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("thenEnter");
        QTest::addColumn<QString>("section");
        // A formula's words: e2e_reference; a typed minus: the outline's own test.
        QTest::newRow("Enter: the next match") << "csc" << true << "Unit circle and exact values";
        QTest::newRow("no match: stays") << "@~@" << false << QString();
    }
    void find_jumps_to_the_first_section_that_matches()
    {
        QFETCH(QString, typed);
        QFETCH(bool, thenEnter);
        QFETCH(QString, section);
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        scrollBar(window)->setValue(100);
        QTest::keyClick(display(window), Qt::Key_F, Qt::ControlModifier);
        auto *field = window.findChild<QLineEdit *>(QStringLiteral("txtFind"));
        QVERIFY(field && field->hasFocus());
        // The find bar takes its height from the display, and the range follows.
        QCOMPARE(scrollBar(window)->maximum(), sheetHeight() - display(window)->height());
        QTest::keyClicks(field, typed);
        if (thenEnter)
            QTest::keyClick(field, Qt::Key_Return);
        // What was found is read as text by a screen reader, not only seen.
        auto *found = window.findChild<QWidget *>(QStringLiteral("lblFound"));
        QAccessibleTextInterface *spoken = QAccessible::queryAccessibleInterface(found)->textInterface();
        QVERIFY(spoken);
        const QString foundText = spoken->text(0, spoken->characterCount());
        if (section.isEmpty()) {
            QCOMPARE(window.scrollOffset(), 100);
            QCOMPARE(foundText, QStringLiteral("Not found"));
        } else {
            QCOMPARE(window.scrollOffset(), sections().at(sectionNamed(section)).top);
            QCOMPARE(foundText, section);
        }
        // Escape closes the find bar, not the window.
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(window.isVisible() && !field->isVisible());
        QCOMPARE(display(window)->height(), 392);
    }

    void text_view_reads_the_sheet_in_order()
    {
        frmIntegral window(m_context);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyClick(display(window), Qt::Key_T, Qt::ControlModifier);
        auto *text = window.findChild<QPlainTextEdit *>(QStringLiteral("txtSheet"));
        QVERIFY(text && text->isVisible() && text->hasFocus() && !display(window)->isVisible());
        QVERIFY(!text->accessibleName().isEmpty());
        const QString all = text->toPlainText();
        int at = 0;
        for (const ReferenceSection &section : sections()) {
            at = all.indexOf(QLatin1Char('\n') + section.title + QLatin1Char('\n'), at);
            QVERIFY2(at > 0, qPrintable(section.title));
        }
        QVERIFY(all.contains(QStringLiteral("sin(α ± β) = sin α cos β ± cos α sin β")));
        // Going to a section puts the caret on its title.
        window.goToSection(sectionNamed(QStringLiteral("Hyperbolic functions")));
        QCOMPARE(text->textCursor().block().text(), QStringLiteral("Hyperbolic functions"));
        QTest::keyClick(text, Qt::Key_T, Qt::ControlModifier);
        QVERIFY(!text->isVisible() && display(window)->isVisible());
    }
};

QTEST_MAIN(TestFrmIntegral)
#include "tst_frmintegral.moc"
