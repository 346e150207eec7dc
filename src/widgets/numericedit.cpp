#include "widgets/numericedit.h"

#include "units/numericentry.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>

NumericEdit::NumericEdit(QWidget *parent) : QLineEdit(parent)
{
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    setAcceptDrops(false);
}

void NumericEdit::typeCharacter(QChar character)
{
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const ushort accepted = FilterNumericKey(character.unicode(), text(), caret, selectedText());
    // Tab and Backspace pass the filter but are keys, not text.
    if (accepted != 0 && QChar(accepted).isPrint())
        insert(QString(QChar(accepted)));
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    // Navigation and editing keys carry no character; Enter, Escape,
    // Backspace and Delete keep their usual meaning; other shortcuts (copy,
    // select all, undo) pass.
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control ||
        (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    // Composed multi-character input never makes a number key.
    if (text.size() == 1)
        typeCharacter(text.at(0));
}

void NumericEdit::inputMethodEvent(QInputMethodEvent *event)
{
    // Composition text is never shown in the box; a commit is typed one
    // character at a time through the filter.
    const QString commit = event->commitString();
    QInputMethodEvent cleared;
    QLineEdit::inputMethodEvent(&cleared);
    for (const QChar character : commit)
        typeCharacter(character);
    event->accept();
}

QMenu *NumericEdit::createNumericContextMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("mnuNumberEdit"));
    auto add = [menu](const QString &caption, const QKeySequence &keys, bool enabled, auto slot) {
        QAction *action = menu->addAction(
            caption + (keys.isEmpty() ? QString() : u'\t' + keys.toString(QKeySequence::NativeText)));
        action->setEnabled(enabled);
        QObject::connect(action, &QAction::triggered, menu, slot);
        return action;
    };
    const bool editable = !isReadOnly();
    add(tr("&Undo"), QKeySequence::Undo, editable && isUndoAvailable(), [this]() { undo(); });
    add(tr("&Redo"), QKeySequence::Redo, editable && isRedoAvailable(), [this]() { redo(); });
    menu->addSeparator();
    add(tr("&Copy"), QKeySequence::Copy, hasSelectedText() && echoMode() == Normal, [this]() { copy(); });
    add(tr("Delete"), QKeySequence(), editable && hasSelectedText(), [this]() { del(); });
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, !text().isEmpty(), [this]() { selectAll(); });
    return menu;
}

void NumericEdit::contextMenuEvent(QContextMenuEvent *event)
{
    // The window may close while the menu runs its own event loop, taking
    // the menu (a child of this box) with it; the guard never deletes it twice.
    const QPointer<QMenu> menu = createNumericContextMenu();
    menu->exec(event->globalPos());
    if (menu)
        menu->deleteLater();
}

void NumericEdit::mousePressEvent(QMouseEvent *event)
{
    // Middle click would paste the selection past the filter.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void NumericEdit::dragEnterEvent(QDragEnterEvent *event)
{
    event->ignore();
}

void NumericEdit::dropEvent(QDropEvent *event)
{
    event->ignore();
}
