#pragma once
// Tells the shared window pieces how to open the windows above them (the
// error report, about and contact windows). Called once at start, before any
// window opens; tests call it too.
void RegisterWindows();
