#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include <memory>

#include "shell/localiseform.h"
#include "shell/tags.h"
#include "testsupport.h"

namespace {

template <typename T> T *named(T *object, const char *name, const char *tag = "")
{
    object->setObjectName(QLatin1String(name));
    SetTag(object, QLatin1String(tag));
    return object;
}

// A window with every kind of captioned control; each is designed with the
// caption "designed".
std::unique_ptr<QWidget> buildWindow(const QString &windowTag)
{
    auto window = std::make_unique<QWidget>();
    QWidget *w = window.get();
    w->setWindowTitle(QStringLiteral("designed"));
    SetTag(w, windowTag);
    const QString d = QStringLiteral("designed");

    auto *menuBar = named(new QMenuBar(w), "menuBar");
    named(menuBar->addMenu(d), "mnuFile", "Offset=8;"); // tag on the menu
    auto *options = named(new QMenu(d, w), "mnuOptionsMenu");
    named(options->menuAction(), "mnuOptions", "offset=9;"); // tag on its action
    menuBar->addMenu(options);
    QMenu *more = named(options->addMenu(d), "mnuOptionsMore", "Offset=7");
    named(more->addAction(d), "mnuOptionsMoreItem", "Offset=word;");
    named(options->addAction(d), "mnuOptionsTooltips", "Offset=10;");

    named(new QLabel(d, w), "lblMaterial", "Offset=1;");
    auto *frame = named(new QGroupBox(d, w), "fraDensity", "Offset=2;");
    named(new QCheckBox(d, frame), "chkTooltips", "Tooltip=1951;Offset=10;");
    named(new QLabel(d, frame), "lblPlain", "Tooltip=1951;");
    named(new QPushButton(d, w), "cmdSelect", "Offset=5;");
    named(new QLineEdit(d, w), "txtDensity", "Offset=1;");
    named(new QLabel(d, w), "lblMissing", "Offset=11;");
    named(new QLabel(d, w), "lblHuge", "Offset=70000;");
    named(new QLabel(d, w), "lblSum", "Offset=32000;");
    auto *toolBar = named(new QToolBar(w), "tlbrMain");
    named(toolBar->addAction(d), "tbAdd", "Offset=4 entries;");
    w->addAction(named(new QAction(d, w), "actCancel", "Offset=6;"));
    return window;
}

QString caption(const QObject *object)
{
    const bool titled = object->metaObject()->indexOfProperty("title") >= 0;
    return object->property(titled ? "title" : "text").toString();
}

} // namespace

class TstLocaliseForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void controls_listed_in_creation_order_once_each()
    {
        const auto window = buildWindow(QString());
        QStringList names;
        const QList<QObject *> controls = WindowControls(window.get());
        for (const QObject *control : controls) {
            // Unnamed menu actions and Qt's own inner widgets are not ours.
            if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_")))
                names << control->objectName();
        }
        const QStringList expected =
            QStringLiteral(
                "actCancel menuBar mnuFile mnuOptions mnuOptionsMenu mnuOptionsMore mnuOptionsMoreItem "
                "mnuOptionsTooltips lblMaterial fraDensity chkTooltips lblPlain cmdSelect txtDensity "
                "lblMissing lblHuge lblSum tlbrMain tbAdd")
                .split(QLatin1Char(' '));
        QCOMPARE(names, expected);
        QCOMPARE(QSet<QObject *>(controls.begin(), controls.end()).size(), controls.size());
        QVERIFY(!controls.contains(window.get()));
    }

    void captions_come_from_offsets_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *tag, const char *name, const char *expected) {
            QTest::newRow(tag) << QString::fromUtf8(name) << QString::fromUtf8(expected);
        };
        row("label", "lblMaterial", "Material:");
        row("group box", "fraDensity", "Density:");
        row("button", "cmdSelect", "Save");
        row("tag on menu", "mnuFile", "&Options");
        row("tag on menu action", "mnuOptions", "Select &Wallpaper");
        row("tool bar action", "tbAdd", "&Add");
        row("not a number is 0", "mnuOptionsMoreItem", "Material density select");
        row("no caption to set", "txtDensity", "designed");
        row("missing id", "lblMissing", "designed");
        row("offset beyond 16 bits", "lblHuge", "designed");
        row("sum beyond 16 bits", "lblSum", "designed");
    }
    void captions_come_from_offsets()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        const auto window = buildWindow(QStringLiteral("FormOffset=1600;"));
        QVERIFY(LocaliseForm(window.get(), 0));
        QCOMPARE(window->windowTitle(), QStringLiteral("Material density select"));
        QCOMPARE(caption(window->findChild<QObject *>(name)), expected);
    }

    void default_units_window_under_language_offsets_data()
    {
        QTest::addColumn<QString>("windowTag");
        QTest::addColumn<int>("languageOffset");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("save");
        const auto row = [](const char *name, const char *tag, int offset, const char *title,
                            const char *save) {
            QTest::newRow(name) << QString::fromUtf8(tag) << offset << QString::fromUtf8(title)
                                << QString::fromUtf8(save);
        };
        const char *d = "designed";
        row("base language", "formoffset=1300", 0, "Set default units", "&Save");
        // No language block at +1000: the base texts show instead of failing.
        row("missing language block", "formoffset=1300", 1000, "Set default units", "&Save");
        row("block present", "formoffset=1300", -200, "Units calculator", "Tooltips");
        row("sums overflow", "formoffset=1300", 32000, d, d);
        // Without a usable form offset the window is left as designed.
        row("no form offset", "", 0, d, d);
        row("form offset not a number", "FormOffset=abc;", 0, d, d);
        row("form offset beyond 16 bits", "FormOffset=99999;", 0, d, d);
    }
    void default_units_window_under_language_offsets()
    {
        QFETCH(QString, windowTag);
        QFETCH(int, languageOffset);
        QFETCH(QString, title);
        QFETCH(QString, save);
        const auto window = buildWindow(windowTag);
        QVERIFY(LocaliseForm(window.get(), qint16(languageOffset)));
        QCOMPARE(window->windowTitle(), title);
        QCOMPARE(caption(window->findChild<QObject *>(QStringLiteral("cmdSelect"))), save);
        if (title == QLatin1String("designed")) {
            for (const QObject *control : WindowControls(window.get())) {
                if (!GetTagValue(control, QStringLiteral("Offset")).isEmpty())
                    QCOMPARE(caption(control), QStringLiteral("designed"));
            }
        }
    }

private:
    QTemporaryDir m_settingsDir;
};

QTEST_MAIN(TstLocaliseForm)
#include "tst_localiseform.moc"
