#pragma once

#include <cstdint>

namespace velmor::formats {

// The seven OGC simple-feature types, numbered as in WKB.
enum class GeometryType : std::uint32_t {
    Point = 1,
    LineString = 2,
    Polygon = 3,
    MultiPoint = 4,
    MultiLineString = 5,
    MultiPolygon = 6,
    GeometryCollection = 7,
};

constexpr const char* type_name(GeometryType type) {
    constexpr const char* names[] = {"",           "POINT",           "LINESTRING",   "POLYGON",
                                     "MULTIPOINT", "MULTILINESTRING", "MULTIPOLYGON", "GEOMETRYCOLLECTION"};
    return names[static_cast<std::uint32_t>(type)];
}

}  // namespace velmor::formats
