#include "units/numberformat.h"
QChar LocaleDecimalSeparator() { return QLatin1Char('.'); }
QString FormatWithPattern(double, const QString &, QChar) { return {}; }
QString FormatWithPattern(double v, const QString &p) { return FormatWithPattern(v, p, LocaleDecimalSeparator()); }
QString ScientificPattern(int) { return {}; }
QString FormatSignificant(float, int) { return {}; }
QString FormatGeneral(float) { return {}; }
std::optional<float> ParseLocaleNumber(const QString &) { return std::nullopt; }
double LeadingNumber(const QString &) { return 0; }
std::optional<qint16> RoundToInt16(double) { return std::nullopt; }
