// Integrity of the shipped density.dat, the generator's refusal of bad rows,
// and the build step that never overwrites a user's table.
#include "densities/densitytable.h"

#include "testsupport.h"

#include <QFile>
#include <QProcess>
#include <QSet>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestShippedDensities : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void shipped_table_is_whole_sorted_and_plausible()
    {
        const QByteArray bytes = contents(QStringLiteral(SHIPPED_DENSITY_PATH));
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
        QTest::newRow("name too long")
            << QByteArray("Polytetrafluoroethene | 2170 kg/m³ | ISO 1183")
            << "materials.txt:2: error: material name 'Polytetrafluoroethene' has 21";
        QTest::newRow("not Windows-1252")
            << QByteArray("Steel Ω | 7850 kg/m³ | ASM")
            << "materials.txt:2: error: material name 'Steel Ω' contains U+03a9";
        QTest::newRow("same name, other case")
            << QByteArray("LEAD | 11340 kg/m³ | CRC")
            << "materials.txt:2: error: material name 'LEAD' is already used";
        QTest::newRow("wrong unit") << QByteArray("Tin | 7.29 g/cm³ | CRC")
                                    << "materials.txt:2: error: density '7.29 g/cm³' must read";
        QTest::newRow("implausible") << QByteArray("Tin | 72900 kg/m³ | CRC")
                                     << "materials.txt:2: error: density 72900 kg/m³ is outside";
        QTest::newRow("no source") << QByteArray("Tin | 7290 kg/m³ |")
                                   << "materials.txt:2: error: material 'Tin' has no source note";
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
        QCOMPARE(contents(target), QByteArray("shipped"));

        QVERIFY(writeFile(target, "the user's own"));
        QCOMPARE(install(), 0);
        QCOMPARE(contents(target), QByteArray("the user's own"));
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_GUILESS_MAIN(TestShippedDensities)
#include "tst_shippeddensities.moc"
