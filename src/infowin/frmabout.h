#pragma once
#include <QDialog>
#include <QList>

class LinkLabel;
class QLabel;
class QLayout;
class QPushButton;
class WindowContext;

// About the program: name, version and support links. Label1 is a control
// array ("Label1_0" ... "Label1_8", property "index"): headings and links whose
// "Protocol=" tag builds the link.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(WindowContext &context, QWidget *parent = nullptr);

    // Label1 click: indexes 5 and up open their protocol followed by their
    // caption, lower ones the protocol alone; a label without one does nothing.
    void label1Click(int index);

private:
    void buildLinks();
    void buildVersionAndOk();
    QLayout *buildHeader();
    void layoutControls(QLayout *header);

    WindowContext &m_context;
    QList<LinkLabel *> m_label1;
    QLabel *m_lblVersion;
    QPushButton *m_cmdOk;
};
