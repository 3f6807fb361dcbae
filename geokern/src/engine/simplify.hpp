#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// The topologically correct form of a geometry, and the test whether a geometry already has it.
//
// A polygon is simple when every ring is closed, has no straight segment of no length (a repeated
// vertex), is not degenerate (all points on one line: fewer than three distinct points, or a spike
// alone), the rings form valid polygons as GEOS sees them (no self-intersection, spike, overlapping
// outer rings or hole outside its ring) and every counter-clockwise ring lies inside a clockwise one.
// A polyline is simple when no path repeats a vertex along a straight segment and no path is of one
// point or no length; paths may cross themselves and each other (they are not split: a crossing path
// is a valid polyline). A multipoint is simple without two points equal in x and y. Points and
// envelopes are always simple. Coordinates that are NaN or infinite make a geometry not simple.
bool is_simple_geometry(const GeometryValue& geometry);

// The simple form: the geometry itself when it is simple. Otherwise repeated vertices and degenerate
// parts go (curves stay); a polygon whose rings are then still not valid is rebuilt by GEOS's
// make-valid with the structure method (every lobe of a self-crossing ring kept as an outer ring, holes
// subtracted), straight, with clockwise outer rings each followed by its counter-clockwise holes. A
// multipoint keeps the first of equal points. Non-finite coordinates are a runtime error.
GeometryValue simplified_geometry(const GeometryValue& geometry);

}  // namespace geokern::engine
