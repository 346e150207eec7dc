#pragma once
// Number display and reading: significant-digit and scientific display, the
// numeric format-pattern language ("0", "#", ".", "E+00", "E-##"), the
// locale's decimal separator, and strict and leading-number reading.

#include <QChar>
#include <QString>

#include <optional>

// The current locale's decimal separator, found by writing 3.3 with
// QLocale(): '.' or ',' or a null QChar when it shows neither.
QChar LocaleDecimalSeparator();

// Formats value with a pattern of the elements above. The pattern's "."
// is shown as decimalSeparator (a null QChar drops it).
QString FormatWithPattern(double value, const QString &pattern, QChar decimalSeparator);
// Same with LocaleDecimalSeparator().
QString FormatWithPattern(double value, const QString &pattern);

// "#.0###E+00" for 6 digits; "#E+00" for 1.
QString ScientificPattern(int digits);

// value shown with 1..7 significant digits; plain decimals for exponents
// -4..6, scientific form outside. Uses the locale's decimal separator.
// A non-finite value gives an empty text.
QString FormatSignificant(float value, int digits);

// The general text form of a value put into an entry box: up to 7
// significant digits, like %.7G (capital E), the locale's decimal separator,
// never a group separator.
QString FormatGeneral(float value);

// Strict reading by the locale's rules: optional sign, digits with at most one
// locale decimal separator, optional exponent with digits; surrounding spaces
// allowed. Anything else, or a value beyond single precision, is nullopt.
std::optional<float> ParseLocaleNumber(const QString &text);

// Leading-number reading for tags and the language offset: the longest
// prefix (after leading blanks) that reads as a decimal number with '.' as
// the point; 0 when the text does not begin with a number.
double LeadingNumber(const QString &text);

// Round half to even into a 16-bit signed integer; nullopt when out of range.
std::optional<qint16> RoundToInt16(double value);
