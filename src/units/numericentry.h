#pragma once
// The keystroke filter of numeric entry boxes, as a pure function.

#include <QChar>
#include <QString>

// Returns the character code to accept (a typed 'e' becomes 'E') or 0 to
// refuse it. text is the box's whole text, caret the caret position
// (0 = before the first character), selected the selected text.
// decimalSeparator is normally LocaleDecimalSeparator().
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected,
                        QChar decimalSeparator);
// Same, with LocaleDecimalSeparator().
ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected);
