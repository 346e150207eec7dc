#include "unitcalc/unitcalcviews.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWheelEvent>

DigitsScrollBar::DigitsScrollBar(QWidget *parent) : QScrollBar(Qt::Vertical, parent)
{
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

void ValueColumnDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *view = cell.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    // The row's background fills the whole cell; the text stops short of its edge.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);
    cell.rect.adjust(0, 0, -10, 0);
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
}

void ValueColumnDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = m_font;
    option->fontMetrics = QFontMetrics(m_font);
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}

QFont ValueFont(const QFont &base)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(base.pointSizeF());
    return font;
}
