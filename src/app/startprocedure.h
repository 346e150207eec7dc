#pragma once
class QApplication;
class WindowContext;
// The application's names, version and desktop entry; before the program
// context is made, since the user's folders are named after them.
void PrepareApplication(QApplication &app);
// The program's start on context: one instance, the language offset, then the
// toolbar. Returns the exit code.
int StartProcedure(QApplication &app, WindowContext &context);
