#include "widgets/recentfilesmenu.h"

#include "core/recentfiles.h"
#include "core/settingsstore.h"

#include <QDir>
#include <QFileInfo>

RecentFilesMenu::RecentFilesMenu(Settings &settings, std::function<void(const QString &)> open,
                                 QWidget *parent)
    : QMenu(QStringLiteral("Open &Recent"), parent), m_settings(settings), m_open(std::move(open))
{
    setObjectName(QStringLiteral("mnuFileRecent"));
    // Built as the menu opens: an entry must not be deleted while it is
    // being triggered.
    connect(this, &QMenu::aboutToShow, this, &RecentFilesMenu::listFiles);
    menuAction()->setEnabled(!m_settings.recentFiles().isEmpty());
}

void RecentFilesMenu::remember(const QString &path)
{
    keep(AddRecentFile(m_settings.recentFiles(), path));
}

void RecentFilesMenu::forget(const QString &path)
{
    keep(RemoveRecentFile(m_settings.recentFiles(), path));
}

void RecentFilesMenu::keep(const QStringList &files)
{
    m_settings.setRecentFiles(files);
    menuAction()->setEnabled(!files.isEmpty());
}

void RecentFilesMenu::listFiles()
{
    clear();
    const QStringList files = m_settings.recentFiles();
    const auto plain = [](QString text) { return text.replace(u'&', QStringLiteral("&&")); };
    for (int k = 0; k < files.size(); ++k) {
        const QFileInfo file(files.at(k));
        QAction *action =
            addAction(QStringLiteral("&%1  %2  (%3)")
                          .arg(k + 1)
                          .arg(plain(file.fileName()), plain(QDir::toNativeSeparators(file.path()))));
        action->setObjectName(QStringLiteral("mnuFileRecent%1").arg(k + 1));
        action->setToolTip(QDir::toNativeSeparators(files.at(k)));
        connect(action, &QAction::triggered, this, [this, path = files.at(k)]() { m_open(path); });
    }
    addSeparator();
    QAction *clearList = addAction(QStringLiteral("&Clear list"));
    clearList->setObjectName(QStringLiteral("mnuFileRecentClear"));
    clearList->setEnabled(!files.isEmpty());
    connect(clearList, &QAction::triggered, this, [this]() { keep({}); });
}
