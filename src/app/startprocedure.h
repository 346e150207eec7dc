#pragma once
#include <QString>

class QApplication;
class WindowContext;
// The application's names and version, which name the user's folders and
// settings file.
void NameApplication();
// The application's names, version and desktop entry; before the program
// context is made, since the user's folders are named after them.
void PrepareApplication(QApplication &app);
// The program's start on context: one instance, the language offset, then the
// toolbar, and the axis window with file when one is given (an absolute path;
// with a toolbar running already, it opens there). Returns the exit code.
int StartProcedure(QApplication &app, WindowContext &context, const QString &file = QString());
