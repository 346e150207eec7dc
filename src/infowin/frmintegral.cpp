#include "infowin/frmintegral.h"

#include "core/tags.h"
#include "info/referencescroll.h"
#include "infowin/referencesheet.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"
#include "widgets/windowcontext.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QWheelEvent>

#include <algorithm>

namespace {

// Designed client area, and the display's place in it.
constexpr int DesignedWidth = 430;
constexpr int DesignedHeight = 396;
constexpr int DisplayTop = 4;
constexpr int ScrollBarWidth = 17;
constexpr int FindBarHeight = 28;

} // namespace

// picDisplay: shows the band of the sheet that starts at a given row, white
// wherever the band runs past the sheet.
class ReferenceDisplay : public QWidget
{
public:
    using QWidget::QWidget;

    void setBand(int firstRow, QSize size)
    {
        m_firstRow = firstRow;
        m_bandSize = size;
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        // Drawn for this screen's scale, so the text stays sharp on any screen.
        ReferenceSheet::shared().paint(painter, m_firstRow, m_bandSize, devicePixelRatioF());
    }

private:
    int m_firstRow = 0;
    QSize m_bandSize;
};

frmIntegral::frmIntegral(WindowContext &context, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIntegral"));
    KeepWindowPlace(context.settings(), this);
    AddHelpKey(context, this, QStringLiteral("reference.html"));
    SetTag(this, QString());
    setWindowTitle(QStringLiteral("Trigonometric/Calculus Reference"));
    setAccessibleName(windowTitle());
    setWindowIcon(ProgramIcon());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setModal(true);

    buildDisplay();
    buildActions();

    // Load: fit the display, top of the sheet, thumb at the top.
    resize(DesignedWidth, DesignedHeight);
    setMinimumSize(160, 100);
    LayoutDisplay();
    m_scrollOffset = 0;
    setScrollRange();
    m_vscrlDisplay->setValue(0);
    DrawDisplay();

    // valueChanged follows the thumb while it is dragged, as well as arrow
    // and trough clicks and the keys.
    connect(m_vscrlDisplay, &QScrollBar::valueChanged, this, [this](int value) {
        m_scrollOffset = value;
        DrawDisplay();
    });

    m_picDisplay->setFocus();
}

frmIntegral::~frmIntegral() = default;

QSize ReferenceFirstView()
{
    return {DesignedWidth - ScrollBarWidth, DesignedHeight - DisplayTop};
}

void frmIntegral::buildDisplay()
{
    const QSize sheet = ReferenceSheet::shared().size();
    // The sheet's place holder: as large as the sheet, never shown; the
    // picture itself is drawn band by band and kept for the whole program.
    m_picVR = new QLabel(this);
    m_picVR->setObjectName(QStringLiteral("picVR"));
    SetTag(m_picVR, QString());
    m_picVR->setAccessibleName(QStringLiteral("Reference sheet picture"));
    m_picVR->setGeometry(QRect(QPoint(0, 0), sheet));
    m_picVR->hide();

    m_picDisplay = new ReferenceDisplay(this);
    m_picDisplay->setObjectName(QStringLiteral("picDisplay"));
    SetTag(m_picDisplay, QString());
    m_picDisplay->setAccessibleName(QStringLiteral("Trigonometric and calculus reference sheet"));
    QStringList titles;
    for (const ReferenceSection &section : ReferenceSheet::shared().outline().sections)
        titles << section.title;
    m_picDisplay->setAccessibleDescription(
        titles.join(QStringLiteral("; ")) +
        QStringLiteral(". Ctrl+T reads the sheet as text, Ctrl+G goes to a section, Ctrl+F finds. "
                       "Scroll with the arrow keys, Page Up, Page Down, Home and End."));
    m_picDisplay->setFocusPolicy(Qt::StrongFocus);
    m_picDisplay->installEventFilter(this);

    m_vscrlDisplay = new QScrollBar(Qt::Vertical, this);
    m_vscrlDisplay->setObjectName(QStringLiteral("vscrlDisplay"));
    SetTag(m_vscrlDisplay, QString());
    m_vscrlDisplay->setAccessibleName(QStringLiteral("Scroll the reference sheet"));
    // The wheel moves the sheet by the same rows over the scroll bar as over
    // the sheet.
    m_vscrlDisplay->installEventFilter(this);
}

void frmIntegral::buildTextView()
{
    // The sheet's text in reading order, in a linear notation a screen reader
    // can speak; made and shown in the display's place on request.
    if (m_txtSheet)
        return;
    m_txtSheet = new QPlainTextEdit(this);
    m_txtSheet->setObjectName(QStringLiteral("txtSheet"));
    SetTag(m_txtSheet, QString());
    m_txtSheet->setAccessibleName(QStringLiteral("Reference sheet as text"));
    m_txtSheet->setReadOnly(true);
    m_txtSheet->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    m_txtSheet->setPlainText(ReferenceOutlineText(ReferenceSheet::shared().outline()));
    m_txtSheet->hide();
    LayoutDisplay();
}

void frmIntegral::buildFindBar()
{
    // Made when first asked for, like the text view: opening the window stays cheap.
    if (m_findBar)
        return;
    m_findBar = new QWidget(this);
    m_findBar->setObjectName(QStringLiteral("fraFind"));
    SetTag(m_findBar, QString());
    auto *layout = new QHBoxLayout(m_findBar);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *label = new QLabel(QStringLiteral("&Find:"), m_findBar);
    label->setObjectName(QStringLiteral("lblFind"));
    SetTag(label, QString());
    m_txtFind = new QLineEdit(m_findBar);
    m_txtFind->setObjectName(QStringLiteral("txtFind"));
    SetTag(m_txtFind, QString());
    m_txtFind->setAccessibleName(QStringLiteral("Find in the reference sheet"));
    m_txtFind->setClearButtonEnabled(true);
    label->setBuddy(m_txtFind);
    // A read-only text rather than a label, so a screen reader can read what
    // was found ("Not found" or the section) through its text.
    m_lblFound = new QLineEdit(m_findBar);
    m_lblFound->setObjectName(QStringLiteral("lblFound"));
    SetTag(m_lblFound, QString());
    m_lblFound->setAccessibleName(QStringLiteral("Find result"));
    m_lblFound->setReadOnly(true);
    m_lblFound->setFrame(false);
    m_lblFound->setFocusPolicy(Qt::NoFocus);
    QPalette palette = m_lblFound->palette();
    palette.setBrush(QPalette::Base, Qt::transparent);
    m_lblFound->setPalette(palette);
    // As wide as what it says, as the label it stands for was.
    m_lblFound->setFixedWidth(0);
    connect(m_lblFound, &QLineEdit::textChanged, m_lblFound, [found = m_lblFound](const QString &text) {
        found->setFixedWidth(text.isEmpty() ? 0 : found->fontMetrics().horizontalAdvance(text) + 8);
    });
    layout->addWidget(label);
    layout->addWidget(m_txtFind, 1);
    layout->addWidget(m_lblFound);
    m_findBar->hide();
    // Typing finds the first section that matches; Enter the next one.
    connect(m_txtFind, &QLineEdit::textEdited, this, [this] { find(0); });
    connect(m_txtFind, &QLineEdit::returnPressed, this, [this] { find(m_foundSection + 1); });
    m_txtFind->installEventFilter(this);
}

QMenu *frmIntegral::sectionsMenu()
{
    // The contents list, made when it first opens.
    if (m_mnuSections)
        return m_mnuSections;
    m_mnuSections = new QMenu(QStringLiteral("&Go to section"), this);
    m_mnuSections->setObjectName(QStringLiteral("mnuSections"));
    const QList<ReferenceSection> &sections = ReferenceSheet::shared().outline().sections;
    for (int index = 0; index < sections.size(); ++index) {
        QAction *go = m_mnuSections->addAction(sections.at(index).title);
        connect(go, &QAction::triggered, this, [this, index] { goToSection(index); });
    }
    return m_mnuSections;
}

void frmIntegral::buildActions()
{
    auto *contents = new QAction(QStringLiteral("&Go to section..."), this);
    contents->setObjectName(QStringLiteral("mnuGoToSection"));
    contents->setShortcut(Qt::CTRL | Qt::Key_G);
    connect(contents, &QAction::triggered, this,
            [this] { sectionsMenu()->popup(mapToGlobal(QPoint(0, DisplayTop))); });
    auto *findAction = new QAction(QStringLiteral("&Find..."), this);
    findAction->setObjectName(QStringLiteral("mnuFind"));
    findAction->setShortcut(QKeySequence::Find);
    connect(findAction, &QAction::triggered, this, &frmIntegral::showFindBar);
    auto *asText = new QAction(QStringLiteral("Show as &text"), this);
    asText->setObjectName(QStringLiteral("mnuShowAsText"));
    asText->setCheckable(true);
    asText->setShortcut(Qt::CTRL | Qt::Key_T);
    connect(asText, &QAction::toggled, this, &frmIntegral::setTextView);
    addActions({contents, findAction, asText});
}

void frmIntegral::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    menu.addMenu(sectionsMenu());
    for (QAction *action : actions())
        if (action->objectName() != QLatin1String("mnuGoToSection"))
            menu.addAction(action);
    menu.exec(event->globalPos());
}

void frmIntegral::goToSection(int index)
{
    const QList<ReferenceSection> &sections = ReferenceSheet::shared().outline().sections;
    if (index < 0 || index >= sections.size())
        return;
    m_vscrlDisplay->setValue(sections.at(index).top);
    if (!m_txtSheet)
        return;
    // In the text view: the caret on the section's title line, that line at
    // the top (from the end, the view scrolls up just far enough).
    for (QTextBlock block = m_txtSheet->document()->begin(); block.isValid(); block = block.next()) {
        if (block.text() == sections.at(index).title) {
            m_txtSheet->moveCursor(QTextCursor::End);
            m_txtSheet->setTextCursor(QTextCursor(block));
            m_txtSheet->ensureCursorVisible();
            break;
        }
    }
}

void frmIntegral::showFindBar()
{
    buildFindBar();
    m_findBar->show();
    LayoutDisplay();
    setScrollRange();
    m_txtFind->setFocus();
    m_txtFind->selectAll();
}

void frmIntegral::find(int from)
{
    const ReferenceOutline &outline = ReferenceSheet::shared().outline();
    const int found = FindReferenceSection(outline, m_txtFind->text(), from);
    if (found < 0) {
        m_lblFound->setText(m_txtFind->text().trimmed().isEmpty() ? QString() : QStringLiteral("Not found"));
        return;
    }
    m_foundSection = found;
    m_lblFound->setText(outline.sections.at(found).title);
    goToSection(found);
}

void frmIntegral::setTextView(bool on)
{
    buildTextView();
    m_txtSheet->setVisible(on);
    m_picDisplay->setVisible(!on);
    m_vscrlDisplay->setVisible(!on);
    LayoutDisplay();
    (on ? static_cast<QWidget *>(m_txtSheet) : m_picDisplay)->setFocus();
}

void frmIntegral::LayoutDisplay()
{
    // The display fills the window below its top margin (and above the find
    // bar when it shows), the scroll bar runs down its right edge, both
    // inside the window.
    const int findHeight = m_findBar && m_findBar->isVisible() ? FindBarHeight : 0;
    const int width = std::max(0, this->width() - ScrollBarWidth);
    const int height = std::max(0, this->height() - DisplayTop - findHeight);
    m_picDisplay->setGeometry(0, DisplayTop, width, height);
    m_vscrlDisplay->setGeometry(width, DisplayTop, ScrollBarWidth, height);
    if (m_txtSheet)
        m_txtSheet->setGeometry(0, DisplayTop, this->width(), height);
    if (m_findBar)
        m_findBar->setGeometry(0, DisplayTop + height, this->width(), findHeight);
}

void frmIntegral::setScrollRange()
{
    const ReferenceScrollRange range =
        ReferenceScrollFor(ReferenceSheet::shared().size().height(), m_picDisplay->height());
    m_vscrlDisplay->setMinimum(0);
    // A lower maximum pulls the value back, which redraws through valueChanged.
    m_vscrlDisplay->setMaximum(range.maximum);
    m_vscrlDisplay->setSingleStep(range.smallChange);
    m_vscrlDisplay->setPageStep(range.largeChange);
}

void frmIntegral::DrawDisplay()
{
    m_displayHeight = m_picDisplay->height();
    m_displayWidth = m_picDisplay->width();
    m_picDisplay->setBand(m_scrollOffset, QSize(m_displayWidth, m_displayHeight));
    m_picDisplay->update();
}

void frmIntegral::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    LayoutDisplay();
    // The range follows the display, so the end of the sheet stays in reach
    // after shrinking and the thumb cannot run past it after enlarging.
    setScrollRange();
    DrawDisplay();
}

void frmIntegral::scrollBy(int rows)
{
    m_vscrlDisplay->setValue(m_vscrlDisplay->value() + rows);
}

void frmIntegral::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        m_vscrlDisplay->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Qt::Key_Down:
        m_vscrlDisplay->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Qt::Key_PageUp:
        scrollBy(-ReferencePageStep(m_displayHeight));
        break;
    case Qt::Key_PageDown:
        scrollBy(ReferencePageStep(m_displayHeight));
        break;
    case Qt::Key_Home:
        m_vscrlDisplay->setValue(m_vscrlDisplay->minimum());
        break;
    case Qt::Key_End:
        m_vscrlDisplay->setValue(m_vscrlDisplay->maximum());
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void frmIntegral::wheelEvent(QWheelEvent *event)
{
    scrollBy(ReferenceWheelRows(event->angleDelta(), event->pixelDelta(), QApplication::wheelScrollLines()));
    event->accept();
}

bool frmIntegral::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == m_vscrlDisplay || watched == m_picDisplay) && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent *>(event));
        return true;
    }
    // Escape in the find box closes the find bar, not the window.
    if (m_txtFind && watched == m_txtFind && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        m_findBar->hide();
        LayoutDisplay();
        setScrollRange();
        DrawDisplay();
        (m_txtSheet && m_txtSheet->isVisible() ? static_cast<QWidget *>(m_txtSheet) : m_picDisplay)
            ->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
