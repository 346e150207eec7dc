#pragma once
// Decimal numbers written with '.' as the point, read exactly: the pieces the
// locale-aware reader shares, and the leading-number rule of tags and the
// language offset.

#include <QString>

#include <optional>
#include <string>

namespace DecimalText {
bool isAsciiDigit(QChar c);
// "-12.5e-3" from its parts, for std::from_chars (which takes no "+").
std::string asciiNumber(bool negative, const std::string &integerDigits, const std::string &fractionDigits,
                        const std::string &exponentText);
// Decimal exponent of the first significant digit (0 for 1..9.99), saturated
// so that an absurd exponent cannot overflow; -1 for zero.
long long decimalMagnitude(const std::string &integerDigits, const std::string &fractionDigits,
                           const std::string &exponentText);
} // namespace DecimalText

// Leading-number reading for tags and the language offset: the longest
// prefix (after leading blanks) that reads as a decimal number with '.' as
// the point; 0 when the text does not begin with a number. An exponent
// without digits ("2E", "2E+") ends the number before its "E". A prefix too
// large for a double gives an infinity.
double LeadingNumber(const QString &text);

// Round half to even into a 16-bit signed integer; nullopt when out of range
// or NaN.
std::optional<qint16> RoundToInt16(double value);
