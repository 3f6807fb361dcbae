#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern {

// A geometry of a wrapping system (see wrap_around.hpp) moved into the system's x range: points one by
// one; a polyline or polygon that lies within one period as a whole, and one that crosses the
// antimeridian cut there into pieces, each moved by its own whole periods (so a geodesic buffer that ran
// past 180 becomes two parts). An envelope that would cross the antimeridian covers the whole range
// instead, as an envelope has one piece. Geometries already inside the range, of other systems or
// without one come back unchanged. Never fails: a geometry it cannot handle comes back unchanged.
GeometryValue normalized_central_meridian(const GeometryValue& geometry);

}  // namespace geokern
