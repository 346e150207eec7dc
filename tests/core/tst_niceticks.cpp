#include <QObject>
#include <QTest>

#include "core/niceticks.h"

#include <limits>

class TstNiceTicks : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void round_steps_cover_the_range_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("maxTicks");
        QTest::addColumn<QString>("labels");
        const auto row = [](const char *name, double low, double high, int maxTicks, const char *labels) {
            QTest::newRow(name) << low << high << maxTicks << QString::fromLatin1(labels);
        };
        row("fractions", 0, 0.37, 8, "0.0 0.1 0.2 0.3 0.4");
        row("across zero, reversed", 7.9, -3.2, 8, "-4 -2 0 2 4 6 8");
        row("steps of 2.5", 0, 9, 5, "0.0 2.5 5.0 7.5 10.0");
        row("no width", 5, 5, 8, "4.4 4.6 4.8 5.0 5.2 5.4 5.6");
        row("not finite", std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
            8, "-1.0 -0.5 0.0 0.5 1.0");
        row("tiny", 0, 3.7e-7, 8, "0 1e-07 2e-07 3e-07 4e-07");
        row("huge", -2e12, 9e12, 8, "-2e+12 0 2e+12 4e+12 6e+12 8e+12 1e+13");
        row("too few asked around zero", -1, 1, 2, "-1 0 1");
    }
    void round_steps_cover_the_range()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, maxTicks);
        const AxisTicks ticks = NiceTicks(low, high, maxTicks);
        QStringList texts;
        for (const double value : ticks.values)
            texts << TickText(value, ticks.step, QLocale::c());
        QTEST(texts.join(u' '), "labels"); // the first and last around the data
    }
};

QTEST_GUILESS_MAIN(TstNiceTicks)
#include "tst_niceticks.moc"
