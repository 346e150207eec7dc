#include "core/startup.h"

#include "core/decimaltext.h"

qint16 LanguageOffset = 0;

std::optional<qint16> ParseLanguageOffset(const QString &text)
{
    if (text.isEmpty())
        return qint16(0);
    return RoundToInt16(LeadingNumber(text));
}
