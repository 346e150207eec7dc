#include "core/windowplace.h"

#include <QStringList>

#include <algorithm>

namespace {

// Far beyond any desktop; a larger value is a damaged entry, not a window.
constexpr int LargestCoordinate = 1 << 20;

} // namespace

QString WindowPlaceText(const QRect &place)
{
    return QStringLiteral("%1,%2,%3,%4").arg(place.x()).arg(place.y()).arg(place.width()).arg(place.height());
}

std::optional<QRect> ParseWindowPlace(const QString &text)
{
    // A hand-edited list may carry spaces after its commas.
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int values[4] = {};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toInt(&ok);
        if (!ok || values[i] < -LargestCoordinate || values[i] > LargestCoordinate)
            return std::nullopt;
    }
    if (values[2] <= 0 || values[3] <= 0)
        return std::nullopt;
    return QRect(values[0], values[1], values[2], values[3]);
}

bool TitleBarReachable(const QRect &place, int titleBarHeight, const QList<QRect> &screens)
{
    const int height = std::max(1, titleBarHeight);
    const QRect titleBar(place.left(), place.top() - height, place.width(), height);
    for (const QRect &screen : screens) {
        if (screen.intersects(titleBar))
            return true;
    }
    return false;
}
