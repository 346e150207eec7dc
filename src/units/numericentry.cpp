#include "units/numericentry.h"
#include "units/numberformat.h"
ushort FilterNumericKey(ushort, const QString &, int, const QString &, QChar) { return 0; }
ushort FilterNumericKey(ushort k, const QString &t, int c, const QString &s)
{
    return FilterNumericKey(k, t, c, s, LocaleDecimalSeparator());
}
