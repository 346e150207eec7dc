// Any text as a typed or pasted number, a tag, or a keystroke sequence: the
// readers and the key filter must never crash, and what the formatter shows
// must read back.

#include "core/tags.h"
#include "units/numberformat.h"
#include "units/numericentry.h"

#include <QString>

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    (void)LeadingNumber(text);
    (void)TagValue(text, QStringLiteral("Offset"));
    (void)TagValue(QStringLiteral("FormOffset=1200;Offset=7"), text);

    if (const std::optional<float> value = ParseLocaleNumber(text)) {
        for (int digits = 1; digits <= 7; ++digits) {
            const QString shown = FormatSignificant(*value, digits);
            if (std::isfinite(*value) && std::fabs(*value) < 3.0e38f && !ParseLocaleNumber(shown))
                std::abort();
        }
    }

    // Type the text into an empty box one character at a time.
    QString box;
    for (const QChar c : text) {
        const ushort accepted =
            FilterNumericKey(c.unicode(), box, int(box.size()), QString(), QLatin1Char('.'));
        if (accepted != 0 && accepted != 8 && accepted != 9)
            box.append(QChar(accepted));
    }
    return 0;
}
