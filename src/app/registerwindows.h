#pragma once
// The program's windows in one place: how the shared pieces open the windows
// above them, and a catalogue of every window for whoever needs them all
// (the accessibility check, screenshots).

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class WindowContext;

// Tells the shared window pieces of context how to open the error report,
// about and contact windows, and has every window spoken as a window. Called once at start, before any window
// opens; tests call it on their own context too.
void RegisterWindows(WindowContext &context);

struct ProgramWindow
{
    QString name; // the window's object name
    std::function<std::unique_ptr<QWidget>()> make;
};

// Every window of the program on context, loaded and ready to show.
QList<ProgramWindow> ProgramWindows(WindowContext &context);
