#include "infowin/frmcompanyinfo.h"

#include "core/tags.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/linklabel.h"
#include "widgets/shellhyperlink.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString WebProtocol = QStringLiteral("Protocol=http://;");

const char BrandParagraph[] =
    "For more than forty years Velmora has designed and built mechanical motion technology for machine "
    "builders around the world. Our linear motion products, from guides and slides to actuators and ball "
    "screws, come as standard catalogue products or as modified products made to your drawing. Where neither "
    "fits, our engineers work with you on complete design solutions, from the first sizing calculation to "
    "the "
    "finished assembly.";

LinkLabel *makeLabel1(QWidget *parent, int index, const QString &caption)
{
    auto *label = new LinkLabel(caption, parent);
    label->setObjectName(QStringLiteral("Label1_%1").arg(index));
    label->setProperty("index", index);
    SetTag(label, WebProtocol);
    return label;
}

} // namespace

frmCompanyInfo::frmCompanyInfo(WindowContext &context, QWidget *parent) : QDialog(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmCompanyInfo"));
    KeepWindowPlace(context.settings(), this);
    AddHelpKey(context, this, QStringLiteral("about.html#velmora"));
    SetTag(this, QStringLiteral("FormOffset=1700;"));
    setWindowTitle(QStringLiteral("About Velmora"));
    setWindowIcon(ProgramIcon());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(pal);

    auto *imgBrand = new QLabel(this);
    imgBrand->setObjectName(QStringLiteral("imgBrand"));
    SetTag(imgBrand, QString());
    imgBrand->setAccessibleName(QStringLiteral("Velmora"));
    imgBrand->setPixmap(ArtPixmap(QStringLiteral("logo"), QSize(330, 72), devicePixelRatioF()));
    imgBrand->setFixedSize(330, 72);

    auto *label8 = new QLabel(QString::fromUtf8(BrandParagraph), this);
    label8->setObjectName(QStringLiteral("Label8"));
    SetTag(label8, QString());
    label8->setAccessibleName(label8->text());
    label8->setWordWrap(true);
    label8->setTextFormat(Qt::PlainText);

    // The heading keeps the default colour but opens the same address as the
    // link under it.
    m_label1Heading = makeLabel1(this, 0, QStringLiteral("Visit our website at"));
    m_label1Heading->setCursor(Qt::PointingHandCursor);
    m_label1Address = makeLabel1(this, 5, QStringLiteral("www.velmora.example"));
    m_label1Address->setLinkAppearance(true);
    m_label1Address->setToolTip(QStringLiteral("http://www.velmora.example"));
    QFont addressFont = m_label1Address->font();
    addressFont.setPointSizeF(addressFont.pointSizeF() * 1.15);
    m_label1Address->setFont(addressFont);
    connect(m_label1Heading, &LinkLabel::clicked, this, [this]() { label1Click(0); });
    connect(m_label1Address, &LinkLabel::clicked, this, [this]() { label1Click(5); });

    m_cmdOk = new QPushButton(QStringLiteral("&OK"), this);
    m_cmdOk->setObjectName(QStringLiteral("cmdOk"));
    SetTag(m_cmdOk, QStringLiteral("Offset=7;"));
    m_cmdOk->setAccessibleName(QStringLiteral("OK"));
    m_cmdOk->setDefault(true);
    m_cmdOk->setMinimumWidth(88);
    connect(m_cmdOk, &QPushButton::clicked, this, &QDialog::accept);

    auto *web = new QVBoxLayout;
    web->setSpacing(2);
    web->addWidget(m_label1Heading, 0, Qt::AlignHCenter);
    web->addWidget(m_label1Address, 0, Qt::AlignHCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOk);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(22, 18, 22, 14);
    layout->setSpacing(14);
    layout->addWidget(imgBrand, 0, Qt::AlignHCenter);
    layout->addWidget(label8);
    layout->addLayout(web);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabOrder(m_label1Address, m_cmdOk);
    m_cmdOk->setFocus();
    resize(480, 330);
}

void frmCompanyInfo::label1Click(int index)
{
    if (index != 0 && index != 5)
        return;
    // Both labels carry "Protocol=http://;"; the heading's own caption would
    // make "http://Visit our website at", so it borrows the address.
    OpenLinkLabel(m_context, m_label1Address, true, this);
}
