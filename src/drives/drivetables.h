#pragma once
// The user's motor and gearbox tables: motors.csv and gearboxes.csv in the
// data folder beside density.dat, comma-separated text a spreadsheet can make
// and open (the format is described in docs/drive-tables.md).
//
// Row 1 marks the table and its version ("Torvane motor table,1"); row 2
// names the columns, each value column with its unit in brackets
// ("Rotor inertia [kg·cm²]"), in any order and in any of the units listed
// for its kind; then one row per motor or gearbox. Read strictly: every
// problem is named by line and column, and a table with any problem gives no
// records at all. Records hold SI base units (kg·m², rad/s, N·m), like the
// axis core; a table is written in kg·cm², rpm and N·m.

#include "axis/torquecurve.h"
#include "core/safefile.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

struct MotorRecord
{
    QString name;
    QString note;                       // maker, series or any note
    double rotorInertia = 0;            // kg·m²
    double maxSpeed = 0;                // rad/s
    TorqueCurve peak;                   // ends at maxSpeed
    TorqueCurve continuous;             // ends at or below maxSpeed, nowhere above the peak curve
    std::optional<double> ratedVoltage; // V
    std::optional<double> brakeTorque;  // the holding brake's torque, N·m; none without a brake
    bool operator==(const MotorRecord &) const = default;
};

struct GearboxRecord
{
    QString name;
    QString note;
    std::vector<double> ratios;        // offered, input turns per output turn, each > 0
    double inputInertia = 0;           // kg·m², at the input shaft
    double efficiency = 1;             // a fraction, above 0 and at most 1
    double peakOutputTorque = 0;       // N·m permitted at the output, briefly
    double continuousOutputTorque = 0; // N·m permitted at the output, at most the peak
    double maxInputSpeed = 0;          // rad/s
    bool operator==(const GearboxRecord &) const = default;
};

enum class DriveTableKind { Motors, Gearboxes };

// The file of each table in the data folder.
QString DriveTableFileName(DriveTableKind kind);

// Where something is wrong: line and column from 1 (column 0: the whole
// line, line 0: the whole file), the column's name when known, and what.
struct TableProblem
{
    int line = 0;
    int column = 0;
    QString columnName;
    QString what;
    // "Line 4, column 3 (Rotor inertia): ..." as the user reads it.
    QString text() const;
};

// Caps on what is read: beyond them a table is refused, named.
inline constexpr qint64 MaxDriveTableBytes = 4 * 1024 * 1024;
inline constexpr int MaxDriveTableRows = 10000;
inline constexpr int MaxNameChars = 100;
inline constexpr int MaxNoteChars = 200;
inline constexpr int MaxCurvePoints = 64;
inline constexpr int MaxRatios = 32;
// After this many problems the reader stops listing them.
inline constexpr int MaxTableProblems = 50;

template <class Record> struct DriveTableRead
{
    std::vector<Record> records;        // empty whenever there is a problem
    std::vector<TableProblem> problems; // in the order of the file
    bool missing = false;               // no file: an empty table the first save creates
    QString fileProblem;                // why the file itself was refused (a folder, a FIFO, unreadable)
    bool ok() const { return problems.empty(); }
    // "Could not open <file>: ...", with every problem on a line of its own;
    // empty when there is none.
    QString message(const QString &fileName) const;
};
using MotorTableRead = DriveTableRead<MotorRecord>;
using GearboxTableRead = DriveTableRead<GearboxRecord>;

// How strict the first rows are: a table file must begin with its marker
// row; rows imported from a spreadsheet may begin with the column names.
enum class MarkerRow { Required, Optional };

MotorTableRead ReadMotorTable(const QByteArray &bytes, MarkerRow marker = MarkerRow::Required);
GearboxTableRead ReadGearboxTable(const QByteArray &bytes, MarkerRow marker = MarkerRow::Required);
// The file at path through the one file layer; a missing file is an empty table.
MotorTableRead LoadMotorTable(const QString &path);
GearboxTableRead LoadGearboxTable(const QString &path);

// The columns as a written table names them, and one record's cells under them.
QStringList MotorColumns();
QStringList GearboxColumns();
QStringList MotorCells(const MotorRecord &motor);
QStringList GearboxCells(const GearboxRecord &gearbox);

// One record from cells under the written columns (the window's editor):
// problems name the column, line 0.
std::optional<MotorRecord> MotorFromCells(const QStringList &cells, std::vector<TableProblem> &problems);
std::optional<GearboxRecord> GearboxFromCells(const QStringList &cells, std::vector<TableProblem> &problems);

// The whole table as written: UTF-8 with a byte order mark, CR LF line ends.
QByteArray MotorTableBytes(const std::vector<MotorRecord> &motors);
QByteArray GearboxTableBytes(const std::vector<GearboxRecord> &gearboxes);
// Replaces the file whole or not at all.
FileWrite SaveMotorTable(const QString &path, const std::vector<MotorRecord> &motors);
FileWrite SaveGearboxTable(const QString &path, const std::vector<GearboxRecord> &gearboxes);
