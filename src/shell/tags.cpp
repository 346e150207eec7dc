#include "shell/tags.h"
#include <QObject>
#include <QVariant>
QString TagValue(const QString &, const QString &) { return {}; }
QString GetTagValue(const QObject *object, const QString &key)
{
    return object ? TagValue(object->property(TagProperty).toString(), key) : QString();
}
void SetTag(QObject *object, const QString &tag) { object->setProperty(TagProperty, tag); }
QString TagHintText(const QObject *) { return {}; }
