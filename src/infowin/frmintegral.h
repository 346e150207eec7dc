#pragma once
#include <QDialog>

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QScrollBar;
class ReferenceDisplay;
class WindowContext;

// The trigonometric/calculus reference: a tall sheet, of which picDisplay
// shows the band that fits, scrolled with vscrlDisplay, the wheel and the
// keys. Its contents list (Ctrl+G) scrolls a section to the top; Ctrl+F finds
// the first section whose text holds what is typed; Ctrl+T switches to the
// sheet's text in reading order, for reading aloud.
class frmIntegral : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int ScrollOffset READ scrollOffset)

public:
    explicit frmIntegral(WindowContext &context, QWidget *parent = nullptr);
    ~frmIntegral() override;

    // The first sheet row shown at the top of the display.
    int scrollOffset() const { return m_scrollOffset; }

    // Scrolls the section with this index (in the sheet's order) to the top,
    // or as near as the end of the sheet allows; in the text view, moves there.
    void goToSection(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildDisplay();
    void buildTextView();
    void buildFindBar();
    void buildActions();
    QMenu *sectionsMenu();
    void LayoutDisplay();
    void DrawDisplay();
    void setScrollRange();
    void scrollBy(int rows);
    void showFindBar();
    void find(int from);
    void setTextView(bool on);

    QLabel *m_picVR;
    ReferenceDisplay *m_picDisplay;
    QScrollBar *m_vscrlDisplay;
    QPlainTextEdit *m_txtSheet = nullptr;
    QWidget *m_findBar = nullptr;
    QLineEdit *m_txtFind = nullptr;
    QLineEdit *m_lblFound = nullptr;
    QMenu *m_mnuSections = nullptr;
    int m_scrollOffset = 0;
    int m_displayWidth = 0;
    int m_displayHeight = 0;
    int m_foundSection = -1;
};

// The part of the sheet a new viewer shows, at its designed size.
QSize ReferenceFirstView();
