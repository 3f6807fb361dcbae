#pragma once

#include <optional>

#include "core/coord.hpp"
#include "core/curve_data.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// Between runtime segments and the curve data of a native curve part.

// The curve data of a borrowed runtime segment (pass `owner.get()` of any segment owner): a line is
// Linear, a circular arc becomes CircularArc through the point halfway along its angle, any other
// elliptic arc EllipticArc, a cubic Bezier BezierCurve. Any other kind of segment is the Geokern error
// "Got segment of invalid type from geokern". Reading the segment must not fail.
core::Result<core::CurveData> curve_data_from_segment(GK_SegmentHandle segment);

// The runtime segment from `start` to `end` shaped by `curve`; none for Linear, which the runtime part
// joins with a straight line. The library's refusal to build the curve comes back as the Geokern kind.
core::Result<std::optional<SegmentOwned>> segment_from_curve_data(const core::Coord& start,
                                                                  const core::Coord& end,
                                                                  const core::CurveData& curve,
                                                                  const SpatialReference* spatial_reference);

// Appends the vertex `end` to a runtime part whose last vertex is `start`, through the segment that
// `curve` describes (a plain vertex for Linear).
core::Result<void> add_curve_vertex(const MutablePart& part, const core::Coord& start, const core::Coord& end,
                                    const core::CurveData& curve, const SpatialReference* spatial_reference);

}  // namespace velmor::runtime::convert
