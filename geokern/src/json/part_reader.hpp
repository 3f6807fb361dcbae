#pragma once

#include <rapidjson/document.h>

#include "geometry/part.hpp"
#include "json/json_location.hpp"

namespace geokern {

// The z and m awareness of the geometry being read: which items of a vertex array are z and m.
struct JsonDims {
    bool has_z = false;
    bool has_m = false;
};

// A vertex [x, y, z, m]: x and y required; the third item is z when the geometry has z, else m when it
// has m; the fourth is m when it has both. Missing items are NaN, further items are ignored.
void append_vertex(const rapidjson::Value& vertex, PartValue& part, const JsonLocation& where);

// An empty part of the geometry's awareness, with room for `points` vertices.
PartValue empty_part(JsonDims dims, rapidjson::SizeType points);

// An array of vertices.
PartValue read_linear_part(const rapidjson::Value& vertices, JsonDims dims, const JsonLocation& where);

// An array whose first item is a vertex and whose later items are vertices (straight segments) or
// segment objects {"c": ...}, {"a": ...}, {"b": ...} ending at their vertex.
PartValue read_curve_part(const rapidjson::Value& items, JsonDims dims, const JsonLocation& where);

}  // namespace geokern
