#pragma once
class QApplication;
// The program's start: one instance, the executable's folder as working
// folder, the language offset, then the toolbar. Returns the exit code.
int StartProcedure(QApplication &app);
