// Generates the shipped density.dat from the reviewed material table
// (resources/densities/materials.txt).
// Usage: makedensity <materials.txt> <density.dat>
//
// Every problem is reported as "<file>:<line>: error: ..." and makes the tool
// exit non-zero without touching the output, so a bad edit of the table fails
// the build instead of shipping a broken density.dat.

#include "diagnostics.h"

#include "core/fixedrecord.h"
#include "core/fixedtext.h"
#include "densities/densitytable.h"
#include "units/conversiontable.h"

#include <QFile>
#include <QHash>
#include <QList>
#include <QLocale>
#include <QRegularExpression>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <optional>

namespace {

// Real materials lie well inside this range (cork to tungsten alloys); a value
// outside it is a typing or unit mistake.
constexpr double LowestDensity = 1;
constexpr double HighestDensity = 25000;

class MaterialParser
{
public:
    explicit MaterialParser(Diagnostics &diagnostics) : m_diag(diagnostics) {}

    void parse(const QString &text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int i = 0; i < lines.size(); ++i) {
            const QString line = lines.at(i).trimmed();
            if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
                parseRow(i + 1, line);
        }
        if (m_records.isEmpty() && m_diag.errorCount() == 0)
            m_diag.error(QStringLiteral("the table has no material rows"));
    }

    const QList<DensityRecord> &records() const { return m_records; }

private:
    void parseRow(int lineNo, const QString &line)
    {
        QStringList columns = line.split(QLatin1Char('|'));
        if (columns.size() != 3) {
            m_diag.error(lineNo, QStringLiteral("expected 3 columns separated by '|' (name | density | "
                                                "source), found %1")
                                     .arg(columns.size()));
            return;
        }
        for (QString &column : columns)
            column = column.trimmed();
        const QString &name = columns.at(0);
        bool ok = checkName(lineNo, name);
        const std::optional<float> density = parseDensity(lineNo, columns.at(1));
        if (columns.at(2).isEmpty()) {
            m_diag.error(lineNo, QStringLiteral("material '%1' has no source note").arg(name));
            ok = false;
        }
        if (ok && density)
            m_records.append({PadRight(name, MaterialNameWidth), *density});
    }

    bool checkName(int lineNo, const QString &name)
    {
        if (name.isEmpty()) {
            m_diag.error(lineNo, QStringLiteral("material name is empty"));
            return false;
        }
        if (name.size() > MaterialNameWidth) {
            m_diag.error(lineNo, QStringLiteral("material name '%1' has %2 characters; at most %3 fit")
                                     .arg(name)
                                     .arg(name.size())
                                     .arg(MaterialNameWidth));
            return false;
        }
        for (QChar c : name) {
            if (!c.isPrint() || !FixedRecord::IsEncodable(c)) {
                m_diag.error(lineNo, QStringLiteral("material name '%1' contains U+%2, which Windows-1252 "
                                                    "cannot store as a printable character")
                                         .arg(name)
                                         .arg(c.unicode(), 4, 16, QLatin1Char('0')));
                return false;
            }
        }
        // The list is sorted without regard to case: two such names would look like one.
        const QString key = name.toUpper();
        if (const int first = m_nameLine.value(key)) {
            m_diag.error(lineNo, QStringLiteral("material name '%1' is already used at line %2 (letter case "
                                                "aside)")
                                     .arg(name)
                                     .arg(first));
            return false;
        }
        m_nameLine.insert(key, lineNo);
        return true;
    }

    std::optional<float> parseDensity(int lineNo, const QString &text)
    {
        static const QRegularExpression form(QStringLiteral(u"^([0-9]+(?:\\.[0-9]+)?) kg/m³$"));
        const QRegularExpressionMatch match = form.match(text);
        if (!match.hasMatch()) {
            m_diag.error(lineNo, QStringLiteral("density '%1' must read '<number> kg/m³', with '.' as the "
                                                "decimal point")
                                     .arg(text));
            return std::nullopt;
        }
        const double value = QLocale::c().toDouble(match.captured(1));
        if (!(value >= LowestDensity && value <= HighestDensity)) {
            m_diag.error(lineNo, QStringLiteral("density %1 kg/m³ is outside %2 to %3 kg/m³")
                                     .arg(match.captured(1))
                                     .arg(LowestDensity)
                                     .arg(HighestDensity));
            return std::nullopt;
        }
        return static_cast<float>(value);
    }

    Diagnostics &m_diag;
    QList<DensityRecord> m_records;
    QHash<QString, int> m_nameLine; // upper-cased name -> line of its first use
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedensity <materials.txt> <density.dat>\n");
        return ExitUsage;
    }
    const QString inputName = QString::fromLocal8Bit(argv[1]);
    const QString outputName = QString::fromLocal8Bit(argv[2]);
    Diagnostics diag(inputName);

    QFile input(inputName);
    if (!input.open(QIODevice::ReadOnly)) {
        diag.error(QStringLiteral("cannot read: %1").arg(input.errorString()));
        return ExitIoError;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    QString text = decoder.decode(input.readAll());
    if (decoder.hasError()) {
        diag.error(QStringLiteral("the file is not valid UTF-8"));
        return ExitDataError;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    MaterialParser parser(diag);
    parser.parse(text);
    if (diag.errorCount() > 0) {
        std::fprintf(stderr, "makedensity: %d error(s); %s not written\n", diag.errorCount(),
                     qPrintable(outputName));
        return ExitDataError;
    }

    // Stored in the order the program keeps the table in.
    QList<DensityRecord> records = parser.records();
    SortDensityTable(records);
    const DensitySaveResult saved = SaveDensityFile(outputName, records);
    if (!saved.ok()) {
        std::fprintf(stderr, "makedensity: %s\n", qPrintable(saved.message()));
        return ExitIoError;
    }
    std::printf("makedensity: %lld materials written to %s\n", static_cast<long long>(records.size()),
                qPrintable(outputName));
    return ExitOk;
}
