#pragma once

#include <cstdint>

#include "coordinate.hpp"
#include "format_error.hpp"

namespace velmor::formats {

// The events through which the WKT parser and the WKB reader report a geometry, in input order.
//
// - A point is point_begin, one coordinate, point_end; an empty point is the single empty_point.
// - The points of a multipoint are bare coordinates between multipoint_begin and multipoint_end.
// - A line string or polygon is `tagged` when it is a geometry by itself (at the top or inside a
//   geometry collection), untagged when it is a member of a multi geometry. The rings of a polygon
//   are untagged line strings.
// - srid comes from EWKB only, before any other event.
// A failed event stops the walk and its error becomes the reader's result.
class GeometryBuilder {
  public:
    virtual ~GeometryBuilder() = default;

    virtual Status srid(std::int32_t value) = 0;
    virtual Status coordinate(const Coordinate& coordinate) = 0;

    virtual Status empty_point() = 0;
    virtual Status point_begin() = 0;
    virtual Status point_end() = 0;
    virtual Status linestring_begin(bool tagged) = 0;
    virtual Status linestring_end(bool tagged) = 0;
    virtual Status polygon_begin(bool tagged) = 0;
    virtual Status polygon_end(bool tagged) = 0;
    virtual Status multipoint_begin() = 0;
    virtual Status multipoint_end() = 0;
    virtual Status multilinestring_begin() = 0;
    virtual Status multilinestring_end() = 0;
    virtual Status multipolygon_begin() = 0;
    virtual Status multipolygon_end() = 0;
    virtual Status geometry_collection_begin() = 0;
    virtual Status geometry_collection_end() = 0;
};

// Geometry collections may nest; deeper input is refused so that hostile input cannot exhaust the
// stack.
inline constexpr int max_collection_depth = 64;

}  // namespace velmor::formats
