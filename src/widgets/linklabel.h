#pragma once
#include <QLabel>

// A label that acts on a click: clicked() on a left click and, when it is
// drawn as a link, on Enter or Space while it has the keyboard focus. A link
// is spoken as a link, and a screen reader can follow it.
class LinkLabel : public QLabel
{
    Q_OBJECT
public:
    explicit LinkLabel(const QString &text = QString(), QWidget *parent = nullptr);

    // A link is blue and underlined (so not told by colour alone), shows the
    // pointing hand and is a tab stop; otherwise the label keeps the default
    // look and takes no focus.
    void setLinkAppearance(bool link);
    bool hasLinkAppearance() const { return m_link; }

    // Follows the link as a click does.
    void activate() { emit clicked(); }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_link = false;
    bool m_pressed = false;
};
