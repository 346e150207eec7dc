#pragma once
// Conversion between two units through the base unit of their type.

#include <QString>

#include <optional>

class ConversionTableData;

// Single-precision step helpers: each computes in double and rounds once to
// float. nullopt on overflow (beyond float range), NaN or division by zero.
std::optional<float> ToBaseUnit(float value, float xFactor, float plusFactor);
std::optional<float> FromBaseUnit(float base, float xFactor, float plusFactor);

// Through the units of table. Names are keyed by their first 15 characters (trailing spaces do not matter,
// leading ones do). Same key: the value comes back bit for bit. An unknown
// name gives 0. A failing step gives nullopt; callers must handle it.
std::optional<float> ConvertUnits(const ConversionTableData &table, float value, const QString &fromUnit,
                                  const QString &toUnit);

// The same for a value whose meaning depends on both units being known (a
// stored density, an input in its base unit): a unit the table lacks, as when
// a damaged record of a base unit was skipped, is a failure, never 0.
std::optional<float> ConvertKnownUnits(const ConversionTableData &table, float value, const QString &fromUnit,
                                       const QString &toUnit);
