// The stored strip position: only usable numbers are applied, and the strip
// always lands where the user can reach it.

#include "core/toolbarposition.h"

#include <QtTest>

using Position = std::optional<QPoint>;
Q_DECLARE_METATYPE(Position)

class TestToolbarPosition : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stored_position_data()
    {
        QTest::addColumn<QString>("x");
        QTest::addColumn<QString>("y");
        QTest::addColumn<Position>("pixels"); // none: not usable
        const auto row = [](const char *name, const char *x, const char *y, Position pixels) {
            QTest::newRow(name) << QString::fromUtf8(x) << QString::fromUtf8(y) << pixels;
        };
        row("twips", "1500", "300", QPoint(100, 20));
        row("negative screen", "-1500", "0", QPoint(-100, 0));
        row("fraction", "1507.5", "15", QPoint(101, 1));
        row("only x", "1500", "", std::nullopt);
        row("not a number", "abc", "300", std::nullopt);
        row("beyond 32 bits", "1e12", "300", std::nullopt);
        row("infinite", "inf", "300", std::nullopt);
    }
    void stored_position()
    {
        QFETCH(QString, x);
        QFETCH(QString, y);
        QTEST(StoredToolbarPosition(x, y), "pixels");
    }

    void written_in_twips()
    {
        QCOMPARE(TwipsText(-20), QStringLiteral("-300"));
        // What is written reads back to the same pixel.
        QCOMPARE(*StoredToolbarPosition(TwipsText(321), TwipsText(-7)), QPoint(321, -7));
    }

    void kept_on_a_screen_data()
    {
        const QList<QRect> twoScreens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QList<QRect>>("screens");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("second screen stays") << QRect(2000, 500, 310, 60) << twoScreens << QPoint(2000, 500);
        QTest::newRow("unplugged screen") << QRect(4000, 300, 310, 60) << twoScreens << QPoint(2890, 300);
        QTest::newRow("above the top") << QRect(100, -500, 310, 60) << twoScreens << QPoint(100, 0);
        QTest::newRow("half off the right edge")
            << QRect(3100, 50, 310, 60) << twoScreens << QPoint(2890, 50);
        QTest::newRow("left of everything") << QRect(-5000, 900, 310, 60) << twoScreens << QPoint(0, 900);
        QTest::newRow("no screens") << QRect(-5000, 900, 310, 60) << QList<QRect>() << QPoint(-5000, 900);
    }
    void kept_on_a_screen()
    {
        QFETCH(QRect, frame);
        QFETCH(QList<QRect>, screens);
        QTEST(BringOntoScreen(frame, screens), "expected");
    }

    // A window the strip opens leaves the strip in view: below it, else above,
    // else beside it, slid along to lie whole on the screen.
    void window_opens_beside_the_strip_data()
    {
        const QRect topRight(640, 40, 344, 60); // the strip where it first opens
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("strip");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("below, right edges in line") << QSize(500, 400) << topRight << QPoint(484, 108);
        QTest::newRow("below, slid onto the screen") << QSize(1000, 400) << topRight << QPoint(0, 108);
        QTest::newRow("above a strip at the bottom")
            << QSize(500, 400) << QRect(640, 700, 344, 60) << QPoint(484, 292);
        QTest::newRow("too tall for above or below: to the left")
            << QSize(500, 700) << QRect(640, 300, 344, 60) << QPoint(132, 68);
        QTest::newRow("to the right of a strip at the left")
            << QSize(600, 700) << QRect(0, 300, 344, 60) << QPoint(352, 68);
        QTest::newRow("fits nowhere: below, on the screen") << QSize(900, 700) << topRight << QPoint(84, 68);
    }
    void window_opens_beside_the_strip()
    {
        QFETCH(QSize, frame);
        QFETCH(QRect, strip);
        QTEST(PlaceBesideStrip(frame, strip, QRect(0, 0, 1024, 768)), "expected");
    }
};

QTEST_GUILESS_MAIN(TestToolbarPosition)
#include "tst_toolbarposition.moc"
