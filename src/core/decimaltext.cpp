#include "core/decimaltext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace DecimalText {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// "-12.5e-3" from its parts, for std::from_chars (which takes no "+").
std::string asciiNumber(bool negative, const std::string &integerDigits, const std::string &fractionDigits,
                        const std::string &exponentText)
{
    std::string ascii = negative ? "-" : "";
    ascii += integerDigits.empty() ? std::string("0") : integerDigits;
    ascii += '.';
    ascii += fractionDigits;
    if (!exponentText.empty())
        ascii += 'e' + exponentText;
    return ascii;
}

// Decimal exponent of the first significant digit (0 for 1..9.99), saturated
// so that an absurd exponent cannot overflow; -1 for zero.
long long decimalMagnitude(const std::string &integerDigits, const std::string &fractionDigits,
                           const std::string &exponentText)
{
    const std::string all = integerDigits + fractionDigits;
    const auto firstNonZero = all.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return -1;
    long long exponent = 0;
    for (char c : exponentText) {
        if (c != '-')
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1'000'000'000LL);
    }
    if (!exponentText.empty() && exponentText.front() == '-')
        exponent = -exponent;
    return exponent + (long long)integerDigits.size() - 1 - (long long)firstNonZero;
}

} // namespace DecimalText

using namespace DecimalText;

double LeadingNumber(const QString &text)
{
    const int n = int(text.size());
    int i = 0;
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t') ||
                     text.at(i) == QLatin1Char('\n') || text.at(i) == QLatin1Char('\r')))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    std::string integerDigits;
    std::string fractionDigits;
    for (; i < n && isAsciiDigit(text.at(i)); ++i)
        integerDigits.push_back(char(text.at(i).unicode()));
    if (i < n && text.at(i) == QLatin1Char('.')) {
        for (++i; i < n && isAsciiDigit(text.at(i)); ++i)
            fractionDigits.push_back(char(text.at(i).unicode()));
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0;
    // An exponent counts only when it has digits.
    std::string exponentText;
    if (i < n && (text.at(i) == QLatin1Char('E') || text.at(i) == QLatin1Char('e'))) {
        int j = i + 1;
        std::string candidate;
        if (j < n && (text.at(j) == QLatin1Char('-') || text.at(j) == QLatin1Char('+'))) {
            if (text.at(j) == QLatin1Char('-'))
                candidate.push_back('-');
            ++j;
        }
        const int digitsStart = j;
        for (; j < n && isAsciiDigit(text.at(j)); ++j)
            candidate.push_back(char(text.at(j).unicode()));
        if (j > digitsStart)
            exponentText = candidate;
    }
    const std::string ascii = asciiNumber(negative, integerDigits, fractionDigits, exponentText);
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc())
        return value;
    if (decimalMagnitude(integerDigits, fractionDigits, exponentText) < 0)
        return negative ? -0.0 : 0.0;
    const double huge = std::numeric_limits<double>::infinity();
    return negative ? -huge : huge;
}

std::optional<qint16> RoundToInt16(double value)
{
    if (std::isnan(value))
        return std::nullopt;
    const double lower = std::floor(value);
    const double fraction = value - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0))
        rounded = lower + 1;
    if (rounded < -32768 || rounded > 32767)
        return std::nullopt;
    return qint16(rounded);
}
