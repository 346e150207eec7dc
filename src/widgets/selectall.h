#pragma once
// Entry boxes whose whole text is selected when they gain the focus, so the
// next keystroke replaces it.

class QLineEdit;

// Selects the whole text of the box.
void SelectAllText(QLineEdit *box);

// Calls SelectAllText whenever the box gains the focus, by keyboard or by a
// mouse click (a click's own caret placement would otherwise undo it).
void SelectAllOnFocus(QLineEdit *box);
