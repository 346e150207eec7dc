#include "units/numberformat.h"

#include "core/decimaltext.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace {

// A finite decimal number: ±d1.d2d3... × 10^exponent, d1 non-zero, no
// trailing zeros. Zero has no digits. All display rounding happens here, on
// decimal digits, so no binary noise reaches a shown digit.
struct Decimal
{
    bool negative = false;
    std::string digits;
    int exponent = 0;

    bool isZero() const { return digits.empty(); }
};

enum class Tie { AwayFromZero, ToEven };

QChar pointUnlessGiven(QChar separator)
{
    return separator.isNull() ? QLatin1Char('.') : separator;
}

void trimTrailingZeros(Decimal &d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// Reads the output of std::to_chars in scientific form ("-1.2345e+03").
Decimal fromScientificText(const char *first, const char *last)
{
    Decimal d;
    if (first != last && *first == '-') {
        d.negative = true;
        ++first;
    }
    const char *e = std::find(first, last, 'e');
    for (const char *p = first; p != e; ++p) {
        if (*p != '.')
            d.digits.push_back(*p);
    }
    if (e != last) {
        const char *expStart = e + 1;
        if (expStart != last && *expStart == '+')
            ++expStart;
        std::from_chars(expStart, last, d.exponent);
    }
    trimTrailingZeros(d);
    return d;
}

// The shortest decimal that reads back as value.
Decimal shortestDecimal(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return fromScientificText(buffer, result.ptr);
}

// The exact decimal value of a float: its expansion never needs more than
// 112 significant digits.
Decimal exactDecimal(float value)
{
    char buffer[160];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::scientific, 120);
    return fromScientificText(buffer, result.ptr);
}

// Rounds d so that its last digit stands at 10^lastPosition.
void roundAt(Decimal &d, int lastPosition, Tie tie)
{
    if (d.isZero())
        return;
    const int keep = d.exponent - lastPosition + 1;
    if (keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return;
    }
    const char next = d.digits[keep];
    const bool restNonZero = d.digits.find_first_not_of('0', keep + 1) != std::string::npos;
    const bool lastKeptOdd = keep > 0 && (d.digits[keep - 1] - '0') % 2 == 1;
    bool up = next > '5' || (next == '5' && (restNonZero || tie == Tie::AwayFromZero || lastKeptOdd));
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    trimTrailingZeros(d);
}

// Digit of d at 10^position.
char digitAt(const Decimal &d, int position)
{
    const int index = d.exponent - position;
    if (d.isZero() || index < 0 || index >= int(d.digits.size()))
        return '0';
    return d.digits[index];
}

struct Pattern
{
    int minIntegerDigits = 0;
    int fractionDigits = 0;
    int minFractionDigits = 0;
    bool hasPoint = false;
    bool scientific = false;
    QChar exponentLetter;
    bool alwaysSignExponent = false;
    int minExponentDigits = 0;
};

Pattern parsePattern(const QString &text)
{
    Pattern p;
    int i = 0;
    const int n = int(text.size());
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('E') || c == QLatin1Char('e'))
            break;
        if (c == QLatin1Char('.')) {
            p.hasPoint = true;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (!p.hasPoint) {
                if (c == QLatin1Char('0'))
                    ++p.minIntegerDigits;
            } else {
                ++p.fractionDigits;
                if (c == QLatin1Char('0'))
                    p.minFractionDigits = p.fractionDigits;
            }
        }
    }
    if (i < n) {
        p.scientific = true;
        p.exponentLetter = text.at(i++);
        if (i < n && text.at(i) == QLatin1Char('+')) {
            p.alwaysSignExponent = true;
            ++i;
        } else if (i < n && text.at(i) == QLatin1Char('-')) {
            ++i;
        }
        for (; i < n; ++i) {
            if (text.at(i) == QLatin1Char('0'))
                ++p.minExponentDigits;
        }
    }
    return p;
}

// Fraction digits from 10^-1 down, trailing zeros dropped to the minimum.
QString fractionText(const Decimal &d, int firstPosition, const Pattern &p)
{
    QString fraction;
    for (int i = 1; i <= p.fractionDigits; ++i)
        fraction.append(QLatin1Char(digitAt(d, firstPosition - i)));
    int length = int(fraction.size());
    while (length > p.minFractionDigits && fraction.at(length - 1) == QLatin1Char('0'))
        --length;
    fraction.truncate(length);
    return fraction;
}

QString render(Decimal d, const Pattern &p, QChar separator)
{
    QString integer;
    QString fraction;
    QString exponent;
    if (p.scientific) {
        if (!d.isZero())
            roundAt(d, d.exponent - p.fractionDigits, Tie::AwayFromZero);
        const int exp = d.isZero() ? 0 : d.exponent;
        integer = QString(QLatin1Char(digitAt(d, exp)));
        fraction = fractionText(d, exp, p);
        exponent = p.exponentLetter;
        if (exp < 0)
            exponent += QLatin1Char('-');
        else if (p.alwaysSignExponent)
            exponent += QLatin1Char('+');
        exponent +=
            QString::number(std::abs(exp)).rightJustified(std::max(1, p.minExponentDigits), QLatin1Char('0'));
    } else {
        roundAt(d, -p.fractionDigits, Tie::AwayFromZero);
        for (int position = d.isZero() ? -1 : d.exponent; position >= 0; --position)
            integer.append(QLatin1Char(digitAt(d, position)));
        if (integer.size() < p.minIntegerDigits)
            integer = integer.rightJustified(p.minIntegerDigits, QLatin1Char('0'));
        fraction = fractionText(d, 0, p);
        if (integer.isEmpty() && fraction.isEmpty())
            integer = QStringLiteral("0");
    }
    QString text;
    if (d.negative && !d.isZero())
        text += QLatin1Char('-');
    text += integer;
    if (!fraction.isEmpty())
        text += pointUnlessGiven(separator) + fraction;
    return text + exponent;
}

int clampDigits(int digits)
{
    return std::clamp(digits, 1, 7);
}

// The pattern of a FormatSignificant result, chosen from the exponent.
QString significantPattern(int e, int digits)
{
    if (e <= -5 || e >= 7) {
        if (digits == 1)
            return QStringLiteral("0E+00");
        return QStringLiteral("0.0") + QString(digits - 2, QLatin1Char('#')) + QStringLiteral("E+00");
    }
    if (e < 0)
        return QStringLiteral("0.") + QString(digits - e - 1, QLatin1Char('#'));
    const QString integer = QString(e, QLatin1Char('#')) + QLatin1Char('0');
    if (digits <= e + 1)
        return integer;
    return integer + QStringLiteral(".0") + QString(digits - e - 2, QLatin1Char('#'));
}

} // namespace

QChar LocaleDecimalSeparator()
{
    const QString text = QLocale().toString(3.3);
    if (!text.contains(QLatin1Char('.')) && text.contains(QLatin1Char(',')))
        return QLatin1Char(',');
    return QLatin1Char('.');
}

QString FormatWithPattern(double value, const QString &pattern, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    return render(shortestDecimal(value), parsePattern(pattern), decimalSeparator);
}

QString FormatWithPattern(double value, const QString &pattern)
{
    return FormatWithPattern(value, pattern, LocaleDecimalSeparator());
}

QString ScientificPattern(int digits)
{
    digits = clampDigits(digits);
    if (digits == 1)
        return QStringLiteral("#E+00");
    return QStringLiteral("#.0") + QString(digits - 2, QLatin1Char('#')) + QStringLiteral("E+00");
}

QString FormatSignificant(float value, int digits)
{
    return FormatSignificant(value, digits, LocaleDecimalSeparator());
}

QString FormatSignificant(float value, int digits, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    digits = clampDigits(digits);
    const Decimal exact = exactDecimal(value);

    // The exponent as "0.#####E-##" shows it: after the mantissa is rounded
    // to five decimals.
    Decimal mantissa = exact;
    roundAt(mantissa, mantissa.exponent - 5, Tie::AwayFromZero);
    const int e = mantissa.isZero() ? 0 : mantissa.exponent;

    // value × 10^k rounded half to even, kept as r × 10^-k.
    const int k = digits - e - 1;
    Decimal rounded = exact;
    roundAt(rounded, -k, Tie::ToEven);

    return render(rounded, parsePattern(significantPattern(e, digits)), decimalSeparator);
}

QString FormatGeneral(float value)
{
    return FormatGeneral(value, LocaleDecimalSeparator());
}

QString FormatGeneral(float value, QChar decimalSeparator)
{
    if (!std::isfinite(value))
        return {};
    if (value == 0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, double(value), std::chars_format::general, 7);
    QString text;
    for (const char *p = buffer; p != result.ptr; ++p) {
        if (*p == '.') {
            text += pointUnlessGiven(decimalSeparator);
        } else if (*p == 'e') {
            text += QLatin1Char('E');
        } else {
            text += QLatin1Char(*p);
        }
    }
    return text;
}

std::optional<float> ParseLocaleNumber(const QString &text)
{
    return ParseLocaleNumber(text, LocaleDecimalSeparator());
}

std::optional<float> ParseLocaleNumber(const QString &text, QChar decimalSeparator)
{
    decimalSeparator = pointUnlessGiven(decimalSeparator);
    const QString t = text.trimmed();
    const int n = int(t.size());
    int i = 0;
    bool negative = false;
    if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
        negative = t.at(i) == QLatin1Char('-');
        ++i;
    }
    // Digits before and after the separator, kept apart to judge magnitude.
    std::string integerDigits;
    std::string fractionDigits;
    for (; i < n && DecimalText::isAsciiDigit(t.at(i)); ++i)
        integerDigits.push_back(char(t.at(i).unicode()));
    if (i < n && t.at(i) == decimalSeparator) {
        for (++i; i < n && DecimalText::isAsciiDigit(t.at(i)); ++i)
            fractionDigits.push_back(char(t.at(i).unicode()));
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return std::nullopt;
    std::string exponentText;
    if (i < n && (t.at(i) == QLatin1Char('E') || t.at(i) == QLatin1Char('e'))) {
        ++i;
        if (i < n && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+'))) {
            if (t.at(i) == QLatin1Char('-'))
                exponentText.push_back('-');
            ++i;
        }
        const int digitsStart = i;
        for (; i < n && DecimalText::isAsciiDigit(t.at(i)); ++i)
            exponentText.push_back(char(t.at(i).unicode()));
        if (i == digitsStart)
            return std::nullopt;
    }
    if (i != n)
        return std::nullopt;

    const std::string ascii = DecimalText::asciiNumber(negative, integerDigits, fractionDigits, exponentText);
    float value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (result.ec == std::errc())
        return value;

    // Out of range: too small becomes a signed zero, too large is not a number.
    if (DecimalText::decimalMagnitude(integerDigits, fractionDigits, exponentText) < 0)
        return negative ? -0.0f : 0.0f;
    return std::nullopt;
}
