#include "app/warmup.h"

#include "app/registerwindows.h"
#include "infowin/frmintegral.h"
#include "infowin/referencesheet.h"
#include "widgets/calculatorwindow.h"
#include "widgets/valuefont.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QPointer>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

using Piece = std::function<void()>;

// The windows drawn once unseen: those whose first open pays most for what
// any window's first drawing loads. The axis, density and error windows
// mostly pay for their own content.
const QStringList WarmedWindows{QStringLiteral("frmUnitCalculator"), QStringLiteral("frmInertiaCalc"),
                                QStringLiteral("frmSetDefaultUnits"), QStringLiteral("frmAbout"),
                                QStringLiteral("frmCompanyInfo")};

// A few words drawn in each face the windows use (the font configuration
// read, each face's file opened and its glyphs hinted), and the style's
// picture a menu bar's extension key takes (whose reading looks through
// every image-format plugin).
void warmFaces()
{
    QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16);
    const QFont base = QApplication::font();
    QFont bold = base;
    bold.setBold(true);
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    painter.setRenderHint(QPainter::TextAntialiasing);
    for (const QFont &font : {base, bold, ValueFont(base)}) {
        painter.setFont(font);
        painter.drawText(0, 8, QStringLiteral("Sin cos 0.123456789 kg·m² θ μ"));
    }
}

// The bands of the reference sheet a new viewer shows first, drawn once per
// process and kept.
void warmReferenceSheet(qreal devicePixelRatio)
{
    QImage scratch(8, 8, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&scratch);
    ReferenceSheet::shared().paint(painter, 0, ReferenceFirstView(), devicePixelRatio);
}

// A window built and drawn without being shown, then let go.
void warmWindow(const ProgramWindow &window, qreal devicePixelRatio)
{
    const std::unique_ptr<QWidget> made = window.make();
    if (auto *calculator = qobject_cast<CalculatorWindow *>(made.get()))
        calculator->keepNoSettings();
    QImage image(made->size() * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    made->render(&image);
}

void runPieces(const QPointer<QWidget> &strip, std::shared_ptr<QList<Piece>> pieces)
{
    if (!strip)
        return;
    if (pieces->isEmpty()) {
        // What the unseen windows freed goes back: the strip alone may stay
        // open for hours.
        ReturnFreedMemory();
        return;
    }
    pieces->takeFirst()();
    QTimer::singleShot(0, strip, [strip, pieces] { runPieces(strip, pieces); });
}

class FirstPaintWatch : public QObject
{
public:
    FirstPaintWatch(QWidget *strip, WindowContext &context) : QObject(strip), m_context(context) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QWidget *strip = static_cast<QWidget *>(watched);
            const qreal ratio = strip->devicePixelRatioF();
            auto pieces = std::make_shared<QList<Piece>>();
            pieces->append(warmFaces);
            pieces->append([ratio] { warmReferenceSheet(ratio); });
            for (const ProgramWindow &window : ProgramWindows(m_context)) {
                if (WarmedWindows.contains(window.name))
                    pieces->append([window, ratio] { warmWindow(window, ratio); });
            }
            // After this paint is flushed to the screen, when the loop is idle.
            QTimer::singleShot(0, strip,
                               [strip = QPointer<QWidget>(strip), pieces] { runPieces(strip, pieces); });
            deleteLater();
        }
        return false;
    }

private:
    WindowContext &m_context;
};

} // namespace

void ReturnFreedMemory()
{
    // The style's and icons' pictures of the window that went, drawn again
    // when needed, and what the heap freed.
    QPixmapCache::clear();
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

namespace {
class ClosedWindowWatch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Hide && !m_queued && watched->isWidgetType()) {
            const Qt::WindowType type = static_cast<QWidget *>(watched)->windowType();
            if (type == Qt::Window || type == Qt::Dialog) {
                m_queued = true;
                // Once the window is gone and its pictures let go.
                QTimer::singleShot(0, this, [this] {
                    m_queued = false;
                    ReturnFreedMemory();
                });
            }
        }
        return false;
    }

private:
    bool m_queued = false;
};
} // namespace

void ReturnFreedMemoryAsWindowsClose(QObject *owner)
{
    qApp->installEventFilter(new ClosedWindowWatch(owner));
}

void WarmUpAfterFirstPaint(QWidget *strip, WindowContext &context)
{
    strip->installEventFilter(new FirstPaintWatch(strip, context));
}
