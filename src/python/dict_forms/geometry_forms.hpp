#pragma once

#include <Python.h>

#include "core/multipoint.hpp"
#include "core/polygon.hpp"
#include "core/polyline.hpp"
#include "errors.hpp"

namespace velmor::py {

// The dictionary forms of the multi-vertex geometries. `dict` must be a dictionary (the caller checks).
// A failed conversion leaves nothing behind.

// "hasZ"/"hasM", "paths" (lists of coordinate lists), "curvePaths" (curve part lists), "spatialReference".
Result<core::Polyline> polyline_from_dict(PyObject* dict);
// As the polyline with "rings" and "curveRings"; the rings are validated by the native build.
Result<core::Polygon> polygon_from_dict(PyObject* dict);
// "points" (required list of coordinate lists), "hasZ"/"hasM", "spatialReference".
Result<core::Multipoint> multipoint_from_dict(PyObject* dict);

}  // namespace velmor::py
