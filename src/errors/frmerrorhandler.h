#pragma once
#include <QDialog>
class frmErrorHandler : public QDialog
{
    Q_OBJECT
public:
    explicit frmErrorHandler(QWidget *parent = nullptr);
};
