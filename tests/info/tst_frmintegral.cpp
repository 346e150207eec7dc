// The reference viewer: the sheet it draws, what the window shows at load,
// after each way of scrolling and after a resize.

#include "info/frmintegral.h"

#include "testsupport.h"

#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace {

QWidget *display(frmIntegral &window)
{
    return window.findChild<QWidget *>(QStringLiteral("picDisplay"));
}

QScrollBar *scrollBar(frmIntegral &window)
{
    return window.findChild<QScrollBar *>(QStringLiteral("vscrlDisplay"));
}

// What the display should show: the source rows from offset on, white where
// the band runs past the sheet.
QImage expectedBand(frmIntegral &window, int offset)
{
    const QImage sheet = window.findChild<QLabel *>(QStringLiteral("picVR"))->pixmap().toImage();
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

// Rows of a picture that hold ink (anything darker than light grey).
bool hasInk(const QImage &image, int fromRow, int toRow)
{
    for (int y = fromRow; y < toRow; ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                return true;
    return false;
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

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void sheet_is_drawn_crisply_at_the_screen_scale_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("standard") << 1.0;
        QTest::newRow("fractional") << 1.5;
    }
    void sheet_is_drawn_crisply_at_the_screen_scale()
    {
        QFETCH(qreal, scale);
        const QPixmap sheet = RenderReferenceSheet(scale);
        QCOMPARE(sheet.deviceIndependentSize(), QSizeF(400, 2052));
        QCOMPARE(sheet.size(), QSize(qCeil(400 * scale), qCeil(2052 * scale)));
        // Drawn from the source: ink from the title down to the last lines.
        const QImage image = sheet.toImage();
        QVERIFY(hasInk(image, 0, qRound(40 * scale)));
        QVERIFY(hasInk(image, image.height() - qRound(40 * scale), image.height()));
    }

    void load_shows_the_top_with_the_thumb_at_the_top()
    {
        frmIntegral window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Trigonometric/Calculus Reference"));
        auto *source = window.findChild<QLabel *>(QStringLiteral("picVR"));
        QVERIFY(source && !source->isVisible());
        QCOMPARE(source->size(), QSize(400, 2052));

        QScrollBar *bar = scrollBar(window);
        const int height = display(window)->height();
        QCOMPARE(display(window)->geometry(), QRect(0, 4, 413, 392));
        QCOMPARE(bar->geometry(), QRect(413, 4, 17, 392));
        QCOMPARE(window.scrollOffset(), 0);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 2052 - height);
        QCOMPARE(bar->singleStep(), 5);
        QCOMPARE(bar->pageStep(), qRound((2052 - height) / 10.0));
        QCOMPARE(shownBand(window), expectedBand(window, 0));

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
        // Designed window: display 392 rows, maximum 1660, page 352. The scroll
        // bar's own arrows and trough follow the steps checked at load.
        QTest::newRow("thumb dragged") << "drag" << 0 << 700;
        QTest::newRow("Down key") << "Down" << 0 << 5;
        QTest::newRow("Up key stops at the top") << "Up" << 3 << 0;
        QTest::newRow("Page Down: a screenful less overlap") << "PgDown" << 0 << 352;
        QTest::newRow("Page Down stops at the end") << "PgDown" << 1500 << 1660;
        QTest::newRow("Page Up") << "PgUp" << 1000 << 648;
        QTest::newRow("End shows the last rows") << "End" << 0 << 1660;
        QTest::newRow("Home") << "Home" << 900 << 0;
        QTest::newRow("wheel down one notch") << "wheel" << 0 << 60;
        QTest::newRow("wheel up over the scroll bar") << "wheel bar" << 100 << 40;
        QTest::newRow("touchpad: its pixels, not its angle") << "touchpad" << 100 << 145;
    }
    void each_way_of_scrolling_moves_the_band()
    {
        QFETCH(QString, action);
        QFETCH(int, start);
        QFETCH(int, expected);
        QApplication::setWheelScrollLines(3);
        frmIntegral window;
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
        QCOMPARE(shownBand(window), expectedBand(window, expected));
    }

    void resize_keeps_the_whole_sheet_in_reach_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("maximum");
        QTest::newRow("shrunk") << QSize(300, 250) << 2052 - 246;
        QTest::newRow("enlarged") << QSize(600, 900) << 2052 - 896;
        QTest::newRow("taller than the sheet") << QSize(430, 2200) << 0;
    }
    void resize_keeps_the_whole_sheet_in_reach()
    {
        QFETCH(QSize, size);
        QFETCH(int, maximum);
        frmIntegral window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QScrollBar *bar = scrollBar(window);
        QTest::keyClick(display(window), Qt::Key_End);

        window.resize(size);
        QTRY_COMPARE(display(window)->size(), size - QSize(17, 4));
        QCOMPARE(bar->geometry(), QRect(size.width() - 17, 4, 17, size.height() - 4));
        QCOMPARE(bar->maximum(), maximum);
        QCOMPARE(bar->pageStep(), std::max(1, qRound(maximum / 10.0)));
        QCOMPARE(bar->singleStep(), 5);

        // At the end the last row of the sheet sits at the display's bottom
        // edge (or, with room to spare, the whole sheet shows from the top).
        QTest::keyClick(display(window), Qt::Key_End);
        QCOMPARE(window.scrollOffset(), maximum);
        const QImage shown = shownBand(window);
        QCOMPARE(shown, expectedBand(window, maximum));
        if (maximum > 0)
            QCOMPARE(window.scrollOffset() + shown.height(), 2052);
    }
};

QTEST_MAIN(TestFrmIntegral)
#include "tst_frmintegral.moc"
