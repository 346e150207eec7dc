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

ushort FilterNumericKey(ushort keyCode, const QString &text, int caret, const QString &selected,
                        QChar decimalSeparator)
{
    caret = std::clamp(caret, 0, int(text.size()));
    const QChar typed(keyCode);

    if ((typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || keyCode == Tab || keyCode == Backspace)
        return keyCode;
    if (typed == QLatin1Char('-'))
        return filterMinus(text, caret, selected);
    if (typed == QLatin1Char('.') || typed == QLatin1Char(',')) {
        if (decimalSeparator.isNull())
            decimalSeparator = QLatin1Char('.');
        if (typed != decimalSeparator)
            return 0;
        if (text.contains(decimalSeparator) && !selected.contains(decimalSeparator))
            return 0;
        if (text.left(caret).contains(QLatin1Char('E')))
            return 0;
        return keyCode;
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
