#pragma once
// What the table generators share: their exit codes and the file:line error
// reports they print while reading a reviewed text table.

#include <QString>

#include <cstdio>
#include <utility>

enum ExitCode { ExitOk = 0, ExitDataError = 1, ExitUsage = 2, ExitIoError = 3 };

class Diagnostics
{
public:
    explicit Diagnostics(QString fileName) : m_fileName(std::move(fileName)) {}

    void error(int line, const QString &message)
    {
        std::fprintf(stderr, "%s:%d: error: %s\n", qPrintable(m_fileName), line, qPrintable(message));
        ++m_errorCount;
    }
    void error(const QString &message)
    {
        std::fprintf(stderr, "%s: error: %s\n", qPrintable(m_fileName), qPrintable(message));
        ++m_errorCount;
    }
    int errorCount() const { return m_errorCount; }

private:
    QString m_fileName;
    int m_errorCount = 0;
};
