#pragma once
// Two small views of the unit calculator: the digits picker and the way
// converted values are drawn.

#include <QFont>
#include <QScrollBar>
#include <QStyledItemDelegate>

// The digits scroll bar: up (arrow, key, wheel, trough above the handle)
// means more digits, with the largest value at the top, as a digit picker
// reads naturally; a plain vertical scroll bar runs the other way.
class DigitsScrollBar : public QScrollBar
{
public:
    explicit DigitsScrollBar(QWidget *parent = nullptr);

protected:
    void wheelEvent(QWheelEvent *event) override;
};

// Converted values in a fixed-pitch font, right-aligned with a small gap
// before the next column, so digits and decimal marks line up; no per-row
// font or alignment data is stored.
class ValueColumnDelegate : public QStyledItemDelegate
{
public:
    ValueColumnDelegate(const QFont &font, QObject *parent) : QStyledItemDelegate(parent), m_font(font) {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QFont m_font;
};

// The fixed-pitch font at the size of base.
QFont ValueFont(const QFont &base);
