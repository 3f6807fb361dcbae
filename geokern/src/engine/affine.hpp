#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// A planar affine map p -> origin + linear (p - origin) + shift. Diagonal maps skip the cross terms, so
// a move or a scale leaves each coordinate depending on itself alone (and a move is exact).
struct Affine {
    double xx = 1, xy = 0, yx = 0, yy = 1;  // the linear part, row by row
    double ox = 0, oy = 0;                 // the fixed point of the linear part
    double dx = 0, dy = 0;                 // the shift after it

    bool diagonal() const { return xy == 0.0 && yx == 0.0; }
    Vertex apply(const Vertex& point) const;
};

Affine move_map(double dx, double dy);
// A counter-clockwise rotation in degrees; quarter turns are exact.
Affine rotation_map(double degrees, double ox, double oy);
Affine scale_map(double sx, double sy, double ox, double oy);

// The image of a geometry: vertices and curves mapped exactly (circular arcs stay circular under
// similarities, become elliptic otherwise; Bezier control points map as points). An envelope becomes the
// extent of its mapped rectangle. Under a mirror, polygon rings are run backwards from their start to
// keep their orientation. z, m, awareness and spatial reference are kept. A finite coordinate that the
// map sends beyond the range of doubles is refused.
GeometryValue map_geometry(const GeometryValue& geometry, const Affine& map);

// The image of an elliptic arc under the linear part of a map, centred at the mapped centre; absent
// when the image collapses onto a line (a zero scale factor), the segment then becoming straight.
std::optional<EllipticArc> map_arc(const EllipticArc& arc, const Affine& map);

}  // namespace geokern::engine
