#pragma once

#include <Python.h>

#include "core/polygon.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class Polygon: one shared native polygon per instance; its rings and curve rings are live views.
PyTypeObject* polygon_type();

// A new Polygon holding its own polygon.
Result<Ref> new_polygon(core::Polygon value);

// The runtime geometry of a Polygon, built from its native value under its lock without calling the
// object's __gkn_geo().
core::Result<runtime::GeometryOwned> polygon_runtime_value(PyObject* polygon);

}  // namespace velmor::py
