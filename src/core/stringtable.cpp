#include "core/stringtable.h"

#include <QFile>
#include <QtDebug>

#include <limits>

namespace {

bool fitsInt16(int value)
{
    return value >= std::numeric_limits<qint16>::min() && value <= std::numeric_limits<qint16>::max();
}

QString unescaped(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[i + 1];
        if (next == QLatin1Char('n'))
            out += QLatin1Char('\n');
        else if (next == QLatin1Char('t'))
            out += QLatin1Char('\t');
        else if (next == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        else {
            // Any other backslash stays as written.
            out += c;
            continue;
        }
        ++i;
    }
    return out;
}

} // namespace

QHash<int, QString> ParseStringTable(const QString &source, QStringList *problems)
{
    QHash<int, QString> table;
    const auto complain = [problems](int lineNumber, const QString &what) {
        if (problems)
            problems->append(QStringLiteral("line %1: %2").arg(lineNumber).arg(what));
    };
    const QList<QStringView> lines = QStringView(source).split(QLatin1Char('\n'));
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QStringView line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const int lineNumber = int(n + 1);
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab < 0) {
            complain(lineNumber, QStringLiteral("no tab between id and text"));
            continue;
        }
        bool ok = false;
        const int id = line.left(tab).trimmed().toInt(&ok);
        if (!ok || !fitsInt16(id)) {
            complain(lineNumber, QStringLiteral("id is not a 16-bit number"));
            continue;
        }
        if (table.contains(id)) {
            complain(lineNumber, QStringLiteral("id %1 repeated").arg(id));
            continue;
        }
        table.insert(id, unescaped(line.mid(tab + 1)));
    }
    return table;
}

const QHash<int, QString> &StringTable()
{
    static const QHash<int, QString> table = [] {
        QFile file(QStringLiteral(":/strings/strings.txt"));
        if (!file.open(QIODevice::ReadOnly)) {
            qWarning("String table resource missing");
            return QHash<int, QString>();
        }
        QStringList problems;
        QHash<int, QString> parsed = ParseStringTable(QString::fromUtf8(file.readAll()), &problems);
        for (const QString &problem : std::as_const(problems))
            qWarning("strings.txt %s", qPrintable(problem));
        return parsed;
    }();
    return table;
}

std::optional<QString> StringById(int id)
{
    const QHash<int, QString> &table = StringTable();
    const auto it = table.constFind(id);
    if (it == table.constEnd())
        return std::nullopt;
    return *it;
}

std::optional<QString> LocalString(int baseId, qint16 languageOffset)
{
    if (!fitsInt16(baseId))
        return std::nullopt;
    const int id = baseId + languageOffset;
    if (!fitsInt16(id))
        return std::nullopt;
    if (std::optional<QString> text = StringById(id))
        return text;
    // The language block lacks this id: show the base language rather than
    // failing the window.
    return languageOffset != 0 ? StringById(baseId) : std::nullopt;
}

QString LocalText(int baseId, qint16 languageOffset)
{
    return LocalString(baseId, languageOffset).value_or(QString());
}
