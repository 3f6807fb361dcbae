#pragma once

#include <Python.h>

#include "errors.hpp"
#include "formats/native/native_geometry_builder.hpp"

namespace velmor::py {

// Geometry.from_wkt(wkt) and Geometry.from_wkb(wkb): one call from WKT or WKB to a geometry object,
// built in the native model straight from the reader's events. WKT and ISO WKB carry no spatial
// reference, so the result has none; an EWKB SRID becomes the result's wkid. WKB is any bytes-like
// object or its hexadecimal text. Input that holds no geometry of this model (a geometry collection,
// a text or bytes the readers refuse) is a ValueError saying why; called on a subclass, a geometry of
// another class is a TypeError naming both.
PyObject* geometry_from_wkt(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* geometry_from_wkb(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
// Geometry.from_geojson(value, spatial_reference=None): a GeoJSON geometry as a dict, as its JSON text,
// or as any object with __geo_interface__, with rings turned as this model keeps them (outer rings
// clockwise) and the spatial reference given, if any (a SpatialReference or its dict).
PyObject* geometry_from_geojson(PyObject* cls, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

// The Python object holding a native geometry.
Result<Ref> native_geometry_object(formats::NativeGeometry geometry);

}  // namespace velmor::py
