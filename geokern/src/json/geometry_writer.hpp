#pragma once

#include <string>

#include "geometry/geometry_value.hpp"

namespace geokern {

// Compact JSON text of a geometry, which any JSON reader accepts (see json_number.hpp for NaN and the
// infinities) and which read_geometry_json turns back into an equal geometry:
// - point: {"spatialReference": ..., "x": 1, "y": 2, "z": 3, "m": 4}, z and m only when the point has
//   them; an empty point writes every number null;
// - envelope: {"spatialReference": ..., "xmin", "ymin", "xmax", "ymax"} then "zmin", "zmax" and
//   "mmin", "mmax" when it has z / m; an empty envelope writes every number null;
// - multipoint: {"hasZ": true, "hasM": true, "spatialReference": ..., "points": [...]};
// - polyline / polygon: the flags and spatial reference as for a multipoint, then "curvePaths" /
//   "curveRings" with the parts that have curves (only when there is one), then "paths" / "rings" with
//   the others (always). A ring is written closed: its first vertex again at the end.
// Curved segments: circular arcs {"a": [end, [cx, cy], minor, clockwise]}, elliptic arcs
// {"a": [end, [cx, cy], minor, clockwise, rotation, axis, ratio]}, Bezier curves {"b": [end, c1, c2]}.
std::string write_geometry_json(const GeometryValue& geometry);

}  // namespace geokern
