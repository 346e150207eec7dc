#include "unitcalc/frmunitcalculator.h"
frmUnitCalculator::frmUnitCalculator(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmUnitCalculator"));
}
