#pragma once
// The one entry point for trapped errors: fills the error report window and
// shows it modally; returns (always true) when it closes.

#include <QString>

bool ReportError(int errNumber, const QString &errDesc, const QString &procLabel);
