#pragma once
// The per-user settings: text values addressed by section and key, kept in an
// INI file, and every fixed entry of the program typed from one table. An
// absent entry reads as the empty text. Values round-trip exactly (trailing
// spaces, "²", "³").

#include <QPoint>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

class Settings
{
public:
    static inline const QString ApplicationName = QStringLiteral("Torvane Toolbar");

    // The calculators that keep display settings of their own.
    enum class Calculator { Units, Inertia, Density, Axis };

    // Every fixed entry. Default units are keyed by unit type, so only their
    // section is fixed (DefaultUnitsSection).
    enum class Key {
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
        AxisDigits,
        AxisNotation,
        Count
    };

    // How a stored text becomes a value; an empty text always reads as the default.
    enum class Type {
        Number,    // the number at the start of the text (read by the start procedure)
        Twips,     // a whole number of twips; no default (the toolbar's usual place)
        Digits,    // a number clamped into 1..7; the default when not a number
        OnOff,     // "On"/"Off": only exactly "On" reads as on
        TrueFalse, // "True"/"False": only the exact word opposite the default changes it
    };

    struct Row
    {
        Key key;
        std::string_view section;
        std::string_view name;
        Type type;
        std::string_view defaultText; // as stored; empty for no default
    };

    // One row per fixed entry, in Key order (checked at compile time below).
    static constexpr std::array<Row, std::size_t(Key::Count)> Table{{
        {Key::LanguageOffset, "Settings", "Language offset", Type::Number, "0"},
        {Key::ToolbarX, "Toolbar", "X", Type::Twips, ""},
        {Key::ToolbarY, "Toolbar", "Y", Type::Twips, ""},
        {Key::Tooltips, "Global Settings", "Tooltips", Type::OnOff, "On"},
        {Key::UnitsDigits, "Units Calculator", "Digits", Type::Digits, "6"},
        {Key::UnitsUsConvention, "Units Calculator", "US Convention", Type::TrueFalse, "True"},
        {Key::UnitsNotation, "Units Calculator", "NotationMode", Type::TrueFalse, "False"},
        {Key::InertiaDigits, "Inertia Calculator", "Digits", Type::Digits, "6"},
        {Key::InertiaNotation, "Inertia Calculator", "NotationMode", Type::TrueFalse, "False"},
        {Key::DensityDigits, "Density Select", "Digits", Type::Digits, "6"},
        {Key::DensityNotation, "Density Select", "NotationMode", Type::TrueFalse, "False"},
        {Key::AxisDigits, "Axis Sizing", "Digits", Type::Digits, "6"},
        {Key::AxisNotation, "Axis Sizing", "NotationMode", Type::TrueFalse, "False"},
    }};
    static constexpr std::string_view DefaultUnitsSection = "Default Units";

    static constexpr const Row &row(Key key) { return Table[std::size_t(key)]; }

    // The store in fileName; an empty name stands for the user's own INI file.
    explicit Settings(const QString &fileName = QString());

    QString read(const QString &section, const QString &key) const;
    // False when the value did not reach the file (a read-only or unreadable
    // file, a read-only folder); the failure is also kept for takeWriteFailure().
    bool write(const QString &section, const QString &key, const QString &value);
    // What went wrong with the first write that failed since the last call, as
    // a sentence naming the file; empty when every write reached it. Clears it.
    QString takeWriteFailure();
    // The INI file in use.
    QString fileName() const;

    // A fixed entry as stored, and written.
    QString text(Key key) const;
    bool setText(Key key, const QString &value);

    // The language offset's text as stored (the start procedure reads its number).
    QString languageOffsetText() const { return text(Key::LanguageOffset); }

    // The strip's stored position in pixels; nullopt when either edge is
    // missing or not a usable number. Written in twips.
    std::optional<QPoint> toolbarPosition() const;
    void setToolbarPosition(QPoint pixels);

    // A flag entry by its type's rule (OnOff or TrueFalse rows).
    bool flag(Key key) const;

    bool tooltips() const { return flag(Key::Tooltips); }
    void setTooltips(bool on) { setFlag(Key::Tooltips, on); }

    int digits(Calculator calculator) const;
    void setDigits(Calculator calculator, int digits);

    bool notationMode(Calculator calculator) const;
    void setNotationMode(Calculator calculator, bool on);

    bool usConvention() const { return flag(Key::UnitsUsConvention); }
    void setUsConvention(bool on) { setFlag(Key::UnitsUsConvention, on); }

    // "Default Units"/<unit type>: the stored unit name as written (empty when
    // missing); the unit-list rules decide what it selects.
    QString defaultUnit(const QString &unitType) const;
    void setDefaultUnit(const QString &unitType, const QString &unitName);

    // Flags are stored as the words "True"/"False".
    static QString flagText(bool on);

private:
    void setFlag(Key key, bool on);

    QString m_fileName;
    QString m_pendingWriteFailure;
};

namespace SettingsTableCheck {
constexpr bool rowsInKeyOrder()
{
    for (std::size_t i = 0; i < Settings::Table.size(); ++i) {
        if (std::size_t(Settings::Table[i].key) != i)
            return false;
    }
    return true;
}
constexpr bool keysUnique()
{
    for (std::size_t i = 0; i < Settings::Table.size(); ++i) {
        for (std::size_t j = i + 1; j < Settings::Table.size(); ++j) {
            if (Settings::Table[i].section == Settings::Table[j].section &&
                Settings::Table[i].name == Settings::Table[j].name)
                return false;
        }
    }
    return true;
}
} // namespace SettingsTableCheck

// Every setting has exactly one row, found at its own index, and no two rows
// share a section and key.
static_assert(SettingsTableCheck::rowsInKeyOrder(), "each setting needs exactly one row, in Key order");
static_assert(SettingsTableCheck::keysUnique(), "two settings share a section and key");
