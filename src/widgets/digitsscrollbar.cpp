#include "widgets/digitsscrollbar.h"

#include <QWheelEvent>

DigitsScrollBar::DigitsScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
    setRange(1, 7);
    setSingleStep(1);
    setPageStep(1);
    setInvertedAppearance(true);
    // The arrows and the trough keep their places, so their steps are turned round.
    connect(this, &QAbstractSlider::actionTriggered, this, [this](int action) {
        switch (action) {
        case SliderSingleStepSub:
            setSliderPosition(value() + singleStep());
            break;
        case SliderSingleStepAdd:
            setSliderPosition(value() - singleStep());
            break;
        case SliderPageStepSub:
            setSliderPosition(value() + pageStep());
            break;
        case SliderPageStepAdd:
            setSliderPosition(value() - pageStep());
            break;
        default:
            break;
        }
    });
}

void DigitsScrollBar::wheelEvent(QWheelEvent *event)
{
    const int delta = event->angleDelta().y();
    if (delta != 0)
        setValue(value() + (delta > 0 ? 1 : -1));
    event->accept();
}
