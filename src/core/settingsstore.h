#pragma once
// The per-user settings store: text values addressed by section and key, kept
// in an INI file for the application "Torvane Toolbar". An absent entry reads
// as the empty text. Values round-trip exactly (trailing spaces, "²", "³").

#include <QPoint>
#include <QString>

#include <optional>

class SettingsStore
{
public:
    static QString read(const QString &section, const QString &key);
    // False when the value did not reach the file (a read-only or unreadable
    // file, a read-only folder); the failure is also kept for takeWriteFailure().
    static bool write(const QString &section, const QString &key, const QString &value);
    // What went wrong with the first write that failed since the last call, as
    // a sentence naming the file; empty when every write reached it. Clears it.
    static QString takeWriteFailure();

    // The INI file in use (the real user's unless redirected).
    static QString fileName();
    // Tests point the store at a file of their own; an empty path restores the default.
    static void useFile(const QString &path);
};

// Every entry of the program, typed. Section and key names live only in the
// table behind these accessors, together with the rule that turns each text
// into a value and what an absent or empty entry stands for.
namespace Settings {
inline const QString ApplicationName = QStringLiteral("Torvane Toolbar");

// The calculators that keep display settings of their own.
enum class Calculator { Units, Inertia, Density };

// "Settings"/"Language offset" as stored (the start procedure reads its number).
QString languageOffsetText();

// "Toolbar"/"X" and "Y": the strip's stored position in pixels; nullopt when
// either is missing or not a usable number. Written in twips.
std::optional<QPoint> toolbarPosition();
void setToolbarPosition(QPoint pixels);

// "Global Settings"/"Tooltips": empty or "On" = checked.
bool tooltips();
void setTooltips(bool on);

// "<calculator>"/"Digits": clamped into 1..7; 6 when empty or not a number.
int digits(Calculator calculator);
void setDigits(Calculator calculator, int digits);

// "<calculator>"/"NotationMode": true only for exactly "True".
bool notationMode(Calculator calculator);
void setNotationMode(Calculator calculator, bool on);

// "Units Calculator"/"US Convention": true unless exactly "False".
bool usConvention();
void setUsConvention(bool on);

// "Default Units"/<unit type>: the stored unit name as written (empty when
// missing); the unit-list rules decide what it selects.
QString defaultUnit(const QString &unitType);
void setDefaultUnit(const QString &unitType, const QString &unitName);

// Flags are stored as the words "True"/"False".
QString flagText(bool on);
} // namespace Settings
