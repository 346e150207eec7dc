#include "widgets/numericedit.h"

#include "units/clipboardtext.h"
#include "units/conversiontable.h"
#include "units/numberformat.h"
#include "units/numericentry.h"

#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QToolTip>

namespace {

// A pasted text as a message quotes it: one line, not too long.
QString quoted(const QString &text)
{
    QString line = text.simplified();
    if (line.size() > 24)
        line = line.left(23) + QChar(0x2026);
    return QChar(0x201C) + line + QChar(0x201D);
}

bool isNumber(const QString &text)
{
    const LocaleNumber number = ReadLocaleNumber(text);
    return number.value || number.outOfRange;
}

// The clipboard format that carries the decimal mark of a number text the
// program wrote.
const QString DecimalMarkFormat = QStringLiteral("application/x-torvane-decimal-mark");

// Why a paste was refused, as the box says it.
QString refusal(const PasteReading &reading, const QString &pasted)
{
    const QString detail = quoted(reading.detail);
    switch (reading.problem) {
    case PasteProblem::None:
        break;
    case PasteProblem::Nothing:
        return NumericEdit::tr("Nothing to paste");
    case PasteProblem::NotANumber:
        return NumericEdit::tr("Not a number: %1").arg(quoted(pasted));
    case PasteProblem::TwoReadings:
        return NumericEdit::tr("%1 could be read two ways (is the mark a decimal mark or a thousands "
                               "separator?): type the number")
            .arg(detail);
    case PasteProblem::TwoNumbers:
        return NumericEdit::tr("More than one number: %1 follows the first").arg(detail);
    case PasteProblem::UnknownUnit:
        return NumericEdit::tr("Unknown unit: %1").arg(detail);
    case PasteProblem::TextAfterUnit:
        return NumericEdit::tr("Text after the unit: %1").arg(detail);
    case PasteProblem::UnitNotOffered:
        if (reading.unit)
            return NumericEdit::tr("Unit %1 (%2) not offered here")
                .arg(detail, reading.unit->unitType.trimmed());
        return NumericEdit::tr("Unit %1 not offered here: this box takes a number only").arg(detail);
    }
    return {};
}

} // namespace

void SetNumberClipboardText(const QString &text, QChar decimalMark)
{
    auto *data = new QMimeData;
    data->setText(text);
    data->setData(DecimalMarkFormat, QString(decimalMark).toUtf8());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
}

QChar ClipboardTextDecimalMark(QClipboard::Mode mode)
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(mode);
    const QString mark = data ? QString::fromUtf8(data->data(DecimalMarkFormat)) : QString();
    return mark == QLatin1String(".") || mark == QLatin1String(",") ? mark.at(0) : QChar();
}

NumericEdit::NumericEdit(QWidget *parent) : QLineEdit(parent)
{
    setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    setAcceptDrops(false);
}

void NumericEdit::setPasteUnits(const ConversionTableData &table, UnitOffered offered, UnitSelect select)
{
    m_unitTable = &table;
    m_unitOffered = std::move(offered);
    m_unitSelect = std::move(select);
}

void NumericEdit::setUnitList(const ConversionTableData &table, QComboBox *list)
{
    setPasteUnits(
        table,
        [list](const PastedUnit &unit) {
            return list->isEnabled() && list->findText(unit.unitToSelect) >= 0;
        },
        [list](const PastedUnit &unit) { list->setCurrentIndex(list->findText(unit.unitToSelect)); });
}

void NumericEdit::typeCharacter(QChar character)
{
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const QChar separator = LocaleDecimalSeparator();
    const ushort accepted = FilterNumericKey(character.unicode(), text(), caret, selectedText(), separator);
    // A second decimal mark is refused aloud: dropped silently, "1.234,5"
    // typed would read 1.2345 without a word.
    switch (WhyNumericKeyRefused(character.unicode(), text(), caret, selectedText(), separator)) {
    case NumericKeyRefusal::None:
        break;
    case NumericKeyRefusal::SecondDecimalMark:
        tell(tr("One decimal mark only: the number has its %1 already").arg(quoted(QString(separator))));
        break;
    case NumericKeyRefusal::DecimalMarkInExponent:
        tell(tr("No decimal mark in the exponent"));
        break;
    }
    // Tab and Backspace pass the filter but are keys, not text.
    if (accepted != 0 && QChar(accepted).isPrint())
        insert(QString(QChar(accepted)));
}

bool NumericEdit::pasteNumber(const QString &pasted, QChar textDecimalMark)
{
    m_pasteMessage.clear();
    if (isReadOnly() || !isEnabled())
        return false;
    const PasteReading reading =
        ReadPastedText(pasted, LocaleDecimalSeparator(), m_unitTable, m_unitOffered, textDecimalMark);
    if (reading.problem != PasteProblem::None) {
        tell(refusal(reading, pasted));
        return false;
    }
    const ClipboardParts *parts = &reading.parts;
    // Without a selection the number replaces the box's: slipped in at the
    // caret, "25" pasted into "0.0" would silently read 250.
    if (!hasSelectedText())
        selectAll();
    const int start = hasSelectedText() ? selectionStart() : 0; // an empty box selects nothing
    const QString result = QString(text()).replace(start, selectedText().size(), parts->numberText);
    if (!isNumber(result)) {
        tell(tr("%1 here would not make a number").arg(quoted(parts->numberText)));
        return false;
    }
    insert(parts->numberText); // replaces the selection, and can be undone
    if (reading.unit && m_unitSelect)
        m_unitSelect(*reading.unit);
    return true;
}

void NumericEdit::pasteFromClipboard(bool selection)
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const bool fromSelection = selection && clipboard->supportsSelection();
    const QClipboard::Mode mode = fromSelection ? QClipboard::Selection : QClipboard::Clipboard;
    pasteNumber(clipboard->text(mode), ClipboardTextDecimalMark(mode));
}

void NumericEdit::tell(const QString &message)
{
    // Brief and at the box, not a window the user must dismiss.
    m_pasteMessage = message;
    QToolTip::showText(mapToGlobal(QPoint(0, height())), message, this, rect(), 4000);
}

void NumericEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste) ||
        (event->key() == Qt::Key_Insert && event->modifiers() == Qt::ShiftModifier)) {
        event->accept();
        pasteFromClipboard(false);
        return;
    }
    const QString text = event->text();
    // Navigation and editing keys carry no character; Enter, Escape,
    // Backspace and Delete keep their usual meaning; other shortcuts (copy,
    // cut, select all, undo) pass.
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
    const bool copyable = hasSelectedText() && echoMode() == Normal;
    add(tr("&Undo"), QKeySequence::Undo, editable && isUndoAvailable(), [this]() { undo(); });
    add(tr("&Redo"), QKeySequence::Redo, editable && isRedoAvailable(), [this]() { redo(); });
    menu->addSeparator();
    add(tr("Cu&t"), QKeySequence::Cut, editable && copyable, [this]() { cut(); });
    add(tr("&Copy"), QKeySequence::Copy, copyable, [this]() { copy(); });
    add(tr("&Paste"), QKeySequence::Paste, editable && !QGuiApplication::clipboard()->text().isEmpty(),
        [this]() { pasteFromClipboard(false); });
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
    // Middle click pastes the selection through the number reader, not past
    // it, over the whole number as the focus selects it.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        setFocus(Qt::MouseFocusReason);
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void NumericEdit::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        pasteFromClipboard(true);
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
