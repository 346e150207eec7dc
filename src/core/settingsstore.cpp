#include "core/settingsstore.h"

#include "core/initext.h"
#include "core/recentfiles.h"
#include "core/safefile.h"
#include "core/toolbarposition.h"
#include "core/windowplace.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace {

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

// Far above any settings file the program writes; a larger one is not read.
constexpr qint64 MaxSettingsFileSize = 1024 * 1024;

// The user's own INI file where QSettings keeps a user's settings.
QString userSettingsFile()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return QStringLiteral("%1/%2/%2.ini").arg(config, Settings::ApplicationName);
}

} // namespace

Settings::Settings(const QString &fileName) : m_fileName(fileName.isEmpty() ? userSettingsFile() : fileName)
{}

QString Settings::read(const QString &section, const QString &key) const
{
    // Read anew each time, through the safe reader: a FIFO or a folder under
    // the name reads as no settings and never blocks.
    const FileRead file = ReadRegularFile(m_fileName, MaxSettingsFileSize);
    return IniText(file.bytes.value_or(QByteArray())).value(section, key).value_or(QString());
}

bool Settings::write(const QString &section, const QString &key, const QString &value)
{
    const FileRead file = ReadRegularFile(m_fileName, MaxSettingsFileSize);
    IniText text(file.bytes.value_or(QByteArray()));
    // An unchanged value is not written: each window writes its settings as
    // it closes, and rewriting the file for nothing costs a save to disk.
    if (text.value(section, key) == value)
        return true;
    text.setValue(section, key, value);
    FileWrite written;
    if (!QDir().mkpath(QFileInfo(m_fileName).path()))
        written = {false, false, QStringLiteral("its folder cannot be made")};
    else if (!file.bytes && !file.missing)
        written = {false, true, file.problem}; // never written over what could not be read
    else
        written = WriteFileAtomically(m_fileName, text.bytes());
    if (!written.ok && m_pendingWriteFailure.isEmpty())
        m_pendingWriteFailure = SaveFailureMessage(m_fileName, written);
    return written.ok;
}

QString Settings::takeWriteFailure()
{
    return std::exchange(m_pendingWriteFailure, QString());
}

QString Settings::fileName() const
{
    return m_fileName;
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
