#include "info/referencescroll.h"

#include "core/decimaltext.h"

#include <algorithm>

ReferenceScrollRange ReferenceScrollFor(int sheetHeight, int displayHeight)
{
    ReferenceScrollRange range;
    range.maximum = std::max(0, sheetHeight - displayHeight);
    range.smallChange = ReferenceSmallChange;
    range.largeChange = std::max(1, int(RoundToInt16(range.maximum / 10.0).value_or(1)));
    return range;
}

int ReferencePageStep(int displayHeight)
{
    return std::max({1, displayHeight * 7 / 8, displayHeight - 40});
}

int ReferenceWheelRows(QPoint angleDelta, QPoint pixelDelta, int wheelScrollLines)
{
    if (!pixelDelta.isNull())
        return -pixelDelta.y();
    // One notch is 120 eighths of a degree; high-resolution wheels send less.
    return -angleDelta.y() * wheelScrollLines * ReferenceRowsPerWheelLine / 120;
}
