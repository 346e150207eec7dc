#pragma once
// The Tooltips option every calculator window keeps ("Global Settings"/
// "Tooltips"), and how tag hints are shown: as a control's tooltip while the
// option is checked. Native hint texts (set with setToolTip in the window's
// own code and kept in the "nativeToolTip" property) always show.

class QAction;
class QWidget;

// Where ApplyTagHints keeps a control's native hint the first time it sees
// it. A window that changes a native hint afterwards sets this property too.
inline constexpr char NativeToolTipProperty[] = "nativeToolTip";

// Checks the action when the stored text is empty or "On".
void LoadTooltipsOption(QAction *option);
// Flips the check mark.
void ToggleTooltipsOption(QAction *option);
// Stores "On" when checked, "Off" otherwise.
void SaveTooltipsOption(const QAction *option);
// Shows (on) or hides (off) every tag hint of the window's controls and
// actions (see WindowControls): on, a control with a "Tooltip=" hint shows it
// as its tooltip; off, it shows its native hint again (none if it had none).
// Controls without a tag hint are never touched. The tag hint also becomes a
// widget's accessible description either way, for screen readers.
void ApplyTagHints(QWidget *window, bool on);
