#include "core/settingsstore.h"

#include <QSettings>

#include <algorithm>
#include <cmath>

namespace {

QString &overridePath()
{
    static QString path;
    return path;
}

// One QSettings per call keeps every write on disk at once and lets tests
// redirect the file at any time; the store is touched only at window load
// and unload, so the cost does not matter.
QSettings openStore()
{
    if (!overridePath().isEmpty())
        return QSettings(overridePath(), QSettings::IniFormat);
    return QSettings(QSettings::IniFormat, QSettings::UserScope, Settings::ApplicationName,
                     Settings::ApplicationName);
}

QString keyPath(const QString &section, const QString &key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString SettingsStore::read(const QString &section, const QString &key)
{
    QSettings store = openStore();
    const QVariant value = store.value(keyPath(section, key));
    // A value that QSettings parsed as a list (a comma in a hand-edited file)
    // is joined back so the text reads as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    QSettings store = openStore();
    store.setValue(keyPath(section, key), value);
    store.sync();
}

QString SettingsStore::fileName()
{
    return openStore().fileName();
}

void SettingsStore::useFile(const QString &path)
{
    overridePath() = path;
}

namespace Settings {

namespace {
const QString GlobalSection = QStringLiteral("Global Settings");
const QString UnitsSection = QStringLiteral("Units Calculator");
} // namespace

QString flagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

bool tooltips()
{
    const QString text = SettingsStore::read(GlobalSection, QStringLiteral("Tooltips"));
    return text.isEmpty() || text == QLatin1String("On");
}

void setTooltips(bool on)
{
    SettingsStore::write(GlobalSection, QStringLiteral("Tooltips"),
                         on ? QStringLiteral("On") : QStringLiteral("Off"));
}

int digits(const QString &section)
{
    const QString text = SettingsStore::read(section, QStringLiteral("Digits")).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 6;
    // A hand-edited value outside the scroll bar's range is brought into it.
    return int(std::clamp(std::nearbyint(value), 1.0, 7.0));
}

void setDigits(const QString &section, int digits)
{
    SettingsStore::write(section, QStringLiteral("Digits"), QString::number(digits));
}

bool notationMode(const QString &section)
{
    return SettingsStore::read(section, QStringLiteral("NotationMode")) == QLatin1String("True");
}

void setNotationMode(const QString &section, bool on)
{
    SettingsStore::write(section, QStringLiteral("NotationMode"), flagText(on));
}

bool usConvention()
{
    return SettingsStore::read(UnitsSection, QStringLiteral("US Convention")) != QLatin1String("False");
}

void setUsConvention(bool on)
{
    SettingsStore::write(UnitsSection, QStringLiteral("US Convention"), flagText(on));
}

} // namespace Settings
