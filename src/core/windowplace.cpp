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

QRect FitOnScreen(const QRect &frame, const QRect &area, const QSize &minimum)
{
    const QSize size = frame.size().boundedTo(area.size()).expandedTo(minimum);
    const int x =
        std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - size.width() + 1));
    const int y =
        std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - size.height() + 1));
    return {QPoint(x, y), size};
}
