// The number box lets text in only as a number: typed keys through the key
// filter, pasted text through the number reader.

#include "widgets/numericedit.h"

#include "testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QTest>

class TestNumericEdit : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;

    static std::unique_ptr<NumericEdit> shownBox(const QString &text)
    {
        auto box = std::make_unique<NumericEdit>();
        box->setText(text);
        box->show();
        box->setFocus();
        box->selectAll(); // as every calculator's boxes do on focus
        return box;
    }

    static void triggerMenuEntry(NumericEdit *box, const QString &caption)
    {
        std::unique_ptr<QMenu> menu(box->createNumericContextMenu());
        for (QAction *action : menu->actions()) {
            if (action->text().section(u'\t', 0, 0).remove(u'&') == caption)
                return action->trigger();
        }
        QFAIL(qPrintable(caption));
    }

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    // The focus selects the whole box with the caret at its end: a key lands
    // at the selection's start, so a minus replaces the number.
    void keys_typed_over_the_selection_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message"); // the start of what the box says
        auto row = [](const char *name, const char *locale, const char *keys, bool keypad,
                      const char *expected, const char *message = "") {
            QTest::newRow(name) << locale << keys << keypad << expected << message;
        };
        row("minus over the whole box", "en_US", "-", false, "-");
        row("filtered keys", "en_US", "1x2e-5", false, "12E-5");
        row("point in a comma locale", "de_DE", "3.14", false, "3,14");
        row("keypad point in a comma locale", "de_DE", "3.5", true, "3,5");
        row("second mark refused aloud", "de_DE", "1.234,", false, "1,234", "One decimal mark only");
        row("mark in the exponent refused aloud", "en_US", "2E3.", false, "2E3", "No decimal mark");
    }
    void keys_typed_over_the_selection()
    {
        QFETCH(QString, locale);
        QFETCH(QString, keys);
        QFETCH(bool, keypad);
        QLocale::setDefault(QLocale(locale));
        auto box = shownBox(QStringLiteral("12"));
        QTest::keyClicks(box.get(), keys, keypad ? Qt::KeypadModifier : Qt::NoModifier);
        QTEST(box->text(), "expected");
        QFETCH(QString, message);
        QVERIFY2(message.isEmpty() ? box->pasteMessage().isEmpty() : box->pasteMessage().startsWith(message),
                 qPrintable(box->pasteMessage()));
    }

    // Every way of pasting (Ctrl+V, Shift+Insert, the menu, the middle button) reads the clipboard as a
    // number.
    void every_paste_reads_a_number()
    {
        for (const QString way : {"Ctrl+V", "Shift+Insert", "menu", "middle"}) {
            auto box = shownBox(QStringLiteral("12"));
            for (const QString &clip : {QStringLiteral("kg"), QStringLiteral(" 2.5e3 ")}) {
                QGuiApplication::clipboard()->setText(clip);
                if (QGuiApplication::clipboard()->supportsSelection())
                    QGuiApplication::clipboard()->setText(clip, QClipboard::Selection);
                box->selectAll();
                if (way == QLatin1String("menu"))
                    triggerMenuEntry(box.get(), QStringLiteral("Paste"));
                else if (way == QLatin1String("middle"))
                    QTest::mouseClick(box.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
                else
                    QTest::keySequence(box.get(), QKeySequence(way));
            }
            QVERIFY2(box->text() == QStringLiteral("2.5E3"),
                     qPrintable(way + QStringLiteral(": ") + box->text()));
        }
    }

    // How the clipboard's text splits into number and unit, marks and native
    // digits included, is checked with the clipboard reader.
    void pasted_text_is_read_with_the_number_reader_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("start"); // "|" the caret, "[...]" the selection; no mark: all selected
        QTest::addColumn<QString>("clip");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("message"); // the start of what the box says
        auto row = [](const char *name, const char *locale, const char *start, const char *clip,
                      const char *expected, const char *message) {
            QTest::newRow(name) << locale << start << clip << expected << message;
        };
        row("point number, comma locale", "de_DE", "12", "-3.5E-2", "-3,5E-2", "");
        row("no selection: the whole box", "en_US", "0|.0", "25", "25", "");
        row("into a selected exponent", "en_US", "1E[3]", "-5", "1E-5", "");
        row("would not make a number", "en_US", "1[E3]", "-5", "1E3", "\u201c-5\u201d here");
        row("text", "en_US", "12", "twelve", "12", "Not a number");
        row("unit without a unit list", "en_US", "12", "25 mm", "12", "Unit \u201cmm\u201d");
        row("two readings", "en_US", "12", "1,500", "12", "\u201c1,500\u201d could be read two ways");
    }
    void pasted_text_is_read_with_the_number_reader()
    {
        QFETCH(QString, locale);
        QFETCH(QString, start);
        QFETCH(QString, clip);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));
        auto box = shownBox(QString(start).remove(u'|').remove(u'[').remove(u']'));
        if (start.contains(u'|'))
            box->setCursorPosition(int(start.indexOf(u'|')));
        if (start.contains(u'['))
            box->setSelection(int(start.indexOf(u'[')), int(start.indexOf(u']') - start.indexOf(u'[')) - 1);
        QGuiApplication::clipboard()->setText(clip);
        QTest::keySequence(box.get(), QKeySequence::Paste);
        QTEST(box->text(), "expected");
        QVERIFY2(message.isEmpty() ? box->pasteMessage().isEmpty() : box->pasteMessage().startsWith(message),
                 qPrintable(box->pasteMessage()));
    }

    void cut_only_where_editable()
    {
        for (const bool readOnly : {false, true}) {
            auto box = shownBox(QStringLiteral("12"));
            box->setReadOnly(readOnly);
            QGuiApplication::clipboard()->setText(QStringLiteral("7"));
            QTest::keySequence(box.get(), QKeySequence::Cut);
            QCOMPARE(box->text(), readOnly ? QStringLiteral("12") : QString());
            QCOMPARE(QGuiApplication::clipboard()->text(),
                     readOnly ? QStringLiteral("7") : QStringLiteral("12"));
            QTest::keySequence(box.get(), QKeySequence::Paste);
            QCOMPARE(box->text(), QStringLiteral("12"));
        }
    }

    void input_method_commits_pass_the_filter()
    {
        auto box = shownBox(QString());
        QInputMethodEvent preedit(QStringLiteral("abc"), {});
        QApplication::sendEvent(box.get(), &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("1a2.5.-"));
        QApplication::sendEvent(box.get(), &commit);
        QCOMPARE(box->text(), QStringLiteral("12.5"));
    }
};

QTEST_MAIN(TestNumericEdit)
#include "tst_numericedit.moc"
