#pragma once
// The keystroke filter of numeric entry boxes, as a pure function.

#include <QChar>
#include <QString>

#include <optional>

// The Arabic decimal separator, U+066B.
inline constexpr QChar ArabicDecimalSeparator(0x066B);

// The ASCII digit of a digit written 0-9, in Arabic-Indic (U+0660..0669) or
// in Extended Arabic-Indic/Persian (U+06F0..06F9) figures; nullopt otherwise.
std::optional<QChar> AsciiDigit(QChar c);

// Returns the character code to accept or 0 to refuse it. What is typed is
// entered in the box's own form: a typed 'e' becomes 'E', native digits
// become 0-9, and any decimal mark (".", "," or U+066B) becomes
// decimalSeparator, so a mark typed from another keyboard layout never gets
// lost or mistaken. text is the box's whole text, caret the caret position
// (0 = before the first character), selected the selected text.
// decimalSeparator is normally LocaleDecimalSeparator(); a null QChar
// stands for '.'.
// With a selection, pass the selection's start as caret: that is where the
// typed character lands (a QLineEdit's cursorPosition() may be at its end).
// Digits, Tab (9) and Backspace (8) always pass; "-" only at the start or
// just after the "E"; one decimal mark, never after the "E"; one "E".
// Everything else is refused, the clipboard shortcuts' control codes
// (Ctrl+C 3, Ctrl+V 22, Ctrl+X 24), Enter and Escape included.
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected,
                        QChar decimalSeparator);

// Why the filter refuses a key, where the box should say so: a decimal mark
// where the box holds one already, or one typed into the exponent. Other
// refused keys (letters, a misplaced minus) go without remark.
enum class NumericKeyRefusal { None, SecondDecimalMark, DecimalMarkInExponent };
NumericKeyRefusal WhyNumericKeyRefused(ushort keyCode, const QString &text, int caret,
                                       const QString &selected, QChar decimalSeparator);
// Same, with LocaleDecimalSeparator().
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected);
