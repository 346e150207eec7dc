#pragma once
#include <QDialog>

class LinkLabel;
class QPushButton;
class WindowContext;

// About the maker, with a link to its web site. Label1 holds the indexes 0
// (the "Visit our website at" heading) and 5 (the address); both open the
// address.
class frmCompanyInfo : public QDialog
{
    Q_OBJECT
public:
    explicit frmCompanyInfo(WindowContext &context, QWidget *parent = nullptr);

    // Label1 click: the address label's protocol followed by its caption.
    void label1Click(int index);

private:
    WindowContext &m_context;
    LinkLabel *m_label1Heading;
    LinkLabel *m_label1Address;
    QPushButton *m_cmdOk;
};
