#pragma once
#include <QLabel>

// A label that acts on a click: clicked() on a left click and, when it is
// drawn as a link, on Enter or Space while it has the keyboard focus.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // A link is blue, shows the pointing hand and is a tab stop; otherwise the
    // label keeps the default look and takes no focus.
    void setLinkAppearance(bool link);
    bool hasLinkAppearance() const { return m_link; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void updateUnderline();

    bool m_link = false;
    bool m_pressed = false;
    bool m_hovered = false;
};
