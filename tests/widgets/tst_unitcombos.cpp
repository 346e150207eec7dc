// A window's unit lists follow their tags: filled by type, started on the
// default, and saved back as the type's default.

#include "core/settingsstore.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "widgets/unitcombos.h"

#include "testsupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using TestSupport::unitName;
using TestSupport::unitRecord;

namespace {
struct Window
{
    QWidget form;
    QComboBox *mass = list("cmbMass", "UnitType=Mass;");
    QComboBox *lowerMass = list("cmbLower", "UnitType=mass;");
    QComboBox *length = list("cmbLength", "UnitType=Linear distance;");
    QComboBox *editable = list("cmbEditable", "UnitType=Mass;", true);
    QLineEdit *box = new QLineEdit(&form);

    Window() { SetTag(box, QStringLiteral("Default=0.0;")); }
    QComboBox *list(const char *name, const char *tag, bool editable = false)
    {
        auto *combo = new QComboBox(&form);
        combo->setObjectName(QLatin1String(name));
        combo->setEditable(editable);
        SetTag(combo, QLatin1String(tag));
        return combo;
    }
};
} // namespace

class TestUnitCombos : public QObject
{
    Q_OBJECT
    QTemporaryDir m_settingsDir;
    Settings m_settings{TestSupport::settingsFile(m_settingsDir)};
    ConversionTableData m_units;

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        m_units = TestSupport::unitTable(
            {unitRecord("Linear distance", "ft"), unitRecord("Linear distance", "m"), unitRecord("Mass", "g"),
             unitRecord("Mass", "kg"), unitRecord("Mass", "lbs", 1, 0, "kg"), unitRecord("Mass", "oz")});
    }
    void init() { QFile::remove(m_settings.fileName()); }

    // Which unit a list starts on, also when the stored one is gone, is
    // checked with the unit-list rules.
    void lists_and_default_tags_follow_their_tags()
    {
        Window w;
        m_settings.setDefaultUnit(QStringLiteral("Linear distance"), QStringLiteral("ft"));
        FillUnitCombos(m_units, &w.form);
        ApplyDefaultUnits(m_settings, &w.form);
        QCOMPARE(w.mass->count(), 3);
        QCOMPARE(w.mass->currentText(), unitName("kg"));
        QCOMPARE(w.lowerMass->currentText(), unitName("g")); // built-ins compare case-sensitively
        QCOMPARE(w.length->currentText(), unitName("ft"));
        QCOMPARE(w.editable->count(), 0); // an editable combo box is no unit list

        w.mass->setCurrentIndex(2);
        SaveDefaultUnits(m_settings, &w.form);
        QCOMPARE(m_settings.defaultUnit(QStringLiteral("Mass")), unitName("oz"));

        // Default tags are written in the locale's number format.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ApplyDefaultTags(&w.form);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(w.box->text(), QStringLiteral("0,0"));
    }

    // A screen reader walking a window builds no list's pop-up (a window
    // holds up to thirty lists); the entries are its child once it opens.
    void a_unit_list_builds_its_popup_only_when_opened()
    {
        QWidget form;
        auto *list = new UnitList(6, &form);
        list->addItems({unitName("g"), unitName("kg")});
        form.show();
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(list);
        QCOMPARE(spoken->childCount(), 0);
        QVERIFY(!spoken->child(0));
        QVERIFY(!spoken->state().expanded);
        QVERIFY(!list->findChild<QAbstractItemView *>());

        list->showPopup();
        QCOMPARE(spoken->childCount(), 1);
        QCOMPARE(spoken->child(0)->object(), list->view());
        QCOMPARE(spoken->indexOfChild(spoken->child(0)), 0);
        QVERIFY(spoken->state().expanded);
        list->hidePopup();
        QVERIFY(!spoken->state().expanded);
        QCOMPARE(spoken->childCount(), 1);
    }
};

QTEST_MAIN(TestUnitCombos)
#include "tst_unitcombos.moc"
