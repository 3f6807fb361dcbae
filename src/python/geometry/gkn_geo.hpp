#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// GKNGeo carries one runtime geometry from a geometry's __gkn_geo() to the operation that uses it.
// It is not a module attribute; its type is built on first use.
PyTypeObject* gkn_geo_type();

// A new GKNGeo holding the geometry.
Result<Ref> new_gkn_geo(runtime::GeometryOwned geometry);

// Takes the geometry out of a GKNGeo, leaving it empty. Anything but a GKNGeo is the interpreter's
// TypeError; an empty one is an internal failure.
Result<runtime::GeometryOwned> take_gkn_geo(PyObject* object);

}  // namespace velmor::py
