#pragma once
#include <QAbstractButton>
#include <QSize>
#include <QString>

// A button drawn entirely from artwork: an up face, and a pressed face shown
// while the button is held down (the same face when it has none). Focusable,
// so Space or Enter activates it; a focus ring is drawn when it has keyboard focus.
class PictureButton : public QAbstractButton
{
    Q_OBJECT
public:
    PictureButton(const QString &upFace, const QString &downFace, QSize size, QWidget *parent = nullptr);
    QSize sizeHint() const override { return m_size; }
    // The face currently shown.
    QString currentFace() const { return isDown() ? m_downFace : m_upFace; }
    void setFaces(const QString &upFace, const QString &downFace);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_upFace;
    QString m_downFace;
    QSize m_size;
};
