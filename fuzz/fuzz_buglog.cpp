// Any texts as the fields of an error report: the bug log line must stay one
// CRLF-ended line of nine quoted fields that no reader can see as several
// lines or run backwards, a torn log always gets a fresh line, and
// PrintWrapped must cut the text into pieces that join back to it, none over
// 70 characters unless it has no space to break at.
// Input: nine fields separated by byte 0.

#include "errors/bugreport.h"
#include "fuzzsupport.h"

#include <QDateTime>
#include <QLocale>

namespace {

bool breaksALine(char16_t c)
{
    return (c < 0x20 && c != u'\t') || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    BugReport report;
    for (QString *field : {&report.applicationName, &report.applicationVersion, &report.proc,
                           &report.errNumber, &report.errDesc, &report.reportedBy, &report.userComments})
        *field = in.field();
    static const QDateTime when(QDate(2024, 3, 7), QTime(21, 5, 42));
    report.dateStamp = when;

    const QByteArray line = BugLogLine(report, when, QLocale(QLocale::English, QLocale::UnitedStates));
    Fuzz::check(line.endsWith("\r\n"), "no CRLF at the end");
    const QString text = QString::fromUtf8(line.chopped(2));
    int quotes = 0;
    for (const QChar c : text) {
        Fuzz::check(!breaksALine(c.unicode()), "line break or direction control in the line", text);
        quotes += c == QLatin1Char('"');
    }
    Fuzz::check(quotes == 18, "not nine quoted fields", text);

    const QByteArray torn = line.left(in.empty() ? 0 : qsizetype(size % (line.size() + 1)));
    const QByteArray joined = torn + BugLogFreshLinePrefix(torn.right(2)) + line;
    Fuzz::check(joined.endsWith("\r\n" + line) || joined == line, "new line glued onto a torn one");

    const WrappedText wrapped = PrintWrapped(report.errDesc + QStringLiteral("\r\n"));
    Fuzz::check(wrapped.pieces.join(QString()) == report.errDesc + QStringLiteral("\r\n"),
                "pieces lost text");
    for (qsizetype i = 0; i < wrapped.pieces.size(); ++i) {
        const QString &piece = wrapped.pieces.at(i);
        const bool last = i + 1 == wrapped.pieces.size();
        Fuzz::check(piece.size() <= PrintWrapWidth || (last && !wrapped.complete), "piece too long");
        Fuzz::check(last || piece.endsWith(QLatin1Char(' ')), "cut not after a space");
    }
    return 0;
}
