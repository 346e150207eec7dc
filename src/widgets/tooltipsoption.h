#pragma once
// The Tooltips option every calculator window keeps ("Global Settings"/
// "Tooltips"), and how tag hints are shown: as the tooltip of a control that
// has no native hint, while the option is checked. Native hint texts (set
// with setToolTip in the window's own code and kept in the "nativeToolTip"
// property) always show, whatever the option.

#include <QtGlobal>

class QAction;
class QWidget;
class Settings;

// Where ApplyTagHints keeps a control's native hint the first time it sees
// it. A window that changes a native hint afterwards sets this property too.
inline constexpr char NativeToolTipProperty[] = "nativeToolTip";

// Checks the action when the stored text is empty or "On".
void LoadTooltipsOption(const Settings &settings, QAction *option);
// Flips the check mark.
void ToggleTooltipsOption(QAction *option);
// Stores "On" when checked, "Off" otherwise.
void SaveTooltipsOption(Settings &settings, const QAction *option);
// Shows (on) or hides (off) the tag hints of the window's controls and actions
// (see WindowControls): a control with a "Tooltip=" hint and no native hint
// shows the tag hint as its tooltip while on, and no tooltip while off; a
// control with a native hint keeps it either way. Controls without a tag hint
// are never touched. Numbered hints are read under languageOffset. The tag hint also becomes the accessible
// description of a widget, or of the tool buttons showing an action, for screen readers.
void ApplyTagHints(QWidget *window, bool on, qint16 languageOffset);
