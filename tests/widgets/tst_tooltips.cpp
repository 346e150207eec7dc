#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

#include "core/settingsstore.h"
#include "core/tags.h"
#include "testsupport.h"
#include "widgets/localiseform.h"
#include "widgets/tooltipsoption.h"

namespace {
const QString Section = QStringLiteral("Global Settings");
const QString Key = QStringLiteral("Tooltips");
} // namespace

class TstTooltips : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_settingsDir); }

    // The reading rule itself is checked in the settings store's tests.
    // Absent reads as on and Off as off; a toggle saves the other state.
    void option_loads_toggles_and_saves_normalised()
    {
        for (const bool stored : {false, true}) {
            QFile::remove(m_context.settings().fileName());
            if (stored)
                m_context.settings().write(Section, Key, QStringLiteral("Off"));
            QAction option;
            option.setChecked(stored);
            LoadTooltipsOption(m_context.settings(), &option);
            QVERIFY(option.isCheckable());
            QCOMPARE(option.isChecked(), !stored);
            ToggleTooltipsOption(&option);
            SaveTooltipsOption(m_context.settings(), &option);
            QCOMPARE(m_context.settings().read(Section, Key),
                     stored ? QStringLiteral("On") : QStringLiteral("Off"));
        }
    }

    void hint_text_from_tag_data()
    {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("hint");
        const auto row = [](const char *name, const char *tag, const char *hint) {
            QTest::newRow(name) << QString::fromUtf8(tag) << QString::fromUtf8(hint);
        };
        // Offsets and fallbacks of the lookup are checked with the string table.
        row("string id", "UnitType=Density;Tooltip=1968;", "Units for display densities");
        row("text starting with a number", "Tooltip=3 digits", "3 digits");
        row("id with blanks", "Tooltip= 1951 ;", "Value to be converted");
        row("no entry", "Offset=4;", "");
    }
    void hint_text_from_tag()
    {
        QFETCH(QString, tag);
        QObject control;
        SetTag(&control, tag);
        QTEST(TagHintText(&control, 0), "hint");
    }

    // A designed native hint always shows; the tag hint then only describes
    // the control to screen readers.
    void tag_hints_follow_the_option_and_never_replace_native_hints()
    {
        QWidget window;
        auto *both = new QPushButton(QStringLiteral("both"), &window);
        both->setToolTip(QStringLiteral("native both"));
        SetTag(both, QStringLiteral("Tooltip=1970;Offset=4;"));
        auto *tagOnly = new QLabel(&window);
        SetTag(tagOnly, QStringLiteral("Tooltip=Number of significant digits;"));
        auto *nativeOnly = new QLabel(&window);
        nativeOnly->setToolTip(QStringLiteral("native only"));
        auto *menuBar = new QMenuBar(&window);
        QMenu *menu = menuBar->addMenu(QStringLiteral("&Options"));
        QAction *entry = menu->addAction(QStringLiteral("&Copy..."));
        SetTag(entry, QStringLiteral("Tooltip=1955;"));
        auto *toolBar = new QToolBar(&window);
        QAction *tool = toolBar->addAction(QStringLiteral("Tool"));
        tool->setToolTip(QStringLiteral("native tool"));
        SetTag(tool, QStringLiteral("Tooltip=1956"));

        QWidget *toolButton = toolBar->widgetForAction(tool);
        const auto hints = [&]() {
            return QStringList{both->toolTip(),  tagOnly->toolTip(), nativeOnly->toolTip(),
                               entry->toolTip(), tool->toolTip(),    toolButton->toolTip()};
        };
        for (int round = 0; round < 2; ++round) {
            ApplyTagHints(&window, true, 0);
            QCOMPARE(hints(),
                     (QStringList{"native both", "Number of significant digits", "native only",
                                  "Copy value and units to clipboard", "native tool", "native tool"}));
            ApplyTagHints(&window, false, 0);
            // A menu entry without a hint of its own keeps following its text.
            entry->setText(QStringLiteral("&Paste"));
            QCOMPARE(hints(),
                     (QStringList{"native both", "", "native only", "Paste", "native tool", "native tool"}));
            entry->setText(QStringLiteral("&Copy..."));
        }
        QCOMPARE((QStringList{both->accessibleDescription(), tagOnly->accessibleDescription(),
                              nativeOnly->accessibleDescription(), toolButton->accessibleDescription()}),
                 (QStringList{"Add new density to table", "Number of significant digits", "",
                              "Copy value only to clipboard"}));
    }

private:
    QTemporaryDir m_settingsDir;
    TestSupport::TestContext m_context{m_settingsDir};
};

QTEST_MAIN(TstTooltips)
#include "tst_tooltips.moc"
