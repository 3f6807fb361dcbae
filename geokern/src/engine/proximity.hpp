#pragma once

#include <cstdint>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// Positions on one segment are given by the fraction t in [0, 1] of its parameter: along a straight
// segment, along an arc's eccentric anomaly, or a Bezier curve's own parameter. z and m follow t
// linearly between the segment's end points, as in the segment's chord form.
Vertex point_on_segment(const Vertex& start, const Curve* curve, const Vertex& end, double t);

// The position of the segment nearest to (px, py), exact for curves: circular arcs in closed form,
// elliptic arcs and Bezier curves by bracketing the sign changes of the squared distance's derivative on
// a fine parameter grid and bisecting them to the last bit.
struct SegmentPosition {
    double t = 0.0;
    Vertex point;
    double distance = nan_value;
};
SegmentPosition nearest_on_segment(const Vertex& start, const Curve* curve, const Vertex& end, double px, double py);

// The length of the segment from its start to the position t, and back: the position at a length.
double length_to(const Vertex& start, const Curve* curve, const Vertex& end, double t);
double fraction_at_length(const Vertex& start, const Curve* curve, const Vertex& end, double length);

// The nearest point of a geometry to (px, py). `part` and `segment` are -1 where no part or segment
// holds it: an empty geometry (then `point` is empty and `distance` NaN), or a point inside a polygon,
// which is its own nearest point at distance 0. A point or multipoint's nearest point is one of its
// points, with that point's index as `segment`.
struct NearestPoint {
    Vertex point;
    double distance = nan_value;
    int64_t part = -1;
    int64_t segment = -1;
    double t = 0.0;
};
NearestPoint nearest_coordinate(const GeometryValue& geometry, double px, double py);

// The vertex nearest to (px, py): its part and point index; the first of equally near ones.
NearestPoint nearest_vertex(const GeometryValue& geometry, double px, double py);

}  // namespace geokern::engine
