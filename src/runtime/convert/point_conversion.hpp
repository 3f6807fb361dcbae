#pragma once

#include "core/point_value.hpp"
#include "core/result.hpp"
#include "runtime/owned.hpp"

namespace velmor::runtime::convert {

// A runtime point of the value: XY, XYZ, M or ZM creation after the z and m it has, with its spatial
// reference when it has one. The library's refusal of the spatial reference is the Geokern kind.
core::Result<Point> point_to_runtime(const core::PointValue& value);

// The value of a runtime point: x and y, z and m only when the point reports them, and its spatial
// reference when it has one.
core::PointValue point_from_runtime(const Point& point);

}  // namespace velmor::runtime::convert
