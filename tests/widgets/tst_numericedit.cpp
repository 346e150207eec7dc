// The number box lets text in only through the numeric key filter.

#include "widgets/numericedit.h"

#include "testsupport.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
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
        return box;
    }

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        QGuiApplication::clipboard()->setText(QStringLiteral("99 kg"));
    }

    void typed_keys_pass_the_filter()
    {
        auto box = shownBox(QString());
        QTest::keyClicks(box.get(), QStringLiteral("1x2e-5")); // x refused, E for e
        QCOMPARE(box->text(), QStringLiteral("12E-5"));
    }

    void paste_and_cut_keys_do_nothing_data()
    {
        QTest::addColumn<QKeySequence>("keys");
        QTest::newRow("Ctrl+V") << QKeySequence(QKeySequence::Paste);
        QTest::newRow("Shift+Insert") << QKeySequence(Qt::ShiftModifier | Qt::Key_Insert);
        QTest::newRow("Ctrl+X") << QKeySequence(QKeySequence::Cut);
    }
    void paste_and_cut_keys_do_nothing()
    {
        QFETCH(QKeySequence, keys);
        auto box = shownBox(QStringLiteral("12"));
        box->setCursorPosition(1);
        QTest::keySequence(box.get(), keys);
        box->selectAll();
        QTest::keySequence(box.get(), keys);
        QCOMPARE(box->text(), QStringLiteral("12"));
    }

    void context_menu_offers_nothing_that_brings_text_in()
    {
        auto box = shownBox(QStringLiteral("12"));
        box->selectAll();
        std::unique_ptr<QMenu> menu(box->createNumericContextMenu());
        QStringList captions;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                captions << action->text().section(u'\t', 0, 0).remove(u'&');
        }
        QCOMPARE(captions, (QStringList{"Undo", "Redo", "Copy", "Delete", "Select All"}));
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

    void drops_and_middle_clicks_bring_nothing_in()
    {
        auto box = shownBox(QStringLiteral("12"));
        QVERIFY(!box->acceptDrops());
        QMimeData data;
        data.setText(QStringLiteral("99 kg"));
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box.get(), &drop);
        if (QGuiApplication::clipboard()->supportsSelection())
            QGuiApplication::clipboard()->setText(QStringLiteral("99 kg"), QClipboard::Selection);
        QTest::mouseClick(box.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(box->text(), QStringLiteral("12"));
    }
};

QTEST_MAIN(TestNumericEdit)
#include "tst_numericedit.moc"
