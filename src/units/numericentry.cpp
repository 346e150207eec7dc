#include "units/numericentry.h"

#include "units/numberformat.h"

#include <algorithm>

namespace {

constexpr ushort Tab = 9;
constexpr ushort Backspace = 8;

ushort filterMinus(const QString &text, int caret, const QString &selected)
{
    const QChar minus = QLatin1Char('-');
    if (caret == 0) {
        if (text.startsWith(minus) && !selected.contains(minus))
            return 0;
        return minus.unicode();
    }
    if (text.at(caret - 1) != QLatin1Char('E'))
        return 0;
    // Only one exponent sign, unless the one there is being replaced.
    if (text.mid(caret - 1).contains(minus) && !selected.contains(minus))
        return 0;
    return minus.unicode();
}

} // namespace

std::optional<QChar> AsciiDigit(QChar c)
{
    const char16_t u = c.unicode();
    for (const char16_t zero : {u'0', char16_t(0x0660), char16_t(0x06F0)}) {
        if (u >= zero && u <= zero + 9)
            return QChar(u'0' + (u - zero));
    }
    return std::nullopt;
}

NumericKeyRefusal WhyNumericKeyRefused(ushort keyCode, const QString &text, int caret,
                                       const QString &selected, QChar decimalSeparator)
{
    const QChar typed(keyCode);
    if (typed != QLatin1Char('.') && typed != QLatin1Char(',') && typed != ArabicDecimalSeparator)
        return NumericKeyRefusal::None;
    caret = std::clamp(caret, 0, int(text.size()));
    if (decimalSeparator.isNull())
        decimalSeparator = QLatin1Char('.');
    if (text.contains(decimalSeparator) && !selected.contains(decimalSeparator))
        return NumericKeyRefusal::SecondDecimalMark;
    if (text.left(caret).contains(QLatin1Char('E')))
        return NumericKeyRefusal::DecimalMarkInExponent;
    return NumericKeyRefusal::None;
}

ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected,
                        QChar decimalSeparator)
{
    caret = std::clamp(caret, 0, int(text.size()));
    const QChar typed(keyCode);

    if (keyCode == Tab || keyCode == Backspace)
        return keyCode;
    if (const std::optional<QChar> digit = AsciiDigit(typed))
        return digit->unicode();
    if (typed == QLatin1Char('-'))
        return filterMinus(text, caret, selected);
    if (typed == QLatin1Char('.') || typed == QLatin1Char(',') || typed == ArabicDecimalSeparator) {
        if (WhyNumericKeyRefused(keyCode, text, caret, selected, decimalSeparator) != NumericKeyRefusal::None)
            return 0;
        return decimalSeparator.isNull() ? u'.' : decimalSeparator.unicode();
    }
    if (typed == QLatin1Char('E') || typed == QLatin1Char('e')) {
        if (text.contains(QLatin1Char('E')) && !selected.contains(QLatin1Char('E')))
            return 0;
        return QLatin1Char('E').unicode();
    }
    return 0;
}

ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected)
{
    return FilterNumericKey(keyCode, text, caret, selected, LocaleDecimalSeparator());
}
