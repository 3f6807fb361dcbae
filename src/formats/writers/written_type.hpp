#pragma once

#include <cstdint>

namespace velmor::formats {

// The types the writers produce: the seven simple-feature types and the five SQL/MM curve types,
// numbered by their ISO WKB codes (without the dimension offsets).
enum class WrittenType : std::uint32_t {
    Point = 1,
    LineString = 2,
    Polygon = 3,
    MultiPoint = 4,
    MultiLineString = 5,
    MultiPolygon = 6,
    CircularString = 8,
    CompoundCurve = 9,
    CurvePolygon = 10,
    MultiCurve = 11,
    MultiSurface = 12,
};

constexpr const char* written_type_name(WrittenType type) {
    constexpr const char* names[] = {"",           "POINT",           "LINESTRING",      "POLYGON",
                                     "MULTIPOINT", "MULTILINESTRING", "MULTIPOLYGON",    "",
                                     "CIRCULARSTRING", "COMPOUNDCURVE", "CURVEPOLYGON", "MULTICURVE",
                                     "MULTISURFACE"};
    return names[static_cast<std::uint32_t>(type)];
}

}  // namespace velmor::formats
