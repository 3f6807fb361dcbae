#pragma once

#include <Python.h>

#include "core/point_value.hpp"
#include "errors.hpp"

namespace velmor::py {

// The point dictionary: required numbers "x" and "y", optional numbers "z" and "m" (None leaves
// them out), optional "spatialReference". "hasZ" and "hasM" are not read: z and m are present
// exactly when given.
Result<core::PointValue> point_from_dict(PyObject* dict);

}  // namespace velmor::py
