#pragma once

#include <optional>
#include <vector>

#include "coordinate.hpp"

namespace velmor::formats {

// The circle of an arc given by its start, interior and end point, as SQL/MM curves give it.
struct ArcCircle {
    double center_x = 0;
    double center_y = 0;
    double radius = 0;
    double start_angle = 0;  // of the start point, seen from the center
    double sweep = 0;        // signed: positive counter-clockwise, at most a full turn either way
    double interior_sweep = 0;  // from the start to the interior point, same sign as sweep
};

// The circle through the three points. A start equal to the end is a full circle through the
// interior point, taken counter-clockwise; three collinear points (or an interior point equal to an
// end) give none, as they describe straight segments.
std::optional<ArcCircle> arc_circle(const Coordinate& start, const Coordinate& interior, const Coordinate& end);

// The vertices that replace the arc in a line, after its start: the sweep divided into
// ceil(32 * |sweep| / (pi / 2)) equal angular steps (128 for a full circle; a count within 1e-9 above
// a whole number is taken as that number), the exact end point last.
// z and m, where all three points carry them, run linearly with the angle from start to interior and
// from interior to end. Collinear points give the interior point and the end point.
void densify_arc(const Coordinate& start, const Coordinate& interior, const Coordinate& end,
                 std::vector<Coordinate>& out);

// The signed area between the chord from start to end and the arc (positive when the arc runs
// counter-clockwise); added to the shoelace area of a ring's vertices it gives the area of a curved ring.
double arc_segment_area(const Coordinate& start, const Coordinate& interior, const Coordinate& end);

}  // namespace velmor::formats
