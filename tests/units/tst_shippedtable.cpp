// Integrity of the shipped converts.dat, and the generator's refusal of bad unit tables.
#include "units/conversiontable.h"

#include "unitcalc/conversionlist.h"

#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The units every table must carry, so each case of the generator test starts from a valid table.
const char *const RequiredBases = "kg | Mass | 1 | 0 | yes | | base\n"
                                  "m | Linear distance | 1 | 0 | yes | | base\n"
                                  "kg/m³ | Density | 1 | 0 | yes | | base\n"
                                  "kg-m² | Inertia | 1 | 0 | yes | | base\n";

struct GeneratorRun
{
    int exitCode = -1;
    QString errors;
    bool outputWritten = false;
    QList<ConversionRecord> records;
};

GeneratorRun runGenerator(const QByteArray &table)
{
    GeneratorRun run;
    QTemporaryDir dir;
    const QString inputName = dir.filePath(QStringLiteral("units.txt"));
    const QString outputName = dir.filePath(QStringLiteral("converts.dat"));
    if (!TestSupport::writeFile(inputName, table))
        return run;
    QProcess process;
    process.start(QStringLiteral(MAKECONVERTS_PATH), {inputName, outputName});
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.errors = QString::fromUtf8(process.readAllStandardError());

    QFile output(outputName);
    run.outputWritten = output.open(QIODevice::ReadOnly);
    if (run.outputWritten)
        run.records = ReadConversionRecords(output).records;
    return run;
}

} // namespace

class TestShippedTable : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        QFile file(TestSupport::runtimeDir() + QStringLiteral("/converts.dat"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        QCOMPARE(file.size() % ConversionRecordSize, 0);
        const ConversionTableLoad load = ReadConversionRecords(file);
        QVERIFY(load.complete);
        m_records = load.records;
    }

    void types_have_one_base_unit_each()
    {
        QHash<QString, QStringList> basesOfType;
        int displayUnits = 0;
        for (const ConversionRecord &record : m_records) {
            basesOfType[record.UnitType]; // every type gets an entry, base or not
            displayUnits += record.DisplayUnit ? 1 : 0;
            if (record.DisplayUnit && record.XFactor == 1.0f && record.PlusFactor == 0.0f)
                basesOfType[record.UnitType].append(record.UnitName.trimmed());
        }
        QVERIFY2(basesOfType.size() >= 20, qPrintable(QString::number(basesOfType.size())));
        QVERIFY2(displayUnits >= 250, qPrintable(QString::number(displayUnits)));
        for (auto it = basesOfType.constBegin(); it != basesOfType.constEnd(); ++it)
            QVERIFY2(it.value().size() == 1, qPrintable(it.key().trimmed() + u": "_s + it.value().join(',')));
        // The bases the program itself converts through.
        const QList<QPair<QString, QString>> programBases{
            {"Mass", "kg"}, {"Linear distance", "m"}, {"Density", "kg/m³"}, {"Inertia", "kg-m²"}};
        for (const auto &[type, base] : programBases)
            QCOMPARE(basesOfType.value(PadRight(type, UnitTypeWidth)), QStringList{base});
    }

    void every_record_is_well_formed()
    {
        QHash<QString, bool> seen;
        ConversionTableData table;
        QList<ConversionRecord> sorted = m_records;
        SortConversionTable(sorted);
        table.reset(sorted, true);
        for (const ConversionRecord &record : m_records) {
            const QString name = record.UnitName.trimmed();
            // Not empty, no leading spaces, unique, no '.', no '?' (what an unencodable character
            // becomes); listed units are copied as "value<separator>name" and must paste back whole.
            QVERIFY2(!name.isEmpty() && record.UnitName.startsWith(name) && !name.contains(u'.') &&
                         !name.contains(u'?') && (!record.DisplayUnit || !name.contains(u' ')) &&
                         !std::exchange(seen[name], true),
                     qPrintable(record.UnitName));
            // Pasted as written, every name finds its own unit, also where
            // another differs only in letter case (nm and Nm).
            const std::optional<PastedUnit> pasted = FindPastedUnit(table, name);
            QVERIFY2(pasted && pasted->unitType == record.UnitType &&
                         pasted->unitToSelect == (record.DisplayUnit ? record.UnitName : record.SameAs),
                     qPrintable(name));
            QVERIFY2(std::isfinite(record.XFactor) && record.XFactor > 0 && std::isfinite(record.PlusFactor),
                     qPrintable(name));

            // An alias stands for a display unit of its own type.
            if (record.DisplayUnit) {
                QVERIFY2(record.SameAs.trimmed().isEmpty(), qPrintable(name));
                continue;
            }
            // A pasted alias and its listed unit must convert the same value identically.
            const ConversionRecord *target = find(record.SameAs);
            QVERIFY2(target && target->DisplayUnit && target->UnitType == record.UnitType &&
                         target->XFactor == record.XFactor && target->PlusFactor == record.PlusFactor,
                     qPrintable(name + QStringLiteral(" -> ") + record.SameAs));
        }
    }

    void factor_matches_definition_data()
    {
        // Values of one unit in the base unit of its type (value * factor +
        // offset), from the published definitions. "exact" marks a reference
        // that is the exact decimal value. One or two of each kind of
        // definition: plain, derived in several steps, through a constant, with
        // an offset, and the units added with case twins.
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("reference");
        QTest::addColumn<bool>("exact");
        QTest::addColumn<double>("offset");
        const auto row = [](const char *name, double reference, bool exact, double offset = 0) {
            QTest::newRow(name) << QString::fromUtf8(name) << reference << exact << offset;
        };
        row("lb", 0.45359237, true);
        row("lb/in³", 27679.904710203121, false);
        row("lb-in²", 2.926396534292e-4, true);
        row("lbf-in-s²", 0.1129848290276167, true);
        row("lbf", 4.4482216152605, true);
        row("rpm", 0.10471975511965977, false);
        row("hp", 745.69987158227022, true);
        row("psi", 6894.7572931683613, false);
        row("N-m/arcmin", 3437.7467707849396, false);
        row("nm", 1e-9, true);
        row("hp(E)", 746, true);
        row("lb-in^2", 2.926396534292e-4, true); // caret spelling of lb-in²
        row("K", 1, true, -273.15);
        row("°F", 5.0 / 9, false, -32 * 5.0 / 9);
        row("°R", 5.0 / 9, false, -273.15);
    }

    void factor_matches_definition()
    {
        QFETCH(QString, name);
        QFETCH(double, reference);
        QFETCH(bool, exact);
        QFETCH(double, offset);
        const ConversionRecord *record = find(name);
        QVERIFY2(record, qPrintable(name));
        const auto nearest = [](float actual, double reference) {
            const float closest = static_cast<float>(reference);
            return std::fabs(actual - closest) <=
                   std::nextafter(std::fabs(closest), INFINITY) - std::fabs(closest);
        };
        QVERIFY2(nearest(record->PlusFactor, offset),
                 qPrintable(QString::number(record->PlusFactor, 'g', 9)));
        if (exact)
            QCOMPARE(record->XFactor, static_cast<float>(reference));
        else
            QVERIFY2(nearest(record->XFactor, reference),
                     qPrintable(QString::number(record->XFactor, 'g', 9)));
    }

    // Derived factors are written as expressions; the evaluator's precedence
    // and associativity decide every such factor. A declared case twin is accepted.
    void generator_evaluates_expressions_data()
    {
        QTest::addColumn<QByteArray>("factor");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QByteArray>("before"); // lines ahead of the unit read
        QTest::newRow("precedence") << QByteArray("2+3*4") << 14.0 << QByteArray();
        QTest::newRow("power is right-associative") << QByteArray("2^3^2") << 512.0 << QByteArray();
        QTest::newRow("power binds tighter than minus") << QByteArray("-2^2+8") << 4.0 << QByteArray();
        QTest::newRow("division is left-associative") << QByteArray("8/4/4") << 0.5 << QByteArray();
        QTest::newRow("constants and exponents")
            << QByteArray("inch^2*k*1E3") << 0.0254 * 0.0254 * 3e3 << QByteArray();
        QTest::newRow("declared case twins")
            << QByteArray("1e6") << 1e6
            << QByteArray("distinct u U # micro, mega\nU | Other | 1e-6 | 0 | yes | | s\n");
    }
    void generator_evaluates_expressions()
    {
        QFETCH(QByteArray, factor);
        QFETCH(double, expected);
        QFETCH(QByteArray, before);
        const GeneratorRun run = runGenerator(
            QByteArray("const inch = 0.0254\nconst k = 3\n") + RequiredBases + before + "u | Other | " +
            factor + " | 0 | yes | | test\n" + "one | Other | 1 | 0 | yes | | base\n");
        QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
        QCOMPARE(run.records.value(run.records.size() - 2).XFactor, static_cast<float>(expected));
    }

    void generator_rejects_bad_table_data()
    {
        // Each table is the required bases followed by the given lines (from line 5).
        QTest::addColumn<QByteArray>("table");
        QTest::addColumn<QString>("message");
        const auto bad = [](const char *name, const QByteArray &rows, const char *message) {
            QTest::newRow(name) << QByteArray(RequiredBases) + rows << QString::fromUtf8(message);
        };
        QTest::newRow("program base unit missing")
            << QByteArray(RequiredBases).replace("kg/m³ | Density", "kg/m3 | Density") << u"needs 'kg/m³'"_s;
        bad("unknown constant", "x | Mass | lbm | 0 | yes | | s\n", "5: error: factor of 'x'");
        bad("unbalanced parenthesis", "x | Mass | (2 | 0 | yes | | s\n", "missing ')'");
        bad("type differing in case", "g | mass | 2 | 0 | yes | | s\n", "unit type 'mass'");
        bad("name too long", "abcdefghijklmnop | Mass | 2 | 0 | yes | | s\n", "at most 15");
        bad("missing column", "g | Mass | 1e-3 | 0 | yes\n", "found 5");
        bad("case twin not declared", "KG | Mass | | | no | kg | s\n",
            "5: error: unit name 'KG' differs only");
        bad("declared twin missing", "distinct kg KG\n", "'KG', which is not a unit");
        bad("declared names not twins", "distinct kg g\n", "5: error: a distinct line");
    }

    void generator_rejects_bad_table()
    {
        QFETCH(QByteArray, table);
        QFETCH(QString, message);
        const GeneratorRun run = runGenerator(table);
        QVERIFY2(run.exitCode > 0, qPrintable(run.errors));
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY(!run.outputWritten);
    }

private:
    const ConversionRecord *find(const QString &name) const
    {
        const auto at =
            std::find_if(m_records.cbegin(), m_records.cend(), [&name](const ConversionRecord &r) {
                return r.UnitName == PadRight(name, UnitNameWidth);
            });
        return at == m_records.cend() ? nullptr : &*at;
    }

    QTemporaryDir m_settingsDir;
    QList<ConversionRecord> m_records;
};

QTEST_GUILESS_MAIN(TestShippedTable)
#include "tst_shippedtable.moc"
