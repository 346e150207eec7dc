#pragma once
// The Tooltips option every calculator window keeps ("Global Settings"/
// "Tooltips"), and how tag hints are shown: as a control's tooltip while the
// option is checked. Native hint texts (set with setToolTip in the window's
// own code and kept in the "nativeToolTip" property) always show.

class QAction;
class QWidget;

// Checks the action when the stored text is empty or "On".
void LoadTooltipsOption(QAction *option);
// Flips the check mark.
void ToggleTooltipsOption(QAction *option);
// Stores "On" when checked, "Off" otherwise.
void SaveTooltipsOption(const QAction *option);
// Shows (on) or hides (off) every tag hint of the window's controls.
void ApplyTagHints(QWidget *window, bool on);
