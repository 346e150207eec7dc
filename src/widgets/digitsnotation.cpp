#include "widgets/digitsnotation.h"

#include "widgets/controlsetup.h"
#include "widgets/digitsscrollbar.h"
#include "widgets/picturebutton.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>
#include <initializer_list>

DigitsNotation::DigitsNotation(QObject *parent) : QObject(parent) {}

void DigitsNotation::setDigits(int digits)
{
    m_digits = std::clamp(digits, 1, 7);
    emit digitsShown(m_digits);
}

void DigitsNotation::setNotation(bool on)
{
    m_notation = on;
    emit notationShown(on);
}

void DigitsNotation::load(const Settings &settings, Settings::Calculator calculator)
{
    setNotation(settings.notationMode(calculator));
    setDigits(settings.digits(calculator));
    if (m_bar)
        m_bar->setValue(m_digits);
}

void DigitsNotation::save(Settings &settings, Settings::Calculator calculator) const
{
    settings.setDigits(calculator, m_digits);
    settings.setNotationMode(calculator, m_notation);
}

void DigitsNotation::toggleNotation()
{
    setNotation(!m_notation);
    emit notationChanged(m_notation);
}

void DigitsNotation::stepDigits(int step)
{
    // Through the scroll bar, so a step and a move of the bar are one path.
    if (m_bar)
        m_bar->setValue(m_digits + step);
    else if (std::clamp(m_digits + step, 1, 7) != m_digits)
        onBarMoved(m_digits + step);
}

void DigitsNotation::attachScrollBar(DigitsScrollBar *bar)
{
    m_bar = bar;
    connect(bar, &DigitsScrollBar::valueChanged, this, &DigitsNotation::onBarMoved);
}

void DigitsNotation::onBarMoved(int value)
{
    setDigits(value);
    emit digitsChanged(m_digits);
}

DigitsNotation::Keys DigitsNotation::buildKeys(QWidget *parent, QSize keySize)
{
    Keys keys;
    keys.notation =
        Named(new PictureButton(QStringLiteral("notation_off"), QString(), keySize, parent),
              QStringLiteral("cmdNotationMode"), QStringLiteral("Click to turn scientific notation on/off"),
              QStringLiteral("Scientific notation on/off"));
    keys.notation->setCheckable(true);
    keys.digits = Named(new QLabel(parent), QStringLiteral("lblDigits"),
                        QStringLiteral("Number of significant digits"));
    keys.digits->setAlignment(Qt::AlignCenter);
    keys.digits->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    keys.digits->setFixedSize(keys.digits->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16,
                              keySize.height() - 4);
    keys.bar = Named(new DigitsScrollBar(parent), QStringLiteral("vscrlDigits"), QString(),
                     QStringLiteral("Change displayed significant digits"));
    keys.bar->setFocusPolicy(Qt::TabFocus);
    keys.bar->setFixedHeight(keySize.height());
    keys.row = new QHBoxLayout;
    keys.row->setSpacing(6);
    keys.row->addStretch(1);
    for (QWidget *widget : std::initializer_list<QWidget *>{keys.notation, keys.digits, keys.bar})
        keys.row->addWidget(widget);

    PictureButton *notation = keys.notation;
    QLabel *digits = keys.digits;
    connect(this, &DigitsNotation::notationShown, notation, [notation](bool on) {
        notation->setFaces(on ? QStringLiteral("notation_on") : QStringLiteral("notation_off"), QString());
        notation->setChecked(on);
    });
    connect(this, &DigitsNotation::digitsShown, digits,
            [digits](int value) { ShowValue(digits, QString::number(value)); });
    connect(notation, &QAbstractButton::clicked, this, &DigitsNotation::toggleNotation);
    attachScrollBar(keys.bar);
    emit notationShown(m_notation);
    emit digitsShown(m_digits);
    return keys;
}
