#pragma once
// What the axis window reads from its boxes and writes into its labels,
// without the window: numbers typed by the locale's rules, read in double
// precision, and figures shown in a unit with the display digits.

#include "axis/axismodel.h"
#include "inertia/inertiapick.h"

#include <QString>

#include <optional>

// A box's text read strictly by the locale's rules (optional sign, one
// decimal separator, optional exponent) in double precision; nullopt for a
// text that is no finite number.
std::optional<double> ReadAxisNumber(const QString &text);
// A box and its unit list (padded or not) as a quantity in base units;
// nullopt when the text is no number or the unit cannot convert it.
std::optional<AxisQuantity> ReadAxisQuantity(const ConversionTableData &units, const QString &text,
                                             const QString &unit);
// The text a box shows for a value: up to 15 significant digits, capital E,
// the locale's decimal separator, so it reads back as it was.
QString AxisEntryText(double value);
// The text a box shows for a quantity of base units in unit (padded or not):
// through a unit's single-precision factor, to the 7 significant digits the
// factor carries ("2.5", not "2.50000005511557" lb); in a unit that is the
// base unit, as AxisEntryText. 0 where the unit cannot show it.
QString AxisQuantityText(const ConversionTableData &units, double base, const QString &unit);

// A number with the display digits, in scientific form when notation is on;
// empty when it is not finite.
QString AxisNumberText(double value, int digits, bool notation);
// A figure in unit (padded or not): the number, or the reason it failed.
QString AxisFigureText(const ConversionTableData &units, const AxisFigure &figure, const QString &unit,
                       int digits, bool notation);
// A share in %: the number and " %", or the reason it failed.
QString AxisShareText(const AxisFigure &share, int digits, bool notation);

// A part chosen in the inertia calculator as the axis keeps it, in double
// precision from the boxes' texts; nullopt when a box the shape reads, or the
// offset, is no number here. Where the pick set up from shown still shows
// one of its values as it was, that value is kept exactly.
std::optional<AxisShapePart> ShapePartFromPick(const ConversionTableData &units, const InertiaPick &pick,
                                               const AxisShapePart *shown = nullptr);
// A part as the inertia calculator shows it: every value in its own unit
// (the row's base unit where it has none), so the calculator opens on it.
InertiaPick PickFromShapePart(const ConversionTableData &units, const AxisShapePart &part);
