// The edited axis without its window: every edit can be undone and redone
// in order, with the modified state following what was opened or saved; a
// failed save or a refused file changes nothing.

#include "axis/editedaxis.h"
#include "axisbuild.h"

#include "testsupport.h"

#include <QtTest>

namespace {

QString itemNames(const Axis &axis)
{
    QStringList names;
    for (const AxisItem &item : axis.items)
        names.append(item.name);
    return names.join(u',');
}

} // namespace

class TestEditedAxis : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void edits_undo_open_and_save_data()
    {
        QTest::addColumn<QStringList>("steps");
        // afterwards: item names, gearbox ratio, modified, name, Undo and Redo texts
        QTest::addColumn<QStringList>("after");
        // clang-format off
        QTest::newRow("undone in reverse order") << QStringList{"add a", "add b", "ratio 4", "undo", "undo"}
            << QStringList{"a", "3", "modified", "Untitled", "add a", "add b"};
        QTest::newRow("redone in order") << QStringList{"add a", "add b", "undo", "undo", "redo"}
            << QStringList{"a", "3", "modified", "Untitled", "add a", "add b"};
        QTest::newRow("undone to the saved axis") << QStringList{"add a", "save", "add b", "undo"}
            << QStringList{"a", "3", "saved", "a.tvaxis", "add a", "add b"};
        QTest::newRow("a new edit ends redo") << QStringList{"add a", "undo", "add b"}
            << QStringList{"b", "3", "modified", "Untitled", "add b", ""};
        QTest::newRow("a value typed is one step") << QStringList{"ratio 4", "ratio 45", "undo"}
            << QStringList{"", "3", "saved", "Untitled", "", "ratio"};
        QTest::newRow("typed back is no step") << QStringList{"ratio 4", "ratio 3"}
            << QStringList{"", "3", "saved", "Untitled", "", ""};
        QTest::newRow("an ended run starts a step") << QStringList{"ratio 4", "end", "ratio 5", "undo"}
            << QStringList{"", "4", "modified", "Untitled", "ratio", "ratio"};
        QTest::newRow("opened as saved, nothing to undo") << QStringList{"add a", "save", "add b", "open"}
            << QStringList{"a", "3", "saved", "a.tvaxis", "", ""};
        QTest::newRow("a failed save keeps the changes") << QStringList{"add a", "save to a missing folder"}
            << QStringList{"a", "3", "modified", "Untitled", "add a", ""};
        QTest::newRow("a refused file changes nothing") << QStringList{"add a", "save", "add b", "open damaged"}
            << QStringList{"a,b", "3", "modified", "a.tvaxis", "add b", ""};
        QTest::newRow("changes dropped") << QStringList{"add a", "drop"}
            << QStringList{"a", "3", "saved", "Untitled", "add a", ""};
        // clang-format on
    }
    void edits_undo_open_and_save()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.tvaxis"));
        QVERIFY(TestSupport::writeFile(dir.filePath(QStringLiteral("damaged.tvaxis")), "{\"format\":"));
        AxisDocument start;
        start.axis.gearbox.ratio = 3;
        EditedAxis edited;
        edited.startNew(start);
        for (const QString &step : steps) {
            const QString argument = step.section(u' ', 1);
            AxisDocument now = edited.document();
            if (step.startsWith(QLatin1String("add "))) {
                now.axis.items.append(AxisBuild::inertiaValue(1e-4, 1, AxisSide::Load, argument));
                edited.change(now, step, -1, -1);
            } else if (step.startsWith(QLatin1String("ratio "))) {
                now.axis.gearbox.ratio = argument.toDouble();
                edited.change(now, QStringLiteral("ratio"), -1, -1, QStringLiteral("ratio"));
            } else if (step == QLatin1String("end")) {
                edited.endRun();
            } else if (step == QLatin1String("undo")) {
                QVERIFY(edited.undo());
            } else if (step == QLatin1String("redo")) {
                QVERIFY(edited.redo());
            } else if (step == QLatin1String("save")) {
                QVERIFY(edited.save(path).ok);
            } else if (step == QLatin1String("save to a missing folder")) {
                QVERIFY(!edited.save(dir.filePath(QStringLiteral("gone/b.tvaxis"))).ok);
            } else if (step == QLatin1String("open")) {
                QVERIFY(edited.open(path).document);
            } else if (step == QLatin1String("open damaged")) {
                QVERIFY(!edited.open(dir.filePath(QStringLiteral("damaged.tvaxis"))).document);
            } else {
                edited.dropChanges();
            }
        }
        const Axis &axis = edited.document().axis;
        QCOMPARE((QStringList{itemNames(axis), QString::number(axis.gearbox.ratio),
                              QLatin1String(edited.isModified() ? "modified" : "saved"), edited.name(),
                              edited.undoText(), edited.redoText()}),
                 after);
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestEditedAxis)
#include "tst_editedaxis.moc"
