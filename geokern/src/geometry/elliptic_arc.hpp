#pragma once

#include <optional>

#include "geometry/bounds.hpp"
#include "geometry/vertex.hpp"

namespace geokern {

// An arc of an ellipse, held exactly as its parameters:
// - centre (cx, cy), `rotation` of the major axis (radians, counter-clockwise from the x axis),
//   `semi_major` axis a > 0 and `ratio` = b / a in (0, 1] (b the semi-minor axis; 1 for a circle);
// - `start_angle` and signed `central_angle`, both polar: the direction of a point seen from the centre,
//   counter-clockwise from the x axis. A positive central angle runs counter-clockwise, a negative one
//   clockwise, |central_angle| <= 2 pi; a zero central angle counts as counter-clockwise.
// Positions are computed through the eccentric anomaly t, a point being
//   centre + R(rotation) (a cos t, b sin t);
// `start_param` and `sweep_param` are the same arc in that parameter (equal to the polar angles minus
// the rotation for a circle). Both forms are kept so that the angles read back are the ones given.
struct EllipticArc {
    double cx = 0, cy = 0;
    double rotation = 0;
    double semi_major = 1;
    double ratio = 1;
    double start_angle = 0;
    double central_angle = 0;
    double start_param = 0;
    double sweep_param = 0;

    double semi_minor() const { return semi_major * ratio; }
    double end_angle() const { return start_angle + central_angle; }
    bool is_circular() const { return ratio == 1.0; }
    bool is_counter_clockwise() const { return central_angle >= 0.0; }
    Vertex point_at(double param) const;
    Vertex start_point() const { return point_at(start_param); }
    Vertex end_point() const { return point_at(start_param + sweep_param); }
};

// Every constructor checks its numbers and reports a bad one as an invalid argument. A ratio above 1 is
// taken as the same ellipse with its axes swapped (the major axis is then rotated by a quarter turn).

// From the centre, the axes and polar start and central angles.
EllipticArc arc_with_center(double cx, double cy, double rotation, double semi_major, double ratio,
                            double start_angle, double central_angle);

// Through two end points, with the ellipse's rotation, semi-major axis and ratio. Two ellipses of that
// shape pass through two distinct points; their two arcs from start to end in the requested direction
// are a minor one (less than a half turn) and a major one, and the flags select one of the four.
// When the axis is too short for the ellipse to reach both points, it is enlarged to the least length
// that does (half the chord, measured in the ellipse's own axes): the arc is then a half ellipse,
// whatever the minor flag. Coinciding end points do not fix an ellipse and are refused.
EllipticArc arc_from_endpoints(const Vertex& start, const Vertex& end, double rotation, bool minor,
                               bool counter_clockwise, double semi_major, double ratio);

// A circular arc around a given centre. The radius is the start point's distance; the end point must lie
// on that circle (to 1e-9 of the radius). The direction flag chooses the arc; the minor flag matters only
// when the end points coincide: a minor arc is then empty, a major one a full circle.
EllipticArc circular_arc_with_center(const Vertex& start, const Vertex& end, const Vertex& center, bool minor,
                                     bool counter_clockwise);

// The circular arc from start through `interior` to end. Three collinear points have no circle: when the
// interior point lies strictly between the ends the answer is absent (the caller makes a straight line,
// the limit of ever flatter arcs); any other collinear case is refused. Coinciding end points with a
// distinct interior point give the full circle whose diameter joins them, counter-clockwise.
std::optional<EllipticArc> circular_arc_through(const Vertex& start, const Vertex& end,
                                                const Vertex& interior);

// The same arc refitted to new end points, keeping rotation, axes, direction and minor/major choice.
EllipticArc refit_arc(const EllipticArc& arc, const Vertex& start, const Vertex& end);

// The exact x-y range of the arc, including the extreme points of its bulge.
Bounds arc_bounds(const EllipticArc& arc);

// Exact for circles; to about 1e-15 relative for ellipses.
double arc_length(const EllipticArc& arc);

}  // namespace geokern
