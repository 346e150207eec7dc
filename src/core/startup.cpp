#include "core/startup.h"

#include "core/decimaltext.h"

std::optional<qint16> ParseLanguageOffset(const QString &text)
{
    if (text.isEmpty())
        return qint16(0);
    return RoundToInt16(LeadingNumber(text));
}
