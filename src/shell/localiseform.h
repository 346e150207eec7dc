#pragma once
// Captions from the string table, selected by the "FormOffset" tag of a window
// and the "Offset" tags of its controls and menu actions.

class QWidget;
#include <QtGlobal>

// Sets the window title and, in creation order, the caption (text/title) of
// every widget and action whose tag has an "Offset" entry. Always true.
bool LocaliseForm(QWidget *window, qint16 languageOffset);
