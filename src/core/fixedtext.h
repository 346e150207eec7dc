#pragma once
// Fixed-width text as the data files hold it: names padded to their field,
// and case-blind sort keys of the same width.

#include <QString>

// Right-pads (or cuts) a name to the given width: the form every comparison uses.
QString PadRight(const QString &text, int width);

// Writes text cut or space-padded to width into out, each character
// upper-cased to exactly one character, so keys compared code unit by code
// unit order names by character code, case-blind. Returns out + width.
char16_t *WriteSortKey(const QString &text, int width, char16_t *out);
