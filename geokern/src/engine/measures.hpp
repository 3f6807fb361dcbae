#pragma once

#include <cmath>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// Twice the signed area of the loop along a curved segment and back along its chord, positive when that
// loop runs counter-clockwise (the curve bulges to the right of its chord). Closed forms: an elliptic arc of sweep s has
// a b (s - sin s), a cubic Bezier the exact integral of its Green's polynomial.
double curve_bulge_area2(const Vertex& start, const Curve& curve, const Vertex& end);

// Twice the signed area of a closed part with its curves, positive counter-clockwise.
double ring_area2(const PartValue& ring);

// The area of the region a polygon bounds, from the signed sum over its rings (clockwise outer rings
// positive, counter-clockwise holes negative). Rings that all run the other way round (as GeoJSON writes
// outer rings) bound the same region as their mirror, so the measure is the sum's size; no polygon
// measures -0.0.
inline double region_measure(double signed_sum) { return std::fabs(signed_sum); }

// Planar area of the region a polygon bounds (see region_measure); an envelope its rectangle; every
// other geometry 0.
double planar_area(const GeometryValue& geometry);

// Planar length: paths and rings (with their closing segment) with exact curves; an envelope its
// perimeter; points 0.
double planar_length(const GeometryValue& geometry);

}  // namespace geokern::engine
