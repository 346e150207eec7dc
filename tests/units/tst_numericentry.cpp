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

    // "12|3" puts the caret before 3; "1[23]" selects 23; no mark: caret at the end.
    static Box fromMarkup(const QString &markup)
    {
        Box box{QString(markup).remove(QLatin1Char('|')).remove(QLatin1Char('[')).remove(QLatin1Char(']'))};
        const int bar = int(markup.indexOf(QLatin1Char('|')));
        const int open = int(markup.indexOf(QLatin1Char('[')));
        box.selectionStart = bar >= 0 ? bar : open >= 0 ? open : int(box.text.size());
        box.selectionEnd = open >= 0 ? int(markup.indexOf(QLatin1Char(']'))) - 1 : box.selectionStart;
        return box;
    }

    // Types one key the way a numeric box does: the filter decides, and an
    // accepted character replaces the selection.
    void type(QChar key, QChar separator)
    {
        const QString selected = text.mid(selectionStart, selectionEnd - selectionStart);
        const ushort accepted = FilterNumericKey(key.unicode(), text, selectionStart, selected, separator);
        if (accepted == 0)
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

    void typing_sequences_build_numbers_data()
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
        QTest::newRow("separator after E refused") << u""_s << u"1e.5"_s << point << u"1E5"_s;
        QTest::newRow("separator before E allowed") << u"1|E5"_s << u"."_s << point << u"1.E5"_s;
        QTest::newRow("selected separator can be retyped") << u"1[.]5"_s << u"."_s << point << u"1.5"_s;
        // Any decimal mark is the box's own, once: a mark from another
        // keyboard layout must not vanish and make 3.14 into 314.
        QTest::newRow("comma in point box") << u""_s << u"3,14"_s << point << u"3.14"_s;
        QTest::newRow("no separator given: point") << u""_s << u"1,.5"_s << QChar() << u"1.5"_s;
        QTest::newRow("Arabic-Indic digits")
            << u""_s << u"\u0661\u0662\u066b\u0665\u0669"_s << point << u"12.59"_s;
        QTest::newRow("Persian digits") << u""_s << u"\u06f0\u06f9e-\u06f3"_s << comma << u"09E-3"_s;

        QTest::newRow("minus at start") << u"|5"_s << u"-"_s << point << u"-5"_s;
        QTest::newRow("second minus at start refused") << u"|-5"_s << u"-"_s << point << u"-5"_s;
        QTest::newRow("minus replaces selected minus") << u"[-]5"_s << u"-"_s << point << u"-5"_s;
        QTest::newRow("minus before exponent minus") << u"|1E-5"_s << u"-"_s << point << u"-1E-5"_s;
        QTest::newRow("minus inside digits refused") << u"1|2"_s << u"-"_s << point << u"12"_s;
        QTest::newRow("exponent minus once") << u"1E|-5"_s << u"-"_s << point << u"1E-5"_s;
        QTest::newRow("minus after mantissa minus and E") << u"-1E|5"_s << u"-"_s << point << u"-1E-5"_s;

        QTest::newRow("E replaces selected E") << u"1[E]5"_s << u"e"_s << point << u"1E5"_s;
        QTest::newRow("deleting E frees separator")
            << u""_s << u"1e5"_s + bs + bs + ".5" << point << u"1.5"_s;
    }

    void typing_sequences_build_numbers()
    {
        QFETCH(QString, start);
        QFETCH(QString, keys);
        QFETCH(QChar, separator);
        Box box = Box::fromMarkup(start);
        for (QChar key : keys)
            box.type(key, separator);
        QTEST(box.text, "expected");
    }

    void other_characters_are_refused_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << 13;
        QTest::newRow("space") << int(' ');
        QTest::newRow("D exponent") << int('D');
        QTest::newRow("Arabic thousands mark") << 0x066C;
        QTest::newRow("full-width one") << 0xFF11;
    }

    void other_characters_are_refused()
    {
        QFETCH(int, key);
        QCOMPARE(FilterNumericKey(ushort(key), QStringLiteral("12"), 1, QString(), QChar(u'.')), ushort(0));
        QCOMPARE(FilterNumericKey(ushort(key), QString(), 0, QString(), QChar(u'.')), ushort(0));
    }

    void control_keys_pass_and_caret_outside_text_is_harmless()
    {
        // Tab and Backspace always pass (the box text cannot show that Tab did).
        QCOMPARE(FilterNumericKey(Tab.unicode(), QStringLiteral("1E-5"), 4, QString(), QChar(u'.')),
                 Tab.unicode());
        QCOMPARE(FilterNumericKey(Backspace.unicode(), QString(), 0, QString(), QChar(u'.')),
                 Backspace.unicode());
        QCOMPARE(FilterNumericKey(ushort('-'), QStringLiteral("1E"), 99, QString(), QChar(u'.')),
                 ushort('-'));
        QCOMPARE(FilterNumericKey(ushort('-'), QStringLiteral("-1"), -3, QString(), QChar(u'.')), ushort(0));
    }

    void locale_separator_is_used_by_default_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed"); // "1", ".", ",", "5" into an empty box
        QTest::newRow("US") << u"en_US"_s << u"1.5"_s;
        QTest::newRow("German") << u"de_DE"_s << u"1,5"_s; // "." typed, "," entered
        // U+066B, neither point nor comma: the point, as in the display (each such
        // locale is checked with the display).
        QTest::newRow("Arabic") << u"ar_EG"_s << u"1.5"_s;
    }

    void locale_separator_is_used_by_default()
    {
        QFETCH(QString, locale);
        QLocale::setDefault(QLocale(locale));
        QString text;
        for (const QChar key : u"1.,5"_s) {
            if (const ushort accepted = FilterNumericKey(key.unicode(), text, int(text.size()), QString()))
                text += QChar(accepted);
        }
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QTEST(text, "typed");
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestNumericEntry)
#include "tst_numericentry.moc"
