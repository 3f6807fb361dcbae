#pragma once

#include <Python.h>

#include "errors.hpp"

namespace velmor::py {

// The geometry a Python value describes: a dictionary by the first of its keys "rings", "curveRings",
// "paths", "curvePaths", "points", "x", "xmin", "wkid", "wkt", "latestWkt" (the last three give a
// SpatialReference), or OvraJSON text (str or UTF-8 bytes) parsed by the runtime core.
Result<Ref> geometry_from_py(PyObject* value);

}  // namespace velmor::py
