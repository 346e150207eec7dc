#include "testsupport.h"
#include "units/numericentry.h"

#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr QChar Backspace(8);
constexpr QChar Tab(9);

// A text box reduced to its text and selection. The caret is the selection's
// start; without a selection start and end are equal.
struct Box
{
    QString text;
    int selectionStart = 0;
    int selectionEnd = 0;

    // "12|3" puts the caret before 3; "1[23]" selects 23.
    static Box fromMarkup(const QString &markup)
    {
        Box box;
        for (QChar c : markup) {
            if (c == QLatin1Char('|')) {
                box.selectionStart = box.selectionEnd = int(box.text.size());
            } else if (c == QLatin1Char('[')) {
                box.selectionStart = int(box.text.size());
            } else if (c == QLatin1Char(']')) {
                box.selectionEnd = int(box.text.size());
            } else {
                box.text += c;
            }
        }
        if (!markup.contains(QLatin1Char('|')) && !markup.contains(QLatin1Char('[')))
            box.selectionStart = box.selectionEnd = int(box.text.size());
        return box;
    }

    // Types one key the way a numeric box does: the filter decides, and an
    // accepted character replaces the selection.
    void type(QChar key, QChar separator)
    {
        const QString selected = text.mid(selectionStart, selectionEnd - selectionStart);
        const ushort accepted = FilterNumericKey(key.unicode(), text, selectionStart, selected, separator);
        if (accepted == 0 || accepted == Tab.unicode())
            return;
        if (accepted == Backspace.unicode()) {
            if (selected.isEmpty() && selectionStart > 0)
                --selectionStart;
            text.remove(selectionStart, selectionEnd - selectionStart);
        } else {
            text.replace(selectionStart, selectionEnd - selectionStart, QChar(accepted));
            ++selectionStart;
        }
        selectionEnd = selectionStart;
    }
};

} // namespace

class TestNumericEntry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void typing_sequences_build_numbers_data();
    void typing_sequences_build_numbers();
    void other_characters_are_refused_data();
    void other_characters_are_refused();
    void caret_outside_text_is_harmless();
    void locale_separator_is_used_by_default();

private:
    QTemporaryDir m_settingsDir;
};

void TestNumericEntry::typing_sequences_build_numbers_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<QString>("expected");
    const QChar point(u'.');
    const QChar comma(u',');
    const QString bs(Backspace);

    QTest::newRow("digits") << u""_s << u"0123456789"_s << point << u"0123456789"_s;
    QTest::newRow("exponent with sign") << u""_s << u"1e-5"_s << point << u"1E-5"_s;
    QTest::newRow("second E refused") << u""_s << u"1e-5e"_s << point << u"1E-5"_s;
    QTest::newRow("separator after E refused") << u""_s << u"1e.5"_s << point << u"1E5"_s;
    QTest::newRow("separator after signed E refused") << u""_s << u"1E-5."_s << point << u"1E-5"_s;
    QTest::newRow("separator before E allowed") << u"1|E5"_s << u"."_s << point << u"1.E5"_s;
    QTest::newRow("second separator refused") << u""_s << u"1.2.3"_s << point << u"1.23"_s;
    QTest::newRow("selected separator can be retyped") << u"1[.]5"_s << u"."_s << point << u"1.5"_s;
    QTest::newRow("comma refused in point locale") << u""_s << u"1,5"_s << point << u"15"_s;
    QTest::newRow("point refused in comma locale") << u""_s << u"1.5"_s << comma << u"15"_s;
    QTest::newRow("comma accepted in comma locale") << u""_s << u"1,5"_s << comma << u"1,5"_s;
    QTest::newRow("no separator in locale") << u""_s << u"1.,5"_s << QChar() << u"15"_s;

    QTest::newRow("minus at start") << u"|5"_s << u"-"_s << point << u"-5"_s;
    QTest::newRow("second minus at start refused") << u"|-5"_s << u"-"_s << point << u"-5"_s;
    QTest::newRow("minus replaces selected text") << u"[-5]"_s << u"-"_s << point << u"-"_s;
    QTest::newRow("minus replaces selected minus") << u"[-]5"_s << u"-"_s << point << u"-5"_s;
    QTest::newRow("minus before exponent minus") << u"|1E-5"_s << u"-"_s << point << u"-1E-5"_s;
    QTest::newRow("minus inside digits refused") << u"1|2"_s << u"-"_s << point << u"12"_s;
    QTest::newRow("minus at end refused") << u""_s << u"12-"_s << point << u"12"_s;
    QTest::newRow("minus after leading minus refused") << u"-|5"_s << u"-"_s << point << u"-5"_s;
    QTest::newRow("exponent minus once") << u"1E|-5"_s << u"-"_s << point << u"1E-5"_s;
    QTest::newRow("exponent minus replaces selected") << u"1E[-]5"_s << u"-"_s << point << u"1E-5"_s;
    QTest::newRow("minus after mantissa minus and E") << u"-1E|5"_s << u"-"_s << point << u"-1E-5"_s;

    QTest::newRow("E replaces selected E") << u"1[E]5"_s << u"e"_s << point << u"1E5"_s;
    QTest::newRow("backspace removes") << u""_s << u"12"_s + bs << point << u"1"_s;
    QTest::newRow("deleting E frees separator") << u""_s << u"1e5"_s + bs + bs + ".5" << point << u"1.5"_s;
    QTest::newRow("deleting separator frees it") << u""_s << u"1."_s + bs + "5.2" << point << u"15.2"_s;
    QTest::newRow("tab accepted, text unchanged") << u""_s << u"1"_s + QString(Tab) + "2" << point << u"12"_s;
}

void TestNumericEntry::typing_sequences_build_numbers()
{
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QChar, separator);
    QFETCH(QString, expected);
    Box box = Box::fromMarkup(start);
    for (QChar key : keys)
        box.type(key, separator);
    QCOMPARE(box.text, expected);
}

void TestNumericEntry::other_characters_are_refused_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << 13;
    QTest::newRow("Escape") << 27;
    QTest::newRow("Ctrl+C") << 3;
    QTest::newRow("Ctrl+V") << 22;
    QTest::newRow("Ctrl+X") << 24;
    QTest::newRow("space") << int(' ');
    QTest::newRow("plus") << int('+');
    QTest::newRow("letter") << int('a');
    QTest::newRow("D exponent") << int('D');
    QTest::newRow("Arabic-Indic one") << 0x0661;
    QTest::newRow("Arabic decimal separator") << 0x066B;
}

void TestNumericEntry::other_characters_are_refused()
{
    QFETCH(int, key);
    QCOMPARE(FilterNumericKey(ushort(key), QStringLiteral("12"), 1, QString(), QChar(u'.')), ushort(0));
    QCOMPARE(FilterNumericKey(ushort(key), QString(), 0, QString(), QChar(u'.')), ushort(0));
}

void TestNumericEntry::caret_outside_text_is_harmless()
{
    QCOMPARE(FilterNumericKey(ushort('-'), QStringLiteral("1E"), 99, QString(), QChar(u'.')), ushort('-'));
    QCOMPARE(FilterNumericKey(ushort('-'), QStringLiteral("-1"), -3, QString(), QChar(u'.')), ushort(0));
}

void TestNumericEntry::locale_separator_is_used_by_default()
{
    QCOMPARE(FilterNumericKey(ushort('.'), QStringLiteral("1"), 1, QString()), ushort('.'));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const ushort point = FilterNumericKey(ushort('.'), QStringLiteral("1"), 1, QString());
    const ushort comma = FilterNumericKey(ushort(','), QStringLiteral("1"), 1, QString());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(point, ushort(0));
    QCOMPARE(comma, ushort(','));
}

QTEST_GUILESS_MAIN(TestNumericEntry)
#include "tst_numericentry.moc"
