#pragma once

#include <Python.h>

#include "core/multipoint.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class MultiPoint: one shared native multipoint per instance; its points are a live Part view.
PyTypeObject* multipoint_type();

// A new MultiPoint holding its own multipoint.
Result<Ref> new_multipoint(core::Multipoint value);

// The runtime geometry of a MultiPoint, built from its native value under its lock without calling the
// object's __gkn_geo().
core::Result<runtime::GeometryOwned> multipoint_runtime_value(PyObject* multipoint);

}  // namespace velmor::py
