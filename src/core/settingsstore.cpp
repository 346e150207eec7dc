#include "core/settingsstore.h"

#include "core/toolbarposition.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <utility>

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

QString &pendingWriteFailure()
{
    static QString failure;
    return failure;
}

// Why the store's file could not be written, as far as the file system tells.
QString writeFailureText(const QString &fileName, QSettings::Status status)
{
    const QFileInfo file(fileName);
    const QFileInfo folder(file.absolutePath());
    QString why;
    if (status == QSettings::FormatError)
        why = QStringLiteral("the file is not a valid settings file");
    else if (file.exists() && !file.isFile())
        why = QStringLiteral("it is not a regular file");
    else if (file.exists() && !file.isReadable())
        why = QStringLiteral("the file cannot be read");
    else if (file.exists() && !file.isWritable())
        why = QStringLiteral("the file is read-only");
    else if (!folder.isDir())
        why = QStringLiteral("its folder cannot be made");
    else if (!folder.isWritable())
        why = QStringLiteral("its folder is read-only");
    else
        why = QStringLiteral("the file could not be written");
    return QStringLiteral("Your settings could not be saved to %1: %2.")
        .arg(QDir::toNativeSeparators(fileName), why);
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

bool SettingsStore::write(const QString &section, const QString &key, const QString &value)
{
    QSettings store = openStore();
    store.setValue(keyPath(section, key), value);
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    // A file QSettings could not parse is still rewritten whole by sync(),
    // but its status keeps the parse error: a value that reads back was saved.
    if (store.status() == QSettings::FormatError && openStore().value(keyPath(section, key)) == value)
        return true;
    if (pendingWriteFailure().isEmpty())
        pendingWriteFailure() = writeFailureText(store.fileName(), store.status());
    return false;
}

QString SettingsStore::takeWriteFailure()
{
    return std::exchange(pendingWriteFailure(), QString());
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

// Every fixed entry of the store. Default units are keyed by unit type, so
// only their section is fixed.
enum class Entry {
    LanguageOffset,
    ToolbarX,
    ToolbarY,
    Tooltips,
    UnitsDigits,
    UnitsUsConvention,
    UnitsNotation,
    InertiaDigits,
    InertiaNotation,
    DensityDigits,
    DensityNotation,
};

struct EntryName
{
    Entry entry;
    const char *section;
    const char *key;
};

constexpr EntryName Entries[] = {
    {Entry::LanguageOffset, "Settings", "Language offset"},
    {Entry::ToolbarX, "Toolbar", "X"},
    {Entry::ToolbarY, "Toolbar", "Y"},
    {Entry::Tooltips, "Global Settings", "Tooltips"},
    {Entry::UnitsDigits, "Units Calculator", "Digits"},
    {Entry::UnitsUsConvention, "Units Calculator", "US Convention"},
    {Entry::UnitsNotation, "Units Calculator", "NotationMode"},
    {Entry::InertiaDigits, "Inertia Calculator", "Digits"},
    {Entry::InertiaNotation, "Inertia Calculator", "NotationMode"},
    {Entry::DensityDigits, "Density Select", "Digits"},
    {Entry::DensityNotation, "Density Select", "NotationMode"},
};
constexpr char DefaultUnitsSection[] = "Default Units";

const EntryName &nameOf(Entry entry)
{
    return Entries[int(entry)];
}

QString read(Entry entry)
{
    const EntryName &name = nameOf(entry);
    return SettingsStore::read(QLatin1String(name.section), QLatin1String(name.key));
}

void write(Entry entry, const QString &value)
{
    const EntryName &name = nameOf(entry);
    SettingsStore::write(QLatin1String(name.section), QLatin1String(name.key), value);
}

Entry digitsEntry(Calculator calculator)
{
    switch (calculator) {
    case Calculator::Units:
        return Entry::UnitsDigits;
    case Calculator::Inertia:
        return Entry::InertiaDigits;
    case Calculator::Density:
        break;
    }
    return Entry::DensityDigits;
}

Entry notationEntry(Calculator calculator)
{
    switch (calculator) {
    case Calculator::Units:
        return Entry::UnitsNotation;
    case Calculator::Inertia:
        return Entry::InertiaNotation;
    case Calculator::Density:
        break;
    }
    return Entry::DensityNotation;
}

} // namespace

QString flagText(bool on)
{
    return on ? QStringLiteral("True") : QStringLiteral("False");
}

QString languageOffsetText()
{
    return read(Entry::LanguageOffset);
}

std::optional<QPoint> toolbarPosition()
{
    return StoredToolbarPosition(read(Entry::ToolbarX), read(Entry::ToolbarY));
}

void setToolbarPosition(QPoint pixels)
{
    write(Entry::ToolbarX, TwipsText(pixels.x()));
    write(Entry::ToolbarY, TwipsText(pixels.y()));
}

bool tooltips()
{
    const QString text = read(Entry::Tooltips);
    return text.isEmpty() || text == QLatin1String("On");
}

void setTooltips(bool on)
{
    write(Entry::Tooltips, on ? QStringLiteral("On") : QStringLiteral("Off"));
}

int digits(Calculator calculator)
{
    const QString text = read(digitsEntry(calculator)).trimmed();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return 6;
    // A hand-edited value outside the scroll bar's range is brought into it.
    return int(std::clamp(std::nearbyint(value), 1.0, 7.0));
}

void setDigits(Calculator calculator, int digits)
{
    write(digitsEntry(calculator), QString::number(digits));
}

bool notationMode(Calculator calculator)
{
    return read(notationEntry(calculator)) == QLatin1String("True");
}

void setNotationMode(Calculator calculator, bool on)
{
    write(notationEntry(calculator), flagText(on));
}

bool usConvention()
{
    return read(Entry::UnitsUsConvention) != QLatin1String("False");
}

void setUsConvention(bool on)
{
    write(Entry::UnitsUsConvention, flagText(on));
}

QString defaultUnit(const QString &unitType)
{
    return SettingsStore::read(QLatin1String(DefaultUnitsSection), unitType);
}

void setDefaultUnit(const QString &unitType, const QString &unitName)
{
    SettingsStore::write(QLatin1String(DefaultUnitsSection), unitType, unitName);
}

} // namespace Settings
