#pragma once
#include <QDialog>

// The unit calculator: one value in one unit, shown in every other unit of its type.
class frmUnitCalculator : public QDialog
{
    Q_OBJECT
public:
    explicit frmUnitCalculator(QWidget *parent = nullptr);
};
