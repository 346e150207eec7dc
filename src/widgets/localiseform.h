#pragma once
// Captions from the string table, selected by the "FormOffset" tag of a window
// and the "Offset" tags of its controls and menu actions.

class QObject;
class QWidget;
#include <QList>
#include <QtGlobal>

// Sets the window title and, in creation order, the caption (text/title) of
// every widget and action whose tag has an "Offset" entry. Always true.
// F = leading number of the window's "FormOffset"; 0 leaves the window
// untouched. A control gets string languageOffset + F + its Offset (missing
// ids under the offset fall back to the base language). An id sum outside 16
// bits, a value that does not fit 16 bits or an id missing from the table
// keeps the designed caption. Captions: QLabel/QAbstractButton text, QGroupBox
// and QMenu title, QAction text; a QMenu may carry the tag itself or on its
// menuAction(). Other kinds of widget are left alone.
bool LocaliseForm(QWidget *window, qint16 languageOffset);

// The window's controls and actions in creation order: depth-first over the
// widget tree in child order; each widget's actions (the window's own, menu
// bar, menu and tool bar entries) right after it, a submenu's entries right
// after its menu action. The window itself is not listed; nothing is listed twice.
QList<QObject *> WindowControls(QWidget *window);
