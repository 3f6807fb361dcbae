#pragma once

#include <string_view>

#include "geometry_builder.hpp"

namespace velmor::formats {

// Parses one OGC WKT geometry (Point, LineString, Polygon, MultiPoint, MultiLineString, MultiPolygon,
// GeometryCollection, and the SQL/MM curves CircularString, CompoundCurve, CurvePolygon, MultiCurve,
// MultiSurface; 2D, Z, M, ZM; EMPTY; keywords in any case) and reports it to the builder. Inside the
// curve types a bare "(...)" member is a line string (a polygon in a MultiSurface).
// Without a dimension keyword each coordinate's own number of values (2, 3 or 4) gives its layout.
// Text after the geometry is refused.
Status parse_wkt(std::string_view text, GeometryBuilder& builder);

}  // namespace velmor::formats
