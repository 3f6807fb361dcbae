#pragma once

#include <Python.h>

#include "core/envelope_value.hpp"
#include "core/multipoint.hpp"
#include "core/point_value.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "geometry/geometry_class.hpp"

// __geo_interface__: the GeoJSON geometry mapping of a geometry, which other Python geometry libraries
// read. Positions are tuples of x, y and z when the geometry has z (GeoJSON has no m); curves become
// chords within the deviation of curve_chords.hpp. Polylines give a LineString, or a MultiLineString
// for any other number of paths. Polygon rings are grouped the way this system orients them (outer rings
// clockwise, each counter-clockwise ring a hole of the outer ring that holds it) into a Polygon, or a
// MultiPolygon for several outer rings, and written as GeoJSON wants them: outer rings counter-clockwise, holes
// clockwise, every ring closed. An envelope is its rectangle as a Polygon. Empty geometries keep
// their type with no coordinates; an empty polyline or polygon is an empty MultiLineString or Polygon.
namespace velmor::py {

Result<Ref> geo_interface(const core::PointValue& value);
Result<Ref> geo_interface(const core::EnvelopeValue& value);
Result<Ref> geo_interface(const core::Multipoint& value);
Result<Ref> geo_interface(const core::Polyline& value);
Result<Ref> geo_interface(const core::Polygon& value);

namespace geometry_class {

// Written from a snapshot, so the geometry's lock is not held while the runtime engine draws chords.
template <class Traits>
PyObject* get_geo_interface(PyObject* self, void*) {
    return guard([&]() -> Result<Ref> {
        using Value = typename Traits::Value;
        VELMOR_TRY_ASSIGN(Value snapshot, (read<Value>(self, [](const Value& value) { return value; })));
        return geo_interface(snapshot);
    });
}

}  // namespace geometry_class
}  // namespace velmor::py
