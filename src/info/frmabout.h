#pragma once
#include <QDialog>

// About the program: name, version and support links.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
};
