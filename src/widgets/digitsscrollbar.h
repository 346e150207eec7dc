#pragma once

#include <QScrollBar>

// The digits scroll bar: up (arrow, key, wheel, trough above the handle)
// means more digits, with the largest value at the top, as a digit picker
// reads naturally; a plain vertical scroll bar runs the other way.
// Its range is the display digits, 1 to 7, one step at a time.
class DigitsScrollBar : public QScrollBar
{
public:
    explicit DigitsScrollBar(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};
