#pragma once

#include <cstdint>

namespace velmor::formats {

// The seven OGC simple-feature types and the five SQL/MM curve types, numbered as in WKB.
enum class GeometryType : std::uint32_t {
    Point = 1,
    LineString = 2,
    Polygon = 3,
    MultiPoint = 4,
    MultiLineString = 5,
    MultiPolygon = 6,
    GeometryCollection = 7,
    CircularString = 8,
    CompoundCurve = 9,
    CurvePolygon = 10,
    MultiCurve = 11,
    MultiSurface = 12,
};

inline constexpr std::uint32_t first_type_code = 1;
inline constexpr std::uint32_t last_type_code = 12;

constexpr const char* type_name(GeometryType type) {
    constexpr const char* names[] = {"",
                                     "POINT",
                                     "LINESTRING",
                                     "POLYGON",
                                     "MULTIPOINT",
                                     "MULTILINESTRING",
                                     "MULTIPOLYGON",
                                     "GEOMETRYCOLLECTION",
                                     "CIRCULARSTRING",
                                     "COMPOUNDCURVE",
                                     "CURVEPOLYGON",
                                     "MULTICURVE",
                                     "MULTISURFACE"};
    return names[static_cast<std::uint32_t>(type)];
}

}  // namespace velmor::formats
