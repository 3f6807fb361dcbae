#pragma once

#include <Python.h>

#include "core/polyline.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class Polyline: one shared native polyline per instance; its paths and curve paths are live views.
PyTypeObject* polyline_type();

// A new Polyline holding its own polyline.
Result<Ref> new_polyline(core::Polyline value);

// The runtime geometry of a Polyline argument, built from its native value under its lock (the
// object's own __gkn_geo() is not consulted, unlike receivers and geometry arguments).
core::Result<runtime::GeometryOwned> polyline_runtime_value(PyObject* polyline);

}  // namespace velmor::py
