#include <QObject>
#include <QTest>

#include "core/tags.h"

class TstTags : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void value_of_key_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *tag, const char *key, const char *expected) {
            QTest::newRow(name) << QString::fromUtf8(tag) << QString::fromUtf8(key)
                                << QString::fromUtf8(expected);
        };

        row("no trailing semicolon", "FormOffset=1200", "FormOffset", "1200");
        row("second of several", "UnitType=Density;Tooltip=1968;", "Tooltip", "1968");
        row("Offset is not the tail of FormOffset", "FormOffset=1200;", "Offset", "");
        row("key is not a prefix", "Offsets=4;", "Offset", "");
        row("absent key", "Offset=4;", "Tooltip", "");
    }
    void value_of_key()
    {
        QFETCH(QString, tag);
        QFETCH(QString, key);
        QTEST(TagValue(tag, key), "expected");
    }

    // Found tags in any letter case are the tag fuzzer's; no object means no tag.
    void no_object_has_no_tag() { QCOMPARE(GetTagValue(nullptr, QStringLiteral("Offset")), QString()); }
};

QTEST_GUILESS_MAIN(TstTags)
#include "tst_tags.moc"
