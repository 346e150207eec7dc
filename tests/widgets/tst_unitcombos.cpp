// A window's unit lists follow their tags: filled by type, started on the
// default, and saved back as the type's default.

#include "core/settingsstore.h"
#include "core/tags.h"
#include "units/conversiontable.h"
#include "widgets/unitcombos.h"

#include "testsupport.h"

#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

namespace {
QString unit(const char *name)
{
    return PadRight(QString::fromUtf8(name), UnitNameWidth);
}
ConversionRecord record(const char *name, const char *type, bool display = true)
{
    return {unit(name), 1, 0, PadRight(QString::fromUtf8(type), UnitTypeWidth), display, unit("")};
}

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

private Q_SLOTS:
    void initTestCase()
    {
        TestSupport::initTestEnvironment(m_settingsDir);
        QByteArray bytes;
        for (const ConversionRecord &r :
             {record("ft", "Linear distance"), record("m", "Linear distance"), record("g", "Mass"),
              record("kg", "Mass"), record("lbs", "Mass", false), record("oz", "Mass")})
            bytes += EncodeConversionRecord(r);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        LoadConversionTable(buffer);
    }
    void init() { QFile::remove(SettingsStore::fileName()); }

    void lists_fill_start_on_their_defaults_and_save_them()
    {
        Window w;
        Settings::setDefaultUnit(QStringLiteral("Linear distance"), QStringLiteral("ft"));
        FillUnitCombos(&w.form);
        ApplyDefaultUnits(&w.form);
        QCOMPARE(w.mass->count(), 3);
        QCOMPARE(w.mass->currentText(), unit("kg"));
        QCOMPARE(w.lowerMass->currentText(), unit("g")); // built-ins compare case-sensitively
        QCOMPARE(w.length->currentText(), unit("ft"));
        QCOMPARE(w.editable->count(), 0); // an editable combo box is no unit list

        w.mass->setCurrentIndex(2);
        SaveDefaultUnits(&w.form);
        QCOMPARE(Settings::defaultUnit(QStringLiteral("Mass")), unit("oz"));
    }

    void a_stored_unit_that_is_not_listed_falls_back_to_the_built_in()
    {
        Window w;
        Settings::setDefaultUnit(QStringLiteral("Mass"), QStringLiteral("stone"));
        FillUnitCombos(&w.form);
        ApplyDefaultUnits(&w.form);
        QCOMPARE(w.mass->currentText(), unit("kg"));
    }

    void default_tags_are_written_for_the_locale()
    {
        Window w;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ApplyDefaultTags(&w.form);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        QCOMPARE(w.box->text(), QStringLiteral("0,0"));
    }
};

QTEST_MAIN(TestUnitCombos)
#include "tst_unitcombos.moc"
