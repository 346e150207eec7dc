// Any text as a control's tag and as the key looked up in it: GetTagValue
// must never crash, find a key written whole in any letter case, and give
// back the value exactly as written.
// Input: a key up to byte 0, then the tag text.

#include "core/tags.h"
#include "fuzzsupport.h"

#include <QObject>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    const QString key = in.field();
    const QString tag = in.text();
    QObject control;
    SetTag(&control, tag);
    (void)GetTagValue(&control, key);
    (void)TagHintText(&control, 0);

    // A key of ASCII letters and digits put in front is found in any letter
    // case, with the value exactly as written up to its ";".
    bool plainKey = !key.isEmpty();
    for (const QChar c : key)
        plainKey = plainKey && c.unicode() < 0x80 && c.isLetterOrNumber();
    if (plainKey) {
        const QString value = tag.section(QLatin1Char(';'), 0, 0);
        SetTag(&control, key + QLatin1Char('=') + value + QLatin1Char(';') + tag);
        Fuzz::check(GetTagValue(&control, key) == value, "value as written", key + QLatin1Char('|') + value);
        Fuzz::check(GetTagValue(&control, key.toUpper()) == value &&
                        GetTagValue(&control, key.toLower()) == value,
                    "key case", key);
    }
    return 0;
}
