#include "widgets/chrome.h"

#include "widgets/windowlinks.h"
#include "widgets/artwork.h"
#include "widgets/helpwindow.h"
#include "core/tags.h"
#include "widgets/tooltipsoption.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QSignalBlocker>
#include <QTimer>
#include <QUrl>

#include <exception>

namespace {

UrlOpener &testOpener()
{
    static UrlOpener opener;
    return opener;
}

// The hourglass for as long as the link is being handed over, whatever way
// the hand-over ends.
class BusyCursor
{
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY(BusyCursor)
};

// Why target cannot be opened, or empty when it is a usable link. A usable
// link parses strictly and names its scheme (http:, mailto:, ...).
QString invalidLinkReason(const QString &target, QUrl *url)
{
    if (target.trimmed().isEmpty())
        return QStringLiteral("The link is empty.");
    *url = QUrl(target.trimmed(), QUrl::StrictMode);
    if (!url->isValid())
        return QStringLiteral("\"%1\" is not a valid link: %2").arg(target, url->errorString());
    if (url->isRelative())
        return QStringLiteral("\"%1\" is not a link: it names no scheme such as http: or mailto:.")
            .arg(target);
    return {};
}

bool isActivationKey(const QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    return plain &&
           (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space);
}

// Keeps a box's whole text selected when it gains the focus.
class SelectAllOnFocusFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn) {
            auto *box = static_cast<QLineEdit *>(watched);
            SelectAllText(box);
            // A mouse click places the caret after the focus arrives.
            if (static_cast<QFocusEvent *>(event)->reason() == Qt::MouseFocusReason)
                QTimer::singleShot(0, box, [box]() { SelectAllText(box); });
        }
        return false;
    }
};

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

} // namespace

bool ShellHyperlink(const QString &target)
{
    bool result = false;
    int errNumber = 0;
    QString errDesc;
    {
        BusyCursor busy;
        QUrl url;
        errDesc = invalidLinkReason(target, &url);
        if (!errDesc.isEmpty()) {
            errNumber = InvalidLinkError;
        } else {
            try {
                result = testOpener() ? testOpener()(url) : QDesktopServices::openUrl(url);
            } catch (const std::exception &error) {
                errNumber = LinkOpenerError;
                errDesc = QString::fromLocal8Bit(error.what());
            } catch (...) {
                errNumber = LinkOpenerError;
                errDesc = QStringLiteral("The link could not be handed to the desktop.");
            }
        }
    }
    // The cursor is back to normal before the report window opens.
    if (errNumber != 0) {
        ReportError(errNumber, errDesc, QString::fromLatin1(ShellHyperlinkProc));
        return false;
    }
    return result;
}

void SetUrlOpenerForTesting(UrlOpener opener)
{
    testOpener() = std::move(opener);
}

bool OpenLink(const QString &target, QWidget *messageParent)
{
    if (ShellHyperlink(target))
        return true;
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Hyperlink Aborted"),
                    QStringLiteral("Unable to open hyperlink at this time."), QMessageBox::Ok, messageParent);
    box.setObjectName(QStringLiteral("msgHyperlinkAborted"));
    box.exec();
    return false;
}

QString LinkLabelTarget(const QString &protocol, const QString &caption, bool appendCaption)
{
    if (protocol.isEmpty())
        return {};
    return appendCaption ? protocol + caption : protocol;
}

void OpenLinkLabel(QLabel *label, bool appendCaption, QWidget *messageParent)
{
    if (!label)
        return;
    const QString target =
        LinkLabelTarget(GetTagValue(label, QStringLiteral("Protocol")), label->text(), appendCaption);
    if (target.isEmpty())
        return;
    OpenLink(target, messageParent ? messageParent : label->window());
}

void SelectAllText(QLineEdit *box)
{
    if (!box)
        return;
    box->setSelection(0, int(box->text().length()));
}

void SelectAllOnFocus(QLineEdit *box)
{
    if (box)
        box->installEventFilter(new SelectAllOnFocusFilter(box));
}

void OpenHelpContents(QWidget *owner)
{
    HelpWindow::forOwner(owner)->showContents();
}

// ---------------------------------------------------------------------------

LinkLabel::LinkLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
    setAccessibleName(text);
    setLinkAppearance(false);
}

void LinkLabel::setLinkAppearance(bool link)
{
    m_link = link;
    setFocusPolicy(link ? Qt::StrongFocus : Qt::NoFocus);
    if (link) {
        setCursor(Qt::PointingHandCursor);
        QPalette pal = palette();
        pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
        setPalette(pal);
    } else {
        unsetCursor();
        setPalette(QPalette());
    }
    updateUnderline();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (m_link && isActivationKey(event)) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void LinkLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    updateUnderline();
}

void LinkLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    updateUnderline();
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    m_hovered = true;
    updateUnderline();
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    m_hovered = false;
    updateUnderline();
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_link || !hasFocus())
        return;
    // A dotted frame around the text itself, not the whole cell of the layout.
    const int flags = int(alignment()) | (wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect textRect = fontMetrics().boundingRect(contentsRect(), flags, text()).adjusted(-2, -1, 1, 0) &
                           rect().adjusted(0, 0, -1, -1);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(textRect);
}

void LinkLabel::updateUnderline()
{
    QFont f = font();
    const bool underline = m_link && (m_hovered || hasFocus());
    if (f.underline() != underline) {
        f.setUnderline(underline);
        setFont(f);
    }
}

// ---------------------------------------------------------------------------

CalculatorMenus::CalculatorMenus(QMenuBar *menuBar, QWidget *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("calculatorMenus"));

    auto addMenu = [menuBar](const QString &name, const QString &caption) {
        QMenu *menu = menuBar->addMenu(caption);
        menu->setObjectName(name);
        menu->setAccessibleName(withoutMnemonic(caption));
        menu->menuAction()->setObjectName(name);
        return menu;
    };
    auto addAction = [](QMenu *menu, const QString &name, const QString &caption) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };

    m_optionsMenu = addMenu(QStringLiteral("mnuOptions"), QStringLiteral("&Options"));
    mnuOptions = m_optionsMenu->menuAction();
    mnuOptionsSelectLanguage = addAction(m_optionsMenu, QStringLiteral("mnuOptionsSelectLanguage"),
                                         QStringLiteral("Select &Language"));
    mnuOptionsTooltips =
        addAction(m_optionsMenu, QStringLiteral("mnuOptionsTooltips"), QStringLiteral("Tooltips"));
    mnuOptionsTooltips->setCheckable(true);
    mnuOptionsTooltips->setChecked(true);
    mnuOptionsSelectWallpaper = addAction(m_optionsMenu, QStringLiteral("mnuOptionsSelectWallpaper"),
                                          QStringLiteral("Select &Wallpaper"));

    m_helpMenu = addMenu(QStringLiteral("mnuHelp"), QStringLiteral("&Help"));
    mnuHelp = m_helpMenu->menuAction();
    mnuHelpContents = addAction(m_helpMenu, QStringLiteral("mnuHelpContents"), QStringLiteral("&Contents"));
    mnuHelpContents->setShortcut(QKeySequence::HelpContents);
    mnuHelpSearch =
        addAction(m_helpMenu, QStringLiteral("mnuHelpSearch"), QStringLiteral("&Search For Help On..."));
    mnuHelpSearch->setVisible(false);
    mnuHelpBreak = m_helpMenu->addSeparator();
    mnuHelpBreak->setObjectName(QStringLiteral("mnuHelpBreak"));
    mnuHelpAboutToolbar = addAction(m_helpMenu, QStringLiteral("mnuHelpAboutToolbar"),
                                    QStringLiteral("&About Torvane Toolbar"));

    for (QAction *action :
         {mnuOptions, mnuOptionsSelectLanguage, mnuOptionsTooltips, mnuOptionsSelectWallpaper, mnuHelp,
          mnuHelpContents, mnuHelpSearch, mnuHelpBreak, mnuHelpAboutToolbar})
        SetTag(action, QString());

    connect(mnuHelpContents, &QAction::triggered, this, [this]() {
        OpenHelpContents(m_window);
        emit helpContentsDone();
    });
    connect(mnuHelpAboutToolbar, &QAction::triggered, this, [this]() {
        WindowLinks::showAbout(m_window);
        emit aboutDone();
    });
    connect(mnuOptionsTooltips, &QAction::triggered, this, &CalculatorMenus::onTooltipsTriggered);
}

void CalculatorMenus::setOffsetTags(const Offsets &offsets)
{
    const std::pair<QAction *, int> entries[] = {
        {mnuOptions, offsets.options},
        {mnuOptionsSelectLanguage, offsets.selectLanguage},
        {mnuOptionsTooltips, offsets.tooltips},
        {mnuOptionsSelectWallpaper, offsets.selectWallpaper},
        {mnuHelp, offsets.help},
        {mnuHelpContents, offsets.helpContents},
        {mnuHelpSearch, offsets.helpSearch},
        {mnuHelpAboutToolbar, offsets.helpAboutToolbar},
    };
    for (const auto &[action, offset] : entries)
        SetTag(action, offset != 0 ? QStringLiteral("Offset=%1;").arg(offset) : QString());
}

void CalculatorMenus::onTooltipsTriggered(bool checkedByMenu)
{
    // The menu has already flipped the check mark; put it back so the one
    // toggle of the Tooltips option decides the new state.
    {
        const QSignalBlocker blocker(mnuOptionsTooltips);
        mnuOptionsTooltips->setChecked(!checkedByMenu);
    }
    ToggleTooltipsOption(mnuOptionsTooltips);
    const bool checked = mnuOptionsTooltips->isChecked();
    ApplyTagHints(m_window, checked);
    emit tooltipsToggled(checked);
}

// ---------------------------------------------------------------------------

LogoButton::LogoButton(QWidget *parent)
    : PictureButton(QStringLiteral("logo"), QString(), QSize(165, 36), parent)
{
    setObjectName(QStringLiteral("imgLogo"));
    SetTag(this, QString());
    setAccessibleName(QStringLiteral("Velmora"));
    setAccessibleDescription(QStringLiteral("Opens About Velmora"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, &LogoButton::openCompanyInfo);
}

void LogoButton::openCompanyInfo()
{
    WindowLinks::showCompanyInfo(window());
    emit companyInfoClosed();
}
