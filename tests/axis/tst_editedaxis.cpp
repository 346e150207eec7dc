// The edited axis without its window: every edit can be undone and redone
// in order, with the modified state following what was opened or saved; a
// failed save or a refused file changes nothing. The edits of a cycle's
// list of moves and the move they leave selected.

#include "axis/cyclemoves.h"
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

    // Moves named by their distances 1, 2, 3; an edit outside the list, or
    // one that would empty it, changes nothing and keeps the selection.
    void move_list_edits_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("after"); // the distances in order
        QTest::addColumn<int>("selectedAfter");
        // clang-format off
        QTest::newRow("add after the first") << 3 << "add" << 0 << "1,-1,2,3" << 1;
        QTest::newRow("add after the last") << 3 << "add" << 2 << "1,2,3,-3" << 3;
        QTest::newRow("add with none selected") << 2 << "add" << -1 << "1,2,0" << 2;
        QTest::newRow("duplicate the middle") << 3 << "duplicate" << 1 << "1,2,2,3" << 2;
        QTest::newRow("duplicate none") << 3 << "duplicate" << 3 << "1,2,3" << 3;
        QTest::newRow("remove the first") << 3 << "remove" << 0 << "2,3" << 0;
        QTest::newRow("remove the last") << 3 << "remove" << 2 << "1,2" << 1;
        QTest::newRow("remove the only one") << 1 << "remove" << 0 << "1" << 0;
        QTest::newRow("up from the middle") << 3 << "up" << 1 << "2,1,3" << 0;
        QTest::newRow("up from the top") << 3 << "up" << 0 << "1,2,3" << 0;
        QTest::newRow("down from the middle") << 3 << "down" << 1 << "1,3,2" << 2;
        QTest::newRow("down from the bottom") << 3 << "down" << 2 << "1,2,3" << 2;
        // clang-format on
    }
    void move_list_edits()
    {
        QFETCH(int, count);
        QFETCH(QString, edit);
        QFETCH(int, selected);
        QFETCH(QString, after);
        QFETCH(int, selectedAfter);
        QList<CycleMove> moves;
        for (int m = 1; m <= count; ++m) {
            CycleMove move;
            move.distance = {double(m), QStringLiteral("m")};
            move.payload = move.thrust = {5, QStringLiteral("kg")};
            moves.append(move);
        }
        const int now =
            edit == QLatin1String("add")
                ? AddMove(moves, selected, selected >= 0 ? ReturnMove(moves.at(selected)) : CycleMove{})
            : edit == QLatin1String("duplicate") ? DuplicateMove(moves, selected)
            : edit == QLatin1String("remove")
                ? RemoveMove(moves, selected)
                : SwapMoves(moves, selected, edit == QLatin1String("up") ? -1 : 1);
        QStringList distances;
        for (const CycleMove &move : moves)
            distances << QString::number(move.distance.value);
        QCOMPARE(distances.join(u','), after);
        QCOMPARE(now, selectedAfter);
        // The way back carries neither the payload nor the force.
        if (edit == QLatin1String("add") && selected >= 0)
            QCOMPARE(moves.at(now).payload.value + moves.at(now).thrust.value, 0.0);
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestEditedAxis)
#include "tst_editedaxis.moc"
