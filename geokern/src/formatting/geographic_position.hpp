#pragma once

#include "geometry/geometry_value.hpp"

namespace geokern::formatting {

// A position on WGS84, in degrees: the system every coordinate text is written in.
struct GeographicPosition {
    double latitude;
    double longitude;
};

// Where a point lies on WGS84. A point without a spatial reference is WGS84 longitude and latitude
// already. An empty point, a coordinate that is not a finite number, or a point that cannot be converted
// is refused.
GeographicPosition geographic_position_of(const GeometryValue& point);

// A new point at a WGS84 position, in the given spatial reference (none: WGS84 longitude and latitude).
GK_GeometryHandle point_at(const GeographicPosition& position, const SpatialReferenceRef& spatial_reference);

}  // namespace geokern::formatting
