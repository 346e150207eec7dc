#pragma once
// A shape part chosen in the inertia calculator for another window (the axis
// sizing window): the shape, its boxes as the user left them, the result
// about an axis parallel to the axis of rotation, and the offset d between
// that axis and the axis of rotation. The calculator hands it over as the
// density window hands over a density.

#include "inertia/inertiarows.h"

#include <QString>

struct InertiaPick
{
    InertiaShape shape = InertiaShape::Cylinder;
    MassMode massMode = MassMode::Density;
    InertiaEntries entries; // the eight boxes: text and unit list text
    InertiaAxis result = InertiaAxis::Izz;
    InertiaEntry offset; // a length
    QString name;        // of a new part, as typed; empty: the shape's title
};

// Whether the shape has the result (the end axes only where it has them).
bool HasResult(InertiaShape shape, InertiaAxis result);
// "Ixx", ..., "Ix'x'", "Iy'y'", as the calculator shows them.
QString ResultTitle(InertiaAxis result);

// The parallel-axis term m·d² holds only from an axis through the centre of
// mass: the x, y and z results of every shape but the tetrahedron. The end
// axes and the tetrahedron's corner edges are taken as they are, with d = 0.
bool AllowsOffset(InertiaShape shape, InertiaAxis result);
// Why a result takes no offset, for the window to show; empty when it does.
QString OffsetRefusal(InertiaShape shape, InertiaAxis result);

// Why the pick cannot be handed over, in words; empty when it can: a result
// the shape has not, inputs that give no such result, an offset that is no
// number or negative, or an offset from an axis not through the centre of mass.
QString PickRefusal(const ConversionTableData &units, const InertiaPick &pick);
