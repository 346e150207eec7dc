#pragma once
// torvane-toolbar --check: axis files checked without a window, for scripts
// and build jobs. It never starts the toolbar, its tray icon or its
// single-instance socket, and needs no display: a plain check makes a core
// application only, and --report a GUI application on the offscreen platform.

struct CheckCommandLine;

// Runs the check the command line asks for (argc and argv go to the
// application object) and returns the exit status: 0 when every check of
// every file passes, 1 when one fails, 2 when a file is refused, the report
// cannot be written or the command line is wrong.
int RunCheckCommand(int &argc, char **argv, const CheckCommandLine &line);
