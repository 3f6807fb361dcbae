#pragma once

#include <Python.h>

#include <optional>

#include "core/spatial_reference_value.hpp"
#include "errors.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// The class SpatialReference: one spatial reference value per instance.
PyTypeObject* spatial_reference_type();

// A new SpatialReference object holding `value`.
Result<Ref> new_spatial_reference(core::SpatialReference value);

// The value of a SpatialReference object (copied) or of a spatial reference dictionary; anything else
// is a TypeError.
Result<core::SpatialReference> spatial_reference_from_py(PyObject* value);

// Reads the spatial reference dictionary form; entries of the wrong type raise the interpreter's
// conversion errors.
Result<core::SpatialReference> spatial_reference_from_dict(PyObject* dict);

// The runtime spatial reference of an operation argument; an argument that names no system is a
// ValueError, and the library's refusal the Geokern kind.
Result<runtime::SpatialReference> runtime_spatial_reference_argument(PyObject* argument);

}  // namespace velmor::py
