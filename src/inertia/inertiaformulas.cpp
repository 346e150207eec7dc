#include "inertia/inertiaformulas.h"

#include <QVarLengthArray>

#include <cmath>

namespace {

// The decimal the formulas use, not pi at full precision.
constexpr double Pi = 3.141593;

// Rounds a double once to single precision; a value that does not end as a
// finite float (overflow, an invalid operation) fails.
std::optional<float> store(double value)
{
    const float single = static_cast<float>(value);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

// One input in double precision; a missing or non-finite input fails.
std::optional<double> read(const InertiaInputs &inputs, InertiaInput input)
{
    const std::optional<float> value = inputs[input];
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return double(*value);
}

double sq(double x)
{
    return x * x;
}

// Every result function first asks whether its shape's inputs describe a
// real body, so no formula ever sees a negative size or mass.
bool usable(InertiaShape shape, const InertiaInputs &inputs, MassMode mode)
{
    return CheckInertiaInputs(shape, inputs, mode).kind == InertiaProblem::None;
}

// The mass for a shape that may take it from the density: volume × density
// in density mode, stored in single precision.
std::optional<double> massOrDensity(const InertiaInputs &inputs, MassMode mode, auto volumeTimes)
{
    if (mode == MassMode::Mass)
        return read(inputs, InertiaInput::Mass);
    const std::optional<double> rho = read(inputs, InertiaInput::Density);
    if (!rho)
        return std::nullopt;
    const std::optional<float> m = store(volumeTimes(*rho));
    if (!m)
        return std::nullopt;
    return double(*m);
}

// The inputs each shape reads, in reading order, with the mass last.
struct Cylinder
{
    double L, Ro, Ri, m;
};
std::optional<Cylinder> readCylinder(const InertiaInputs &inputs, MassMode mode)
{
    if (!usable(InertiaShape::Cylinder, inputs, mode))
        return std::nullopt;
    const std::optional<double> L = read(inputs, InertiaInput::Length);
    const std::optional<double> od = read(inputs, InertiaInput::OutsideDia);
    const std::optional<double> id = read(inputs, InertiaInput::InsideDia);
    if (!L || !od || !id)
        return std::nullopt;
    const std::optional<float> Ro = store(*od / 2);
    const std::optional<float> Ri = store(*id / 2);
    if (!Ro || !Ri)
        return std::nullopt;
    const std::optional<double> m =
        massOrDensity(inputs, mode, [&](double rho) { return (sq(*Ro) - sq(*Ri)) * rho * Pi * *L; });
    if (!m)
        return std::nullopt;
    return Cylinder{*L, *Ro, *Ri, *m};
}

struct Block
{
    double L, W, H, m;
};
// The parallelepiped and the tetrahedron read L, W, H whatever the formula
// uses; only the parallelepiped may take its mass from the density.
std::optional<Block> readBlock(const InertiaInputs &inputs, MassMode mode, InertiaShape shape)
{
    if (!usable(shape, inputs, mode))
        return std::nullopt;
    const bool densityAllowed = ShapeInfo(shape).densityAllowed;
    const std::optional<double> L = read(inputs, InertiaInput::Length);
    const std::optional<double> W = read(inputs, InertiaInput::Width);
    const std::optional<double> H = read(inputs, InertiaInput::Height);
    if (!L || !W || !H)
        return std::nullopt;
    const std::optional<double> m = massOrDensity(inputs, densityAllowed ? mode : MassMode::Mass,
                                                  [&](double rho) { return rho * *L * *W * *H; });
    if (!m)
        return std::nullopt;
    return Block{*L, *W, *H, *m};
}

struct Ball
{
    double R, m;
};
std::optional<Ball> readBall(const InertiaInputs &inputs, MassMode mode, InertiaShape shape)
{
    if (!usable(shape, inputs, mode))
        return std::nullopt;
    const bool densityAllowed = ShapeInfo(shape).densityAllowed;
    const std::optional<double> R = read(inputs, InertiaInput::Radius);
    if (!R)
        return std::nullopt;
    const std::optional<double> m =
        massOrDensity(inputs, densityAllowed ? mode : MassMode::Mass,
                      [&](double rho) { return *R * *R * *R * rho * Pi * 4 / 3; });
    if (!m)
        return std::nullopt;
    return Ball{*R, *m};
}

struct Rod
{
    double L, m;
};
std::optional<Rod> readRod(const InertiaInputs &inputs)
{
    if (!usable(InertiaShape::SlenderRod, inputs, MassMode::Mass))
        return std::nullopt;
    const std::optional<double> L = read(inputs, InertiaInput::Length);
    if (!L)
        return std::nullopt;
    const std::optional<double> m = read(inputs, InertiaInput::Mass);
    if (!m)
        return std::nullopt;
    return Rod{*L, *m};
}

// The slender rod's Izz: a line along z has none.
std::optional<float> zero(const InertiaInputs &, MassMode)
{
    return 0.0f;
}

// Applies a formula to the inputs read, storing the result once.
template <typename Dims, typename Formula>
std::optional<float> evaluate(const std::optional<Dims> &dims, Formula formula)
{
    if (!dims)
        return std::nullopt;
    return store(formula(*dims));
}

constexpr InertiaInput CylinderDims[] = {InertiaInput::Length, InertiaInput::OutsideDia,
                                         InertiaInput::InsideDia};
constexpr InertiaInput BlockDims[] = {InertiaInput::Length, InertiaInput::Width, InertiaInput::Height};
constexpr InertiaInput BallDims[] = {InertiaInput::Radius};
constexpr InertiaInput RodDims[] = {InertiaInput::Length};

// By InertiaShape.
const InertiaShapeInfo Shapes[InertiaShapeCount] = {
    {.shape = InertiaShape::Cylinder,
     .nameId = 1216,
     .picture = "shape_cylinder",
     .dimensions = CylinderDims,
     .densityAllowed = true,
     .hasEndAxes = true,
     .results = {CylinderIxx, CylinderIxx, CylinderIzz, CylinderIxxEnd, CylinderIxxEnd}},
    {.shape = InertiaShape::Parallelepiped,
     .nameId = 1217,
     .picture = "shape_parallelepiped",
     .dimensions = BlockDims,
     .densityAllowed = true,
     .hasEndAxes = true,
     .results = {ParallelepipedIxx, ParallelepipedIyy, ParallelepipedIzz, ParallelepipedIxxEnd,
                 ParallelepipedIyyEnd}},
    {.shape = InertiaShape::SphericalShell,
     .nameId = 1218,
     .picture = "shape_sphericalshell",
     .dimensions = BallDims,
     .densityAllowed = false,
     .hasEndAxes = false,
     .results = {SphericalShellI, SphericalShellI, SphericalShellI, nullptr, nullptr}},
    {.shape = InertiaShape::Sphere,
     .nameId = 1219,
     .picture = "shape_sphere",
     .dimensions = BallDims,
     .densityAllowed = true,
     .hasEndAxes = false,
     .results = {SphereI, SphereI, SphereI, nullptr, nullptr}},
    {.shape = InertiaShape::SlenderRod,
     .nameId = 1220,
     .picture = "shape_slenderrod",
     .dimensions = RodDims,
     .densityAllowed = false,
     .hasEndAxes = true,
     .results = {SlenderRodI, SlenderRodI, zero, SlenderRodIEnd, SlenderRodIEnd}},
    {.shape = InertiaShape::Tetrahedron,
     .nameId = 1221,
     .picture = "shape_tetrahedron",
     .dimensions = BlockDims,
     .densityAllowed = false,
     .hasEndAxes = false,
     .results = {TetrahedronIxx, TetrahedronIyy, TetrahedronIzz, nullptr, nullptr}},
};

} // namespace

const InertiaShapeInfo &ShapeInfo(InertiaShape shape)
{
    return Shapes[std::size_t(shape)];
}

InertiaInput MassInput(InertiaShape shape, MassMode mode)
{
    return mode == MassMode::Density && ShapeInfo(shape).densityAllowed ? InertiaInput::Density
                                                                        : InertiaInput::Mass;
}

std::optional<float> ShapeMass(InertiaShape shape, const InertiaInputs &inputs, MassMode mode)
{
    std::optional<double> m;
    switch (shape) {
    case InertiaShape::Cylinder:
        if (const auto c = readCylinder(inputs, mode))
            m = c->m;
        break;
    case InertiaShape::Parallelepiped:
        if (const auto b = readBlock(inputs, mode, InertiaShape::Parallelepiped))
            m = b->m;
        break;
    case InertiaShape::Sphere:
        if (const auto b = readBall(inputs, mode, InertiaShape::Sphere))
            m = b->m;
        break;
    case InertiaShape::SphericalShell:
    case InertiaShape::SlenderRod:
    case InertiaShape::Tetrahedron:
        if (usable(shape, inputs, mode))
            m = read(inputs, InertiaInput::Mass);
        break;
    }
    if (!m)
        return std::nullopt;
    return float(*m);
}

InertiaProblem CheckInertiaInputs(InertiaShape shape, const InertiaInputs &inputs, MassMode mode)
{
    const InertiaShapeInfo &info = ShapeInfo(shape);
    QVarLengthArray<InertiaInput, 4> order(info.dimensions.begin(), info.dimensions.end());
    order.append(MassInput(shape, mode));
    for (InertiaInput input : order) {
        if (inputs.blank[std::size_t(input)])
            return {InertiaProblem::Blank, input};
    }
    for (InertiaInput input : order) {
        if (inputs[input] && *inputs[input] < 0)
            return {InertiaProblem::Negative, input};
    }
    const std::optional<float> &od = inputs[InertiaInput::OutsideDia];
    const std::optional<float> &id = inputs[InertiaInput::InsideDia];
    if (shape == InertiaShape::Cylinder && od && id && *id > *od)
        return {InertiaProblem::InsideExceedsOutside, InertiaInput::InsideDia};
    return {};
}

const char *InertiaProblemText(const InertiaProblem &problem)
{
    if (problem.kind == InertiaProblem::InsideExceedsOutside)
        return "Inside diameter exceeds outside diameter";
    if (problem.kind != InertiaProblem::Negative)
        return "";
    // By InertiaInput.
    static const char *const negative[InertiaInputCount] = {
        "Density cannot be negative",          "Mass cannot be negative",
        "Radius cannot be negative",           "Height cannot be negative",
        "Length cannot be negative",           "Width cannot be negative",
        "Outside diameter cannot be negative", "Inside diameter cannot be negative"};
    return negative[std::size_t(problem.input)];
}

InertiaResults ComputeInertia(InertiaShape shape, const InertiaInputs &inputs, MassMode mode)
{
    const InertiaShapeInfo &info = ShapeInfo(shape);
    InertiaResults results;
    results.problem = CheckInertiaInputs(shape, inputs, mode);
    for (int axis = 0; axis < InertiaAxisCount; ++axis) {
        if (const InertiaFunction function = info.results[axis])
            results.values[axis] = function(inputs, mode);
    }
    if (MassInput(shape, mode) == InertiaInput::Density)
        results.computedMass = ShapeMass(shape, inputs, mode);
    return results;
}

std::optional<float> CylinderIxx(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readCylinder(inputs, mode),
                    [](const Cylinder &c) { return c.m * ((sq(c.Ro) + sq(c.Ri)) / 4 + sq(c.L) / 12); });
}

std::optional<float> CylinderIzz(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readCylinder(inputs, mode),
                    [](const Cylinder &c) { return c.m * (sq(c.Ro) + sq(c.Ri)) / 2; });
}

std::optional<float> CylinderIxxEnd(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readCylinder(inputs, mode),
                    [](const Cylinder &c) { return c.m * (sq(c.Ro) + sq(c.Ri)) / 4 + c.m * sq(c.L) / 3; });
}

std::optional<float> ParallelepipedIxx(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Parallelepiped),
                    [](const Block &b) { return b.m * (sq(b.L) + sq(b.H)) / 12; });
}

std::optional<float> ParallelepipedIyy(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Parallelepiped),
                    [](const Block &b) { return b.m * (sq(b.L) + sq(b.W)) / 12; });
}

std::optional<float> ParallelepipedIzz(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Parallelepiped),
                    [](const Block &b) { return b.m * (sq(b.W) + sq(b.H)) / 12; });
}

std::optional<float> ParallelepipedIxxEnd(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Parallelepiped),
                    [](const Block &b) { return b.m * sq(b.H) / 12 + b.m * sq(b.L) / 3; });
}

std::optional<float> ParallelepipedIyyEnd(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Parallelepiped),
                    [](const Block &b) { return b.m * sq(b.W) / 12 + b.m * sq(b.L) / 3; });
}

std::optional<float> SphericalShellI(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBall(inputs, mode, InertiaShape::SphericalShell),
                    [](const Ball &b) { return 2 * b.m / 3 * sq(b.R); });
}

std::optional<float> SphereI(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBall(inputs, mode, InertiaShape::Sphere),
                    [](const Ball &b) { return 2 * b.m / 5 * sq(b.R); });
}

std::optional<float> SlenderRodI(const InertiaInputs &inputs, MassMode)
{
    return evaluate(readRod(inputs), [](const Rod &r) { return r.m * sq(r.L) / 12; });
}

std::optional<float> SlenderRodIEnd(const InertiaInputs &inputs, MassMode)
{
    return evaluate(readRod(inputs), [](const Rod &r) { return r.m * sq(r.L) / 3; });
}

std::optional<float> TetrahedronIxx(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Tetrahedron),
                    [](const Block &b) { return b.m * (sq(b.L) + sq(b.H)) / 10; });
}

std::optional<float> TetrahedronIyy(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Tetrahedron),
                    [](const Block &b) { return b.m * (sq(b.W) + sq(b.L)) / 10; });
}

std::optional<float> TetrahedronIzz(const InertiaInputs &inputs, MassMode mode)
{
    return evaluate(readBlock(inputs, mode, InertiaShape::Tetrahedron),
                    [](const Block &b) { return b.m * (sq(b.W) + sq(b.H)) / 10; });
}
