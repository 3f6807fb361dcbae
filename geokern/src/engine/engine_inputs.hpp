#pragma once

#include <string>

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// The spatial reference of a result of two inputs: theirs, or the one that has one. Different systems
// (compared by value) are refused with a message that names both.
SpatialReferenceRef joint_spatial_reference(const GeometryValue& a, const GeometryValue& b);

// A short name of a spatial reference for messages: "wkid 4326", or "no spatial reference".
std::string describe_spatial_reference(const SpatialReferenceRef& spatial_reference);

// Whether the x-y extents of two non-empty geometries share at least a point.
bool extents_meet(const GeometryValue& a, const GeometryValue& b);

[[noreturn]] void refuse(const std::string& why);

}  // namespace geokern::engine
