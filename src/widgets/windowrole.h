#pragma once
// Top-level windows made straight from QWidget (the toolbar strip, the help
// window) are spoken as windows, as the dialogs are, not as unnamed panes.

// Installs the accessibility interface that does it; calling it again does nothing.
void InstallWindowRole();
