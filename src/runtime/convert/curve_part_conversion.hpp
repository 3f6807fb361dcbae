#pragma once

#include "core/curve_part.hpp"
#include "core/dims.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// Between a native curve part and runtime parts. A curve the runtime refuses to build, a segment it
// cannot hand out and a segment of an unknown kind come back as the Geokern kind; any other runtime
// error is a broken contract (internal failure).

// Appends the vertices of `part` to a runtime part: vertex 0 as a point, every later vertex through
// the segment its curve data describes. A ring is written like a path: its repeated first vertex
// carries the curved closing segment, and the polygon built from it drops the repetition.
core::Result<void> write_curve_part(const MutablePart& target, const core::CurvePart& part,
                                    const SpatialReference* spatial_reference);
core::Result<MutablePart> curve_part_to_runtime(const core::CurvePart& part,
                                                const SpatialReference* spatial_reference);

// A runtime path: each point with the curve data of the segment ending there.
core::Result<core::CurvePart> curve_path_from_runtime(const ImmutablePart& part, core::Dims dims);
// A runtime ring, whose closing segment ends at point 0: a curved closing segment becomes a repeated
// first vertex carrying it; a straight one leaves the ring implicitly closed.
core::Result<core::CurvePart> curve_ring_from_runtime(const ImmutablePart& part, core::Dims dims);

}  // namespace velmor::runtime::convert
