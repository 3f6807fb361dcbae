#pragma once

#include <cstdint>
#include <span>

#include "geometry_builder.hpp"

namespace velmor::formats {

// Reads one ISO/OGC WKB geometry (type codes with the 1000/2000/3000 dimension offsets) or EWKB
// geometry (Z, M and SRID flag bits) in either byte order and reports it to the builder. Counts are
// checked against the bytes left before anything is read or allocated; bytes after the geometry are
// refused. A point whose values are all NaN is the empty point, as GEOS and PostGIS write it.
Status read_wkb(std::span<const std::uint8_t> bytes, GeometryBuilder& builder);

}  // namespace velmor::formats
