#pragma once
// The keystroke filter of numeric entry boxes, as a pure function.

#include <QChar>
#include <QString>

// Returns the character code to accept (a typed 'e' becomes 'E') or 0 to
// refuse it. text is the box's whole text, caret the caret position
// (0 = before the first character), selected the selected text.
// decimalSeparator is normally LocaleDecimalSeparator(); a null QChar
// stands for '.'.
// With a selection, pass the selection's start as caret: that is where the
// typed character lands (a QLineEdit's cursorPosition() may be at its end).
// Digits, Tab (9) and Backspace (8) always pass; "-" only at the start or
// just after the "E"; one decimal separator, never after the "E"; one "E".
// Everything else is refused, the clipboard shortcuts' control codes
// (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), Enter and Escape included.
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected,
                        QChar decimalSeparator);
// Same, with LocaleDecimalSeparator().
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected);
