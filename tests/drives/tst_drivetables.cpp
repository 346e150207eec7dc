// The motor and gearbox tables: the shipped rows, units, the written form
// read back, and every kind of damage named by line and column with nothing
// half-read.

#include "drives/cornercells.h"
#include "drives/drivetables.h"
#include "testsupport.h"

#include <QtTest>

#include <functional>
#include <numbers>

namespace {

constexpr double Rpm = 2 * std::numbers::pi / 60;

const QByteArray MotorHead = "Torvane motor table,1\r\n"
                             "Name,Maker or note,Rotor inertia [kg·cm²],Maximum speed [rpm],Peak torque "
                             "[rpm:N·m],Continuous torque [rpm:N·m],Rated voltage [V],Brake torque [N·m]\r\n";
const QByteArray GearboxHead = "Torvane gearbox table,1\r\n"
                               "Name,Maker or note,Ratios,Input inertia [kg·cm²],Efficiency [%],Peak output "
                               "torque [N·m],Continuous output torque [N·m],Maximum input speed [rpm]\r\n";
const QByteArray GoodMotor = "Servo A,,0.35,6000,0:3.8 3000:3.8 6000:2.2,1.27,230,\r\n";

// The problems of bytes read as the kind of table, one per line.
QString problemsOf(DriveTableKind kind, const QByteArray &bytes, MarkerRow marker = MarkerRow::Required)
{
    std::vector<TableProblem> problems;
    bool empty = false;
    if (kind == DriveTableKind::Motors) {
        const MotorTableRead read = ReadMotorTable(bytes, marker);
        problems = read.problems;
        empty = read.records.empty();
    } else {
        const GearboxTableRead read = ReadGearboxTable(bytes, marker);
        problems = read.problems;
        empty = read.records.empty();
    }
    QStringList lines;
    for (const TableProblem &problem : problems)
        lines << problem.text();
    if (!problems.empty() && !empty)
        lines << QStringLiteral("records kept despite the problems");
    return lines.join(u'\n');
}

} // namespace

class TestDriveTables : public QObject
{
    Q_OBJECT

private slots:
    // The example rows are read by the program's own reader, are marked as
    // made up, and are in the form the program writes (so a save changes
    // nothing but the user's edits).
    void shipped_tables_are_examples_in_written_form_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("motors") << int(DriveTableKind::Motors);
        QTest::newRow("gearboxes") << int(DriveTableKind::Gearboxes);
    }
    void shipped_tables_are_examples_in_written_form()
    {
        QFETCH(int, kind);
        const QString name = DriveTableFileName(DriveTableKind(kind));
        const QByteArray bytes =
            TestSupport::fileContents(TestSupport::sourceDir() + "/resources/tables/" + name);
        QCOMPARE(TestSupport::fileContents(TestSupport::runtimeDir() + u'/' + name).isEmpty(), false);
        QStringList names;
        QByteArray written;
        if (DriveTableKind(kind) == DriveTableKind::Motors) {
            const MotorTableRead read = ReadMotorTable(bytes);
            QCOMPARE(read.message(name), QString());
            for (const MotorRecord &m : read.records)
                names << m.name + u'|' + m.note;
            written = MotorTableBytes(read.records);
        } else {
            const GearboxTableRead read = ReadGearboxTable(bytes);
            QCOMPARE(read.message(name), QString());
            for (const GearboxRecord &g : read.records)
                names << g.name + u'|' + g.note;
            written = GearboxTableBytes(read.records);
        }
        QVERIFY(names.size() >= 4);
        for (const QString &entry : names)
            QVERIFY2(entry.startsWith(u"Example ") && entry.contains(u"made-up values, not any maker's data"),
                     qPrintable(entry));
        QCOMPARE(written, bytes);
    }

    // Each column in the units its heading names, into SI.
    void units_in_the_headings_data()
    {
        QTest::addColumn<QByteArray>("heading");
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<std::function<double(const MotorRecord &)>>("get");
        QTest::addColumn<double>("si");
        using Get = std::function<double(const MotorRecord &)>;
        const Get inertia = [](const MotorRecord &m) { return m.rotorInertia; };
        const Get maxSpeed = [](const MotorRecord &m) { return m.maxSpeed; };
        const Get brake = [](const MotorRecord &m) { return m.brakeTorque.value_or(-1); };
        const Get stall = [](const MotorRecord &m) { return m.peak.points.front().torque; };
        QTest::newRow("kg·m²") << QByteArray("Rotor inertia [kg·m²]") << QByteArray("2e-5") << inertia
                               << 2e-5;
        QTest::newRow("kg*cm^2") << QByteArray("Rotor inertia [kg*cm^2]") << QByteArray("0.2") << inertia
                                 << 2e-5;
        QTest::newRow("g·cm²") << QByteArray("rotor INERTIA [g cm2]") << QByteArray("200") << inertia << 2e-5;
        QTest::newRow("lb·in²") << QByteArray("Rotor inertia [lb·in²]") << QByteArray("1") << inertia
                                << 0.45359237 * 0.0254 * 0.0254;
        QTest::newRow("rad/s") << QByteArray("Maximum speed [rad/s]") << QByteArray("600") << maxSpeed
                               << 600.0;
        QTest::newRow("rev/s") << QByteArray("Maximum speed [rev/s]") << QByteArray("100") << maxSpeed
                               << 200 * std::numbers::pi;
        QTest::newRow("lbf·in") << QByteArray("Brake torque [lbf·in]") << QByteArray("10") << brake
                                << 10 * 4.4482216152605 * 0.0254;
        QTest::newRow("mN·m") << QByteArray("Brake torque [mN·m]") << QByteArray("+1500") << brake << 1.5;
        QTest::newRow("curve in oz·in") << QByteArray("Peak torque [rpm:oz·in]") << QByteArray("160") << stall
                                        << 10 * 4.4482216152605 * 0.0254;
    }
    void units_in_the_headings()
    {
        QFETCH(QByteArray, heading);
        QFETCH(QByteArray, cell);
        QFETCH(std::function<double(const MotorRecord &)>, get);
        QFETCH(double, si);
        // The column put last, the others in their written units.
        QList<QByteArray> head{"Name", "Rotor inertia [kg·cm²]", "Maximum speed [rpm]",
                               "Peak torque [rpm:N·m]", "Continuous torque [rpm:N·m]"};
        QList<QByteArray> row{"A", "1", "3000", "2", "1"};
        const QByteArray name = heading.left(heading.indexOf('[')).trimmed().toLower();
        for (qsizetype i = 0; i < head.size(); ++i)
            if (head[i].left(head[i].indexOf('[')).trimmed().toLower() == name) {
                head.removeAt(i);
                row.removeAt(i);
            }
        const QByteArray bytes = "Torvane motor table,1\n" + head.join(',') + ',' + heading + '\n' +
                                 row.join(',') + ',' + cell + '\n';
        const MotorTableRead read = ReadMotorTable(bytes);
        QVERIFY2(read.ok(), qPrintable(read.message("x")));
        QVERIFY(std::abs(get(read.records.at(0)) / si - 1) < 1e-12);
    }

    // Every form a cell may take, written back as it was read.
    void written_form_reads_back_the_same()
    {
        const QByteArray motors =
            "\xef\xbb\xbf" + MotorHead +
            "\"Servo, \"\"quoted\"\"\",\"Two\nlines\",0.35,6000,0:3.8 3000:3.8 6000:2.2,1.27,"
            "230,1.3\r\n"
            "Flat,,1e-05,4500,9.5,0:3 1000:3.5 4000:2,,\r\n";
        const MotorTableRead m = ReadMotorTable(motors);
        QVERIFY2(m.ok(), qPrintable(m.message("motors")));
        QCOMPARE(m.records.size(), 2u);
        QCOMPARE(m.records[0].name, QStringLiteral("Servo, \"quoted\""));
        QCOMPARE(m.records[0].note, QStringLiteral("Two\nlines"));
        QCOMPARE(m.records[1].peak, FlatCurve(9.5, m.records[1].maxSpeed));
        QVERIFY(std::abs(m.records[1].continuous.points[2].speed / Rpm - 4000) < 1e-9);
        QCOMPARE(m.records[1].ratedVoltage, std::nullopt);
        QCOMPARE(MotorTableBytes(m.records), motors);

        const QByteArray gearboxes = "\xef\xbb\xbf" + GearboxHead + "P40,,3 4 5 7 10,0,97,30,15,6000\r\n";
        const GearboxTableRead g = ReadGearboxTable(gearboxes);
        QVERIFY2(g.ok(), qPrintable(g.message("gearboxes")));
        QCOMPARE(g.records.at(0).ratios, (std::vector<double>{3, 4, 5, 7, 10}));
        QCOMPARE(g.records.at(0).efficiency, 0.97);
        QCOMPARE(GearboxTableBytes(g.records), gearboxes);
    }

    void problems_named_by_line_and_column_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problems");
        const int m = int(DriveTableKind::Motors);
        const int g = int(DriveTableKind::Gearboxes);
        const QByteArray head = MotorHead;
        const auto row = [](const QByteArray &inertia, const QByteArray &peak, const QByteArray &continuous) {
            return QByteArray("Servo A,,%1,6000,%2,%3,,\r\n")
                .replace("%1", inertia)
                .replace("%2", peak)
                .replace("%3", continuous);
        };
        QTest::newRow("empty")
            << m << QByteArray()
            << "The file is empty; a motor table begins with the line \"Torvane motor table,1\".";
        QTest::newRow("no marker") << m << MotorHead.mid(23) + GoodMotor
                                   << "Line 1, column 1: a motor table begins with the line \"Torvane motor "
                                      "table,1\".";
        QTest::newRow("a gearbox table")
            << m << GearboxHead << "Line 1, column 1: this is a gearbox table, not a motor table.";
        QTest::newRow("newer version")
            << g << "Torvane gearbox table,2\r\n" + GearboxHead.mid(25)
            << "Line 1, column 2: the table is of version 2, made by a newer Torvane "
               "Toolbar; this one reads version 1.";
        QTest::newRow("semicolons") << m << QByteArray("Torvane motor table;1\r\nName;Maker or note\r\n")
                                    << "Line 1: the columns are separated by semicolons; save the table with "
                                       "commas between the columns.";
        QTest::newRow("unknown column")
            << m << head.chopped(2) + ",Price [EUR]\r\n" + GoodMotor
            << "Line 2, column 9: \"Price\" is not a column of a motor table (its columns: Name, Maker or "
               "note, "
               "Rotor inertia, Maximum speed, Peak torque, Continuous torque, Rated voltage, Brake torque).";
        QTest::newRow("no unit")
            << m << QByteArray(head).replace(" [kg·cm²]", "") + GoodMotor
            << "Line 2, column 3: the column \"Rotor inertia\" needs its unit in brackets, as "
               "in \"Rotor inertia [kg·cm²]\".";
        QTest::newRow("a unit of another kind")
            << m << QByteArray(head).replace("[rpm],", "[m/s],") + GoodMotor
            << "Line 2, column 4: \"m/s\" is not a unit this column takes: rpm, rev/min, rad/s or rev/s.";
        QTest::newRow("column missing")
            << m << QByteArray(head).replace("Peak torque", "Continuous torque") + GoodMotor
            << "Line 2, column 6: the column \"Continuous torque\" is named twice.\n"
               "Line 2: the column \"Peak torque\" is missing.";
        QTest::newRow("decimal comma")
            << m << head + row("\"0,35\"", "3.8", "1.27")
            << "Line 3, column 3 (Rotor inertia): \"0,35\" is not a number (write the "
               "decimal mark as a point).";
        QTest::newRow("text for a number") << m << head + row("0x1p3", "3.8", "1.27")
                                           << "Line 3, column 3 (Rotor inertia): \"0x1p3\" is not a number.";
        QTest::newRow("infinite") << m << head + row("inf", "3.8", "1.27")
                                  << "Line 3, column 3 (Rotor inertia): \"inf\" is not a number.";
        QTest::newRow("too large once in SI")
            << m << QByteArray(head).replace("[N·m]", "[lbf·ft]") + "A,,1,6000,3,1,,1.5e308\r\n"
            << "Line 3, column 8 (Brake torque): 1.5e308 is too large.";
        QTest::newRow("negative inertia") << m << head + row("-0.35", "3.8", "1.27")
                                          << "Line 3, column 3 (Rotor inertia): -0.35 is not above zero.";
        QTest::newRow("curve not from standstill")
            << m << head + row("1", "100:3.8 6000:2.2", "1")
            << "Line 3, column 5 (Peak torque): the peak torque curve must start at speed 0.";
        QTest::newRow("curve not a point")
            << m << head + row("1", "0:3.8 6000", "1")
            << "Line 3, column 5 (Peak torque): \"6000\" is no point (write speed:torque, as 3000:1.27).";
        QTest::newRow("peak curve short of the maximum speed")
            << m << head + row("1", "0:3.8 5000:2.2", "1")
            << "Line 3, column 5 (Peak torque): the peak torque curve ends at 5000 rpm, short of the maximum "
               "speed of 6000 rpm.";
        QTest::newRow("continuous curve beyond it") << m << head + row("1", "3", "0:1 7000:1")
                                                    << "Line 3, column 6 (Continuous torque): the continuous "
                                                       "torque curve ends at 7000 rpm, beyond the "
                                                       "maximum speed of 6000 rpm.";
        QTest::newRow("continuous above peak at a corner of the peak curve")
            << m << head + row("1", "0:3.8 3000:3.8 6000:2.2", "0:1.27 6000:2.5")
            << "Line 3, column 6 (Continuous torque): the continuous torque is above the peak torque at 6000 "
               "rpm.";
        QTest::newRow("continuous above peak at its own corner")
            << m << head + row("1", "0:3 6000:1", "0:1 3000:2.5 5000:0.5")
            << "Line 3, column 6 (Continuous torque): the continuous torque is above the peak torque at 3000 "
               "rpm.";
        QTest::newRow("the same name in other letters")
            << m << head + GoodMotor + "\r\n" + QByteArray(GoodMotor).replace("Servo A", "sERVO a")
            << "Line 5, column 1 (Name): a motor named \"sERVO a\" is on line 3 already.";
        QTest::newRow("no name") << m << head + QByteArray(GoodMotor).replace("Servo A", " ")
                                 << "Line 3, column 1 (Name): the name is missing.";
        QTest::newRow("a formula for a note")
            << m << head + QByteArray(GoodMotor).replace(",,", ",\"=HYPERLINK(\"\"x\"\")\",")
            << "Line 3, column 2 (Maker or note): starts with \"=\", which a spreadsheet would run as a "
               "formula.";
        QTest::newRow("a line break in the name")
            << m << head + QByteArray(GoodMotor).replace("Servo A", "\"Servo\nA\"")
            << "Line 3, column 1 (Name): holds a line break or another control character.";
        QTest::newRow("lines counted across a cell of two")
            << m << head + QByteArray(GoodMotor).replace(",,", ",\"two\r\nlines\",") + row("x", "3", "1")
            << "Line 5, column 3 (Rotor inertia): \"x\" is not a number.";
        QTest::newRow("quote never closed") << m << head + GoodMotor + "B,\"open\r\n,1,6000,3,1,,\r\n"
                                            << "Line 4, column 2: a quote that is never closed.";
        QTest::newRow("text after a closing quote")
            << m << head + "\"Servo\" A,,1,6000,3,1,,\r\n"
            << "Line 3, column 1: text after the closing quote of a cell.";
        QTest::newRow("not UTF-8") << m << head + GoodMotor + "Caf\xe9,,1,6000,3,1,,\r\n"
                                   << "Line 4: the text is not UTF-8 (save the table as \"CSV UTF-8\").";
        QTest::newRow("a value under no column") << m << head + GoodMotor.chopped(2) + ",x\r\n"
                                                 << "Line 3, column 9: a value under no named column.";
        QTest::newRow("a value under a column with no heading")
            << m
            << QByteArray(head).replace("Maker or note,", ",") + QByteArray(GoodMotor).replace(",,", ",x,")
            << "Line 3, column 2: a value under no named column.";
        QTest::newRow("out of range") << m << head + row("1e999", "3", "1")
                                      << "Line 3, column 3 (Rotor inertia): 1e999 is out of range.";
        QTest::newRow("a long cell quoted short")
            << m << head + row(QByteArray(100, '9') + "x", "3", "1")
            << "Line 3, column 3 (Rotor inertia): \"" + QString(39, u'9') + "…\" is not a number.";
        QTest::newRow("several problems, each named")
            << m << head + row("0", "3", "1") + row("1", "3", "4").replace("Servo A", "Servo B")
            << "Line 3, column 3 (Rotor inertia): 0 is not above zero.\n"
               "Line 4, column 6 (Continuous torque): the continuous torque is above the peak torque at 0 "
               "rpm.";
        QTest::newRow("a ratio of zero") << g << GearboxHead + "P,,3 0 5,0,97,30,15,6000\r\n"
                                         << "Line 3, column 3 (Ratios): 0 is not above zero.";
        QTest::newRow("efficiency above 100 %")
            << g << GearboxHead + "P,,3,0,101,30,15,6000\r\n"
            << "Line 3, column 5 (Efficiency): an efficiency above 100 %.";
        QTest::newRow("continuous above peak output torque")
            << g << GearboxHead + "P,,3,0,97,30,35,6000\r\n"
            << "Line 3, column 7 (Continuous output torque): the continuous output torque is above the peak "
               "output torque.";
        QByteArray many = head;
        for (int i = 0; i <= MaxDriveTableRows; ++i)
            many += QByteArray(GoodMotor).replace("Servo A", "S" + QByteArray::number(i));
        QTest::newRow("one motor more than a table holds")
            << m << many << "Line 10003: more than 10000 motors; a table holds at most 10000.";
        QTest::newRow("larger than 4 MB")
            << m << head + QByteArray(MaxDriveTableBytes, ' ') << "The file is larger than 4 MB.";
    }
    void problems_named_by_line_and_column()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problems);
        QCOMPARE(problemsOf(DriveTableKind(kind), bytes), problems);
    }

    // Rows made in a spreadsheet may start with the column names.
    void import_takes_rows_without_the_marker()
    {
        const QByteArray rows = MotorHead.mid(23) + GoodMotor;
        QCOMPARE(problemsOf(DriveTableKind::Motors, rows, MarkerRow::Optional), QString());
        QCOMPARE(ReadMotorTable(rows, MarkerRow::Optional).records.size(), 1u);
        QCOMPARE(problemsOf(DriveTableKind::Gearboxes, "Name,Ratios\r\n", MarkerRow::Optional),
                 "Line 1: the column \"Input inertia\" is missing.\n"
                 "Line 1: the column \"Efficiency\" is missing.\n"
                 "Line 1: the column \"Peak output torque\" is missing.\n"
                 "Line 1: the column \"Continuous output torque\" is missing.\n"
                 "Line 1: the column \"Maximum input speed\" is missing.");
    }

    // The corner form read from a cell and written back as the same cell;
    // anything else is no corner, and its nearest corner is what a change of
    // form starts from.
    void corner_cells_data()
    {
        QTest::addColumn<QString>("cell");
        QTest::addColumn<QString>("maxSpeed");
        QTest::addColumn<bool>("corner");
        QTest::addColumn<QString>("nearest"); // stall|corner|at maximum speed
        QTest::newRow("corner") << "0:3.8 3000:3.8 6000:2.2"
                                << "6000" << true << "3.8|3000|2.2";
        QTest::newRow("same numbers written otherwise") << "0:3.80 3000:3.8 6e3:2.2"
                                                        << "6000" << true << "3.80|3000|2.2";
        QTest::newRow("ends short of the maximum") << "0:3.8 3000:3.8 5000:2.2"
                                                   << "6000" << false << "3.8|3000|2.2";
        QTest::newRow("falls before the corner") << "0:3.9 3000:3.8 6000:2.2"
                                                 << "6000" << false << "3.9|3000|2.2";
        QTest::newRow("four points") << "0:3 1000:3 3000:2 6000:1"
                                     << "6000" << false << "3|1000|1";
        QTest::newRow("flat") << "3.8"
                              << "6000" << false << "3.8||3.8";
        QTest::newRow("empty") << ""
                               << "6000" << false << "||";
        QTest::newRow("maximum speed not a number") << "0:1 10:1 20:0.5"
                                                    << "fast" << false << "1|10|0.5";
    }
    void corner_cells()
    {
        QFETCH(QString, cell);
        QFETCH(QString, maxSpeed);
        QFETCH(bool, corner);
        QFETCH(QString, nearest);
        const std::optional<CornerCells> read = CornerOfCurveCell(cell, maxSpeed);
        QCOMPARE(read.has_value(), corner);
        const CornerCells near = NearestCorner(cell);
        QCOMPARE(QStringList({near.stallTorque, near.cornerSpeed, near.torqueAtMaxSpeed}).join(u'|'),
                 nearest);
        if (read)
            QCOMPARE(CornerOfCurveCell(CurveCellOfCorner(*read, maxSpeed), maxSpeed), read);
    }
};

QTEST_APPLESS_MAIN(TestDriveTables)
#include "tst_drivetables.moc"
