#include "core/toolbarposition.h"

#include "core/windowplace.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

std::optional<qint32> twipsValue(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // halves to even
    if (rounded < std::numeric_limits<qint32>::min() || rounded > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(rounded);
}

qint64 distanceSquared(QPoint point, const QRect &rect)
{
    const qint64 dx = point.x() < rect.left()    ? rect.left() - point.x()
                      : point.x() > rect.right() ? point.x() - rect.right()
                                                 : 0;
    const qint64 dy = point.y() < rect.top()      ? rect.top() - point.y()
                      : point.y() > rect.bottom() ? point.y() - rect.bottom()
                                                  : 0;
    return dx * dx + dy * dy;
}

} // namespace

std::optional<QPoint> StoredToolbarPosition(const QString &xText, const QString &yText)
{
    if (xText.isEmpty() || yText.isEmpty())
        return std::nullopt;
    const std::optional<qint32> x = twipsValue(xText);
    const std::optional<qint32> y = twipsValue(yText);
    if (!x || !y)
        return std::nullopt;
    return QPoint(int(std::lround(*x / double(TwipsPerPixel))), int(std::lround(*y / double(TwipsPerPixel))));
}

QString TwipsText(int pixels)
{
    return QString::number(qint64(pixels) * TwipsPerPixel);
}

QPoint BringOntoScreen(const QRect &frame, const QList<QRect> &screens)
{
    if (screens.isEmpty())
        return frame.topLeft();
    // Enough of the strip must be visible to grab it again: its whole top edge.
    for (const QRect &screen : screens) {
        if (screen.contains(frame.topLeft()) && screen.contains(frame.topRight()))
            return frame.topLeft();
    }
    const QRect *nearest = &screens.first();
    for (const QRect &screen : screens) {
        if (distanceSquared(frame.center(), screen) < distanceSquared(frame.center(), *nearest))
            nearest = &screen;
    }
    return FitOnScreen(frame, *nearest, frame.size()).topLeft();
}

QPoint PlaceBesideStrip(const QSize &frame, const QRect &strip, const QRect &area)
{
    constexpr int Gap = 8;
    const int alignedLeft = strip.right() + 1 - frame.width();
    // Each place, and whether it slides across (along a horizontal edge) or down.
    const struct
    {
        QPoint at;
        bool across;
    } places[] = {{{alignedLeft, strip.bottom() + 1 + Gap}, true},
                  {{alignedLeft, strip.top() - Gap - frame.height()}, true},
                  {{strip.left() - Gap - frame.width(), strip.top()}, false},
                  {{strip.right() + 1 + Gap, strip.top()}, false}};
    for (const auto &[at, across] : places) {
        QRect place(at, frame);
        if (across)
            place.moveLeft(std::clamp(place.left(), area.left(),
                                      std::max(area.left(), area.right() + 1 - frame.width())));
        else
            place.moveTop(std::clamp(place.top(), area.top(),
                                     std::max(area.top(), area.bottom() + 1 - frame.height())));
        if (area.contains(place))
            return place.topLeft();
    }
    return FitOnScreen(QRect(places[0].at, frame), area, frame).topLeft();
}
