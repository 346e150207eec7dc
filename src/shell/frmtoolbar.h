#pragma once
#include <QWidget>
class frmToolbar : public QWidget
{
    Q_OBJECT
public:
    explicit frmToolbar(QWidget *parent = nullptr);
};
