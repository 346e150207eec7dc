#include "core/fixedtext.h"

#include <algorithm>

namespace {

// One character to one character, so every key keeps its width; the library
// call is needed only outside ASCII.
char16_t upperCased(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? char16_t(c - 0x20) : c;
    return QChar(c).toUpper().unicode();
}

} // namespace

QString PadRight(const QString &text, int width)
{
    return text.leftJustified(width, QLatin1Char(' '), true);
}

char16_t *WriteSortKey(const QString &text, int width, char16_t *out)
{
    const qsizetype used = std::min<qsizetype>(text.size(), width);
    for (qsizetype i = 0; i < width; ++i)
        *out++ = i < used ? upperCased(text.at(i).unicode()) : u' ';
    return out;
}
