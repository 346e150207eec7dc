#pragma once
#include <QDialog>
#include <QPixmap>

class QLabel;
class QScrollBar;
class ReferenceDisplay;

// The reference sheet, 400 by 2052 pixels, drawn from its SVG source at the
// given screen scale so it stays crisp (the pixmap's logical size is the
// sheet's size).
QPixmap RenderReferenceSheet(qreal devicePixelRatio);

// The trigonometric/calculus reference: a tall sheet held whole in the hidden
// picVR, of which picDisplay shows the band that fits, scrolled with
// vscrlDisplay, the wheel and the keys.
class frmIntegral : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int ScrollOffset READ scrollOffset)

public:
    explicit frmIntegral(QWidget *parent = nullptr);
    ~frmIntegral() override;

    // The first sheet row shown at the top of the display.
    int scrollOffset() const { return m_scrollOffset; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void LayoutDisplay();
    void DrawDisplay();
    void setScrollRange();
    void scrollBy(int rows);

    QLabel *m_picVR;
    ReferenceDisplay *m_picDisplay;
    QScrollBar *m_vscrlDisplay;
    int m_scrollOffset = 0;
    int m_displayWidth = 0;
    int m_displayHeight = 0;
};
