#include "widgets/resultrow.h"

#include "widgets/controlsetup.h"
#include "widgets/picturebutton.h"
#include "widgets/valuefont.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>

namespace {
// Lets the mouse select a label's text from the moment it first reaches the
// label. A selectable label holds a whole text document (some 10 KB), and a
// window shows dozens of figures; only those the user goes to need one.
class SelectOnReach : public QObject
{
public:
    explicit SelectOnReach(QLabel *label) : QObject(label) { label->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Enter) {
            auto *label = static_cast<QLabel *>(watched);
            label->removeEventFilter(this);
            label->setTextInteractionFlags(label->textInteractionFlags() | Qt::TextSelectableByMouse);
            deleteLater();
        }
        return false;
    }
};
} // namespace

ResultRowControls MakeResultRow(QWidget *parent, const QString &suffix, const QString &valueName,
                                const QString &spoken, int valueWidth)
{
    auto copyKey = [&](const char *face, const char *array, const char *hint, const QString &what) {
        return Named(
            new PictureButton(QStringLiteral("%1_up").arg(QLatin1String(face)),
                              QStringLiteral("%1_down").arg(QLatin1String(face)), CopyKeySize, parent),
            QStringLiteral("%1_%2").arg(QLatin1String(array), suffix), QString::fromLatin1(hint), what);
    };
    ResultRowControls row;
    row.copyValue = copyKey("copyvalue", "cmdCopyValue", "Click to copy value only to clipboard",
                            QStringLiteral("Copy %1 value to clipboard").arg(spoken));
    row.copyAll = copyKey("copyvalueunit", "cmdCopyAll", "Click to copy value and unit to clipboard",
                          QStringLiteral("Copy %1 and units to clipboard").arg(spoken));
    row.value = Named(new QLabel(parent), valueName, QString(), spoken);
    row.value->setFont(ValueFont(parent->font()));
    row.value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row.value->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    row.value->setBackgroundRole(QPalette::Base);
    row.value->setAutoFillBackground(true);
    new SelectOnReach(row.value);
    row.value->setMinimumSize(valueWidth, 25);
    return row;
}

void CopyText(const QString &text)
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void ShowTone(QLabel *label, VerdictTone tone)
{
    const QString colour = ToneColour(tone);
    const QString style = colour.isEmpty() ? QString() : QStringLiteral("color: %1;").arg(colour);
    if (label->styleSheet() != style)
        label->setStyleSheet(style);
}
