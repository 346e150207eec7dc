#include "errors/frmerrorhandler.h"
frmErrorHandler::frmErrorHandler(QWidget *parent) : QDialog(parent) {}
