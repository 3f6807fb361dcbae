#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern::engine {

// The part of a geometry inside a box (its boundary included), of the geometry's type, with the
// geometry's spatial reference; see clip_api.cpp for how each type is cut.
GeometryValue clipped(const GeometryValue& geometry, const EnvelopeData& box);

}  // namespace geokern::engine
