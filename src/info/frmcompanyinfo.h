#pragma once
#include <QDialog>

// About the maker, with a link to its web site.
class frmCompanyInfo : public QDialog
{
    Q_OBJECT
public:
    explicit frmCompanyInfo(QWidget *parent = nullptr);
};
