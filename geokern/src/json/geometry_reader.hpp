#pragma once

#include <string_view>

#include "geometry/geometry_value.hpp"

namespace geokern {

// A geometry from its JSON text. The kind is decided by the first member present of "rings",
// "curveRings", "paths", "curvePaths", "points", "x", "xmin" (a polygon, a polyline, a multipoint, a
// point, an envelope). `spatial_reference`, when not null, replaces whatever the text says. Anything
// malformed is an invalid argument naming the offset or the member at fault; unknown members are
// ignored.
GeometryValue read_geometry_json(std::string_view text, const SpatialReferenceRef& spatial_reference);

}  // namespace geokern
