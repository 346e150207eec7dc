#include "widgets/valuefont.h"

#include <QFontDatabase>

QFont ValueFont(const QFont &base)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(base.pointSizeF());
    return font;
}
