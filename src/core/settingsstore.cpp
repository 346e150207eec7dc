#include "core/settingsstore.h"

#include "core/recentfiles.h"
#include "core/toolbarposition.h"
#include "core/windowplace.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

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

QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// Each calculator's own digits and notation entries, in Calculator order.
struct CalculatorKeys
{
    Settings::Key digits;
    Settings::Key notation;
};
constexpr CalculatorKeys CalculatorEntries[] = {
    {Settings::Key::UnitsDigits, Settings::Key::UnitsNotation},
    {Settings::Key::InertiaDigits, Settings::Key::InertiaNotation},
    {Settings::Key::DensityDigits, Settings::Key::DensityNotation},
    {Settings::Key::AxisDigits, Settings::Key::AxisNotation},
};
static_assert(std::size(CalculatorEntries) == std::size_t(Settings::Calculator::Axis) + 1,
              "each calculator needs its digits and notation entries");

Settings::Key digitsKey(Settings::Calculator calculator)
{
    return CalculatorEntries[int(calculator)].digits;
}

Settings::Key notationKey(Settings::Calculator calculator)
{
    return CalculatorEntries[int(calculator)].notation;
}

// The words a flag is stored as: on, off.
std::pair<QString, QString> flagWords(Settings::Type type)
{
    if (type == Settings::Type::OnOff)
        return {QStringLiteral("On"), QStringLiteral("Off")};
    return {QStringLiteral("True"), QStringLiteral("False")};
}

// One QSettings per call keeps every write on disk at once; the store is
// touched only at window load and unload, so the cost does not matter.
QSettings openStore(const QString &fileName)
{
    if (!fileName.isEmpty())
        return QSettings(fileName, QSettings::IniFormat);
    return QSettings(QSettings::IniFormat, QSettings::UserScope, Settings::ApplicationName,
                     Settings::ApplicationName);
}

} // namespace

Settings::Settings(const QString &fileName) : m_fileName(fileName) {}

QString Settings::read(const QString &section, const QString &key) const
{
    QSettings store = openStore(m_fileName);
    const QVariant value = store.value(keyPath(section, key));
    // A value that QSettings parsed as a list (a comma in a hand-edited file)
    // is joined back so the text reads as written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool Settings::write(const QString &section, const QString &key, const QString &value)
{
    QSettings store = openStore(m_fileName);
    // An unchanged value is not written: each window writes its settings as
    // it closes, and rewriting the whole file for nothing costs a save to
    // disk and drops the user's comments in it.
    const QVariant stored = store.value(keyPath(section, key));
    if (stored.typeId() == QMetaType::QString && stored.toString() == value)
        return true;
    store.setValue(keyPath(section, key), value);
    store.sync();
    if (store.status() == QSettings::NoError)
        return true;
    // A file QSettings could not parse is still rewritten whole by sync(),
    // but its status keeps the parse error: a value that reads back was saved.
    if (store.status() == QSettings::FormatError &&
        openStore(m_fileName).value(keyPath(section, key)) == value)
        return true;
    if (m_pendingWriteFailure.isEmpty())
        m_pendingWriteFailure = writeFailureText(store.fileName(), store.status());
    return false;
}

QString Settings::takeWriteFailure()
{
    return std::exchange(m_pendingWriteFailure, QString());
}

QString Settings::fileName() const
{
    return openStore(m_fileName).fileName();
}

QString Settings::text(Key key) const
{
    const Row &entry = row(key);
    return read(toQString(entry.section), toQString(entry.name));
}

bool Settings::setText(Key key, const QString &value)
{
    const Row &entry = row(key);
    return write(toQString(entry.section), toQString(entry.name), value);
}

QString Settings::flagText(bool on)
{
    const auto [onWord, offWord] = flagWords(Type::TrueFalse);
    return on ? onWord : offWord;
}

bool Settings::flag(Key key) const
{
    const Row &entry = row(key);
    const auto [onWord, offWord] = flagWords(entry.type);
    const bool byDefault = toQString(entry.defaultText) == onWord;
    const QString stored = text(key);
    if (stored.isEmpty())
        return byDefault;
    if (entry.type == Type::OnOff)
        return stored == onWord;
    // Only the exact word opposite the default changes a True/False flag.
    return byDefault ? stored != offWord : stored == onWord;
}

void Settings::setFlag(Key key, bool on)
{
    const auto [onWord, offWord] = flagWords(row(key).type);
    setText(key, on ? onWord : offWord);
}

std::optional<QPoint> Settings::toolbarPosition() const
{
    return StoredToolbarPosition(text(Key::ToolbarX), text(Key::ToolbarY));
}

void Settings::setToolbarPosition(QPoint pixels)
{
    setText(Key::ToolbarX, TwipsText(pixels.x()));
    setText(Key::ToolbarY, TwipsText(pixels.y()));
}

int Settings::digits(Calculator calculator) const
{
    const Key key = digitsKey(calculator);
    const auto number = [](const QString &text) -> std::optional<int> {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        // A hand-edited value outside the scroll bar's range is brought into it.
        return int(std::clamp(std::nearbyint(value), 1.0, 7.0));
    };
    return number(text(key)).value_or(number(toQString(row(key).defaultText)).value_or(1));
}

void Settings::setDigits(Calculator calculator, int digits)
{
    setText(digitsKey(calculator), QString::number(digits));
}

bool Settings::notationMode(Calculator calculator) const
{
    return flag(notationKey(calculator));
}

void Settings::setNotationMode(Calculator calculator, bool on)
{
    setFlag(notationKey(calculator), on);
}

QStringList Settings::recentFiles() const
{
    return ParseRecentFiles(text(Key::AxisRecentFiles));
}

void Settings::setRecentFiles(const QStringList &files)
{
    setText(Key::AxisRecentFiles, RecentFilesText(files));
}

QString Settings::defaultUnit(const QString &unitType) const
{
    return read(toQString(DefaultUnitsSection), unitType);
}

void Settings::setDefaultUnit(const QString &unitType, const QString &unitName)
{
    write(toQString(DefaultUnitsSection), unitType, unitName);
}

std::optional<QRect> Settings::windowPlace(const QString &window) const
{
    return ParseWindowPlace(read(toQString(WindowPlacesSection), window));
}

void Settings::setWindowPlace(const QString &window, const QRect &place)
{
    write(toQString(WindowPlacesSection), window, WindowPlaceText(place));
}
