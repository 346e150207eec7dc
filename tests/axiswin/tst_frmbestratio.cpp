// The best-ratio window from the axis window: each ratio it offers taken
// into the axis as one undo step (Close takes nothing), and its plot's texts
// apart and inside it at small and large sizes. The axis is the rotary one
// worked in the best-ratio tests with friction: least peak torque at
// √200 = 14.14214, least RMS at 25000^¼ = 12.57433, inertia matching 10.

#include "../axis/axisbuild.h"
#include "axis/axisfile.h"
#include "axiswin/frmaxissizing.h"
#include "axiswin/frmbestratio.h"
#include "axiswin/ratioplot.h"

#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace AxisBuild;
using TestSupport::child;

namespace {

AxisDocument frictionAxis()
{
    AxisDocument document;
    document.axis = axis({inertiaValue(0.01)}, 1, 0, 1e-4);
    document.axis.motor.peakTorque = {0.2, {}};
    document.move.moves[0].distance = {1, {}};
    document.move.moves[0].moveTime = {0.3, {}};
    document.move.moves[0].loadTorque = {0.5, {}};
    return document;
}

} // namespace

class TestFrmBestRatio : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private slots:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    void chosen_ratio_is_one_undo_step_data()
    {
        QTest::addColumn<int>("choice"); // -1: Close
        QTest::addColumn<double>("ratio");
        QTest::newRow("least peak among the feasible") << 0 << 14.14214;
        QTest::newRow("least RMS among the feasible") << 1 << 12.57433;
        QTest::newRow("inertia matching") << 4 << 10.0;
        QTest::newRow("closed") << -1 << 1.0;
    }
    void chosen_ratio_is_one_undo_step()
    {
        QFETCH(int, choice);
        QFETCH(double, ratio);
        const QString path = m_dir.filePath(QStringLiteral("friction.tvaxis"));
        QVERIFY(WriteAxisFile(path, frictionAxis()).ok);
        frmAxisSizing window(m_context);
        QVERIFY(window.openFile(path));
        bool seen = false;
        QTimer::singleShot(0, &window, [&]() {
            auto *dialog = qobject_cast<frmBestRatio *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            seen = true;
            if (choice < 0)
                return dialog->reject();
            child<QComboBox>(dialog, QStringLiteral("cmbRatioChoice"))->setCurrentIndex(choice);
            QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cmdUseRatio")), Qt::LeftButton);
        });
        child<QAction>(&window, QStringLiteral("mnuToolsBestRatio"))->trigger();
        QVERIFY(seen);
        QVERIFY2(std::fabs(window.axis().gearbox.ratio / ratio - 1) < 1e-5,
                 qPrintable(QString::number(window.axis().gearbox.ratio)));
        QCOMPARE(window.isModified(), choice >= 0);
        auto *undo = child<QAction>(&window, QStringLiteral("mnuEditUndo"));
        QCOMPARE(undo->isEnabled(), choice >= 0);
        undo->trigger();
        QCOMPARE(window.axis().gearbox.ratio, 1.0);
        QVERIFY(!window.isModified());
    }

    // No text of the plot covers another or leaves it.
    void plot_texts_stay_apart_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("smallest") << QSize(440, 300);
        QTest::newRow("large") << QSize(900, 700);
    }
    void plot_texts_stay_apart()
    {
        QFETCH(QSize, size);
        const AxisDocument document = frictionAxis();
        QImage image(size, QImage::Format_ARGB32);
        QPainter painter(&image);
        painter.setFont(TestSupport::testFont());
        const MovePlotDrawing drawn = DrawRatioPlot(
            painter, QRectF(QPointF(0, 0), size),
            {FindBestRatio(document.axis, document.move), document.axis.motor, "rpm", "N-m", 1, 1});
        QVERIFY(drawn.texts.size() > 10);
        for (std::size_t a = 0; a < drawn.texts.size(); ++a) {
            QVERIFY2(image.rect().toRectF().contains(drawn.texts[a].box), qPrintable(drawn.texts[a].text));
            for (std::size_t b = a + 1; b < drawn.texts.size(); ++b)
                QVERIFY2(!drawn.texts[a].box.intersects(drawn.texts[b].box),
                         qPrintable(drawn.texts[a].text + u'|' + drawn.texts[b].text));
        }
    }
};

QTEST_MAIN(TestFrmBestRatio)
#include "tst_frmbestratio.moc"
