#pragma once

#include <optional>

namespace velmor::formats {

// The circle of an arc given by its start, a point on it and its end. The sweep runs from the start
// through that point to the end, counter-clockwise positive. An arc that ends where it starts is the
// full circle whose diameter joins the start and the interior point, counter-clockwise.
struct ArcCircle {
    double center_x;
    double center_y;
    double radius;
    double start_angle;
    double sweep;
    // The point halfway along the arc: on the chord's perpendicular bisector, on the side the arc
    // bulges to, so no angle is rounded on the way; for a full circle, the interior point itself.
    double mid_x;
    double mid_y;

    // The signed area between the arc and its chord, counter-clockwise positive as in the shoelace sum.
    double bulge_area() const;
};

// None when the three points lie on one line (or are not finite): such an arc is its chord.
std::optional<ArcCircle> arc_circle(double start_x, double start_y, double interior_x, double interior_y,
                                    double end_x, double end_y);

}  // namespace velmor::formats
