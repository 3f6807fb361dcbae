#pragma once

#include <Python.h>

namespace velmor::py {

// Geometry.from_wkt(wkt) and Geometry.from_wkb(wkb): one call from WKT or WKB to a geometry object,
// through the OvraJSON dictionary the utility readers build and the geometry factory. WKT and ISO WKB
// carry no spatial reference, so the result has none; an EWKB SRID becomes the result's wkid. WKB is
// any bytes-like object.
PyObject* geometry_from_wkt(PyObject* type, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);
PyObject* geometry_from_wkb(PyObject* type, PyObject* const* args, Py_ssize_t nargs, PyObject* kwnames);

}  // namespace velmor::py
