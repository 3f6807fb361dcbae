#pragma once

#include <Python.h>

#include "formats/geometry_builder.hpp"

namespace velmor::py {

// Reports a GeoJSON geometry dictionary ("type" and "coordinates", positions as lists or tuples of
// two or three numbers) to a builder, with the events the WKT parser gives for the same geometry:
// Point, MultiPoint, LineString, MultiLineString, Polygon and MultiPolygon. A point without
// coordinates is the empty point. Anything else, a GeometryCollection included, is a failed walk that
// says what and where. Python errors met on the way (a number that refuses conversion) end the walk
// too; their text is in the error.
formats::Status walk_geojson(PyObject* geometry, formats::GeometryBuilder& builder);

}  // namespace velmor::py
