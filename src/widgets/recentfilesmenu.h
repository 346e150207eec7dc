#pragma once
// File > Open Recent: the files kept in the settings, most recent first,
// listed afresh each time the menu opens, with Clear list at the end; the
// menu is disabled while the list is empty.

#include <QMenu>

#include <functional>

class Settings;

class RecentFilesMenu : public QMenu
{
public:
    // open is handed the path of the entry chosen.
    RecentFilesMenu(Settings &settings, std::function<void(const QString &)> open, QWidget *parent);

    // A file opened or saved goes to the top of the list.
    void remember(const QString &path);
    // A file found gone is taken off the list.
    void forget(const QString &path);

private:
    void listFiles();
    void keep(const QStringList &files);

    Settings &m_settings;
    std::function<void(const QString &)> m_open;
};
