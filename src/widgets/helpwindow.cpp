#include "widgets/helpwindow.h"

#include "core/tags.h"
#include "widgets/artwork.h"
#include "widgets/helppages.h"
#include "widgets/shellhyperlink.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString HelpRoot = QStringLiteral(":/help/");
constexpr int FileNameRole = Qt::UserRole;

QUrl pageUrl(const QString &fileName)
{
    return QUrl(QStringLiteral("qrc") + HelpRoot + fileName);
}

// Pages as compiled in, with the data files' places on this computer filled in.
class HelpBrowser : public QTextBrowser
{
public:
    HelpBrowser(const ProgramContext &context, QWidget *parent) : QTextBrowser(parent), m_context(context) {}

    QVariant loadResource(int type, const QUrl &name) override
    {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || resource.userType() != QMetaType::QByteArray)
            return resource;
        return FillDataFilePaths(QString::fromUtf8(resource.toByteArray()), [this](const QString &file) {
            return file == QLatin1String("converts.dat") ? m_context.readOnlyFile(file)
                                                         : m_context.userFileLocation(file);
        });
    }

private:
    const ProgramContext &m_context;
};

QToolButton *makeToolButton(QWidget *parent, const QString &name, const QString &caption, const QString &hint,
                            QStyle::StandardPixmap icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    SetTag(button, QString());
    button->setText(caption);
    button->setToolTip(hint);
    button->setAccessibleName(caption);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    return button;
}

} // namespace

HelpWindow::HelpWindow(WindowContext &context, QWidget *owner)
    : QWidget(owner, Qt::Window), m_context(context)
{
    setObjectName(QStringLiteral("frmHelp"));
    KeepWindowPlace(context.settings(), this);
    SetTag(this, QString());
    setWindowTitle(QStringLiteral("Torvane Toolbar Help"));
    setWindowIcon(ProgramIcon());
    // Closed, it lets go of its window picture and pages; the next open makes it anew.
    setAttribute(Qt::WA_DeleteOnClose);

    m_back = makeToolButton(this, QStringLiteral("cmdHelpBack"), QStringLiteral("Back"),
                            QStringLiteral("Previous page (Alt+Left)"), QStyle::SP_ArrowBack);
    m_forward = makeToolButton(this, QStringLiteral("cmdHelpForward"), QStringLiteral("Forward"),
                               QStringLiteral("Next page (Alt+Right)"), QStyle::SP_ArrowForward);
    m_home = makeToolButton(this, QStringLiteral("cmdHelpHome"), QStringLiteral("Contents"),
                            QStringLiteral("Getting started (Alt+Home)"), QStyle::SP_DirHomeIcon);
    m_back->setShortcut(QKeySequence::Back);
    m_forward->setShortcut(QKeySequence::Forward);
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));

    m_contents = new QListWidget(this);
    m_contents->setObjectName(QStringLiteral("lstHelpContents"));
    SetTag(m_contents, QString());
    m_contents->setAccessibleName(QStringLiteral("Help contents"));
    m_contents->setSpacing(1);

    m_page = new HelpBrowser(context, this);
    m_page->setObjectName(QStringLiteral("txtHelpPage"));
    SetTag(m_page, QString());
    m_page->setAccessibleName(QStringLiteral("Help page"));
    m_page->setOpenLinks(false);
    m_page->setSearchPaths({HelpRoot});

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("splHelp"));
    splitter->addWidget(m_contents);
    splitter->addWidget(m_page);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 610});
    splitter->setChildrenCollapsible(false);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addWidget(m_back);
    buttons->addWidget(m_forward);
    buttons->addWidget(m_home);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);

    setTabOrder(m_contents, m_page);
    resize(820, 580);

    connectEvents();

    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    fillContents();
    // The contents list is as wide as its longest title, so none is cut off.
    const int contentsWidth = m_contents->sizeHintForColumn(0) + 2 * m_contents->frameWidth() +
                              m_contents->verticalScrollBar()->sizeHint().width() + 8;
    if (contentsWidth > splitter->sizes().value(0)) {
        splitter->setSizes({contentsWidth, 610});
        resize(contentsWidth + 630, height());
    }
    showPage(QString::fromLatin1(HelpHomePage));
}

// The history buttons, the contents list, links in a page and Escape.
void HelpWindow::connectEvents()
{
    connect(m_back, &QToolButton::clicked, m_page, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_page, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, [this]() { showPage(QString::fromLatin1(HelpHomePage)); });
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_page, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::syncContentsSelection);
    connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *item) {
        if (item && item->data(FileNameRole).toString() != currentPage())
            showPage(item->data(FileNameRole).toString());
    });
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

HelpWindow *HelpWindow::forOwner(WindowContext &context, QWidget *owner)
{
    if (!owner) {
        if (!context.sharedHelp)
            context.sharedHelp = new HelpWindow(context, nullptr);
        return static_cast<HelpWindow *>(context.sharedHelp.data());
    }
    if (auto *existing = owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly))
        return existing;
    return new HelpWindow(context, owner);
}

void HelpWindow::showContents()
{
    showPage(QString::fromLatin1(HelpHomePage));
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_contents->setFocus();
}

bool HelpWindow::showPage(const QString &page)
{
    const QUrl url(page);
    if (!QFile::exists(HelpRoot + url.path()))
        return false;
    QUrl target = pageUrl(url.path());
    target.setFragment(url.fragment());
    m_page->setSource(target, QTextDocument::HtmlResource);
    return true;
}

QString HelpWindow::currentPage() const
{
    return m_page->source().fileName();
}

void HelpWindow::fillContents()
{
    QList<HelpPageEntry> pages;
    // Filtered here rather than by a name filter, which would compile a
    // regular expression engine into memory for one pattern.
    const QStringList files = QDir(HelpRoot).entryList(QDir::Files);
    for (const QString &fileName : files) {
        if (!fileName.endsWith(QLatin1String(".html"), Qt::CaseInsensitive))
            continue;
        QFile file(HelpRoot + fileName);
        if (file.open(QIODevice::ReadOnly))
            pages.append(ReadHelpPageEntry(fileName, QString::fromUtf8(file.readAll())));
    }
    for (const HelpPageEntry &entry : SortHelpContents(pages)) {
        auto *item = new QListWidgetItem(entry.title, m_contents);
        item->setData(FileNameRole, entry.fileName);
    }
}

void HelpWindow::followLink(const QUrl &link)
{
    if (!IsHelpPageLink(link)) {
        OpenLink(m_context, link.toString(), this);
        return;
    }
    if (link.path().isEmpty()) {
        m_page->scrollToAnchor(link.fragment());
        return;
    }
    // A link to a page the help does not have leaves the current page shown.
    const QUrl resolved = m_page->source().resolved(link);
    QString page = resolved.fileName();
    if (resolved.hasFragment())
        page += QLatin1Char('#') + resolved.fragment();
    showPage(page);
}

void HelpWindow::syncContentsSelection(const QUrl &source)
{
    // The browser announces the new source before source() returns it.
    const QString page = source.fileName();
    for (int row = 0; row < m_contents->count(); ++row) {
        if (m_contents->item(row)->data(FileNameRole).toString() == page) {
            const QSignalBlocker blocker(m_contents);
            m_contents->setCurrentRow(row);
            return;
        }
    }
    const QSignalBlocker blocker(m_contents);
    m_contents->setCurrentRow(-1);
}
