#include "info/frmintegral.h"

#include "core/tags.h"
#include "info/referencescroll.h"
#include "widgets/artwork.h"
#include "widgets/chrome.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QSvgRenderer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

const QString SheetSource = QStringLiteral(":/reference/sheet.svg");

// Designed client area, and the display's place in it.
constexpr int DesignedWidth = 430;
constexpr int DesignedHeight = 396;
constexpr int DisplayTop = 4;
constexpr int ScrollBarWidth = 17;

} // namespace

QPixmap RenderReferenceSheet(qreal devicePixelRatio)
{
    const QSize logical(ReferenceSheetWidth, ReferenceSheetHeight);
    QPixmap sheet(int(std::ceil(logical.width() * devicePixelRatio)),
                  int(std::ceil(logical.height() * devicePixelRatio)));
    sheet.setDevicePixelRatio(devicePixelRatio);
    sheet.fill(Qt::white);
    QSvgRenderer renderer(SheetSource);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), logical));
    return sheet;
}

// picDisplay: shows the band of the source picture that starts at a given
// row, white wherever the band runs past the sheet.
class ReferenceDisplay : public QWidget
{
public:
    ReferenceDisplay(QLabel *source, QWidget *parent) : QWidget(parent), m_source(source) {}

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
        // The source was drawn for another screen scale (the window moved to
        // another screen): draw it again, so the text stays sharp.
        QPixmap sheet = m_source->pixmap();
        if (!qFuzzyCompare(sheet.devicePixelRatio(), devicePixelRatioF())) {
            sheet = RenderReferenceSheet(devicePixelRatioF());
            m_source->setPixmap(sheet);
        }
        // The raster copy: the band's rectangle of the source, in its device
        // pixels, onto the top left of the display.
        const qreal scale = sheet.devicePixelRatio();
        const int width = std::min(m_bandSize.width(), ReferenceSheetWidth);
        const int height = std::min(m_bandSize.height(), ReferenceSheetHeight - m_firstRow);
        if (width <= 0 || height <= 0)
            return;
        painter.drawPixmap(QRectF(0, 0, width, height), sheet,
                           QRectF(0, m_firstRow * scale, width * scale, height * scale));
    }

private:
    QLabel *m_source;
    int m_firstRow = 0;
    QSize m_bandSize;
};

frmIntegral::frmIntegral(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmIntegral"));
    AddHelpKey(this, QStringLiteral("reference.html"));
    SetTag(this, QString());
    setWindowTitle(QStringLiteral("Trigonometric/Calculus Reference"));
    setAccessibleName(windowTitle());
    setWindowIcon(ProgramIcon());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setModal(true);

    // The whole sheet, kept in memory and never shown itself.
    m_picVR = new QLabel(this);
    m_picVR->setObjectName(QStringLiteral("picVR"));
    SetTag(m_picVR, QString());
    m_picVR->setAccessibleName(QStringLiteral("Reference sheet picture"));
    m_picVR->setPixmap(RenderReferenceSheet(devicePixelRatioF()));
    m_picVR->setGeometry(0, 0, ReferenceSheetWidth, ReferenceSheetHeight);
    m_picVR->hide();

    m_picDisplay = new ReferenceDisplay(m_picVR, this);
    m_picDisplay->setObjectName(QStringLiteral("picDisplay"));
    SetTag(m_picDisplay, QString());
    m_picDisplay->setAccessibleName(QStringLiteral("Trigonometric and calculus reference sheet"));
    m_picDisplay->setAccessibleDescription(QStringLiteral(
        "Right-triangle definitions; reciprocal and Pythagorean identities; sum and difference; "
        "double angle, half angle and power reduction; product to sum; laws of sines and "
        "cosines; degrees and radians; exact values; derivatives; integrals; integration by "
        "parts. Scroll with the arrow keys, Page Up, Page Down, Home and End."));
    m_picDisplay->setFocusPolicy(Qt::StrongFocus);
    m_picDisplay->move(0, DisplayTop);
    m_picDisplay->installEventFilter(this);

    m_vscrlDisplay = new QScrollBar(Qt::Vertical, this);
    m_vscrlDisplay->setObjectName(QStringLiteral("vscrlDisplay"));
    SetTag(m_vscrlDisplay, QString());
    m_vscrlDisplay->setAccessibleName(QStringLiteral("Scroll the reference sheet"));
    // The wheel moves the sheet by the same rows over the scroll bar as over
    // the sheet.
    m_vscrlDisplay->installEventFilter(this);

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

void frmIntegral::LayoutDisplay()
{
    // The display fills the window below its top margin, the scroll bar runs
    // down its right edge, both inside the window.
    const int width = std::max(0, this->width() - ScrollBarWidth);
    const int height = std::max(0, this->height() - DisplayTop);
    m_picDisplay->setGeometry(0, DisplayTop, width, height);
    m_vscrlDisplay->setGeometry(width, DisplayTop, ScrollBarWidth, height);
}

void frmIntegral::setScrollRange()
{
    const ReferenceScrollRange range = ReferenceScrollFor(ReferenceSheetHeight, m_picDisplay->height());
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
    return QDialog::eventFilter(watched, event);
}
