#include "errors/bugreport.h"

#include "core/safefile.h"

#include <QFile>
#include <QLocale>
#include <QUrl>

namespace {
const QString CrLf = QStringLiteral("\r\n");

// Error numbers the report shows for a log file that fails, as the program's
// run-time errors number them.
constexpr int PathFileAccessError = 75;
constexpr int DeviceIoError = 57;

// QLocale has no separator accessors, so the separator is read from the
// locale's short date or time pattern: the first character that is neither a
// pattern letter, a space, a quoted literal nor an invisible direction mark
// ("M/d/yy" gives "/", "d.M.yyyy" gives ".", "AP h:mm" gives ":").
QChar separatorInPattern(const QString &pattern, QChar fallback)
{
    bool quoted = false;
    for (const QChar ch : pattern) {
        if (ch == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || ch.isLetter() || ch.isSpace() || ch.category() == QChar::Other_Format)
            continue;
        return ch;
    }
    return fallback;
}

QString singleEntry(const char *name, const QString &value)
{
    return QLatin1String(name) + value + CrLf;
}

PrintStep wrappedEntry(const char *name, const QString &value)
{
    PrintStep step;
    step.wrapped = true;
    for (const QString &piece : PrintWrapped(QLatin1String(name) + value + CrLf).pieces)
        step.calls << piece + CrLf;
    return step;
}
} // namespace

QChar LocaleDateSeparator(const QLocale &locale)
{
    return separatorInPattern(locale.dateFormat(QLocale::ShortFormat), QLatin1Char('/'));
}

QChar LocaleTimeSeparator(const QLocale &locale)
{
    return separatorInPattern(locale.timeFormat(QLocale::ShortFormat), QLatin1Char(':'));
}

QString BugLogDate(const QDateTime &when, const QLocale &locale)
{
    const QString sep = LocaleDateSeparator(locale);
    return when.toString(QStringLiteral("MM") + sep + QStringLiteral("dd") + sep + QStringLiteral("yyyy"));
}

QString BugLogTime(const QDateTime &when, const QLocale &locale)
{
    return when.toString(QStringLiteral("HH") + LocaleTimeSeparator(locale) + QStringLiteral("mm"));
}

QString BugReportStamp(const QDateTime &when, const QLocale &locale)
{
    const QString sep = LocaleTimeSeparator(locale);
    return BugLogDate(when, locale) + QLatin1Char(' ') +
           when.toString(QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss"));
}

namespace {
// Characters that would let a field look like several lines or run its text
// (and the fields after it) backwards in a reader.
bool breaksTheLine(char16_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F) // C0 but Tab, DEL, C1 (NEL included)
           || c == 0x2028 || c == 0x2029                        // line and paragraph separators
           || (c >= 0x202A && c <= 0x202E)                      // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069);                     // isolates
}
} // namespace

QString SanitiseLogField(const QString &text)
{
    QString result = text;
    result.replace(CrLf, QStringLiteral(" "));
    for (QChar &ch : result) {
        if (ch == QLatin1Char('"'))
            ch = QLatin1Char('\'');
        else if (breaksTheLine(ch.unicode()))
            ch = QLatin1Char(' ');
    }
    return result;
}

QByteArray BugLogLine(const BugReport &report, const QDateTime &loggedAt, const QLocale &locale)
{
    const QStringList fields = {report.applicationName,
                                report.applicationVersion,
                                report.errNumber,
                                report.errDesc,
                                report.proc,
                                report.userComments.left(MaxUserCommentsLength),
                                BugLogDate(loggedAt, locale),
                                BugLogTime(loggedAt, locale),
                                report.reportedBy};
    QString line;
    for (const QString &field : fields) {
        if (!line.isEmpty())
            line += QLatin1Char(',');
        line += QLatin1Char('"') + SanitiseLogField(field) + QLatin1Char('"');
    }
    // UTF-8 keeps every name and comment as typed; plain ASCII lines are
    // byte for byte what older logs hold.
    return (line + CrLf).toUtf8();
}

QByteArray BugLogFreshLinePrefix(const QByteArray &logTail)
{
    if (logTail.isEmpty() || logTail.endsWith('\n'))
        return {};
    return logTail.endsWith('\r') ? QByteArray("\n") : CrLf.toLatin1();
}

bool AppendBugLogLine(const QString &path, const QByteArray &line, BugLogError *error)
{
    const FileWrite appended = AppendToFile(path, line, BugLogFreshLinePrefix);
    if (!appended.ok && error)
        *error = {appended.existed ? DeviceIoError : PathFileAccessError, appended.problem};
    return appended.ok;
}

WrappedText PrintWrapped(QString text)
{
    WrappedText result;
    while (!text.isEmpty()) {
        qsizetype cut = text.size();
        if (text.size() > PrintWrapWidth) {
            // Character positions 70 down to 1; the space stays at the piece's end.
            cut = text.lastIndexOf(QLatin1Char(' '), PrintWrapWidth - 1) + 1;
            if (cut == 0) {
                result.pieces << text;
                result.complete = false;
                return result;
            }
        }
        result.pieces << text.left(cut);
        text.remove(0, cut);
    }
    return result;
}

QList<PrintStep> BugReportPrintSteps(const BugReport &report, const QLocale &locale)
{
    QList<PrintStep> steps;
    for (const QString &entry :
         {singleEntry("APPLICATIONNAME=", report.applicationName),
          singleEntry("DATE/TIME=", BugReportStamp(report.dateStamp, locale)),
          singleEntry("APPLICATIONVERSION=", report.applicationVersion),
          singleEntry("REPORTED BY=", report.reportedBy), singleEntry("PROC=", report.proc),
          singleEntry("ERRNUMBER=", report.errNumber)})
        steps << PrintStep{{entry}, false};
    steps << wrappedEntry("ERRDESC=", report.errDesc);
    steps << wrappedEntry("USERCOMMENTS=", report.userComments);
    return steps;
}

QUrl BugReportMail(const BugReport &report, const QString &address, const QLocale &locale)
{
    const QString subject = QStringLiteral("Bug report: %1 %2, error %3")
                                .arg(report.applicationName, report.applicationVersion, report.errNumber);
    const QStringList body = {QStringLiteral("Application: ") + report.applicationName,
                              QStringLiteral("Version: ") + report.applicationVersion,
                              QStringLiteral("Date/time: ") + BugReportStamp(report.dateStamp, locale),
                              QStringLiteral("Reported by: ") + report.reportedBy,
                              QStringLiteral("Procedure: ") + report.proc,
                              QStringLiteral("Error number: ") + report.errNumber,
                              QStringLiteral("Error description: ") + report.errDesc,
                              QStringLiteral("Comments:"),
                              report.userComments};
    // Mail wants its line breaks as CRLF. Every character but the unreserved
    // ones is escaped, so "&", "=" or "#" in a field never ends it.
    QString text = body.join(QLatin1Char('\n'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray link = "mailto:" + QUrl::toPercentEncoding(address, "@") +
                            "?subject=" + QUrl::toPercentEncoding(subject) +
                            "&body=" + QUrl::toPercentEncoding(text);
    return QUrl::fromEncoded(link, QUrl::StrictMode);
}

QStringList PrintCallLines(const QString &call)
{
    QString lines = call;
    lines.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines.split(QLatin1Char('\n'));
}
