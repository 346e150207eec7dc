#pragma once
// The error report's pure parts: the bug log line and the printed pieces.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

class QIODevice;
class QLocale;
class QUrl;

// What one error report holds; the window fills it from its properties.
struct BugReport
{
    QString applicationName;
    QString applicationVersion;
    QString proc;
    QString errNumber;
    QString errDesc;
    QString reportedBy;
    QString userComments;
    QDateTime dateStamp; // when the report window was loaded
};

// The locale's separator between date fields ("/" in the US, "." in Germany)
// and between hours and minutes (":" mostly, "." in Finland).
QChar LocaleDateSeparator(const QLocale &locale);
QChar LocaleTimeSeparator(const QLocale &locale);

// "MM/dd/yyyy", "HH:mm" and "MM/dd/yyyy HH:mm:ss" with the locale's separators.
QString BugLogDate(const QDateTime &when, const QLocale &locale);
QString BugLogTime(const QDateTime &when, const QLocale &locale);
QString BugReportStamp(const QDateTime &when, const QLocale &locale);

// A field as it may stand between the log's quotes: every line break, every
// control character but Tab, and every bidirectional embedding, override and
// isolate becomes one space, and a double quote becomes an apostrophe, so a
// reader sees one line of nine fields in their order whatever was typed.
QString SanitiseLogField(const QString &text);

// The longest user comment a report takes; the window says so and refuses
// more, and the log line cuts a longer one (a pasted megabyte would make a
// line no reader can use and a long append a kill can tear).
inline constexpr int MaxUserCommentsLength = 4000;

// One bug log line, UTF-8, CRLF-terminated: nine quoted, comma-separated
// fields in the log's order, with the date and time of loggedAt.
QByteArray BugLogLine(const BugReport &report, const QDateTime &loggedAt, const QLocale &locale);

// What goes before a new line so that it starts on a line of its own, given
// the last bytes of the log: nothing after a line end (or for an empty log),
// LF after a lone CR, CRLF after anything else (a line torn by a kill).
QByteArray BugLogFreshLinePrefix(const QByteArray &logTail);

inline constexpr char BugLogFileName[] = "buglog.txt";

// Where a mailed report goes: the maker's support address.
inline constexpr char BugReportAddress[] = "appsupport@velmora.example";

// A mailto: link to address with the report filled in: the subject names the
// program, its version and the error number, the body holds every field of
// the report, one a line, as the user typed them.
QUrl BugReportMail(const BugReport &report, const QString &address, const QLocale &locale);

// Why a log line could not be written: an error number and its description.
struct BugLogError
{
    int number = 0;
    QString description;
};

// Appends line to the log at path, created when missing; a log whose last
// line was torn gets the new line on a fresh line. A failed append leaves the
// log as it was (AppendToFile); error then says why, in the user's words.
bool AppendBugLogLine(const QString &path, const QByteArray &line, BugLogError *error = nullptr);

// A wrapped entry's printed pieces, each to be printed with a line end of its
// own. complete is false when a piece longer than 70 characters had to be
// printed whole because it had no space to break at.
struct WrappedText
{
    QStringList pieces;
    bool complete = true;
};

inline constexpr int PrintWrapWidth = 70;

// Cuts text into pieces of at most 70 characters, each ending after the last
// space within its first 70; every character counts, line ends included.
WrappedText PrintWrapped(QString text);

// The printed report as its steps, in order: six single entries, then the
// wrapped ERRDESC and USERCOMMENTS entries. Each call's text ends with CRLF and
// the printer adds a line end of its own, so every entry is followed by an
// empty line.
struct PrintStep
{
    QStringList calls;
    bool wrapped = false; // a failure inside ends the step without a message
};
QList<PrintStep> BugReportPrintSteps(const BugReport &report, const QLocale &locale);

// The printed lines of one print call: its text split at its line ends (CRLF,
// CR or LF), the printer's own line end closing the last one.
QStringList PrintCallLines(const QString &call);
