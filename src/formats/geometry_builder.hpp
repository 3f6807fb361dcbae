#pragma once

#include <cstdint>

#include "coordinate.hpp"
#include "format_error.hpp"
#include "geometry_type.hpp"

namespace velmor::formats {

// The events through which the WKT parser and the WKB reader report a geometry, in input order.
//
// - A point is point_begin, one coordinate, point_end; an empty point is the single empty_point.
// - The points of a multipoint are bare coordinates between multipoint_begin and multipoint_end.
// - A line string or polygon is `tagged` when it is a geometry by itself (at the top or inside a
//   geometry collection), untagged when it is a member of a multi geometry. The rings of a polygon
//   are untagged line strings.
// - srid comes from EWKB only, before any other event.
// - A circular string or compound curve gives its first point as a coordinate, then each further point
//   of a straight piece as a coordinate and each circular arc as one arc event with its interior and
//   end point; the arc starts at the point before it. Inside a compound curve, compound_piece announces
//   each piece (LineString or CircularString) before its points; the point a piece shares with the
//   piece before it is not repeated.
// - The rings of a curve polygon are untagged line strings, circular strings or compound curves; the
//   members of a multicurve are untagged line strings, circular strings or compound curves, those of a
//   multisurface untagged polygons or curve polygons.
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

    virtual Status arc(const Coordinate& interior, const Coordinate& end) = 0;
    virtual Status circularstring_begin(bool tagged) = 0;
    virtual Status circularstring_end(bool tagged) = 0;
    virtual Status compoundcurve_begin(bool tagged) = 0;
    virtual Status compoundcurve_end(bool tagged) = 0;
    virtual Status compound_piece(GeometryType piece) = 0;
    virtual Status curvepolygon_begin(bool tagged) = 0;
    virtual Status curvepolygon_end(bool tagged) = 0;
    virtual Status multicurve_begin() = 0;
    virtual Status multicurve_end() = 0;
    virtual Status multisurface_begin() = 0;
    virtual Status multisurface_end() = 0;
};

// Geometry collections may nest; deeper input is refused so that hostile input cannot exhaust the
// stack.
inline constexpr int max_collection_depth = 64;

}  // namespace velmor::formats
