#include "inertia/inertiarows.h"

#include "core/fixedtext.h"
#include "units/conversiontable.h"
#include "units/convertunits.h"
#include "units/numberformat.h"

namespace {

constexpr char LinearDistance[] = "Linear distance";

// By InertiaInput.
const InertiaInputRow InputRows[InertiaInputCount] = {
    {InertiaInput::Density, "Label10", "txtDensity", "cmbDensityUnits", 5, "Density", "kg/m\u00b3"},
    {InertiaInput::Mass, "Label11", "txtMass", "cmbMassUnits", 6, "Mass", "kg"},
    {InertiaInput::Radius, "lblRadius", "txtRadius", "cmbRadiusUnits", 7, LinearDistance, "m"},
    {InertiaInput::Height, "lblHeight", "txtHeight", "cmbHeightUnits", 8, LinearDistance, "m"},
    {InertiaInput::Length, "lblLength", "txtLength", "cmbLengthUnits", 9, LinearDistance, "m"},
    {InertiaInput::Width, "lblWidth", "txtWidth", "cmbWidthUnits", 10, LinearDistance, "m"},
    {InertiaInput::OutsideDia, "lblOutsideDia", "txtOutsideDia", "cmbODUnits", 11, LinearDistance, "m"},
    {InertiaInput::InsideDia, "lblInsideDia", "txtInsideDia", "cmbIDUnits", 12, LinearDistance, "m"},
};

// By InertiaAxis.
const InertiaResultRow ResultRows[InertiaAxisCount] = {
    {InertiaAxis::Ixx, "lblIxx", "xx", 1963},           {InertiaAxis::Iyy, "lblIyy", "yy", 1964},
    {InertiaAxis::Izz, "lblIzz", "zz", 1965},           {InertiaAxis::IxxEnd, "lblIxxPrime", "x'x'", 1966},
    {InertiaAxis::IyyEnd, "lblIyyPrime", "y'y'", 1967},
};

QString padded(const char *unit)
{
    return PadRight(QString::fromUtf8(unit), UnitNameWidth);
}

} // namespace

QString InertiaBaseUnit()
{
    return padded("kg-m\u00b2");
}

const InertiaInputRow &InputRow(InertiaInput input)
{
    return InputRows[std::size_t(input)];
}

bool ShowsInputRow(InertiaShape shape, InertiaInput input)
{
    if (input == InertiaInput::Density || input == InertiaInput::Mass)
        return true;
    for (InertiaInput dimension : ShapeInfo(shape).dimensions) {
        if (dimension == input)
            return true;
    }
    return false;
}

const InertiaResultRow &ResultRow(InertiaAxis axis)
{
    return ResultRows[std::size_t(axis)];
}

std::optional<InertiaShape> FindShape(const QStringList &shapeNames, const QString &name)
{
    const qsizetype index = shapeNames.indexOf(name);
    if (index < 0 || index >= InertiaShapeCount)
        return std::nullopt;
    return InertiaShape(index);
}

std::optional<float> ReadInertiaInput(const ConversionTableData &table, InertiaInput input,
                                      const QString &text, const QString &unit)
{
    const std::optional<float> value = ParseLocaleNumber(text);
    if (!value)
        return std::nullopt;
    return ConvertKnownUnits(table, *value, unit, padded(InputRow(input).baseUnit));
}

InertiaOutcome ComputeInertiaEntries(const ConversionTableData &table, InertiaShape shape,
                                     const InertiaEntries &entries, MassMode mode)
{
    // Only the boxes the shape reads: text left in a hidden or disabled box
    // fails nothing.
    InertiaInputs inputs;
    auto readBox = [&](InertiaInput input) {
        const InertiaEntry &entry = entries[std::size_t(input)];
        inputs[input] = ReadInertiaInput(table, input, entry.text, entry.unit);
        const LocaleNumber number = ReadLocaleNumber(entry.text);
        inputs.blank[std::size_t(input)] = !number.value && !number.outOfRange;
    };
    for (InertiaInput dimension : ShapeInfo(shape).dimensions)
        readBox(dimension);
    readBox(MassInput(shape, mode));

    const InertiaResults results = ComputeInertia(shape, inputs, mode);
    InertiaOutcome outcome{results.values, std::nullopt, results.problem};
    // No mass stays beside results that are not there.
    if (results.problem.kind != InertiaProblem::None && MassInput(shape, mode) == InertiaInput::Density)
        outcome.massText = QString();
    if (!results.computedMass)
        return outcome;

    // Each result depends on showing the mass it was computed from: a mass the
    // box cannot show fails them rather than leave a stale mass beside them.
    const std::optional<float> shown = ConvertKnownUnits(table, *results.computedMass, padded("kg"),
                                                         entries[std::size_t(InertiaInput::Mass)].unit);
    if (!shown) {
        outcome.values.fill(std::nullopt);
        return outcome;
    }
    outcome.massText = FormatGeneral(*shown);
    return outcome;
}

QString RestateInUnit(const ConversionTableData &table, const QString &text, const QString &fromUnit,
                      const QString &toUnit)
{
    const std::optional<float> value = ParseLocaleNumber(text);
    // An empty list (no unit chosen) converts to 0: nothing to restate.
    if (!value || fromUnit == toUnit || fromUnit.trimmed().isEmpty() || toUnit.trimmed().isEmpty())
        return text;
    const std::optional<float> restated = ConvertUnits(table, *value, fromUnit, toUnit);
    if (!restated || *restated == *value)
        return text;
    return FormatGeneral(*restated);
}

QString FormatInertiaResult(const ConversionTableData &table, std::optional<float> value,
                            const QString &resultUnit, int digits, bool notation,
                            const InertiaProblem &problem)
{
    const QString failed = QString::fromLatin1(InertiaFailureText);
    if (!value) {
        if (problem.kind == InertiaProblem::Blank)
            return QString();
        if (problem.kind != InertiaProblem::None)
            return QString::fromLatin1(InertiaInvalidText);
        return failed;
    }
    const std::optional<float> shown = ConvertKnownUnits(table, *value, InertiaBaseUnit(), resultUnit);
    if (!shown)
        return failed;
    return notation ? FormatWithPattern(*shown, ScientificPattern(digits))
                    : FormatSignificant(*shown, digits);
}
