#pragma once

#include <Python.h>

#include "core/point_value.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class Point: one shared point value per instance (copies made with Point(p) share it).
PyTypeObject* point_type();

// A new Point holding its own value.
Result<Ref> new_point(core::PointValue value);

// The runtime geometry of a Point argument, built from its native value under its lock (the
// object's own __gkn_geo() is not consulted, unlike receivers and geometry arguments).
core::Result<runtime::GeometryOwned> point_runtime_value(PyObject* point);

}  // namespace velmor::py
