#pragma once
// Control tags: "Key=value;Key=value;" records carried by every window,
// control and menu action as the dynamic property "tag".

#include <QString>

class QObject;

inline constexpr char TagProperty[] = "tag";

// The value of key in a tag text; keys match whole and ignore case; values
// come back exactly as written; empty when absent.
QString TagValue(const QString &tag, const QString &key);

// The same for an object's "tag" property.
QString GetTagValue(const QObject *object, const QString &key);

// Sets an object's "tag" property.
void SetTag(QObject *object, const QString &tag);

// A control's hint text from its "Tooltip=" entry: a number names a string
// (languageOffset + number), anything else is the text itself; empty if none.
QString TagHintText(const QObject *object, qint16 languageOffset);
