#pragma once
// The help window: a contents list beside the page, from pages compiled in
// under ":/help/". One window per owner, a non-modal child of it, so it can be
// read beside a modal calculator and closes with it.

#include <QWidget>

class QListWidget;
class QTextBrowser;
class QToolButton;
class QUrl;
class WindowContext;

class HelpWindow : public QWidget
{
    Q_OBJECT
public:
    // owner may be null: the window then stands alone. Either way it deletes itself when closed.
    HelpWindow(WindowContext &context, QWidget *owner);

    // owner's help window, made when none is open; a null owner shares the
    // context's one window.
    static HelpWindow *forOwner(WindowContext &context, QWidget *owner);

    // Shows, raises and activates the window on the home page.
    void showContents();
    // Shows a page by file name, optionally with "#anchor"; false (and the
    // current page stays) when the help has no such page.
    bool showPage(const QString &page);
    // File name of the page shown ("index.html").
    QString currentPage() const;

private:
    void connectEvents();
    void fillContents();
    void followLink(const QUrl &link);
    void syncContentsSelection(const QUrl &source);

    WindowContext &m_context;
    QListWidget *m_contents;
    QTextBrowser *m_page;
    QToolButton *m_back;
    QToolButton *m_forward;
    QToolButton *m_home;
};
