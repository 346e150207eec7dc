#include "infowin/frmabout.h"

#include "core/tags.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/linklabel.h"
#include "widgets/shellhyperlink.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <iterator>

namespace {

struct LabelDesign
{
    const char *caption;
    const char *protocol;
};

// Index: caption and "Protocol=" entry (none for headings).
constexpr LabelDesign Label1Design[] = {
    {"Version:", ""},
    {"Global Customer Support Center", "http://www.velmora.example/support/global"},
    {"Sign up for Velmora eNews", "http://www.velmora.example/enews/signup?source=toolbar"},
    {"Toolbar Technical Programming Support:", ""},
    {"Visit us at", ""},
    {"velmora.example", "http://www."},
    {"Velmora Application Support:", ""},
    {"appsupport@velmora.example", "mailto:"},
    {"toolbar@pellridge.example", "mailto:"},
};

constexpr int FirstCaptionLinkIndex = 5;

} // namespace

frmAbout::frmAbout(WindowContext &context, QWidget *parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmAbout"));
    KeepWindowPlace(context.settings(), this);
    AddHelpKey(context, this, QStringLiteral("about.html"));
    SetTag(this, QString());
    setWindowTitle(QStringLiteral("TORVANE Toolbar (TM)"));
    setWindowIcon(ProgramIcon());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(pal);

    buildLinks();
    buildVersionAndOk();
    layoutControls(buildHeader());
    resize(583, 309);
}

// The Label1 array: headings and the support links.
void frmAbout::buildLinks()
{
    for (int index = 0; index < int(std::size(Label1Design)); ++index) {
        const LabelDesign &design = Label1Design[index];
        const QString caption = QString::fromUtf8(design.caption);
        const QString protocol = QString::fromUtf8(design.protocol);
        auto *label = new LinkLabel(caption, this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(index));
        label->setProperty("index", index);
        SetTag(label, protocol.isEmpty() ? QString() : QStringLiteral("Protocol=%1;").arg(protocol));
        if (!protocol.isEmpty()) {
            label->setLinkAppearance(true);
            label->setToolTip(LinkLabelTarget(protocol, caption, index >= FirstCaptionLinkIndex));
        }
        connect(label, &LinkLabel::clicked, this, [this, index]() { label1Click(index); });
        m_label1.append(label);
    }
}

void frmAbout::buildVersionAndOk()
{
    m_lblVersion = new QLabel(QStringLiteral(TORVANE_VERSION_TEXT), this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));
    SetTag(m_lblVersion, QString());
    m_lblVersion->setAccessibleName(m_lblVersion->text());
    m_lblVersion->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_cmdOk = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    SetTag(m_cmdOk, QString());
    m_cmdOk->setAccessibleName(QStringLiteral("OK"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setMinimumWidth(88);
    connect(m_cmdOk, &QPushButton::clicked, this, &QDialog::accept);
}

// The header: the program's icon, its name, and the version row.
QLayout *frmAbout::buildHeader()
{
    // Artwork: the program's icon and name above the version.
    auto *imgProgram = new QLabel(this);
    imgProgram->setObjectName(QStringLiteral("imgProgram"));
    SetTag(imgProgram, QString());
    imgProgram->setAccessibleName(QStringLiteral("Torvane Toolbar"));
    imgProgram->setPixmap(ProgramIcon().pixmap(QSize(48, 48), devicePixelRatioF()));
    imgProgram->setFixedSize(48, 48);

    auto *lblProductName = new QLabel(QStringLiteral("Torvane Toolbar"), this);
    lblProductName->setObjectName(QStringLiteral("lblProductName"));
    SetTag(lblProductName, QString());
    lblProductName->setAccessibleName(lblProductName->text());
    QFont titleFont = lblProductName->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblProductName->setFont(titleFont);

    auto *versionRow = new QHBoxLayout;
    versionRow->setSpacing(6);
    versionRow->addWidget(m_label1[0]);
    versionRow->addWidget(m_lblVersion);
    versionRow->addStretch(1);

    auto *titleColumn = new QVBoxLayout;
    titleColumn->setSpacing(2);
    titleColumn->addWidget(lblProductName);
    titleColumn->addLayout(versionRow);

    auto *header = new QHBoxLayout;
    header->setSpacing(14);
    header->addWidget(imgProgram, 0, Qt::AlignTop);
    header->addLayout(titleColumn, 1);
    return header;
}

void frmAbout::layoutControls(QLayout *header)
{
    auto *rule = new QFrame(this);
    rule->setObjectName(QStringLiteral("linRule"));
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *links = new QGridLayout;
    links->setHorizontalSpacing(12);
    links->setVerticalSpacing(8);
    links->addWidget(m_label1[1], 0, 0, 1, 2);
    links->addWidget(m_label1[2], 1, 0, 1, 2);
    links->setRowMinimumHeight(2, 6);
    links->addWidget(m_label1[4], 3, 0);
    links->addWidget(m_label1[5], 3, 1);
    links->addWidget(m_label1[6], 4, 0);
    links->addWidget(m_label1[7], 4, 1);
    links->addWidget(m_label1[3], 5, 0);
    links->addWidget(m_label1[8], 5, 1);
    links->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(12);
    layout->addLayout(header);
    layout->addWidget(rule);
    layout->addLayout(links);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // Links first in the tab order, then OK, which starts with the focus so
    // Enter closes the window at once.
    QWidget *previous = nullptr;
    for (int index : {1, 2, 5, 7, 8}) {
        if (previous)
            setTabOrder(previous, m_label1[index]);
        previous = m_label1[index];
    }
    setTabOrder(previous, m_cmdOk);
    m_cmdOk->setFocus();
}

void frmAbout::label1Click(int index)
{
    if (index < 0 || index >= m_label1.size())
        return;
    OpenLinkLabel(m_context, m_label1[index], index >= FirstCaptionLinkIndex, this);
}
