#include "axiswin/axisentry.h"

#include "units/numberformat.h"

#include <QLocale>

#include <cmath>

std::optional<double> ReadAxisNumber(const QString &text)
{
    QString plain = text.trimmed();
    const QChar separator = LocaleDecimalSeparator();
    // Only the locale's separator counts: a point where a comma is the
    // separator is a group separator, which is refused.
    if (plain.isEmpty() || (separator != u'.' && plain.contains(u'.')))
        return std::nullopt;
    plain.replace(separator, u'.');
    for (const QChar c : plain)
        if (!(c.isDigit() || c == u'.' || c == u'-' || c == u'+' || c == u'e' || c == u'E'))
            return std::nullopt; // no "inf", "nan" or hex
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(plain, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<AxisQuantity> ReadAxisQuantity(const ConversionTableData &units, const QString &text,
                                             const QString &unit)
{
    const std::optional<double> shown = ReadAxisNumber(text);
    if (!shown)
        return std::nullopt;
    const QString name = unit.trimmed();
    const std::optional<double> base = ToBaseUnits(units, *shown, name);
    if (!base)
        return std::nullopt;
    return AxisQuantity{*base, name};
}

QString AxisEntryText(double value)
{
    if (!std::isfinite(value))
        return {};
    QString text = QString::number(value, 'g', 15).toUpper();
    text.replace(u'.', LocaleDecimalSeparator());
    return text;
}

QString AxisNumberText(double value, int digits, bool notation)
{
    if (!std::isfinite(value))
        return {};
    if (notation || std::fabs(value) > double(std::numeric_limits<float>::max()))
        return FormatWithPattern(value, ScientificPattern(digits));
    return FormatSignificant(float(value), digits);
}

QString AxisFigureText(const ConversionTableData &units, const AxisFigure &figure, const QString &unit,
                       int digits, bool notation)
{
    if (!figure.ok())
        return figure.reason();
    const std::optional<double> shown = FromBaseUnits(units, figure.value(), unit.trimmed());
    return shown ? AxisNumberText(*shown, digits, notation) : OverflowReason();
}

QString AxisShareText(const AxisFigure &share, int digits, bool notation)
{
    return share.ok() ? AxisNumberText(share.value(), digits, notation) + QStringLiteral(" %")
                      : share.reason();
}
