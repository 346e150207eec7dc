#pragma once
// Number display and reading: significant-digit and scientific display, the
// numeric format-pattern language ("0", "#", ".", "E+00", "E-##"), the
// locale's decimal separator, and strict and leading-number reading.

#include "core/decimaltext.h"

#include <QChar>
#include <QString>

#include <optional>

// The current locale's decimal separator, found by writing 3.3 with
// QLocale(): ',' when it shows a comma and no point, otherwise '.'. A locale
// whose mark is neither (Arabic, Persian, Pashto: U+066B) gets the point, so
// its users still see and type a decimal mark the program can read.
QChar LocaleDecimalSeparator();

// Every function below that takes a decimalSeparator writes and reads it in
// place of the point; a null QChar stands for '.'.

// Formats value with a pattern of the elements above. The pattern's "."
// is shown as decimalSeparator.
//  - Integer part: "0" always shows a digit, "#" only a significant one; all
//    integer digits of the value are shown. A result with no digit shows "0".
//  - Fraction: rounded, half away from zero, to as many places as the pattern
//    has "0"/"#" after the point; trailing zeros are dropped down to the last
//    "0". A point with no fraction digit after it is not shown.
//  - Exponent ("E+00", "E-##"): the mantissa has exactly one integer digit
//    (also for zero and whatever the pattern puts before the point); "+"
//    always signs, "-" only negative exponents; each "0" is a minimum digit.
// Rounding works on the shortest decimal text that reads back as value, so
// 0.15 rounds to 0.2 with "0.#" and 3.0 / 10 never shows binary noise.
// Negative values get a leading "-" unless every shown digit is zero.
// Characters other than these elements are ignored. Non-finite: empty text.
QString FormatWithPattern(double value, const QString &pattern, QChar decimalSeparator);
// Same with LocaleDecimalSeparator().
QString FormatWithPattern(double value, const QString &pattern);

// "#.0####E+00" for 6 digits; "#E+00" for 1. digits is clamped to 1..7.
QString ScientificPattern(int digits);

// value shown with 1..7 significant digits; plain decimals for exponents
// -4..6, scientific form outside. Uses the locale's decimal separator.
// A non-finite value gives an empty text; digits is clamped to 1..7.
// The exponent comes from the mantissa rounded to five decimals (so 9999999
// counts as 1E7), and the digits are the value rounded half to even, exactly
// (not through a rounded double product).
QString FormatSignificant(float value, int digits);
// Same with the given separator.
QString FormatSignificant(float value, int digits, QChar decimalSeparator);

// The general text form of a value put into an entry box: up to 7
// significant digits, like %.7G (capital E), the locale's decimal separator,
// never a group separator. Negative zero shows "0"; non-finite: empty text.
QString FormatGeneral(float value);
QString FormatGeneral(float value, QChar decimalSeparator);

// Strict reading by the locale's rules: optional sign, digits with at most one
// locale decimal separator, optional exponent with digits; surrounding spaces
// allowed. Anything else, or a value beyond single precision, is nullopt.
// ".5" and "5." are numbers (at least one digit is needed before the
// exponent); a value too small for single precision reads as a denormal or
// a signed zero. Only the separator counts: group separators are refused.
std::optional<float> ParseLocaleNumber(const QString &text);
std::optional<float> ParseLocaleNumber(const QString &text, QChar decimalSeparator);
