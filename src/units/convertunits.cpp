#include "units/convertunits.h"
std::optional<float> ToBaseUnit(float, float, float) { return std::nullopt; }
std::optional<float> FromBaseUnit(float, float, float) { return std::nullopt; }
std::optional<float> ConvertUnits(float, const QString &, const QString &) { return std::nullopt; }
