#pragma once

#include <rapidjson/document.h>

#include <optional>

#include "geometry/curve.hpp"
#include "json/json_location.hpp"

namespace geokern {

// The shape of a segment object from `start` to `end`, the end vertex being its first item (read by the
// caller):
// - {"c": [end, interior]}: the circular arc through the interior point (none: a straight segment, when
//   the interior point lies on the chord);
// - {"a": [end, centre, minor, clockwise]}: the circular arc around the centre;
// - {"a": [end, centre, minor, clockwise, rotation, axis, ratio]}: the elliptic arc of that rotation,
//   semi-major axis and minor/major ratio through both end points (the centre follows from them);
// - {"b": [end, control1, control2]}: the cubic Bezier curve.
// The keys are tried in that order.
std::optional<Curve> read_segment_shape(const rapidjson::Value& items, char kind, const Vertex& start,
                                        const Vertex& end, const JsonLocation& where);

// The key of a segment object ('c', 'a' or 'b') and its array, or a failure for any other object.
struct SegmentItems {
    char kind;
    const rapidjson::Value* items;
};
SegmentItems segment_items(const rapidjson::Value& segment, const JsonLocation& where);

}  // namespace geokern
