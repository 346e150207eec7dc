#pragma once
// The significant digits (1 to 7) and the scientific notation a calculator
// shows its results with, kept in step with every control that shows or
// changes them: the digits box and scroll bar, the notation key, the View
// menu's entries.

#include "core/settingsstore.h"

#include <QObject>
#include <QSize>

class DigitsScrollBar;
class PictureButton;
class QHBoxLayout;
class QLabel;
class QWidget;

class DigitsNotation : public QObject
{
    Q_OBJECT
public:
    explicit DigitsNotation(QObject *parent);

    int digits() const { return m_digits; }
    bool notation() const { return m_notation; }

    // Set by the window (settings, a property): shown, no change reported.
    // The digits are clamped into 1..7; the scroll bar is left where it is.
    void setDigits(int digits);
    void setNotation(bool on);

    // The window's stored choice, in the order a load sets it: notation,
    // digits, then the scroll bar (which reports the digits as changed).
    void load(const Settings &settings, Settings::Calculator calculator);
    void save(Settings &settings, Settings::Calculator calculator) const;

    // The user's steps, from a key, a menu entry or the scroll bar.
    void toggleNotation();
    void stepDigits(int step);

    // The scroll bar that picks the digits; its moves change them.
    void attachScrollBar(DigitsScrollBar *bar);

    // The notation key (cmdNotationMode), the digits box (lblDigits) and the
    // scroll bar (vscrlDigits), right-aligned in a row, keys of keySize.
    struct Keys
    {
        PictureButton *notation = nullptr;
        QLabel *digits = nullptr;
        DigitsScrollBar *bar = nullptr;
        QHBoxLayout *row = nullptr;
    };
    Keys buildKeys(QWidget *parent, QSize keySize);

Q_SIGNALS:
    // Whenever the value changes, however it was set: for the controls.
    void digitsShown(int digits);
    void notationShown(bool on);
    // Only when the user changed it: for the window to show its results again.
    void digitsChanged(int digits);
    void notationChanged(bool on);

private:
    void onBarMoved(int value);

    DigitsScrollBar *m_bar = nullptr;
    int m_digits = 6;
    bool m_notation = false;
};
