#include "shell/frmtoolbar.h"
frmToolbar::frmToolbar(QWidget *parent) : QWidget(parent) { setObjectName(QStringLiteral("frmToolbar")); }
