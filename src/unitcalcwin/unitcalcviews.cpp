#include "unitcalcwin/unitcalcviews.h"

#include "widgets/valuefont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QWheelEvent>

void ValueColumnDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QWidget *view = cell.widget;
    QStyle *style = view ? view->style() : QApplication::style();
    // The row's background fills the whole cell; the text stops short of its edge.
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &cell, painter, view);
    // The text pass paints no background again: no brush, and a selected
    // cell's text colour given by the palette instead of the selected state.
    cell.rect.adjust(0, 0, -10, 0);
    cell.backgroundBrush = Qt::NoBrush;
    if (cell.state & QStyle::State_Selected) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            cell.palette.setBrush(group, QPalette::Text,
                                  cell.palette.brush(group, QPalette::HighlightedText));
        cell.state &= ~QStyle::State_Selected;
    }
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, view);
}

void ValueColumnDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = m_font;
    option->fontMetrics = m_metrics;
    option->displayAlignment = Qt::AlignRight | Qt::AlignVCenter;
}
