#pragma once
// Scrolling arithmetic of the reference viewer, in rows of the sheet (logical
// pixels): the scroll bar's range and steps, the keyboard page and the wheel.

#include <QPoint>

// An arrow click moves the sheet by this many rows.
inline constexpr int ReferenceSmallChange = 5;
// Rows per line of wheel scrolling: about one line of formulas on the sheet.
inline constexpr int ReferenceRowsPerWheelLine = 20;

struct ReferenceScrollRange
{
    int maximum = 0;     // the first row shown when the thumb is at the bottom
    int smallChange = 0; // arrow click
    int largeChange = 0; // click in the trough
};

// The scroll bar for a display area displayHeight rows tall: the maximum is
// the number of sheet rows that do not fit (never below 0), the large change
// a tenth of it rounded half to even but at least 1, the small change 5 rows.
ReferenceScrollRange ReferenceScrollFor(int sheetHeight, int displayHeight);

// Page Up and Page Down: a screenful less a little overlap, so the line at
// the edge stays in view (the larger of 7/8 of the display and the display
// less 40 rows), at least 1 row.
int ReferencePageStep(int displayHeight);

// Rows to scroll for one wheel event, positive towards the end of the sheet:
// a touchpad's pixel distance as it stands, otherwise the wheel's angle in
// lines (wheelScrollLines per 15-degree notch) of ReferenceRowsPerWheelLine.
int ReferenceWheelRows(QPoint angleDelta, QPoint pixelDelta, int wheelScrollLines);
