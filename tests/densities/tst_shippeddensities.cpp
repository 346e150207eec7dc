// Integrity of the shipped density.dat, the generator's refusal of bad rows,
// and the build step that never overwrites a user's table.
#include "densities/densitytable.h"

#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QtTest>

using TestSupport::fileContents;
using TestSupport::writeFile;

class TestShippedDensities : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void shipped_table_is_whole_sorted_and_plausible()
    {
        const QByteArray bytes = fileContents(QStringLiteral(SHIPPED_DENSITY_PATH));
        QCOMPARE(bytes.size() % DensityRecordSize, 0);
        QList<DensityRecord> inFileOrder;
        for (qsizetype at = 0; at < bytes.size(); at += DensityRecordSize)
            inFileOrder.append(DecodeDensityRecord(bytes.mid(at, DensityRecordSize)));
        QVERIFY2(inFileOrder.size() >= 60, qPrintable(QString::number(inFileOrder.size())));

        QSet<QString> seen;
        for (const DensityRecord &record : std::as_const(inFileOrder)) {
            const QString name = record.MaterialName;
            QCOMPARE(name.size(), MaterialNameWidth);
            QVERIFY2(!name.startsWith(QLatin1Char(' ')) && !name.contains(QLatin1Char('?')),
                     qPrintable(name));
            QVERIFY2(!seen.contains(name.toUpper()), qPrintable(name));
            seen.insert(name.toUpper());
            QVERIFY2(record.DensityValue >= 1 && record.DensityValue <= 25000, qPrintable(name));
        }
        for (const char *needed : {"Steel, carbon", "Stainless 304", "Aluminium 6061", "PTFE", "Water"})
            QVERIFY2(seen.contains(QString::fromUtf8(needed).toUpper().leftJustified(20)), needed);

        // Stored in the order the program keeps.
        QList<DensityRecord> sorted = inFileOrder;
        SortDensityTable(sorted);
        for (qsizetype i = 0; i < sorted.size(); ++i)
            QCOMPARE(sorted[i].MaterialName, inFileOrder[i].MaterialName);
    }

    void generator_refuses_bad_rows_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<QString>("error");
        const auto row = [](const char *name, const char *row, const char *error) {
            QTest::newRow(name) << QByteArray(row)
                                << QStringLiteral("materials.txt:2: error: ") + QString::fromUtf8(error);
        };
        row("name too long", "Polytetrafluoroethene | 2170 kg/m³ | ISO 1183",
            "material name 'Polytetrafluoroethene' has 21");
        row("not Windows-1252", "Steel Ω | 7850 kg/m³ | ASM", "material name 'Steel Ω' contains U+03a9");
        row("same name, other case", "LEAD | 11340 kg/m³ | CRC", "material name 'LEAD' is already used");
        row("wrong unit", "Tin | 7.29 g/cm³ | CRC", "density '7.29 g/cm³' must read");
        row("implausible", "Tin | 72900 kg/m³ | CRC", "density 72900 kg/m³ is outside");
        row("no source", "Tin | 7290 kg/m³ |", "material 'Tin' has no source note");
    }

    void generator_refuses_bad_rows()
    {
        QFETCH(QByteArray, row);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString input = dir.filePath("materials.txt");
        const QString output = dir.filePath("density.dat");
        QVERIFY(writeFile(input, "Lead | 11340 kg/m³ | CRC\n" + row + "\n"));

        QProcess process;
        process.start(QStringLiteral(MAKEDENSITY_PATH), {input, output});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 1);
        const QString errors = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(errors.contains(error), qPrintable(errors));
        QVERIFY(!QFile::exists(output));
    }

    void build_copies_the_table_only_where_none_is()
    {
        QTemporaryDir dir;
        const QString shipped = dir.filePath("shipped.dat");
        const QString target = dir.filePath("density.dat");
        QVERIFY(writeFile(shipped, "shipped"));
        const auto install = [&] {
            return QProcess::execute(QStringLiteral(CMAKE_COMMAND_PATH),
                                     {"-DSOURCE=" + shipped, "-DDESTINATION=" + target, "-P",
                                      QStringLiteral(COPY_IF_MISSING_SCRIPT)});
        };
        QCOMPARE(install(), 0);
        QCOMPARE(fileContents(target), QByteArray("shipped"));

        QVERIFY(writeFile(target, "the user's own"));
        QCOMPARE(install(), 0);
        QCOMPARE(fileContents(target), QByteArray("the user's own"));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestShippedDensities)
#include "tst_shippeddensities.moc"
