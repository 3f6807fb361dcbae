#pragma once

#include "geometry/bounds.hpp"
#include "geometry/vertex.hpp"

namespace geokern {

// The two control points of a cubic Bezier curve; its end points are the segment's own.
struct CubicBezier {
    double c1x = 0, c1y = 0, c2x = 0, c2y = 0;
};

// Exact x-y range: end points and the interior extremes where a coordinate's derivative vanishes.
Bounds bezier_bounds(const Vertex& start, const CubicBezier& curve, const Vertex& end);

// Arc length to about 1e-15 relative (adaptive quadrature of the speed).
double bezier_length(const Vertex& start, const CubicBezier& curve, const Vertex& end);

}  // namespace geokern
