#include "core/tags.h"

#include "core/decimaltext.h"
#include "core/stringtable.h"

#include <QObject>
#include <QVariant>

#include <cmath>

QString TagValue(const QString &tag, const QString &key)
{
    if (key.isEmpty())
        return {};
    // Wrapping both sides in ";" makes only whole keys match: "Offset" never
    // finds the tail of "FormOffset".
    const QString wrapped = QLatin1Char(';') + tag + QLatin1Char(';');
    const QString needle = QLatin1Char(';') + key + QLatin1Char('=');
    const qsizetype at = wrapped.indexOf(needle, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    const qsizetype start = at + needle.size();
    const qsizetype end = wrapped.indexOf(QLatin1Char(';'), start);
    return wrapped.mid(start, end - start);
}

QString GetTagValue(const QObject *object, const QString &key)
{
    return object ? TagValue(object->property(TagProperty).toString(), key) : QString();
}

void SetTag(QObject *object, const QString &tag)
{
    if (object)
        object->setProperty(TagProperty, tag);
}

QString TagHintText(const QObject *object, qint16 languageOffset)
{
    const QString value = GetTagValue(object, QStringLiteral("Tooltip"));
    if (value.isEmpty())
        return {};
    bool numeric = false;
    const double number = value.trimmed().toDouble(&numeric);
    if (!numeric || !std::isfinite(number))
        return value;
    // A string id that does not fit 16 bits or names no text gives no hint
    // rather than showing a bare number.
    const std::optional<qint16> id = RoundToInt16(number);
    return id ? LocalText(*id, languageOffset) : QString();
}
