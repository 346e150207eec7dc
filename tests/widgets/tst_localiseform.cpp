#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "core/tags.h"
#include "testsupport.h"
#include "widgets/localiseform.h"

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

    named(new QLabel(d, w), "lblMaterial", "Offset=1;");
    auto *frame = named(new QGroupBox(d, w), "fraDensity", "Offset=2;");
    named(new QCheckBox(d, frame), "chkTooltips", "Tooltip=1951;Offset=10;");
    named(new QPushButton(d, w), "cmdSelect", "Offset=5;");
    named(new QLineEdit(d, w), "txtDensity", "Offset=1;");
    named(new QLabel(d, w), "lblMissing", "Offset=11;");
    named(new QLabel(d, w), "lblSum", "Offset=32000;");
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
    QTemporaryDir m_settingsDir;

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    void controls_listed_in_creation_order_once_each()
    {
        const auto window = buildWindow(QString());
        QStringList names;
        const QList<QObject *> controls = WindowControls(window.get());
        // Unnamed menu actions and Qt's own inner widgets are not ours.
        for (const QObject *control : controls)
            if (!control->objectName().isEmpty() && !control->objectName().startsWith(QLatin1String("qt_")))
                names << control->objectName();
        QCOMPARE(names.join(u' '), QStringLiteral("actCancel menuBar mnuFile mnuOptions mnuOptionsMenu "
                                                  "mnuOptionsMore mnuOptionsMoreItem lblMaterial fraDensity "
                                                  "chkTooltips cmdSelect txtDensity lblMissing lblSum"));
        QVERIFY(!controls.contains(window.get()));
    }

    void captions_come_from_offsets_data()
    {
        QTest::addColumn<QString>("windowTag");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shownCaption");
        const auto row = [](const char *tag, const char *name, const char *title, const char *caption,
                            const char *windowTag = "FormOffset=1600;") {
            QTest::newRow(tag) << QString::fromUtf8(windowTag) << QString::fromUtf8(name)
                               << QString::fromUtf8(title) << QString::fromUtf8(caption);
        };
        row("label", "lblMaterial", "Material density select", "Material:");
        row("group box", "fraDensity", "Material density select", "Density:");
        row("tag on menu", "mnuFile", "Material density select", "&Options");
        row("tag on menu action", "mnuOptions", "Material density select", "Select &Wallpaper");
        row("not a number is 0", "mnuOptionsMoreItem", "Material density select", "Material density select");
        row("no caption to set", "txtDensity", "Material density select", "designed");
        row("sum beyond 16 bits", "lblSum", "Material density select", "designed");
        row("button, base language", "cmdSelect", "Set default units", "&Save", "formoffset=1300");
        // Without a usable form offset the window is left as designed.
        row("no form offset", "cmdSelect", "designed", "designed", "");
        row("form offset beyond 16 bits", "cmdSelect", "designed", "designed", "FormOffset=99999;");
    }
    void captions_come_from_offsets()
    {
        QFETCH(QString, windowTag);
        QFETCH(QString, name);
        QFETCH(QString, title);
        const auto window = buildWindow(windowTag);
        QVERIFY(LocaliseForm(window.get(), 0)); // language offsets: the string table's rules
        QCOMPARE(window->windowTitle(), title);
        QTEST(caption(window->findChild<QObject *>(name)), "shownCaption");
        // Where the window stays as designed, every captioned control does too.
        for (const QObject *control : WindowControls(window.get()))
            if (title == u"designed" && !GetTagValue(control, QStringLiteral("Offset")).isEmpty())
                QCOMPARE(caption(control), QStringLiteral("designed"));
    }
};

QTEST_MAIN(TstLocaliseForm)
#include "tst_localiseform.moc"
