#pragma once

#include <Python.h>

#include "errors.hpp"
#include "runtime/error.hpp"
#include "runtime/owned.hpp"

namespace velmor::py {

// Turns the outcome of a geometry engine call that returns a geometry into a Python result: the
// runtime's refusal is the Geokern kind, no geometry is None, anything else becomes a new object of
// its class.
Result<Ref> engine_geometry_result(runtime::RuntimeResult<GK_GeometryHandle> outcome);

// The argument as an instance of `type`, or the TypeError naming the function and the parameter.
Result<PyObject*> require_instance(PyObject* value, PyTypeObject* type, const char* function, const char* parameter);

}  // namespace velmor::py
