// Any text as a typed or pasted number, under a point, a comma and an Arabic
// locale: the strict and the leading-number readers must never crash, and
// FormatSignificant of every digit count must read back as the value rounded
// to the digits the display promises.
// Input: 1 byte locale, then the text (its first 4 bytes are also taken as a float).

#include "fuzzsupport.h"
#include "units/numberformat.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

double readDecimal(const QString &text)
{
    const std::string ascii = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
    double value = std::nan("");
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return value;
}

// The digits the display keeps: the exponent is taken after rounding the
// mantissa to five places, so when that carries one digit fewer is kept.
void checkSignificant(float value)
{
    if (!std::isfinite(value)) {
        Fuzz::check(FormatSignificant(value, 6).isEmpty(), "non-finite shown");
        return;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.5e", double(value));
    const int shownExponent = value == 0 ? 0 : std::atoi(std::strchr(buffer, 'e') + 1);
    std::snprintf(buffer, sizeof buffer, "%.40e", double(value));
    const int trueExponent = value == 0 ? 0 : std::atoi(std::strchr(buffer, 'e') + 1);
    for (int digits = 1; digits <= 7; ++digits) {
        const int kept = digits - (shownExponent - trueExponent);
        double expected;
        if (kept >= 1) {
            std::snprintf(buffer, sizeof buffer, "%.*e", kept - 1, double(value));
            expected = std::strtod(buffer, nullptr);
        } else {
            // Read from text: pow() need not round 10^23 to the nearest double.
            const std::string power = "1e" + std::to_string(trueExponent + 1);
            expected = std::copysign(std::strtod(power.c_str(), nullptr), double(value));
        }
        const QString shown = FormatSignificant(value, digits);
        const double readBack = readDecimal(shown);
        Fuzz::check(readBack == expected || (expected == 0 && readBack == 0), "significant display",
                    QStringLiteral("%1 with %2 digits shows %3")
                        .arg(double(value), 0, 'g', 17)
                        .arg(digits)
                        .arg(shown));
        if (std::fabs(expected) <= 3.0e38)
            Fuzz::check(ParseLocaleNumber(shown).has_value(), "shown text does not read back", shown);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    Fuzz::useLocaleFrom(in.byte());
    Fuzz::Input raw = in;
    checkSignificant(raw.single());
    const QString text = in.text();

    const double leading = LeadingNumber(text);
    const LocaleNumber strict = ReadLocaleNumber(text);
    Fuzz::check(!(strict.value && strict.outOfRange), "a value and out of range");
    if (strict.value)
        checkSignificant(*strict.value);
    Fuzz::check(!std::isnan(leading), "leading number is NaN", text);
    (void)ParseLocaleNumber(text, QLatin1Char(','));
    (void)RoundToInt16(leading);
    return 0;
}
