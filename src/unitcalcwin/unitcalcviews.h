#pragma once
// How the unit calculator draws converted values.

#include <QFont>
#include <QFontMetrics>
#include <QStyledItemDelegate>

// Converted values in a fixed-pitch font, right-aligned with a small gap
// before the next column, so digits and decimal marks line up; no per-row
// font or alignment data is stored.
class ValueColumnDelegate : public QStyledItemDelegate
{
public:
    ValueColumnDelegate(const QFont &font, QObject *parent)
        : QStyledItemDelegate(parent), m_font(font), m_metrics(font)
    {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QFont m_font;
    QFontMetrics m_metrics; // built once, not for every cell painted
};
