#pragma once
// The values of the axis-sizing arithmetic.
//
// Axis sizing works in double precision and in SI base units throughout: sums
// of many parts and ratios of small inertias lose too much in single
// precision, and every figure is a final result the user compares against a
// catalogue. The inertia calculator's shape formulas keep their single
// precision; a shape part crosses into them once and comes back as a double.
//
// A figure is either a finite number or a failure with the reason, so a bad
// input fails the figures that depend on it, with words, and never becomes a
// wrong number. Arithmetic on figures passes the first failure on and turns a
// result that is not finite into a failure.

#include <QString>

#include <optional>

class ConversionTableData;

class AxisFigure
{
public:
    AxisFigure() = default; // 0
    AxisFigure(double value);
    static AxisFigure failed(const QString &reason);

    bool ok() const { return m_reason.isEmpty(); }
    // The value; 0 for a failed figure.
    double value() const { return m_value; }
    std::optional<double> get() const { return ok() ? std::optional<double>(m_value) : std::nullopt; }
    // Why the figure failed, one sentence for the user; empty when it stands.
    const QString &reason() const { return m_reason; }

private:
    double m_value = 0;
    QString m_reason;
};

AxisFigure operator+(const AxisFigure &a, const AxisFigure &b);
AxisFigure operator-(const AxisFigure &a, const AxisFigure &b);
AxisFigure operator*(const AxisFigure &a, const AxisFigure &b);
// A zero divisor fails with the overflow reason; callers check their
// divisors first where a better reason exists.
AxisFigure operator/(const AxisFigure &a, const AxisFigure &b);
AxisFigure Sqrt(const AxisFigure &a);

// The reason for a figure too large to compute.
QString OverflowReason();

// Input checks: the value, or a failure naming what (as in "The gearbox
// ratio") and the rule it breaks.
AxisFigure NonNegative(double value, const QString &what);
AxisFigure Positive(double value, const QString &what);

// A value as the user entered it: in SI base units, with the unit it is shown
// in (a unit name from the unit table, unpadded; empty for the base unit), so a
// saved axis opens as the user left it.
struct AxisQuantity
{
    double value = 0;
    QString unit;

    bool operator==(const AxisQuantity &) const = default;
};

// Conversions through the factors of the unit table units, evaluated in double
// precision. An empty unit is the base unit; a unit the table lacks, or a
// result that is not finite, gives nullopt.
std::optional<double> ToBaseUnits(const ConversionTableData &units, double value, const QString &unit);
std::optional<double> FromBaseUnits(const ConversionTableData &units, double base, const QString &unit);
// The quantity's value in its own unit (what a box shows).
std::optional<double> ShownValue(const ConversionTableData &units, const AxisQuantity &quantity);
// The quantity as shown in its unit: significant digits, the locale's decimal
// separator, and the unit (unless empty); "?" when it cannot be converted.
QString FormatQuantity(const ConversionTableData &units, const AxisQuantity &quantity, int digits);
