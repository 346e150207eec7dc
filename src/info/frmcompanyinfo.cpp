#include "info/frmcompanyinfo.h"
frmCompanyInfo::frmCompanyInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCompanyInfo"));
}
