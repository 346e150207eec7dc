#pragma once
// The per-user settings store: text values addressed by section and key, kept
// in an INI file for the application "Torvane Toolbar". An absent entry reads
// as the empty text. Values round-trip exactly (trailing spaces, "²", "³").

#include <QString>

class SettingsStore
{
public:
    static QString read(const QString &section, const QString &key);
    static void write(const QString &section, const QString &key, const QString &value);

    // The INI file in use (the real user's unless redirected).
    static QString fileName();
    // Tests point the store at a file of their own; an empty path restores the default.
    static void useFile(const QString &path);
};

// Every entry of the program, with the rule that turns its text into a value.
namespace Settings {
inline const QString ApplicationName = QStringLiteral("Torvane Toolbar");

// "Settings"/"Language offset" is read by the start procedure (see startup.h).

// "Global Settings"/"Tooltips": empty or "On" = checked.
bool tooltips();
void setTooltips(bool on);

// "<section>"/"Digits": clamped into 1..7; 6 when empty or not a number.
int digits(const QString &section);
void setDigits(const QString &section, int digits);

// "<section>"/"NotationMode": true only for exactly "True".
bool notationMode(const QString &section);
void setNotationMode(const QString &section, bool on);

// "Units Calculator"/"US Convention": true unless exactly "False".
bool usConvention();
void setUsConvention(bool on);

// Flags are stored as the words "True"/"False".
QString flagText(bool on);
} // namespace Settings
