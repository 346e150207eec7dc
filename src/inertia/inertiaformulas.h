#pragma once
// The inertia calculator's arithmetic: six solid shapes, the mass from a
// density, and the mass moments of inertia about each shape's own axes and,
// for the cylinder, the parallelepiped and the slender rod, about two axes
// through one end.
//
// Everything here works on inputs already converted into base units (kg,
// kg/m³, m) and gives results in kg-m². Each formula is evaluated in double
// precision from single-precision inputs and rounded once to single precision
// when stored; pi is the decimal 3.141593. A result that cannot be formed (a
// missing input, inputs that describe no real body, a non-finite value, a
// store beyond single precision) is nullopt; no result is ever negative.

#include <array>
#include <optional>
#include <span>

// In the order of the shape list (string ids 1216..1221).
enum class InertiaShape { Cylinder, Parallelepiped, SphericalShell, Sphere, SlenderRod, Tetrahedron };
inline constexpr int InertiaShapeCount = 6;

// The window's eight input rows.
enum class InertiaInput { Density, Mass, Radius, Height, Length, Width, OutsideDia, InsideDia };
inline constexpr int InertiaInputCount = 8;

// The five result rows, in the order they are computed and shown; the index
// is also the copy buttons' item index.
enum class InertiaAxis { Ixx, Iyy, Izz, IxxEnd, IyyEnd };
inline constexpr int InertiaAxisCount = 5;

// Density mode takes the mass from the density for the shapes that allow it;
// the other shapes always read the mass.
enum class MassMode { Mass, Density };

// Inputs in base units, indexed by InertiaInput. nullopt: the box could not be
// read or converted, which fails every result that reads it. A box that holds
// no number yet ("", "-", "1E-") is also marked blank: its results are not
// failures but not there yet.
struct InertiaInputs
{
    std::array<std::optional<float>, InertiaInputCount> values;
    std::array<bool, InertiaInputCount> blank{};

    std::optional<float> &operator[](InertiaInput input) { return values[std::size_t(input)]; }
    const std::optional<float> &operator[](InertiaInput input) const { return values[std::size_t(input)]; }
};

// One result function: the value in kg-m², or nullopt when it fails.
using InertiaFunction = std::optional<float> (*)(const InertiaInputs &inputs, MassMode mode);

struct InertiaShapeInfo
{
    InertiaShape shape;
    int nameId;          // string id of the shape's name (before the language offset)
    const char *picture; // artwork name of the shape picture
    // The dimensions read, in reading order; the mass (or density) is read last.
    std::span<const InertiaInput> dimensions;
    bool densityAllowed;
    bool hasEndAxes;
    // Result functions by InertiaAxis; nullptr for a result the shape has not.
    std::array<InertiaFunction, InertiaAxisCount> results;
};

const InertiaShapeInfo &ShapeInfo(InertiaShape shape);

// Why a shape's inputs give no results, before any formula runs: a box the
// shape reads holds no number yet, or the inputs describe no real body (a
// negative dimension, mass or density, or a hollow cylinder whose inside
// diameter exceeds its outside one). Zero values are real: a solid cylinder
// has inside diameter 0.
struct InertiaProblem
{
    enum Kind { None, Blank, Negative, InsideExceedsOutside };
    Kind kind = None;
    InertiaInput input = InertiaInput::Density; // the box at fault, for Blank and Negative

    bool operator==(const InertiaProblem &) const = default;
};

// The first problem in the shape's reading order (dimensions, then the mass
// or density); blank boxes come first.
InertiaProblem CheckInertiaInputs(InertiaShape shape, const InertiaInputs &inputs, MassMode mode);

// A short reason the user can act on, such as "Inside diameter exceeds
// outside diameter"; empty for None and Blank.
const char *InertiaProblemText(const InertiaProblem &problem);

// Which box gives the mass: the density for a shape that allows it in density
// mode, else the mass box. It is read after the dimensions.
InertiaInput MassInput(InertiaShape shape, MassMode mode);

// The mass in kg: the mass input, or in density mode for the cylinder, the
// parallelepiped and the sphere, density × volume stored in single precision.
// nullopt when any input it needs is missing, the inputs have a problem, or
// the mass overflows.
std::optional<float> ShapeMass(InertiaShape shape, const InertiaInputs &inputs, MassMode mode);

struct InertiaResults
{
    // kg-m² by InertiaAxis; nullopt for a failed result and for the end axes
    // of the shapes that have none. The slender rod's Izz is always 0.
    std::array<std::optional<float>, InertiaAxisCount> values;
    // In density mode for the shapes that allow it: the mass found from the
    // density, in kg, for the mass box. nullopt otherwise or when it failed.
    std::optional<float> computedMass;
    // Set when the inputs give no results at all; every result that reads
    // them is then nullopt.
    InertiaProblem problem;
};

// All results of one shape, as the result functions give them one by one.
InertiaResults ComputeInertia(InertiaShape shape, const InertiaInputs &inputs, MassMode mode);

// The result functions. Cylinder: z is its own axis, x and y cross it through
// the centre of mass, x' and y' lie in one end face. Parallelepiped: x along
// W, y along H, z along L. Tetrahedron: the three perpendicular edges W, H, L
// along x, y, z from one corner, the axes being those edges.
std::optional<float> CylinderIxx(const InertiaInputs &inputs, MassMode mode); // Ixx and Iyy
std::optional<float> CylinderIzz(const InertiaInputs &inputs, MassMode mode);
std::optional<float> CylinderIxxEnd(const InertiaInputs &inputs, MassMode mode); // Ix'x' and Iy'y'
std::optional<float> ParallelepipedIxx(const InertiaInputs &inputs, MassMode mode);
std::optional<float> ParallelepipedIyy(const InertiaInputs &inputs, MassMode mode);
std::optional<float> ParallelepipedIzz(const InertiaInputs &inputs, MassMode mode);
std::optional<float> ParallelepipedIxxEnd(const InertiaInputs &inputs, MassMode mode);
std::optional<float> ParallelepipedIyyEnd(const InertiaInputs &inputs, MassMode mode);
std::optional<float> SphericalShellI(const InertiaInputs &inputs, MassMode mode);
std::optional<float> SphereI(const InertiaInputs &inputs, MassMode mode);
std::optional<float> SlenderRodI(const InertiaInputs &inputs, MassMode mode); // Ixx and Iyy
std::optional<float> SlenderRodIEnd(const InertiaInputs &inputs, MassMode mode);
std::optional<float> TetrahedronIxx(const InertiaInputs &inputs, MassMode mode);
std::optional<float> TetrahedronIyy(const InertiaInputs &inputs, MassMode mode);
std::optional<float> TetrahedronIzz(const InertiaInputs &inputs, MassMode mode);
