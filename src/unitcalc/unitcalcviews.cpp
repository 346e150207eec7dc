#include "unitcalc/unitcalcviews.h"

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
