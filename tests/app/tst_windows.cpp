// What every window of the program does alike: it opens where the user left
// it, and Tab walks its controls in the order they are laid out.

#include "app/registerwindows.h"
#include "axiswin/frmaxisitem.h"
#include "axiswin/frmbestratio.h"
#include "core/tags.h"
#include "driveswin/frmcomparemotors.h"
#include "driveswin/frmdriveentry.h"
#include "driveswin/frmdrivetables.h"
#include "testsupport.h"
#include "widgets/helpwindow.h"
#include "widgets/unitcombos.h"
#include "widgets/windowplace.h"

#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QtTest>

#include <memory>

namespace {

// Every top-level window: the catalogue, the help window, the axis item editor
// and the motor and gearbox tables with their editor.
std::vector<std::pair<QString, std::function<std::unique_ptr<QWidget>()>>> allWindows(WindowContext &context)
{
    std::vector<std::pair<QString, std::function<std::unique_ptr<QWidget>()>>> windows;
    for (const ProgramWindow &entry : ProgramWindows(context))
        windows.emplace_back(entry.name, entry.make);
    windows.emplace_back(QStringLiteral("frmHelp"),
                         [&context] { return std::unique_ptr<QWidget>(new HelpWindow(context, nullptr)); });
    windows.emplace_back(QStringLiteral("frmAxisItem"),
                         [&context] { return std::make_unique<frmAxisItem>(AxisItem{}, context); });
    windows.emplace_back(QStringLiteral("frmDriveTables"),
                         [&context] { return std::make_unique<frmDriveTables>(context); });
    windows.emplace_back(QStringLiteral("frmDriveEntry"), [&context] {
        return std::make_unique<frmDriveEntry>(
            context.settings(), QStringLiteral("Add a motor"), MotorColumns(), QStringList(),
            [](const QStringList &) { return std::vector<TableProblem>(); });
    });
    windows.emplace_back(QStringLiteral("frmBestRatio"), [&context] {
        return std::make_unique<frmBestRatio>(context, Axis{}, MoveInputs{}, QStringLiteral("rpm"),
                                              QStringLiteral("N-m"));
    });
    windows.emplace_back(QStringLiteral("frmCompareMotors"), [&context] {
        return std::make_unique<frmCompareMotors>(context, Axis{}, MoveInputs{}, QStringLiteral("rpm"),
                                                  QStringLiteral("N-m"));
    });
    return windows;
}

// The window of that name, made anew.
std::unique_ptr<QWidget> makeWindow(WindowContext &context, const QString &name)
{
    for (const auto &[entry, make] : allWindows(context))
        if (entry == name)
            return make();
    qFatal("no window %s", qPrintable(name));
}

// Whether control scrolls inside a view, where it may lie outside what shows.
bool scrolls(const QWidget *control)
{
    for (const QWidget *up = control->parentWidget(); up; up = up->parentWidget())
        if (auto *area = qobject_cast<const QAbstractScrollArea *>(up->parentWidget());
            area && area->viewport() == up)
            return true;
    return false;
}

} // namespace

class TestWindows : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    TestSupport::TestContext m_context{m_dir};

private Q_SLOTS:
    void initTestCase() { TestSupport::initTestEnvironment(m_dir); }

    // The stored place is used only when it is whole and can be grabbed on
    // a screen there is; otherwise the window opens as designed. A place
    // that runs off the screen comes onto it whole, no larger than it.
    void window_opens_at_its_stored_place_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QRect>("expected");
        const QRect designed(100, 120, 320, 200);
        QTest::newRow("nothing stored") << QString() << designed;
        QTest::newRow("on the screen") << "40,60,420,300" << QRect(40, 60, 420, 300);
        QTest::newRow("hand-edited with spaces") << "40, 60, 420, 300" << QRect(40, 60, 420, 300);
        // The headless screen is 800 × 600 and frames a window with 2 pixels.
        QTest::newRow("running off the right edge") << "780,60,420,300" << QRect(378, 60, 420, 300);
        QTest::newRow("wider than the screen") << "40,60,2000,300" << QRect(2, 60, 796, 300);
        QTest::newRow("off every screen") << "5000,60,420,300" << designed;
        QTest::newRow("title bar above the screen, body on it") << "40,-100,420,300" << designed;
        QTest::newRow("damaged: not numbers") << "forty,60,420,300" << designed;
        QTest::newRow("damaged: no size") << "40,60,0,300" << designed;
    }
    void window_opens_at_its_stored_place()
    {
        QFETCH(QString, stored);
        QFETCH(QRect, expected);
        Settings &settings = m_context.settings();
        settings.write(QString::fromLatin1(Settings::WindowPlacesSection.data()), QStringLiteral("frmPlaced"),
                       stored);

        QDialog window;
        window.setObjectName(QStringLiteral("frmPlaced"));
        window.setGeometry(100, 120, 320, 200); // as designed
        KeepWindowPlace(settings, &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.geometry(), expected);

        // Moved and closed, it is stored where the user left it.
        window.setGeometry(50, 70, 360, 240);
        window.close();
        QCOMPARE(settings.windowPlace(QStringLiteral("frmPlaced")), QRect(50, 70, 360, 240));
    }

    void every_window_keeps_its_place()
    {
        QStringList forgetful;
        for (const auto &[name, make] : allWindows(m_context)) {
            const std::unique_ptr<QWidget> window = make();
            QCOMPARE(window->objectName(), name);
            if (name != QLatin1String("frmToolbar") && !KeepsWindowPlace(window.get()))
                forgetful << name;
        }
        QVERIFY2(forgetful.isEmpty(), qPrintable(forgetful.join(u", ")));
    }

    // The tests' fontconfig gives the DejaVu families alone, whatever else
    // the machine has, so no measure below depends on the machine.
    void tests_see_only_their_own_fonts()
    {
        QStringList others;
        for (const QString &family : QFontDatabase::families())
            if (!QFontInfo(QFont(family)).family().startsWith(u"DejaVu"))
                others << family;
        QVERIFY2(others.isEmpty(), qPrintable(others.join(u", ")));
        QCOMPARE(QFontInfo(QFont()).family(), QStringLiteral("DejaVu Sans"));
    }

    // At the desktop's usual font sizes every window at its smallest (the
    // axis window on each tab) fits a 1024 × 768 screen with room for its
    // frame, title bar and a panel, every control whole inside what holds it.
    void every_window_fits_a_small_screen_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<int>("tab"); // -1: a window without tabs
        QTest::addColumn<int>("points");
        for (const int points : {TestSupport::TestFontPoints, 10, 11}) {
            for (const auto &[name, make] : allWindows(m_context)) {
                const QStringList tabs =
                    name == u"frmAxisSizing" ? QStringList{"Inertia", "Move"} : QStringList{""};
                for (int tab = 0; tab < tabs.size(); ++tab)
                    QTest::addRow("%s %s %d pt", qPrintable(name), qPrintable(tabs[tab]), points)
                        << name << (tabs[tab].isEmpty() ? -1 : tab) << points;
            }
        }
    }
    void every_window_fits_a_small_screen()
    {
        QFETCH(QString, window);
        QFETCH(int, tab);
        QFETCH(int, points);
        TestSupport::useFont(TestSupport::testFont(points));
        const auto restore = qScopeGuard([] { TestSupport::useFont(TestSupport::testFont()); });
        const std::unique_ptr<QWidget> form = makeWindow(m_context, window);
        if (tab >= 0)
            TestSupport::child<QTabWidget>(form.get(), QStringLiteral("tabAxis"))->setCurrentIndex(tab);
        // A window without a layout's minimum opens at its designed size.
        const QSize opens = form->testAttribute(Qt::WA_Resized) ? form->size() : form->sizeHint();
        const QSize smallest = form->minimumSizeHint().isValid()
                                   ? form->minimumSizeHint().expandedTo(form->minimumSize())
                                   : opens.expandedTo(form->minimumSize());
        QVERIFY2(smallest.width() <= 1024 - 16 && smallest.height() <= 768 - 64,
                 qPrintable(QStringLiteral("%1 × %2").arg(smallest.width()).arg(smallest.height())));
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->resize(smallest);
        QCoreApplication::processEvents();
        QStringList cut;
        for (const QWidget *control : form->findChildren<QWidget *>()) {
            if (control->isVisible() && !control->objectName().isEmpty() &&
                !control->objectName().startsWith(u"qt_") && !scrolls(control) &&
                !control->parentWidget()->rect().contains(control->geometry()))
                cut << control->objectName();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u", ")));
    }

    // Unit lists are sized from the font, not from their entries: each still
    // shows every unit of the shipped table whole, and none has built its
    // pop-up before it first opens (each costs memory in every open window),
    // also when a screen reader has walked the program's own lists.
    void unit_lists_show_every_unit_whole_without_a_popup()
    {
        QStringList faults;
        for (const auto &[name, make] : allWindows(m_context)) {
            const std::unique_ptr<QWidget> window = make();
            for (QComboBox *list : window->findChildren<QComboBox *>()) {
                if (GetTagValue(list, QStringLiteral("UnitType")).isEmpty())
                    continue;
                const QString where = name + u'.' + list->objectName();
                if (dynamic_cast<UnitList *>(list)) {
                    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(list);
                    spoken->state();
                    for (int i = 0; i < spoken->childCount(); ++i)
                        spoken->child(i);
                }
                if (list->findChild<QAbstractItemView *>())
                    faults << where + QStringLiteral(": pop-up built");
                list->resize(list->sizeHint());
                QStyleOptionComboBox option;
                option.initFrom(list);
                const int room =
                    list->style()
                        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                        .width();
                for (int i = 0; i < list->count(); ++i)
                    if (list->fontMetrics().horizontalAdvance(list->itemText(i).trimmed()) > room)
                        faults << where + QStringLiteral(": ") + list->itemText(i).trimmed();
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u", ")));
    }

    // A figure's text can be selected with the mouse, but only a figure the
    // mouse has reached holds the text document that takes (a window shows
    // dozens of figures).
    void figures_become_selectable_when_the_mouse_reaches_them_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("figure");
        QTest::newRow("inertia result") << QStringLiteral("frmInertiaCalc") << QStringLiteral("lblIxx");
        QTest::newRow("axis result") << QStringLiteral("frmAxisSizing") << QStringLiteral("lblResult_2");
        QTest::newRow("move result") << QStringLiteral("frmAxisSizing")
                                     << QStringLiteral("lblResult_peakTorque");
    }
    void figures_become_selectable_when_the_mouse_reaches_them()
    {
        QFETCH(QString, window);
        QFETCH(QString, figure);
        const std::unique_ptr<QWidget> made = makeWindow(m_context, window);
        made->show();
        auto *label = made->findChild<QLabel *>(figure);
        QVERIFY(label);
        QVERIFY(!(label->textInteractionFlags() & Qt::TextSelectableByMouse));
        const QPointF inside(2, 2);
        QEnterEvent enter(inside, inside, label->mapToGlobal(inside));
        QApplication::sendEvent(label, &enter);
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    }

    // Tab walks every control in the order a reader meets them: left to
    // right, top to bottom (columns of a window one after the other). The
    // walk is a ring; it is compared from the first control listed.
    void tab_follows_the_layout_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("order");
        const QHash<QString, QStringList> orders = {
            {"frmToolbar", {"cmdLogo", "cmdUnits", "cmdInertia", "cmdDensity", "cmdTrig", "cmdAxis"}},
            {"frmUnitCalculator",
             {"cmbUnitTypes", "imgLogo", "cmdOff", "cmdOn", "txtNumber", "cmbUnits", "lvConversions",
              "vscrlDigits"}},
            // Density mode: the two mode options are one stop, the chosen
            // one; the arrow keys choose between them.
            {"frmInertiaCalc",
             {"imgLogo",        "cmdOff",          "cmdOn",           "cmbShape",       "optDensity",
              "cmdFindDensity", "txtDensity",      "cmbDensityUnits", "cmbMassUnits",   "txtLength",
              "cmbLengthUnits", "txtOutsideDia",   "cmbODUnits",      "txtInsideDia",   "cmbIDUnits",
              "cmbResultUnits", "cmdCopyValue_0",  "cmdCopyAll_0",    "cmdCopyValue_3", "cmdCopyAll_3",
              "cmdCopyValue_1", "cmdCopyAll_1",    "cmdCopyValue_4",  "cmdCopyAll_4",   "cmdCopyValue_2",
              "cmdCopyAll_2",   "cmdNotationMode", "vscrlDigits"}},
            {"frmSetDefaultUnits",
             {"cmbDefaultMassUnits", "cmbDefaultDensityUnits", "cmbDefaultLDUnits", "cmbDefaultInertiaUnits",
              "cmdSave", "cmdCancel"}},
            // No density file here: only the list, the boxes and Save/Cancel take part.
            {"frmDensitySelect",
             {"imgLogo", "cmdOff", "cmdOn", "cmbDisplayUnits", "lstMaterials", "txtMaterial", "txtDensity",
              "cmbDensityUnits", "cmdSave", "cmdCancel", "cmdNotationMode", "vscrlDigits"}},
            {"frmIntegral", {"picDisplay"}},
            {"frmErrorHandler", {"txtReportedBy", "txtUserComments", "cmdLogError", "cmdPrint", "cmdExit"}},
            {"frmAbout", {"Label1_1", "Label1_2", "Label1_5", "Label1_7", "Label1_8", "cmdOk"}},
            {"frmCompanyInfo", {"Label1_5", "cmdOk"}},
            // An empty axis: only Add of the item keys takes part.
            {"frmAxisSizing",
             {"tblItems",
              "cmdAdd",
              "txtGearRatio",
              "txtGearboxInertia",
              "cmbGearboxInertiaUnits",
              "txtRotorInertia",
              "cmbRotorInertiaUnits",
              "txtTargetRatio",
              "cmbResultUnits",
              "cmdCopyValue_0",
              "cmdCopyAll_0",
              "cmdCopyValue_1",
              "cmdCopyAll_1",
              "cmdCopyValue_2",
              "cmdCopyAll_2",
              "cmdCopyValue_3",
              "cmdCopyAll_3",
              "cmdNotationMode",
              "vscrlDigits",
              "qt_tabwidget_tabbar"}},
            {"frmHelp", {"cmdHelpHome", "lstHelpContents", "txtHelpPage"}},
            {"frmAxisItem",
             {"txtName", "spnQuantity", "cmbSide", "txtInertia", "cmbInertiaUnits", "cmdOK", "cmdCancel"}},
            // No table file here: Edit and Delete wait for a row.
            {"frmDriveTables", {"qt_tabwidget_tabbar", "tblMotors", "cmdAddM", "cmdImportM", "cmdClose"}},
            {"frmDriveEntry",
             {"txtName", "txtMakerOrNote", "txtRotorInertia", "txtMaximumSpeed", "cmbPeakTorqueForm",
              "txtPeakTorque", "cmbContinuousTorqueForm", "txtContinuousTorque", "txtRatedVoltage",
              "txtBrakeTorque", "cmdOK", "cmdCancel"}},
            // An empty axis has no ratio to offer: the list and Close.
            {"frmBestRatio", {"cmbRatioChoice", "cmdClose"}},
            // No motor table: nothing to compare or use.
            {"frmCompareMotors", {"lstMotors", "lstGearboxRatios", "cmbSortBy", "tblCandidates", "cmdClose"}},
        };
        for (const auto &[name, make] : allWindows(m_context))
            QTest::newRow(qPrintable(name)) << name << orders.value(name);
    }
    void tab_follows_the_layout()
    {
        QFETCH(QString, window);
        QFETCH(QStringList, order);
        QVERIFY2(!order.isEmpty(), "a window without its expected order");
        std::unique_ptr<QWidget> form;
        for (const auto &[name, make] : allWindows(m_context))
            if (name == window)
                form = make();
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QWidget *start = form->findChild<QWidget *>(order.first());
        QVERIFY(start);
        start->setFocus(Qt::TabFocusReason);
        QStringList walked;
        for (int presses = 0; presses < 500; ++presses) {
            QWidget *at = QApplication::focusWidget();
            QVERIFY(at);
            if (presses > 0 && at == start)
                break;
            // The help page keeps the focus while Tab walks its links.
            if (walked.isEmpty() || walked.last() != at->objectName())
                walked << at->objectName();
            QTest::keyClick(at, Qt::Key_Tab);
        }
        QCOMPARE(walked.join(u' '), order.join(u' '));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
