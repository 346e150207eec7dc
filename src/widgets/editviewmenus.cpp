#include "widgets/editviewmenus.h"

#include "widgets/digitsnotation.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>
#include <iterator>

namespace {

QMenu *insertMenu(QMenuBar *menuBar, QAction *before, const char *name, const QString &caption)
{
    auto *menu = new QMenu(caption, menuBar);
    menu->setObjectName(QString::fromLatin1(name));
    menu->setAccessibleName(QString(caption).remove(u'&'));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    menuBar->insertMenu(before, menu);
    return menu;
}

} // namespace

EditViewMenus::EditViewMenus(QMenuBar *menuBar, DigitsNotation &format, QWidget *window)
    : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("editViewMenus"));
    QAction *first = menuBar->actions().value(0);
    m_editMenu = insertMenu(menuBar, first, "mnuEditMenu", QStringLiteral("&Edit"));
    m_viewMenu = insertMenu(menuBar, first, "mnuViewMenu", QStringLiteral("&View"));

    // Ctrl+C stays the focused box's own copy of its selected text.
    mnuEditCopyValue = addEntry(m_editMenu, "mnuEditCopyValue", QStringLiteral("Copy &Value"),
                                QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_C));
    mnuEditCopyValueUnit =
        addEntry(m_editMenu, "mnuEditCopyValueUnit", QStringLiteral("Copy Value &with Unit"),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_editMenu->addSeparator();
    mnuEditPaste = addEntry(m_editMenu, "mnuEditPaste", QStringLiteral("&Paste"), QKeySequence::Paste);

    // Up means more digits, as on the digits scroll bar.
    mnuViewMoreDigits = addEntry(m_viewMenu, "mnuViewMoreDigits", QStringLiteral("&More Digits"),
                                 QKeySequence(Qt::CTRL | Qt::Key_Up));
    mnuViewFewerDigits = addEntry(m_viewMenu, "mnuViewFewerDigits", QStringLiteral("&Fewer Digits"),
                                  QKeySequence(Qt::CTRL | Qt::Key_Down));
    m_viewMenu->addSeparator();
    mnuViewNotation = addEntry(m_viewMenu, "mnuViewNotation", QStringLiteral("&Scientific Notation"),
                               QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuViewNotation->setCheckable(true);

    const auto showDigits = [this](int digits) {
        mnuViewMoreDigits->setEnabled(digits < 7);
        mnuViewFewerDigits->setEnabled(digits > 1);
    };
    showDigits(format.digits());
    mnuViewNotation->setChecked(format.notation());
    connect(&format, &DigitsNotation::digitsShown, this, showDigits);
    connect(&format, &DigitsNotation::notationShown, mnuViewNotation, &QAction::setChecked);
    connect(mnuViewMoreDigits, &QAction::triggered, &format, [&format]() { format.stepDigits(1); });
    connect(mnuViewFewerDigits, &QAction::triggered, &format, [&format]() { format.stepDigits(-1); });
    connect(mnuViewNotation, &QAction::triggered, &format, &DigitsNotation::toggleNotation);

    // Every control that takes the focus, made now or later, lets the keys through.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        if (now && m_window->isAncestorOf(now))
            now->installEventFilter(this);
    });
}

QAction *EditViewMenus::addEntry(QMenu *menu, const char *name, const QString &caption,
                                 const QKeySequence &key)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

void EditViewMenus::addDecimalMarks()
{
    m_viewMenu->addSeparator();
    mnuViewDecimalPoint = addEntry(m_viewMenu, "mnuViewDecimalPoint", QStringLiteral("Decimal &Point"),
                                   QKeySequence(Qt::CTRL | Qt::Key_Period));
    mnuViewDecimalComma = addEntry(m_viewMenu, "mnuViewDecimalComma", QStringLiteral("Decimal &Comma"),
                                   QKeySequence(Qt::CTRL | Qt::Key_Comma));
    m_decimalMarks = new QActionGroup(this);
    for (QAction *mark : {mnuViewDecimalPoint, mnuViewDecimalComma}) {
        mark->setCheckable(true);
        m_decimalMarks->addAction(mark);
    }
}

void EditViewMenus::showDecimalPoint(bool point)
{
    if (m_decimalMarks)
        (point ? mnuViewDecimalPoint : mnuViewDecimalComma)->setChecked(true);
}

bool EditViewMenus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
        const QAction *entries[] = {mnuEditCopyValue,   mnuEditCopyValueUnit, mnuViewMoreDigits,
                                    mnuViewFewerDigits, mnuViewNotation,      mnuViewDecimalPoint,
                                    mnuViewDecimalComma};
        const bool ours = std::any_of(std::begin(entries), std::end(entries), [&](const QAction *entry) {
            return entry && entry->isEnabled() && entry->shortcut() == pressed;
        });
        if (ours) {
            event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
