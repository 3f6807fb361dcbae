#pragma once

#include "core/dims.hpp"
#include "core/part.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// Between a native linear part and runtime parts and point collections. Runtime errors here are
// broken contracts (internal failures); nothing is returned.

// Appends every vertex of `part`, in order, to a runtime part.
void write_part(const MutablePart& target, const core::Part& part);
// A new runtime part of the vertices of `part`.
MutablePart part_to_runtime(const core::Part& part, const SpatialReference* spatial_reference);

// The part of the given dimensionality holding the points in order; a z or m a point lacks is NaN.
core::Part part_from_points(ImmutablePointCollection points, core::Dims dims);
// The points of a runtime part as a linear part (its segments are not looked at).
core::Part part_from_runtime(const ImmutablePart& part, core::Dims dims);

}  // namespace velmor::runtime::convert
