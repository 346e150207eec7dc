#pragma once
// What the start reads before the first window: the language offset.

#include <QString>

#include <optional>

// "Settings"/"Language offset" text to its value: empty gives 0; otherwise the
// leading number, rounded half to even. nullopt when it does not fit 16 bits
// (the start then fails with an overflow message).
std::optional<qint16> ParseLanguageOffset(const QString &text);
