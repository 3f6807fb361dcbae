#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The runtime geometry of any geometry argument: a non-geometry is first read by geometry_from_py;
// then the object's own __gkn_geo() is called (so a Python subclass may override it) and the geometry
// taken out of the GKNGeo it returns. An instance of one of the five classes themselves, whose
// __gkn_geo() cannot be replaced, is converted directly, as that method would. The caller owns the result.
Result<runtime::GeometryOwned> geometry_to_runtime(PyObject* value);

// A new Python geometry of the class that the runtime geometry's object type selects, holding a fresh
// native value; the runtime geometry is released.
Result<Ref> geometry_from_runtime(runtime::GeometryOwned geometry);

}  // namespace velmor::py
