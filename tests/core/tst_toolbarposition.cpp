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
};

QTEST_GUILESS_MAIN(TestToolbarPosition)
#include "tst_toolbarposition.moc"
