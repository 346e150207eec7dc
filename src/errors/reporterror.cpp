#include "errors/reporterror.h"
bool ReportError(int, const QString &, const QString &) { return true; }
