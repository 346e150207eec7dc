// Any sequence of keystrokes, caret moves and selections in a number box,
// with a point or a comma as the decimal separator: FilterNumericKey must
// never crash, and whatever it lets in keeps the box to ASCII digits, minus
// signs, at most one "E" and at most one decimal separator (any typed mark,
// native digits included, enters as the box's own).
// Input: 1 byte separator choice, then 3-byte steps: kind, and a 16-bit code or position.

#include "fuzzsupport.h"
#include "units/numericentry.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fuzz::Input in(data, size);
    const QChar separator = (in.byte() & 1) ? QLatin1Char(',') : QLatin1Char('.');
    // Keys worth typing most of the time; any 16-bit code otherwise.
    static const char16_t common[] = {u'0', u'1', u'9', u'-', u'.', u',',      u'E',      u'e',      u'+',
                                      u' ', 8,    9,    3,    22,   u'\u066b', u'\u0661', u'\u06f9', 13};
    QString box;
    int caret = 0;
    int anchor = 0; // the selection runs between anchor and caret
    while (!in.empty()) {
        const uint8_t kind = in.byte();
        const uint16_t code = in.word();
        const int length = int(box.size());
        switch (kind % 4) {
        case 0: // move the caret, dropping the selection
            caret = anchor = length == 0 ? 0 : code % (length + 1);
            break;
        case 1: // select from the caret
            caret = length == 0 ? 0 : code % (length + 1);
            break;
        default: { // type a key
            const ushort key = kind % 4 == 2 ? common[code % std::size(common)] : code;
            const int from = std::min(anchor, caret);
            const int to = std::max(anchor, caret);
            const QString selected = box.mid(from, to - from);
            const ushort accepted = FilterNumericKey(key, box, caret, selected, separator);
            Fuzz::check(accepted == 0 || accepted == 8 || accepted == 9 ||
                            (accepted >= u'0' && accepted <= u'9') || accepted == u'-' || accepted == u'E' ||
                            accepted == separator.unicode(),
                        "accepted an odd key", QString(QChar(key)));
            if (accepted == 8) {
                const int start = from != to ? from : std::max(0, caret - 1);
                box.remove(start, std::max(to - from, caret - start));
                caret = anchor = start;
            } else if (accepted != 0 && accepted != 9) {
                box.replace(from, to - from, QChar(accepted));
                caret = anchor = from + 1;
            }
            break;
        }
        }
        Fuzz::check(box.count(QLatin1Char('E')) <= 1, "two E", box);
        Fuzz::check(box.count(separator) <= 1, "two separators", box);
        for (const QChar c : box)
            Fuzz::check((c >= u'0' && c <= u'9') || c == u'-' || c == u'E' || c == separator, "odd character",
                        box);
    }
    return 0;
}
