#include "widgets/chrome.h"

#include "core/tags.h"
#include "widgets/artwork.h"
#include "widgets/helpwindow.h"
#include "widgets/picturebutton.h"
#include "widgets/tooltipsoption.h"
#include "widgets/windowlinks.h"

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

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&'));
}

} // namespace

void OpenHelpContents(QWidget *owner)
{
    HelpWindow::forOwner(owner)->showContents();
}

void AddHelpKey(QWidget *window, const QString &page)
{
    auto *key = new QAction(window);
    key->setObjectName(QStringLiteral("actHelpKey"));
    key->setShortcut(QKeySequence(Qt::Key_F1));
    key->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(key, &QAction::triggered, window, [window, page] {
        HelpWindow *help = HelpWindow::forOwner(window);
        help->showContents();
        help->showPage(page);
    });
    window->addAction(key);
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
