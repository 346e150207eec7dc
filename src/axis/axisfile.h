#pragma once
// The axis file (.tvaxis): an axis, its move and its motor as versioned JSON
// text. Values are stored in SI base units with the unit each is shown in, so
// an axis opens as the user left it.
//
// The reader is strict: a file that is not JSON, not an axis, has a value of
// the wrong type or a word it does not know, or comes from a newer version of
// the program is refused whole with the problem named; nothing is half read.
// A file of an older version opens with defaults for what it lacks. Unknown
// members are ignored.

#include "axis/moveprofile.h"
#include "core/safefile.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Version 1 held the items, the gearbox and the motor's inertia and target
// ratio; version 2 added the move and the motor's torques and speed; version
// 3 the motor's torque curves and required margins, and the move's
// back-driving efficiency, static friction, lost torques, counterweight and
// holding brake; version 4 the cycle's moves, each with its profile, payload
// and dwell (an older file opens as a cycle of one move).
inline constexpr int AxisFileVersion = 4;
inline constexpr char AxisFileSuffix[] = "tvaxis";
inline constexpr char AxisFileFormat[] = "Torvane axis";
// No axis comes near this; a larger file is refused before it is parsed.
inline constexpr qint64 MaxAxisFileSize = 64 * 1024 * 1024;
// The longest item name the item editor takes, and the longest unit text
// (every unit name is shorter): a file holding more is refused.
inline constexpr qsizetype MaxAxisItemNameLength = 200;
inline constexpr qsizetype MaxAxisUnitLength = 32;

struct AxisDocument
{
    Axis axis;
    MoveInputs move;
    bool operator==(const AxisDocument &) const = default;
};

struct AxisFileRead
{
    std::optional<AxisDocument> document; // nullopt when refused
    int version = 0;                      // the file's version, when it was found
    QString problem;                      // what is wrong, in the user's words; empty when read

    // "Could not open <fileName>: <problem>.", for the user.
    QString message(const QString &fileName) const;
};

AxisFileRead ReadAxisFile(const QByteArray &bytes);
// Reads a regular file of at most MaxAxisFileSize bytes (ReadRegularFile).
AxisFileRead ReadAxisFile(const QString &path);

// The document as the file's bytes (UTF-8 JSON, indented), or nullopt when a
// value is not finite and could not be read back; problem then says which.
std::optional<QByteArray> AxisFileBytes(const AxisDocument &document, QString *problem = nullptr);

// Replaces the file at path whole, or leaves it as it was (WriteFileAtomically);
// nothing is written when a value is not finite, and the problem says which.
FileWrite WriteAxisFile(const QString &path, const AxisDocument &document);
